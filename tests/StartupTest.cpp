// The main window's start-up with a fixed clock: lists, month buttons, the verification month.
#include "support/TestHistory.h"

#include <QTimeZone>

#include <gtest/gtest.h>

using mainwindow::AnalysisCol;
using mainwindow::Grd2Col;

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
