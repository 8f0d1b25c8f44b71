#include "CsvLine.h"

#include <QRegularExpression>

namespace ui {

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

} // namespace

CsvLine splitCsvLine(QStringView line) {
    CsvLine result;
    const auto fail = [&](const QString& why) {
        result.badField = static_cast<int>(result.fields.size()) + 1;
        result.error = why;
        return result;
    };
    qsizetype i = 0;
    for (;;) {
        while (i < line.size() && isBlank(line[i]))
            ++i;
        QString field;
        if (i < line.size() && line[i] == u'"') {
            const qsizetype open = i++;
            for (;; ++i) {
                if (i == line.size())
                    return fail(QStringLiteral("引用符「\"」が閉じていません。"));
                if (line[i] != u'"') {
                    field.append(line[i]);
                } else if (i + 1 < line.size() && line[i + 1] == u'"') {
                    field.append(u'"');
                    ++i;
                } else {
                    break;
                }
            }
            ++i; // the closing quote
            while (i < line.size() && isBlank(line[i]))
                ++i;
            if (i < line.size() && line[i] != u',') {
                const qsizetype end = line.indexOf(u',', i);
                return fail(QStringLiteral("「%1」: 閉じた引用符の後に文字があります。")
                                .arg(visibleText(line.mid(open, end < 0 ? -1 : end - open))));
            }
        } else {
            const qsizetype end = line.indexOf(u',', i);
            field = line.mid(i, end < 0 ? -1 : end - i).trimmed().toString();
            if (field.contains(u'"'))
                return fail(QStringLiteral("「%1」: 引用符「\"」は項目全体を囲むときだけ使えます。")
                                .arg(visibleText(field)));
            i = end < 0 ? line.size() : end;
        }
        result.fields.append(field);
        if (i >= line.size())
            return result;
        ++i; // the comma
    }
}

QStringList splitLines(const QString& text) {
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = text.split(lineEnd);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QString visibleText(QStringView text) {
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || c == QChar::ReplacementCharacter)
            shown += QStringLiteral("<%1>").arg(c.unicode(), 2, 16, QChar(u'0')).toUpper();
        else
            shown += c;
    }
    return shown;
}

} // namespace ui
