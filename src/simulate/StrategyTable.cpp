// The strategy table: every pair and narrowing tallied over one range, on all cores.
#include "StrategyTable.h"

#include "NarrowingCounter.h"
#include "TallyRecord.h"
#include "TallyWorker.h"
#include "WorkerThreads.h"
#include "mainwindow/MainForm.h"
#include "predict/Analysis.h"
#include "ui/Numeric.h"

#include <algorithm>
#include <atomic>
#include <memory>

namespace simulate {

namespace {

constexpr int kPairs = 6;

// Gives the grid texts of its own. The workers' copies of the history and the box tables
// otherwise share every text with the window and with each other, and the tallies copy those
// texts for every draw: two threads counting references on the same texts slow each other.
void unshareTexts(ui::Grid& g) {
    for (int r = 0; r < g.rows(); ++r)
        for (int c = 0; c < g.cols(); ++c)
            if (const QString& t = g.text(r, c); !t.isEmpty())
                g.setText(r, c, QString(t.constData(), t.size()));
}

// A worker's own form for the strategy table.
std::unique_ptr<TallyWorker> strategyWorker(const mainwindow::MainForm& window) {
    auto w = std::make_unique<TallyWorker>(window);
    for (ui::Grid* g : {&w->form().Grd2, &w->form().GrdS, &w->form().GrdW})
        unshareTexts(*g);
    return w;
}

} // namespace

std::vector<const FormAction*> strategyNarrowings() {
    std::vector<const FormAction*> inTally;
    for (const FormAction& n : narrowings())
        if (n.inTally)
            inTally.push_back(&n);
    return inTally;
}

namespace {

// Every setting's tally over draws first..last, one TallyDraw per draw, indexed by setting
// (pair × narrowings + narrowing), with each pair's name.
struct SettingRuns {
    std::vector<std::vector<TallyDraw>> draws;
    std::vector<QString> pairNames;
    std::vector<QString> narrowTitles; // as the narrowings' buttons name them
};

std::optional<SettingRuns> runSettings(const mainwindow::MainForm& window, int first, int last,
                                       int threads, const TallyProgress& progress) {
    using mainwindow::Grd2Col;
    const int draws = last - first + 1;
    const std::vector<const FormAction*> narrows = strategyNarrowings();
    const int narrowCount = static_cast<int>(narrows.size());
    const int settings = kPairs * narrowCount;
    std::atomic<int> done{0};
    std::atomic<bool> stop{false};

    SettingRuns runs;
    runs.draws.assign(static_cast<size_t>(settings),
                      std::vector<TallyDraw>(static_cast<size_t>(draws)));
    for (int pair = 0; pair < kPairs; ++pair)
        runs.pairNames.push_back(window.Option2.captions.value(pair));
    for (const FormAction* n : narrows)
        runs.narrowTitles.push_back(actionTitle(window, *n));

    // Each draw is predicted once, its basic lists built once per pair and narrowed by every
    // narrowing in turn: what a tally of each setting alone would book for it. Neither list
    // is written into a grid unless a narrowing needs it. The draws are spread over the
    // workers.
    auto work = [&](int t) {
        const auto w = strategyWorker(window);
        auto& f = w->form();
        const ui::Grid& hist = f.Grd2;
        NarrowingCounter counter;
        for (int i = first + t; i <= last && !stop.load(); i += threads) {
            f.Combo1.text = ui::numberText(i);
            f.Label2.caption = hist.text(i, Grd2Col::WinNumber);
            f.Yoso();
            f.Jyuni();
            f.NewVerSort();
            for (int pair = 0; pair < kPairs; ++pair) {
                f.Option2.selected = pair;
                f.hitS = 0;
                f.hitW = 0;
                // The lists are written only for a narrowing the counter cannot work out.
                const mainwindow::MainForm::BasicRows rows = f.basicRows();
                bool written = false;
                for (int n = 0; n < narrowCount; ++n) {
                    const FormAction& narrow = *narrows[static_cast<size_t>(n)];
                    auto& setting = runs.draws[static_cast<size_t>(pair * narrowCount + n)];
                    setting[static_cast<size_t>(i - first)] = playNarrowing(f, i, [&] {
                        if (counter.apply(f, narrow, rows))
                            return;
                        if (!written)
                            f.Command2_Click();
                        written = true;
                        (f.*narrow.handler)();
                    });
                }
            }
            ++done;
        }
    };
    if (!runOnThreads(threads, work, done, draws, stop, progress))
        return std::nullopt;
    return runs;
}

double payoutRatio(long long payoutYen, long long costYen) {
    return costYen > 0 ? static_cast<double>(payoutYen) / static_cast<double>(costYen) : 0;
}

// The table over the runs' draws from..to-1, ranked best first.
std::vector<StrategyEntry> rankedEntries(const SettingRuns& runs, size_t from, size_t to) {
    const auto narrows = strategyNarrowings();
    const size_t narrowCount = narrows.size();
    std::vector<StrategyEntry> entries(runs.draws.size());
    for (size_t s = 0; s < entries.size(); ++s) {
        const auto& all = runs.draws[s];
        const std::vector<TallyDraw> draws(all.begin() + static_cast<std::ptrdiff_t>(from),
                                           all.begin() + static_cast<std::ptrdiff_t>(to));
        const TallyTotals totals = tallyTotals(draws);
        StrategyEntry& e = entries[s];
        e.pair = static_cast<int>(s / narrowCount);
        e.narrow = static_cast<int>(s % narrowCount);
        e.pairName = runs.pairNames[static_cast<size_t>(e.pair)];
        e.narrowName = QString::fromLatin1(narrows[s % narrowCount]->key);
        e.narrowTitle = runs.narrowTitles[s % narrowCount];
        e.draws = totals.draws;
        e.boxes = totals.boxes;
        e.costYen = totals.costYen;
        e.hits = totals.hits;
        e.payoutYen = totals.payoutYen;
        e.ratio = payoutRatio(totals.payoutYen, totals.costYen);
        e.pAtLeast = tallyBaseline(draws).pAtLeast;
    }
    std::vector<double> chances;
    for (const auto& e : entries)
        chances.push_back(e.pAtLeast);
    const std::vector<double> adjusted = holmAdjusted(chances);
    for (size_t s = 0; s < entries.size(); ++s)
        entries[s].pAdjusted = adjusted[s];
    std::stable_sort(
        entries.begin(), entries.end(),
        [](const StrategyEntry& a, const StrategyEntry& b) { return a.ratio > b.ratio; });
    return entries;
}

// Draws from..to-1 of the runs, each played with the setting first over the `window` draws
// before it. Sliding sums of cost and payout stand for a table per draw.
WalkForward walkForward(const SettingRuns& runs, size_t from, size_t to, int window, size_t best) {
    WalkForward walk;
    walk.window = window;
    const size_t settings = runs.draws.size();
    const auto narrowCount = static_cast<int>(strategyNarrowings().size());
    std::vector<long long> cost(settings, 0), payout(settings, 0);
    const auto w = static_cast<size_t>(window);
    auto add = [&](size_t k, long long sign) {
        for (size_t s = 0; s < settings; ++s) {
            const TallyDraw& d = runs.draws[s][k];
            cost[s] += sign * d.costYen();
            payout[s] += sign * d.wonYen();
        }
    };
    for (size_t k = 0; k < to; ++k) {
        if (k >= w) {
            if (k >= from) {
                size_t first = 0;
                double top = payoutRatio(payout[0], cost[0]);
                for (size_t s = 1; s < settings; ++s)
                    if (const double r = payoutRatio(payout[s], cost[s]); r > top) {
                        top = r;
                        first = s;
                    }
                const TallyDraw& d = runs.draws[first][k];
                walk.choices.push_back({d.drawNo, static_cast<int>(first) / narrowCount,
                                        static_cast<int>(first) % narrowCount});
                walk.played.push_back(d);
                walk.best.push_back(runs.draws[best][k]);
            }
            add(k - w, -1);
        }
        add(k, 1);
    }
    walk.totals = tallyTotals(walk.played);
    walk.ratio = payoutRatio(walk.totals.payoutYen, walk.totals.costYen);
    walk.baseline = tallyBaseline(walk.played);
    return walk;
}

// The draws of the range on the window; false when it holds none.
bool windowRange(const mainwindow::MainForm& window, int& first, int& last) {
    TallyWorker probe(window);
    return tallyRange(probe.form(), first, last);
}

} // namespace

std::optional<std::vector<StrategyEntry>>
strategyTable(const mainwindow::MainForm& window, int threads, const TallyProgress& progress) {
    int first = 0, last = 0;
    if (!windowRange(window, first, last))
        return std::vector<StrategyEntry>{};
    const auto runs = runSettings(window, first, last, std::max(threads, 1), progress);
    if (!runs)
        return std::nullopt;
    return rankedEntries(*runs, 0, static_cast<size_t>(last - first + 1));
}

std::optional<StrategyStudy> strategyStudy(const mainwindow::MainForm& window, int threads,
                                           int walkWindow, const TallyProgress& progress) {
    StrategyStudy study;
    walkWindow = std::max(walkWindow, 1);
    study.walk.window = walkWindow;
    int first = 0, last = 0;
    if (!windowRange(window, first, last))
        return study;
    const int start = std::max(first - walkWindow, predict::kFirstPredictableDraw);
    const auto runs = runSettings(window, start, last, std::max(threads, 1), progress);
    if (!runs)
        return std::nullopt;
    const auto from = static_cast<size_t>(first - start);
    const auto to = static_cast<size_t>(last - start + 1);
    study.entries = rankedEntries(*runs, from, to);
    const StrategyEntry& top = study.entries.front();
    const size_t best = static_cast<size_t>(top.pair) * strategyNarrowings().size() +
                        static_cast<size_t>(top.narrow);
    study.walk = walkForward(*runs, from, to, walkWindow, best);
    return study;
}

} // namespace simulate
