// Long tallies on the bundled history: the chain over a hundred draws, stopping one, the
// worker's copy of the window, the choice of the narrowing, and the strategy table and the
// walk-forward against the tallies they stand for.
#include "simulate/StrategyTable.h"
#include "simulate/TallyWorker.h"
#include "support/TestHistory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <random>
#include <set>

using testing_support::gridRows;

namespace {

// A tally of the `count` draws before `selectedDraw`, with the sizes the strategy tests use.
void chooseCount(mainwindow::MainForm& f, int selectedDraw, int count) {
    f.Option1.selected = 0;
    f.Combo1.text = QString::number(selectedDraw);
    f.Combo3[2].text = QString::number(count);
    f.Combo4[0].text = QStringLiteral("60");
    f.Combo4[1].text = QStringLiteral("40");
}

class LongTally : public ::testing::Test {
protected:
    LongTally() : f((ws.writeHistoryRecords(testing_support::bundledHistory()), ws.load())) {}

    testing_support::Workspace ws;
    mainwindow::MainForm& f;
};

TEST_F(LongTally, StoppingLeavesThePreviousTallyAsItWas) {
    f.GrdSMClear();
    chooseCount(f, 7001, 10);
    f.Command3_Click();
    ASSERT_EQ(f.simRows, 10);
    const QStringList tally = gridRows(f.GrdSM);
    const QString baseline = f.LabBaseline.caption;

    for (int stopAfter : {0, 1, 15}) {
        SCOPED_TRACE(stopAfter);
        chooseCount(f, 6901, 20);
        ws.host.stopAfter = stopAfter;
        f.Command3_Click();
        EXPECT_EQ(gridRows(f.GrdSM), tally);
        EXPECT_EQ(f.simRows, 10);
        EXPECT_EQ(f.LabBaseline.caption, baseline);
        EXPECT_TRUE(ws.host.messages.empty());
    }
    ws.host.stopAfter = 20; // asks to stop only once every draw is done
    f.Command3_Click();
    EXPECT_EQ(f.simRows, 20);
    EXPECT_NE(f.LabBaseline.caption, baseline);
    EXPECT_EQ(ws.host.progressTexts.count(QStringLiteral("シュミ集計中…")), 5);
}

// The what-ifs of the whole history are the same after a month's tally as on their own.
TEST_F(LongTally, WhatIfTotalsOfTheWholeHistoryDoNotDependOnTheRunBefore) {
    const auto totals = [&] {
        f.Option1.selected = 2;
        f.Command3_Click();
        EXPECT_EQ(f.tallyRangeTitle, QStringLiteral("全期間（第51回〜第%1回）").arg(f.HistRows));
        QStringList shown;
        for (const auto& w : simulate::whatIfs()) {
            (f.*w.handler)();
            for (int r : {f.simRows + 1, f.simRows + 2})
                shown << f.GrdSM.text(r, 16) + u'|' + f.GrdSM.text(r, 17);
        }
        return shown;
    };
    const QStringList alone = totals();
    f.Option1.selected = 1;
    f.Combo3[0].text = QStringLiteral("2026");
    f.Combo3[1].text = QStringLiteral("7");
    f.Command3_Click();
    f.Command15_Click();
    ASSERT_GT(f.simRows, 15);
    EXPECT_EQ(totals(), alone);
}

// The worker starts from a copy of everything the window holds: a window with its own
// sizes, switches, pair and prediction tallies on the worker exactly as in place.
TEST_F(LongTally, ATallyOnTheWorkerEqualsTheTallyInPlace) {
    f.LabCom1.caption = QStringLiteral("6800");
    f.LabStart_Click();
    chooseCount(f, 6601, 30); // sizes no start level gives
    f.Option2.selected = 4;
    f.Check1.value = 1;
    f.Check2.value = 1;
    f.Check3.value = 1;
    simulate::TallyWorker worker(f);
    ASSERT_TRUE(worker.run());
    worker.apply(f);
    const QStringList onWorker = gridRows(f.GrdSM);
    const QString summary = f.Label6.caption + f.LabBaseline.caption;
    simulate::runTally(f, simulate::windowChain(f));
    ASSERT_EQ(f.simRows, 30);
    EXPECT_EQ(onWorker, gridRows(f.GrdSM));
    EXPECT_EQ(summary, f.Label6.caption + f.LabBaseline.caption);
}

// Ticking the switch of a narrowing the tally replays makes the prediction start, シュミ集計
// and the strategy table run that narrowing: what its own button gives. The start ticks
// Check4 and Check5 from its levels and switch, so each row gives those.
TEST_F(LongTally, TickingASwitchRunsExactlyThatNarrowing) {
    // The start's switch and levels (YosoOpt, YosoSSLevel, YosoDSLevel) that choose each one.
    const std::map<std::string, std::array<int, 3>> starts = {
        {"sw", {0, 1, 1}}, {"cframe", {0, 1, 1}}, {"axis", {1, 3, 3}}, {"axis2", {1, 1, 1}}};
    chooseCount(f, 6801, 20);
    const auto table = simulate::strategyTable(f, 2), alone = simulate::strategyTable(f, 1);
    ASSERT_TRUE(table && alone);
    ASSERT_EQ(table->size(), 24u);
    // The same on any number of workers, ranked by return.
    for (size_t k = 0; k < table->size(); ++k) {
        const auto &a = (*alone)[k], &b = (*table)[k];
        EXPECT_EQ(std::tie(a.pair, a.narrow, a.boxes, a.hits, a.payoutYen, a.pAtLeast),
                  std::tie(b.pair, b.narrow, b.boxes, b.hits, b.payoutYen, b.pAtLeast));
        EXPECT_TRUE(k == 0 || (*table)[k - 1].ratio >= b.ratio) << k;
    }
    QStringList tallies;
    for (const simulate::FormAction* n : simulate::strategyNarrowings()) {
        SCOPED_TRACE(n->key);
        ASSERT_TRUE(starts.contains(n->key)) << "no start levels for this narrowing";
        std::tie(f.YosoOpt, f.YosoSSLevel, f.YosoDSLevel) = std::tuple_cat(starts.at(n->key));
        f.Check3.value = n->tallySwitch == &mainwindow::MainForm::Check3 ? 1 : 0;
        f.LabCom1.caption = QStringLiteral("6900");
        f.LabStart_Click();
        ASSERT_STREQ(simulate::chosenNarrowing(f).key, n->key);
        const QStringList started = gridRows(f.GrdSS2) + gridRows(f.GrdWW2);
        f.Command1_Click();
        f.Command2_Click();
        (f.*n->handler)();
        EXPECT_EQ(started, gridRows(f.GrdSS2) + gridRows(f.GrdWW2));

        chooseCount(f, 6801, 20);
        simulate::chooseNarrowing(f, *n);
        f.Command3_Click();
        const QStringList tallied = gridRows(f.GrdSM);
        simulate::TallyChain byHand = simulate::windowChain(f);
        byHand.narrowing = [&] { (f.*n->handler)(); };
        simulate::runTally(f, byHand);
        EXPECT_EQ(tallied, gridRows(f.GrdSM));
        tallies.append(tallied.join(u'|'));

        long long boxes = 0;
        int hits = 0;
        for (int r = 1; r <= 20; ++r) {
            boxes += f.GrdSM.text(r, 8).toInt() + f.GrdSM.text(r, 9).toInt();
            hits += !f.GrdSM.text(r, 10).isEmpty();
        }
        const auto entry = std::find_if(table->begin(), table->end(), [&](const auto& e) {
            return e.pair == f.Option2.selected && e.narrowName == QLatin1StringView(n->key);
        });
        ASSERT_NE(entry, table->end());
        EXPECT_EQ(std::tie(entry->draws, entry->boxes, entry->costYen, entry->hits),
                  std::make_tuple(20, boxes, boxes * 200, hits));
        EXPECT_EQ(QString::number(entry->payoutYen), QString(f.GrdSM.text(22, 11)).remove(u','));
        EXPECT_EQ(entry->pAtLeast, f.tallyBaseline.pAtLeast);
    }
    // Otherwise a narrowing run in place of another could go unseen.
    tallies.removeDuplicates();
    EXPECT_EQ(tallies.size(), simulate::strategyNarrowings().size());
}

QString box(QString number) {
    std::sort(number.begin(), number.end());
    return number;
}

// What any chain must keep: a narrowed list never exceeds or out-hits its basic list; the
// list a draw hit, predicted by hand, holds the drawn box. (The marks, payouts and rates
// themselves: SimulationTallyTest; a draw replayed alone: VerifyCommandsTest.)
TEST_F(LongTally, HundredDrawsAgreeWithTheHandPrediction) {
    chooseCount(f, 7001, 100);
    f.Command3_Click();
    auto cell = [this](int r, int c) { return f.GrdSM.text(r, c); };
    auto count = [this](int r, int c) { return f.GrdSM.text(r, c).toInt(); };
    ASSERT_EQ(f.simRows, 100);
    int narrowed = 0, hitRow = 0;
    for (int r = 1; r <= 100; ++r) {
        SCOPED_TRACE(6900 + r);
        EXPECT_LE(count(r, 8), count(r, 3));
        EXPECT_LE(count(r, 9), count(r, 4));
        narrowed += count(r, 8) + count(r, 9) < count(r, 3) + count(r, 4);
        hitRow = cell(r, 5).isEmpty() ? hitRow : r;
        EXPECT_TRUE(cell(r, 10).isEmpty() || cell(r, 10) == cell(r, 5));
    }
    EXPECT_GT(narrowed, 0);

    ASSERT_GT(hitRow, 0);
    const int draw = 6900 + hitRow;
    const bool single = cell(hitRow, 5) == QStringLiteral("〇");
    f.Combo1.text = QString::number(draw);
    f.Combo1_Click();
    f.Command1_Click();
    f.Command2_Click();
    const ui::Grid& list = single ? f.GrdSS : f.GrdWW;
    bool found = false;
    for (int r = 1; r <= (single ? f.basicCountS : f.basicCountW); ++r)
        found = found || box(list.text(r, mainwindow::ListCol::Number)) ==
                             box(f.Grd2.text(draw, mainwindow::Grd2Col::WinNumber));
    EXPECT_TRUE(found);
}

// Each draw of the walk-forward is played with the setting the table ranks first over the
// draws just before it, and pays what a tally of that setting alone pays on it.
TEST(WalkForward, FollowsTheTableOfTheDrawsJustBefore) {
    testing_support::Workspace ws;
    std::mt19937 rng(22);
    std::vector<QString> numbers;
    for (int i = 0; i < 80; ++i)
        numbers.push_back(QStringLiteral("%1").arg(rng() % 10000, 4, 10, QChar(u'0')));
    ws.writeHistory(testing_support::weekdayDraws(80, QStringLiteral("2020/01/06"), numbers));
    mainwindow::MainForm& f = ws.load();
    chooseCount(f, 81, 12); // draws 69 to 80
    const int window = 6;
    const auto study = simulate::strategyStudy(f, 2, window);
    ASSERT_TRUE(study);
    const simulate::WalkForward& walk = study->walk;
    ASSERT_EQ(walk.choices.size(), 12u);

    const auto narrowings = simulate::strategyNarrowings();
    std::set<std::pair<int, int>> chosen;
    std::vector<simulate::TallyDraw> played;
    for (const auto& c : walk.choices) {
        SCOPED_TRACE(c.drawNo);
        chooseCount(f, c.drawNo, window);
        const auto table = simulate::strategyTable(f, 1);
        ASSERT_TRUE(table && !table->empty());
        EXPECT_EQ(std::pair(c.pair, c.narrow),
                  std::pair(table->front().pair, table->front().narrow));
        chosen.insert({c.pair, c.narrow});
        chooseCount(f, c.drawNo + 1, 1);
        f.Option2.selected = c.pair;
        simulate::chooseNarrowing(f, *narrowings[static_cast<size_t>(c.narrow)]);
        f.Command3_Click();
        ASSERT_EQ(f.tallyDraws.size(), 1u);
        played.push_back(f.tallyDraws.front());
    }
    EXPECT_GT(chosen.size(), 1u); // the ranking changes along the range
    const simulate::TallyTotals totals = simulate::tallyTotals(played);
    EXPECT_GT(totals.payoutYen, 0);
    EXPECT_EQ(std::tie(walk.totals.boxes, walk.totals.hits, walk.totals.payoutYen),
              std::tie(totals.boxes, totals.hits, totals.payoutYen));
    EXPECT_EQ(walk.baseline.pAtLeast, simulate::tallyBaseline(played).pAtLeast);

    // Only draws with a whole window of predictable draws before them are played.
    chooseCount(f, 81, 12);
    const auto wide = simulate::strategyStudy(f, 1, 25);
    ASSERT_TRUE(wide);
    ASSERT_EQ(wide->walk.choices.size(), 5u);
    EXPECT_EQ(wide->walk.choices.front().drawNo, 76);
}

} // namespace
