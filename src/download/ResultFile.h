#pragma once

#include "history/DrawRecord.h"

#include <QDate>
#include <QDateTime>
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

using history::japanDate;

// Why a parsed draw's date cannot be right, empty when it can: it must fall after the stored
// draw before it, before the stored draw after it (each null when there is none) and not
// after today. The message names the draw.
QString drawDateRefusal(const ParsedDraw& draw, const QDate& storedBefore, const QDate& storedAfter,
                        const QDate& today);

// The operator's index file numbers.csv, already decoded: line 1 ends in the prefix digit
// ("A52"), line 2 starts with the latest draw ("第7073回...").
struct IndexFile {
    QString prefix;       // one digit
    long long latest = 0; // the latest draw on the site
    QString error;        // empty when both were found
};
IndexFile parseIndexFile(const QString& text);

// Weekdays (Monday to Friday) after from, up to and including to; 0 when to is not later.
long long weekdaysAfter(const QDate& from, const QDate& to);

// How far an index file is believed: draws are held at most once a weekday, so nothing past
// the latest stored draw plus the weekdays since its date (up to today) can exist yet. With
// no stored date there is nothing to measure from and the claim stands.
long long believableLatest(long long claimed, long long latestStored, const QDate& latestStoredDate,
                           const QDate& today);

// Why draw drawNo cannot be appended behind latestStored draws, empty when it can: only the
// draw right after the latest one is an append; anything else would overwrite a stored draw
// or leave a hole.
QString appendRefusal(long long drawNo, long long latestStored);

} // namespace download
