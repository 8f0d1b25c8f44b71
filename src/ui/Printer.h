#pragma once

#include <QString>

namespace ui {

// A print job as the card printing sees it. Every position and size is in twips (1440 to
// the inch) measured from the top-left corner of the printable area; the printer converts
// them to its own resolution. A call after a failure does nothing; error() then says what
// went wrong (empty while all is well).
class Printer {
public:
    virtual ~Printer() = default;

    virtual bool begin() = 0;
    virtual void setFont(const QString& family, int pointSize) = 0;
    // A solid black rectangle.
    virtual void fillRect(int xTwips, int yTwips, int widthTwips, int heightTwips) = 0;
    // One line of text whose top-left corner is (xTwips, yTwips), in the current font.
    virtual void drawText(int xTwips, int yTwips, const QString& text) = 0;
    virtual bool newPage() = 0;
    // Ends the document and hands the job over; false when that failed.
    virtual bool end() = 0;
    virtual QString error() const = 0;
    // The file the document goes into when it is printed to a file; empty for a printer.
    virtual QString outputFile() const { return QString(); }
};

// What a file chooser is asked: a filter list in "caption|patterns|caption|patterns" form,
// which of its entries is chosen first (counting from 1), and the dialog's flags (4 hides
// the read-only check box).
struct FileDialog {
    QString filter;
    int filterIndex = 1;
    int flags = 0;
};

} // namespace ui
