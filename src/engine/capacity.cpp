#include "engine/capacity.h"

#include <algorithm>
#include <cmath>

namespace kelvor {

namespace {

constexpr int kDoublings = 10;

// What fails at a step: the run's failure, or the failing check of the largest utilisation.
std::string WhatFails(const SweepPoint& point) {
    if (!point.completed || (point.governing < 0 && !point.failure.empty())) {
        return point.failure;
    }
    int worst = -1;
    for (int k = 0; k < kCheckCount; ++k) {
        const auto i = static_cast<std::size_t>(k);
        if (point.state[i] == RowState::Fails &&
            (worst < 0 || !(point.value[i] <= point.value[static_cast<std::size_t>(worst)]))) {
            worst = k;
        }
    }
    if (worst >= 0) {
        return CheckName(static_cast<Check>(worst));
    }
    return point.failure.empty() ? std::string("a check") : point.failure;
}

// The next value a search tries, stepping from `x` in the sense `worse` (or against it), within
// `range`; NaN when the step leaves nothing new to try.
double Step(double x, double start, const SweepInput& input, bool worse, InputRange range) {
    const bool grow = input.worse == Worse::Larger || input.worse == Worse::AwayFromZero;
    double next;
    if (grow == worse) {
        next = x == 0 ? input.fromZero : 2 * x;
        const double reference = start != 0 ? start : input.fromZero;
        if (std::abs(next) > std::abs(reference) * std::ldexp(1.0, kDoublings)) {
            return NAN;
        }
    } else if (input.worse == Worse::AwayFromZero) {
        // Towards zero a load is tried at zero at once: half a load that fails is no answer.
        next = 0;
    } else {
        next = x / 2;
    }
    next = std::clamp(next, range.low, range.high);
    return next == x ? NAN : next;
}

std::string WithUnit(double v, const SweepInput& input) {
    const char* unit = InputUnit(input);
    return FourFigures(v) + (*unit ? std::string(" ") + unit : std::string());
}

}  // namespace

Capacity FindCapacity(const Project& base, const Tables& tables, const SweepInput& input, int mode,
                      double limit) {
    Capacity c;
    c.input = &input;
    c.mode = mode;
    c.projectValue = InputValue(base, input);
    const InputRange range = AllowedRange(base, input);
    c.range = range;
    InputProbe probe(base, tables, input, mode, limit);
    SweepPoint start = probe.At(c.projectValue);
    c.passesAtProject = start.passes;
    if (!start.passes) {
        c.governs = WhatFails(start);
    }
    // Step the worse way from a passing panel, the better way from a failing one, until the
    // state changes; then bisect between the last two values.
    const bool worse = c.passesAtProject;
    const bool grow = input.worse != Worse::Smaller;
    const double sign = c.projectValue != 0 ? c.projectValue : input.fromZero;
    c.rising = input.worse == Worse::AwayFromZero ? (sign > 0) == worse : grow == worse;
    double last = c.projectValue;
    SweepPoint atLast = start;
    for (double x = Step(last, c.projectValue, input, worse, range); !std::isnan(x);
         x = Step(last, c.projectValue, input, worse, range)) {
        SweepPoint point = probe.At(x);
        if (point.passes != c.passesAtProject) {
            c.found = true;
            if (c.passesAtProject) {
                const auto ends = probe.Narrow(
                    last, x, NAN, [](const SweepPoint& p) { return p.passes; }, point);
                c.value = ends.first;
                c.governs = WhatFails(point);
            } else {
                SweepPoint failing = atLast;
                c.value = probe.Narrow(x, last, NAN, [](const SweepPoint& p) { return p.passes; },
                                       failing)
                              .first;
            }
            return c;
        }
        last = x;
        atLast = std::move(point);
    }
    c.searchedTo = last;
    return c;
}

std::string Capacity::Sentence() const {
    const std::string name = input->name;
    const bool rises = found ? value > projectValue : searchedTo > projectValue ||
                                                          (searchedTo == projectValue && rising);
    const std::string sense = rises ? "rise" : "fall";
    if (passesAtProject && found) {
        return name + " may " + sense + " to " + WithUnit(value, *input) + " (" + governs +
               " governs)";
    }
    if (passesAtProject) {
        const bool bound = searchedTo == range.low || searchedTo == range.high;
        const std::string end = WithUnit(searchedTo, *input);
        if (searchedTo == projectValue) {
            return name + " = " + end + " is the " + (rises ? "largest" : "least") +
                   " value allowed, and every check passes there";
        }
        return name + " may " + sense + " to " + end + (bound ? ", the " : ", as far as the search goes, ") +
               (bound ? (rises ? "largest value allowed, " : "least value allowed, ") : "") +
               "and every check still passes";
    }
    const std::string fails = name + " = " + WithUnit(projectValue, *input) + " fails (" +
                              governs + " governs)";
    if (found) {
        return fails + "; " + name + " must " + sense + " to " + WithUnit(value, *input) +
               " to pass";
    }
    return fails + "; no value of " + name + (rises ? " up to " : " down to ") +
           WithUnit(searchedTo, *input) + " passes";
}

}  // namespace kelvor
