#include "Baseline.h"

#include <algorithm>

namespace simulate {

namespace {

constexpr double kSingleBoxes = 210;
constexpr double kDoubleBoxes = 360;

} // namespace

double winChance(const BaselineDraw& draw) {
    switch (draw.kind) {
    case BaselineDraw::Kind::Single:
        return std::clamp(draw.singlesBought / kSingleBoxes, 0.0, 1.0);
    case BaselineDraw::Kind::Double:
        return std::clamp(draw.doublesBought / kDoubleBoxes, 0.0, 1.0);
    case BaselineDraw::Kind::Other:
        break;
    }
    return 0;
}

Baseline chanceBaseline(const std::vector<BaselineDraw>& draws, int hits) {
    Baseline b;
    // dist[k]: chance of exactly k wins so far; only draws that can be won widen it. Each
    // draw's step reads the last one and writes the other buffer, so that it vectorises.
    std::vector<double> dist{1.0}, next;
    dist.reserve(draws.size() + 1);
    next.reserve(draws.size() + 1);
    for (const BaselineDraw& d : draws) {
        const double p = winChance(d);
        b.expectedHits += p;
        b.expectedPayoutYen += p * static_cast<double>(d.boxPayoutYen);
        if (p <= 0)
            continue;
        const size_t n = dist.size();
        next.resize(n + 1);
        next[0] = dist[0] * (1 - p);
        for (size_t k = 1; k < n; ++k)
            next[k] = dist[k] * (1 - p) + dist[k - 1] * p;
        next[n] = dist[n - 1] * p;
        dist.swap(next);
    }
    if (hits <= 0)
        return b;
    double tail = 0;
    for (size_t k = static_cast<size_t>(hits); k < dist.size(); ++k)
        tail += dist[k];
    b.pAtLeast = std::clamp(tail, 0.0, 1.0);
    return b;
}

std::vector<double> holmAdjusted(const std::vector<double>& chances) {
    std::vector<size_t> order(chances.size());
    for (size_t k = 0; k < order.size(); ++k)
        order[k] = k;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return chances[a] < chances[b]; });
    std::vector<double> adjusted(chances.size());
    double running = 0;
    for (size_t k = 0; k < order.size(); ++k) {
        const double scaled = chances[order[k]] * static_cast<double>(order.size() - k);
        running = std::min(std::max(running, scaled), 1.0);
        adjusted[order[k]] = running;
    }
    return adjusted;
}

} // namespace simulate
