#include "TallyChart.h"

#include "ui/Numeric.h"

#include <QCategoryAxis>
#include <QChart>
#include <QLineSeries>
#include <QPixmap>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace charts {

namespace {

QLineSeries* series(const QString& name, const std::vector<QPointF>& points) {
    auto* s = new QLineSeries;
    s->setName(name);
    s->append(QList<QPointF>(points.begin(), points.end()));
    return s;
}

// The smallest and largest y of the series, widened so that a flat line still has room.
std::pair<double, double> yRange(std::initializer_list<const std::vector<QPointF>*> lines) {
    double lo = 0, hi = 0;
    for (const auto* line : lines)
        for (const QPointF& p : *line) {
            lo = std::min(lo, p.y());
            hi = std::max(hi, p.y());
        }
    if (hi - lo < 1)
        hi = lo + 1;
    return {lo, hi};
}

} // namespace

QChart* makeTallyChart(const std::vector<simulate::TallyDraw>& draws) {
    const simulate::TallyCurves curves = simulate::tallyCurves(draws);
    auto* chart = new QChart;
    const TallyChartTexts texts = tallyChartTexts(draws.size());
    chart->setTitle(texts.title);
    auto* balance = series(texts.balance, curves.balance);
    auto* expected = series(texts.expected, curves.expectedBalance);
    auto* winRate = series(texts.winRate, curves.winRate);
    expected->setPen(QPen(Qt::darkGray, 1.5, Qt::DashLine));
    for (auto* s : {balance, expected, winRate})
        chart->addSeries(s);

    auto* x = new QValueAxis;
    x->setTitleText(QStringLiteral("回"));
    x->setLabelFormat(QStringLiteral("%d"));
    if (!draws.empty())
        x->setRange(draws.front().drawNo, std::max(draws.back().drawNo, draws.front().drawNo + 1));
    auto* yen = new QValueAxis;
    yen->setTitleText(QStringLiteral("円"));
    yen->setLabelFormat(QStringLiteral("%.0f"));
    const auto [lo, hi] = yRange({&curves.balance, &curves.expectedBalance});
    yen->setRange(lo, hi);
    yen->applyNiceNumbers(); // round yen on the ticks, not the extremes of the tally
    auto* percent = new QValueAxis;
    percent->setTitleText(QStringLiteral("%"));
    percent->setRange(0, 100);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(yen, Qt::AlignLeft);
    chart->addAxis(percent, Qt::AlignRight);
    for (auto* s : {balance, expected, winRate}) {
        s->attachAxis(x);
        s->attachAxis(s == winRate ? percent : yen);
    }
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

QChart* makeLedgerChart(const std::vector<QPointF>& balance, const std::vector<QPointF>& expected) {
    auto* chart = new QChart;
    chart->setTitle(balance.empty() ? QStringLiteral("抽選の済んだ購入記録がありません。")
                                    : QStringLiteral("購入記録の収支（%1回）").arg(balance.size()));
    auto* real = series(QStringLiteral("収支（当選金 − 購入額）"), balance);
    auto* chance = series(QStringLiteral("偶然なら（期待値）"), expected);
    chance->setPen(QPen(Qt::darkGray, 1.5, Qt::DashLine));
    auto* x = new QValueAxis;
    x->setTitleText(QStringLiteral("回"));
    x->setLabelFormat(QStringLiteral("%d"));
    if (!balance.empty()) { // one draw alone still gets a width
        const double first = balance.front().x() - 1, last = balance.back().x() + 1;
        x->setRange(first, last);
        // Ticks on whole draws only, about eight of them.
        x->setTickType(QValueAxis::TicksDynamic);
        x->setTickAnchor(first);
        x->setTickInterval(std::max(1.0, std::ceil((last - first) / 8)));
    }
    auto* yen = new QValueAxis;
    yen->setTitleText(QStringLiteral("円"));
    yen->setLabelFormat(QStringLiteral("%.0f"));
    const auto [lo, hi] = yRange({&balance, &expected});
    yen->setRange(lo, hi);
    yen->applyNiceNumbers();
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(yen, Qt::AlignLeft);
    for (auto* s : {real, chance}) {
        s->setPointsVisible(true); // a ledger of one draw is one point
        chart->addSeries(s);
        s->attachAxis(x);
        s->attachAxis(yen);
    }
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

QChart* makeWalkForwardChart(const simulate::WalkForward& walk, const QString& bestName) {
    const simulate::TallyCurves chosen = simulate::tallyCurves(walk.played);
    const simulate::TallyCurves best = simulate::tallyCurves(walk.best);
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("毎回上位を選んだら（直前%1回）の収支").arg(walk.window));
    auto* followed = series(QStringLiteral("毎回上位を選んだら"), chosen.balance);
    auto* fixed = series(QStringLiteral("いつも %1").arg(bestName), best.balance);
    auto* expected = series(QStringLiteral("偶然なら（期待値）"), chosen.expectedBalance);
    expected->setPen(QPen(Qt::darkGray, 1.5, Qt::DashLine));
    auto* x = new QValueAxis;
    x->setTitleText(QStringLiteral("回"));
    x->setLabelFormat(QStringLiteral("%d"));
    if (!walk.played.empty())
        x->setRange(walk.played.front().drawNo,
                    std::max(walk.played.back().drawNo, walk.played.front().drawNo + 1));
    auto* yen = new QValueAxis;
    yen->setTitleText(QStringLiteral("円"));
    yen->setLabelFormat(QStringLiteral("%.0f"));
    const auto [lo, hi] = yRange({&chosen.balance, &best.balance, &chosen.expectedBalance});
    yen->setRange(lo, hi);
    yen->applyNiceNumbers();
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(yen, Qt::AlignLeft);
    for (auto* s : {followed, fixed, expected}) {
        chart->addSeries(s);
        s->attachAxis(x);
        s->attachAxis(yen);
    }
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

// The yen axis read in 万円: the same ticks, labelled in units of 10,000 yen, so that a long
// tally shows "-15,000" rather than -150000000.
void labelYenInMan(QChart* chart) {
    for (QAbstractAxis* axis : chart->axes(Qt::Vertical)) {
        auto* yen = qobject_cast<QValueAxis*>(axis);
        if (!yen || yen->titleText() != QStringLiteral("円"))
            continue;
        auto* man = new QCategoryAxis;
        man->setTitleText(QStringLiteral("万円"));
        man->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
        man->setRange(yen->min(), yen->max());
        const int ticks = std::max(2, yen->tickCount());
        const double step = (yen->max() - yen->min()) / (ticks - 1);
        for (int i = 0; i < ticks; ++i) {
            const double value = yen->min() + i * step;
            man->append(manYenLabel(value, step), value);
        }
        chart->addAxis(man, Qt::AlignLeft);
        for (QAbstractSeries* s : chart->series())
            if (s->attachedAxes().contains(yen)) {
                s->detachAxis(yen);
                s->attachAxis(man);
            }
        chart->removeAxis(yen);
        delete yen;
        return;
    }
}

QString savePng(const QPixmap& image, const QString& path) {
    return savePng(image.toImage(), path);
}

} // namespace charts
