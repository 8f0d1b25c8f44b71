#include "QtHost.h"
#include "BusyBar.h"

#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QPointer>

#include <exception>
#include <thread>

namespace gui {

namespace {

// Keeps the user's input from the windows while long work runs, so that no handler starts in
// the middle of another; painting, moving and the bar's 中止 button go on. Closing a window
// asks the work to stop instead.
class InputGate : public QObject {
public:
    InputGate(QWidget* open, std::atomic_bool& stop) : open_(open), stop_(stop) {
        qApp->installEventFilter(this);
    }
    ~InputGate() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!watched->isWidgetType())
            return false;
        switch (event->type()) {
        case QEvent::Close:
            stop_ = true;
            event->ignore();
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::ContextMenu: {
            auto* widget = static_cast<QWidget*>(watched);
            return !(open_ && (widget == open_ || open_->isAncestorOf(widget)));
        }
        default:
            return false;
        }
    }

private:
    QPointer<QWidget> open_;
    std::atomic_bool& stop_;
};

} // namespace

void QtHost::messageBox(const QString& text, const QString& title) {
    if (afterEvents)
        afterEvents();
    QString shown = text;
    shown.replace(u'\r', u'\n');
    if (autoAnswer > 0) {
        --autoAnswer;
        answered.append(shown);
        return;
    }
    QMessageBox::information(parent, title.isEmpty() ? ui::applicationTitle() : title, shown,
                             QMessageBox::Ok);
}

void QtHost::processEvents() {
    if (afterEvents)
        afterEvents();
    QApplication::processEvents();
}

bool QtHost::runInBackground(const std::function<void()>& work, const QString& progressText,
                             std::atomic_bool& stop) {
    if (afterEvents)
        afterEvents(); // the windows show the state the work starts from
    QPointer<BusyBar> bar = progress;
    if (bar)
        bar->start(progressText, [&stop] { stop = true; });
    InputGate gate(bar, stop);

    QEventLoop loop;
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    if (bar)
        bar->finish();
    if (failure)
        std::rethrow_exception(failure);
    return !stop;
}

} // namespace gui
