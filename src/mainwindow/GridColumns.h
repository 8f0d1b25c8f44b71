#pragma once

#include <QString>

// Column numbers of the main window's grids, one scope per layout (Layout.cpp lays them out).
// Plain enums in a named scope, so that `grid.text(row, Grd2Col::Date)` reads as it says and
// `Grd2Col::Digit1 + i` still counts along the columns.

namespace mainwindow {

// Grd2, the history: row n holds draw n, row HistRows + 1 the date of the next draw.
struct Grd2Col {
    enum Col : int {
        Number = 0,        // draw number
        WinNumber = 1,     // winning number, four digits
        Type = 2,          // "S", "W" or "A"
        Digit1 = 3,        // thousands digit; hundreds, tens and units follow
        BoxPayout = 7,     // box payout in yen
        Date = 8,          // yyyy/MM/dd
        Flag = 9,          // "S" for four different digits, else "W": what the W・S count reads
        WsPrediction = 10, // the W・S prediction made for the draw
        WsMark = 11,       // "〇"/"●" when the prediction matched the draw's type
    };
};

// GrdS and GrdW, every single and every double box number.
struct BoxCol {
    enum Col : int { No = 0, Number = 1, Digit1 = 2 };
};

// GrdSS, GrdWW (basic lists) and GrdSS2, GrdWW2 (narrowed lists): the list in columns 0 and
// 1; column 2 holds the candidates while a list is being built or narrowed.
struct ListCol {
    enum Col : int { No = 0, Number = 1, Work = 2 };
};

// GrdA(0), the analysis table: one row per draw of the window, with the digits ranked.
struct AnalysisCol {
    enum Col : int { Number = 0, WinNumber = 1, Date = 2, Rank1 = 3, Pattern = 13 };
};

// Grd3, the W・S prediction's work table: one row per block of draws, totals in row 9.
struct WsWorkCol {
    enum Col : int { From = 0, To = 1, WCount = 2, SCount = 3, Verdict = 4 };
};

// GrdR while it holds the recent numbers of each type for a narrowing.
struct RecentCol {
    enum Col : int { S = 0, W = 1 };
};

// GrdR after Back100件: each draw with the latest earlier draw of the same single box.
struct Back100Col {
    enum Col : int { Number = 0, WinNumber = 1, EarlierDraw = 2, DrawsBetween = 3 };
};

// GrdSM, the simulation tally: one row per draw, rates in the row under the last draw and
// totals in the row under that. Columns 7, 12 and 15 are narrow separators.
struct TallyCol {
    enum Col : int {
        Number = 0,        // draw number, "N件" in the totals row
        WinNumber = 1,     // winning number
        Date = 2,          // yy/MM/dd
        BasicS = 3,        // size of the basic S list
        BasicW = 4,        // size of the basic W list
        BasicMark = 5,     // "〇"/"●" when a basic list held the winning box
        BasicPayout = 6,   // box payout of a basic hit
        NarrowS = 8,       // size of the narrowed S list
        NarrowW = 9,       // size of the narrowed W list
        NarrowMark = 10,   // "〇"/"●" when a narrowed list held the winning box
        NarrowPayout = 11, // box payout of a narrowed hit
        WsPrediction = 13, // the W・S prediction
        WsMark = 14,       // "〇"/"●" when it matched
        WhatIfPayout = 16, // what the chosen what-if would have won
        WhatIfCost = 17,   // what it would have cost
    };
};

// What a mark column (Grd2Col::WsMark, TallyCol::BasicMark, NarrowMark, WsMark) holds for a
// hit: one mark for a single, another for a double.
inline const QString kHitMarkS = QStringLiteral("〇");
inline const QString kHitMarkW = QStringLiteral("●");

} // namespace mainwindow
