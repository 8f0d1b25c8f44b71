#pragma once

#include "ui/Grid.h"

#include <QString>
#include <QStringList>

#include <bitset>
#include <vector>

namespace simulate {

// The digits of a column of the candidate digit table, from row 1 down to the first empty
// cell, at most maxRows of them.
QStringList digitColumn(const ui::Grid& table, int col, int maxRows);

// The set of digits a text holds, bit d for the digit d; other characters are ignored.
int digitMask(QStringView text);

// How many of the given digits occur in the candidate, each counted once.
int containedCount(const QString& candidate, const QStringList& digits);

// The digit set of a candidate's first four characters; -1 when they are not four digits.
int fourDigitMask(QStringView candidate);

// K, the units digit of the draw before `draw` plus 1 (10 becomes 0).
QString shiftedUnitsDigit(const ui::Grid& history, int draw);

// The history rows of the draws of one type ("S" or "W") before `draw`, newest first: at
// most `count` of them, from at most 1001 draws back.
std::vector<int> recentDraws(const ui::Grid& history, const QString& type, int draw, int count);

// The digit sets recent numbers cover: bit m when one number holds every digit of the set m.
// A candidate whose four digits all occur in one recent number, however often, goes.
using CoveredSets = std::bitset<1024>;
void cover(CoveredSets& covered, QStringView number);

// Grows a grid, if need be, so that the row exists. Lists and work grids are sized for what
// the prediction produces; this keeps an unusual input from writing outside them.
void ensureRow(ui::Grid& grid, int row);

} // namespace simulate
