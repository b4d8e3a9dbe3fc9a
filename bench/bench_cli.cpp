// The command-line tool end to end, process start to file written, as a script calls it: the
// start of a calc, and a batch of 10000 panels.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "benchpanels.h"
#include "benchsetup.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

// The tool under test: the one built beside the benchmark, or KELVOR_BENCH_CLI (to time another
// build of it side by side).
const char* Tool() {
    const char* other = std::getenv("KELVOR_BENCH_CLI");
    return other && *other ? other : KELVOR_CLI;
}

// Runs the tool with its output thrown away; false when it did not exit with 0, or with 1 where
// `failedPanelsAllowed` (a batch in which some panels fail, as the benchmark's slender flat bars do).
bool Run(std::vector<std::string> args, bool failedPanelsAllowed = false) {
    args.insert(args.begin(), Tool());
    std::vector<char*> argv;
    for (std::string& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, Tool(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return spawned == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
           (WEXITSTATUS(status) == 0 || (failedPanelsAllowed && WEXITSTATUS(status) == 1));
}

struct Folder {
    fs::path dir = fs::temp_directory_path() / "kelvor-bench-cli";
    Folder() { fs::create_directories(dir); }
    ~Folder() { fs::remove_all(dir); }
    std::string operator/(const char* name) const { return (dir / name).string(); }
};

void BM_CliCalcDefaultProject(benchmark::State& state) {
    const Folder folder;
    const std::string data = KELVOR_SOURCE_DATA_DIR;
    if (!Run({"new", "-o", folder / "p.kelvo", "--data", data})) {
        state.SkipWithError("new failed");
        return;
    }
    for (auto _ : state) {
        if (!Run({"calc", folder / "p.kelvo", "--data", data})) {
            state.SkipWithError("calc failed");
            break;
        }
    }
    kelvor::bench::Target(state, 0.005);
}
BENCHMARK(BM_CliCalcDefaultProject)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CliBatchTenThousandPanels(benchmark::State& state) {
    const Folder folder;
    const std::string input = folder / "panels.kvi";
    std::ofstream(input, std::ios::binary) << kelvor::bench::TenThousandPanels();
    const std::string data = KELVOR_SOURCE_DATA_DIR;
    for (auto _ : state) {
        if (!Run({"batch", input, "-o", folder / "panels.kvo", "--data", data}, true)) {
            state.SkipWithError("batch failed");
            break;
        }
    }
    kelvor::bench::Target(state, 0.040);
}
BENCHMARK(BM_CliBatchTenThousandPanels)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
