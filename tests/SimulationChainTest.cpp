// シュミ集計 through the window's own prediction chain on the bundled history. The
// cases need the real prediction and narrowings and are switched on once they are in.
#include "support/HistoryGrid.h"
#include "support/TestHistory.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class Chain : public ::testing::Test {
protected:
    Chain() : f(*ws.form) {
        ws.writeHistoryRecords(testing_support::bundledHistory());
        ws.load();
        f.GrdSMClear();
    }

    void runCount(int selectedDraw, int count) {
        f.Option1.selected = 0;
        f.Combo1.text = QString::number(selectedDraw);
        f.Combo3[2].text = QString::number(count);
        f.Command3_Click();
    }

    int cell(int row, int col) const { return f.GrdSM.text(row, col).toInt(); }

    // The sorted digits of a number: the candidate that stands for its box.
    static QString box(QString number) {
        std::sort(number.begin(), number.end());
        return number;
    }

    testing_support::Workspace ws;
    mainwindow::MainForm& f;
};

// What any chain must keep: the rows follow the history, marks agree with the draw's type,
// a narrowed list never exceeds or out-hits its basic list, and the summary adds up.
TEST_F(Chain, CountRunAgreesWithTheHistory) {
    runCount(6000, 10);
    ASSERT_EQ(f.simRows, 10);
    int basicHits = 0;
    int narrowHits = 0;
    for (int r = 1; r <= 10; ++r) {
        const int draw = 5989 + r;
        SCOPED_TRACE(draw);
        EXPECT_EQ(f.GrdSM.text(r, 0), QString::number(draw));
        EXPECT_EQ(f.GrdSM.text(r, 1), f.Grd2.text(draw, 1));
        EXPECT_EQ(f.GrdSM.text(r, 2), f.Grd2.text(draw, 8).mid(2));
        EXPECT_LE(cell(r, 8), cell(r, 3));
        EXPECT_LE(cell(r, 9), cell(r, 4));
        const QString basicMark = f.GrdSM.text(r, 5);
        const QString narrowMark = f.GrdSM.text(r, 10);
        const QString type = f.Grd2.text(draw, 2);
        if (!basicMark.isEmpty()) {
            ++basicHits;
            EXPECT_EQ(basicMark,
                      type == QStringLiteral("S") ? QStringLiteral("〇") : QStringLiteral("●"));
            EXPECT_EQ(f.GrdSM.text(r, 6), f.Grd2.text(draw, 7));
        }
        if (!narrowMark.isEmpty()) {
            ++narrowHits;
            EXPECT_EQ(narrowMark, basicMark);
        }
        EXPECT_EQ(f.GrdSM.text(r, 13), f.Grd2.text(draw, 10));
        EXPECT_EQ(f.GrdSM.text(r, 14), f.Grd2.text(draw, 11));
    }
    EXPECT_EQ(f.GrdSM.text(11, 6), QStringLiteral("勝率:%1%").arg(basicHits * 10));
    EXPECT_EQ(f.GrdSM.text(11, 11), QStringLiteral("勝率:%1%").arg(narrowHits * 10));
    EXPECT_EQ(f.GrdSM.text(12, 0), QStringLiteral("10件"));
    EXPECT_EQ(f.Combo1.text, QStringLiteral("5999"));
    EXPECT_EQ(f.Label2.caption, f.Grd2.text(5999, 1));
    EXPECT_EQ(ws.host.messages.size(), 0u);
}

TEST_F(Chain, MonthRunCoversTheMonth) {
    f.Option1.selected = 1;
    f.Combo3[0].text = QStringLiteral("2026");
    f.Combo3[1].text = QStringLiteral("7");
    f.Command3_Click();
    ASSERT_GT(f.simRows, 0);
    EXPECT_EQ(f.GrdSM.text(1, 2), QStringLiteral("26/07/01"));
    EXPECT_TRUE(f.GrdSM.text(f.simRows, 2).startsWith(QStringLiteral("26/07/")));
    EXPECT_TRUE(f.Grd2.text(f.GrdSM.text(f.simRows, 0).toInt() + 1, 8)
                    .startsWith(QStringLiteral("2026/08/")));
}

// Every draw starts from its own 50 draws: a second run repeats the first exactly.
TEST_F(Chain, ReplayIsRepeatable) {
    auto tally = [this] {
        f.GrdSMClear();
        runCount(7000, 20);
        QStringList cells;
        for (int r = 1; r <= 22; ++r)
            for (int c = 0; c < 18; ++c)
                cells << f.GrdSM.text(r, c);
        return cells;
    };
    const QStringList first = tally();
    EXPECT_EQ(tally(), first);
}

// Over a hundred draws the basic lists hold candidates and hit now and then, the narrowings
// keep fewer than they are given, and the check boxes choose among them.
TEST_F(Chain, HundredDrawsHaveListsAndHits) {
    runCount(7001, 100);
    ASSERT_EQ(f.simRows, 100);
    int withLists = 0;
    int narrowed = 0;
    for (int r = 1; r <= 100; ++r) {
        withLists += cell(r, 3) + cell(r, 4) > 0;
        narrowed += cell(r, 8) + cell(r, 9) < cell(r, 3) + cell(r, 4);
    }
    EXPECT_GT(withLists, 0);
    EXPECT_GT(narrowed, 0);
    EXPECT_NE(f.GrdSM.text(102, 5), QStringLiteral("S:0 W:0"));

    // ③軸数字絞り instead of ③S・W絞り narrows differently somewhere.
    auto narrowedSizes = [this] {
        QStringList sizes;
        for (int r = 1; r <= 100; ++r)
            sizes << f.GrdSM.text(r, 8) + u'/' + f.GrdSM.text(r, 9);
        return sizes;
    };
    const QStringList byDefault = narrowedSizes();
    f.Check4.value = 1;
    runCount(7001, 100);
    EXPECT_NE(narrowedSizes(), byDefault);
}

// The lists of the last draw stay in their grids, and a booked hit is in them.
TEST_F(Chain, LastDrawListsStayInTheGrids) {
    runCount(7001, 100);
    EXPECT_EQ(cell(100, 3), f.basicCountS);
    EXPECT_EQ(cell(100, 4), f.basicCountW);
    EXPECT_EQ(cell(100, 8), f.narrowCountS);
    EXPECT_EQ(cell(100, 9), f.narrowCountW);
    // Find the last row with a basic hit and replay just that draw.
    int hitRow = 0;
    for (int r = 1; r <= 100; ++r)
        if (!f.GrdSM.text(r, 5).isEmpty())
            hitRow = r;
    ASSERT_GT(hitRow, 0);
    const int draw = cell(hitRow, 0);
    f.GrdSMClear();
    runCount(draw + 1, 1);
    const ui::Grid& list = f.GrdSM.text(1, 5) == QStringLiteral("〇") ? f.GrdSS : f.GrdWW;
    const int size = f.GrdSM.text(1, 5) == QStringLiteral("〇") ? f.basicCountS : f.basicCountW;
    bool found = false;
    for (int r = 1; r <= size; ++r)
        found = found || box(list.text(r, 1)) == box(f.Grd2.text(draw, 1));
    EXPECT_TRUE(found);
}

} // namespace
