#pragma once

#include <QString>

#include <array>

namespace download {

// One draw read from the operator's result file: what DataPicup writes into row 1 of Grd1.
struct ParsedDraw {
    int drawNo = 0;
    QString date;                 // YYYYMMDD
    QString number;               // four digits, leading zeros kept
    std::array<int, 4> winners{}; // ストレート, ボックス, セット straight part, セット box part
    std::array<int, 4> payout{}; // yen per winning ticket, same order
};

struct ResultParse {
    ParsedDraw draw;
    QString error; // empty when the file held the requested draw; otherwise says what is wrong
};

// The draw number of a line "第7073回...": the digits from its second character on (four
// today, five from draw 10000); -1 when there are none.
long long leadingDrawNumber(const QString& line);

// Reads the result file of draw requestedDraw, already decoded. Line 2 must name that draw
// and its date in the era of the draw (令和 above draw 5166, 平成 up to it), line 11 must end
// in the four-digit winning number and lines 12 to 15 must each hold "該当なし" or a count
// of tickets before "口" and a payout before "円". Full-width digits read as digits.
ResultParse parseResultFile(const QString& text, long long requestedDraw);

} // namespace download
