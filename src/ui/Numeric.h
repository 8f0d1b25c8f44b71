#pragma once

#include <QString>
#include <QStringView>

namespace ui {

// The one way a text becomes a number anywhere in the program: leading blanks (the
// ideographic space included) are skipped, then an optional sign, digits and an optional
// fraction are read up to the first character that cannot continue the number. A text
// without a leading number reads as 0.
double leadingNumber(QStringView text);

// leadingNumber() rounded to a whole number, halves to the even neighbour.
long long leadingInt(QStringView text);

// Nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4); values beyond
// the range of long long give its nearest end.
long long roundHalfEven(double value);

// Thousands grouped with commas, zero shown as "0" (37500 -> "37,500").
QString groupThousands(long long value);

// Yen with separators: "¥37,500", "-¥1,200"; with sign, gains get a "+".
QString yen(long long amount, bool sign = false);

// payout ÷ cost in percent to one decimal ("70.8%"); "-" when nothing was spent.
QString returnPercent(long long costYen, long long payoutYen);

// The decimal text of a whole number, as QString::number gives it. Numbers up to 9999 (list
// positions, draw numbers, digits) come from one shared table, so the grids that the tally
// rewrites for every draw share their texts instead of allocating them. Thread-safe.
QString numberText(long long value);

// floor(100 * part / whole) in integers; whole must be positive.
long long percentFloor(long long part, long long whole);

} // namespace ui
