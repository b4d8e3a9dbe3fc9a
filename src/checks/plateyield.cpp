// Plate yield after the ABS rules for mobile offshore drilling units, 3-2-1/3.11: the equivalent
// (von Mises) stress of the in-plane stress field at the panel's corner points A to D, with the
// factor of safety, against the plate's yield stress.
#include <string>

#include "checks/checkmath.h"
#include "checks/checks.h"
#include "checks/describe.h"
#include "core/calcerror.h"
#include "core/numformat.h"
#include "core/project.h"

namespace kelvor {

PlateYieldResult PlateYield(const Project& p) {
    PlateYieldResult r;

    // SigxA/SigxB act at the edges of the panel's width, SigyA/SigyC at the ends of its span:
    // each corner combines one of each.
    struct Point {
        char name;
        float sigx;
        float sigy;
    };
    const Point points[] = {{'A', p.SigxA, p.SigyA},
                            {'B', p.SigxB, p.SigyA},
                            {'C', p.SigxA, p.SigyC},
                            {'D', p.SigxB, p.SigyC}};
    const double tau = p.Tau;
    char governing = 0;
    double sigeq = 0;
    for (const Point& point : points) {
        const double v =
            EquivalentStress(point.sigx, point.sigy, tau, "plate yield: equivalent stress");
        // An equal value further round the panel does not take over: point A stands on a tie.
        if (governing == 0 || v > sigeq) {
            governing = point.name;
            sigeq = v;
        }
    }
    r.governing = governing;
    r.sigeq = sigeq;
    r.UFy = Div(static_cast<double>(p.FS) * sigeq, p.Fyp, "plate yield: yield stress Fyp is zero");
    r.line = NonZeroFactorMark(r.UFy);
    return r;
}

void DescribePlateYield(Project& p, const PlateYieldResult& r) {
    p.UFyText.Clear();
    AssignConcat(p.UFyHeading,
                 "  Control in points A-D,  Factor of Safety F.S. = ", FormatText(p.FS, "0.00"));
    if (r.line.shown) {
        SetLine(p.UFyText, "", FormatText(r.UFy, "0.00"), "  < 1.0 (3-2-1/3.11)", r.line,
                FormatText(p.FS, "0.00"), "*", FormatText(r.sigeq, "0.0"), "/",
                FormatText(p.Fyp, "0.0"), " = ");
        AssignConcat(p.UFyText.label, "Point: ", std::string_view(&r.governing, 1),
                     ":  UF = F.S.*Sigeq/Fy = ");
    }
}

}  // namespace kelvor
