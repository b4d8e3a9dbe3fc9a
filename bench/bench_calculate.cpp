// One full recalculation, as every accepted edit runs it.
#include <benchmark/benchmark.h>

#include "core/calculate.h"
#include "core/project.h"
#include "core/session.h"
#include "core/tables.h"

namespace {

void BM_CalculateDefaultProject(benchmark::State& state) {
    kelvor::Project p;
    kelvor::Tables tables;
    kelvor::StartupEnvironment env;
    env.dataFolder = KELVOR_SOURCE_DATA_DIR;
    kelvor::StartUp(p, tables, env);
    for (auto _ : state) {
        kelvor::Calculate(p, tables);
        benchmark::DoNotOptimize(p.Result.rows.data());
    }
}
BENCHMARK(BM_CalculateDefaultProject);

}  // namespace
