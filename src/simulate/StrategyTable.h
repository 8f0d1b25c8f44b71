#pragma once

#include "Actions.h"
#include "SimulationTally.h"
#include "TallyRecord.h"

#include <QString>

#include <optional>
#include <vector>

namespace mainwindow {
class MainForm;
}

namespace simulate {

// One setting of the strategy table tallied over the range: its narrowed lists bought in
// full on every draw. Yen; ratio is payout / cost (0 when nothing was bought).
struct StrategyEntry {
    int pair = 0;                 // index into Option2 (AC, AB, CD, BC, AD, BD)
    int narrow = 0;               // index into strategyNarrowings()
    QString pairName, narrowName; // the option's caption ("AC") and the narrowing's key ("sw")
    QString narrowTitle;          // the narrowing as its button names it ("③S・W絞り")
    int draws = 0;
    long long boxes = 0;
    long long costYen = 0;
    int hits = 0;
    long long payoutYen = 0;
    double ratio = 0;
    double pAtLeast = 1;
    // pAtLeast allowing for the best of the table having been picked after the fact (Holm).
    double pAdjusted = 1;
};

// The ③ narrowings a tally can replay (sw, cframe, axis, axis2), in button order.
std::vector<const FormAction*> strategyNarrowings();

// Every 基本数値 pair with every ③ narrowing, each tallied as シュミ集計 would tally it alone
// over the range and sizes set on the window (Option1, Combo1, Combo3, Combo4, Check1,
// Check2), ranked by payout per cost, best first. The window is only read. The per-draw
// prediction is computed once and shared; the settings are spread over `threads` workers.
// progress is called on the calling thread only; returning false stops the work and gives
// nullopt. A range without draws gives an empty table.
std::optional<std::vector<StrategyEntry>>
strategyTable(const mainwindow::MainForm& window, int threads, const TallyProgress& progress = {});

// Following the table day by day: each draw of the range with `window` draws before it (all
// of them predictable) is played with the setting ranked first by the table over those
// draws (ties go to the earlier setting, as in the table). Yen; the chance figures are those
// of random boxes of the same kinds and counts, as for any tally.
struct WalkForwardChoice {
    int drawNo = 0;
    int pair = 0;
    int narrow = 0;
};
struct WalkForward {
    int window = 0;
    TallyTotals totals;
    double ratio = 0;
    Baseline baseline;
    std::vector<WalkForwardChoice> choices;
    std::vector<TallyDraw> played; // the chosen setting's draw, one per choice
    std::vector<TallyDraw> best;   // the table's first setting over the same draws
};

// The strategy table over the range and the walk-forward through it, from one tally of every
// setting over the range and the `window` draws before it. Progress and stopping as for
// strategyTable.
struct StrategyStudy {
    std::vector<StrategyEntry> entries;
    WalkForward walk;
};
std::optional<StrategyStudy> strategyStudy(const mainwindow::MainForm& window, int threads,
                                           int walkWindow, const TallyProgress& progress = {});

} // namespace simulate
