// The tally sheet of the whole history (7004 draw rows on the bundled history) written into a
// copy of its template, as the window's 集計表 picture writes it. Target: well under 1 s.
#include "BenchSupport.h"

#include "export/SheetCells.h"

#include <benchmark/benchmark.h>

#include <QDir>

static void BM_TallySheetOfWholeHistory(benchmark::State& state) {
    BenchWorkspace ws;
    auto& f = *ws.form;
    f.Option1.selected = 2;
    f.Command3_Click();
    f.Command6_Click();
    const QString out = QDir(f.files.AppDir).filePath(QStringLiteral("bench.xlsx"));
    for (auto _ : state)
        exports::writeSheet(exports::Sheet::Tally, f, f.files.AppDir, out);
    state.counters["rows"] = f.simRows;
}
BENCHMARK(BM_TallySheetOfWholeHistory)->Unit(benchmark::kMillisecond);
