// The chance baseline of a tally: what random box tickets of the same kinds would have won.
#include "simulate/Baseline.h"

#include <gtest/gtest.h>

#include <random>

using simulate::BaselineDraw;
using Kind = BaselineDraw::Kind;

TEST(BaselineTest, ThreeDrawsWorkedByHand) {
    // A single with 21 singles bought, a double with 36 doubles bought, an AABB draw.
    const std::vector<BaselineDraw> draws = {{Kind::Single, 21, 50, 30000},
                                             {Kind::Double, 80, 36, 90000},
                                             {Kind::Other, 100, 100, 500000}};
    const simulate::Baseline one = simulate::chanceBaseline(draws, 1);
    EXPECT_NEAR(one.expectedHits, 0.2, 1e-12);
    EXPECT_NEAR(one.expectedPayoutYen, 3000 + 9000, 1e-9);
    EXPECT_NEAR(one.pAtLeast, 1 - 0.9 * 0.9, 1e-12);
    EXPECT_NEAR(simulate::chanceBaseline(draws, 2).pAtLeast, 0.01, 1e-12);
    EXPECT_EQ(simulate::chanceBaseline(draws, 3).pAtLeast, 0);
    EXPECT_EQ(simulate::chanceBaseline(draws, 0).pAtLeast, 1);
}

TEST(BaselineTest, TailMatchesBruteForceEnumeration) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> kind(0, 2), bought(0, 400), payout(0, 100000);
    for (int trial = 0; trial < 20; ++trial) {
        std::vector<BaselineDraw> draws(1 + trial % 10);
        for (auto& d : draws)
            d = {static_cast<Kind>(kind(rng)), bought(rng), bought(rng), payout(rng)};
        const size_t n = draws.size();
        for (int hits = 0; hits <= static_cast<int>(n) + 1; ++hits) {
            double brute = 0;
            for (unsigned mask = 0; mask < (1u << n); ++mask) {
                double p = 1;
                int won = 0;
                for (size_t i = 0; i < n; ++i) {
                    const double q = simulate::winChance(draws[i]);
                    const bool w = (mask >> i) & 1u;
                    p *= w ? q : 1 - q;
                    won += w;
                }
                if (won >= hits)
                    brute += p;
            }
            EXPECT_NEAR(simulate::chanceBaseline(draws, hits).pAtLeast, brute, 1e-12)
                << "trial " << trial << " hits " << hits;
        }
    }
}

// Holm by hand: the k-th smallest of five times 5 - k + 1, never below the one before, at
// most 1; tied chances get the same adjustment.
TEST(BaselineTest, HolmAdjustedChancesWorkedByHand) {
    const std::vector<std::pair<std::vector<double>, std::vector<double>>> cases = {
        {{0.04, 0.01, 0.04, 0.3, 0.5}, {0.16, 0.05, 0.16, 0.6, 0.6}},
        {{0.01, 0.4, 0.7, 0.02, 0.4}, {0.05, 1, 1, 0.08, 1}},
    };
    for (const auto& [chances, want] : cases) {
        const std::vector<double> got = simulate::holmAdjusted(chances);
        ASSERT_EQ(got.size(), want.size());
        for (size_t k = 0; k < want.size(); ++k)
            EXPECT_NEAR(got[k], want[k], 1e-12) << "chance " << chances[k];
    }
}
