// What every benchmark starts from: the project and tables as the program holds them after its
// start-up, and the target each benchmark is judged against by scripts/bench.
#pragma once

#include <benchmark/benchmark.h>

#include "core/project.h"
#include "engine/session.h"
#include "core/tables.h"

namespace kelvor::bench {

// The start-up of the program on the shipped tables: a new project, profiles set up.
inline void StartedProject(Project& p, Tables& tables) {
    StartupEnvironment env;
    env.dataFolder = KELVOR_SOURCE_DATA_DIR;
    StartUp(p, tables, env);
}

// The time one iteration must stay under, reported as the counter scripts/bench reads.
inline void Target(benchmark::State& state, double seconds) {
    state.counters["target_s"] = seconds;
}

// A screen refresh at 60 Hz: the window redraws after every edit, so an edit's whole work
// (parse, calculate, list, figure) has to fit well inside one.
inline constexpr double kFrame = 1.0 / 60;

}  // namespace kelvor::bench
