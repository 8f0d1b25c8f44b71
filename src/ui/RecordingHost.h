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

    void showMessage(const QString& text, const QString& title) override {
        messages.push_back({text, title});
    }
    void processEvents() override {
        ++eventPasses;
        if (onProcessEvents)
            onProcessEvents();
    }
    // Long work runs at once; stopAfter >= 0 asks it to stop once that many steps are done.
    bool runLongWork(const QString& caption,
                     const std::function<bool(const Progress&)>& work) override {
        longWork.append(caption);
        return work([this](int done, int) { return stopAfter < 0 || done < stopAfter; });
    }
    QDateTime now() const override { return now_; }
    void setNow(const QDateTime& now) { now_ = now; }
    void soundCommand(const QString& command, const QString&) override {
        soundCommands.append(command);
    }

    // Hands out the next pre-answered printer, or cancels when there is none.
    std::unique_ptr<Printer> choosePrinter() override {
        ++printerDialogs;
        return nextPrinter ? nextPrinter() : nullptr;
    }
    QString saveFileName(const FileDialog& dialog) override { return answer(dialog); }
    QString openFileName(const FileDialog& dialog) override { return answer(dialog); }

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
    QStringList longWork;
    int stopAfter = -1;
    int printerDialogs = 0;
    std::function<std::unique_ptr<Printer>()> nextPrinter;
    // Answers of the file choosers in turn; an empty list cancels.
    QStringList nextFileNames;
    std::vector<FileDialog> fileDialogs;
    QStringList soundCommands;
    int eventPasses = 0;
    std::function<void()> onProcessEvents;

private:
    QString answer(const FileDialog& dialog) {
        fileDialogs.push_back(dialog);
        return nextFileNames.isEmpty() ? QString() : nextFileNames.takeFirst();
    }

    QDateTime now_;
};

} // namespace ui
