#pragma once

#include <QDateTime>
#include <QString>

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
};

inline QString applicationTitle() {
    return QStringLiteral("Tessarin");
}

} // namespace ui
