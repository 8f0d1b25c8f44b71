#include "TallyRecord.h"

#include "ui/Numeric.h"

#include <cmath>

namespace simulate {

TallyTotals tallyTotals(const std::vector<TallyDraw>& draws) {
    TallyTotals t;
    t.draws = static_cast<int>(draws.size());
    for (const TallyDraw& d : draws) {
        t.boxes += d.bought.singlesBought + d.bought.doublesBought;
        if (d.narrowedHit) {
            ++t.hits;
            t.payoutYen += d.bought.boxPayoutYen;
        }
    }
    t.costYen = t.boxes * kBoxPriceYen;
    return t;
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

} // namespace simulate
