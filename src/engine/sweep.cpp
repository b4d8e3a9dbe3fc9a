#include "engine/sweep.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "core/inputlimits.h"
#include "core/numformat.h"
#include "engine/calculate.h"

namespace kelvor {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Loads start growing from zero in the sense the window's sign convention calls worse:
// compression for the membrane stresses, a pressure on the plate side.
// clang-format off
const SweepInput kInputs[] = {
    {"t", &Project::t, nullptr, Worse::Smaller, 0},
    {"L1", &Project::L1, nullptr, Worse::Larger, 0},
    {"L2", &Project::L2, nullptr, Worse::Larger, 0},
    {"Lg", &Project::Lg, nullptr, Worse::Larger, 0},
    {"Lgs", &Project::Lgs, nullptr, Worse::Larger, 0},
    {"Lt", &Project::Lt, nullptr, Worse::Larger, 0},
    {"s", &Project::s1, &Project::s2, Worse::Larger, 0},
    {"s1", &Project::s1, nullptr, Worse::Larger, 0},
    {"s2", &Project::s2, nullptr, Worse::Larger, 0},
    {"SigxA", &Project::SigxA, nullptr, Worse::AwayFromZero, -1},
    {"SigxB", &Project::SigxB, nullptr, Worse::AwayFromZero, -1},
    {"SigyA", &Project::SigyA, nullptr, Worse::AwayFromZero, -1},
    {"SigyC", &Project::SigyC, nullptr, Worse::AwayFromZero, -1},
    {"Tau", &Project::Tau, nullptr, Worse::AwayFromZero, 1},
    {"p", &Project::p, nullptr, Worse::AwayFromZero, 0.01},
    {"ps", &Project::ps, nullptr, Worse::AwayFromZero, 0.01},
    {"FS", &Project::FS, nullptr, Worse::Larger, 0},
    {"UFallow", &Project::UFallow, nullptr, Worse::Smaller, 0},
};
// clang-format on

bool ReadNumber(std::string_view text, double& v) {
    const char* end = text.data() + text.size();
    const auto r = std::from_chars(text.data(), end, v);
    return r.ec == std::errc() && r.ptr == end && std::isfinite(v);
}

SweepPoint PointOf(const Project& p, double x, int mode, double limit) {
    const Verdict v = Judge(p, mode, limit);
    SweepPoint point;
    point.x = x;
    point.completed = v.completed;
    point.passes = v.passes;
    point.failure = v.failure;
    point.value.fill(kNaN);
    for (const FactorRow& row : v.rows) {
        const auto k = static_cast<std::size_t>(row.check);
        point.state[k] = !row.checked ? RowState::Unchecked
                         : row.passes ? RowState::Passes
                                      : RowState::Fails;
        if (row.checked) {
            point.value[k] = row.value;
        }
    }
    if (v.governing >= 0) {
        point.governing = static_cast<int>(v.rows[static_cast<std::size_t>(v.governing)].check);
    }
    return point;
}

bool Judged(RowState s) {
    return s == RowState::Passes || s == RowState::Fails;
}

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\n") == std::string::npos) {
        return text;
    }
    std::string out = "\"";
    for (char c : text) {
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return out + "\"";
}

std::string Shortest(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.9g", v == 0 ? 0.0 : v);
    return buf;
}

}  // namespace

std::span<const SweepInput> SweepInputs() { return kInputs; }

const SweepInput* FindSweepInput(std::string_view name) {
    for (const SweepInput& input : kInputs) {
        if (name == input.name) {
            return &input;
        }
    }
    return nullptr;
}

std::string SweepInputNames() {
    std::string names;
    for (const SweepInput& input : kInputs) {
        names += (names.empty() ? "" : ", ") + std::string(input.name);
    }
    return names;
}

double InputValue(const Project& p, const SweepInput& input) { return p.*input.first; }

double SecondRatio(const Project& p, const SweepInput& input) {
    return input.second && p.*input.first != 0 ? p.*input.second / p.*input.first : 1.0;
}

void SetInput(Project& p, const SweepInput& input, double value, double secondRatio) {
    p.*input.first = static_cast<float>(value);
    if (input.second) {
        p.*input.second = static_cast<float>(value * secondRatio);
    }
}

InputRange AllowedRange(const Project& p, const SweepInput& input) {
    const InputLimit* first = LimitOf(input.first);
    InputRange range{first->low, first->high};
    if (input.second) {
        const InputLimit* second = LimitOf(input.second);
        const double ratio = SecondRatio(p, input);
        range.low = std::max(range.low, second->low / ratio);
        range.high = std::min(range.high, second->high / ratio);
    }
    return range;
}

std::string InputWords(const SweepInput& input) {
    return input.second ? "Stiffener spacing s (s1, s2 in proportion)" : LimitOf(input.first)->name;
}

const char* InputUnit(const SweepInput& input) { return LimitOf(input.first)->unit; }

InputProbe::InputProbe(const Project& base, const Tables& tables, const SweepInput& input,
                       int mode, double limit)
    : work_(base),
      tables_(tables),
      input_(input),
      ratio_(SecondRatio(base, input)),
      mode_(mode),
      limit_(limit) {
    work_.AnalysisMode = mode;
}

SweepPoint InputProbe::At(double x) {
    SetInput(work_, input_, x, ratio_);
    Evaluate(work_, tables_);
    return PointOf(work_, x, mode_, limit_);
}

bool WithinTolerance(double a, double b) {
    return std::abs(a - b) <= 1e-4 * std::max(std::abs(a), std::abs(b));
}

std::string ParseSweepRange(std::string_view text, SweepRequest& request) {
    const std::size_t eq = text.find('=');
    const std::string_view name = text.substr(0, eq);
    request.input = FindSweepInput(name);
    if (request.input == nullptr) {
        return "no input '" + std::string(name) + "' to vary; one of " + SweepInputNames();
    }
    const std::string form = "--vary " + std::string(name) + "=MIN:MAX:STEPS";
    if (eq == std::string_view::npos) {
        return "expected " + form;
    }
    std::string_view rest = text.substr(eq + 1);
    const std::size_t a = rest.find(':');
    const std::size_t b = a == std::string_view::npos ? a : rest.find(':', a + 1);
    double steps = 0;
    if (b == std::string_view::npos || !ReadNumber(rest.substr(0, a), request.min) ||
        !ReadNumber(rest.substr(a + 1, b - a - 1), request.max) ||
        !ReadNumber(rest.substr(b + 1), steps)) {
        return "expected " + form + " with three numbers, not '" + std::string(text) + "'";
    }
    if (steps != std::floor(steps) || steps < 1 || steps > kMaxSweepSteps) {
        return "STEPS must be a whole number from 1 to " + std::to_string(kMaxSweepSteps);
    }
    request.steps = static_cast<int>(steps);
    return {};
}

std::string CheckSweepRequest(const Project& base, const SweepRequest& r) {
    if (r.input == nullptr) {
        return "no input to vary";
    }
    if (!(r.min < r.max)) {
        return "the range must run from a smaller to a larger value";
    }
    if (r.steps < 1 || r.steps > kMaxSweepSteps) {
        return "the steps must be from 1 to " + std::to_string(kMaxSweepSteps);
    }
    const InputRange allowed = AllowedRange(base, *r.input);
    if (!allowed.Admits(r.min) || !allowed.Admits(r.max)) {
        const InputLimit* limit = LimitOf(r.input->first);
        const double outside = allowed.Admits(r.min) ? r.max : r.min;
        if (!limit->Admits(outside)) {
            return LimitInWords(*limit);
        }
        return LimitInWords(*LimitOf(r.input->second)) + " (s2 moves with s1)";
    }
    return {};
}

SweepResult RunSweep(const Project& base, const Tables& tables, const SweepRequest& request) {
    SweepResult result;
    result.request = request;
    result.projectValue = InputValue(base, *request.input);
    InputProbe probe(base, tables, *request.input, request.mode, request.limit);
    result.points.reserve(static_cast<std::size_t>(request.steps) + 1);
    std::array<bool, kCheckCount> shown{};
    for (int i = 0; i <= request.steps; ++i) {
        // The last step exactly at the end, whatever the rounding of the steps before.
        const double x = i == request.steps
                             ? request.max
                             : request.min + (request.max - request.min) * i / request.steps;
        SweepPoint& point = result.points.emplace_back(probe.At(x));
        result.failedRuns += point.completed ? 0 : 1;
        for (int k = 0; k < kCheckCount; ++k) {
            shown[static_cast<std::size_t>(k)] =
                shown[static_cast<std::size_t>(k)] ||
                point.state[static_cast<std::size_t>(k)] != RowState::Absent;
        }
    }
    for (int k = 0; k < kCheckCount; ++k) {
        if (shown[static_cast<std::size_t>(k)]) {
            result.checks.push_back(static_cast<Check>(k));
        }
    }
    // A check judged at two neighbouring steps, passing at one and failing at the other, reaches
    // its limit between them: first where the straight line between them meets the limit, then
    // by bisection on the check's own state.
    for (Check check : result.checks) {
        const auto k = static_cast<std::size_t>(check);
        for (std::size_t i = 1; i < result.points.size(); ++i) {
            const SweepPoint& a = result.points[i - 1];
            const SweepPoint& b = result.points[i];
            if (!Judged(a.state[k]) || !Judged(b.state[k]) || a.state[k] == b.state[k]) {
                continue;
            }
            const bool passesBelow = a.state[k] == RowState::Passes;
            const SweepPoint& good = passesBelow ? a : b;
            const SweepPoint& bad = passesBelow ? b : a;
            double guess = kNaN;
            if (std::isfinite(a.value[k]) && std::isfinite(b.value[k]) &&
                a.value[k] != b.value[k]) {
                guess = a.x + (request.limit - a.value[k]) * (b.x - a.x) / (b.value[k] - a.value[k]);
            }
            SweepPoint atBad = bad;
            const auto ends = probe.Narrow(
                good.x, bad.x, guess,
                [k](const SweepPoint& p) { return p.state[k] == RowState::Passes; }, atBad);
            result.crossings.push_back({check, ends.first, passesBelow});
        }
    }
    return result;
}

std::string SweepCsv(const SweepResult& result) {
    const SweepInput& input = *result.request.input;
    std::string csv = input.name;
    if (*InputUnit(input)) {
        csv += std::string(" (") + InputUnit(input) + ")";
    }
    for (Check check : result.checks) {
        csv += std::string(",") + CheckName(check);
    }
    csv += ",passes,governing,failure\n";
    for (const SweepPoint& point : result.points) {
        csv += Shortest(point.x);
        for (Check check : result.checks) {
            const double v = point.value[static_cast<std::size_t>(check)];
            csv += "," + (std::isfinite(v) ? Shortest(v) : std::string());
        }
        csv += point.passes ? ",yes," : ",no,";
        csv += point.governing >= 0 ? CheckName(static_cast<Check>(point.governing)) : "";
        csv += "," + CsvField(point.failure) + "\n";
    }
    return csv;
}

std::string FourFigures(double v) {
    if (v == 0 || !std::isfinite(v)) {
        return v == 0 ? "0" : Shortest(v);
    }
    const int magnitude = static_cast<int>(std::floor(std::log10(std::abs(v))));
    const int decimals = std::max(0, 3 - magnitude);
    return Format(v, decimals > 0 ? "0." + std::string(static_cast<std::size_t>(decimals), '0')
                                  : std::string("0"));
}

}  // namespace kelvor
