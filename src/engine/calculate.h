#pragma once

#include <span>

namespace kelvor {

struct Project;
struct Tables;

// One step of a run that can fail, with the words the failure row uses for it.
struct CalcStep {
    const char* routine;
    void (*run)(Project&, const Tables&);
};

// The checks of a run in their fixed order: each may read what the steps before it wrote.
std::span<const CalcStep> CalculationSteps();

// Recalculates everything from the inputs: material rows, derived stresses, every check in its
// fixed order, and the result list for `AnalysisMode`. Pure computation: what the window shows
// (spacing messages, rows, a failure) is left in the record. An arithmetic failure stops the run
// at the failing step; `CalcFailure` then names the routine and cause, results of the steps
// after it stay empty, and the list ends with a pure red row.
void Calculate(Project& p, const Tables& tables);

// The numbers of `Calculate` alone: every factor, ratio, status and a failure (`CalcFailure`),
// without the result texts or the list. `Judge` (engine/verdict.h) reads a verdict from it. For
// searches and sweeps that calculate many panels and show few.
void Evaluate(Project& p, const Tables& tables);

// `Calculate` with the given checks: the run's frame (materials, stresses, failure handling,
// result list) around any sequence of steps.
void CalculateWith(Project& p, const Tables& tables, std::span<const CalcStep> steps);

// Stresses at the stiffener line and the edge stresses of both plate fields, from the inputs.
void StressDistribution(Project& p);

// The stiffener spacings must not exceed the spans; fills `SpacingMessages` (at most one
// message per rule; equality passes).
void CheckSpacingAgainstSpans(Project& p);

// The result list for the mode as it stands, from the result lines of the last run.
void FillResultList(Project& p);

}  // namespace kelvor
