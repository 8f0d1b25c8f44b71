#include "PaintedPrinter.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>

namespace cardprint {

PaintedPrinter::PaintedPrinter(std::unique_ptr<QPagedPaintDevice> device)
    : device_(std::move(device)) {}

PaintedPrinter::~PaintedPrinter() {
    if (painter_.isActive())
        painter_.end();
}

bool PaintedPrinter::fail(const QString& why) {
    if (error_.isEmpty())
        error_ = why;
    return false;
}

bool PaintedPrinter::begin() {
    if (!error_.isEmpty())
        return false;
    if (!painter_.begin(device_.get()))
        return fail(QStringLiteral("プリンターを開けません。"));
    return true;
}

double PaintedPrinter::toX(int twips) const {
    return twips * device_->logicalDpiX() / 1440.0;
}

double PaintedPrinter::toY(int twips) const {
    return twips * device_->logicalDpiY() / 1440.0;
}

void PaintedPrinter::setFont(const QString& family, int pointSize) {
    if (!painter_.isActive())
        return;
    QFont font(family);
    font.setPointSize(pointSize);
    painter_.setFont(font);
}

void PaintedPrinter::fillRect(int xTwips, int yTwips, int widthTwips, int heightTwips) {
    if (!painter_.isActive() || !error_.isEmpty())
        return;
    const QRectF r(QPointF(toX(xTwips), toY(yTwips)),
                   QPointF(toX(xTwips + widthTwips), toY(yTwips + heightTwips)));
    painter_.fillRect(r, Qt::black);
}

void PaintedPrinter::drawText(int xTwips, int yTwips, const QString& text) {
    if (!painter_.isActive() || !error_.isEmpty())
        return;
    const QFontMetricsF metrics(painter_.font(), device_.get());
    painter_.setPen(Qt::black);
    painter_.drawText(QPointF(toX(xTwips), toY(yTwips) + metrics.ascent()), text);
}

bool PaintedPrinter::newPage() {
    if (!painter_.isActive() || !error_.isEmpty())
        return false;
    if (!device_->newPage())
        return fail(QStringLiteral("次のページに進めません。"));
    return true;
}

bool PaintedPrinter::end() {
    if (!painter_.isActive())
        return fail(QStringLiteral("印刷が始まっていません。"));
    if (!painter_.end())
        return fail(QStringLiteral("印刷を終えられません。"));
    return error_.isEmpty();
}

} // namespace cardprint
