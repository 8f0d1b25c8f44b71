#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>

namespace history {
class HistoryFiles;
}

namespace gui {

class BusyBar;
class QtHost;

// One handler of a window under way. While the scope lives, messages and dialogs stand over
// the handler's window, long work shows in that window's busy bar (when it has one) and the
// window's re-entry flag is set; its end puts all of it back and refreshes, however the
// handler ended, a fault escaping it included.
class HandlerScope {
public:
    struct Setup {
        QWidget* over = nullptr;       // the window messages and dialogs stand over
        BusyBar* progress = nullptr;   // where long work shows; none: where it showed before
        bool* running = nullptr;       // set while the handler runs
        std::function<void()> refresh; // run at the end
    };
    HandlerScope(QtHost& host, Setup setup);
    ~HandlerScope();
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;

    // Runs a handler of a form in a scope. A file fault ends the handler: the form's files are
    // closed, the fault is shown in a message box and the window goes on.
    static void run(QtHost& host, Setup setup, history::HistoryFiles& files,
                    const std::function<void()>& handler);

private:
    QtHost& host_;
    Setup setup_;
    QPointer<QWidget> previousParent_;
    BusyBar* previousProgress_;
};

} // namespace gui
