// シュミ集計: the prediction chain replayed for every draw of a month or of a count of draws,
// with hits, list sizes, payouts and rates booked into GrdSM.
#include "SimulationTally.h"

#include "Actions.h"
#include "NarrowingCounter.h"
#include "TallyWorker.h"

#include "mainwindow/MainForm.h"
#include "predict/Analysis.h"
#include "ui/Numeric.h"
#include "ui/Palette.h"

#include <algorithm>
#include <atomic>
#include <initializer_list>
#include <memory>
#include <vector>

namespace simulate {

using mainwindow::Grd2Col;
using mainwindow::kHitMarkS;
using mainwindow::kHitMarkW;
using mainwindow::TallyCol;

namespace {

QString ratePercent(const QString& label, long long hits, long long count) {
    return label + QString::number(ui::percentFloor(hits, count)) + u'%';
}

// Hides the work grids while the tally repaints, and shows them again however the tally
// ends: a file fault in the middle must not leave the lists hidden.
class HiddenWhileTallying {
public:
    explicit HiddenWhileTallying(std::initializer_list<ui::Grid*> grids) : grids_(grids) {
        for (auto* g : grids_)
            g->setVisible(false);
    }
    ~HiddenWhileTallying() {
        for (auto* g : grids_)
            g->setVisible(true);
    }
    HiddenWhileTallying(const HiddenWhileTallying&) = delete;
    HiddenWhileTallying& operator=(const HiddenWhileTallying&) = delete;

private:
    std::vector<ui::Grid*> grids_;
};

// The range as the tally sheet is headed: the month, the draws counted, or the whole history.
QString rangeTitle(const mainwindow::MainForm& f, int first, int last) {
    switch (f.Option1.selected) {
    case 1:
        return QStringLiteral("%1年%2月")
            .arg(ui::leadingInt(f.Combo3[0].text))
            .arg(ui::leadingInt(f.Combo3[1].text), 2, 10, QChar(u'0'));
    case 2:
        return QStringLiteral("全期間（第%1回〜第%2回）").arg(first).arg(last);
    default:
        return QStringLiteral("第%1回〜第%2回").arg(first).arg(last);
    }
}

} // namespace

TallyChain windowChain(mainwindow::MainForm& f) {
    // The tally books the narrowing's counts and hit only: worked out without its lists.
    auto narrow = [&f, counter = std::make_shared<NarrowingCounter>()] {
        const FormAction& n = chosenNarrowing(f);
        if (!counter->apply(f, n))
            (f.*n.handler)();
    };
    return {[&f] { f.Yoso(); }, [&f] { f.Jyuni(); }, [&f] { f.NewVerSort(); },
            [&f] { f.Command2_Click(); }, narrow};
}

bool tallyRange(mainwindow::MainForm& f, int& first, int& last) {
    first = 0;
    last = 0;
    if (f.Option1.selected == 0) {
        last = static_cast<int>(ui::leadingInt(f.Combo1.text)) - 1;
        first = last - static_cast<int>(ui::leadingInt(f.Combo3[2].text)) + 1;
        first = std::max(first, predict::kFirstPredictableDraw);
    } else if (f.Option1.selected == 2) {
        first = predict::kFirstPredictableDraw;
        last = f.HistRows;
    } else {
        f.NenGetuS();
        first = f.monthFirstDraw;
        last = f.monthLastDraw;
    }
    // Only draws in the history can be replayed; a range left empty is a range without data
    // (and would otherwise divide by a count of 0).
    last = std::min(last, f.HistRows);
    return first != 0 && first <= last;
}

TallyDraw playNarrowing(mainwindow::MainForm& f, int drawNo,
                        const std::function<void()>& narrowing) {
    f.narrowCountS = 0;
    f.narrowCountW = 0;
    f.narrowHit = 0;
    narrowing();
    const ui::Grid& hist = f.Grd2;
    return {drawNo,
            {drawKind(hist.text(drawNo, Grd2Col::Type)), f.narrowCountS, f.narrowCountW,
             ui::leadingInt(hist.text(drawNo, Grd2Col::BoxPayout))},
            f.narrowHit == 1 || f.narrowHit == 2};
}

bool runTally(mainwindow::MainForm& f, const TallyChain& chain, const TallyProgress& progress) {
    ui::Grid& sm = f.GrdSM;
    const ui::Grid& hist = f.Grd2;

    // None of the what-ifs is shown any more once the tally is rewritten.
    for (const auto& w : whatIfs())
        (f.*w.button).backColor = ui::kWhite;
    f.host.processEvents();

    const HiddenWhileTallying hidden{&f.GrdA[0], &f.Grd1a,  &f.GrdSS,
                                     &f.GrdWW,   &f.GrdSS2, &f.GrdWW2};

    int first = 0;
    int last = 0;
    if (!tallyRange(f, first, last)) {
        f.host.messageBox(QStringLiteral("抽選結果のデータがありません。"),
                          QStringLiteral("Tessarin"));
        // The figures of an earlier tally would read as this run's.
        f.tallyDraws.clear();
        f.tallyBaseline = {};
        f.LabBaseline.caption.clear();
        return true;
    }

    const int count = last - first + 1;
    // Every run starts from an empty grid: a mark, payout or what-if cell of an earlier run
    // left on a row this run does not write would be read as this run's.
    f.GrdSMClear();
    if (sm.rows() < count + 3)
        sm.setRows(count + 3);
    f.tallyRangeTitle = rangeTitle(f, first, last);

    int r = 0;
    for (int i = first; i <= last; ++i) {
        ++r;
        sm.setText(r, TallyCol::Number, hist.text(i, Grd2Col::Number));
        sm.setText(r, TallyCol::WinNumber, hist.text(i, Grd2Col::WinNumber));
        sm.setText(r, TallyCol::Date, hist.text(i, Grd2Col::Date).right(8));
    }

    int basicHitsS = 0, basicHitsW = 0, narrowHitsS = 0, narrowHitsW = 0;
    long long basicPayout = 0, narrowPayout = 0;
    std::vector<TallyDraw> played;
    played.reserve(static_cast<size_t>(count));
    r = 0;
    for (int i = first; i <= last; ++i) {
        ++r;
        f.Combo1.text = ui::numberText(i);
        f.Label2.caption = hist.text(i, Grd2Col::WinNumber);
        chain.Yoso();
        chain.Jyuni();
        chain.NewVerSort();
        f.host.processEvents();

        f.hitS = 0;
        f.hitW = 0;
        chain.Command2_Click();
        sm.setText(r, TallyCol::BasicS, ui::numberText(f.basicCountS));
        sm.setText(r, TallyCol::BasicW, ui::numberText(f.basicCountW));
        const QString& payout = hist.text(i, Grd2Col::BoxPayout);
        const long long payoutYen = ui::leadingInt(payout);
        if (f.hitS == 1) {
            sm.setText(r, TallyCol::BasicMark, kHitMarkS);
            ++basicHitsS;
            sm.setText(r, TallyCol::BasicPayout, payout);
            basicPayout += payoutYen;
        }
        if (f.hitW == 1) {
            sm.setText(r, TallyCol::BasicMark, kHitMarkW);
            ++basicHitsW;
            sm.setText(r, TallyCol::BasicPayout, payout);
            basicPayout += payoutYen;
        }

        played.push_back(playNarrowing(f, i, chain.narrowing));
        sm.setText(r, TallyCol::NarrowS, ui::numberText(f.narrowCountS));
        sm.setText(r, TallyCol::NarrowW, ui::numberText(f.narrowCountW));
        if (played.back().narrowedHit) {
            sm.setText(r, TallyCol::NarrowMark, f.narrowHit == 1 ? kHitMarkS : kHitMarkW);
            ++(f.narrowHit == 1 ? narrowHitsS : narrowHitsW);
            sm.setText(r, TallyCol::NarrowPayout, payout);
            narrowPayout += payoutYen;
        }
        // A stop asked for after the last draw comes too late to matter.
        if (progress && !progress(r, count) && r < count)
            return false;
    }

    f.Label6.caption =
        QStringLiteral("S絞り") + f.Combo4[0].text + QStringLiteral("　W絞り") + f.Combo4[1].text;

    const int n = r;
    sm.setText(n + 2, TallyCol::Number, QString::number(count) + QStringLiteral("件"));
    sm.setText(n + 2, TallyCol::BasicMark,
               QStringLiteral("S:%1 W:%2").arg(basicHitsS).arg(basicHitsW));
    sm.setText(n + 1, TallyCol::BasicPayout,
               ratePercent(QStringLiteral("勝率:"), basicHitsS + basicHitsW, count));
    sm.setText(n + 2, TallyCol::BasicPayout, ui::groupThousands(basicPayout));
    sm.setText(n + 2, TallyCol::NarrowMark,
               QStringLiteral("S:%1 W:%2").arg(narrowHitsS).arg(narrowHitsW));
    sm.setText(n + 1, TallyCol::NarrowPayout,
               ratePercent(QStringLiteral("勝率:"), narrowHitsS + narrowHitsW, count));
    sm.setText(n + 2, TallyCol::NarrowPayout, ui::groupThousands(narrowPayout));

    sm.setRows(n + 3);
    sm.setTopRow(n);
    f.simRows = n;

    int wsHits = 0;
    int wsPredicted = 0;
    r = 0;
    for (int i = first; i <= last; ++i) {
        ++r;
        const QString& mark = hist.text(i, Grd2Col::WsMark);
        const QString& prediction = hist.text(i, Grd2Col::WsPrediction);
        sm.setText(r, TallyCol::WsPrediction, prediction);
        sm.setText(r, TallyCol::WsMark, mark);
        if (mark == kHitMarkW || mark == kHitMarkS)
            ++wsHits;
        if (!prediction.isEmpty())
            ++wsPredicted;
    }
    // The W・S prediction is made for the latest draws only: the rate is over the draws that
    // have one, so a tally reaching further back does not count the others as misses.
    sm.setText(n + 1, TallyCol::WsMark,
               wsPredicted == 0 ? QString()
                                : ratePercent(QStringLiteral("当率:"), wsHits, wsPredicted));

    f.tallyBaseline = tallyBaseline(played);
    f.tallyDraws = std::move(played);
    f.LabBaseline.caption = baselineCaption(f.tallyBaseline);
    return true;
}

} // namespace simulate

namespace mainwindow {

void MainForm::Command3_Click() {
    // On a worker's own form, so that a stopped tally leaves this window as it was.
    simulate::TallyWorker worker(*this);
    std::atomic_bool stop{false};
    bool finished = false;
    host.runInBackground(
        [&] {
            finished = worker.run([&](int done, int total) {
                host.reportProgress(done, total);
                return !stop;
            });
        },
        QStringLiteral("シュミ集計中…"), stop);
    if (finished)
        worker.apply(*this);
}

} // namespace mainwindow
