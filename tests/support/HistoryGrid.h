#pragma once

#include "mainwindow/MainForm.h"

#include <QString>

#include <vector>

namespace testing_support {

// One hand-written draw as the history fill and the W・S prediction leave it in Grd2
// (date YYYY/MM/DD, box payout in plain digits).
struct GridDraw {
    QString number, date{}, payout{}, wsPrediction{}, wsMark{};
};

// Writes the draws into Grd2 as draws 1, 2, ... and sets HistRows, without a history file.
inline void fillHistoryGrid(mainwindow::MainForm& f, const std::vector<GridDraw>& draws) {
    const int n = static_cast<int>(draws.size());
    f.Grd2.setRows(n + 2);
    for (int r = 1; r <= n; ++r) {
        const GridDraw& d = draws[r - 1];
        f.Grd2.setText(r, 0, QString::number(r));
        f.Grd2.setText(r, 1, d.number);
        f.Grd2.setText(r, 2, mainwindow::numberType(d.number));
        f.Grd2.setText(r, 7, d.payout);
        f.Grd2.setText(r, 8, d.date);
        f.Grd2.setText(r, 10, d.wsPrediction);
        f.Grd2.setText(r, 11, d.wsMark);
    }
    f.HistRows = n;
}

} // namespace testing_support
