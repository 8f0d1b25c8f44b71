#pragma once

#include "SimulationTally.h"
#include "history/AppModule.h"
#include "ui/RecordingHost.h"

#include <memory>

namespace mainwindow {
class MainForm;
}

namespace simulate {

// What a finished tally hands back to the window: the tally grid, its summary labels and
// values, and the what-if buttons it reset. Nothing of the prediction it replayed draw by
// draw (digit tables, lists, Combo1, Label2, the prediction panel) goes back: the window
// keeps showing, transferring and exporting its own prediction.
void copyTallyResult(const mainwindow::MainForm& from, mainwindow::MainForm& to);

// シュミ集計 on a form of its own: it starts from a copy of the window's state (MainFormState), may
// run on another thread and be stopped, and hands its result back (copyTallyResult) only
// when it ran to the end, so a stopped tally leaves the window exactly as it was. Construct
// and apply() on the window's thread; run() on any one thread.
class TallyWorker {
public:
    explicit TallyWorker(const mainwindow::MainForm& window);
    ~TallyWorker();
    TallyWorker(const TallyWorker&) = delete;
    TallyWorker& operator=(const TallyWorker&) = delete;

    // The tally with the given per-draw procedures (default: the worker form's own); false
    // when progress stopped it.
    bool run(const TallyProgress& progress = {});
    bool run(const TallyChain& chain, const TallyProgress& progress);

    // Copies the tally's result into the window and shows the messages the tally raised.
    void apply(mainwindow::MainForm& window) const;

    mainwindow::MainForm& form() { return *form_; }

private:
    ui::RecordingHost host_;
    history::AppModule module_;
    std::unique_ptr<mainwindow::MainForm> form_;
};

} // namespace simulate
