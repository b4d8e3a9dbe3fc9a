// c-factors of stiffener and girder by kind of structure, end attachment and unit length, and
// the label the main window shows for them.
#include <gtest/gtest.h>

#include <string>

#include "checks/checks.h"
#include "core/calcerror.h"
#include "core/project.h"

namespace kelvor {
namespace {

TEST(CFactor, ByStructureAttachmentAndUnitLength) {
    struct Row {
        int tab, option;
        float unitLength;
        double c, cg;
    };
    // Watertight bulkhead, graded between 45 and 61 m:
    //   ends attached     c = 0.46 + 0.10*(UL - 45)/16: UL 53 -> 0.46 + 0.10*8/16 = 0.51
    //   no attachment     c = 0.58 + 0.02*(UL - 45)/16: UL 53 -> 0.58 + 0.02*8/16 = 0.59
    const Row rows[] = {
        {0, 0, 30, 0.46, 1.0},   {0, 0, 45, 0.46, 1.0},   {0, 0, 53, 0.51, 1.0},
        {0, 0, 60.5f, 0.556875, 1.0},  // 0.46 + 0.10*15.5/16, just below the top
        {0, 0, 61, 0.56, 1.0},
        {0, 0, 65, 0.56, 1.0},   {0, 1, 30, 0.58, 1.0},   {0, 1, 45, 0.58, 1.0},
        {0, 1, 53, 0.59, 1.0},   {0, 1, 61, 0.60, 1.0},   {0, 1, 200, 0.60, 1.0},
        // Tank bulkhead and upper structure do not depend on the unit length.
        {1, 0, 30, 0.9, 1.5},    {1, 0, 65, 0.9, 1.5},    {1, 1, 65, 1.0, 1.5},
        {2, 0, 30, 0.6, 1.0},    {2, 0, 65, 0.6, 1.0},    {2, 1, 65, 1.0, 1.5},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE("page " + std::to_string(r.tab) + " option " + std::to_string(r.option) +
                     " UL " + std::to_string(r.unitLength));
        const CFactors f = StructureCFactors(r.tab, r.option, r.unitLength);
        EXPECT_NEAR(f.c, r.c, 1e-12);
        EXPECT_DOUBLE_EQ(f.cg, r.cg);
    }
}

TEST(CFactor, UnknownStructureStopsTheRun) {
    const int pages[][2] = {{3, 0}, {-1, 0}, {1, 2}, {0, -1}};
    for (const auto& pg : pages) {
        SCOPED_TRACE(std::to_string(pg[0]) + "/" + std::to_string(pg[1]));
        EXPECT_THROW(StructureCFactors(pg[0], pg[1], 65), CalcError);
        Project p;
        NewProject(p);
        p.CFactorTab = pg[0];
        p.CFactorOption = pg[1];
        EXPECT_THROW(ShowCFactor(p), CalcError);
    }
}

TEST(CFactor, LabelOfTheActivePage) {
    struct Row {
        int tab, option;
        float unitLength;
        const char* reference;
        const char* text;
    };
    // The reference begins with a blank, so the tank and upper-structure labels show three
    // blanks before "ABS".
    const Row rows[] = {
        {0, 0, 53, " ABS (3-2-2/7.5)", "c = 0.51   ABS (3-2-2/7.5)"},
        {0, 1, 30, " ABS (3-2-2/7.5)", "c = 0.58   ABS (3-2-2/7.5)"},
        {0, 0, 65, " ABS (3-2-2/7.5)", "c = 0.56   ABS (3-2-2/7.5)"},
        {1, 0, 65, " ABS (3-2-2/9.5&&9.9)", "c = 0.90 / 1.50  stiff/gird   ABS (3-2-2/9.5&&9.9)"},
        {1, 1, 65, " ABS (3-2-2/9.5&&9.9)", "c = 1.00 / 1.50  stiff/gird   ABS (3-2-2/9.5&&9.9)"},
        {2, 0, 65, " ABS (3-2-4/3.5&&3.7)", "c = 0.60 / 1.00  stiff/gird   ABS (3-2-4/3.5&&3.7)"},
        {2, 1, 65, " ABS (3-2-4/3.5&&3.7)", "c = 1.00 / 1.50  stiff/gird   ABS (3-2-4/3.5&&3.7)"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        Project p;
        NewProject(p);
        p.CFactorTab = r.tab;
        p.CFactorOption = r.option;
        p.UnitLength = r.unitLength;
        p.CFactorText = "stale";
        ShowCFactor(p);
        EXPECT_EQ(p.CFactorReference, r.reference);
        EXPECT_EQ(p.CFactorText, r.text);
        const CFactors f = StructureCFactors(r.tab, r.option, r.unitLength);
        EXPECT_DOUBLE_EQ(p.c, f.c);
        EXPECT_DOUBLE_EQ(p.cg, f.cg);
    }
}

}  // namespace
}  // namespace kelvor
