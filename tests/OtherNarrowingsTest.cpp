// ③C枠絞り, ③軸数字絞り, ③軸数字絞り２, ④更に絞る and 絞り「テスト on hand-made lists.
#include "support/PredictionHistory.h"

#include "ui/Palette.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

QStringList split(const char* text) {
    return QString::fromLatin1(text).split(u' ', Qt::SkipEmptyParts);
}

QStringList listOf(const ui::Grid& list, int count) {
    QStringList items;
    for (int r = 1; r <= count; ++r)
        items.append(list.text(r, 1));
    return items;
}

void setList(ui::Grid& list, int& count, const QStringList& items) {
    for (int r = 1; r <= 30; ++r)
        list.setText(r, 1, r <= items.size() ? items[r - 1] : QString());
    count = static_cast<int>(items.size());
}

void setColumn(ui::Grid& table, int col, const QStringList& digits) {
    for (int r = 1; r <= 6; ++r)
        table.setText(r, col, r <= digits.size() ? digits[r - 1] : QString());
}

// A main window over 60 draws whose recent numbers are known: the singles are all 1234 and
// the doubles all 5567, and the draw before 61 ends in 7 (so K is 8).
class Narrowings : public ::testing::Test {
protected:
    Workspace ws;
    mainwindow::MainForm* f = nullptr;

    void SetUp() override {
        ws.writeHistory(weekdayDraws(60, QStringLiteral("2026/01/05"),
                                     {QStringLiteral("1234"), QStringLiteral("5567")}));
        f = &ws.load();
        f->frmYosoClear();
        setList(f->GrdSS, f->basicCountS, split("0123 1234 3489 3459 3579 1246 0569 2678"));
        setList(f->GrdWW, f->basicCountW, split("5567 2213 7789 0012 8890"));
        setColumn(f->Grd1a, 2, {"3", "5", "7"});
        f->LabJiku[0].caption = QStringLiteral("2");
        f->LabJiku[1].caption = QStringLiteral("9");
        f->Label12.caption = QStringLiteral("3");
    }
};

} // namespace

TEST_F(Narrowings, EachKeepRuleOnTheSameBasicLists) {
    const struct {
        const char* name;
        void (mainwindow::MainForm::*run)();
        const char *singles, *doubles;
    } cases[] = {
        // One or two of the C digits 3, 5, 7.
        {"C frame", &mainwindow::MainForm::Command12_Click, "0123 1234 3489 3459 0569 2678",
         "5567 2213 7789"},
        // Axis digit 2 or 9.
        {"axis", &mainwindow::MainForm::Command13_Click, "0123 1234 3489 3459 3579 1246 0569 2678",
         "2213 7789 0012 8890"},
        // Recent 1234 and 5567 removed first (1234 and 5567 themselves), then the axis test.
        {"axis after recent", &mainwindow::MainForm::Command14_Click,
         "0123 3489 3459 3579 1246 0569 2678", "2213 7789 0012 8890"},
        // Neither K = 8 nor the marker 3.
        {"more", &mainwindow::MainForm::Command10_Click, "1246 0569", "5567 0012"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        (f->*c.run)();
        EXPECT_EQ(listOf(f->GrdSS2, f->narrowCountS), split(c.singles));
        EXPECT_EQ(listOf(f->GrdWW2, f->narrowCountW), split(c.doubles));
    }
}

TEST_F(Narrowings, AxisDigitsTwiceTheSameKeepExactlyTheirCandidates) {
    f->LabJiku[1].caption = QStringLiteral("2");
    f->Command13_Click();
    EXPECT_EQ(listOf(f->GrdSS2, f->narrowCountS), split("0123 1234 1246 2678"));
    EXPECT_EQ(f->GrdSS2.text(5, 1), QStringLiteral("4")); // count row
    EXPECT_EQ(f->GrdSS2.rows(), 6);
}

TEST_F(Narrowings, AxisNarrowingAfterRecentRemovalKeepsASubset) {
    // On the real history, for a run of draws: ③軸数字絞り２ never keeps what ③軸数字絞り drops.
    Workspace real;
    real.writeHistoryRecords(bundledHistory());
    auto& g = real.load();
    for (int draw = 6990; draw <= 7000; ++draw) {
        g.Combo1.text = QString::number(draw);
        g.Command1_Click();
        g.Command2_Click();
        g.Command13_Click();
        const QStringList s13 = listOf(g.GrdSS2, g.narrowCountS);
        const QStringList w13 = listOf(g.GrdWW2, g.narrowCountW);
        g.Command14_Click();
        for (const QString& x : listOf(g.GrdSS2, g.narrowCountS))
            EXPECT_TRUE(s13.contains(x)) << draw << " " << x.toStdString();
        for (const QString& x : listOf(g.GrdWW2, g.narrowCountW))
            EXPECT_TRUE(w13.contains(x)) << draw << " " << x.toStdString();
        EXPECT_LE(g.narrowCountS, static_cast<int>(s13.size()));
    }
}

TEST_F(Narrowings, NarrowingsWithTheSkeletonStopOnAnEmptyBasicList) {
    f->Command12_Click();
    const QStringList before = listOf(f->GrdSS2, f->narrowCountS);
    setList(f->GrdSS, f->basicCountS, {});
    for (auto run : {&mainwindow::MainForm::Command12_Click, &mainwindow::MainForm::Command13_Click,
                     &mainwindow::MainForm::Command14_Click}) {
        (f->*run)();
        EXPECT_EQ(listOf(f->GrdSS2, f->narrowCountS), before);
    }
    // ④更に絞る goes on regardless and leaves the S list empty.
    f->Command10_Click();
    EXPECT_EQ(f->narrowCountS, 0);
    EXPECT_EQ(f->GrdSS2.rows(), 2);
    EXPECT_EQ(f->narrowCountW, 2);
}

TEST_F(Narrowings, MoreNarrowingHasNoCountRowAndMarksTheHit) {
    f->winKeyW = QStringLiteral("0012");
    f->narrowHit = 0;
    f->Command10_Click();
    EXPECT_EQ(f->Label11.caption, QStringLiteral("8"));
    EXPECT_EQ(f->GrdWW2.rows(), 4);
    EXPECT_EQ(f->GrdWW2.text(3, 1), QString());
    EXPECT_EQ(f->narrowHit, 2);
    EXPECT_EQ(f->GrdWW2.cellBackColor(2, 1), ui::kHitColour);
    EXPECT_EQ(f->GrdWW2.topRow(), 2);
}

TEST_F(Narrowings, RepeatedDigitsTestKeepsSinglesWithARepeatedDigit) {
    setColumn(f->Grd1a, 0, {"1", "2"});
    setColumn(f->Grd1a, 1, {"2", "3"});
    setColumn(f->Grd1a, 2, {"3", "4"});
    f->Command12_Click(); // fills both narrowed lists first
    const QStringList doublesBefore = listOf(f->GrdWW2, f->narrowCountW);
    f->narrowHit = 7;
    f->Command9_Click();
    // P = 1 2 2 3 3 4, R = 2 3: the singles holding 2 or 3.
    EXPECT_EQ(listOf(f->GrdSS2, f->narrowCountS), split("0123 1234 3489 3459 3579 1246 2678"));
    EXPECT_EQ(f->GrdSS2.rows(), 9);
    EXPECT_EQ(f->narrowHit, 7);
    EXPECT_EQ(listOf(f->GrdWW2, f->narrowCountW), doublesBefore);
}

TEST_F(Narrowings, RepeatedDigitsTestReadsTwelveDigitsAtMost) {
    // Fifteen digits; the three beyond the twelfth (column Ｃ rows 3 to 5) would repeat 9.
    for (int col = 0; col < 3; ++col)
        for (int r = 1; r <= 5; ++r)
            f->Grd1a.setText(r, col, QString::number(col == 2 && r >= 3 ? 9 : (col * 5 + r) % 9));
    f->Command9_Click();
    // P = 1 2 3 4 5 6 7 8 0 1 | 2 3 (then 9 9 9 ignored): R = 1 2 3.
    EXPECT_EQ(listOf(f->GrdSS2, f->narrowCountS), split("0123 1234 3489 3459 3579 1246 2678"));
}
