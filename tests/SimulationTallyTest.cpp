// The tally's own bookkeeping, with the per-draw procedures scripted by the test, the purchase
// what-ifs over a tally written by hand, and the chance baseline: what random box tickets of
// the same kinds would have won.
#include "simulate/SimulationTally.h"
#include "simulate/Actions.h"
#include "simulate/Baseline.h"
#include "simulate/WorkerThreads.h"
#include "support/HistoryGrid.h"
#include "support/TestHistory.h"
#include "ui/Numeric.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <stdexcept>
#include <thread>

using mainwindow::TallyCol;
using simulate::BaselineDraw;
using Kind = BaselineDraw::Kind;

namespace {

// What the scripted chain reports for one draw; a narrowed count of -1: the narrowing
// leaves the counts alone, as one that finds no basic list does.
struct Outcome {
    int basicS = 10, basicW = 20, hitS = 0, hitW = 0, narrowS = 5, narrowW = 6, narrowHit = 0;
};
const Outcome kHit = {1, 1, 1, 0, 1, 1, 1};

class Tally : public ::testing::Test {
protected:
    Tally() : f(*ws.form) {
        // Draws 1..200 on consecutive days, each with its own payout (1000 + draw) and, for
        // every third draw, a W・S prediction that came true.
        std::vector<testing_support::GridDraw> draws;
        for (int r = 1; r <= 200; ++r) {
            const bool s = r % 2 == 0;
            draws.push_back(
                {s ? "1234" : "1123", QDate(2020, 1, 1).addDays(r).toString("yyyy/MM/dd"),
                 QString::number(1000 + r), s ? "S" : "W", r % 3 ? "" : (s ? "〇" : "●")});
        }
        testing_support::fillHistoryGrid(f, draws);
        f.GrdSMClear();
        // Each step logs its letter; ②集計 reports the basic lists, a narrowing the narrowed.
        auto step = [this](char name) {
            return [this, name] {
                log += name;
                const auto it = outcomes.find(f.Combo1.text.toInt());
                const Outcome o = it == outcomes.end() ? Outcome{} : it->second;
                if (name == '2') {
                    std::tie(f.basicCountS, f.basicCountW, f.hitS, f.hitW) =
                        std::tie(o.basicS, o.basicW, o.hitS, o.hitW);
                } else if (name == '4' && o.narrowS >= 0) {
                    std::tie(f.narrowCountS, f.narrowCountW) = std::tie(o.narrowS, o.narrowW);
                    f.narrowHit = o.narrowHit != 0 ? o.narrowHit : f.narrowHit;
                }
            };
        };
        chain = {step('Y'), step('J'), step('N'), step('2'), step('4')};
    }

    void runCount(int selectedDraw, int count) {
        f.Option1.selected = 0;
        f.Combo1.text = QString::number(selectedDraw);
        f.Combo3[2].text = QString::number(count);
        simulate::runTally(f, chain);
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
    outcomes[99] = {0, 0, 0, 0, -1, -1, 0};  // nothing to narrow: nothing bought
    runCount(101, 10);

    // All columns a tally writes (not the separators or the what-if columns), by row; the rows
    // left out repeat rows 1 and 6 but for the draw and date.
    const std::map<int, const char*> want = {
        {1, "91|1123|20/04/01|10|20|||5|6|||W|"},
        {3, "93|1123|20/04/03|30|40|〇|1093|12|8|〇|1093|W|●"},
        {5, "95|1123|20/04/05|31|41|●|1095|13|9|||W|"},
        {6, "96|1234|20/04/06|10|20|||5|6|||S|〇"},
        {8, "98|1234|20/04/08|32|42|●|1098|14|7|●|1098|S|"},
        {9, "99|1123|20/04/09|0|0|||0|0|||W|●"},
        {10, "100|1234|20/04/10|10|20|||5|6|||S|"},
        {11, "||||||勝率:30%||||勝率:20%||当率:30%"},
        {12, "10件|||||S:1 W:2|3,286|||S:1 W:1|2,191||"},
    };
    for (const auto& [r, row] : want) {
        QStringList cells;
        for (int c : {0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 13, 14})
            cells.append(f.GrdSM.text(r, c));
        EXPECT_EQ(cells.join(u'|'), QString::fromUtf8(row)) << "row " << r;
    }
    EXPECT_EQ(f.GrdSM.topRow(), 10);
}

// Whole-number rates, floored; a run without hits shows 0% and payouts of 0.
TEST_F(Tally, RatesAreFlooredInWholeNumbers) {
    const struct {
        int hits, count;
        const char* want;
    } cases[] = {{29, 100, "勝率:29%"}, {2, 3, "勝率:66%"}, {0, 10, "勝率:0%"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.want);
        outcomes.clear();
        for (int d = 200 - c.count; d < 200 - c.count + c.hits; ++d)
            outcomes[d] = kHit;
        runCount(200, c.count);
        const auto both = [&](int r) {
            return f.GrdSM.text(r, TallyCol::BasicPayout) + u'|' +
                   f.GrdSM.text(r, TallyCol::NarrowPayout);
        };
        EXPECT_EQ(both(c.count + 1), QString::fromUtf8(c.want) + u'|' + QString::fromUtf8(c.want));
        EXPECT_TRUE(c.hits > 0 || both(c.count + 2) == QStringLiteral("0|0"));
    }
}

TEST_F(Tally, RangeStartsNoLowerThanDraw51AndStaysInTheHistory) {
    const struct {
        int selected, count, wantRows; // 0 rows: refused
        const char* wantFirst;
    } cases[] = {{56, 10, 5, "51"}, {52, 100, 1, "51"},  {51, 10, 0, ""},
                 {101, 0, 0, ""},   {205, 10, 6, "195"}, {230, 10, 0, ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.selected);
        f.GrdSMClear();
        f.simRows = -1;
        ws.host.messages.clear();
        log.clear();
        runCount(c.selected, c.count);
        const bool refused = c.wantRows == 0;
        EXPECT_EQ(ws.host.messages.size(), refused ? 1u : 0u);
        EXPECT_EQ(log.empty(), refused);
        EXPECT_EQ(f.simRows, refused ? -1 : c.wantRows);
        // A refused run leaves no figures of an earlier one behind.
        EXPECT_EQ(f.tallyDraws.empty(), refused);
        EXPECT_EQ(f.LabBaseline.caption.isEmpty(), refused);
        EXPECT_EQ(f.GrdSM.text(1, TallyCol::Number), QString::fromUtf8(c.wantFirst));
        EXPECT_EQ(f.GrdSM.text(c.wantRows + 2, TallyCol::Number),
                  refused ? QString() : QStringLiteral("%1件").arg(c.wantRows));
    }
}

// The chance baseline gets what the narrowed lists bought, each draw's kind and payout and the
// tally's hits (BaselineTest, below, works the same three draws exactly).
TEST_F(Tally, BaselineOfTheNarrowedLists) {
    std::vector<testing_support::GridDraw> draws(50, {"0000", "2020/01/01"});
    draws.push_back({"1234", "2020/03/02", "30000"});
    draws.push_back({"1123", "2020/03/03", "90000"});
    draws.push_back({"1122", "2020/03/04", "500000"});
    testing_support::fillHistoryGrid(f, draws);
    outcomes[51] = {30, 40, 1, 0, 21, 50, 1};
    outcomes[52] = {30, 40, 0, 0, 80, 36, 0};
    outcomes[53] = {30, 40, 0, 0, 100, 100, 0};
    runCount(54, 3);

    EXPECT_EQ(f.tallyDraws.size(), 3u);
    EXPECT_EQ(f.LabBaseline.caption,
              QStringLiteral("偶然なら: 当たり 0.2 回, 配当 ¥12,000, これ以上の確率 19%"));
    EXPECT_EQ(simulate::moneyCaption(*simulate::tallyMoney(f)),
              QStringLiteral("購入額 ¥77,400　配当 ¥30,000　収支 -¥47,400　回収率 38.8%"));
}

// A job that throws on one thread stops the others and reaches the caller once all have ended,
// instead of ending the program.
TEST(WorkerThreads, AThrowingJobIsRethrownOnTheCallersThread) {
    std::atomic<int> done{0}, ended{0};
    std::atomic<bool> stop{false};
    const auto job = [&](int t) {
        if (t == 1)
            throw std::runtime_error("job 1 failed");
        while (!stop.load())
            std::this_thread::yield();
        ++ended;
    };
    try {
        simulate::runOnThreads(3, job, done, 0, stop, {});
        FAIL() << "the exception did not reach the caller";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "job 1 failed");
    }
    EXPECT_EQ(ended.load(), 2);
}

using F = mainwindow::MainForm;

// A tally of draws 101 to 105 written by hand: each draw's number and payout in Grd2, and the
// tally columns a simulation would have written. Columns 16 and 17 hold stale text.
class WhatIf : public ::testing::Test {
protected:
    WhatIf() : f(*ws.form) {
        // number, payout, then GrdSM cols 0 draw, 3/4 basic S/W counts, 5 basic mark, 8/9
        // narrowed counts, 10 narrowed mark, 13 W・S prediction, 14 W・S mark
        const char* rows[][11] = {
            {"1234", "37500", "101", "50", "80", "〇", "12", "30", "〇", "S", "〇"},
            {"1123", "9000", "102", "40", "70", "●", "10", "20", "", "S", ""},
            {"4456", "12000", "103", "30", "60", "●", "5", "7", "●", "W", "●"},
            {"5678", "5000", "104", "20", "50", "", "8", "6", "", "-", ""},
            {"1357", "7000", "105", "10", "40", "〇", "4", "3", "〇", "W", "●"},
        };
        const int cols[] = {0, 3, 4, 5, 8, 9, 10, 13, 14};
        std::vector<testing_support::GridDraw> draws(105, {QStringLiteral("0012")});
        f.GrdSM.setRows(8);
        for (int k = 1; k <= 5; ++k) {
            draws[99 + k] = {rows[k - 1][0], {}, rows[k - 1][1]};
            for (int i = 0; i < 9; ++i)
                f.GrdSM.setText(k, cols[i], QString::fromUtf8(rows[k - 1][i + 2]));
        }
        testing_support::fillHistoryGrid(f, draws);
        for (int k = 1; k <= 7; ++k) {
            f.GrdSM.setText(k, TallyCol::WhatIfPayout, QStringLiteral("old"));
            f.GrdSM.setText(k, TallyCol::WhatIfCost, QStringLiteral("old"));
        }
        f.simRows = 5;
    }

    QStringList column(int col) const {
        QStringList cells;
        for (int k = 1; k <= 7; ++k)
            cells.append(f.GrdSM.text(k, col));
        return cells;
    }

    testing_support::Workspace ws;
    F& f;
};

TEST_F(WhatIf, EachRuleBuysAndWinsAsItSays) {
    const struct {
        const char* name;
        void (F::*handler)();
        ui::Button F::*button;
        const char* wantCost;   // col 17, rows 1 to 7
        const char* wantPayout; // col 16, rows 1 to 7
    } cases[] = {
        // "-" counts as W; row 5 has 〇 against ● and does not win.
        {"all by W・S", &F::Command6_Click, &F::Command6, "2400|2000|1400|1200|600||7,600",
         "37500||12000|||勝率:40%|49,500"},
        // "-" buys nothing.
        {"W only", &F::Command7_Click, &F::Command7, "||1400||600||2,000",
         "||12000|||勝率:20%|12,000"},
        {"S only", &F::Command8_Click, &F::Command8, "2400|2000|||||4,400",
         "37500|||||勝率:20%|37,500"},
        // The draw's real type picks the basic list.
        {"perfect W・S", &F::Command11_Click, &F::Command11, "10000|14000|12000|4000|2000||42,000",
         "37500|9000|12000||7000|勝率:80%|65,500"},
        // Both narrowed lists: 12 + 30 candidates cost 8400.
        {"narrowed only", &F::Command15_Click, &F::Command15, "8400|6000|2400|2800|1400||21,000",
         "37500||12000||7000|勝率:60%|56,500"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        (f.*c.handler)();
        EXPECT_EQ(column(17).join(u'|'), QString::fromUtf8(c.wantCost));
        EXPECT_EQ(column(16).join(u'|'), QString::fromUtf8(c.wantPayout));
        for (const auto& other : cases)
            EXPECT_EQ((f.*other.button).backColor, &other == &c ? 13 : 15) << other.name;
        // The shown what-if's purchase, read back from the totals row.
        const auto shown = simulate::shownWhatIf(f);
        ASSERT_TRUE(shown.has_value());
        EXPECT_EQ(shown->action->button, c.button);
        EXPECT_EQ(ui::groupThousands(shown->money.costYen), column(17).last());
        EXPECT_EQ(ui::groupThousands(shown->money.payoutYen), column(16).last());
    }
}

TEST_F(WhatIf, WithoutATallyThereIsNoWinRate) {
    f.simRows = 0;
    f.Command15_Click();
    EXPECT_EQ(column(16).mid(0, 3), QStringList({"", "0", "old"}));
    EXPECT_EQ(column(17).mid(0, 2), QStringList({"", "0"}));
}

} // namespace

TEST(BaselineTest, ThreeDrawsWorkedByHand) {
    // A single with 21 singles bought, a double with 36 doubles bought, an AABB draw.
    const std::vector<BaselineDraw> draws = {{Kind::Single, 21, 50, 30000},
                                             {Kind::Double, 80, 36, 90000},
                                             {Kind::Other, 100, 100, 500000}};
    const simulate::Baseline one = simulate::chanceBaseline(draws, 1);
    EXPECT_NEAR(one.expectedHits, 0.2, 1e-12);
    EXPECT_NEAR(one.expectedPayoutYen, 3000 + 9000, 1e-9);
    EXPECT_NEAR(one.pAtLeast, 1 - 0.9 * 0.9, 1e-12);
    EXPECT_NEAR(simulate::chanceBaseline(draws, 2).pAtLeast, 0.01, 1e-12);
    EXPECT_EQ(simulate::chanceBaseline(draws, 3).pAtLeast, 0);
    EXPECT_EQ(simulate::chanceBaseline(draws, 0).pAtLeast, 1);
}

TEST(BaselineTest, TailMatchesBruteForceEnumeration) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> kind(0, 2), bought(0, 400), payout(0, 100000);
    for (int trial = 0; trial < 20; ++trial) {
        std::vector<BaselineDraw> draws(1 + trial % 10);
        for (auto& d : draws)
            d = {static_cast<Kind>(kind(rng)), bought(rng), bought(rng), payout(rng)};
        const size_t n = draws.size();
        for (int hits = 0; hits <= static_cast<int>(n) + 1; ++hits) {
            double brute = 0;
            for (unsigned mask = 0; mask < (1u << n); ++mask) {
                double p = 1;
                int won = 0;
                for (size_t i = 0; i < n; ++i) {
                    const double q = simulate::winChance(draws[i]);
                    const bool w = (mask >> i) & 1u;
                    p *= w ? q : 1 - q;
                    won += w;
                }
                if (won >= hits)
                    brute += p;
            }
            EXPECT_NEAR(simulate::chanceBaseline(draws, hits).pAtLeast, brute, 1e-12)
                << "trial " << trial << " hits " << hits;
        }
    }
}

// Holm by hand: the k-th smallest of five times 5 - k + 1, never below the one before, at
// most 1; tied chances get the same adjustment.
TEST(BaselineTest, HolmAdjustedChancesWorkedByHand) {
    const std::vector<std::pair<std::vector<double>, std::vector<double>>> cases = {
        {{0.04, 0.01, 0.04, 0.3, 0.5}, {0.16, 0.05, 0.16, 0.6, 0.6}},
        {{0.01, 0.4, 0.7, 0.02, 0.4}, {0.05, 1, 1, 0.08, 1}},
    };
    for (const auto& [chances, want] : cases) {
        const std::vector<double> got = simulate::holmAdjusted(chances);
        ASSERT_EQ(got.size(), want.size());
        for (size_t k = 0; k < want.size(); ++k)
            EXPECT_NEAR(got[k], want[k], 1e-12) << "chance " << chances[k];
    }
}
