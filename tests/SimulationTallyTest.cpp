// The tally's own bookkeeping, with the per-draw procedures scripted by the test.
#include "simulate/SimulationTally.h"
#include "support/HistoryGrid.h"
#include "support/TestHistory.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using testing_support::GridDraw;

// What the chain reports for one draw.
struct Outcome {
    int basicS = 0, basicW = 0;
    int hitS = 0, hitW = 0;
    int narrowS = 0, narrowW = 0;
    int narrowHit = 0;
};

// Draws 1..count on consecutive days, each with its own payout (1000 + draw) and, for every
// third draw, a W・S prediction that came true.
std::vector<GridDraw> plainHistory(int count) {
    std::vector<GridDraw> draws;
    for (int r = 1; r <= count; ++r) {
        const bool single = r % 2 == 0;
        const QString mark =
            r % 3 == 0 ? (single ? QStringLiteral("〇") : QStringLiteral("●")) : QString();
        draws.push_back({single ? QStringLiteral("1234") : QStringLiteral("1123"),
                         QDate(2020, 1, 1).addDays(r).toString(QStringLiteral("yyyy/MM/dd")),
                         QString::number(1000 + r),
                         single ? QStringLiteral("S") : QStringLiteral("W"), mark});
    }
    return draws;
}

class Tally : public ::testing::Test {
protected:
    Tally() : f(*ws.form) {
        testing_support::fillHistoryGrid(f, plainHistory(200));
        f.GrdSMClear();
        f.Option1.selected = 0;
        f.Combo4[0].text = QStringLiteral("100");
        f.Combo4[1].text = QStringLiteral("40");
        chain.Yoso = [this] { log += "Y"; };
        chain.Jyuni = [this] { log += "J"; };
        chain.NewVerSort = [this] { log += "N"; };
        chain.Command2_Click = [this] {
            log += "2";
            const Outcome o = outcomeOf(f.Combo1.text.toInt());
            f.basicCountS = o.basicS;
            f.basicCountW = o.basicW;
            f.hitS = o.hitS;
            f.hitW = o.hitW;
        };
        auto narrowing = [this](const char* name) {
            return [this, name] {
                log += name;
                const Outcome o = outcomeOf(f.Combo1.text.toInt());
                f.narrowCountS = o.narrowS;
                f.narrowCountW = o.narrowW;
                if (o.narrowHit != 0)
                    f.narrowHit = o.narrowHit;
            };
        };
        chain.Command12_Click = narrowing("C");
        chain.Command13_Click = narrowing("A");
        chain.Command14_Click = narrowing("X");
        chain.Command4_Click = narrowing("4");
    }

    Outcome outcomeOf(int draw) const {
        const auto it = outcomes.find(draw);
        return it == outcomes.end() ? Outcome{10, 20, 0, 0, 5, 6, 0} : it->second;
    }

    void runCount(int selectedDraw, int count) {
        f.Option1.selected = 0;
        f.Combo1.text = QString::number(selectedDraw);
        f.Combo3[2].text = QString::number(count);
        simulate::runTally(f, chain);
    }

    // The columns a tally writes (all but the separators and the what-if columns), joined
    // with '|'.
    QString row(int r) const {
        QStringList cells;
        for (int c : {0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 13, 14})
            cells.append(f.GrdSM.text(r, c));
        return cells.join(u'|');
    }

    testing_support::Workspace ws;
    mainwindow::MainForm& f;
    simulate::TallyChain chain;
    std::map<int, Outcome> outcomes;
    std::string log;
};

TEST_F(Tally, CountRangeEndsBeforeTheSelectedDraw) {
    outcomes[93] = {30, 40, 1, 0, 12, 8, 1}; // basic and narrowed S hit
    outcomes[95] = {31, 41, 0, 1, 13, 9, 0}; // basic W hit only
    outcomes[98] = {32, 42, 0, 1, 14, 7, 2}; // basic and narrowed W hit
    f.Command6.backColor = 13;
    runCount(101, 10);

    const QStringList want = {
        "91|1123|20/04/01|10|20|||5|6|||W|",
        "92|1234|20/04/02|10|20|||5|6|||S|",
        "93|1123|20/04/03|30|40|〇|1093|12|8|〇|1093|W|●",
        "94|1234|20/04/04|10|20|||5|6|||S|",
        "95|1123|20/04/05|31|41|●|1095|13|9|||W|",
        "96|1234|20/04/06|10|20|||5|6|||S|〇",
        "97|1123|20/04/07|10|20|||5|6|||W|",
        "98|1234|20/04/08|32|42|●|1098|14|7|●|1098|S|",
        "99|1123|20/04/09|10|20|||5|6|||W|●",
        "100|1234|20/04/10|10|20|||5|6|||S|",
        "||||||勝率:30%||||勝率:20%||当率:30%",
        "10件|||||S:1 W:2|3,286|||S:1 W:1|2,191||",
    };
    for (int r = 1; r <= 12; ++r)
        EXPECT_EQ(row(r), want[r - 1]) << "row " << r;
    EXPECT_EQ(f.GrdSM.rows(), 13);
    EXPECT_EQ(f.GrdSM.topRow(), 10);
    EXPECT_EQ(f.simRows, 10);
    EXPECT_EQ(f.Label6.caption, QStringLiteral("S絞り100　W絞り40"));
    EXPECT_EQ(f.Combo1.text, QStringLiteral("100"));
    EXPECT_EQ(f.Label2.caption, QStringLiteral("1234"));
    EXPECT_EQ(f.Command6.backColor, 15);
    // The window repaints after the button colours and after each prediction.
    EXPECT_EQ(ws.host.eventPasses, 11);
    EXPECT_TRUE(f.GrdA[0].visible());
    EXPECT_TRUE(f.GrdSS2.visible());
}

TEST_F(Tally, RatesAreFlooredInWholeNumbers) {
    struct Case {
        int hits;
        int count;
        const char* want;
    };
    const Case cases[] = {{29, 100, "勝率:29%"},
                          {1, 3, "勝率:33%"},
                          {2, 3, "勝率:66%"},
                          {57, 100, "勝率:57%"},
                          {10, 10, "勝率:100%"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.want);
        outcomes.clear();
        const int first = 200 - c.count;
        for (int d = first; d < first + c.hits; ++d)
            outcomes[d] = {1, 1, 1, 0, 1, 1, 1};
        runCount(200, c.count);
        EXPECT_EQ(f.GrdSM.text(c.count + 1, 6), QString::fromUtf8(c.want));
        EXPECT_EQ(f.GrdSM.text(c.count + 1, 11), QString::fromUtf8(c.want));
        if (c.hits == 0) { // no hit at all: both payout sums show 0
            EXPECT_EQ(f.GrdSM.text(c.count + 2, 6), QStringLiteral("0"));
            EXPECT_EQ(f.GrdSM.text(c.count + 2, 11), QStringLiteral("0"));
        }
    }
}

TEST_F(Tally, ChecksChooseTheNarrowing) {
    struct Case {
        int check3, check4, check5;
        const char* wantLog; // per draw: prediction, ②集計, narrowing
    };
    const Case cases[] = {{0, 0, 0, "YJN24"},
                          {1, 1, 1, "YJN2C"},
                          {0, 1, 1, "YJN2A"},
                          {0, 0, 1, "YJN2X"},
                          {1, 0, 0, "YJN2C"}};
    for (const auto& c : cases) {
        f.Check3.value = c.check3;
        f.Check4.value = c.check4;
        f.Check5.value = c.check5;
        log.clear();
        runCount(101, 2);
        EXPECT_EQ(log, std::string(c.wantLog) + c.wantLog);
    }
}

TEST_F(Tally, RangeStartsNoLowerThanDraw51) {
    struct Case {
        int selected;
        int count;
        int wantRows; // 0: no data
        const char* wantFirst;
    };
    const Case cases[] = {
        {101, 10, 10, "91"},
        {56, 10, 5, "51"},
        {52, 100, 1, "51"},
        {51, 10, 0, ""},
        {20, 10, 0, ""},
        {101, 0, 0, ""},
        // Only draws of the history are replayed.
        {205, 10, 6, "195"},
        {230, 10, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.selected);
        f.GrdSMClear();
        f.simRows = -1;
        ws.host.messages.clear();
        runCount(c.selected, c.count);
        if (c.wantRows == 0) {
            ASSERT_EQ(ws.host.messages.size(), 1u);
            EXPECT_EQ(ws.host.messages[0].text, QStringLiteral("抽選結果のデータがありません。"));
            EXPECT_EQ(ws.host.messages[0].title, QStringLiteral("Tessarin"));
            EXPECT_EQ(f.simRows, -1);
            EXPECT_EQ(f.GrdSM.text(1, 0), QString());
            EXPECT_EQ(log, "");
        } else {
            EXPECT_EQ(ws.host.messages.size(), 0u);
            EXPECT_EQ(f.simRows, c.wantRows);
            EXPECT_EQ(f.GrdSM.text(1, 0), QString::fromUtf8(c.wantFirst));
            EXPECT_EQ(f.GrdSM.text(c.wantRows + 2, 0), QStringLiteral("%1件").arg(c.wantRows));
        }
        EXPECT_TRUE(f.GrdA[0].visible());
        EXPECT_TRUE(f.Grd1a.visible());
        log.clear();
    }
}

TEST_F(Tally, KeepsCellsItDoesNotWriteWhenNotCleared) {
    outcomes[81] = {1, 1, 1, 0, 1, 1, 1};
    runCount(101, 20); // draws 81..100: row 1 is a hit
    f.Command15_Click();
    EXPECT_EQ(f.GrdSM.text(1, 5), QStringLiteral("〇"));
    EXPECT_EQ(f.GrdSM.text(1, 17), QStringLiteral("400"));

    runCount(101, 10); // draws 91..100 without hits, no GrdSMClear in between
    EXPECT_EQ(f.GrdSM.rows(), 13);
    EXPECT_EQ(f.GrdSM.text(1, 0), QStringLiteral("91"));
    EXPECT_EQ(f.GrdSM.text(1, 5), QStringLiteral("〇"));   // stale mark of draw 81
    EXPECT_EQ(f.GrdSM.text(1, 10), QStringLiteral("〇"));  // stale narrowed mark
    EXPECT_EQ(f.GrdSM.text(1, 17), QStringLiteral("400")); // stale what-if cost
    EXPECT_EQ(f.GrdSM.text(11, 3), QStringLiteral("10"));  // row of draw 91 in the first run
    EXPECT_EQ(f.GrdSM.text(12, 0), QStringLiteral("10件"));

    f.GrdSMClear();
    runCount(101, 10);
    EXPECT_EQ(f.GrdSM.text(1, 5), QString());
    EXPECT_EQ(f.GrdSM.text(1, 17), QString());
}

TEST_F(Tally, LongerRunAfterAShortOneGrowsTheGrid) {
    runCount(101, 10);
    ASSERT_EQ(f.GrdSM.rows(), 13);
    runCount(131, 30);
    EXPECT_EQ(f.GrdSM.rows(), 33);
    EXPECT_EQ(f.GrdSM.text(30, 0), QStringLiteral("130"));
    EXPECT_EQ(f.GrdSM.text(32, 0), QStringLiteral("30件"));
}

TEST_F(Tally, MonthRange) {
    testing_support::fillHistoryGrid(f, plainHistory(5100)); // 2020/01/02 to 2033/12/18
    f.Option1.selected = 1;
    f.Combo3[0].text = QStringLiteral("2033");
    f.Combo3[1].text = QStringLiteral("11");
    simulate::runTally(f, chain);
    EXPECT_EQ(f.simRows, 30);
    EXPECT_EQ(f.GrdSM.text(1, 0), QStringLiteral("5053"));
    EXPECT_EQ(f.GrdSM.text(1, 2), QStringLiteral("33/11/01"));
    EXPECT_EQ(f.GrdSM.text(30, 0), QStringLiteral("5082"));
    EXPECT_EQ(f.GrdSM.text(32, 0), QStringLiteral("30件"));

    f.Combo3[1].text = QStringLiteral("13");
    simulate::runTally(f, chain);
    ASSERT_EQ(ws.host.messages.size(), 1u);
    EXPECT_EQ(ws.host.messages[0].text, QStringLiteral("抽選結果のデータがありません。"));
    EXPECT_EQ(f.simRows, 30);
}

} // namespace
