#include "ImportCsv.h"

#include "ui/CsvLine.h"

#include <QBuffer>

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

// Field captions, by field number (1-based) as the messages name them.
const char16_t* const kFieldNames[] = {u"",
                                       u"抽選回",
                                       u"抽選日",
                                       u"当籤数字",
                                       u"ストレート口数",
                                       u"ストレート配当",
                                       u"ボックス口数",
                                       u"ボックス配当",
                                       u"セット（ストレート）口数",
                                       u"セット（ストレート）配当",
                                       u"セット（ボックス）口数",
                                       u"セット（ボックス）配当",
                                       u"使われない項目"};

// The shortest line a draw can take ("1,2000/1/1,1234,,0,,0,,0,,0," and its line end), so a
// first draw number the file cannot reach is refused before anything is written for it.
constexpr qint64 kShortestLine = 29;

constexpr qsizetype kChunk = 64 * 1024;

} // namespace

ImportReader::ImportReader(QIODevice& in, QString fileName, QDate today)
    : in_(in), fileName_(std::move(fileName)), today_(today) {}

int ImportReader::nextByte() {
    if (pos_ == buffer_.size()) {
        buffer_ = in_.read(kChunk);
        pos_ = 0;
        if (buffer_.isEmpty())
            return -1;
    }
    return static_cast<unsigned char>(buffer_[pos_++]);
}

bool ImportReader::readLine(QByteArray& line) {
    line.clear();
    if (ended_)
        return false;
    ++lineNo_;
    for (;;) {
        int c = nextByte();
        if (atStart_) {
            atStart_ = false;
            // A byte-order mark some editors put in front of UTF-8 text; anything else that
            // starts with its first byte (a full-width digit) is left for the fields to refuse.
            if (c == 0xEF && buffer_.mid(pos_, 2) == "\xBB\xBF") {
                pos_ += 2;
                c = nextByte();
            }
        }
        if (afterCr_) {
            afterCr_ = false;
            if (c == '\n')
                continue; // the LF of a CR LF
        }
        if (c < 0) {
            ended_ = true;
            return !line.isEmpty();
        }
        if (c == '\n')
            return true;
        if (c == '\r') {
            afterCr_ = true;
            return true;
        }
        if (line.size() >= kMaxLineBytes)
            return failLine(QStringLiteral("1行が %1 バイトを超えています（改行は CR LF、LF、CR "
                                           "のどれかです）。")
                                .arg(kMaxLineBytes));
        line.append(static_cast<char>(c));
    }
}

bool ImportReader::failLine(const QString& what) {
    error_ = QStringLiteral("%1 の %2 行目: %3").arg(fileName_).arg(lineNo_).arg(what);
    ended_ = true;
    return false;
}

bool ImportReader::fail(int field, const QString& what) {
    error_ = QStringLiteral("%1 の %2 行目、%3項目目（%4）: %5")
                 .arg(fileName_)
                 .arg(lineNo_)
                 .arg(field)
                 .arg(QString::fromUtf16(kFieldNames[field]), what);
    ended_ = true;
    return false;
}

bool ImportReader::next(history::DrawRecord& rec) {
    if (!error_.isEmpty())
        return false;
    if (lineNo_ == 0 && !in_.isSequential() && in_.size() > kMaxFileBytes)
        return failLine(QStringLiteral("ファイルが大きすぎます（%1 バイト、上限 %2 バイト）。")
                            .arg(in_.size())
                            .arg(kMaxFileBytes));
    QByteArray bytes;
    for (;;) {
        if (!readLine(bytes)) {
            if (!error_.isEmpty())
                return false;
            if (previousDraw_ == 0) {
                error_ = QStringLiteral("%1 に抽選結果がありません。").arg(fileName_);
            } else if (previousDraw_ != 1) {
                lineNo_ = lastRecordLine_;
                failLine(QStringLiteral("最後の行が第%1回です。第1回まで続いていません。")
                             .arg(previousDraw_));
            }
            return false;
        }
        if (!bytes.trimmed().isEmpty())
            break;
    }

    const ui::CsvLine line = ui::splitCsvLine(QString::fromUtf8(bytes));
    if (!line.error.isEmpty())
        return line.badField <= 12
                   ? fail(line.badField, line.error)
                   : failLine(QStringLiteral("%1項目目: %2").arg(line.badField).arg(line.error));
    const QStringList& f = line.fields;
    if (f.size() != 12)
        return failLine(QStringLiteral("項目が12個ではありません（%1個）。").arg(f.size()));
    auto quoted = [](const QString& text) {
        return QStringLiteral("「%1」").arg(ui::visibleText(text));
    };

    if (!allDigits(f[0]) || f[0].size() > 9)
        return fail(1, quoted(f[0]) + QStringLiteral("が数字ではありません。"));
    const int drawNo = f[0].toInt();
    if (previousDraw_ == 0) {
        if (drawNo < 1)
            return fail(1, QStringLiteral("第0回はありません。"));
        if (!in_.isSequential() && (drawNo - 1) * kShortestLine > in_.size())
            return fail(1, QStringLiteral("第%1回から第1回までの行がこのファイルに収まりません。")
                               .arg(drawNo));
        firstDraw_ = drawNo;
    } else if (drawNo != previousDraw_ - 1) {
        return fail(1, QStringLiteral("第%1回の次の行は第%2回のはずですが、第%3回です。")
                           .arg(previousDraw_)
                           .arg(previousDraw_ - 1)
                           .arg(drawNo));
    }

    const QString date = importDate(f[1]);
    if (date.isEmpty())
        return fail(2, quoted(f[1]) + QStringLiteral("が正しい日付ではありません。"));
    const QByteArray dateBytes = date.toLatin1();
    if (QDate::fromString(date, QStringLiteral("yyyyMMdd")) > today_)
        return fail(2, quoted(f[1]) + QStringLiteral("は今日（%1）より後です。")
                                          .arg(today_.toString(QStringLiteral("yyyy/MM/dd"))));
    if (previousDraw_ != 0 && dateBytes >= previousDate_)
        return fail(2, quoted(f[1]) + QStringLiteral("が前の行（第%1回）の抽選日より前では"
                                                     "ありません。")
                                          .arg(previousDraw_));
    if (f[2].size() != 4 || !allDigits(f[2]))
        return fail(3, quoted(f[2]) + QStringLiteral("が4桁の数字ではありません。"));

    history::DrawRecord r;
    r.DrawNo = drawNo;
    r.DrawDate = dateBytes;
    r.WinNumber = f[2].toLatin1();
    for (int k = 0; k < 4; ++k) {
        const int wField = 4 + 2 * k;
        const int pField = 5 + 2 * k;
        const QString& winners = f[wField - 1];
        const QString& payout = f[pField - 1];
        if (!winners.isEmpty() && !allDigits(winners))
            return fail(wField, quoted(winners) + QStringLiteral("が数字だけではありません。"));
        if (winners.size() > 5 || winners.toInt() > std::numeric_limits<int16_t>::max())
            return fail(wField, quoted(winners) + QStringLiteral("が範囲外です。"));
        // The operator leaves the payout empty where nobody won.
        const bool noWinners = payout.isEmpty() && winners == u"0";
        if (!noWinners && !allDigits(payout))
            return fail(pField, quoted(payout) + QStringLiteral("が数字だけではありません。"));
        if (payout.size() > 10 || payout.toLongLong() > std::numeric_limits<int32_t>::max())
            return fail(pField, quoted(payout) + QStringLiteral("が範囲外です。"));
        r.Winners[k] = static_cast<int16_t>(winners.toInt());
        r.Payout[k] = static_cast<int32_t>(payout.toLongLong());
    }
    previousDraw_ = drawNo;
    previousDate_ = dateBytes;
    lastRecordLine_ = lineNo_;
    rec = r;
    return true;
}

ImportResult parseImportCsv(const QByteArray& content, const QString& fileName, QDate today) {
    QByteArray copy = content;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    ImportReader reader(buffer, fileName, today);
    ImportResult result;
    history::DrawRecord rec;
    while (reader.next(rec))
        result.records.push_back(rec);
    result.error = reader.error();
    if (!result.error.isEmpty())
        result.records.clear();
    return result;
}

} // namespace download
