// Stiffener yield after the ABS rules for mobile offshore drilling units, 3-2-1/3.11: the
// stiffener with its bending breadth sw of plating as a beam fixed at both ends under the lateral
// pressure p, the end moment p*s*L1^2/12 and the mid-span moment p*s*L1^2/24 added to the
// membrane stress at the stiffener line, checked on the plate side and on the stiffener side
// with the factor of safety.
#include <cmath>
#include <string>

#include "checks/checkmath.h"
#include "checks/checks.h"
#include "checks/describe.h"
#include "core/calcerror.h"
#include "core/numformat.h"
#include "core/project.h"

namespace kelvor {

namespace {

constexpr const char* kReference = "  < 1.0 (3-2-1/3.11)";

void YieldLine(ResultLine& line, int point, char side, float fs, std::string_view stress, float fy,
               double uf, LineMark mark) {
    SetLine(line, "", FormatText(uf, "0.00"), kReference, mark, FormatText(fs, "0.00"), "*",
            stress, "/", FormatText(fy, "0.0"), " = ");
    const char pointName[] = {static_cast<char>('0' + point), side, '\0'};
    AssignConcat(line.label, "Point ", pointName, ": UF = F.S.*Sigeq/Fy  = ");
}

}  // namespace

StiffenerYieldResult StiffenerYield(const Project& p) {
    StiffenerYieldResult r;

    // p*s*L1^2: the clamped-beam moment without its divisor, N*mm.
    const double load = static_cast<double>(p.p) * p.sMean * p.L1 * p.L1;
    const double sigx = p.SigxStiff;
    const double sigyA = p.SigyA;
    const double sigyC = p.SigyC;
    const double tau = p.Tau;

    // Plate side: pressure on the plate bends the plate into tension over the supports and into
    // compression at mid-span; the transverse stress is that of the span end or, at mid-span,
    // the mean of both ends.
    const char* wpZero = "stiffener yield: section modulus Wp_sw is zero";
    const double endBending = Div(load, 12 * p.Wp_sw, wpZero);
    const double midBending = Div(load, 24 * p.Wp_sw, wpZero);
    struct Point {
        double sigx;
        double sigy;
    };
    const Point plate[] = {{sigx + endBending, sigyA},
                           {sigx - midBending, (sigyA + sigyC) / 2},
                           {sigx + endBending, sigyC}};
    int platePoint = 0;
    double sigeq = 0;
    for (int i = 0; i < 3; ++i) {
        const double v = EquivalentStress(plate[i].sigx, plate[i].sigy, tau,
                                          "stiffener yield: equivalent stress");
        // A later point takes over only with a strictly larger stress: the end at A stands on
        // a tie.
        if (platePoint == 0 || v > sigeq) {
            platePoint = i + 1;
            sigeq = v;
        }
    }
    r.platePoint = platePoint;
    r.plateSigeq = sigeq;
    r.UFyp =
        Div(static_cast<double>(p.FS) * sigeq, p.Fyp, "stiffener yield: yield stress Fyp is zero");
    r.plate = FactorMark(r.UFyp);

    // Stiffener side: the bending stresses change sign against the plate side (compression at
    // the ends, tension at mid-span); the flange is uniaxial, so the stress itself is the
    // equivalent stress. Held in single precision.
    const char* wsZero = "stiffener yield: section modulus Ws_sw is zero";
    const float endStress = static_cast<float>(std::fabs(sigx - Div(load, 12.0 * p.Ws_sw, wsZero)));
    const float midStress = static_cast<float>(std::fabs(sigx + Div(load, 24.0 * p.Ws_sw, wsZero)));
    const bool midGoverns = midStress > endStress;
    const float sigma = midGoverns ? midStress : endStress;
    r.stiffenerPoint = midGoverns ? 2 : 1;
    r.stiffenerSigma = sigma;
    r.UFys =
        Div(static_cast<double>(p.FS) * sigma, p.Fys, "stiffener yield: yield stress Fys is zero");
    r.stiffener = FactorMark(r.UFys);
    return r;
}

void DescribeStiffenerYield(Project& p, const StiffenerYieldResult& r) {
    YieldLine(p.YieldPlateText, r.platePoint, 'p', p.FS, FormatText(r.plateSigeq, "0.0"), p.Fyp,
              r.UFyp, r.plate);
    YieldLine(p.YieldStiffText, r.stiffenerPoint, 's', p.FS, FormatText(r.stiffenerSigma, "0.0"),
              p.Fys, r.UFys, r.stiffener);
}

}  // namespace kelvor
