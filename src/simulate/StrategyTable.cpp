// The strategy table: every pair and narrowing tallied over one range, on all cores.
#include "StrategyTable.h"

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

// What Yoso, Jyuni and NewVerSort leave for ②集計 and the narrowings: the candidate digit
// tables, the marker digit and the axis digits. They depend on the draw alone.
struct DrawPrediction {
    std::vector<QString> digitTables; // Grd1a rows 0.., all columns, row-major
    QString marker;
    std::array<QString, 2> axisCaptions;
    int axis1 = 0, axis2 = 0;
};

DrawPrediction capture(const mainwindow::MainForm& f) {
    DrawPrediction p;
    const ui::Grid& g = f.Grd1a;
    p.digitTables.reserve(static_cast<size_t>(g.rows()) * g.cols());
    for (int r = 0; r < g.rows(); ++r)
        for (int c = 0; c < g.cols(); ++c)
            p.digitTables.push_back(g.text(r, c));
    p.marker = f.Label12.caption;
    p.axisCaptions = {f.LabJiku[0].caption, f.LabJiku[1].caption};
    p.axis1 = f.axisDigit1;
    p.axis2 = f.axisDigit2;
    return p;
}

void restore(const DrawPrediction& p, mainwindow::MainForm& f) {
    ui::Grid& g = f.Grd1a;
    size_t k = 0;
    for (int r = 0; r < g.rows(); ++r)
        for (int c = 0; c < g.cols(); ++c)
            if (const QString& want = p.digitTables[k++]; g.text(r, c) != want)
                g.setText(r, c, want);
    f.Label12.caption = p.marker;
    f.LabJiku[0].caption = p.axisCaptions[0];
    f.LabJiku[1].caption = p.axisCaptions[1];
    f.axisDigit1 = p.axis1;
    f.axisDigit2 = p.axis2;
}

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
    const int draws = last - first + 1;
    const std::vector<const FormAction*> narrows = strategyNarrowings();
    const int narrowCount = static_cast<int>(narrows.size());
    const int settings = kPairs * narrowCount;
    const int total = draws + settings * draws;
    std::atomic<int> done{0};
    std::atomic<bool> stop{false};

    // The prediction of every draw, split over the workers by draw.
    std::vector<DrawPrediction> predictions(static_cast<size_t>(draws));
    auto predict = [&](int t) {
        const auto w = strategyWorker(window);
        auto& f = w->form();
        for (int i = first + t; i <= last && !stop.load(); i += threads) {
            f.Combo1.text = ui::numberText(i);
            f.Label2.caption = f.Grd2.text(i, mainwindow::Grd2Col::WinNumber);
            f.Yoso();
            f.Jyuni();
            f.NewVerSort();
            predictions[static_cast<size_t>(i - first)] = capture(f);
            ++done;
        }
    };
    if (!runOnThreads(threads, predict, done, total, stop, progress))
        return std::nullopt;

    // Each setting is a tally of its own; the settings are taken in turn by the workers.
    SettingRuns runs;
    runs.draws.resize(static_cast<size_t>(settings));
    runs.pairNames.resize(kPairs);
    runs.narrowTitles.resize(static_cast<size_t>(narrowCount));
    std::atomic<int> next{0};
    auto tally = [&](int) {
        for (int s = next++; s < settings && !stop.load(); s = next++) {
            const auto w = strategyWorker(window);
            auto& f = w->form();
            const int pair = s / narrowCount;
            f.GrdSMClear();
            // The range as a count before a draw, whichever way the window chose it.
            f.Option1.selected = 0;
            f.Combo1.text = ui::numberText(last + 1);
            f.Combo3[2].text = ui::numberText(draws);
            f.Option2.selected = pair;
            chooseNarrowing(f, *narrows[static_cast<size_t>(s % narrowCount)]);
            TallyChain chain = windowChain(f);
            chain.Yoso = [&f, &predictions, first] {
                const auto draw = static_cast<int>(ui::leadingInt(f.Combo1.text));
                restore(predictions[static_cast<size_t>(draw - first)], f);
            };
            chain.Jyuni = [] {};
            chain.NewVerSort = [] {};
            if (!w->run(chain, [&](int, int) {
                    ++done;
                    return !stop.load();
                }))
                return;
            runs.draws[static_cast<size_t>(s)] = std::move(f.tallyDraws);
            if (s % narrowCount == 0)
                runs.pairNames[static_cast<size_t>(pair)] = f.Option2.captions.value(pair);
            if (s < narrowCount)
                runs.narrowTitles[static_cast<size_t>(s)] =
                    actionTitle(f, *narrows[static_cast<size_t>(s)]);
        }
    };
    if (!runOnThreads(threads, tally, done, total, stop, progress))
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
            cost[s] += sign * (d.bought.singlesBought + d.bought.doublesBought) * kBoxPriceYen;
            payout[s] += sign * (d.narrowedHit ? d.bought.boxPayoutYen : 0);
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
