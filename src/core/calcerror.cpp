#include "core/calcerror.h"

#include <cmath>

namespace kelvor {

namespace {

[[noreturn]] void Fail(const char* kind, const char* what) {
    throw CalcError(std::string(kind) + " (" + what + ")");
}

double Checked(double result, const char* what) {
    if (!std::isfinite(result)) {
        Fail("result not finite", what);
    }
    return result;
}

}  // namespace

double Div(double numerator, double denominator, const char* what) {
    if (denominator == 0.0) {
        Fail("division by zero", what);
    }
    return Checked(numerator / denominator, what);
}

double Sqrt(double x, const char* what) {
    if (x < 0.0) {
        Fail("square root of a negative number", what);
    }
    return Checked(std::sqrt(x), what);
}

double Pow(double base, double exponent, const char* what) {
    if (base < 0.0 && std::trunc(exponent) != exponent) {
        Fail("fractional power of a negative number", what);
    }
    if (base == 0.0 && exponent < 0.0) {
        Fail("division by zero", what);
    }
    return Checked(std::pow(base, exponent), what);
}

double Acos(double x, const char* what) {
    if (x < -1.0 || x > 1.0) {
        Fail("arc cosine outside -1 to 1", what);
    }
    return std::acos(x);
}

double Asin(double x, const char* what) {
    if (x < -1.0 || x > 1.0) {
        Fail("arc sine outside -1 to 1", what);
    }
    return std::asin(x);
}

double Log(double x, const char* what) {
    if (x <= 0.0) {
        Fail("logarithm of a number not above zero", what);
    }
    return Checked(std::log(x), what);
}

double Finite(double x, const char* what) { return Checked(x, what); }

}  // namespace kelvor
