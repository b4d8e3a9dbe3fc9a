// The design search: candidates calculated and judged per second, on one thread and on every
// core, over the default space (6 to 40 mm in 1 mm steps, every table stiffener, the girder kept).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "benchsetup.h"
#include "engine/search.h"

namespace {

using kelvor::bench::Target;

// A million candidates a second on the two cores of the development machine: 2 us of CPU per
// candidate, which needs the numbers-only run of the search (Evaluate) to be about twice as fast
// as the full recalculation with its texts.
constexpr double kCandidateTarget = 2e-6;

void RunDefaultSearch(benchmark::State& state, int threads) {
    kelvor::Project p;
    kelvor::Tables tables;
    kelvor::bench::StartedProject(p, tables);
    kelvor::SearchOptions options;
    options.threads = threads;
    const kelvor::SearchSpace space;
    std::uint64_t evaluated = 0;
    for (auto _ : state) {
        const kelvor::SearchResult r = kelvor::Search(p, tables, space, options);
        benchmark::DoNotOptimize(r.best.data());
        evaluated += r.evaluated;
    }
    const std::uint64_t perSearch = kelvor::CandidateCount(p, tables, space);
    // Candidates a second, as the reporters' standard items_per_second column (a counter of
    // its own would be missing from the other benchmarks' rows, which the CSV output refuses).
    state.SetItemsProcessed(static_cast<std::int64_t>(evaluated));
    state.SetLabel(std::to_string(perSearch) + " candidates");
    // CPU time of every thread of the process, so the target is per candidate and core.
    Target(state, kCandidateTarget * static_cast<double>(perSearch));
}

void BM_SearchDefaultOneThread(benchmark::State& state) {
    RunDefaultSearch(state, 1);
}
BENCHMARK(BM_SearchDefaultOneThread)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

void BM_SearchDefaultAllCores(benchmark::State& state) {
    RunDefaultSearch(state, 0);
}
BENCHMARK(BM_SearchDefaultAllCores)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

}  // namespace
