#pragma once

// Constants and small helpers shared by the buckling and scantling formulas.

#include <string_view>

#include "core/concat.h"
#include "core/resultline.h"

namespace kelvor {

// The buckling formulas have always used the single-precision value of pi.
constexpr double kPi = 3.1415927f;

constexpr double Square(double x) {
    return x * x;
}

// Writes a result line in place, its formula joined from the pieces; the line keeps the storage
// of its texts from run to run.
template <typename... FormulaPieces>
void SetLine(ResultLine& line, std::string_view label, std::string_view value,
             std::string_view reference, int status, const FormulaPieces&... formula) {
    line.label = label;
    AssignConcat(line.formula, formula...);
    line.value = value;
    line.reference = reference;
    line.status = status;
}

}  // namespace kelvor
