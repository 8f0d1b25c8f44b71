#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>

#include <array>
#include <cstdint>

namespace history {

// One draw as stored in number414.dat: 128 bytes, little-endian, record n holding draw n.
// Text fields are fixed-width, left-justified and padded with blanks; only ASCII digits and
// blanks are ever stored in them.
struct DrawRecord {
    static constexpr int kSize = 128;
    static constexpr int kFillerSize = 66;

    int32_t DrawNo = 0;
    QByteArray DrawDate = QByteArray(8, ' '); // YYYYMMDD
    QByteArray WinNumber = QByteArray(4, ' ');
    std::array<int16_t, 4> Winners{}; // 0 ストレート, 1 ボックス, 2/3 セット straight/box part
    std::array<int32_t, 4> Payout{}; // yen per winning ticket, same indices
    std::array<int16_t, 10> DigitTable{};
    int16_t HitFlag = 0;
    QByteArray Filler = QByteArray(kFillerSize, ' ');

    // Assigns a text left-justified into a fixed-width field, padding with blanks or cutting.
    static QByteArray fixedText(const QString& text, int width);

    QString dateText() const { return QString::fromLatin1(DrawDate); }
    QString numberText() const { return QString::fromLatin1(WinNumber); }
    // "YYYY/MM/DD" from the eight stored characters.
    QString slashedDate() const;

    QByteArray encode() const;
    // Missing bytes of a short buffer (a partial last record) read as zero.
    static DrawRecord decode(const QByteArray& bytes);

    bool operator==(const DrawRecord&) const = default;
};

// How many of the six position pairs of a four-digit number hold equal digits: 0 for a
// single box, 1 for a double, more for the other shapes.
int equalPairs(const QString& number);

// The calendar date in Japan (UTC+9, no summer time) at an instant: the draws are dated there.
QDate japanDate(const QDateTime& instant);

} // namespace history
