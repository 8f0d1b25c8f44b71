#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace cardprint {

// A print-list file as read: four-digit numbers, one a line (several on a line separated by
// commas are read too). Lines are read whole, whatever their length; blank lines and empty
// fields are passed over, fields that are not four digits are skipped and counted.
struct PrintListText {
    QStringList numbers;  // in file order, at most the limit given
    int skipped = 0;      // fields (or lines with a broken quote) that are not numbers
    QString firstSkipped; // the first of them, shown with anything invisible made visible
    int overflow = 0;     // numbers past the limit
    QString error;        // set when the file is not read at all (too big)
};

// Print lists hold at most 1000 numbers; a file far beyond that is not one.
inline constexpr qint64 kMaxPrintListBytes = 1024 * 1024;

PrintListText parsePrintList(const QByteArray& bytes, int maxNumbers);

} // namespace cardprint
