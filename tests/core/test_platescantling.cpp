// Rule thickness of the plating (3-2-2/7.3, 3-2-2/9.3, 3-2-4/3.3) by kind of structure, with the
// default material 355/470 MPa: Y = min(355, 0.72*470) = 338.4, q = 235/338.4 = 0.6944.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "checks/checks.h"
#include "core/calcerror.h"
#include "core/project.h"

namespace kelvor {
namespace {

Project Panel() {
    Project p;
    NewProject(p);
    p.Fyp = 355;
    p.Fup = 470;
    return p;
}

TEST(PlateScantling, KindsOfStructure) {
    struct Row {
        int tab, option;
        const char* formula;
        const char* value;
        const char* structure;
        const char* reference;
    };
    const Row rows[] = {
        // max(6, 625/200 + 2.5 = 5.63) = 6 beats 625*sqrt(0.6944*3)/290 + 1.5 = 4.61.
        {0, 0, "6.00/20.00 = ", "0.30", "  Watertight Bulkhead", "  < 1.0  (3-2-2/7.3)"},
        {0, 1, "6.00/20.00 = ", "0.30", "  Watertight Bulkhead", "  < 1.0  (3-2-2/7.3)"},
        // max(6.5, 625/150 + 2.5 = 6.67) beats 625*sqrt(0.6944*3)/254 + 2.5 = 6.05.
        {1, 0, "6.67/20.00 = ", "0.33", "  Tank Bulkhead", "  < 1.0  (3-2-2/9.3)"},
        {1, 1, "6.67/20.00 = ", "0.33", "  Tank Bulkhead", "  < 1.0  (3-2-2/9.3)"},
        // Clear of tanks: 0.0039*625*sqrt(1000*0.6944*0.03/7.05) + 1.5 = 5.69 beats 5.
        {2, 0, "5.69/20.00 = ", "0.28", "  Upper Structure", "  < 1.0  (3-2-4/3.3)"},
        // In way of tanks: as a tank bulkhead.
        {2, 1, "6.67/20.00 = ", "0.33", "  Upper Structure", "  < 1.0  (3-2-4/3.3)"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE("tab " + std::to_string(r.tab) + " option " + std::to_string(r.option));
        Project p = Panel();
        p.CFactorTab = r.tab;
        p.CFactorOption = r.option;
        PlateScantling(p);
        EXPECT_EQ(p.StructureType, r.structure);
        EXPECT_EQ(p.UFtText.label, "Plate 1: UF = tmin/t = ");
        EXPECT_EQ(p.UFtText.formula, r.formula);
        EXPECT_EQ(p.UFtText.value, r.value);
        EXPECT_EQ(p.UFtText.reference, r.reference);
        EXPECT_EQ(p.UFtText.status, kGreen);
    }
}

TEST(PlateScantling, BoundPressureSpacingAndMaterial) {
    struct Row {
        const char* name;
        std::function<void(Project&)> change;
        const char* label;
        const char* formula;
        double UFt;
    };
    const Row rows[] = {
        // 625*sqrt(0.6944*10)/254 + 2.5 = 8.98 now beats the bound 6.67.
        {"pressure governs", [](Project& q) { q.ps = 0.1f; }, "Plate 1: UF = tmin/t = ",
         "8.98/20.00 = ", 0.4492165},
        {"suction counts by its magnitude", [](Project& q) { q.ps = -0.1f; },
         "Plate 1: UF = tmin/t = ", "8.98/20.00 = ", 0.4492165},
        {"watertight, pressure governs",
         [](Project& q) {
             q.ps = 0.1f;
             q.CFactorTab = 0;
         },
         "Plate 1: UF = tmin/t = ", "7.18/20.00 = ", 0.3589689},
        {"clear of tanks, pressure governs",
         [](Project& q) {
             q.ps = 0.1f;
             q.CFactorTab = 2;
         },
         "Plate 1: UF = tmin/t = ", "9.15/20.00 = ", 0.4575065},
        // Wide spacing and no pressure: the bounds alone.
        {"clear of tanks, bound 5 fixed",
         [](Project& q) {
             q.ps = 0;
             q.s1 = q.s2 = 2000;
             q.CFactorTab = 2;
         },
         "Plate 1: UF = tmin/t = ", "5.00/20.00 = ", 0.25},
        {"tank bound grows with spacing",
         [](Project& q) {
             q.ps = 0;
             q.s1 = q.s2 = 2000;
         },
         "Plate 1: UF = tmin/t = ", "15.83/20.00 = ", 0.7916667},
        {"watertight bound grows with spacing",
         [](Project& q) {
             q.ps = 0;
             q.s1 = q.s2 = 2000;
             q.CFactorTab = 0;
         },
         "Plate 1: UF = tmin/t = ", "12.50/20.00 = ", 0.625},
        // The larger spacing rules: 700/150 + 2.5 = 7.17.
        {"s2 wider",
         [](Project& q) {
             q.s1 = 600;
             q.s2 = 700;
         },
         "Plate 2: UF = tmin/t = ", "7.17/20.00 = ", 0.3583333},
        {"s1 wider",
         [](Project& q) {
             q.s1 = 700;
             q.s2 = 600;
         },
         "Plate 1: UF = tmin/t = ", "7.17/20.00 = ", 0.3583333},
        // alpha = 2 still takes k = (3.075*sqrt(2) - 2.077)/2.272 = 0.99987.
        {"alpha 2",
         [](Project& q) {
             q.L1 = 1250;
             q.ps = 0.2f;
         },
         "Plate 1: UF = tmin/t = ", "11.67/20.00 = ", 0.5834521},
        // k = 0.998/1.272 = 0.7846.
        {"alpha 1",
         [](Project& q) {
             q.L1 = 625;
             q.ps = 0.2f;
         },
         "Plate 1: UF = tmin/t = ", "9.69/20.00 = ", 0.4847439},
        // 0.72*400 = 288 lies above 235: Y = Fyp, q = 1.
        {"mild steel",
         [](Project& q) {
             q.Fyp = 235;
             q.Fup = 400;
             q.ps = 0.1f;
         },
         "Plate 1: UF = tmin/t = ", "10.28/20.00 = ", 0.5140598},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Project p = Panel();
        r.change(p);
        PlateScantling(p);
        EXPECT_EQ(p.UFtText.label, r.label);
        EXPECT_EQ(p.UFtText.formula, r.formula);
        EXPECT_NEAR(p.UFt, r.UFt, 5e-8);
    }
}

TEST(PlateScantling, StatusAtTheLimit) {
    struct Row {
        const char* name;
        int tab;
        float t;
        const char* formula;
        const char* value;
        int status;
    };
    const Row rows[] = {
        {"tmin = t passes", 0, 6, "6.00/6.00 = ", "1.00", kGreen},
        {"thinner fails", 1, 5, "6.67/5.00 = ", "1.33", kRed},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Project p = Panel();
        p.CFactorTab = r.tab;
        p.t = r.t;
        PlateScantling(p);
        EXPECT_EQ(p.UFtText.formula, r.formula);
        EXPECT_EQ(p.UFtText.value, r.value);
        EXPECT_EQ(p.UFtText.status, r.status);
    }
}

TEST(PlateScantling, FailuresNameTheirCause) {
    struct Row {
        const char* name;
        std::function<void(Project&)> change;
        const char* cause;
    };
    const Row rows[] = {
        {"t = 0", [](Project& q) { q.t = 0; },
         "division by zero (plate scantling: plate thickness t is zero)"},
        {"no tensile strength", [](Project& q) { q.Fup = 0; },
         "division by zero (plate scantling: material yield Y is zero)"},
        {"s1 = 0", [](Project& q) { q.s1 = 0; },
         "division by zero (plate scantling: spacing s1 is zero)"},
        {"negative span", [](Project& q) { q.L1 = -3000; },
         "square root of a negative number (plate scantling: aspect ratio L1/s1 negative)"},
        {"negative yield", [](Project& q) { q.Fyp = -355; },
         "square root of a negative number (plate scantling: material yield Y negative)"},
        {"unknown page", [](Project& q) { q.CFactorTab = 3; },
         "kind of structure unknown (page 3, option 0)"},
        {"unknown option", [](Project& q) { q.CFactorOption = 2; },
         "kind of structure unknown (page 1, option 2)"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Project p = Panel();
        r.change(p);
        try {
            PlateScantling(p);
            ADD_FAILURE() << "no failure";
        } catch (const CalcError& e) {
            EXPECT_EQ(std::string(e.what()), r.cause);
        }
    }
}

}  // namespace
}  // namespace kelvor
