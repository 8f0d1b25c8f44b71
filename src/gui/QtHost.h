#pragma once

#include "ui/Host.h"

#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <vector>

class QTimer;

namespace gui {

// The platform for the window: real message boxes, real event processing (after which the
// views are refreshed), the system clock, and a QTimer behind every watched ui::Timer.
class QtHost : public ui::Host {
public:
    QtHost();
    ~QtHost() override;

    void messageBox(const QString& text, const QString& title) override;
    void processEvents() override;
    void waitForEvents() override;
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    void watchTimer(ui::Timer& timer) override;
    void forgetTimer(ui::Timer& timer) override;
    bool drivesTimers() const override { return true; }

    QWidget* parent = nullptr;
    std::function<void()> afterEvents;

    // For tests: the next `count` message boxes are shown and closed at once, as if OK were
    // pressed, and what they said is kept in `answered` (title as shown).
    struct Answered {
        QString text;
        QString title;
    };
    void answerNextMessages(int count = 1) { toAnswer_ += count; }
    std::vector<Answered> answered;

private:
    int toAnswer_ = 0;
    std::map<ui::Timer*, std::unique_ptr<QTimer>> timers_;
};

} // namespace gui
