#include "BusyBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

namespace gui {

BusyBar::BusyBar(QWidget* parent)
    : QWidget(parent), text_(new QLabel(this)), bar_(new QProgressBar(this)),
      stop_(new QPushButton(QStringLiteral("中止"), this)) {
    auto* running = bar_;
    running->setRange(0, 0); // no end known: the bar keeps moving
    running->setTextVisible(false);
    running->setFixedWidth(120);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->addWidget(text_, 1);
    layout->addWidget(running);
    layout->addWidget(stop_);
    connect(stop_, &QPushButton::clicked, this, [this] {
        stop_->setEnabled(false); // one stop is enough; the work ends in a moment
        if (auto stop = std::exchange(onStop_, nullptr))
            stop();
    });
    hide();
}

void BusyBar::start(const QString& text, std::function<void()> onStop) {
    text_->setText(text);
    onStop_ = std::move(onStop);
    running_ = true;
    bar_->setRange(0, 0);
    bar_->setTextVisible(false);
    stop_->setEnabled(true);
    show();
}

void BusyBar::finish() {
    onStop_ = nullptr;
    running_ = false;
    stop_->setEnabled(false);
    // The catch-up starts the next download a moment later: hide only when none has, so the
    // line does not flicker from draw to draw.
    QTimer::singleShot(300, this, [this] {
        if (!running_)
            hide();
    });
}

void BusyBar::setProgress(int done, int total) {
    if (!running_ || total <= 0)
        return;
    bar_->setRange(0, total);
    bar_->setValue(std::min(done, total));
    bar_->setTextVisible(true);
}

QString BusyBar::text() const {
    return text_->text();
}

} // namespace gui
