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

// Record 1 of inji04.dat: the positions as six 16-bit little-endian values, then 116 bytes
// the program never sets and writes back exactly as it read them.
struct InjiRecord {
    Positions pos = kDefaultPositions;
    QByteArray trailer = QByteArray(kInjiTrailerBytes, '\0');
};

QByteArray encodeInji(const InjiRecord& record);
// bytes must hold a whole record.
InjiRecord decodeInji(const QByteArray& bytes);

// Record 1 of the file; nothing when the file is missing or shorter than one record (a
// truncated record is not trusted). Throws history::FileError when it cannot be read.
std::optional<InjiRecord> readInjiFile(const QString& path);
// The one place inji04.dat is written: a temporary file beside it, synced and renamed over
// it, so the old positions survive a failed write. Throws history::FileError.
void writeInjiFile(const QString& path, const InjiRecord& record);

// Replaces a file with bytes through a synced temporary file beside it; on failure the old
// file stays as it was and the returned text says why (empty on success).
QString replaceFile(const QString& path, const QByteArray& bytes);

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
