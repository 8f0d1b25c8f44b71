#pragma once

#include "ui/Grid.h"

#include <QString>
#include <QStringList>

namespace simulate {

// The digits of a column of the candidate digit table, from row 1 down to the first empty
// cell, at most maxRows of them.
QStringList digitColumn(const ui::Grid& table, int col, int maxRows);

// The set of digits a text holds, bit d for the digit d; other characters are ignored.
int digitMask(QStringView text);

// How many of the given digits occur in the candidate, each counted once.
int containedCount(const QString& candidate, const QStringList& digits);

// Grows a grid, if need be, so that the row exists. Lists and work grids are sized for what
// the prediction produces; this keeps an unusual input from writing outside them.
void ensureRow(ui::Grid& grid, int row);

} // namespace simulate
