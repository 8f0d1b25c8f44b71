// ③C枠絞り, ③軸数字絞り, ③軸数字絞り２, ④更に絞る and 絞り「テスト on hand-made lists.
#include "support/PredictionHistory.h"

#include "ui/Palette.h"

#include <gtest/gtest.h>

#include <array>

using mainwindow::ListCol;

using namespace testing_support;
using F = mainwindow::MainForm;

namespace {

// A main window over 60 draws whose recent numbers are known: the singles are all 1234 and
// the doubles all 5567, and the draw before 61 ends in 7 (so K is 8). C digits 3 5 7, axis
// digit 2 (the second is set per case), marker 3; the W draw to find is 0012.
class Narrowings : public ::testing::Test {
protected:
    Workspace ws;
    F* f = nullptr;

    void SetUp() override {
        ws.writeHistory(weekdayDraws(60, QStringLiteral("2026/01/05"),
                                     {QStringLiteral("1234"), QStringLiteral("5567")}));
        f = &ws.load();
        f->frmYosoClear();
        setList(f->GrdSS, f->basicCountS, wordsOf("0123 1234 3489 3459 3579 1246 0569 2678"));
        setList(f->GrdWW, f->basicCountW, wordsOf("5567 2213 7789 0012 8890"));
        setDigits({"", "", "357"});
        f->LabJiku[0].caption = QStringLiteral("2");
        f->Label12.caption = QStringLiteral("3");
        f->winKeyW = QStringLiteral("0012");
    }

    // The digit tables Ａ, Ｂ and Ｃ of Grd1a, one string of digits each.
    void setDigits(const std::array<const char*, 3>& columns) {
        for (int col = 0; col < 3; ++col)
            for (int r = 1; r <= 6; ++r)
                f->Grd1a.setText(r, col, QString::fromLatin1(columns[col]).mid(r - 1, 1));
    }
};

} // namespace

TEST_F(Narrowings, EachKeepRuleOnTheSameBasicLists) {
    const struct {
        const char* name;
        void (F::*run)();
        const char* axis2;
        const char *singles, *doubles;
    } cases[] = {
        // One or two of the C digits 3, 5, 7.
        {"C frame", &F::Command12_Click, "9", "0123 1234 3489 3459 0569 2678", "5567 2213 7789"},
        // Axis digit 2 or 9.
        {"axis", &F::Command13_Click, "9", "0123 1234 3489 3459 3579 1246 0569 2678",
         "2213 7789 0012 8890"},
        // Axis digits 2 and 2: exactly the candidates holding a 2.
        {"axis 2 2", &F::Command13_Click, "2", "0123 1234 1246 2678", "2213 0012"},
        // Recent 1234 and 5567 removed first, then axis digits 2 and 2: a subset of the above.
        {"axis after recent", &F::Command14_Click, "2", "0123 1246 2678", "2213 0012"},
        // Neither K = 8 nor the marker 3; no count row.
        {"more", &F::Command10_Click, "9", "1246 0569", "5567 0012"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        f->LabJiku[1].caption = QString::fromLatin1(c.axis2);
        f->narrowHit = 0;
        // The tally's counter books the same for every ③ narrowing.
        EXPECT_EQ(narrowAndCount(*f, c.run), c.run != &F::Command10_Click);
        const QStringList doubles = listOf(f->GrdWW2, f->narrowCountW);
        EXPECT_EQ(listOf(f->GrdSS2, f->narrowCountS), wordsOf(c.singles));
        EXPECT_EQ(doubles, wordsOf(c.doubles));
        EXPECT_EQ(f->GrdSS2.text(f->narrowCountS + 1, ListCol::Number), // count row after ③ only
                  c.run == &F::Command10_Click ? QString() : QString::number(f->narrowCountS));
        const int hitRow = static_cast<int>(doubles.indexOf(QStringLiteral("0012"))) + 1;
        EXPECT_EQ(f->narrowHit, hitRow > 0 ? 2 : 0);
        EXPECT_TRUE(hitRow == 0 || f->GrdWW2.cellBackColor(hitRow, 1) == ui::kHitColour);
    }
}

TEST_F(Narrowings, NarrowingsWithTheSkeletonStopOnAnEmptyBasicList) {
    f->Command12_Click();
    const QStringList before = listOf(f->GrdSS2, f->narrowCountS);
    setList(f->GrdSS, f->basicCountS, {});
    for (auto run : {&F::Command12_Click, &F::Command13_Click, &F::Command14_Click}) {
        EXPECT_TRUE(narrowAndCount(*f, run));
        EXPECT_EQ(listOf(f->GrdSS2, f->narrowCountS), before);
    }
    f->Command10_Click(); // ④更に絞る goes on regardless
    EXPECT_EQ(f->narrowCountS, 0);
    EXPECT_EQ(f->narrowCountW, 2);
}

// Twelve digits at most, P = Ａ Ｂ Ｃ in turn; R, the digits P repeats, picks the singles
// holding one of them. The doubles stay as ③C枠絞り left them.
TEST_F(Narrowings, RepeatedDigitsTestKeepsSinglesWithARepeatedDigit) {
    const std::array<const char*, 3> cases[] = {
        {"12", "23", "34"},          // R = 2 3
        {"12345", "67801", "23999"}, // R = 1 2 3; the 9s beyond the twelfth digit do not count
    };
    for (const auto& digits : cases) {
        SCOPED_TRACE(digits[0]);
        setDigits({"", "", "357"});
        f->Command12_Click();
        const QStringList doublesBefore = listOf(f->GrdWW2, f->narrowCountW);
        setDigits(digits);
        f->narrowHit = 7;
        f->Command9_Click();
        EXPECT_EQ(listOf(f->GrdSS2, f->narrowCountS),
                  wordsOf("0123 1234 3489 3459 3579 1246 2678"));
        EXPECT_EQ(f->narrowHit, 7);
        EXPECT_EQ(listOf(f->GrdWW2, f->narrowCountW), doublesBefore);
    }
}
