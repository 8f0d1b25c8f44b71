#pragma once

#include <vector>

namespace simulate {

// What buying random box tickets would have won over the same draws: the honest yardstick of
// a tally. Only a box ticket of the winning number's own kind can win, so in a draw whose
// number is a single a random single box wins with probability 1/210, in a draw whose number
// is a double (AABC) a random double box with 1/360, and nothing wins in the other draws.
struct BaselineDraw {
    enum class Kind { Single, Double, Other };
    Kind kind = Kind::Other;
    int singlesBought = 0;
    int doublesBought = 0;
    long long boxPayoutYen = 0;
};

struct Baseline {
    double expectedHits = 0;
    double expectedPayoutYen = 0;
    // Chance of at least `hits` winning draws at random (1 for hits <= 0).
    double pAtLeast = 1;
};

// The chance that one draw is won by the random tickets of its kind, at most 1.
double winChance(const BaselineDraw& draw);

// Exact: the tail of the Poisson-binomial distribution of the per-draw chances.
Baseline chanceBaseline(const std::vector<BaselineDraw>& draws, int hits);

// Holm's step-down adjustment of chances taken together, in their given order: the k-th
// smallest of m times (m - k + 1), never below a smaller one's adjustment, at most 1.
std::vector<double> holmAdjusted(const std::vector<double>& chances);

} // namespace simulate
