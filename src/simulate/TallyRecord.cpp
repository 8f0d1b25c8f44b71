#include "TallyRecord.h"

#include "ui/Numeric.h"

#include <algorithm>
#include <cmath>

namespace simulate {

long long TallyDraw::costYen() const {
    return boxes() * kBoxPriceYen;
}

TallyTotals tallyTotals(const std::vector<TallyDraw>& draws) {
    TallyTotals t;
    t.draws = static_cast<int>(draws.size());
    for (const TallyDraw& d : draws) {
        t.boxes += d.boxes();
        t.hits += d.narrowedHit;
        t.payoutYen += d.wonYen();
    }
    t.costYen = t.boxes * kBoxPriceYen;
    return t;
}

QString moneyCaption(const MoneyFigures& m) {
    return QStringLiteral("購入額 %1　配当 %2　収支 %3　回収率 %4")
        .arg(ui::yen(m.costYen), ui::yen(m.payoutYen), ui::yen(m.balanceYen(), true),
             ui::returnPercent(m.costYen, m.payoutYen));
}

BaselineDraw::Kind drawKind(const QString& type) {
    if (type == u"S")
        return BaselineDraw::Kind::Single;
    if (type == u"W")
        return BaselineDraw::Kind::Double;
    return BaselineDraw::Kind::Other;
}

Baseline tallyBaseline(const std::vector<TallyDraw>& draws) {
    std::vector<BaselineDraw> bought;
    bought.reserve(draws.size());
    int hits = 0;
    for (const TallyDraw& d : draws) {
        bought.push_back(d.bought);
        hits += d.narrowedHit;
    }
    return chanceBaseline(bought, hits);
}

QString baselineCaption(const Baseline& b) {
    return QStringLiteral("偶然なら: 当たり %1 回, 配当 ¥%2, これ以上の確率 %3%")
        .arg(QString::number(b.expectedHits, 'f', 1),
             ui::groupThousands(std::llround(b.expectedPayoutYen)),
             QString::number(std::lround(b.pAtLeast * 100)));
}

TallyCurves tallyCurves(const std::vector<TallyDraw>& draws) {
    TallyCurves c;
    double balance = 0, expected = 0;
    int wonInWindow = 0;
    for (size_t k = 0; k < draws.size(); ++k) {
        const TallyDraw& d = draws[k];
        const double x = d.drawNo;
        const auto cost = static_cast<double>(d.costYen());
        balance += static_cast<double>(d.wonYen()) - cost;
        expected += winChance(d.bought) * static_cast<double>(d.bought.boxPayoutYen) - cost;
        wonInWindow += d.narrowedHit;
        if (k >= static_cast<size_t>(kWinRateWindow))
            wonInWindow -= draws[k - kWinRateWindow].narrowedHit;
        const double inWindow = static_cast<double>(std::min(k + 1, size_t{kWinRateWindow}));
        c.balance.emplace_back(x, balance);
        c.expectedBalance.emplace_back(x, expected);
        c.winRate.emplace_back(x, 100.0 * wonInWindow / inWindow);
    }
    return c;
}

} // namespace simulate
