#include "support/HistoryGrid.h"
#include "support/TestHistory.h"

#include <gtest/gtest.h>

using mainwindow::Back100Col;
using mainwindow::Grd2Col;

namespace {

// 500 draws of the double 0012 with singles placed where the cases need them. Each case
// lists the hundred draws before the selected one (from draw 1 at least) and looks at one.
TEST(Back100, GapColumnCountsTheDrawsBetween) {
    std::vector<testing_support::GridDraw> draws(500, {QStringLiteral("0012")});
    const std::pair<int, const char*> singles[] = {
        {1, "1234"},   {5, "4321"},                  // same box 4 draws apart: 3 between
        {98, "8642"},  {400, "2468"},                // 302 draws back: beyond the look-back
        {149, "7531"}, {450, "1357"},                // 301 draws back: still found
        {460, "9876"},                               // no earlier draw of its box
        {470, "1123"},                               // a double, never looked up
        {480, "3456"}, {481, "3465"}, {482, "6543"}, // the latest earlier match counts
    };
    for (const auto& [draw, number] : singles)
        draws[draw - 1].number = QString::fromUtf8(number);
    const struct {
        int selected, draw;
        const char *wantEarlier, *wantGap;
    } cases[] = {
        {501, 450, "149", "300"},     {401, 400, "stale", "stale"}, {501, 460, "stale", "stale"},
        {501, 470, "stale", "stale"}, {501, 482, "481", "0"},       {50, 5, "1", "3"},
        {50, 1, "stale", "stale"},    {300, 250, "stale", "stale"},
    };
    testing_support::Workspace ws;
    auto& f = *ws.form;
    testing_support::fillHistoryGrid(f, draws);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.draw);
        for (int r = 1; r <= 100; ++r)
            for (int col = 0; col < 4; ++col)
                f.GrdR.setText(r, col, QStringLiteral("stale"));
        f.Combo1.text = QString::number(c.selected);
        f.Command5_Click();
        const int first = std::max(1, c.selected - 100);
        const int row = c.draw - first + 1;
        EXPECT_EQ(f.GrdR.text(1, Back100Col::Number), QString::number(first));
        EXPECT_EQ(f.GrdR.text(c.selected - first, Back100Col::Number),
                  QString::number(c.selected - 1));
        EXPECT_EQ(f.GrdR.text(row, Back100Col::WinNumber), f.Grd2.text(c.draw, Grd2Col::WinNumber));
        EXPECT_EQ(f.GrdR.text(row, Back100Col::EarlierDraw), QString::fromUtf8(c.wantEarlier));
        EXPECT_EQ(f.GrdR.text(row, Back100Col::DrawsBetween), QString::fromUtf8(c.wantGap));
    }
}

} // namespace
