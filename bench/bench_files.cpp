// Saving and opening a project: the window waits for both.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "benchsetup.h"
#include "engine/calculate.h"
#include "files/projectfile.h"

namespace {

namespace fs = std::filesystem;

// A click on Save or Open should feel instant; a tenth of a frame leaves the rest of the redraw
// its time.
constexpr double kFileTarget = kelvor::bench::kFrame / 10;

std::string BenchFile() {
    const fs::path dir = fs::temp_directory_path() / "kelvor-bench-project";
    fs::create_directories(dir);
    return (dir / "panel.kelvo").string();
}

void BM_ProjectFileWrite(benchmark::State& state) {
    kelvor::Project p;
    kelvor::Tables tables;
    kelvor::bench::StartedProject(p, tables);
    std::string path = BenchFile();
    for (auto _ : state) {
        if (!kelvor::WriteProjectFile(p, path).ok) {
            state.SkipWithError("the project file could not be written");
            break;
        }
    }
    fs::remove_all(fs::path(path).parent_path());
    kelvor::bench::Target(state, kFileTarget);
}
BENCHMARK(BM_ProjectFileWrite);

// Open as the File menu does it: read whole, profiles and materials applied, recalculated.
void BM_ProjectFileOpen(benchmark::State& state) {
    kelvor::Project p;
    kelvor::Tables tables;
    kelvor::bench::StartedProject(p, tables);
    std::string path = BenchFile();
    kelvor::WriteProjectFile(p, path);
    for (auto _ : state) {
        if (!kelvor::OpenProject(p, tables, path).empty()) {
            state.SkipWithError("the project file could not be read");
            break;
        }
        kelvor::Calculate(p, tables);
    }
    fs::remove_all(fs::path(path).parent_path());
    kelvor::bench::Target(state, kFileTarget);
}
BENCHMARK(BM_ProjectFileOpen);

}  // namespace
