#pragma once

#include "ui/Host.h"

#include <QStringList>
#include <QWidget>

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class QSoundEffect;
class QTimer;

namespace gui {

class BusyBar;

// The running application's texts and font: Qt's own Japanese texts (standard buttons, file
// and print dialogs) and IPA Gothic at 9 points, each when installed. False without the
// translations.
bool prepareApplication();

// The platform for the window: real message boxes, real event processing (after which the
// views are refreshed), the system clock, long work on a thread of its own, and a QTimer
// behind every watched ui::Timer.
class QtHost : public ui::Host {
public:
    QtHost();
    ~QtHost() override;

    void processEvents() override;
    void waitForEvents() override;
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    // The work runs on a thread of its own while the windows keep painting and moving; the
    // user's clicks and keys reach only `progress` (its 中止 button) until the work has ended.
    bool runInBackground(const std::function<void()>& work, const QString& progressText,
                         std::atomic_bool& stop) override;

    // Passed on to `progress` through the event loop, at most once per percent.
    void reportProgress(int done, int total) override;

    BusyBar* progress = nullptr; // where long work shows itself; none: it runs unseen

    std::unique_ptr<ui::Printer> choosePrinter() override;
    QString saveFileName(const ui::FileDialog& dialog) override;
    QString openFileName(const ui::FileDialog& dialog) override;

    void watchTimer(ui::Timer& timer) override;
    void forgetTimer(ui::Timer& timer) override;
    bool drivesTimers() const override { return true; }

    QWidget* parent = nullptr;
    std::function<void()> afterEvents;

    // True while a handler waits in the event loop (a message box, a dialog, long work, an
    // event pass): what the user started has not ended, so nothing else may change the forms.
    bool handlerWaiting() const { return waiting_ > 0; }

    // ---- exports, window capture, shutter sound -------------------------------------------
    bool openFile(const QString& path) override;
    // In a window of the program (GuideWindow) over the main window.
    bool showGuide(const QString& path) override;
    void clearClipboard() override;
    QString clipboardText() const override;
    // The window image is the top-level window of `parent`, as it is drawn now.
    void copyScreenImage(bool windowOnly) override;
    // "Open" loads a wave file, "Sound" plays it without waiting, "Close" stops it. Without a
    // file or a sound device nothing is heard and nothing is reported.
    void soundCommand(const QString& command, const QString& fileName) override;
    // Called when a sound started by "Sound" has finished (the form's MMControl1_Done).
    std::function<void()> soundDone;
    // A sound file is still being read (Qt reads it on a thread of its own).
    bool soundLoading() const;

    // For tests: the next `count` message boxes are shown and closed at once, as if OK were
    // pressed, and what they said is kept in `answered` (title as shown).
    struct Answered {
        QString text;
        QString title;
    };
    void answerNextMessages(int count = 1) { toAnswer_ += count; }
    // The next questions are answered in turn, Yes for true; kept in `answered` as well.
    void answerNextQuestions(std::initializer_list<bool> yes) {
        answers_.insert(answers_.end(), yes);
    }
    std::vector<Answered> answered;
    // For tests: the printer the next print gets instead of the printer dialog's.
    std::function<std::unique_ptr<ui::Printer>()> nextPrinter;

protected:
    void showMessage(const QString& text, const QString& title) override;
    bool askQuestion(const QString& text, const QString& title) override;

private:
    // Counts a wait of a handler in the event loop for as long as it lives.
    struct Waiting {
        explicit Waiting(int& count) : count_(count) { ++count_; }
        ~Waiting() { --count_; }
        Waiting(const Waiting&) = delete;
        Waiting& operator=(const Waiting&) = delete;
        int& count_;
    };
    int waiting_ = 0;
    std::atomic_int shownPermille_{-1}; // the last progress passed on
    std::unique_ptr<QSoundEffect> sound_;
    int toAnswer_ = 0;
    std::vector<bool> answers_;
    std::map<ui::Timer*, std::unique_ptr<QTimer>> timers_;
};

} // namespace gui
