// The ranges of draws before the one chosen: a month's draws and Back100件's hundred.
#include "support/HistoryGrid.h"
#include "support/TestHistory.h"

#include <gtest/gtest.h>

using mainwindow::Back100Col;
using mainwindow::Grd2Col;

namespace {

// Draws 1-40 in 2019/09, 41-4989 in 2019/10, 4990-5009 in 2019/11, 5010-5029 in 2019/12,
// 5030-5049 in 2020/01 and 5050-5060 in 2020/02. The history ends at the given draw.
std::vector<testing_support::GridDraw> monthHistory(int last) {
    std::vector<testing_support::GridDraw> draws(40, {"1234", "2019/09/15"});
    draws.resize(4989, {"1234", "2019/10/15"});
    const struct {
        int from, to;
        const char* ym;
    } months[] = {{4990, 5009, "2019/11"},
                  {5010, 5029, "2019/12"},
                  {5030, 5049, "2020/01"},
                  {5050, 5060, "2020/02"}};
    for (const auto& m : months)
        for (int r = m.from; r <= std::min(m.to, last); ++r)
            draws.push_back({"1234", QStringLiteral("%1/%2").arg(m.ym).arg(r - m.from + 1, 2, 10,
                                                                           QChar(u'0'))});
    return draws;
}

TEST(NenGetuS, FindsTheDrawsOfTheChosenMonth) {
    const struct {
        int historyEnd;
        const char *year, *month;
        int first, last;
    } cases[] = {
        {5060, "2019", "12", 5010, 5029}, // December ends where January begins
        {5029, "2019", "12", 5010, 5029}, // December as the latest month
        {5060, "2020", "2", 5050, 5060},  // the latest month runs to the latest draw
        {5060, "2019", "11", 4990, 5009}, // a month before draw 5000
        {5060, "2019", "10", 51, 4989},   // from the first draw that can be predicted
        {5060, "2019", "9", 0, 0},        // every draw before draw 51
        {5060, "2020", "3", 0, 0},        // no draw yet
        {5060, "", "12", 0, 0},
    };
    testing_support::Workspace ws;
    auto& f = *ws.form;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.year) + "/" + c.month);
        testing_support::fillHistoryGrid(f, monthHistory(c.historyEnd));
        f.Combo3[0].text = QString::fromUtf8(c.year);
        f.Combo3[1].text = QString::fromUtf8(c.month);
        f.monthFirstDraw = f.monthLastDraw = 99;
        f.NenGetuS();
        EXPECT_EQ(f.monthFirstDraw, c.first);
        EXPECT_EQ(f.monthLastDraw, c.last);
    }
}

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
