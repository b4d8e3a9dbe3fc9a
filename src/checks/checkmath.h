#pragma once

// Constants and small helpers shared by the buckling and scantling formulas.

#include <string_view>

#include "core/calcerror.h"
#include "core/concat.h"
#include "core/resultline.h"

namespace kelvor {

// The buckling formulas have always used the single-precision value of pi.
constexpr double kPi = 3.1415927f;

// 1 - nu^2 of steel, Poisson's ratio nu = 0.3: the plate bending stiffness E*t^3/(12*(1 - nu^2)).
constexpr double kOneMinusNuSquared = 0.91;

// Proportional linear elastic limit Pr: above Pr times yield the elastic buckling stress is
// corrected for plasticity (Johnson-Ostenfeld). Plate, stiffener and overall buckling alike.
constexpr double kPr = 0.6;

// Factor of a check that does not apply (no compression, closed section); the record and the
// batch file show it as it is.
constexpr double kNotChecked = -99;

constexpr double Square(double x) {
    return x * x;
}

// Johnson-Ostenfeld correction: beyond the proportional limit pr*sigY the elastic buckling
// stress sigE overestimates the capacity; sigY*(1 - pr*(1 - pr)*sigY/sigE) meets it there.
// Overall buckling corrects from the limit itself on, the stiffener checks only beyond it.
enum class AtLimit { Corrected, Elastic };
inline double JohnsonOstenfeld(double sigE, double sigY, double pr, AtLimit atLimit,
                               const char* what) {
    const double limit = pr * sigY;
    if (sigE < limit || (atLimit == AtLimit::Elastic && sigE == limit)) {
        return sigE;
    }
    return sigY * (1 - Div(pr * (1 - pr) * sigY, sigE, what));
}

// Equivalent (von Mises) stress of a plane stress state. Throws CalcError, naming `what`, where
// the radicand is negative.
inline double EquivalentStress(double sx, double sy, double tau, const char* what) {
    return Sqrt(sx * sx + sy * sy - sx * sy + 3 * tau * tau, what);
}

// Writes a result line in place, its formula joined from the pieces; the line keeps the storage
// of its texts from run to run.
// The mark is the one the check settled with its numbers.
template <typename... FormulaPieces>
void SetLine(ResultLine& line, std::string_view label, std::string_view value,
             std::string_view reference, LineMark mark, const FormulaPieces&... formula) {
    line.label = label;
    AssignConcat(line.formula, formula...);
    line.value = value;
    line.reference = reference;
    line.Mark(mark);
}

}  // namespace kelvor
