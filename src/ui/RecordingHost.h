#pragma once

#include "Controls.h"
#include "Host.h"

#include <QStringList>

#include <functional>
#include <vector>

namespace ui {

// A host that records every message instead of showing it, fixes "now", and lets a test
// hook into event processing: for the tests and benchmarks, and for work done out of sight
// (a tally on a worker's form, the first start's regeneration). Time passes only in event
// processing: every pass is one tick of each enabled timer, whatever its interval.
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
    // Answers the questions from `answers` in turn (No when it runs out) and keeps them.
    bool askQuestion(const QString& text, const QString& title) override {
        questions.push_back({text, title});
        if (answers.empty())
            return false;
        const bool yes = answers.front();
        answers.erase(answers.begin());
        return yes;
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
    bool runInBackground(const std::function<void()>& work, const QString& progressText,
                         std::atomic_bool& stop) override {
        progressTexts.append(progressText);
        stop_ = &stop;
        const bool finished = Host::runInBackground(work, progressText, stop);
        stop_ = nullptr;
        return finished;
    }
    // stopAfter >= 0 presses 中止 once the work reports that many steps done.
    // Events go on while long work runs, as in the window.
    void reportProgress(int done, int total) override {
        Q_UNUSED(total);
        ++progressReports;
        processEvents();
        if (stop_ && stopAfter >= 0 && done >= stopAfter)
            *stop_ = true;
    }
    void watchTimer(Timer& timer) override { timers.push_back(&timer); }
    void forgetTimer(Timer& timer) override { std::erase(timers, &timer); }
    bool drivesTimers() const override { return true; }
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
    QString clipboardText() const override { return clipboard; }
    void copyScreenImage(bool windowOnly) override {
        clipboardCalls.append(windowOnly ? QStringLiteral("window") : QStringLiteral("screen"));
    }
    QStringList openedFiles;
    bool canOpenFiles = true;
    QStringList clipboardCalls;
    QString clipboard; // what clipboardText() finds

    std::vector<Message> messages;
    std::vector<Message> questions;
    std::vector<bool> answers;
    int stopAfter = -1;
    int progressReports = 0;
    int printerDialogs = 0;
    std::function<std::unique_ptr<Printer>()> nextPrinter;
    // Answers of the file choosers in turn; an empty list cancels.
    QStringList nextFileNames;
    std::vector<FileDialog> fileDialogs;
    QStringList soundCommands;
    QStringList progressTexts; // of every runInBackground, in order
    int eventPasses = 0;
    std::vector<Timer*> timers;
    std::function<void()> onProcessEvents;

private:
    QString answer(const FileDialog& dialog) {
        fileDialogs.push_back(dialog);
        return nextFileNames.isEmpty() ? QString() : nextFileNames.takeFirst();
    }

    QDateTime now_;
    std::atomic_bool* stop_ = nullptr; // of the work under way
};

} // namespace ui
