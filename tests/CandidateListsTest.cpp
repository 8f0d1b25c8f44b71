// ②集計, the hit check, ③S・W絞り and the whole chain by hand.
#include "support/PredictionHistory.h"

#include "simulate/Narrowing.h"
#include "ui/Palette.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

QStringList listOf(const ui::Grid& list, int count) {
    QStringList items;
    for (int r = 1; r <= count; ++r)
        items.append(list.text(r, 1));
    return items;
}

void setList(ui::Grid& list, int& count, const QStringList& items) {
    for (int r = 1; r <= 20; ++r)
        list.setText(r, 1, r <= items.size() ? items[r - 1] : QString());
    count = static_cast<int>(items.size());
}

void setColumn(ui::Grid& table, int col, const QStringList& digits) {
    for (int r = 1; r <= 8; ++r)
        table.setText(r, col, r <= digits.size() ? digits[r - 1] : QString());
}

QStringList split(const char* text) {
    return QString::fromLatin1(text).split(u' ', Qt::SkipEmptyParts);
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
    EXPECT_EQ(form.basicCountS, 49);
    auto s = listOf(form.GrdSS, 49);
    EXPECT_EQ(s.mid(0, 8), split("0123 0134 0135 0136 0137 0138 0139 1234"));
    EXPECT_EQ(s[27], QStringLiteral("1389"));
    EXPECT_EQ(s[28], QStringLiteral("0234"));
    EXPECT_EQ(s[48], QStringLiteral("2389"));
    EXPECT_EQ(QStringList(s).removeDuplicates(), 0);
    EXPECT_EQ(form.GrdSS.rows(), 51);
    EXPECT_EQ(form.GrdSS.topRow(), 49);

    // A digit in both lists: no single, but every double holding it.
    setColumn(form.Grd1a, 0, {"5"});
    setColumn(form.Grd1a, 1, {"5"});
    form.Command2_Click();
    EXPECT_EQ(form.basicCountS, 0);
    EXPECT_EQ(form.GrdSS.text(1, 1), QString());
    EXPECT_EQ(form.basicCountW, 108);
    for (const QString& w : listOf(form.GrdWW, form.basicCountW))
        EXPECT_TRUE(w.contains(u'5')) << w.toStdString();
}

TEST(HitCheck, WinningNumberMatchesItsListAsABox) {
    struct Case {
        const char* winning;
        const char* type;
        QStringList candidates;
        int hitRow; // 0: none
    };
    QStringList seventeenth(16, QStringLiteral("0123"));
    seventeenth.append(QStringLiteral("5678"));
    const Case cases[] = {
        {"2131", "W", split("1233 1123"), 2},
        {"2131", "W", split("1233"), 0},
        {"5678", "S", seventeenth, 17},
        {"7770", "A", split("0777"), 0},
    };
    for (const auto& c : cases) {
        Workspace ws;
        auto& form = *ws.form;
        const bool single = QString::fromLatin1(c.type) == QStringLiteral("S");
        form.Combo1.text = QStringLiteral("5");
        form.Grd2.setText(5, 2, QString::fromLatin1(c.type));
        form.Label2.caption = QString::fromLatin1(c.winning);
        form.winKeyS = form.winKeyW = QStringLiteral("old");
        setList(single ? form.GrdSS : form.GrdWW, single ? form.basicCountS : form.basicCountW,
                c.candidates);
        form.WWSSatari();
        const ui::Grid& list = single ? form.GrdSS : form.GrdWW;
        const QString want = c.hitRow ? c.candidates[c.hitRow - 1] : QString();
        EXPECT_EQ(single ? form.winKeyS : form.winKeyW, want) << c.winning;
        EXPECT_EQ(single ? form.hitS : form.hitW, c.hitRow ? 1 : 0) << c.winning;
        if (c.hitRow) {
            EXPECT_EQ(list.cellBackColor(c.hitRow, 1), ui::kHitColour);
            EXPECT_EQ(list.topRow(), c.hitRow);
        }
    }
    Workspace ws;
    ws.form->winKeyS = QStringLiteral("kept");
    ws.form->WWSSatari(); // the draw to come: nothing happens
    EXPECT_EQ(ws.form->winKeyS, QStringLiteral("kept"));
}

TEST(SwNarrowing, RulesDropCandidates) {
    // Draw 8 is predicted. Singles before it, newest first: 1359 (K = 0), 0369, 5678, 1234;
    // doubles: 1233, 1123.
    const QStringList numbers = split("1234 5678 1123 1233 9999 0369 1359");
    struct Case {
        const char* name;
        bool more, cFrame;
        const char* marker;
        int n, m;
        const char* basicS;
        const char* wantS;
        const char* basicW;
        const char* wantW;
    };
    const Case cases[] = {
        {"K wraps to 0", true, false, "8", 0, 0, "0123 1234 1567 4567", "1234 1567 4567",
         "1124 0012", "1124"},
        {"empty marker drops all", true, false, "", 0, 0, "1234 4567", "", "1124", ""},
        {"C count 1 or 2", false, true, "8", 0, 0, "3489 3459 3579 1246", "3489 3459", "", ""},
        {"C rule overrides", true, true, "4", 0, 0, "3489 0123 1246 3579", "3489 0123", "", ""},
        {"N = 0 removes nothing", false, false, "8", 0, 0, "1359 0369", "1359 0369", "1123",
         "1123"},
        {"recent N and M", false, false, "8", 2, 1, "1359 5678 3569", "5678 3569", "1123 3312 1124",
         "1124"},
        {"only this run's rows", false, false, "8", 100, 100, "4567 5678 2345", "4567 2345", "2245",
         "2245"},
    };
    for (const auto& c : cases) {
        Workspace ws;
        std::vector<Draw> draws;
        for (const auto& n : numbers)
            draws.push_back({n, QStringLiteral("2026/03/02"), 0});
        ws.writeHistory(draws);
        auto& form = ws.load();
        form.GrdR.setText(10, 0, QStringLiteral("4567")); // left by an earlier run
        form.GrdR.setText(10, 1, QStringLiteral("2245"));
        form.Check1.value = c.more;
        form.Check2.value = c.cFrame;
        form.Label12.caption = QString::fromLatin1(c.marker);
        setColumn(form.Grd1a, 2, {"3", "5", "7"});
        form.Combo4[0].text = QString::number(c.n);
        form.Combo4[1].text = QString::number(c.m);
        setList(form.GrdSS, form.basicCountS, split(c.basicS));
        setList(form.GrdWW, form.basicCountW, split(c.basicW));
        form.Command4_Click();
        EXPECT_EQ(form.Label11.caption, QStringLiteral("0"));
        EXPECT_EQ(listOf(form.GrdSS2, form.narrowCountS), split(c.wantS)) << c.name;
        EXPECT_EQ(listOf(form.GrdWW2, form.narrowCountW), split(c.wantW)) << c.name;
        EXPECT_EQ(form.GrdSS2.text(form.narrowCountS + 1, 1), QString::number(form.narrowCountS));
        EXPECT_EQ(form.GrdSS2.rows(), form.narrowCountS + 2);
        EXPECT_EQ(form.GrdR.text(1, 0), QStringLiteral("1359")) << c.name;
        EXPECT_EQ(form.GrdR.text(10, 0), QString()) << c.name;
    }
}

TEST(SwNarrowing, EmptyBasicListChangesNothing) {
    Workspace ws;
    auto& form = *ws.form;
    form.GrdSS2.setText(1, 1, QStringLiteral("0123"));
    form.narrowCountS = 1;
    form.narrowHit = 2;
    form.Command4_Click();
    EXPECT_EQ(form.GrdSS2.text(1, 1), QStringLiteral("0123"));
    EXPECT_EQ(form.narrowCountS, 1);
    EXPECT_EQ(form.narrowHit, 2);
}

TEST(PredictionChain, HandWorkedHistoryByHand) {
    Workspace ws;
    ws.writeHistory(handWorkedHistory());
    auto& form = ws.load();
    form.Combo1.text = QStringLiteral("53");
    form.Combo1_Click();
    form.Command1_Click();
    const char* const tables[] = {"5", "7", "0 3 4 7", "3 4 6 7 8 9"};
    const char* const reference[] = {"5 7", "7", "0 3 4 7", "3 7 8 9"};
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(simulate::digitColumn(form.Grd1a, c, 9), split(tables[c])) << c;
        EXPECT_EQ(simulate::digitColumn(form.Grd1, c, 4), split(reference[c])) << c;
    }
    EXPECT_EQ(form.Label12.caption, QStringLiteral("3"));
    EXPECT_EQ(form.LabDays.caption, QStringLiteral("2026年02月14日"));
    EXPECT_EQ(form.LabKai.caption, QStringLiteral("第53回"));
    EXPECT_EQ(form.LabJiku[0].caption + form.LabJiku[1].caption, QStringLiteral("46"));
    form.Option2.selected = 1; // AB
    form.Command2_Click();
    EXPECT_EQ(listOf(form.GrdSS, form.basicCountS), handWorkedBasicS());
    EXPECT_EQ(listOf(form.GrdWW, form.basicCountW), handWorkedBasicW());
    EXPECT_EQ(form.hitS, 1);
    EXPECT_EQ(form.winKeyS, QStringLiteral("2579"));
    EXPECT_EQ(form.GrdSS.cellBackColor(18, 1), ui::kHitColour);

    form.Check1.value = 1;
    form.Combo4[0].text = QStringLiteral("3");
    form.Combo4[1].text = QStringLiteral("1");
    form.Command4_Click();
    EXPECT_EQ(form.Label11.caption, QStringLiteral("6"));
    EXPECT_EQ(listOf(form.GrdSS2, form.narrowCountS), handWorkedNarrowS());
    EXPECT_EQ(listOf(form.GrdWW2, form.narrowCountW), handWorkedNarrowW());
    EXPECT_EQ(form.GrdR.text(4, 0), QStringLiteral("2579")); // written, not compared
    EXPECT_EQ(form.narrowHit, 1);
    EXPECT_EQ(form.GrdSS2.cellBackColor(11, 1), ui::kHitColour);
    EXPECT_EQ(form.GrdSS2.topRow(), 11);
}
