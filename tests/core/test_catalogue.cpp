// The profile families: dimensions from rows and inputs, the bulb flat's equivalent angle,
// designations, batch codes, refused rows, and the local slenderness of web and flange.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/calcerror.h"
#include "core/project.h"
#include "core/tables.h"
#include "profiles/catalogue.h"
#include "profiles/profiles.h"
#include "profiles/slenderness.h"

namespace kelvor {
namespace {

Tables SmallTables() {
    Tables t;
    t.LTable.rows = {{200, 90, 9, 14, 0}, {100, 65, 7, 7, 0}};
    t.TTable.rows = {{50, 100, 6, 8, 0}};
    t.FbTable.rows = {{200, 10, 0, 0, 0}};
    t.BfTable.rows = {{180, 11.5f, 25, 7, 2520}};
    return t;
}

Project ProjectOf(int family) {
    Project p;
    NewProject(p);
    p.StiffProfileType = family;
    p.LTableRow = p.TTableRow = p.FbTableRow = p.BfTableRow = 0;
    p.Fys = 355;
    return p;
}

TEST(Catalogue, DesignationDimensionsAndLocalSlendernessPerFamily) {
    // E = 206000, Fys = 355: k = 24.09; limits 1.5k = 36.1, 0.85k = 20.5, 0.4k = 9.6.
    // Bulb flat 180 x 11.5, c = 25, r = 7, A = 2520 becomes the angle of equal area:
    // B = 25 + 11.5 - 0.45*7 = 33.35; tf = (2520 - 180*11.5)/(33.35 - 11.5) = 450/21.85.
    struct Row {
        const char* name;
        int family;
        void (*edit)(Project&);
        std::string text;
        std::vector<float> dims;    // H, B, tw, tf, hw; none: not checked
        const char* web = nullptr;  // with se = 600; none: not checked
        const char* flange = nullptr;
    };
    const auto none = [](Project&) {};
    // clang-format off
    const Row rows[] = {
        {"L from table", 0, none, "L 200x90x9.0x14.0", {200, 90, 9, 14, 186},  // 186/9, 81/14
         "Web: hw/tw = 20.7 <= 36.1", "Flange: b2/tf = 5.8 <= 9.6"},
        {"L built up", 1, none, "Built-up: L 200x90x9.0x12.0", {200, 90, 9, 12, 188}},
        {"T from table, H below 100", 2, none, "T 50x100x6.0x8.0", {50, 100, 6, 8, 42}},
        {"T built up", 3, none, "Built-up: T 200x90x9.0x12.0", {200, 90, 9, 12, 188},  // 188/9
         "Web: hw/tw = 20.9 <= 36.1", "Flange: b2/tf = 3.4 <= 9.6"},                  // 40.5/12
        // A flat bar keeps the B it had: it has none of its own.
        {"flat bar from table", 4, none, "Fb 200x10.0", {200, 90, 10, 12, 200},
         "Web: hw/tw = 20.0 <= 9.6", " "},
        {"flat bar built up", 5, [](Project& p) { p.FbBuiltTw = 10.5f; }, "Fb 200x10.5", {}},
        {"bulb flat", 6, none, "BF 180x11.5", {180, 33.35f, 11.5f, 20.594966f, 159.405034f},
         "Web: hw/tw = 13.9 <= 20.5", " "},
        {"RHS", 7, none, "RHS 200x90x9.0", {200, 90, 9, 9, 182}, " ", " "},
        {"trapezoid b = 0", 8, [](Project& p) { p.TrapBuiltOffset = 0; }, "Trapez 200x90x9.0",
         {200, 90, 9, 9, 191}, " ", " "},
        {"trapezoid b = 20", 8, [](Project& p) { p.TrapBuiltOffset = 20; },
         "Trapez 200x90/20x9.0", {}},
        // The I's web counts one flange: (200 - 12)/9, not (200 - 24)/9.
        {"I built up", 9, none, "I 200x90x9.0x12.0", {200, 90, 9, 12, 176},
         "Web: hw/tw = 20.9 <= 36.1", "Flange: b2/tf = 3.4 <= 9.6"},
        {"small values keep two digits and a units digit", 1, [](Project& p) {
             p.LBuiltH = 5, p.LBuiltB = 7.5f, p.LBuiltTw = 0.25f, p.LBuiltTf = 0.5f; },
         "Built-up: L 05x08x0.3x0.5", {}},
        {"comma locale", 0, [](Project& p) { p.DecimalMode = 1; }, "L 200x90x9,0x14,0", {}},
    };
    // clang-format on
    const Tables tables = SmallTables();
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Project p = ProjectOf(r.family);
        r.edit(p);
        SetUpStiffenerProfile(p, tables, r.family);
        EXPECT_EQ(p.StiffDesignation, r.text);
        if (!r.dims.empty()) {
            const float got[] = {p.StiffH, p.StiffB, p.StiffTw, p.StiffTf, p.StiffHw};
            for (int i = 0; i < 5; ++i) {
                EXPECT_NEAR(got[i], r.dims[static_cast<std::size_t>(i)], 2e-5) << "dimension " << i;
            }
        }
        if (r.web != nullptr) {
            p.se = 600;
            StiffenerWithPlate(p);
            EXPECT_EQ(p.WebCheckText, r.web);
            EXPECT_EQ(p.FlangeCheckText, r.flange);
        }
        if (r.family == 6) {
            EXPECT_EQ(p.StiffC, 25);
            EXPECT_EQ(p.StiffR, 7);
            EXPECT_NEAR(p.StiffArea, 2520, 1e-3);  // the angle keeps the bulb's area
        }
    }

    Project p = ProjectOf(0);
    SetUpGirderProfile(p);
    EXPECT_EQ(p.GirderDesignation, "T 800x200x10.0x20.0");
    p.GirderProfileType = 1;
    p.GirderLBuiltTf = 22.5f;
    SetUpGirderProfile(p);
    EXPECT_EQ(p.GirderDesignation, "L 800x200x10.0x22.5");
}

TEST(Catalogue, BatchCodesNameTheirFamilies) {
    const std::pair<const char*, int> stiffeners[] = {{"LR", 0}, {"LW", 1},  {"TG", 3},
                                                      {"FB", 5}, {"BF", 6},  {"IG", 9},
                                                      {"", -1},  {"lr", -1}, {"LG", -1}};
    for (const auto& [code, family] : stiffeners) {
        SCOPED_TRACE(code);
        EXPECT_EQ(FamilyOfBatchCode(code), family);
    }
    EXPECT_EQ(GirderFamilyOfBatchCode("LG"), 1);
    EXPECT_EQ(GirderFamilyOfBatchCode("TG"), 3);
    EXPECT_EQ(GirderFamilyOfBatchCode("LR"), -1);
    EXPECT_THROW(FamilyOf(10), CalcError);
    EXPECT_THROW(FamilyOf(-1), CalcError);
    EXPECT_THROW(GirderFamilyOf(2), CalcError);
}

TEST(Catalogue, ARowTheTableDoesNotHoldIsRefusedAndStopsTheNextRun) {
    Tables tables = SmallTables();
    tables.Materials = {{"S235", 235, 360, 1}, {"S355", 355, 470, 0.72f}, {"User", 0, 0, 0}};
    Project p = ProjectOf(0);
    p.StiffMaterialIndex = 1;
    p.Fys = 999;
    SetUpStiffenerProfile(p, tables, 0);
    // The stiffener's material row is applied again, even with a row the table refuses.
    EXPECT_EQ(p.Fys, 355);
    EXPECT_EQ(p.Fus, 470);
    const double area = p.StiffArea;
    for (int row : {2, 60, 61, -1}) {
        SCOPED_TRACE(row);
        p.LTableRow = row;
        p.Fys = 999;
        try {
            SetUpStiffenerProfile(p, tables, 0);
            ADD_FAILURE() << "row accepted";
        } catch (const CalcError& e) {
            EXPECT_EQ(std::string(e.what()), "the L table has no row " + std::to_string(row));
        }
        // The previous profile stays, but no run checks it.
        EXPECT_EQ(p.StiffH, 200);
        EXPECT_EQ(p.StiffTf, 14);
        EXPECT_EQ(p.StiffArea, area);
        EXPECT_EQ(p.StiffDesignation, "L 200x90x9.0x14.0");
        EXPECT_THROW(StiffenerWithPlate(p), CalcError);
        EXPECT_EQ(p.Fys, 355);
    }
    p.LTableRow = 1;
    SetUpStiffenerProfile(p, tables, 0);
    EXPECT_EQ(p.StiffDesignation, "L 100x65x7.0x7.0");
    EXPECT_TRUE(p.StiffProfileFault.empty());
    EXPECT_NO_THROW(StiffenerWithPlate(p));
}

TEST(Catalogue, ZeroDivisorsFailInsteadOfCrashing) {
    Tables tables = SmallTables();
    // c = 0.45 r makes the equivalent flange exactly as wide as the web.
    tables.BfTable.rows.push_back({180, 11.5f, 4.5f, 10, 2520});
    Project p = ProjectOf(6);
    p.BfTableRow = 1;
    EXPECT_THROW(SetUpStiffenerProfile(p, tables, 6), CalcError);
    EXPECT_NE(p.StiffProfileFault.find("division by zero"), std::string::npos);

    p = ProjectOf(1);
    p.LBuiltB = 0;
    EXPECT_THROW(SetUpStiffenerProfile(p, tables, 1), CalcError);

    p = ProjectOf(5);
    p.FbBuiltTw = 0;
    SetUpStiffenerProfile(p, tables, 5);  // an area of zero, but nothing divides yet
    p.se = 600;
    // The neutral axis falls into the plate's mid-plane: no modulus at the plate.
    EXPECT_THROW(StiffenerWithPlate(p), CalcError);
}

TEST(LocalSlenderness, ARatioEqualToItsLimitPasses) {
    // E/Fys = 625 gives k = 25 exactly: limits 37.5, 21.25 and 10.
    struct Row {
        const char* name;
        int family;
        bool webPasses, flangePasses;
        void (*edit)(Project&);
    };
    const Row rows[] = {
        {"T web (385 - 10)/10 = 37.5, flange (210 - 10)/2/10 = 10", 3, true, true,
         [](Project& p) { p.TBuiltH = 385, p.TBuiltB = 210, p.TBuiltTw = p.TBuiltTf = 10; }},
        {"T web 37.6 and flange 10.05 above", 3, false, false,
         [](Project& p) { p.TBuiltH = 386, p.TBuiltB = 211, p.TBuiltTw = p.TBuiltTf = 10; }},
        {"flat bar 100/10 = 10", 5, true, true,
         [](Project& p) { p.FbBuiltH = 100, p.FbBuiltTw = 10; }}};
    const Tables tables = SmallTables();
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Project p = ProjectOf(r.family);
        p.E = 250000;
        p.Fys = 400;
        r.edit(p);
        SetUpStiffenerProfile(p, tables, r.family);
        p.se = 600;
        StiffenerWithPlate(p);
        EXPECT_EQ(WebCheckPasses(p), r.webPasses);
        EXPECT_EQ(FlangeCheckPasses(p), r.flangePasses);
    }
}

}  // namespace
}  // namespace kelvor
