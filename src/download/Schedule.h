#pragma once

#include <QString>
#include <QStringList>

namespace download {

// The weekday fetch: the systemd user units tessarin-update.timer and tessarin-update.service
// that the package installs (weekdays at 19:30 in Japan, `tessarin-cli update --notify`),
// worked through `systemctl --user`. They are off until the player turns them on.
class Schedule {
public:
    static QString timerUnit() { return QStringLiteral("tessarin-update.timer"); }

    // systemctl: the program run, looked up in PATH.
    explicit Schedule(QString systemctl = QStringLiteral("systemctl"))
        : systemctl_(std::move(systemctl)) {}

    struct State {
        // Why the timer cannot be worked here (no systemctl, no user manager to talk to, the
        // units not installed); empty when it can.
        QString problem;
        bool on = false;   // enabled: it runs from every login on
        QString nextFetch; // the next run as systemd writes it; empty when it has none
    };
    State state() const;
    // Turns the timer on (enabled and started at once) or off (stopped and disabled). Returns
    // why it could not, empty when it did.
    QString turn(bool on) const;

    // The state for people, a line each: whether it is on and when the next fetch is.
    static QStringList describe(const State& state);

private:
    struct Run {
        bool started = false;
        int exitCode = -1;
        QString out;
        QString err; // its first line
    };
    Run systemctl(const QStringList& args) const;

    QString systemctl_;
};

} // namespace download
