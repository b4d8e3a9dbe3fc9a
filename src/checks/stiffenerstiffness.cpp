// Stiffness of the stiffener (3/9.1): the stiffener with its effective plate must be stiff
// enough for the plate between stiffeners to buckle between them rather than with them.
#include <string>

#include "checks/checkmath.h"
#include "checks/checks.h"
#include "checks/describe.h"
#include "core/calcerror.h"
#include "core/numformat.h"
#include "core/project.h"

namespace kelvor {

namespace {

constexpr const char* kLabel = "UFs = io/Ie = ";
constexpr const char* kReference = "  < 1.0 (3/9.1)";

}  // namespace

StiffnessResult StiffenerStiffness(const Project& p) {
    StiffnessResult r;
    const double s = p.sMean;
    const double t = p.t;
    const double L1 = p.L1;

    const double delta =
        Div(p.StiffArea, s * t, "stiffener stiffness: plate area between stiffeners is zero");
    const double alpha = Div(L1, s, "stiffener stiffness: stiffener spacing is zero");
    // Required stiffness ratio gamma0 of the stiffener to the plate strip, growing with the
    // aspect ratio and the stiffener's share of the area.
    const float gamma0 =
        static_cast<float>((2.6 + 4 * delta) * alpha * alpha + 12.4 * alpha -
                           13.2 * Pow(alpha, 0.5, "stiffener stiffness: negative aspect ratio"));
    // The fit of gamma0 turns negative for stiffeners spaced far wider than their span (L1/s
    // under about 0.3), where it no longer describes a requirement: a negative io would show
    // as a passing factor, so the run stops instead.
    if (gamma0 < 0) {
        FailCalculation("negative required stiffness",
                        "stiffener stiffness: aspect ratio L1/s outside the formula's range");
    }
    // Plate strip bending stiffness s*t^3/(12*(1 - nu^2)) times gamma0, as an inertia.
    r.io = s * t * t * t / 12 / kOneMinusNuSquared * gamma0;
    r.UFs = Div(r.io, p.Ie,
                "stiffener stiffness: moment of inertia Ie of stiffener with plate is zero");
    r.line = FactorMark(r.UFs);
    return r;
}

void DescribeStiffenerStiffness(const Project& p, const StiffnessResult& r, ResultLine& line) {
    SetLine(line, kLabel, FormatText(r.UFs, "0.00"), kReference, r.line,
            FormatText(r.io, "0.000E+0"), "/", FormatText(p.Ie, "0.000E+0"), " = ");
}

}  // namespace kelvor
