// The what-if runs: a sweep of 1,000 steps returns while the user still looks at the dialog
// (50 ms); a capacity, some thirty runs, well inside a frame.
#include <benchmark/benchmark.h>

#include "benchsetup.h"
#include "engine/capacity.h"
#include "engine/sweep.h"
#include "engine/whatifcharts.h"
#include "report/charts.h"
#include "report/recordingcanvas.h"

namespace {

using kelvor::bench::Target;

constexpr double kSweepTarget = 50e-3;

// p from 0 to 0.2 MPa: UFbu reaches its limit on the way, so a crossing is refined too.
kelvor::SweepRequest PressureSweep() {
    return {kelvor::FindSweepInput("p"), 0, 0.2, 1000, 1};
}

void BM_Sweep1000Steps(benchmark::State& state) {
    kelvor::Project p;
    kelvor::Tables tables;
    kelvor::bench::StartedProject(p, tables);
    for (auto _ : state) {
        const kelvor::SweepResult sweep = kelvor::RunSweep(p, tables, PressureSweep());
        benchmark::DoNotOptimize(sweep.points.data());
    }
    Target(state, kSweepTarget);
}
BENCHMARK(BM_Sweep1000Steps)->Unit(benchmark::kMillisecond);

void BM_CapacityInPressure(benchmark::State& state) {
    kelvor::Project p;
    kelvor::Tables tables;
    kelvor::bench::StartedProject(p, tables);
    for (auto _ : state) {
        const kelvor::Capacity c =
            kelvor::FindCapacity(p, tables, *kelvor::FindSweepInput("p"), 1);
        benchmark::DoNotOptimize(c.value);
    }
    Target(state, kelvor::bench::kFrame);
}
BENCHMARK(BM_CapacityInPressure)->Unit(benchmark::kMillisecond);

// The chart of such a sweep drawn: what the window repaints.
void BM_SweepChartDrawn(benchmark::State& state) {
    kelvor::Project p;
    kelvor::Tables tables;
    kelvor::bench::StartedProject(p, tables);
    const kelvor::ChartData chart =
        kelvor::SweepChart(kelvor::RunSweep(p, tables, PressureSweep()));
    for (auto _ : state) {
        kelvor::RecordingCanvas canvas(720, 446);
        kelvor::DrawChart(canvas, chart);
        benchmark::DoNotOptimize(canvas.ops.data());
    }
    Target(state, kelvor::bench::kFrame);
}
BENCHMARK(BM_SweepChartDrawn)->Unit(benchmark::kMillisecond);

}  // namespace
