#pragma once

#include <QDateTime>
#include <QString>

#include <atomic>
#include <functional>

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
