#pragma once

#include <QString>

namespace predict {

// Label of one block from its W and S tallies as texts: "-" when equal, else "W" when the
// W text orders after the S text. The comparison is of texts, so "10" orders before "9".
QString wsBlockLabel(const QString& wTally, const QString& sTally);

// The prediction from the block labels: the majority, and on a tie "W" only when the S
// total is the greater.
QString wsVerdict(int labelsW, int labelsS, int totalW, int totalS);

} // namespace predict
