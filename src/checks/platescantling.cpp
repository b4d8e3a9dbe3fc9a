// Rule minimum thickness of the plating after the ABS rules for mobile offshore drilling units:
// watertight bulkheads 3-2-2/7.3, tank bulkheads 3-2-2/9.3, upper structure 3-2-4/3.3.
#include <algorithm>
#include <cmath>
#include <string>

#include "checks/checkmath.h"
#include "checks/checks.h"
#include "checks/describe.h"
#include "checks/structure.h"
#include "core/calcerror.h"
#include "core/numformat.h"
#include "core/project.h"

namespace kelvor {

namespace {

// Plate clause by kind of structure.
constexpr const char* kReferences[] = {"  < 1.0  (3-2-2/7.3)", "  < 1.0  (3-2-2/9.3)",
                                       "  < 1.0  (3-2-4/3.3)"};

// Bulkhead plating under a head h: t = s*k*sqrt(q*h)/divisor + margin, and never below the
// larger of a fixed floor and s/spacingDivisor + 2.5 mm.
struct HeadRule {
    double floor;
    double spacingDivisor;
    double divisor;
    double margin;
};

constexpr HeadRule kWatertightRule{6, 200, 290, 1.5};
// Tank bulkheads, and upper structure in way of tanks, which is built as a tank boundary.
constexpr HeadRule kTankRule{6.5, 150, 254, 2.5};

constexpr const char* kYNegative = "plate scantling: material yield Y negative";

}  // namespace

PlateScantlingResult PlateScantling(const Project& p) {
    PlateScantlingResult r;
    const int tab = CheckedStructure(p.CFactorTab, p.CFactorOption);
    const int option = p.CFactorOption;
    r.structure = tab;

    // Higher-tensile steel earns thinner plating only up to 72 % of its tensile strength.
    const double Y = std::min<double>(p.Fyp, 0.72 * p.Fup);
    const double q = Div(235, Y, "plate scantling: material yield Y is zero");
    const double alpha = Div(p.L1, p.s1, "plate scantling: spacing s1 is zero");
    // Aspect-ratio coefficient: a short panel carries part of the pressure along its span.
    const double k =
        alpha <= 2 ? (3.075 * Sqrt(alpha, "plate scantling: aspect ratio L1/s1 negative") - 2.077) /
                         (alpha + 0.272)
                   : 1;
    const double ps = std::fabs(p.ps);  // a suction counts like a pressure
    const double h = 100 * ps;          // head, m: 100 m of water per MPa
    const double s = p.s2 > p.s1 ? p.s2 : p.s1;

    double bound = 0;
    double byPressure = 0;
    if (tab == 2 && option == 0) {
        // Upper structure clear of tanks: this clause counts the head as 1000/7.05 m per MPa.
        bound = 5;
        byPressure = 0.0039 * s * Sqrt(1000 * q * ps / 7.05, kYNegative) + 1.5;
    } else {
        const HeadRule& rule = tab == 0 ? kWatertightRule : kTankRule;
        bound = std::max(rule.floor, s / rule.spacingDivisor + 2.5);
        byPressure = s * k * Sqrt(q * h, kYNegative) / rule.divisor + rule.margin;
    }
    double tmin = bound;
    if (byPressure > bound) {
        tmin = byPressure;
    }
    r.tmin = tmin;
    r.UFt = Div(tmin, p.t, "plate scantling: plate thickness t is zero");
    r.line = NonZeroFactorMark(r.UFt);
    return r;
}

void DescribePlateScantling(Project& p, const PlateScantlingResult& r) {
    p.UFtText.Clear();
    p.StructureType = kStructureNames[r.structure];
    if (r.line.shown) {
        SetLine(p.UFtText, p.s1 >= p.s2 ? "Plate 1: UF = tmin/t = " : "Plate 2: UF = tmin/t = ",
                FormatText(r.UFt, "0.00"), kReferences[r.structure], r.line,
                FormatText(r.tmin, "0.00"), "/", FormatText(p.t, "0.00"), " = ");
    }
}

}  // namespace kelvor
