#pragma once

#include <span>

#include "checks/checks.h"

namespace kelvor {

struct Project;
struct Tables;

// The results of a run's checks, kept from the numbers for the texts.
struct RunResults {
    PlateBucklingResult plateBuckling;
    StiffenerBucklingResult stiffenerBuckling;
    OverallBucklingResult overallBuckling;
    PlateYieldResult plateYield;
    StiffenerYieldResult stiffenerYield;
    StiffnessResult stiffness;
    PlateScantlingResult plateScantling;
    StiffenerModulusResult stiffenerModulus;
    GirderScantlingResult girderScantling;
};

// One step of a run that can fail, with the words the failure row uses for it.
struct CalcStep {
    const char* routine;
    // Works out the step's numbers, keeps its result in `results` and stores its numbers and
    // line marks in the record. A CalcError leaves the record's results as they were.
    void (*run)(Project&, const Tables&, RunResults& results);
    // Writes the step's texts from its result once it has succeeded; null for a step that has
    // none of its own.
    void (*describe)(Project&, const RunResults& results);
    // The texts are written even when the step fails (they follow from the inputs alone).
    bool describeFailed = false;
};

// The checks of a run in their fixed order: each may read what the steps before it wrote.
std::span<const CalcStep> CalculationSteps();

// Recalculates everything from the inputs: material rows, derived stresses, every check in its
// fixed order, and the result list for `AnalysisMode`. Pure computation: what the window shows
// (spacing messages, rows, a failure) is left in the record. An arithmetic failure stops the run
// at the failing step; `CalcFailure` then names the routine and cause, results of the steps
// after it stay empty, and the list ends with a pure red row.
void Calculate(Project& p, const Tables& tables);

// The numbers of `Calculate` alone: every factor, ratio, line mark (shown, colour) and a
// failure (`CalcFailure`), without the result texts or the list, which keep what the last
// `Calculate` wrote. `Judge` (engine/verdict.h) reads a verdict from it. For searches and
// sweeps that calculate many panels and show few.
void Evaluate(Project& p, const Tables& tables);

// `Calculate` with the given checks: the run's frame (materials, stresses, failure handling,
// texts, result list) around any sequence of steps.
void CalculateWith(Project& p, const Tables& tables, std::span<const CalcStep> steps);

// The numbers of the given steps in the run's frame, without texts; the results are left in
// `results`. Returns how many steps succeeded (all of them, or the index of the failed one).
std::size_t EvaluateWith(Project& p, const Tables& tables, std::span<const CalcStep> steps,
                         RunResults& results);

// The texts of the first `succeeded` steps from their results, and of a failed step that writes
// them anyway; every other check text left empty.
void DescribeSteps(Project& p, std::span<const CalcStep> steps, std::size_t succeeded,
                   const RunResults& results);

// Stresses at the stiffener line and the edge stresses of both plate fields, from the inputs.
void StressDistribution(Project& p);

// The stiffener spacings must not exceed the spans; fills `SpacingMessages` (at most one
// message per rule; equality passes).
void CheckSpacingAgainstSpans(Project& p);

// The result list for the mode as it stands, from the result lines of the last run.
void FillResultList(Project& p);

}  // namespace kelvor
