// The history grid, the box number tables and the list resets.
#include "support/TestHistory.h"

#include <gtest/gtest.h>

#include <functional>

using mainwindow::Grd2Col;
using testing_support::gridRows;
using testing_support::Workspace;

TEST(HistoryGridTest, RowPerDrawWithTypesDigitsPayoutAndDate) {
    Workspace ws;
    ws.writeHistory({{s(u"0123"), s(u"2021/02/01"), 35000},
                     {s(u"1123"), s(u"2021/02/02"), 70000},
                     {s(u"5555"), s(u"2021/02/03"), 0}});
    auto& f = ws.load();
    ASSERT_EQ(f.HistRows, 3);
    // Draw, number, type, four digits, box payout, date, W・S flag.
    EXPECT_EQ(
        gridRows(f.Grd2, 1, 3, Grd2Col::Flag + 1),
        (QStringList{"1|0123|S|0|1|2|3|35000|2021/02/01|S", "2|1123|W|1|1|2|3|70000|2021/02/02|W",
                     "3|5555|A|5|5|5|5|0|2021/02/03|W"}));
}

TEST(HistoryGridTest, NextDrawDateSkipsTheWeekend) {
    // Friday and Saturday to Monday, Wednesday to Thursday, across the year (holidays not known).
    for (const auto& [latest, next] : {std::pair{"2026/08/21", "2026/08/24"},
                                       {"2026/08/22", "2026/08/24"},
                                       {"2026/08/19", "2026/08/20"},
                                       {"2025/12/31", "2026/01/01"}}) {
        Workspace ws;
        ws.writeHistory({{"0123", "2021/02/01"}, {"4567", latest}});
        // The row after the last draw holds only the next draw's date.
        EXPECT_EQ(gridRows(ws.load().Grd2, 3, 3, Grd2Col::Date + 1)[0], QString("||||||||") + next);
    }
}

TEST(BoxTablesTest, EverySingleAndDoubleInOrder) {
    Workspace ws;
    ws.writeHistory({{s(u"0123"), s(u"2021/02/01")}});
    auto& f = ws.load();
    EXPECT_EQ(f.SingleCount, 210);
    EXPECT_EQ(f.DoubleCount, 360);
    EXPECT_EQ(gridRows(f.GrdS, 1, 1, 6) + gridRows(f.GrdS, 210, 210, 6) +
                  gridRows(f.GrdW, 1, 1, 6) + gridRows(f.GrdW, 36, 37, 6) +
                  gridRows(f.GrdW, 360, 360, 6),
              (QStringList{"1|0123|0|1|2|3", "210|6789|6|7|8|9", "1|0012|0|0|1|2",
                           "36|0089|0|0|8|9", "37|1102|1|1|0|2", "360|9978|9|9|7|8"}));
    // Every double has exactly one digit twice.
    for (int r = 1; r <= 360; ++r)
        ASSERT_EQ(mainwindow::numberType(f.GrdW.text(r, 1)), s(u"W")) << r;
}

// A grid copy shares its cells until one side writes: whatever the copy does leaves the
// original whole, and rows or columns that come back after a shrink are empty.
TEST(ListResetTest, GridCopiesKeepTheirOwnCells) {
    ui::Grid original(500, 10);
    original.setText(1, 0, s(u"1"));
    original.setText(2, 1, s(u"1234"));
    const struct {
        std::function<void(ui::Grid&)> change;
        const char16_t* want; // the copy's cells (1, 0), (2, 1) and (400, 9)
    } cases[] = {
        {[](ui::Grid& g) { g.clear(); }, u"||"},
        {[](ui::Grid& g) {
             g.setRows(2);
             g.setRows(500);
         },
         u"1||"},
        {[](ui::Grid& g) {
             g.setCols(1);
             g.setCols(10);
         },
         u"1||"},
        {[](ui::Grid& g) { g.setText(400, 9, s(u"x")); }, u"1|1234|x"},
    };
    for (const auto& c : cases) {
        ui::Grid copy = original;
        c.change(copy);
        EXPECT_EQ(copy.text(1, 0) + u'|' + copy.text(2, 1) + u'|' + copy.text(400, 9), s(c.want));
        EXPECT_EQ(original.text(1, 0) + original.text(2, 1) + original.text(400, 9), s(u"11234"));
    }
}

TEST(ListResetTest, ResetsLeaveNothingOfTheLastRun) {
    Workspace ws;
    auto& f = ws.load();
    for (auto* g : {&f.GrdSS, &f.GrdSS2, &f.GrdWW, &f.GrdWW2, &f.GrdSM}) {
        g->setText(3, 1, s(u"1234"));
        g->selectCell(2, 1);
        g->setCellBackColor(12);
    }
    f.frmYosoClear();
    f.GrdSMClear();
    for (const auto* g : {&f.GrdSS, &f.GrdSS2, &f.GrdWW, &f.GrdWW2, &f.GrdSM}) {
        EXPECT_EQ(g->text(3, 1), QString());
        EXPECT_EQ(g->cellBackColor(2, 1), -1);
    }
}
