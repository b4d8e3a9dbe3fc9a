// The rule effective breadth: the l0/s table with its exact interval bounds, and be of a panel.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/calcerror.h"
#include "core/numformat.h"
#include "core/project.h"
#include "profiles/effectivebreadth.h"
#include "profiles/profiles.h"

namespace kelvor {
namespace {

TEST(RuleEffectiveBreadth, CoefficientAtTheIntervalBounds) {
    const double below = -1e-12;
    struct Row {
        const char* name;
        double r, c;
    };
    const Row rows[] = {
        {"zero", 0, 0},
        {"half way to the first entry", 0.75, 0.29},
        {"just below 1.5 meets the first entry", 1.5 + below, 0.58},
        {"1.5", 1.5, 0.58},
        {"1.75", 1.75, 0.655},
        {"just below 2", 2 + below, 0.73},
        {"2", 2, 0.73},
        {"2.5", 2.5, 0.83},
        {"2.88", 2.88, 0.8832},
        {"3", 3, 0.90},
        {"3.5", 3.5, 0.95},
        {"4", 4, 0.98},
        {"just below 4.5", 4.5 + below, 1.0},
        {"4.5", 4.5, 1.0},
        {"far above", 20, 1.0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_NEAR(RuleBreadthCoefficient(r.r), r.c, 1e-11);
    }
    EXPECT_EQ(RuleBreadthCoefficient(1.5), 0.58);  // exactly, no interpolation rounding
    EXPECT_EQ(RuleBreadthCoefficient(4.5), 1.0);
}

TEST(RuleEffectiveBreadth, NeverShrinksAsTheSpanGrows) {
    double previous = 0;
    for (int i = 0; i <= 600; ++i) {
        const double c = RuleBreadthCoefficient(i / 100.0);
        EXPECT_GE(c, previous) << "r = " << i / 100.0;
        previous = c;
    }
}

TEST(RuleEffectiveBreadth, BreadthOfAPanel) {
    struct Row {
        const char* name;
        float L1, s1, s2;
        std::string be;
    };
    const Row rows[] = {
        // l0 = 1800, r = 2.88, c = 0.83 + 0.07*0.76 = 0.8832, be = 0.8832*625.
        {"defaults", 3000, 625, 625, "552.0"},
        // Side 2: r = 1800/1200 = 1.5, c = 0.58: be = (552 + 696)/2.
        {"one side at 1.5", 3000, 625, 1200, "624.0"},
        // l0 = 2250 = 4.5*500: the whole spacing.
        {"l0/s exactly 4.5", 3750, 500, 500, "500.0"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Project p;
        NewProject(p);
        p.L1 = r.L1;
        p.s1 = r.s1;
        p.s2 = r.s2;
        RuleEffectiveBreadth(p);
        EXPECT_EQ(Format(p.be, "0.0"), r.be);
    }
}

TEST(RuleEffectiveBreadth, ZeroSpacingFailsTheStep) {
    Project p;
    NewProject(p);
    p.s2 = 0;
    EXPECT_THROW(RuleEffectiveBreadth(p), CalcError);
}

}  // namespace
}  // namespace kelvor
