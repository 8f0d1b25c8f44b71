// シュミ集計 through the window's own prediction chain on the bundled history.
#include "support/TestHistory.h"

#include <gtest/gtest.h>

#include <algorithm>

using mainwindow::Grd2Col;
using mainwindow::ListCol;

namespace {

QString box(QString number) {
    std::sort(number.begin(), number.end());
    return number;
}

// What any chain must keep: a narrowed list never exceeds or out-hits its basic list; the
// list a draw hit, predicted by hand, holds the drawn box. (The marks, payouts and rates
// themselves: SimulationTallyTest; a draw replayed alone: VerifyCommandsTest.)
TEST(Chain, HundredDrawsAgreeWithTheHandPrediction) {
    testing_support::Workspace ws;
    ws.writeHistoryRecords(testing_support::bundledHistory());
    auto& f = ws.load();
    f.Option1.selected = 0; // the hundred draws before draw 7001
    f.Combo1.text = QStringLiteral("7001");
    f.Combo3[2].text = QStringLiteral("100");
    f.Command3_Click();
    auto cell = [&f](int r, int c) { return f.GrdSM.text(r, c); };
    auto count = [&f](int r, int c) { return f.GrdSM.text(r, c).toInt(); };
    ASSERT_EQ(f.simRows, 100);
    int narrowed = 0, hitRow = 0;
    for (int r = 1; r <= 100; ++r) {
        SCOPED_TRACE(6900 + r);
        EXPECT_LE(count(r, 8), count(r, 3));
        EXPECT_LE(count(r, 9), count(r, 4));
        narrowed += count(r, 8) + count(r, 9) < count(r, 3) + count(r, 4);
        hitRow = cell(r, 5).isEmpty() ? hitRow : r;
        EXPECT_TRUE(cell(r, 10).isEmpty() || cell(r, 10) == cell(r, 5));
    }
    EXPECT_GT(narrowed, 0);

    ASSERT_GT(hitRow, 0);
    const int draw = 6900 + hitRow;
    const bool single = cell(hitRow, 5) == QStringLiteral("〇");
    f.Combo1.text = QString::number(draw);
    f.Combo1_Click();
    f.Command1_Click();
    f.Command2_Click();
    const ui::Grid& list = single ? f.GrdSS : f.GrdWW;
    bool found = false;
    for (int r = 1; r <= (single ? f.basicCountS : f.basicCountW); ++r)
        found = found ||
                box(list.text(r, ListCol::Number)) == box(f.Grd2.text(draw, Grd2Col::WinNumber));
    EXPECT_TRUE(found);
}

} // namespace
