#pragma once

#include "Baseline.h"

#include <QPointF>
#include <QString>

#include <vector>

namespace simulate {

constexpr long long kBoxPriceYen = 200;

// One draw of a tally as its narrowed lists played it: the boxes bought (sizes of the
// narrowed S and W lists), the draw's kind and box payout, and whether the lists won it.
struct TallyDraw {
    int drawNo = 0;
    BaselineDraw bought;
    bool narrowedHit = false;

    long long boxes() const { return bought.singlesBought + bought.doublesBought; }
    long long costYen() const;
    long long wonYen() const { return narrowedHit ? bought.boxPayoutYen : 0; }
};

// The narrowed lists of a tally bought in full on every draw. Yen.
struct TallyTotals {
    int draws = 0;
    long long boxes = 0;
    long long costYen = 0;
    int hits = 0;
    long long payoutYen = 0;
};

TallyTotals tallyTotals(const std::vector<TallyDraw>& draws);

// What a purchase cost and brought back, in yen.
struct MoneyFigures {
    long long costYen = 0;
    long long payoutYen = 0;
    long long balanceYen() const { return payoutYen - costYen; }
};

// "購入額 ¥12,000　配当 ¥8,500　収支 -¥3,500　回収率 70.8%", as the window and the text output
// show a purchase.
QString moneyCaption(const MoneyFigures& money);

// The kind of a history grid type text ("S", "W", anything else).
BaselineDraw::Kind drawKind(const QString& type);

// What random box tickets of the same kinds and counts would have done over the tally.
Baseline tallyBaseline(const std::vector<TallyDraw>& draws);

// The line shown under the tally: expected hits to one decimal, expected payout in whole
// yen, the chance of as many hits or more in whole percent.
QString baselineCaption(const Baseline& baseline);

// The lines of the tally chart, one point per draw, x the draw number: the running balance
// of the narrowed lists bought in full (payout minus cost, yen), the balance random boxes
// of the same counts would expect, and the share of won draws among the last
// kWinRateWindow draws (fewer at the start), in percent.
struct TallyCurves {
    std::vector<QPointF> balance, expectedBalance, winRate;
};
constexpr int kWinRateWindow = 50;
TallyCurves tallyCurves(const std::vector<TallyDraw>& draws);

} // namespace simulate
