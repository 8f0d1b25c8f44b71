#pragma once

#include "Printer.h"

#include <QDateTime>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>

namespace ui {
struct Timer;
}

namespace ui {

// Everything a window's logic asks of the platform. The GUI, the command line and the
// tests each bring their own.
class Host {
public:
    virtual ~Host() = default;

    // A modal message with an OK button; returns when the user has closed it. An empty
    // title means the application's title, "Tessarin"; a CR in the text breaks the line.
    void messageBox(const QString& text, const QString& title = QString());
    // A modal question with the buttons Yes and No; true when the user chose Yes. Title and
    // line breaks as for messageBox. Where nobody can answer (the command line) it is No.
    bool question(const QString& text, const QString& title = QString());

    // Runs the events that are waiting (paints, clicks, timer ticks) and returns.
    virtual void processEvents() = 0;

    // Runs work that may take long (a download) and returns when it has ended. A window runs
    // it off its own thread, keeps painting meanwhile, shows progressText and offers to stop
    // it by setting stop, which the work watches. Work must not touch any control. Returns
    // false when stop was set. Without a window the work simply runs here.
    virtual bool runInBackground(const std::function<void()>& work, const QString& progressText,
                                 std::atomic_bool& stop) {
        Q_UNUSED(progressText);
        work();
        return !stop;
    }

    // How far the work under runInBackground has come: steps done of steps in all. Called
    // on the work's own thread; a window shows it in its progress bar.
    virtual void reportProgress(int done, int total) {
        Q_UNUSED(done);
        Q_UNUSED(total);
    }

    // Delivers the timer's ticks during event processing while it is enabled, until
    // forgetTimer. A host without a clock (the command line) delivers none and says so
    // through drivesTimers(); waits on a timer are then skipped.
    virtual void watchTimer(Timer& timer) { Q_UNUSED(timer); }
    virtual void forgetTimer(Timer& timer) { Q_UNUSED(timer); }
    virtual bool drivesTimers() const { return false; }

    // Event processing that may sleep until the next event arrives: for a wait on a running
    // timer, so that it does not spin.
    virtual void waitForEvents() { processEvents(); }

    // The system date and time.
    virtual QDateTime now() const = 0;

    // Carries out a command of the sound control ("Open", "Play", "Close").
    virtual void soundCommand(const QString& command, const QString& fileName) {
        Q_UNUSED(command);
        Q_UNUSED(fileName);
    }

    // ---- exports and window capture -------------------------------------------------------
    // Opens a file (an exported workbook, the guide) with the desktop's default program.
    // False when there is none or it could not be started.
    virtual bool openFile(const QString& path) {
        Q_UNUSED(path);
        return false;
    }
    // Shows the guide page (index.html): a window shows it itself, without a web browser;
    // elsewhere the default program opens it. False when it cannot be shown.
    virtual bool showGuide(const QString& path) { return openFile(path); }
    virtual void clearClipboard() {}
    // The text on the clipboard (empty when it holds none).
    virtual QString clipboardText() const { return QString(); }
    // Puts an image of the main window (windowOnly) or of the whole screen on the clipboard.
    virtual void copyScreenImage(bool windowOnly) { Q_UNUSED(windowOnly); }

    // The system's printer dialog; nullptr when the user cancelled it (or there is no
    // printer to offer).
    virtual std::unique_ptr<Printer> choosePrinter() { return nullptr; }

    // The file choosers; an empty name when the user cancelled.
    virtual QString saveFileName(const FileDialog& dialog) {
        Q_UNUSED(dialog);
        return QString();
    }
    virtual QString openFileName(const FileDialog& dialog) {
        Q_UNUSED(dialog);
        return QString();
    }

protected:
    // Shows a message already made displayable by messageBox(): line breaks are LF and the
    // title is never empty.
    virtual void showMessage(const QString& text, const QString& title) = 0;
    virtual bool askQuestion(const QString& text, const QString& title) {
        Q_UNUSED(text);
        Q_UNUSED(title);
        return false;
    }
};

inline QString applicationTitle() {
    return QStringLiteral("Tessarin");
}

inline void Host::messageBox(const QString& text, const QString& title) {
    QString shown = text;
    shown.replace(u'\r', u'\n');
    showMessage(shown, title.isEmpty() ? applicationTitle() : title);
}

inline bool Host::question(const QString& text, const QString& title) {
    QString shown = text;
    shown.replace(u'\r', u'\n');
    return askQuestion(shown, title.isEmpty() ? applicationTitle() : title);
}

} // namespace ui
