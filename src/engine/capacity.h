#pragma once

// The capacity of a panel in one input: how far the input may go the worse way (a span longer,
// the plate thinner, a load larger) before a check fails, found by bisection on the numbers of
// the full calculation.

#include <string>

#include "engine/sweep.h"

namespace kelvor {

struct Capacity {
    const SweepInput* input = nullptr;
    int mode = 1;
    double projectValue = 0;
    bool passesAtProject = false;
    // passesAtProject: a value was found beyond which a check fails; `value` is the last value
    // that passes (to 0.1 %). Otherwise: a value in the allowed range where the panel passes;
    // `value` is the first such value coming from the project's.
    bool found = false;
    double value = 0;
    // Where the search ended without finding the other state: the allowed bound or the end of
    // the search.
    double searchedTo = 0;
    // What fails: beyond `value` (the check that fails first, or the run's failure), or at the
    // project's value when the panel fails there.
    std::string governs;
    InputRange range;     // the values the window allows
    bool rising = false;  // the search went to larger values


    // One line: "p may rise to 0.08712 MPa (UFbu governs)".
    std::string Sentence() const;
};

// Searches on a copy of `base` (calculated as after an open). The search steps away from the
// project's value by doubling (halving towards a bound or zero) until the state changes, then
// bisects; it keeps to the input's allowed range and to 2^16 times the project's value.
Capacity FindCapacity(const Project& base, const Tables& tables, const SweepInput& input, int mode,
                      double limit = 1.0);

}  // namespace kelvor
