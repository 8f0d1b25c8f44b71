#pragma once

#include "ui/Host.h"

#include <QStringList>
#include <QWidget>

#include <functional>

namespace gui {

class BusyBar;

// The platform for the window: real message boxes, real event processing (after which the
// views are refreshed), the system clock, long work on a thread of its own.
class QtHost : public ui::Host {
public:
    void messageBox(const QString& text, const QString& title) override;
    void processEvents() override;
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    // The work runs on a thread of its own while the windows keep painting and moving; the
    // user's clicks and keys reach only `progress` (its 中止 button) until the work has ended.
    bool runInBackground(const std::function<void()>& work, const QString& progressText,
                         std::atomic_bool& stop) override;

    QWidget* parent = nullptr;
    std::function<void()> afterEvents;
    BusyBar* progress = nullptr; // where long work shows itself; none: it runs unseen

    // For tests: while autoAnswer is above 0, a message is not shown but taken as answered
    // at once, its text appended to answered.
    int autoAnswer = 0;
    QStringList answered;
};

} // namespace gui
