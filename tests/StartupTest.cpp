// The main window's start-up with a fixed clock: lists, month buttons, the verification month,
// the history grid and the box number tables; and the list resets.
#include "support/TestHistory.h"

#include <QTimeZone>

#include <gtest/gtest.h>

#include <functional>

using mainwindow::AnalysisCol;
using mainwindow::Grd2Col;

using testing_support::gridRows;
using testing_support::weekdayDraws;
using testing_support::Workspace;

namespace {

QDateTime at(int y, int m, int d) {
    return QDateTime(QDate(y, m, d), QTime(10, 30));
}

std::vector<testing_support::Draw> drawsEndingOn(int count, QDate lastDate) {
    return weekdayDraws(count, testing_support::firstWeekdayEndingOn(count, lastDate),
                        {"1234", "5567", "9012", "3345"});
}

} // namespace

TEST(StartupTest, ListsMonthButtonsAndCatchUpOnThirdOfFebruary) {
    Workspace ws(at(2021, 2, 3));
    ws.writeHistory(drawsEndingOn(150, QDate(2021, 2, 2)));
    // The sizes start at 100 whatever the settings file holds.
    testing_support::writeFile(ws.path(s(u"seteifile.dat")), "120,40\r\n");
    auto& f = *ws.form;
    QString seenNext; // the W・S prediction runs before the catch-up
    f.catchUp = [&] { seenNext = f.Grd2.text(151, Grd2Col::WsPrediction); };
    f.Form_Load(true);
    EXPECT_FALSE(seenNext.isEmpty());
    EXPECT_EQ(ws.host.soundCommands, QStringList({s(u"Close")})); // closed at both ends

    for (int k = 0; k < 24; ++k) {
        SCOPED_TRACE(k);
        const QString want =
            QStringLiteral("%1/%2").arg(k < 12 ? 2020 : 2021).arg(k % 12 + 1, 2, 10, QChar(u'0'));
        EXPECT_EQ(f.ComDate[k].caption, want);
        EXPECT_EQ(f.ComDate[k].enabled, k < 14);
    }
    EXPECT_EQ(f.Combo3[0].items, QStringList({s(u"2020"), s(u"2021")}));
    EXPECT_EQ(f.Combo3[0].text, s(u"2021"));
    EXPECT_EQ(f.Combo3[1].text, s(u"2"));
    EXPECT_EQ(f.Combo3[2].text, s(u"10"));

    // Draws N - 100 to N, then the draw to come.
    ASSERT_EQ(f.Combo1.items.size(), 102);
    EXPECT_EQ(f.Combo1.items.first(), s(u"50"));
    EXPECT_EQ(f.Combo1.items.last(), s(u"151"));
    EXPECT_EQ(f.Combo1.text, s(u"151"));
    EXPECT_EQ(f.LabCom1.caption, s(u"151"));

    for (const auto& combo : f.Combo4)
        EXPECT_EQ(combo.text, s(u"100"));
    EXPECT_EQ(f.GrdA[0].text(1, AnalysisCol::Rank1), s(u"0"));
    EXPECT_EQ(f.GrdA[0].text(1, AnalysisCol::Rank1 + 9), s(u"9"));
    f.Form_Unload();
    EXPECT_EQ(ws.host.soundCommands, QStringList({s(u"Close"), s(u"Close")}));
    EXPECT_FALSE(f.files.isHistOpen());
}

// The verification month holds draws: today's when it has one, else the latest before it.
TEST(StartupTest, VerificationMonthHoldsDraws) {
    const struct {
        QDateTime today;
        QDate latest;
        const char16_t *year, *month;
    } cases[] = {
        {at(2021, 3, 1), QDate(2021, 2, 26), u"2021", u"02"},  // first of March, none in yet
        {at(2021, 3, 1), QDate(2021, 3, 1), u"2021", u"03"},   // a March draw held
        {at(2022, 1, 5), QDate(2021, 12, 30), u"2021", u"12"}, // New Year: December before
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.today.toString().toStdString());
        Workspace ws(c.today);
        ws.writeHistory(drawsEndingOn(60, c.latest));
        auto& f = ws.load();
        EXPECT_EQ(f.LabKnen.caption, s(c.year));
        EXPECT_EQ(f.LabKmon.caption, s(c.month));
        EXPECT_EQ(f.KensyoMonth, c.today.toString(u"MM"));
    }
}

// A history lacking a weekday draw whose results are out (18:45 Japan time plus an hour) is
// announced; the New Year days hold no draw. Its text, in the command line: CliTest.
TEST(StartupTest, OldHistoryIsAnnounced) {
    const QTimeZone japan(9 * 3600);
    const struct {
        QDate latest;
        QDateTime now;
        bool announced;
    } cases[] = {
        {QDate(2026, 12, 7), QDateTime(QDate(2026, 12, 7), QTime(23, 0), japan), false},
        {QDate(2026, 12, 4), QDateTime(QDate(2026, 12, 5), QTime(22, 0), japan), false}, // Sat
        {QDate(2026, 12, 4), QDateTime(QDate(2026, 12, 7), QTime(19, 44), japan), false},
        {QDate(2026, 12, 4), QDateTime(QDate(2026, 12, 7), QTime(10, 45), QTimeZone::utc()), true},
        {QDate(2026, 12, 30), QDateTime(QDate(2027, 1, 4), QTime(12, 0), japan), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(mainwindow::oldHistoryNotice(7054, c.latest, c.now).isEmpty(), !c.announced)
            << c.now.toString(Qt::ISODate).toStdString();
}

TEST(StartupTest, ShortHistoryListsFromTheFirstDraw) {
    Workspace ws(at(2021, 2, 3));
    ws.writeHistory(drawsEndingOn(5, QDate(2021, 2, 2)));
    auto& f = ws.load();
    EXPECT_EQ(f.Combo1.items, QStringList({s(u"1"), s(u"2"), s(u"3"), s(u"4"), s(u"5"), s(u"6")}));
    EXPECT_EQ(f.LabCom1.caption, s(u"6"));
}

TEST(StartupTest, MissingHistoryStopsEarlyAndIsNotCreated) {
    Workspace ws(at(2021, 2, 3));
    bool caughtUp = false;
    ws.form->catchUp = [&] { caughtUp = true; };
    ws.form->Form_Load(true);
    auto& f = *ws.form;
    EXPECT_FALSE(QFile::exists(ws.path(s(u"number414.dat"))));
    EXPECT_EQ(f.Grd2.rows(), 2); // heading and next-draw rows, no date
    EXPECT_TRUE(f.Combo1.items.isEmpty());
    EXPECT_FALSE(caughtUp);
    EXPECT_FALSE(f.files.isHistOpen());
}

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
