#include "PaintedPrinter.h"

#include <QDir>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPdfWriter>
#include <QSaveFile>

#include <unistd.h>

namespace cardprint {

PaintedPrinter::PaintedPrinter(std::unique_ptr<QPagedPaintDevice> device,
                               std::unique_ptr<QSaveFile> output)
    : output_(std::move(output)), device_(std::move(device)) {}

PaintedPrinter::~PaintedPrinter() {
    if (painter_.isActive())
        painter_.end();
}

bool PaintedPrinter::fail(const QString& why) {
    if (error_.isEmpty())
        error_ = why;
    return false;
}

QString PaintedPrinter::outputFile() const {
    return output_ ? output_->fileName() : outputFile_;
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
    if (error_.isEmpty() && output_) {
        const QString name = QDir::toNativeSeparators(output_->fileName());
        if (!output_->flush() || ::fsync(output_->handle()) != 0 || !output_->commit())
            return fail(
                QStringLiteral("%1 を書き込めません: %2").arg(name, output_->errorString()));
    }
    return error_.isEmpty();
}

std::unique_ptr<PaintedPrinter> pdfPrinter(const QString& path, int dpi, QString& why) {
    auto output = std::make_unique<QSaveFile>(path);
    if (!output->open(QIODevice::WriteOnly)) {
        why = QStringLiteral("%1 を作れません: %2")
                  .arg(QDir::toNativeSeparators(path), output->errorString());
        return nullptr;
    }
    auto writer = std::make_unique<QPdfWriter>(output.get());
    writer->setPageSize(QPageSize(QPageSize::A4));
    writer->setPageOrientation(QPageLayout::Portrait);
    writer->setPageMargins(QMarginsF(0, 0, 0, 0));
    writer->setResolution(dpi);
    writer->setCreator(QStringLiteral("Tessarin"));
    return std::make_unique<PaintedPrinter>(std::move(writer), std::move(output));
}

} // namespace cardprint
