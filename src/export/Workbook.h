#pragma once

#include "ui/UserError.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace exports {

// How a cell's value is stored. A number is whole, written plainly or grouped by commas
// ("625,000"), without leading zeros; a date is yyyy/MM/dd. A text that does not read as the
// number or the date asked for ("勝率:47%", "0249") is stored as text.
enum class CellKind { Text, Number, Date };

// One value for a worksheet cell; row and column count from 1 (B3 is row 3, column 2).
struct CellText {
    int row = 0;
    int col = 0;
    QString text;
    CellKind kind = CellKind::Text;

    bool operator==(const CellText&) const = default;
};
using SheetCells = std::vector<CellText>;

// An export that could not be done. The message is meant for the user and names the file.
class WorkbookError : public ui::UserError {
public:
    using UserError::UserError;
};

// "A", "B", ..., "Z", "AA": the letters of a column counted from 1.
QString columnLetters(int col);

// The worksheet XML with each cell set, in the order given (a later value for the same cell
// wins), as an inline string, a number or a date serial that keeps the cell's style (and so
// the template's number format). Rows and cells are inserted in order where the sheet has
// none; a cell below the sheet's last row takes the style of the lowest cell of its column,
// so a long list keeps the look of the template's rows. An empty text leaves the cell
// styled but empty. Throws WorkbookError (naming `sheetName`) when the XML is not a
// worksheet.
QByteArray setCellTexts(const QByteArray& sheetXml, const SheetCells& cells,
                        const QString& sheetName);

// The largest template read, and the most its parts may unpack to together; the shipped
// templates are about 100 KB unpacked.
inline constexpr qint64 kMaxTemplateBytes = 8 * 1024 * 1024;

// Writes a copy of the template workbook with the cells of its first worksheet set as
// above. The template is only read; one bigger than kMaxTemplateBytes, packed or unpacked,
// is refused. The copy is written under a temporary name beside
// `outPath` and renamed when complete, so no half-written workbook is ever left behind.
// Throws WorkbookError when the template cannot be read or the copy cannot be written.
void writeWorkbookCopy(const QString& templatePath, const QString& outPath,
                       const SheetCells& cells);

} // namespace exports
