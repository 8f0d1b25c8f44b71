#include "QtHost.h"

#include "ui/Controls.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace gui {

QtHost::QtHost() = default;
QtHost::~QtHost() = default;

void QtHost::messageBox(const QString& text, const QString& title) {
    if (afterEvents)
        afterEvents();
    QString shown = text;
    shown.replace(u'\r', u'\n');
    const QString boxTitle = title.isEmpty() ? ui::applicationTitle() : title;
    QMessageBox box(QMessageBox::Information, boxTitle, shown, QMessageBox::Ok, parent);
    if (toAnswer_ > 0) {
        // A test's answer: the box is shown and closed with OK once its loop runs.
        --toAnswer_;
        answered.push_back({box.text(), box.windowTitle()});
        QTimer::singleShot(0, &box, [&box] { box.done(QMessageBox::Ok); });
    }
    box.exec();
}

void QtHost::processEvents() {
    if (afterEvents)
        afterEvents();
    QApplication::processEvents();
}

void QtHost::waitForEvents() {
    if (afterEvents)
        afterEvents();
    QApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void QtHost::watchTimer(ui::Timer& timer) {
    auto qtimer = std::make_unique<QTimer>();
    QObject::connect(qtimer.get(), &QTimer::timeout, [&timer] { timer.tick(); });
    QTimer* raw = qtimer.get();
    timer.onEnabledChanged = [&timer, raw] {
        if (timer.enabled)
            raw->start(timer.intervalMs);
        else
            raw->stop();
    };
    timers_[&timer] = std::move(qtimer);
}

void QtHost::forgetTimer(ui::Timer& timer) {
    timer.onEnabledChanged = nullptr;
    timers_.erase(&timer);
}

} // namespace gui
