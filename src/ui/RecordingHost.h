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
    QDateTime now() const override { return now_; }
    void setNow(const QDateTime& now) { now_ = now; }
    void soundCommand(const QString& command, const QString&) override {
        soundCommands.append(command);
    }

    // ---- exports and window capture ----
    bool openFile(const QString& path) override {
        openedFiles.append(path);
        return canOpenFiles;
    }
    void clearClipboard() override { clipboardCalls.append(QStringLiteral("clear")); }
    void copyScreenImage(bool windowOnly) override {
        clipboardCalls.append(windowOnly ? QStringLiteral("window") : QStringLiteral("screen"));
    }
    QStringList openedFiles;
    bool canOpenFiles = true;
    QStringList clipboardCalls;

    std::vector<Message> messages;
    QStringList soundCommands;
    int eventPasses = 0;
    std::function<void()> onProcessEvents;

private:
    QDateTime now_;
};

} // namespace ui
