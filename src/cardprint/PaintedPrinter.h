#pragma once

#include "ui/Printer.h"

#include <QFont>
#include <QPainter>

#include <memory>

class QPagedPaintDevice;

namespace cardprint {

// A ui::Printer over a Qt paged device. Twips become device units through the device's
// resolution, from the painter's origin: the printable area's top-left corner of a QPrinter,
// the page's top-left corner of a QPdfWriter without margins.
class PaintedPrinter : public ui::Printer {
public:
    explicit PaintedPrinter(std::unique_ptr<QPagedPaintDevice> device);
    ~PaintedPrinter() override;

    bool begin() override;
    void setFont(const QString& family, int pointSize) override;
    void fillRect(int xTwips, int yTwips, int widthTwips, int heightTwips) override;
    void drawText(int xTwips, int yTwips, const QString& text) override;
    bool newPage() override;
    bool end() override;
    QString error() const override { return error_; }

    QPagedPaintDevice* device() const { return device_.get(); }

private:
    double toX(int twips) const;
    double toY(int twips) const;
    bool fail(const QString& why);

    std::unique_ptr<QPagedPaintDevice> device_;
    QPainter painter_;
    QString error_;
};

} // namespace cardprint
