// The history grid, the box number tables and the list resets.
#include "support/TestHistory.h"

#include <gtest/gtest.h>

#include <functional>

using mainwindow::Grd2Col;
using mainwindow::ListCol;
using mainwindow::TallyCol;

using testing_support::Draw;
using testing_support::Workspace;

TEST(HistoryGridTest, RowPerDrawWithTypesDigitsPayoutAndDate) {
    Workspace ws;
    ws.writeHistory({{s(u"0123"), s(u"2021/02/01"), 35000},
                     {s(u"1123"), s(u"2021/02/02"), 70000},
                     {s(u"5555"), s(u"2021/02/03"), 0}});
    auto& f = ws.load();
    ASSERT_EQ(f.HistRows, 3);
    const struct {
        int row;
        const char16_t *number, *type, *flag, *thousands, *units, *payout, *date;
    } rows[] = {{1, u"0123", u"S", u"S", u"0", u"3", u"35000", u"2021/02/01"},
                {2, u"1123", u"W", u"W", u"1", u"3", u"70000", u"2021/02/02"},
                {3, u"5555", u"A", u"W", u"5", u"5", u"0", u"2021/02/03"}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.row);
        EXPECT_EQ(f.Grd2.text(r.row, Grd2Col::Number), QString::number(r.row));
        EXPECT_EQ(f.Grd2.text(r.row, Grd2Col::WinNumber), s(r.number));
        EXPECT_EQ(f.Grd2.text(r.row, Grd2Col::Type), s(r.type));
        EXPECT_EQ(f.Grd2.text(r.row, Grd2Col::Digit1), s(r.thousands));
        EXPECT_EQ(f.Grd2.text(r.row, Grd2Col::Digit1 + 3), s(r.units));
        EXPECT_EQ(f.Grd2.text(r.row, Grd2Col::BoxPayout), s(r.payout));
        EXPECT_EQ(f.Grd2.text(r.row, Grd2Col::Date), s(r.date));
        EXPECT_EQ(f.Grd2.text(r.row, Grd2Col::Flag), s(r.flag));
    }
}

TEST(HistoryGridTest, NextDrawDateSkipsTheWeekend) {
    const struct {
        const char16_t* latest;
        const char16_t* next;
    } cases[] = {{u"2026/08/21", u"2026/08/24"},  // Friday -> Monday
                 {u"2026/08/22", u"2026/08/24"},  // Saturday -> Monday
                 {u"2026/08/19", u"2026/08/20"},  // Wednesday -> Thursday
                 {u"2025/12/31", u"2026/01/01"}}; // across the year, holidays not known
    for (const auto& c : cases) {
        Workspace ws;
        ws.writeHistory({{s(u"0123"), s(u"2021/02/01")}, {s(u"4567"), s(c.latest)}});
        auto& f = ws.load();
        EXPECT_EQ(f.Grd2.text(3, Grd2Col::Date), s(c.next))
            << QString::fromUtf16(c.latest).toStdString();
        EXPECT_EQ(f.Grd2.text(3, Grd2Col::Number), QString());
    }
}

TEST(BoxTablesTest, EverySingleAndDoubleInOrder) {
    Workspace ws;
    ws.writeHistory({{s(u"0123"), s(u"2021/02/01")}});
    auto& f = ws.load();
    EXPECT_EQ(f.SingleCount, 210);
    EXPECT_EQ(f.DoubleCount, 360);
    const struct {
        const ui::Grid& grid;
        int row;
        const char16_t* number;
    } cases[] = {{f.GrdS, 1, u"0123"},  {f.GrdS, 210, u"6789"}, {f.GrdW, 1, u"0012"},
                 {f.GrdW, 36, u"0089"}, {f.GrdW, 37, u"1102"},  {f.GrdW, 360, u"9978"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        EXPECT_EQ(c.grid.text(c.row, 0), QString::number(c.row));
        EXPECT_EQ(c.grid.text(c.row, 1), s(c.number));
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(c.grid.text(c.row, 2 + i), s(c.number).mid(i, 1));
    }
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
