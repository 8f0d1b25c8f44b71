#pragma once

#include "Printer.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <memory>

namespace ui {

// Everything a window's logic asks of the platform. The GUI, the command line and the
// tests each bring their own.
class Host {
public:
    virtual ~Host() = default;

    // A modal message with an OK button; returns when the user has closed it. An empty
    // title means the application's title, "Tessarin"; a CR in the text breaks the line.
    void messageBox(const QString& text, const QString& title = QString());

    // Runs the events that are waiting (paints, clicks, timer ticks) and returns.
    virtual void processEvents() = 0;

    // Reports progress of long work: the steps done and the steps in all. Returns false once
    // the user has asked to stop.
    using Progress = std::function<bool(int done, int total)>;

    // Long work (a whole-history tally, the strategy table): runs work, which reports its
    // progress through the function it is given and returns false when it stopped early,
    // where the platform keeps the window alive and offers to stop it ("中止"). Returns
    // what work returned. Without a window the work runs on the calling thread.
    virtual bool runLongWork(const QString& caption,
                             const std::function<bool(const Progress&)>& work) {
        Q_UNUSED(caption);
        return work([](int, int) { return true; });
    }

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
    virtual void clearClipboard() {}
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
};

inline QString applicationTitle() {
    return QStringLiteral("Tessarin");
}

inline void Host::messageBox(const QString& text, const QString& title) {
    QString shown = text;
    shown.replace(u'\r', u'\n');
    showMessage(shown, title.isEmpty() ? applicationTitle() : title);
}

} // namespace ui
