// The printed report drawn on a recording canvas: the page's own cost, without a printer's.
#include <benchmark/benchmark.h>

#include "benchsetup.h"
#include "engine/calculate.h"
#include "report/recordingcanvas.h"
#include "report/report.h"

namespace {

// The fullest page: buckling, scantling and yield.
void BM_ReportPage(benchmark::State& state) {
    kelvor::Project p;
    kelvor::Tables tables;
    kelvor::bench::StartedProject(p, tables);
    p.AnalysisMode = 3;
    kelvor::Calculate(p, tables);
    kelvor::ReportContext context;
    context.kind = 3;
    context.date = "2024-06-11";
    context.hour = 9;
    context.minute = 5;
    context.version = kelvor::ProgramVersion();
    kelvor::RecordingCanvas canvas(595, 842);  // A4 in points
    for (auto _ : state) {
        canvas.ops.clear();
        kelvor::PrintPages(canvas, p, tables, context);
        benchmark::DoNotOptimize(canvas.ops.data());
    }
    kelvor::bench::Target(state, kelvor::bench::kFrame);
}
BENCHMARK(BM_ReportPage);

}  // namespace
