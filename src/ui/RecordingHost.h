#pragma once

#include "Host.h"

#include <QStringList>

#include <functional>
#include <vector>

namespace ui {

// A host for tests and benchmarks: it records every message, fixes "now", and lets a test
// hook into event processing.
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
    }
    bool runInBackground(const std::function<void()>& work, const QString& progressText,
                         std::atomic_bool& stop) override {
        progressTexts.append(progressText);
        return Host::runInBackground(work, progressText, stop);
    }
    QDateTime now() const override { return now_; }
    void setNow(const QDateTime& now) { now_ = now; }
    void soundCommand(const QString& command, const QString&) override {
        soundCommands.append(command);
    }

    std::vector<Message> messages;
    QStringList soundCommands;
    QStringList progressTexts; // of every runInBackground, in order
    int eventPasses = 0;
    std::function<void()> onProcessEvents;

private:
    QDateTime now_;
};

} // namespace ui
