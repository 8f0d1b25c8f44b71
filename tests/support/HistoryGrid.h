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
        f.Grd2.setText(r, mainwindow::Grd2Col::Number, QString::number(r));
        f.Grd2.setText(r, mainwindow::Grd2Col::WinNumber, d.number);
        f.Grd2.setText(r, mainwindow::Grd2Col::Type, mainwindow::numberType(d.number));
        f.Grd2.setText(r, mainwindow::Grd2Col::BoxPayout, d.payout);
        f.Grd2.setText(r, mainwindow::Grd2Col::Date, d.date);
        f.Grd2.setText(r, mainwindow::Grd2Col::WsPrediction, d.wsPrediction);
        f.Grd2.setText(r, mainwindow::Grd2Col::WsMark, d.wsMark);
    }
    f.HistRows = n;
}

} // namespace testing_support
