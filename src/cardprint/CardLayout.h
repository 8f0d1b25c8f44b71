#pragma once

#include "ui/Printer.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace cardprint {

// The six print positions, in twips: 0 the "Ａ" digit row of slot 0, 1 the distance from one
// slot to the next, 2 the distance between mark rows, 3 the distance between mark columns,
// 4 the column of digit 0, 5 the paper-feed correction subtracted once per slot.
using Positions = std::array<int16_t, 6>;

inline constexpr Positions kDefaultPositions{1920, 1200, 200, 360, 820, 5};
inline constexpr int kMarkWidthTwips = 200;
inline constexpr int kMarkHeightTwips = 50;
inline constexpr int kSlotsPerCard = 5;
inline constexpr int kInjiRecordBytes = 128;
inline constexpr int kInjiTrailerBytes = 116;
// No application card is wider than 100 mm or longer than 200 mm: a mark beyond that, or left
// of or above the corner the positions count from, is off the card whatever the printer.
inline constexpr int kCardWidthTwips = 5669;
inline constexpr int kCardHeightTwips = 11339;

// Record 1 of inji04.dat: the positions as six 16-bit little-endian values, then 116 bytes
// the program never sets and writes back exactly as it read them.
struct InjiRecord {
    Positions pos = kDefaultPositions;
    QByteArray trailer = QByteArray(kInjiTrailerBytes, '\0');
};

QByteArray encodeInji(const InjiRecord& record);
// bytes must hold a whole record.
InjiRecord decodeInji(const QByteArray& bytes);

// inji04.dat as found. A missing file is not a fault (the defaults are written on first use);
// a file shorter than one record, or one whose positions cannot be printed with, is, and
// `problem` then says what is wrong, naming the file, and how to put it right.
struct InjiFile {
    bool exists = false;
    std::optional<InjiRecord> record; // record 1, when the file holds it whole
    QString problem;
};
InjiFile decodeInjiFile(const QByteArray& bytes, const QString& path);
// Throws history::FileError when the file is there but cannot be read.
InjiFile readInjiFile(const QString& path);

// Why marks cannot be printed at these positions, empty when they can: rows or columns
// closer than a mark (on top of each other), slots running into one another, or a mark off
// the card.
QString positionsProblem(const Positions& p);
// The message for positions that cannot be used, naming the file and the way out.
QString positionsRefusal(const QString& path, const QString& problem);

// The one place inji04.dat is written: a temporary file beside it, synced and renamed over
// it, so the old positions survive a failed write. Throws history::FileError.
void writeInjiFile(const QString& path, const InjiRecord& record);

// A mark's top-left corner, twips.
struct Mark {
    int x = 0;
    int y = 0;
    friend bool operator==(const Mark&, const Mark&) = default;
};

// buyType 0 S, 1 B, 2 T; digit row 0..3 is "Ａ".."Ｄ"; slot 0..4 on the card.
Mark buyTypeMark(const Positions& p, int buyType, int slot);
Mark digitMark(const Positions& p, int row, int digit, int slot);

// One card's worth of marks in slot 0: every digit column of the four digit rows and the
// three buy-type marks, each labelled beside it, and the row names left of digit 0. For
// holding against a real card. Returns false when the printer failed.
bool printCalibration(ui::Printer& printer, const Positions& p);

} // namespace cardprint
