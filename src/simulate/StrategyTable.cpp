// The strategy table: every pair and narrowing tallied over one range, on all cores.
#include "StrategyTable.h"

#include "TallyRecord.h"
#include "TallyWorker.h"
#include "mainwindow/MainForm.h"
#include "ui/Numeric.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

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

// Runs job(worker index) on `threads` threads while the calling thread reports progress.
template <typename Job>
bool runOnThreads(int threads, Job job, const std::atomic<int>& done, int total,
                  std::atomic<bool>& stop, const TallyProgress& progress) {
    std::atomic<int> finished{0};
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t)
        pool.emplace_back([&, t] {
            job(t);
            ++finished;
        });
    while (finished.load() < threads) {
        if (progress && !stop.load() && !progress(done.load(), total))
            stop = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    for (auto& t : pool)
        t.join();
    return !stop.load();
}

} // namespace

std::vector<const FormAction*> strategyNarrowings() {
    std::vector<const FormAction*> inTally;
    for (const FormAction& n : narrowings())
        if (n.inTally)
            inTally.push_back(&n);
    return inTally;
}

void chooseTallyNarrowing(mainwindow::MainForm& f, const FormAction& narrowing) {
    for (const FormAction& n : narrowings())
        if (n.tallySwitch)
            (f.*n.tallySwitch).value = &n == &narrowing ? 1 : 0;
}

std::optional<std::vector<StrategyEntry>>
strategyTable(const mainwindow::MainForm& window, int threads, const TallyProgress& progress) {
    threads = std::max(threads, 1);
    int first = 0, last = 0;
    {
        TallyWorker probe(window);
        if (!tallyRange(probe.form(), first, last))
            return std::vector<StrategyEntry>{};
    }
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
    std::vector<StrategyEntry> entries(static_cast<size_t>(settings));
    std::atomic<int> next{0};
    auto tally = [&](int) {
        for (int s = next++; s < settings && !stop.load(); s = next++) {
            const auto w = strategyWorker(window);
            auto& f = w->form();
            const int pair = s / narrowCount;
            const int narrow = s % narrowCount;
            f.GrdSMClear();
            f.Option2.selected = pair;
            chooseTallyNarrowing(f, *narrows[static_cast<size_t>(narrow)]);
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
            const TallyTotals totals = tallyTotals(f.tallyDraws);
            StrategyEntry& e = entries[static_cast<size_t>(s)];
            e.pair = pair;
            e.narrow = narrow;
            e.pairName = f.Option2.captions.value(pair);
            e.narrowName = QString::fromLatin1(narrows[static_cast<size_t>(narrow)]->key);
            // Without the note some captions carry after an ideographic space.
            e.narrowTitle =
                (f.*narrows[static_cast<size_t>(narrow)]->button).caption.section(u'　', 0, 0);
            e.draws = totals.draws;
            e.boxes = totals.boxes;
            e.costYen = totals.costYen;
            e.hits = totals.hits;
            e.payoutYen = totals.payoutYen;
            e.ratio = totals.costYen > 0 ? static_cast<double>(totals.payoutYen) /
                                               static_cast<double>(totals.costYen)
                                         : 0;
            e.pAtLeast = f.tallyBaseline.pAtLeast;
        }
    };
    if (!runOnThreads(threads, tally, done, total, stop, progress))
        return std::nullopt;

    std::stable_sort(
        entries.begin(), entries.end(),
        [](const StrategyEntry& a, const StrategyEntry& b) { return a.ratio > b.ratio; });
    return entries;
}

} // namespace simulate
