#pragma once

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
double Div(double numerator, double denominator, const char* what);
double Sqrt(double x, const char* what);
double Pow(double base, double exponent, const char* what);
double Acos(double x, const char* what);
double Asin(double x, const char* what);
double Log(double x, const char* what);
// Throws when the value is infinite or NaN; returns it otherwise.
double Finite(double x, const char* what);

}  // namespace kelvor
