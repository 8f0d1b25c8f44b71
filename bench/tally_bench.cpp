// シュミ集計 over the bundled history: a hundred draws (the largest count the window offers;
// target under 20 ms) and the month of the latest full month (under 8 ms).
#include "BenchSupport.h"

#include <benchmark/benchmark.h>

static void BM_TallyOverHundredDraws(benchmark::State& state) {
    BenchWorkspace ws;
    auto& f = *ws.form;
    f.Option1.selected = 0;
    f.Combo1.text = QString::number(f.HistRows + 1);
    f.Combo3[2].text = QStringLiteral("100");
    for (auto _ : state) {
        f.GrdSMClear();
        f.Command3_Click();
        benchmark::DoNotOptimize(f.simRows);
    }
}
BENCHMARK(BM_TallyOverHundredDraws)->Unit(benchmark::kMillisecond);

static void BM_TallyOverOneMonth(benchmark::State& state) {
    BenchWorkspace ws;
    auto& f = *ws.form;
    f.Option1.selected = 1;
    f.Combo3[0].text = QStringLiteral("2026");
    f.Combo3[1].text = QStringLiteral("7");
    for (auto _ : state) {
        f.GrdSMClear();
        f.Command3_Click();
        benchmark::DoNotOptimize(f.simRows);
    }
    state.counters["draws"] = f.simRows;
}
BENCHMARK(BM_TallyOverOneMonth)->Unit(benchmark::kMillisecond);

// Every draw from 51 to the latest (7004 on the bundled history), through the worker form
// the window uses. Target: under 600 ms.
static void BM_TallyOverWholeHistory(benchmark::State& state) {
    BenchWorkspace ws;
    auto& f = *ws.form;
    f.Option1.selected = 2;
    for (auto _ : state) {
        f.GrdSMClear();
        f.Command3_Click();
        benchmark::DoNotOptimize(f.simRows);
    }
    state.counters["draws"] = f.simRows;
}
BENCHMARK(BM_TallyOverWholeHistory)->Unit(benchmark::kMillisecond)->Iterations(3);
