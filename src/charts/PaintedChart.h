#pragma once

#include "simulate/TallyRecord.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <vector>

namespace charts {

// The tally chart the window shows with Qt Charts, painted with QPainter alone (Qt Gui, no
// Widgets) for the command line: the running balance and the balance random boxes would
// expect, in yen (left axis), and the rolling win rate in percent (right axis), against the
// draw numbers. Needs a QGuiApplication for its fonts (any platform, offscreen included).
QImage paintTallyChart(const std::vector<simulate::TallyDraw>& draws, QSize size);

// The tally chart's title and the names of its lines, the same in the window and the PNG.
struct TallyChartTexts {
    QString title, balance, expected, winRate;
};
TallyChartTexts tallyChartTexts(std::size_t draws);

// A yen value in 万円 for an axis whose ticks are step yen apart: whole 万 (with separators)
// once the steps allow it, else as many decimals as the steps need.
QString manYenLabel(double value, double step);

// paintTallyChart written as a PNG; returns why the file could not be written (naming it),
// empty on success.
QString saveTallyChart(const std::vector<simulate::TallyDraw>& draws, const QString& path,
                       QSize size = QSize(1000, 600));

// A picture written as a PNG aside and renamed over path when whole; returns why it could
// not be (naming the file), empty on success.
QString savePng(const QImage& image, const QString& path);

} // namespace charts
