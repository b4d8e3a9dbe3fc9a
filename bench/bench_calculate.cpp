// One full recalculation, as every accepted edit runs it, and what the window does with it.
#include <benchmark/benchmark.h>

#include <string>

#include "benchsetup.h"
#include "engine/calculate.h"
#include "core/numparse.h"
#include "profiles/catalogue.h"
#include "profiles/profiles.h"
#include "report/canvas.h"
#include "report/panelfigure.h"
#include "report/recordingcanvas.h"

namespace {

using kelvor::bench::Target;

constexpr double kCalculateTarget = 5e-6;
// The numbers alone, as a design search or a sweep runs many thousands of panels.
constexpr double kEvaluateTarget = 1e-6;

// A run that stopped early would time the failure path; every benchmark here wants whole runs.
bool RanWhole(benchmark::State& state, const kelvor::Project& p) {
    if (p.CalcFailure) {
        state.SkipWithError(p.CalcFailure->Text().c_str());
        return false;
    }
    return true;
}

void BM_CalculateDefaultProject(benchmark::State& state) {
    kelvor::Project p;
    kelvor::Tables tables;
    kelvor::bench::StartedProject(p, tables);
    for (auto _ : state) {
        kelvor::Calculate(p, tables);
        benchmark::DoNotOptimize(p.Result.rows.data());
    }
    Target(state, kCalculateTarget);
    RanWhole(state, p);
}
BENCHMARK(BM_CalculateDefaultProject);

// The numbers-only run and the verdict read from it, as a search judges each candidate.
void BM_EvaluateDefaultProject(benchmark::State& state) {
    kelvor::Project p;
    kelvor::Tables tables;
    kelvor::bench::StartedProject(p, tables);
    for (auto _ : state) {
        kelvor::Evaluate(p, tables);
        benchmark::DoNotOptimize(p.UFpb);
    }
    Target(state, kEvaluateTarget);
    RanWhole(state, p);
}
BENCHMARK(BM_EvaluateDefaultProject);

// Each stiffener family with the default project's built-up inputs and table rows, except the T
// table's first row: a 50 mm T that fails the default loads would time the failure path. The
// families' own texts (designation, slenderness, torsional check) differ in cost.
void BM_CalculateFamily(benchmark::State& state) {
    kelvor::Project p;
    kelvor::Tables tables;
    kelvor::bench::StartedProject(p, tables);
    const int family = static_cast<int>(state.range(0));
    p.StiffProfileType = family;
    while (p.TTableRow < tables.TTable.LastRow() &&
           tables.TTable.rows[static_cast<std::size_t>(p.TTableRow)][0] < p.StiffH) {
        ++p.TTableRow;
    }
    kelvor::SetUpStiffenerProfile(p, tables, family);
    state.SetLabel(kelvor::FamilyOf(family).prefix);
    for (auto _ : state) {
        kelvor::Calculate(p, tables);
        benchmark::DoNotOptimize(p.Result.rows.data());
    }
    Target(state, kCalculateTarget);
    RanWhole(state, p);
}
BENCHMARK(BM_CalculateFamily)->DenseRange(0, kelvor::kFamilyCount - 1);

// Buckling, scantling and yield together: the longest result list, read cell by cell as the
// list view fills its rows.
void BM_CalculateWithResultRows(benchmark::State& state) {
    kelvor::Project p;
    kelvor::Tables tables;
    kelvor::bench::StartedProject(p, tables);
    p.AnalysisMode = 3;
    for (auto _ : state) {
        kelvor::Calculate(p, tables);
        std::size_t characters = 0;
        for (const kelvor::ResultListRow& row : p.Result.rows) {
            characters += row.text.size() + row.value.size() + row.reference.size();
        }
        benchmark::DoNotOptimize(characters);
    }
    Target(state, kCalculateTarget);
    RanWhole(state, p);
}
BENCHMARK(BM_CalculateWithResultRows);

// The panel figure as the window draws it after every run.
void BM_PanelFigure(benchmark::State& state) {
    kelvor::Project p;
    kelvor::Tables tables;
    kelvor::bench::StartedProject(p, tables);
    kelvor::Calculate(p, tables);
    kelvor::RecordingCanvas canvas(500, 375);
    for (auto _ : state) {
        canvas.ops.clear();
        canvas.ScaleTo(0, 75, 100, 0);
        canvas.SetFontSize(8);
        kelvor::DrawPanelFigure(canvas, p, 0, 0);
        benchmark::DoNotOptimize(canvas.ops.data());
    }
    Target(state, kelvor::bench::kFrame / 100);
}
BENCHMARK(BM_PanelFigure);

// Everything one typed value costs before the window can show it: the field's text parsed, the
// run in the widest mode, the list's cells read and the figure drawn.
void BM_EditToScreen(benchmark::State& state) {
    kelvor::Project p;
    kelvor::Tables tables;
    kelvor::bench::StartedProject(p, tables);
    p.AnalysisMode = 3;
    kelvor::RecordingCanvas canvas(500, 375);
    const std::string typed[] = {"3100", "2900,5"};
    int k = 0;
    for (auto _ : state) {
        p.L1 = kelvor::ParseNumber(typed[k++ & 1], p.DecimalMode);
        kelvor::Calculate(p, tables);
        std::size_t characters = 0;
        for (const kelvor::ResultListRow& row : p.Result.rows) {
            characters += row.text.size() + row.value.size() + row.reference.size();
        }
        benchmark::DoNotOptimize(characters);
        canvas.ops.clear();
        canvas.ScaleTo(0, 75, 100, 0);
        kelvor::DrawPanelFigure(canvas, p, 0, 0);
        benchmark::DoNotOptimize(canvas.ops.data());
    }
    Target(state, kelvor::bench::kFrame / 10);
    RanWhole(state, p);
}
BENCHMARK(BM_EditToScreen);

}  // namespace
