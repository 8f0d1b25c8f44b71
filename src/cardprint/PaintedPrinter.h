#pragma once

#include "ui/Printer.h"

#include <QFont>
#include <QPainter>
#include <QSaveFile>

#include <memory>

class QPagedPaintDevice;

namespace cardprint {

// A ui::Printer over a Qt paged device. Twips become device units through the device's
// resolution, from the painter's origin: the printable area's top-left corner of a QPrinter,
// the page's top-left corner of a QPdfWriter without margins.
class PaintedPrinter : public ui::Printer {
public:
    // output, when given, is the file the device writes into: it is committed (synced and
    // renamed over the file it replaces) only when the document ends well, so an interrupted
    // or failed print leaves the earlier file as it was.
    explicit PaintedPrinter(std::unique_ptr<QPagedPaintDevice> device,
                            std::unique_ptr<QSaveFile> output = nullptr);
    ~PaintedPrinter() override;

    bool begin() override;
    void setFont(const QString& family, int pointSize) override;
    void fillRect(int xTwips, int yTwips, int widthTwips, int heightTwips) override;
    void drawText(int xTwips, int yTwips, const QString& text) override;
    bool newPage() override;
    bool end() override;
    QString error() const override { return error_; }
    // The committed file when there is one, else what setOutputFile said.
    QString outputFile() const override;
    void setOutputFile(const QString& path) { outputFile_ = path; }

    QPagedPaintDevice* device() const { return device_.get(); }

private:
    double toX(int twips) const;
    double toY(int twips) const;
    bool fail(const QString& why);

    // Declared first so that it outlives the device writing into it.
    std::unique_ptr<QSaveFile> output_;
    std::unique_ptr<QPagedPaintDevice> device_;
    QPainter painter_;
    QString error_;
    QString outputFile_;
};

// A printer onto the PDF file at path: A4 portrait without margins (twips count from the
// page's top-left corner) at dpi, written aside and renamed over path when the document ends.
// Nothing when the file cannot be created; why then names the path and the system's reason.
std::unique_ptr<PaintedPrinter> pdfPrinter(const QString& path, int dpi, QString& why);

} // namespace cardprint
