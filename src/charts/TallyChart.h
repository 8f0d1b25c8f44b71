#pragma once

#include "PaintedChart.h"
#include "simulate/StrategyTable.h"
#include "simulate/TallyRecord.h"

#include <QPointF>
#include <QString>

#include <vector>

class QChart;
class QPixmap;

namespace charts {

// The chart of a tally's narrowed lists: the running balance and the balance random boxes
// would expect, in yen, against the draw numbers (left axis), and the rolling win rate in
// percent (right axis). The caller owns the chart.
QChart* makeTallyChart(const std::vector<simulate::TallyDraw>& draws);

// The walk-forward's running balance beside that of the table's first setting over the same
// draws and the balance random boxes of the walk-forward's counts would expect, in yen,
// against the draw numbers. The caller owns the chart.
QChart* makeWalkForwardChart(const simulate::WalkForward& walk, const QString& bestName);

// The chart of the ticket ledger: the real running balance and the balance the chance
// expectation gives, in yen, against the draw numbers. The caller owns the chart.
QChart* makeLedgerChart(const std::vector<QPointF>& balance, const std::vector<QPointF>& expected);

// Relabels a chart's yen axis (titled 円) in 万円: the same ticks, in units of 10,000 yen.
void labelYenInMan(QChart* chart);

// A view's picture written as a PNG (charts::savePng of PaintedChart.h).
QString savePng(const QPixmap& image, const QString& path);

} // namespace charts
