#pragma once

#include <QDateTime>
#include <QString>

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
    // title means the application's title, "Tessarin".
    virtual void messageBox(const QString& text, const QString& title = QString()) = 0;

    // Runs the events that are waiting (paints, clicks, timer ticks) and returns.
    virtual void processEvents() = 0;

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
};

inline QString applicationTitle() {
    return QStringLiteral("Tessarin");
}

} // namespace ui
