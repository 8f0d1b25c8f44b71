#include "PaintedChart.h"

#include "ui/Numeric.h"

#include <QDir>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>

#include <algorithm>
#include <cmath>

namespace charts {

namespace {

// An axis: its range and the values that get a tick and a label.
struct Axis {
    double lo = 0, hi = 1;
    std::vector<double> ticks;
};

// A round number near x: 1, 2 or 5 times a power of ten (rounded, or at least x).
double niceNumber(double x, bool round) {
    const double power = std::pow(10.0, std::floor(std::log10(x)));
    const double f = x / power;
    const double nice = round ? (f < 1.5 ? 1
                                 : f < 3 ? 2
                                 : f < 7 ? 5
                                         : 10)
                              : (f <= 1   ? 1
                                 : f <= 2 ? 2
                                 : f <= 5 ? 5
                                          : 10);
    return nice * power;
}

// Round yen on the ticks, not the extremes of the tally.
Axis niceAxis(double lo, double hi) {
    if (hi - lo < 1)
        hi = lo + 1;
    const double step = niceNumber(niceNumber(hi - lo, false) / 5, true);
    Axis a{std::floor(lo / step) * step, std::ceil(hi / step) * step, {}};
    for (double v = a.lo; v <= a.hi + step / 2; v += step)
        a.ticks.push_back(v);
    return a;
}

// Five evenly spaced ticks over a fixed range.
Axis evenAxis(double lo, double hi) {
    Axis a{lo, hi, {}};
    for (int i = 0; i < 5; ++i)
        a.ticks.push_back(lo + (hi - lo) * i / 4);
    return a;
}

struct Line {
    QString name;
    const std::vector<QPointF>* points;
    QPen pen;
    const Axis* y;
};

} // namespace

TallyChartTexts tallyChartTexts(std::size_t draws) {
    return {QStringLiteral("絞り予想の収支（%1回）").arg(draws),
            QStringLiteral("収支（配当 − 購入額）"), QStringLiteral("偶然なら（期待値）"),
            QStringLiteral("勝率（直近%1回, %）").arg(simulate::kWinRateWindow)};
}

QString manYenLabel(double value, double step) {
    const int decimals = step >= 10000 ? 0 : step >= 1000 ? 1 : step >= 100 ? 2 : 4;
    return decimals == 0 ? ui::groupThousands(std::llround(value / 10000))
                         : QString::number(value / 10000, 'f', decimals);
}

QImage paintTallyChart(const std::vector<simulate::TallyDraw>& draws, QSize size) {
    const simulate::TallyCurves curves = simulate::tallyCurves(draws);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font = p.font();
    font.setPixelSize(13);
    p.setFont(font);
    const QFontMetrics fm(font);

    double lo = 0, hi = 0;
    for (const auto* line : {&curves.balance, &curves.expectedBalance})
        for (const QPointF& pt : *line) {
            lo = std::min(lo, pt.y());
            hi = std::max(hi, pt.y());
        }
    const Axis yen = niceAxis(lo, hi);
    const Axis percent = evenAxis(0, 100);
    const Axis x = draws.empty()
                       ? evenAxis(0, 1)
                       : evenAxis(draws.front().drawNo,
                                  std::max(draws.back().drawNo, draws.front().drawNo + 1));
    const TallyChartTexts texts = tallyChartTexts(draws.size());
    const Line lines[] = {
        {texts.balance, &curves.balance, QPen(QColor(0x209fdf), 2), &yen},
        {texts.expected, &curves.expectedBalance, QPen(Qt::darkGray, 1.5, Qt::DashLine), &yen},
        {texts.winRate, &curves.winRate, QPen(QColor(0xf6a625), 2), &percent},
    };

    const int lineHeight = fm.height();
    const QRect plot(QPoint(fm.horizontalAdvance(QStringLiteral("-00000000")) + 30, 3 * lineHeight),
                     QPoint(size.width() - fm.horizontalAdvance(QStringLiteral("100")) - 30,
                            size.height() - 5 * lineHeight));
    const auto px = [&](double v) {
        return plot.left() + (v - x.lo) / (x.hi - x.lo) * plot.width();
    };
    const auto py = [&](const Axis& a, double v) {
        return plot.bottom() - (v - a.lo) / (a.hi - a.lo) * plot.height();
    };

    QFont titleFont = font;
    titleFont.setPixelSize(16);
    titleFont.setBold(true);
    p.setFont(titleFont);
    p.drawText(QRect(0, 0, size.width(), 2 * lineHeight), Qt::AlignCenter, texts.title);
    p.setFont(font);

    // Grid lines and labels: yen on the left, percent on the right, draws below.
    const QPen gridPen(QColor(0xd0d0d0), 1);
    for (double v : yen.ticks) {
        const double y = py(yen, v);
        p.setPen(gridPen);
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        p.setPen(Qt::black);
        p.drawText(QRectF(0, y - lineHeight, plot.left() - 6, 2 * lineHeight),
                   Qt::AlignRight | Qt::AlignVCenter,
                   manYenLabel(v, yen.ticks.size() > 1 ? yen.ticks[1] - yen.ticks[0] : 1));
    }
    for (double v : percent.ticks)
        p.drawText(QRectF(plot.right() + 6, py(percent, v) - lineHeight, 60, 2 * lineHeight),
                   Qt::AlignLeft | Qt::AlignVCenter, QString::number(v, 'f', 0));
    for (double v : x.ticks) {
        p.setPen(gridPen);
        p.drawLine(QPointF(px(v), plot.top()), QPointF(px(v), plot.bottom()));
        p.setPen(Qt::black);
        p.drawText(QRectF(px(v) - 50, plot.bottom() + 4, 100, lineHeight), Qt::AlignCenter,
                   QString::number(std::lround(v)));
    }
    p.drawRect(plot);
    p.drawText(QRect(0, plot.top() - 2 * lineHeight, plot.left() - 6, lineHeight), Qt::AlignRight,
               QStringLiteral("万円"));
    p.drawText(QRect(plot.right() + 6, plot.top() - 2 * lineHeight, 60, lineHeight), Qt::AlignLeft,
               QStringLiteral("%"));
    p.drawText(QRect(plot.left(), plot.bottom() + lineHeight + 4, plot.width(), lineHeight),
               Qt::AlignCenter, QStringLiteral("回"));

    p.save();
    p.setClipRect(plot);
    for (const Line& line : lines) {
        QPainterPath path;
        for (const QPointF& pt : *line.points) {
            const QPointF at(px(pt.x()), py(*line.y, pt.y()));
            if (path.elementCount() == 0)
                path.moveTo(at);
            else
                path.lineTo(at);
        }
        p.setPen(line.pen);
        p.drawPath(path);
    }
    p.restore();

    // The legend, centred under the axis title.
    const int sample = 30, gap = 20;
    int width = 0;
    for (const Line& line : lines)
        width += sample + 6 + fm.horizontalAdvance(line.name) + gap;
    int left = (size.width() - width + gap) / 2;
    const int y = plot.bottom() + 3 * lineHeight;
    for (const Line& line : lines) {
        p.setPen(line.pen);
        p.drawLine(left, y, left + sample, y);
        p.setPen(Qt::black);
        left += sample + 6;
        p.drawText(QRect(left, y - lineHeight / 2, fm.horizontalAdvance(line.name) + 2, lineHeight),
                   Qt::AlignLeft | Qt::AlignVCenter, line.name);
        left += fm.horizontalAdvance(line.name) + gap;
    }
    return image;
}

QString saveTallyChart(const std::vector<simulate::TallyDraw>& draws, const QString& path,
                       QSize size) {
    return savePng(paintTallyChart(draws, size), path);
}

QString savePng(const QImage& image, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit())
        return QStringLiteral("グラフを %1 に書き出せません: %2")
            .arg(QDir::toNativeSeparators(path), file.errorString());
    return {};
}

} // namespace charts
