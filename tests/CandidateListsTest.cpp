// ②集計, the hit check and ③S・W絞り. The whole chain: PredictionCasesTest.
#include "support/PredictionHistory.h"

#include "ui/Palette.h"

#include <gtest/gtest.h>

using mainwindow::Grd2Col;
using mainwindow::ListCol;
using mainwindow::RecentCol;

using namespace testing_support;

namespace {

void setColumn(ui::Grid& table, int col, const QStringList& digits) {
    for (int r = 1; r <= 8; ++r)
        table.setText(r, col, digits.value(r - 1));
}

} // namespace

TEST(BasicLists, PairsBuildEachBoxOnceInTheOrderFound) {
    Workspace ws;
    ws.writeHistory(weekdayDraws(60, QStringLiteral("2026/01/05"), {QStringLiteral("1234")}));
    auto& form = ws.load();
    form.Option2.selected = 1; // AB
    setColumn(form.Grd1a, 0, {"1", "2"});
    setColumn(form.Grd1a, 1, {"3"});
    form.Command2_Click();
    auto s = listOf(form.GrdSS, form.basicCountS);
    ASSERT_EQ(s.size(), 49);
    EXPECT_EQ(s.mid(0, 8), wordsOf("0123 0134 0135 0136 0137 0138 0139 1234"));
    EXPECT_EQ(s[27] + " " + s[28] + " " + s[48], "1389 0234 2389");
    EXPECT_EQ(QStringList(s).removeDuplicates(), 0);

    // x = y: no single, but every double holding the digit.
    setColumn(form.Grd1a, 0, {"5"});
    setColumn(form.Grd1a, 1, {"5"});
    form.Command2_Click();
    EXPECT_EQ(form.basicCountS, 0);
    EXPECT_EQ(form.GrdSS.text(1, ListCol::Number), QString());
    EXPECT_EQ(form.basicCountW, 108);
    for (const QString& w : listOf(form.GrdWW, form.basicCountW))
        EXPECT_TRUE(w.contains(u'5')) << w.toStdString();
}

TEST(HitCheck, WinningNumberMatchesItsListAsABox) {
    const std::tuple<const char*, const char*, const char*, int> cases[] = {
        {"2131", "W", "1233 1123", 2}, // the row that is the same box
        {"2131", "W", "1233", 0},
        {"7770", "A", "0777", 0}, // not checked
    };
    for (const auto& [winning, type, candidates, hitRow] : cases) {
        Workspace ws;
        auto& form = *ws.form;
        form.Combo1.text = QStringLiteral("5");
        form.Grd2.setText(5, Grd2Col::Type, QString::fromLatin1(type));
        form.Label2.caption = QString::fromLatin1(winning);
        form.winKeyW = QStringLiteral("old");
        setList(form.GrdWW, form.basicCountW, wordsOf(candidates));
        form.WWSSatari();
        EXPECT_EQ(form.winKeyW, wordsOf(candidates).value(hitRow - 1)) << winning;
        EXPECT_EQ(form.hitW, hitRow ? 1 : 0) << winning;
        EXPECT_EQ(form.GrdWW.cellBackColor(std::max(hitRow, 1), 1) == ui::kHitColour, hitRow > 0);
    }
}

TEST(SwNarrowing, RulesDropCandidates) {
    // Draw 8 is predicted. Singles before it, newest first: 1359 (K = 0), 0369, 5678, 1234;
    // doubles: 1233, 1123. Ｃ is 3 5 7.
    using Case = std::tuple<bool, bool, const char*, int, int, const char*, const char*,
                            const char*, const char*>;
    const Case cases[] = {
        {true, false, "8", 0, 0, "0123 1234 1567 4567", "1234 1567 4567", "1124 0012", "1124"},
        {true, false, "", 0, 0, "1234 4567", "", "1124", ""}, // empty marker drops all
        // A marker of two digits is looked for as a text (the tally's counter leaves it to
        // the button): 0123 holds K, 1234 holds "12".
        {true, false, "12", 0, 0, "0123 1234 1567", "1567", "1124 3345", "3345"},
        {false, true, "8", 0, 0, "3489 3459 3579 1246", "3489 3459", "", ""}, // Ｃ count 1-2
        {true, true, "4", 0, 0, "3489 0123 1246 3579", "3489 0123", "", ""},  // Ｃ rule decides
        {false, false, "8", 0, 0, "1359 0369", "1359 0369", "1123", "1123"},
        {false, false, "8", 2, 1, "1359 5678 3569", "5678 3569", "1123 3312 1124", "1124"},
        {false, false, "8", 100, 100, "4567 5678 2345", "4567 2345", "2245", "2245"},
    };
    for (const auto& [more, cFrame, marker, n, m, basicS, wantS, basicW, wantW] : cases) {
        Workspace ws;
        ws.writeHistory(weekdayDraws(7, QStringLiteral("2026/03/02"),
                                     {"1234", "5678", "1123", "1233", "9999", "0369", "1359"}));
        auto& form = ws.load();
        form.GrdR.setText(10, RecentCol::S, QStringLiteral("4567")); // left by an earlier run
        form.GrdR.setText(10, RecentCol::W, QStringLiteral("2245"));
        form.Check1.value = more;
        form.Check2.value = cFrame;
        form.Label12.caption = QString::fromLatin1(marker);
        setColumn(form.Grd1a, 2, {"3", "5", "7"});
        form.Combo4[0].text = QString::number(n);
        form.Combo4[1].text = QString::number(m);
        setList(form.GrdSS, form.basicCountS, wordsOf(basicS));
        setList(form.GrdWW, form.basicCountW, wordsOf(basicW));
        EXPECT_EQ(narrowAndCount(form, &mainwindow::MainForm::Command4_Click),
                  QString::fromLatin1(marker).size() < 2);
        EXPECT_EQ(form.Label11.caption, QStringLiteral("0"));
        EXPECT_EQ(listOf(form.GrdSS2, form.narrowCountS), wordsOf(wantS)) << basicS;
        EXPECT_EQ(listOf(form.GrdWW2, form.narrowCountW), wordsOf(wantW)) << basicW;
        // Recent numbers changed by another run in between are collected again.
        form.GrdR.setText(1, RecentCol::S, QStringLiteral("5678"));
        form.Command4_Click();
        EXPECT_EQ(listOf(form.GrdSS2, form.narrowCountS), wordsOf(wantS)) << basicS;
    }
}
