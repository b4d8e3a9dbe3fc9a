#include "profiles/effectivebreadth.h"

#include "core/calcerror.h"
#include "core/project.h"
#include "profiles/profiles.h"
#include "profiles/single.h"

namespace kelvor {

namespace {

// be/s = c + dc (r - r0)/0.5 for r0 <= r < r0 + 0.5, as the table gives it.
struct BreadthStep {
    double r0;  // l0/s at the start of the interval
    double c;   // be/s there
    double dc;  // rise over the interval
};

constexpr BreadthStep kSteps[] = {{1.5, 0.58, 0.15}, {2.0, 0.73, 0.10}, {2.5, 0.83, 0.07},
                                  {3.0, 0.90, 0.05}, {3.5, 0.95, 0.03}, {4.0, 0.98, 0.02}};
constexpr double kStepWidth = 0.5;
constexpr double kFullBreadthFrom = 4.5;  // l0/s from which the whole spacing is effective

}  // namespace

double RuleBreadthCoefficient(double r) {
    if (r >= kFullBreadthFrom) {
        return 1.0;
    }
    const BreadthStep& first = kSteps[0];
    if (r < first.r0) {
        // Shear lag makes the breadth shrink with the span. A coefficient of 0.58 r here would
        // jump from 0.87 s just below 1.5 down to 0.58 s at 1.5, crediting a shorter span with
        // half as much plating again; the line from zero to the first entry keeps the breadth
        // continuous and on the safe side.
        return first.c * r / first.r0;
    }
    const BreadthStep* step = &first;
    for (const BreadthStep& s : kSteps) {
        if (r >= s.r0) {
            step = &s;
        }
    }
    return step->c + step->dc * (r - step->r0) / kStepWidth;
}

void RuleEffectiveBreadth(Project& p) {
    // l0, the distance between the points of zero bending moment, is held in single precision.
    const float l0 = ToSingle(0.6 * p.L1, "zero-moment length l0");
    const double c1 = RuleBreadthCoefficient(Div(l0, p.s1, "stiffener spacing s1"));
    const double c2 = RuleBreadthCoefficient(Div(l0, p.s2, "stiffener spacing s2"));
    p.be = ToSingle((c1 * p.s1 + c2 * p.s2) / 2, "rule effective breadth");
}

}  // namespace kelvor
