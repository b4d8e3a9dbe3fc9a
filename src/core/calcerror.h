#pragma once

#include <cmath>
#include <stdexcept>
#include <string>

namespace kelvor {

// An arithmetic failure inside a check: the argument of a division, root, power or arc function
// left its domain, or a result came out infinite or NaN. The driver stops the run at the failing
// step and reports it; a silently wrong factor is never shown.
class CalcError : public std::runtime_error {
public:
    explicit CalcError(const std::string& cause) : std::runtime_error(cause) {}
};

// Checked arithmetic for the checks. `what` names the quantity in engineering words; it ends up
// in the red failure row, e.g. "square root of a negative number (lateral pressure: equivalent
// stress above yield)".
//
// Div, Sqrt and Finite run hundreds of times per calculation, so their passing path is inline
// and only the failure is a call.
[[noreturn]] void FailCalculation(const char* kind, const char* what);

inline double Finite(double x, const char* what) {
    if (!std::isfinite(x)) [[unlikely]] {
        FailCalculation("result not finite", what);
    }
    return x;
}

inline double Div(double numerator, double denominator, const char* what) {
    if (denominator == 0.0) [[unlikely]] {
        FailCalculation("division by zero", what);
    }
    return Finite(numerator / denominator, what);
}

inline double Sqrt(double x, const char* what) {
    if (x < 0.0) [[unlikely]] {
        FailCalculation("square root of a negative number", what);
    }
    return Finite(std::sqrt(x), what);
}

double Pow(double base, double exponent, const char* what);
double Acos(double x, const char* what);
double Asin(double x, const char* what);
double Log(double x, const char* what);

}  // namespace kelvor
