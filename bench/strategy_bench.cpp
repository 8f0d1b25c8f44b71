// The strategy table: 6 pairs x 4 narrowings over the whole bundled history. Target: at most
// three whole-history tallies' time on two cores.
#include "BenchSupport.h"

#include "simulate/StrategyTable.h"

#include <benchmark/benchmark.h>

static void BM_StrategyTableOverWholeHistory(benchmark::State& state) {
    BenchWorkspace ws;
    auto& f = *ws.form;
    f.Option1.selected = 2;
    for (auto _ : state) {
        const auto table = simulate::strategyTable(f, static_cast<int>(state.range(0)));
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(BM_StrategyTableOverWholeHistory)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

// The walk-forward with a window of 100 draws through the whole history, with the table it
// comes with. Target: under 5 s on two cores.
static void BM_WalkForwardOverWholeHistory(benchmark::State& state) {
    BenchWorkspace ws;
    auto& f = *ws.form;
    f.Option1.selected = 2;
    for (auto _ : state) {
        const auto study = simulate::strategyStudy(f, 2, 100);
        benchmark::DoNotOptimize(study);
    }
}
BENCHMARK(BM_WalkForwardOverWholeHistory)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();
