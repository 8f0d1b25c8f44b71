#pragma once

#include "TallyRecord.h"

#include <functional>

namespace mainwindow {
class MainForm;
}

namespace simulate {

// The procedures シュミ集計 replays for every draw, in the order a user would run them by
// hand. windowChain() binds the main window's own procedures; tests bind scripted ones to
// control the list sizes and hits the tally books.
struct TallyChain {
    std::function<void()> Yoso;
    std::function<void()> Jyuni;
    std::function<void()> NewVerSort;
    std::function<void()> Command2_Click; // ②集計
    std::function<void()> narrowing;      // the ③ narrowing the check boxes choose
};

TallyChain windowChain(mainwindow::MainForm& form);

// Called after each draw of a tally with the draws done and the draws of the range;
// returning false stops the tally there.
using TallyProgress = std::function<bool(int done, int total)>;

// The draws a tally covers as chosen on the form: Option1 0 the count in Combo3(2) before
// the draw in Combo1, 1 the month in Combo3(0)/(1), 2 every draw from the first
// predictable one to the latest. False when the range holds no draw of the history.
bool tallyRange(mainwindow::MainForm& form, int& first, int& last);

// The whole tally of Command3_Click, with the per-draw procedures taken from chain.
// Reads Option1, Combo1, Combo3, Combo4 and Grd2; empties GrdSM, then
// writes it, Label6, LabBaseline, tallyDraws, tallyBaseline, tallyRangeTitle and simRows,
// and replays every draw through Combo1, Label2 and the prediction's grids. A range without
// draws gets a message and writes no tally. False when progress stopped it, the form then
// holding a partial tally.
bool runTally(mainwindow::MainForm& form, const TallyChain& chain,
              const TallyProgress& progress = {});

// Runs a ③ narrowing over the basic lists on the form for draw drawNo of the history and
// books what the narrowed lists bought and won. The counts are emptied first: a narrowing
// that finds no basic list buys nothing, not what an earlier run left.
TallyDraw playNarrowing(mainwindow::MainForm& form, int drawNo,
                        const std::function<void()>& narrowing);

} // namespace simulate
