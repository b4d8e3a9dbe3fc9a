// A batch file of 10000 panels read and run into its result file, as `kelvor-cli batch` does
// after start-up.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "benchpanels.h"
#include "benchsetup.h"
#include "engine/batchrun.h"

namespace {

namespace fs = std::filesystem;

void BM_BatchTenThousandPanels(benchmark::State& state) {
    kelvor::Project p;
    kelvor::Tables tables;
    kelvor::bench::StartedProject(p, tables);
    const fs::path dir = fs::temp_directory_path() / "kelvor-bench-batch";
    fs::create_directories(dir);
    const std::string input = (dir / "panels.kvi").string();
    std::ofstream(input, std::ios::binary) << kelvor::bench::TenThousandPanels();

    for (auto _ : state) {
        const kelvor::BatchReadResult read = kelvor::ReadBatchFile(input, tables, 0);
        const kelvor::FileResult written = kelvor::WriteBatchResults(
            p, tables, read.table, kelvor::BatchOutputPath(input), '.');
        if (!read.ok || !written.ok) {
            state.SkipWithError("the batch run failed");
            break;
        }
    }
    fs::remove_all(dir);
    kelvor::bench::Target(state, 0.1);
}
BENCHMARK(BM_BatchTenThousandPanels)->Unit(benchmark::kMillisecond);

}  // namespace
