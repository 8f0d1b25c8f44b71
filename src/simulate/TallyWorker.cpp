// A tally on a worker's own form, copied from the window and copied back on success.
#include "TallyWorker.h"

#include "Actions.h"

#include "mainwindow/MainForm.h"

namespace simulate {

void copyWorkingState(const mainwindow::MainForm& from, mainwindow::MainForm& to,
                      bool withHistory) {
    if (withHistory) {
        to.Grd2 = from.Grd2;
        to.GrdS = from.GrdS;
        to.GrdW = from.GrdW;
        to.HistRows = from.HistRows;
        to.SingleCount = from.SingleCount;
        to.DoubleCount = from.DoubleCount;
    }
    to.GrdA = from.GrdA;
    to.Grd1a = from.Grd1a;
    to.Grd1 = from.Grd1;
    to.GrdSS = from.GrdSS;
    to.GrdWW = from.GrdWW;
    to.GrdSS2 = from.GrdSS2;
    to.GrdWW2 = from.GrdWW2;
    to.GrdSM = from.GrdSM;
    to.Grd3 = from.Grd3;
    to.GrdR = from.GrdR;
    to.Grd4 = from.Grd4;
    to.Grd5 = from.Grd5;

    to.Label2 = from.Label2;
    to.Label6 = from.Label6;
    to.Label8 = from.Label8;
    to.Label11 = from.Label11;
    to.Label12 = from.Label12;
    to.LabJiku = from.LabJiku;
    to.LabBaseline = from.LabBaseline;

    to.Combo1 = from.Combo1;
    to.Combo3 = from.Combo3;
    to.Combo4 = from.Combo4;
    for (auto [f, t] : {std::pair{&from.Command6, &to.Command6},
                        {&from.Command7, &to.Command7},
                        {&from.Command8, &to.Command8},
                        {&from.Command11, &to.Command11},
                        {&from.Command15, &to.Command15}})
        *t = *f;
    to.Check1 = from.Check1;
    to.Check2 = from.Check2;
    to.Check3 = from.Check3;
    to.Check4 = from.Check4;
    to.Check5 = from.Check5;
    to.Option1 = from.Option1;
    to.Option2 = from.Option2;

    to.basicCountS = from.basicCountS;
    to.basicCountW = from.basicCountW;
    to.narrowCountS = from.narrowCountS;
    to.narrowCountW = from.narrowCountW;
    to.narrowHit = from.narrowHit;
    to.hitS = from.hitS;
    to.hitW = from.hitW;
    to.winKeyS = from.winKeyS;
    to.winKeyW = from.winKeyW;
    to.simRows = from.simRows;
    to.monthFirstDraw = from.monthFirstDraw;
    to.monthLastDraw = from.monthLastDraw;
    to.axisDigit1 = from.axisDigit1;
    to.axisDigit2 = from.axisDigit2;
    to.tallyDraws = from.tallyDraws;
    to.tallyBaseline = from.tallyBaseline;
    to.tallyRangeTitle = from.tallyRangeTitle;
}

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
    copyWorkingState(window, *form_);
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
