// Rule scantlings of stiffener and girder: material factor, section moduli by kind of structure,
// girder proportions, tripping brackets, and failing runs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "checks/checks.h"
#include "core/calculate.h"
#include "core/project.h"
#include "core/tables.h"
#include "testsupport.h"

namespace kelvor {
namespace {

using testsupport::ExpectResultLine;

// Rows 0 to 3 carry the rule's Q; row 4's column must be ignored (the formula gives 0.6706);
// the last row stands for a material typed by hand.
Tables MaterialTables() {
    Tables t;
    t.Materials = {{"NS", 235, 400, 1.00f},   {"HS32", 315, 440, 0.78f}, {"S355", 355, 470, 0.73f},
                   {"HS36", 355, 490, 0.72f}, {"HS40", 390, 510, 0.67f}, {"typed", 0, 0, 0}};
    return t;
}

// Defaults: tank bulkhead with clip attachment (c 0.9, cg 1.5), ps 0.03 (0.0299999993 in
// single precision), s1 625, L1 3000, L2 2500, Lgs 6000, Lt 3000. Section moduli by hand:
// stiffener Wmin = 150 cm3, girder Wgmin = 4000 cm3, girder H 800, tw 11.
Project ScantlingProject(const Tables& tables, int plateRow = 2, int stiffRow = 2) {
    Project p;
    NewProject(p);
    p.PlateMaterialIndex = plateRow;
    p.StiffMaterialIndex = stiffRow;
    LoadPlateMaterial(p, tables, plateRow);
    LoadStiffenerMaterial(p, tables, stiffRow);
    p.LMean = 2750;
    p.Wp_sw = 1200000;
    p.Ws_sw = 150000;
    p.GirderWp = 5000000;
    p.GirderWs = 4000000;
    p.GirderH = 800;
    p.GirderTw = 11;
    return p;
}

constexpr const char* kUfLabel = "UF = SM/Weffmin  = ";

TEST(StiffenerScantling, SectionModulusByStructurePressureAndModulus) {
    struct Row {
        int tab, option;
        float unitLength, ps, Wp, Ws;
        const char* structure;
        ResultLine line;
    };
    // Q 0.73 (row 2 for plate and stiffener), 7.8*Q = 5.694 in single precision,
    // SM = 7.8 Q c h s l^2 with s = 0.625 m, l^2 = 9 m2; UF = SM/Wmin, Wmin the smaller of
    // Wp_sw and Ws_sw (150 unless set otherwise):
    //  watertight, UL 65: c 0.56, h = 100*0.03 = 3 m: 5.694*0.56*3*0.625*9 = 53.81 -> 0.359
    //  watertight, UL 53: c 0.51: 49.00 -> 0.327
    //  tank, clip:        c 0.9:  86.48 -> 0.577;  both ends on girders: c 1.0: 96.09 -> 0.641
    //  upper structure:   h = 1000*0.03/7.05 = 4.255 m; clear of tanks c 0.6:
    //                     5.694*0.6*4.255*0.625*9 = 81.78 -> 0.545; in way of tanks c 1.0:
    //                     136.29 -> 0.909
    //  tank, clip, suction counts like pressure; plate side 100 -> 0.86; both 50 -> 1.73;
    //  no scantling pressure: no line, though the kind of structure is still named
    const char *const wt = "  < 1.0  (3-2-2/7.5)", *const tank = "  < 1.0  (3-2-2/9.5)",
                      *const upper = "  < 1.0  (3-2-4/3.5)";
    const Row rows[] = {
        {0, 0, 65, 0.03f, 12e5f, 15e4f, "  Watertight Bulkhead",
         {kUfLabel, "53.8/150.0 = ", "0.36", wt, kGreen}},
        {0, 0, 53, 0.03f, 12e5f, 15e4f, "  Watertight Bulkhead",
         {kUfLabel, "49.0/150.0 = ", "0.33", wt, kGreen}},
        {1, 0, 65, 0.03f, 12e5f, 15e4f, "  Tank Bulkhead",
         {kUfLabel, "86.5/150.0 = ", "0.58", tank, kGreen}},
        {1, 1, 65, 0.03f, 12e5f, 15e4f, "  Tank Bulkhead",
         {kUfLabel, "96.1/150.0 = ", "0.64", tank, kGreen}},
        {2, 0, 65, 0.03f, 12e5f, 15e4f, "  Upper Structure",
         {kUfLabel, "81.8/150.0 = ", "0.55", upper, kGreen}},
        {2, 1, 65, 0.03f, 12e5f, 15e4f, "  Upper Structure",
         {kUfLabel, "136.3/150.0 = ", "0.91", upper, kGreen}},
        {1, 0, 65, -0.03f, 12e5f, 15e4f, "  Tank Bulkhead",
         {kUfLabel, "86.5/150.0 = ", "0.58", tank, kGreen}},
        {1, 0, 65, 0.03f, 1e5f, 15e4f, "  Tank Bulkhead",
         {kUfLabel, "86.5/100.0 = ", "0.86", tank, kGreen}},
        {1, 0, 65, 0.03f, 5e4f, 5e4f, "  Tank Bulkhead",
         {kUfLabel, "86.5/50.0 = ", "1.73", tank, kRed}},
        {1, 0, 65, 0, 12e5f, 15e4f, "  Tank Bulkhead", {}},
    };
    const Tables tables = MaterialTables();
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.structure) + " " + r.line.formula + " ps " +
                     std::to_string(r.ps));
        Project p = ScantlingProject(tables);
        p.CFactorTab = r.tab;
        p.CFactorOption = r.option;
        p.UnitLength = r.unitLength;
        p.ps = r.ps;
        p.Wp_sw = r.Wp;
        p.Ws_sw = r.Ws;
        StiffenerSectionModulus(p, tables);
        EXPECT_EQ(p.StructureType, r.structure);
        ExpectResultLine(p.StiffSmText, r.line);
        EXPECT_DOUBLE_EQ(p.c, StructureCFactors(r.tab, r.option, r.unitLength).c);
    }
}

TEST(StiffenerScantling, MaterialFactorOfTheWeakerSteel) {
    struct Row {
        const char* name;
        int plateRow, stiffRow;
        float typedFys, typedFus;  // for a row the table does not copy
        float q;
    };
    // Rows 1 (315, Q 0.78), 2 (355, 0.73), 3 (355, 0.72), 4 (390/510: 2*510/3 = 340,
    // Q = 489.55/(390 + 340) = 0.67062). Typed 300/450: 2*450/3 = 300, 489.55/600 = 0.81592.
    // Typed 235/404: 2*404/3 = 269.333344 in single precision (269.333333 in double), so
    // Q = 489.55/504.333344 = 0.97068733 where the double quotient would round to 0.97068739.
    const Row rows[] = {
        {"stiffener weaker: its row", 3, 1, 0, 0, 0.78f},
        {"plate weaker: its row", 1, 3, 0, 0, 0.78f},
        {"equal yield: the plate's row", 2, 3, 0, 0, 0.73f},
        {"equal yield, other way round", 3, 2, 0, 0, 0.72f},
        {"row above 3: the formula", 4, 4, 0, 0, 0.67061645f},
        {"typed stiffener", 2, 5, 300, 450, 0.81591666f},
        {"index beyond the table", 2, 40, 300, 450, 0.81591666f},
        {"negative index", 2, -1, 300, 450, 0.81591666f},
        {"two thirds of Fu in single precision", 2, 5, 235, 404, 0.97068733f},
    };
    const Tables tables = MaterialTables();
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Project p = ScantlingProject(tables, r.plateRow, r.stiffRow);
        if (r.typedFys != 0) {
            p.Fys = r.typedFys;
            p.Fus = r.typedFus;
        }
        StiffenerSectionModulus(p, tables);
        EXPECT_EQ(p.StiffMaterialFactor, r.q);
    }

    // A tabulated index the table does not hold also falls back on the formula.
    Tables shortTable;
    shortTable.Materials = {{"NS", 235, 400, 1.00f}, {"typed", 0, 0, 0}};
    Project p = ScantlingProject(shortTable, 0, 3);
    p.Fys = 300;
    p.Fus = 450;
    p.Fyp = 355;
    StiffenerSectionModulus(p, shortTable);
    EXPECT_EQ(p.StiffMaterialFactor, 0.81591666f);
}

TEST(GirderScantling, SectionModulusAndProportionsByStructure) {
    struct Row {
        int tab, option;
        const char* structure;
        const char* smFormula;
        const char* smValue;
        const char* depth;
        const char* clause;  // the references end in "<clause>", "<clause>.2" and "<clause>.3"
    };
    // Q 0.73, |ps| 0.0299999993, LMean 2.75 m, Lgs^2 = 36 m2, Wgmin = 4000 cm3:
    //  watertight: 4.7*Q*100 = 343.1 (single), cg does not enter: 343.1*0.03*2.75*36 = 1019.0
    //  tank:       4.74*Q = 3.4602 (single), cg 1.5: 3.4602*1.5*100*0.03*2.75*36 = 1541.5
    //  upper, clear of tanks, cg 1.0: 1027.7; in way of tanks, cg 1.5: 1541.5
    // Depth: Lgs/12 = 500, Lgs/8 = 750, 0.0583*6000 = 349.8, 0.125*6000 = 750; all under H 800.
    const Row rows[] = {
        {0, 0, "  Watertight Bulkhead", "1019.0/4000.0 = ", "0.25", "500.0 mm", "3-2-2/7.9"},
        {0, 1, "  Watertight Bulkhead", "1019.0/4000.0 = ", "0.25", "500.0 mm", "3-2-2/7.9"},
        {1, 0, "  Tank Bulkhead", "1541.5/4000.0 = ", "0.39", "750.0 mm", "3-2-2/9.9"},
        {1, 1, "  Tank Bulkhead", "1541.5/4000.0 = ", "0.39", "750.0 mm", "3-2-2/9.9"},
        {2, 0, "  Upper Structure", "1027.7/4000.0 = ", "0.26", "349.8 mm", "3-2-4/3.7"},
        {2, 1, "  Upper Structure", "1541.5/4000.0 = ", "0.39", "750.0 mm", "3-2-4/3.7"},
    };
    const Tables tables = MaterialTables();
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(r.tab) + "/" + std::to_string(r.option));
        Project p = ScantlingProject(tables);
        p.CFactorTab = r.tab;
        p.CFactorOption = r.option;
        GirderScantling(p, tables);
        EXPECT_EQ(p.StructureType, r.structure);
        EXPECT_DOUBLE_EQ(p.cg, StructureCFactors(r.tab, r.option, 65).cg);
        const std::string clause = r.clause;
        ExpectResultLine(p.GirderSmText, {kUfLabel, r.smFormula, r.smValue,
                                          "  < 1.0  (" + clause + ")", kGreen});
        ExpectResultLine(p.GirderDepthText, {"Min depth of girder = ", r.depth, "OK",
                                             "  (" + clause + ".2)", kGreen});
        ExpectResultLine(p.GirderWebText, {"Min thickness of web = ", "11.0 mm", "OK",
                                           "  (" + clause + ".2)", kGreen});
        ExpectResultLine(p.TrippingText, {"Max distance between tripping brackets = ", "3000 mm",
                                          "OK", "  (" + clause + ".3)", kGreen});
    }
}

TEST(GirderScantling, DepthWebAndTrippingLimits) {
    struct Row {
        const char* name;
        float H, tw, Lt;
        const char* tmin;
        double webRatio;
        const char* verdicts;  // depth, web, tripping brackets
    };
    // Tank bulkhead: dmin = 6000/8 = 750. tmin = 0.01 H + 3, at most 11.
    const Row rows[] = {
        // 0.01*1000 + 3 = 13, capped to 11; 750/1000 passes
        {"deep girder, cap", 1000, 11, 3000, "11.0 mm", 1.0, "OK OK OK"},
        {"deep girder, web under the cap", 1000, 10, 3000, "11.0 mm", 1.1, "OK NOK OK"},
        // 0.01*500 + 3 = 8 = tw; 750/500 = 1.5 fails
        {"shallow girder", 500, 8, 3000, "8.0 mm", 1.0, "NOK OK OK"},
        // depth 750/750 = 1 passes; web 10.5/7.9 fails
        {"depth at its limit", 750, 7.9f, 3000, "10.5 mm", 10.5 / 7.9, "OK NOK OK"},
        // 750/749 fails; 0.01*749 + 3 = 10.49 shows as 10.5
        {"depth just short", 749, 11, 3000, "10.5 mm", 10.49 / 11, "NOK OK OK"},
        {"brackets 1 mm too far", 800, 11, 3001, "11.0 mm", 1.0, "OK OK NOK"},
    };
    const Tables tables = MaterialTables();
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Project p = ScantlingProject(tables);
        p.GirderH = r.H;
        p.GirderTw = r.tw;
        p.Lt = r.Lt;
        GirderScantling(p, tables);
        std::string verdicts;
        for (const ResultLine* line : {&p.GirderDepthText, &p.GirderWebText, &p.TrippingText}) {
            verdicts += (verdicts.empty() ? "" : " ") + line->value;
            EXPECT_EQ(line->status, line->value == "OK" ? kGreen : kRed) << line->label;
        }
        EXPECT_EQ(verdicts, r.verdicts);
        EXPECT_EQ(p.GirderWebText.formula, r.tmin);
        EXPECT_DOUBLE_EQ(p.GirderDepthRatio, 750.0 / r.H);
        EXPECT_NEAR(p.GirderWebRatio, r.webRatio, 1e-6);
    }
}

TEST(GirderScantling, PlateMaterialAndNoPressure) {
    const Tables tables = MaterialTables();
    // The stiffener of row 1 (315) is weaker than the plate of row 2 (355): the stiffener check
    // takes 0.78, the girder, cut from plate, 0.73.
    Project p = ScantlingProject(tables, 2, 1);
    StiffenerSectionModulus(p, tables);
    EXPECT_FLOAT_EQ(p.StiffMaterialFactor, 0.78f);
    GirderScantling(p, tables);
    EXPECT_FLOAT_EQ(p.StiffMaterialFactor, 0.73f);
    EXPECT_EQ(p.GirderSmText.formula, "1541.5/4000.0 = ");

    // Plate of row 4: the formula, 489.55/(390 + 340).
    p = ScantlingProject(tables, 4, 1);
    GirderScantling(p, tables);
    EXPECT_EQ(p.StiffMaterialFactor, 0.67061645f);

    // Without scantling pressure the section modulus line stays out, the proportions stay in.
    p = ScantlingProject(tables);
    p.ps = 0;
    GirderScantling(p, tables);
    EXPECT_DOUBLE_EQ(p.UFgm, 0);
    ExpectResultLine(p.GirderSmText, {});
    EXPECT_EQ(p.StructureType, "  Tank Bulkhead");
    EXPECT_TRUE(p.GirderDepthText.Produced());
    EXPECT_TRUE(p.GirderWebText.Produced());
    EXPECT_TRUE(p.TrippingText.Produced());
}

TEST(Scantling, FailureStopsTheRunInItsStep) {
    struct Row {
        const char* routine;
        void (*spoil)(Project&);
        const char* cause;
    };
    const Row rows[] = {
        {"stiffener scantling", [](Project& p) { p.Ws_sw = 0; },
         "division by zero (stiffener scantling: section modulus Weffmin is zero)"},
        {"stiffener scantling",
         [](Project& p) {
             p.StiffMaterialIndex = 5;  // typed by hand, as zeros
             p.Fys = p.Fus = 0;
         },
         "division by zero (stiffener scantling: stiffener strengths Fys, Fus are zero)"},
        {"stiffener scantling", [](Project& p) { p.CFactorTab = 5; },
         "kind of structure unknown (page 5, option 0)"},
        {"girder scantling", [](Project& p) { p.GirderWs = 0; },
         "division by zero (girder scantling: section modulus Weffmin is zero)"},
        {"girder scantling", [](Project& p) { p.GirderH = 0; },
         "division by zero (girder scantling: girder height H is zero)"},
        {"girder scantling", [](Project& p) { p.GirderTw = 0; },
         "division by zero (girder scantling: web thickness tw is zero)"},
        {"girder scantling", [](Project& p) { p.CFactorOption = 2; },
         "kind of structure unknown (page 1, option 2)"},
    };
    const Tables tables = MaterialTables();
    for (const Row& r : rows) {
        SCOPED_TRACE(r.cause);
        // The driver's own step alone, so that the hand-set moduli stand.
        const std::vector<CalcStep> steps = testsupport::Steps({r.routine});
        ASSERT_EQ(steps.size(), 1u);
        Project p = ScantlingProject(tables);
        CalculateWith(p, tables, steps);
        ASSERT_FALSE(p.CalcFailure.has_value());
        EXPECT_TRUE(p.StiffSmText.Produced() || p.GirderSmText.Produced());

        r.spoil(p);
        CalculateWith(p, tables, steps);
        ASSERT_TRUE(p.CalcFailure.has_value());
        EXPECT_EQ(p.CalcFailure->routine, r.routine);
        EXPECT_EQ(p.CalcFailure->cause, r.cause);
        EXPECT_FALSE(p.StiffSmText.Produced());
        EXPECT_FALSE(p.GirderSmText.Produced());
        EXPECT_FALSE(p.GirderDepthText.Produced());
    }
}

}  // namespace
}  // namespace kelvor
