// The prediction chain over the bundled history.
#include "BenchSupport.h"

#include <benchmark/benchmark.h>

using mainwindow::WsWorkCol;

// ①集計, ②集計 (AC) and ③S・W絞り (N = M = 100) for the draw after the latest.
static void BM_PredictNextDraw(benchmark::State& state) {
    BenchWorkspace ws;
    auto& form = *ws.form;
    for (auto _ : state) {
        form.Command1_Click();
        form.Command2_Click();
        form.Command4_Click();
        benchmark::DoNotOptimize(form.narrowCountS);
    }
}
BENCHMARK(BM_PredictNextDraw)->Unit(benchmark::kMicrosecond);

// The W・S prediction of the latest 501 draws and the next one.
static void BM_NewWSset(benchmark::State& state) {
    BenchWorkspace ws;
    for (auto _ : state) {
        ws.form->NewWSset();
        benchmark::DoNotOptimize(ws.form->Grd3.text(9, WsWorkCol::Verdict));
    }
}
BENCHMARK(BM_NewWSset)->Unit(benchmark::kMillisecond);
