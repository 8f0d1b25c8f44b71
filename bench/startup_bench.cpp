// The start-up over the bundled history (everything after the window placement and the
// clock, without painting and without the catch-up download). Target: under 10 ms.
#include "BenchSupport.h"

#include <benchmark/benchmark.h>

static void BM_StartupOverBundledHistory(benchmark::State& state) {
    BenchWorkspace ws;
    for (auto _ : state) {
        ws.form->Form_Load(false);
        benchmark::DoNotOptimize(ws.form->HistRows);
    }
}
BENCHMARK(BM_StartupOverBundledHistory)->Unit(benchmark::kMillisecond);
