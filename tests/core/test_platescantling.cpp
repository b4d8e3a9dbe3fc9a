// Rule thickness of the plating (3-2-2/7.3, 3-2-2/9.3, 3-2-4/3.3) by kind of structure, with the
// default material 355/470 MPa: Y = min(355, 0.72*470) = 338.4, q = 235/338.4 = 0.6944.
#include <gtest/gtest.h>

#include <string>

#include "checks/checks.h"
#include "core/project.h"
#include "testsupport.h"

namespace kelvor {
namespace {

using testsupport::CalcFailureOf;
using testsupport::ExpectResultLine;

// The defaults (page 1, s = 625, L1 = 3000, t = 20, ps = 0.03) with material row 2.
struct Input {
    int tab = 1, option = 0;
    float s1 = 625, s2 = 625, L1 = 3000, t = 20, ps = 0.03f, Fyp = 355, Fup = 470;
};

Project Panel(const Input& in) {
    Project p;
    NewProject(p);
    p.CFactorTab = in.tab;
    p.CFactorOption = in.option;
    p.s1 = in.s1;
    p.s2 = in.s2;
    p.L1 = in.L1;
    p.t = in.t;
    p.ps = in.ps;
    p.Fyp = in.Fyp;
    p.Fup = in.Fup;
    return p;
}

TEST(PlateScantling, KindsOfStructureAndStatusAtTheLimit) {
    const char* const label = "Plate 1: UF = tmin/t = ";
    struct Row {
        Input in;
        const char* structure;
        ResultLine line;
    };
    const Row rows[] = {
        // max(6, 625/200 + 2.5 = 5.63) = 6 beats 625*sqrt(0.6944*3)/290 + 1.5 = 4.61.
        {{.tab = 0}, "  Watertight Bulkhead",
         {label, "6.00/20.00 = ", "0.30", "  < 1.0  (3-2-2/7.3)", kGreen}},
        {{.tab = 0, .option = 1}, "  Watertight Bulkhead",
         {label, "6.00/20.00 = ", "0.30", "  < 1.0  (3-2-2/7.3)", kGreen}},
        // max(6.5, 625/150 + 2.5 = 6.67) beats 625*sqrt(0.6944*3)/254 + 2.5 = 6.05.
        {{}, "  Tank Bulkhead", {label, "6.67/20.00 = ", "0.33", "  < 1.0  (3-2-2/9.3)", kGreen}},
        {{.option = 1}, "  Tank Bulkhead",
         {label, "6.67/20.00 = ", "0.33", "  < 1.0  (3-2-2/9.3)", kGreen}},
        // Clear of tanks: 0.0039*625*sqrt(1000*0.6944*0.03/7.05) + 1.5 = 5.69 beats 5.
        {{.tab = 2}, "  Upper Structure",
         {label, "5.69/20.00 = ", "0.28", "  < 1.0  (3-2-4/3.3)", kGreen}},
        // In way of tanks: as a tank bulkhead.
        {{.tab = 2, .option = 1}, "  Upper Structure",
         {label, "6.67/20.00 = ", "0.33", "  < 1.0  (3-2-4/3.3)", kGreen}},
        {{.tab = 0, .t = 6}, "  Watertight Bulkhead",  // tmin = t passes
         {label, "6.00/6.00 = ", "1.00", "  < 1.0  (3-2-2/7.3)", kGreen}},
        {{.t = 5}, "  Tank Bulkhead",
         {label, "6.67/5.00 = ", "1.33", "  < 1.0  (3-2-2/9.3)", kRed}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.line.formula + r.structure + std::to_string(r.in.option));
        Project p = Panel(r.in);
        PlateScantling(p);
        EXPECT_EQ(p.StructureType, r.structure);
        ExpectResultLine(p.UFtText, r.line);
    }
}

TEST(PlateScantling, BoundPressureSpacingAndMaterial) {
    struct Row {
        const char* name;
        Input in;
        int plate;
        const char* formula;
        double UFt;
    };
    const Row rows[] = {
        // 625*sqrt(0.6944*10)/254 + 2.5 = 8.98 now beats the bound 6.67.
        {"pressure governs", {.ps = 0.1f}, 1, "8.98/20.00 = ", 0.4492165},
        {"suction counts by its magnitude", {.ps = -0.1f}, 1, "8.98/20.00 = ", 0.4492165},
        {"watertight, pressure governs", {.tab = 0, .ps = 0.1f}, 1, "7.18/20.00 = ", 0.3589689},
        {"clear of tanks, pressure governs", {.tab = 2, .ps = 0.1f}, 1, "9.15/20.00 = ", 0.4575065},
        // Wide spacing and no pressure: the bounds alone.
        {"clear of tanks, bound 5 fixed", {.tab = 2, .s1 = 2000, .s2 = 2000, .ps = 0}, 1,
         "5.00/20.00 = ", 0.25},
        {"tank bound grows with spacing", {.s1 = 2000, .s2 = 2000, .ps = 0}, 1, "15.83/20.00 = ",
         0.7916667},
        {"watertight bound grows with spacing", {.tab = 0, .s1 = 2000, .s2 = 2000, .ps = 0}, 1,
         "12.50/20.00 = ", 0.625},
        // The larger spacing rules: 700/150 + 2.5 = 7.17.
        {"s2 wider", {.s1 = 600, .s2 = 700}, 2, "7.17/20.00 = ", 0.3583333},
        {"s1 wider", {.s1 = 700, .s2 = 600}, 1, "7.17/20.00 = ", 0.3583333},
        // alpha = 2 still takes k = (3.075*sqrt(2) - 2.077)/2.272 = 0.99987.
        {"alpha 2", {.L1 = 1250, .ps = 0.2f}, 1, "11.67/20.00 = ", 0.5834521},
        // k = 0.998/1.272 = 0.7846.
        {"alpha 1", {.L1 = 625, .ps = 0.2f}, 1, "9.69/20.00 = ", 0.4847439},
        // 0.72*400 = 288 lies above 235: Y = Fyp, q = 1.
        {"mild steel", {.ps = 0.1f, .Fyp = 235, .Fup = 400}, 1, "10.28/20.00 = ", 0.5140598},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Project p = Panel(r.in);
        PlateScantling(p);
        EXPECT_EQ(p.UFtText.label, "Plate " + std::to_string(r.plate) + ": UF = tmin/t = ");
        EXPECT_EQ(p.UFtText.formula, r.formula);
        EXPECT_NEAR(p.UFt, r.UFt, 5e-8);
    }
}

TEST(PlateScantling, FailuresNameTheirCause) {
    const std::pair<Input, const char*> rows[] = {
        {{.t = 0}, "division by zero (plate scantling: plate thickness t is zero)"},
        {{.Fup = 0}, "division by zero (plate scantling: material yield Y is zero)"},
        {{.s1 = 0}, "division by zero (plate scantling: spacing s1 is zero)"},
        {{.L1 = -3000},
         "square root of a negative number (plate scantling: aspect ratio L1/s1 negative)"},
        {{.Fyp = -355},
         "square root of a negative number (plate scantling: material yield Y negative)"},
        {{.tab = 3}, "kind of structure unknown (page 3, option 0)"},
        {{.option = 2}, "kind of structure unknown (page 1, option 2)"},
    };
    for (const auto& [in, cause] : rows) {
        Project p = Panel(in);
        EXPECT_EQ(CalcFailureOf([&] { PlateScantling(p); }), cause);
    }
}

}  // namespace
}  // namespace kelvor
