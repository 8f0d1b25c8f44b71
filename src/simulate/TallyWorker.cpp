// A tally on a worker's own form, copied from the window and copied back on success.
#include "TallyWorker.h"

#include "Actions.h"

#include "mainwindow/MainForm.h"

namespace simulate {

void copyTallyResult(const mainwindow::MainForm& from, mainwindow::MainForm& to) {
    to.GrdSM = from.GrdSM;
    to.simRows = from.simRows;
    to.Label6 = from.Label6;
    to.LabBaseline = from.LabBaseline;
    to.tallyDraws = from.tallyDraws;
    to.tallyBaseline = from.tallyBaseline;
    to.tallyRangeTitle = from.tallyRangeTitle;
    to.monthFirstDraw = from.monthFirstDraw;
    to.monthLastDraw = from.monthLastDraw;
    to.GrdA[0].setVisible(from.GrdA[0].visible()); // a tally shows the analysis table
    for (const auto& w : whatIfs())
        (to.*w.button).backColor = (from.*w.button).backColor;
}

TallyWorker::TallyWorker(const mainwindow::MainForm& window) : host_(window.host.now()) {
    module_.tables = window.module.tables;
    module_.files.AppDir = window.files.AppDir;
    module_.files.HistPath = window.files.HistPath;
    form_ = std::make_unique<mainwindow::MainForm>(host_, module_);
    static_cast<mainwindow::MainFormState&>(*form_) = window;
}

TallyWorker::~TallyWorker() = default;

bool TallyWorker::run(const TallyProgress& progress) {
    return run(windowChain(*form_), progress);
}

bool TallyWorker::run(const TallyChain& chain, const TallyProgress& progress) {
    return runTally(*form_, chain, progress);
}

void TallyWorker::apply(mainwindow::MainForm& window) const {
    copyTallyResult(*form_, window);
    for (const auto& m : host_.messages)
        window.host.messageBox(m.text, m.title);
}

} // namespace simulate
