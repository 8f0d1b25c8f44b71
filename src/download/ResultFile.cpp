#include "ResultFile.h"

#include <QDate>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <limits>

namespace download {

namespace {

constexpr int kLastHeiseiDraw = 5166; // draws after it were held in the 令和 era

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool allDigits(QStringView text) {
    if (text.isEmpty())
        return false;
    for (QChar c : text)
        if (!isDigit(c))
            return false;
    return true;
}

// The run of digits that ends just before position end; empty when there is none.
QStringView digitsBefore(const QString& line, qsizetype end) {
    qsizetype start = end;
    while (start > 0 && isDigit(line[start - 1]))
        --start;
    return QStringView(line).mid(start, end - start);
}

// A whole number of at most nine digits, so it cannot overflow; -1 otherwise.
long long smallNumber(QStringView digits) {
    if (!allDigits(digits) || digits.size() > 9)
        return -1;
    return digits.toLongLong();
}

QString halfWidthDigits(QString text) {
    for (QChar& c : text)
        if (c >= QChar(0xFF10) && c <= QChar(0xFF19))
            c = QChar(u'0' + (c.unicode() - 0xFF10));
    return text;
}

struct Prize {
    int winners = 0;
    int payout = 0;
    QString error;
};

// "該当なし" anywhere means no winners. Otherwise the count of tickets is the number just
// before the first "口" and the payout the number just before the first "円" after it. That
// reads "ストレート,6916,18口,986400円" and the operator's "ボックス,153口,82200円" alike.
Prize readPrize(const QString& line) {
    Prize p;
    if (line.contains(QStringLiteral("該当なし")))
        return p;
    const qsizetype u = line.indexOf(u'口');
    const qsizetype y = u < 0 ? -1 : line.indexOf(u'円', u + 1);
    if (u < 0 || y < 0 || line.left(u).indexOf(u',') < 0) {
        p.error = QStringLiteral("「該当なし」も「…,口数口,金額円」もありません");
        return p;
    }
    const QStringView winnersText = digitsBefore(line, u);
    const QStringView payoutText = digitsBefore(line, y);
    const long long winners = smallNumber(winnersText);
    const long long payout = smallNumber(payoutText);
    // A sign before the digits makes a count or an amount no draw can have.
    const auto negative = [&](qsizetype end, QStringView digits) {
        const qsizetype sign = end - digits.size() - 1;
        return sign >= 0 && QStringView(u"-−－").contains(line[sign]);
    };
    if (winnersText.isEmpty() || payoutText.isEmpty())
        p.error = QStringLiteral("「口」または「円」の前に数字がありません");
    else if (negative(u, winnersText) || negative(y, payoutText))
        p.error = QStringLiteral("口数か金額が負の数です");
    else if (winners < 0 || winners > std::numeric_limits<int16_t>::max())
        p.error = QStringLiteral("口数が記録できる範囲を超えています");
    else if (payout < 0 || payout > std::numeric_limits<int32_t>::max())
        p.error = QStringLiteral("金額が記録できる範囲を超えています");
    else {
        p.winners = static_cast<int>(winners);
        p.payout = static_cast<int>(payout);
    }
    return p;
}

} // namespace

long long leadingDrawNumber(const QString& line) {
    qsizetype end = 1;
    while (end < line.size() && isDigit(line[end]))
        ++end;
    const long long n = end > 1 ? smallNumber(QStringView(line).mid(1, end - 1)) : -1;
    return n > 0 ? n : -1;
}

ResultParse parseResultFile(const QString& text, long long requestedDraw) {
    ResultParse result;
    auto fail = [&](const QString& why) {
        result.draw = {};
        result.error = why;
        return result;
    };

    if (text.trimmed().startsWith(u'<'))
        return fail(
            QStringLiteral("抽選結果のファイルではなく、ウェブページ（HTML）が届きました。"));
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = halfWidthDigits(text).split(lineEnd);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the line end of the last line
    if (lines.size() < 15)
        return fail(QStringLiteral("行数が足りません（15行必要です）。"));

    // Line 2: "第7073回ナンバーズ,...,令和8年9月17日,...".
    const QString& head = lines[1];
    ParsedDraw& d = result.draw;
    if (leadingDrawNumber(head) != requestedDraw)
        return fail(QStringLiteral("2行目の抽選回「%1」が第%2回ではありません。")
                        .arg(head.mid(1, 4))
                        .arg(requestedDraw));
    d.drawNo = static_cast<int>(requestedDraw);

    const bool reiwa = requestedDraw > kLastHeiseiDraw;
    const QChar mark = reiwa ? QChar(u'和') : QChar(u'成');
    const int offset = reiwa ? 2018 : 1988;
    const qsizetype e = head.indexOf(mark);
    const qsizetype n = e < 0 ? -1 : head.indexOf(u'年', e + 1);
    const qsizetype m = n < 0 ? -1 : head.indexOf(u'月', n + 1);
    const qsizetype dd = m < 0 ? -1 : head.indexOf(u'日', m + 1);
    if (dd < 0)
        return fail(QStringLiteral("2行目に%1の抽選日（〇年〇月〇日）がありません。")
                        .arg(reiwa ? QStringLiteral("令和") : QStringLiteral("平成")));
    const QString yearText = head.mid(e + 1, n - e - 1).trimmed();
    const QString monthText = head.mid(n + 1, m - n - 1).trimmed();
    const QString dayText = head.mid(m + 1, dd - m - 1).trimmed();
    // The first year of an era is written 元年.
    const long long eraYear =
        yearText == QStringLiteral("元") ? 1 : (yearText.size() <= 2 ? smallNumber(yearText) : -1);
    const long long month = monthText.size() <= 2 ? smallNumber(monthText) : -1;
    const long long day = dayText.size() <= 2 ? smallNumber(dayText) : -1;
    const QDate date(static_cast<int>(eraYear + offset), static_cast<int>(month),
                     static_cast<int>(day));
    if (eraYear < 1 || month < 1 || day < 1 || !date.isValid())
        return fail(QStringLiteral("2行目の抽選日「%1」が正しい日付ではありません。")
                        .arg(head.mid(std::max<qsizetype>(e - 1, 0), dd - e + 2)));
    d.date = date.toString(QStringLiteral("yyyyMMdd"));

    // Line 11: "ナンバーズ４抽せん数字,6916".
    const QString& numberLine = lines[10];
    const QString number = numberLine.right(4);
    if (number.size() != 4 || !allDigits(number) ||
        (numberLine.size() > 4 && isDigit(numberLine[numberLine.size() - 5])))
        return fail(
            QStringLiteral("11行目「%1」の末尾が4桁の当せん数字ではありません。").arg(numberLine));
    d.number = number;

    for (int k = 0; k < 4; ++k) {
        const Prize p = readPrize(lines[11 + k]);
        if (!p.error.isEmpty())
            return fail(
                QStringLiteral("%1行目「%2」: %3。").arg(12 + k).arg(lines[11 + k], p.error));
        d.winners[k] = p.winners;
        d.payout[k] = p.payout;
    }
    return result;
}

QString drawDateRefusal(const ParsedDraw& draw, const QDate& storedBefore, const QDate& storedAfter,
                        const QDate& today) {
    const QDate date = QDate::fromString(draw.date, QStringLiteral("yyyyMMdd"));
    const QString shown = date.isValid() ? date.toString(QStringLiteral("yyyy/MM/dd")) : draw.date;
    if (!date.isValid())
        return QStringLiteral("第%1回の抽選日「%2」が正しい日付ではありません。")
            .arg(draw.drawNo)
            .arg(shown);
    if (storedBefore.isValid() && date <= storedBefore)
        return QStringLiteral(
                   "第%1回の抽選日 %2 が、保存済みの第%3回の抽選日 %4 より後ではありません。")
            .arg(draw.drawNo)
            .arg(shown)
            .arg(draw.drawNo - 1)
            .arg(storedBefore.toString(QStringLiteral("yyyy/MM/dd")));
    if (storedAfter.isValid() && date >= storedAfter)
        return QStringLiteral(
                   "第%1回の抽選日 %2 が、保存済みの第%3回の抽選日 %4 より前ではありません。")
            .arg(draw.drawNo)
            .arg(shown)
            .arg(draw.drawNo + 1)
            .arg(storedAfter.toString(QStringLiteral("yyyy/MM/dd")));
    if (today.isValid() && date > today)
        return QStringLiteral("第%1回の抽選日 %2 は今日（%3）より後の日付です。")
            .arg(draw.drawNo)
            .arg(shown, today.toString(QStringLiteral("yyyy/MM/dd")));
    return {};
}

IndexFile parseIndexFile(const QString& text) {
    IndexFile index;
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    const QStringList lines = text.split(lineEnd);
    if (lines.size() >= 2) {
        const QString last = lines[0].right(1);
        if (!last.isEmpty() && isDigit(last[0]))
            index.prefix = last;
        index.latest = std::max(0LL, leadingDrawNumber(lines[1]));
    }
    if (index.prefix.isEmpty() || index.latest < 1) {
        index = {};
        index.error = QStringLiteral("Prefix番号と最新抽選回がありません。");
    }
    return index;
}

long long weekdaysAfter(const QDate& from, const QDate& to) {
    if (!from.isValid() || !to.isValid() || to <= from)
        return 0;
    // Whole weeks hold five weekdays each; walk the few days left over.
    const long long days = from.daysTo(to);
    long long count = days / 7 * 5;
    QDate d = from.addDays(days / 7 * 7);
    while (d < to) {
        d = d.addDays(1);
        if (d.dayOfWeek() <= 5)
            ++count;
    }
    return count;
}

long long believableLatest(long long claimed, long long latestStored, const QDate& latestStoredDate,
                           const QDate& today) {
    if (!latestStoredDate.isValid())
        return claimed;
    return std::min(claimed, latestStored + weekdaysAfter(latestStoredDate, today));
}

QString appendRefusal(long long drawNo, long long latestStored) {
    if (drawNo == latestStored + 1)
        return {};
    if (drawNo >= 1 && drawNo <= latestStored)
        return QStringLiteral("第%1回は保存済みです。追加できるのは最新回の次の第%2回だけです。")
            .arg(drawNo)
            .arg(latestStored + 1);
    return QStringLiteral("第%1回は追加できません。追加できるのは最新回の次の第%2回だけです。")
        .arg(drawNo)
        .arg(latestStored + 1);
}

} // namespace download
