#include "core/calcerror.h"

#include <cmath>

namespace kelvor {

void FailCalculation(const char* kind, const char* what) {
    throw CalcError(std::string(kind) + " (" + what + ")");
}

double Pow(double base, double exponent, const char* what) {
    if (base < 0.0 && std::trunc(exponent) != exponent) {
        FailCalculation("fractional power of a negative number", what);
    }
    if (base == 0.0 && exponent < 0.0) {
        FailCalculation("division by zero", what);
    }
    return Finite(std::pow(base, exponent), what);
}

double Acos(double x, const char* what) {
    if (x < -1.0 || x > 1.0) {
        FailCalculation("arc cosine outside -1 to 1", what);
    }
    return std::acos(x);
}

double Asin(double x, const char* what) {
    if (x < -1.0 || x > 1.0) {
        FailCalculation("arc sine outside -1 to 1", what);
    }
    return std::asin(x);
}

double Log(double x, const char* what) {
    if (x <= 0.0) {
        FailCalculation("logarithm of a number not above zero", what);
    }
    return Finite(std::log(x), what);
}

}  // namespace kelvor
