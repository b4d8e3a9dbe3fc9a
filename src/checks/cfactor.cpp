// c-factors of the rule section moduli after the ABS rules for mobile offshore drilling units:
// the stiffener's c of 3-2-2/7.5, 3-2-2/9.5 and 3-2-4/3.5 and the girder's of 3-2-2/9.9 and
// 3-2-4/3.7, by kind of structure and end attachment, and the label the main window shows.
#include <string>

#include "checks/checkmath.h"
#include "checks/checks.h"
#include "checks/describe.h"
#include "checks/structure.h"
#include "core/calcerror.h"
#include "core/numformat.h"
#include "core/project.h"
#include "profiles/catalogue.h"

namespace kelvor {

namespace {

// A stiffener c that the rule grades with the unit length UL (m): `low` below 45 m, rising
// linearly by `rise` towards 61 m, `high` from there on. On a watertight bulkhead a shorter
// unit carries less load per stiffener, hence the smaller c.
struct GradedC {
    double low;
    double rise;
    double high;
};

constexpr double kGradeFrom = 45;  // m
constexpr double kGradeTo = 61;    // m

struct StructureCFactorRow {
    GradedC c[2];  // by end attachment
    double cg[2];
    const char* reference;
};

// By page of the end-attachment tabs: watertight bulkhead (ends attached / no end attachment),
// tank bulkhead (clip attachment / supported at both ends by girder), upper structure (clear
// of tanks / in way of tanks).
constexpr StructureCFactorRow kRows[] = {
    {{{0.46, 0.10, 0.56}, {0.58, 0.02, 0.60}}, {1.0, 1.0}, " ABS (3-2-2/7.5)"},
    {{{0.9, 0, 0.9}, {1.0, 0, 1.0}}, {1.5, 1.5}, " ABS (3-2-2/9.5&&9.9)"},
    {{{0.6, 0, 0.6}, {1.0, 0, 1.0}}, {1.0, 1.5}, " ABS (3-2-4/3.5&&3.7)"},
};

const StructureCFactorRow& RowOf(int tab, int option) {
    return kRows[CheckedStructure(tab, option)];
}

double Graded(const GradedC& g, double unitLength) {
    if (unitLength < kGradeFrom) {
        return g.low;
    }
    if (unitLength < kGradeTo) {
        return g.low + g.rise * (unitLength - kGradeFrom) / (kGradeTo - kGradeFrom);
    }
    return g.high;
}

}  // namespace

CFactors StructureCFactors(int tab, int option, float unitLength) {
    const StructureCFactorRow& row = RowOf(tab, option);
    return {Graded(row.c[option], unitLength), row.cg[option]};
}

void DescribeCFactor(Project& p) {
    p.CFactorReference = RowOf(p.CFactorTab, p.CFactorOption).reference;
    // The label shows the factors as the fields show numbers (the reference keeps its points).
    const char sep = DecimalSeparatorOf(p);
    // A watertight bulkhead's girder always has cg = 1, so its page shows c alone.
    if (p.CFactorTab == 0) {
        AssignConcat(p.CFactorText, "c = ", FormatText(p.c, "#0.00", sep), "  ",
                     p.CFactorReference);
    } else {
        AssignConcat(p.CFactorText, "c = ", FormatText(p.c, "#0.00", sep), " / ",
                     FormatText(p.cg, "#0.00", sep), "  stiff/gird  ", p.CFactorReference);
    }
}

}  // namespace kelvor
