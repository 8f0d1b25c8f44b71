#include "ImportCsv.h"

#include "ui/Numeric.h"

#include <QDate>

#include <limits>

namespace download {

namespace {

bool allDigits(const QString& text) {
    if (text.isEmpty())
        return false;
    for (QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

// "YYYY/M/D" with one- or two-digit month and day, as YYYYMMDD; empty when it is not a
// real date.
QString importDate(const QString& text) {
    const QStringList parts = text.split(u'/');
    if (parts.size() != 3 || parts[0].size() != 4 || !allDigits(parts[0]) || parts[1].isEmpty() ||
        parts[1].size() > 2 || !allDigits(parts[1]) || parts[2].isEmpty() || parts[2].size() > 2 ||
        !allDigits(parts[2]))
        return {};
    const QDate date(parts[0].toInt(), parts[1].toInt(), parts[2].toInt());
    if (!date.isValid())
        return {};
    return parts[0] + (u'0' + parts[1]).right(2) + (u'0' + parts[2]).right(2);
}

} // namespace

QStringList splitImportLine(const QString& line) {
    QStringList fields;
    QString field;
    bool quoted = false;
    bool wasQuoted = false;
    for (qsizetype i = 0; i <= line.size(); ++i) {
        if (i == line.size() || (!quoted && line[i] == u',')) {
            fields.append(wasQuoted ? field : field.trimmed());
            field.clear();
            wasQuoted = false;
            continue;
        }
        const QChar c = line[i];
        if (c == u'"') {
            if (quoted) {
                quoted = false;
            } else if (field.trimmed().isEmpty()) {
                quoted = true;
                wasQuoted = true;
                field.clear();
            } else {
                field.append(c);
            }
        } else if (quoted || !wasQuoted) {
            field.append(c);
        }
    }
    return fields;
}

ImportResult parseImportCsv(const QByteArray& content, const QString& fileName) {
    ImportResult result;
    auto fail = [&](int lineNo, const QString& what) {
        result.records.clear();
        result.error = QStringLiteral("%1 の %2 行目: %3").arg(fileName).arg(lineNo).arg(what);
        return result;
    };

    const QStringList lines = QString::fromLatin1(content).split(u'\n');
    int lineNo = 0;
    int lastLineNo = 0;
    for (QString line : lines) {
        ++lineNo;
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        const QStringList f = splitImportLine(line);
        if (f.size() < 12)
            return fail(lineNo, QStringLiteral("項目が12個ありません（%1個）。").arg(f.size()));
        if (!allDigits(f[0]) || f[0].size() > 9)
            return fail(lineNo, QStringLiteral("抽選回「%1」が数字ではありません。").arg(f[0]));
        const int drawNo = f[0].toInt();
        if (!result.records.empty() && drawNo != result.records.back().DrawNo - 1)
            return fail(lineNo,
                        QStringLiteral("抽選回 %1 の次の行は第%2回のはずですが、第%3回です。")
                            .arg(result.records.back().DrawNo)
                            .arg(result.records.back().DrawNo - 1)
                            .arg(drawNo));
        const QString date = importDate(f[1]);
        if (date.isEmpty())
            return fail(lineNo,
                        QStringLiteral("抽選日「%1」が正しい日付ではありません。").arg(f[1]));
        if (f[2].size() != 4 || !allDigits(f[2]))
            return fail(lineNo,
                        QStringLiteral("当籤数字「%1」が4桁の数字ではありません。").arg(f[2]));

        history::DrawRecord rec;
        rec.DrawNo = drawNo;
        rec.DrawDate = history::DrawRecord::fixedText(date, 8);
        rec.WinNumber = history::DrawRecord::fixedText(f[2], 4);
        for (int k = 0; k < 4; ++k) {
            const long long winners = ui::leadingInt(f[3 + 2 * k]);
            const long long payout = ui::leadingInt(f[4 + 2 * k]);
            if (winners < 0 || winners > std::numeric_limits<int16_t>::max())
                return fail(lineNo, QStringLiteral("口数「%1」が範囲外です。").arg(f[3 + 2 * k]));
            if (payout < 0 || payout > std::numeric_limits<int32_t>::max())
                return fail(lineNo, QStringLiteral("配当「%1」が範囲外です。").arg(f[4 + 2 * k]));
            rec.Winners[k] = static_cast<int16_t>(winners);
            rec.Payout[k] = static_cast<int32_t>(payout);
        }
        result.records.push_back(rec);
        lastLineNo = lineNo;
    }
    if (result.records.empty()) {
        result.error = QStringLiteral("%1 に抽選結果がありません。").arg(fileName);
        return result;
    }
    if (result.records.back().DrawNo != 1)
        return fail(lastLineNo, QStringLiteral("最後の行が第%1回です。第1回まで続いていません。")
                                    .arg(result.records.back().DrawNo));
    return result;
}

} // namespace download
