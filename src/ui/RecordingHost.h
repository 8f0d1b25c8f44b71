#pragma once

#include "Controls.h"
#include "Host.h"

#include <QStringList>

#include <functional>
#include <vector>

namespace ui {

// A host for tests and benchmarks: it records every message, fixes "now", and lets a test
// hook into event processing. Time passes only in event processing: every pass is one tick
// of each enabled timer, whatever its interval.
class RecordingHost : public Host {
public:
    struct Message {
        QString text;
        QString title;
    };

    explicit RecordingHost(QDateTime now = QDateTime::currentDateTime()) : now_(std::move(now)) {}

    void messageBox(const QString& text, const QString& title) override {
        messages.push_back({text, title.isEmpty() ? applicationTitle() : title});
    }
    void processEvents() override {
        ++eventPasses;
        if (onProcessEvents)
            onProcessEvents();
        const std::vector<Timer*> running = timers;
        for (Timer* t : running)
            if (t->enabled)
                t->tick();
    }
    void watchTimer(Timer& timer) override { timers.push_back(&timer); }
    void forgetTimer(Timer& timer) override { std::erase(timers, &timer); }
    bool drivesTimers() const override { return true; }
    QDateTime now() const override { return now_; }
    void setNow(const QDateTime& now) { now_ = now; }
    void soundCommand(const QString& command, const QString&) override {
        soundCommands.append(command);
    }

    std::vector<Message> messages;
    QStringList soundCommands;
    int eventPasses = 0;
    std::vector<Timer*> timers;
    std::function<void()> onProcessEvents;

private:
    QDateTime now_;
};

} // namespace ui
