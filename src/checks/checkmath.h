#pragma once

// Constants and small helpers shared by the buckling and scantling formulas.

#include "core/concat.h"

namespace kelvor {

// The buckling formulas have always used the single-precision value of pi.
constexpr double kPi = 3.1415927f;

constexpr double Square(double x) {
    return x * x;
}

}  // namespace kelvor
