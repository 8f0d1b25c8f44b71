#pragma once

#include <QDateTime>
#include <QString>

namespace ui {

// Everything a window's logic asks of the platform. The GUI, the command line and the
// tests each bring their own.
class Host {
public:
    virtual ~Host() = default;

    // A modal message with an OK button; returns when the user has closed it. An empty
    // title means the application's title, "Tessarin".
    virtual void messageBox(const QString& text, const QString& title = QString()) = 0;

    // Runs the events that are waiting (paints, clicks, timer ticks) and returns.
    virtual void processEvents() = 0;

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
};

inline QString applicationTitle() {
    return QStringLiteral("Tessarin");
}

} // namespace ui
