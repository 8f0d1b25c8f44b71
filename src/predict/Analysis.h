#pragma once

#include <QString>

#include <array>

namespace predict {

// A prediction analyses the 50 draws before its target, so the first draw it can predict
// is draw 51.
constexpr int kAnalysedDraws = 50;
constexpr int kFirstPredictableDraw = kAnalysedDraws + 1;

// The ten digits in the order of their last appearance, most recent first.
using RecencyOrder = std::array<int, 10>;

// Value of character i of a number; a missing or non-digit character reads as 0.
int digitAt(const QString& number, int i);

// 0 ABCD, 1 AABC, 4 AABB, 2 AAAB, 3 AAAA. The codes do not follow the pair count.
int patternCode(const QString& number);

// The order after a draw of `number`, given the order before it: the drawn digits move to
// the front (which of them first depends on the pattern), the others keep their order.
RecencyOrder nextRecencyOrder(const RecencyOrder& prev, const QString& number);

} // namespace predict
