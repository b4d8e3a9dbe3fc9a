#pragma once

// What-if runs on one input of the panel: the input varied over a range and every step run with
// the numbers-only `Evaluate`, each factor followed against its limit, and the input values at
// which a check reaches its limit.

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/project.h"
#include "engine/verdict.h"

namespace kelvor {

struct InputLimit;
struct Tables;

// The way an input makes the panel worse: a span grows, a plate thins, a load grows in size
// whichever its sign.
enum class Worse { Larger, Smaller, AwayFromZero };

// A typed input of the main window that a sweep or a capacity search may vary, named as its
// record field. "s" moves both spacings, s2 keeping its ratio to s1.
struct SweepInput {
    const char* name;
    float Project::*first;
    float Project::*second;  // moved with `first` in proportion, or nullptr
    Worse worse;
    double fromZero;  // where a load of 0 starts growing: its sign is the worse sense
};

std::span<const SweepInput> SweepInputs();
// The input of that name, or nullptr.
const SweepInput* FindSweepInput(std::string_view name);
// "t, L1, L2, ..." for messages.
std::string SweepInputNames();

// The input's value in the record (s1 for "s") and the record with the input set to `value`.
double InputValue(const Project& p, const SweepInput& input);
void SetInput(Project& p, const SweepInput& input, double value, double secondRatio);
// s2/s1 of the record for "s", else 1.
double SecondRatio(const Project& p, const SweepInput& input);

// The values the window would take for the input, as [low, high] of `value` (infinite where
// there is no bound); both spacings must keep their limits when "s" moves them.
struct InputRange {
    double low, high;
    bool Admits(double v) const { return v >= low && v <= high; }
};
InputRange AllowedRange(const Project& p, const SweepInput& input);
// "Lateral pressure p", with the unit: "MPa" ("" for a ratio).
std::string InputWords(const SweepInput& input);
const char* InputUnit(const SweepInput& input);

// A row's state at one step.
enum class RowState : signed char { Absent, Passes, Fails, Unchecked };

// One step of a sweep: the verdict's numbers by check (NaN where the row is absent or not
// checked).
struct SweepPoint {
    double x = 0;
    bool completed = false;
    bool passes = false;
    std::string failure;
    std::array<double, kCheckCount> value{};
    std::array<RowState, kCheckCount> state{};
    int governing = -1;  // the check of the largest utilisation, or -1
};

// Where a check reaches its limit between two steps: the last value at which it still passes,
// to 0.1 %, and on which side of it the check fails.
struct SweepCrossing {
    Check check;
    double x = 0;
    bool failsAbove = true;
};

struct SweepRequest {
    const SweepInput* input = nullptr;
    double min = 0, max = 0;
    int steps = 0;  // intervals: steps + 1 runs
    int mode = 1;
    double limit = 1.0;
};

struct SweepResult {
    SweepRequest request;
    double projectValue = 0;
    std::vector<SweepPoint> points;
    std::vector<Check> checks;  // the checks shown at any step, in the list's order
    std::vector<SweepCrossing> crossings;
    int failedRuns = 0;
};

// A panel to try values of one input on: a copy of the record, calculated with `Evaluate` and
// judged for each value.
class InputProbe {
public:
    InputProbe(const Project& base, const Tables& tables, const SweepInput& input, int mode,
               double limit);
    SweepPoint At(double x);
    // Bisection between a value where `good` holds and one where it does not, until they are
    // within 0.01 % of each other (well inside the 0.1 % an answer is given to); `guess` (when inside) is tried first. Returns the two ends,
    // the good one first, and leaves the point at the bad end in `atBad`.
    template <typename Good>
    std::pair<double, double> Narrow(double good, double bad, double guess, Good isGood,
                                     SweepPoint& atBad);

private:
    Project work_;
    const Tables& tables_;
    const SweepInput& input_;
    double ratio_;
    int mode_;
    double limit_;
};

// Near enough to stop: 0.01 % of the larger apart, or both at zero.
bool WithinTolerance(double a, double b);

template <typename Good>
std::pair<double, double> InputProbe::Narrow(double good, double bad, double guess, Good isGood,
                                             SweepPoint& atBad) {
    for (int i = 0; i < 80 && !WithinTolerance(good, bad); ++i) {
        const bool inside = (guess - good) * (guess - bad) < 0;
        const double x = i == 0 && inside ? guess : (good + bad) / 2;
        SweepPoint point = At(x);
        if (isGood(point)) {
            good = x;
        } else {
            bad = x;
            atBad = std::move(point);
        }
    }
    return {good, bad};
}

// The largest number of steps a sweep takes.
inline constexpr int kMaxSweepSteps = 100000;

// Reads "NAME=MIN:MAX:STEPS" into `request` (input, range, steps); the mode and limit are left.
// Returns an empty text, or what is wrong in words.
std::string ParseSweepRange(std::string_view text, SweepRequest& request);
// An empty text when the request can run on `base`, else what is wrong in words: a range
// outside the input's limits names them as the window does.
std::string CheckSweepRequest(const Project& base, const SweepRequest& request);

// Runs every step on a copy of `base` (its profiles set up, as after an open). A step whose run
// fails is kept with its failure and the sweep goes on.
SweepResult RunSweep(const Project& base, const Tables& tables, const SweepRequest& request);

// The numbers as comma-separated text: the input, each check's utilisation, whether the step
// passes, the governing check and a failure; one line a step.
std::string SweepCsv(const SweepResult& result);

// A number to four significant figures without an exponent: "0.08712", "3125", "12.40".
std::string FourFigures(double v);

}  // namespace kelvor
