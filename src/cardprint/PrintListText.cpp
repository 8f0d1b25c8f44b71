#include "PrintListText.h"

#include "ui/CsvLine.h"

namespace cardprint {

namespace {

bool isFourDigits(const QString& field) {
    if (field.size() != 4)
        return false;
    for (QChar ch : field)
        if (ch < u'0' || ch > u'9')
            return false;
    return true;
}

} // namespace

PrintListText parsePrintList(const QByteArray& bytes, int maxNumbers) {
    PrintListText read;
    if (bytes.size() > kMaxPrintListBytes) {
        read.error = QStringLiteral("ファイルが大きすぎます（%1 バイト、上限 %2 バイト）。")
                         .arg(bytes.size())
                         .arg(kMaxPrintListBytes);
        return read;
    }
    const auto skip = [&](QStringView what) {
        if (read.skipped++ == 0)
            read.firstSkipped = ui::visibleText(what.left(20));
    };
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    for (const QString& lineText : ui::splitLines(text)) {
        const ui::CsvLine line = ui::splitCsvLine(lineText);
        if (!line.error.isEmpty()) {
            skip(lineText);
            continue;
        }
        for (const QString& field : line.fields) {
            if (field.isEmpty())
                continue; // a blank line or a trailing comma
            if (!isFourDigits(field))
                skip(field);
            else if (read.numbers.size() == maxNumbers)
                ++read.overflow;
            else
                read.numbers.append(field);
        }
    }
    return read;
}

} // namespace cardprint
