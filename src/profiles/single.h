#pragma once

// Quantities the record holds in single precision are rounded to float where they are stored,
// and later formulas read the rounded value, as the checks and texts do.

#include <cfloat>
#include <cmath>

#include "core/calcerror.h"

namespace kelvor {

// A value beyond the float range would be stored as infinity: fail the step instead.
inline float ToSingle(double value, const char* what) {
    if (!std::isfinite(value) || std::fabs(value) > FLT_MAX) {
        throw CalcError(std::string("result not finite in single precision (") + what + ")");
    }
    return static_cast<float>(value);
}

}  // namespace kelvor
