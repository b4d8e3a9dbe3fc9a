// Plate buckling (3/3.1), ultimate strength (3/3.3) and lateral pressure (3/3.5) of the two plate
// fields, and the effective width. Numbers are worked by hand from the guide's formulas for the
// default panel (t = 20, s = 625, L1 = 3000, 355 MPa, E = 206000) and small variations of it.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "checks/checks.h"
#include "checks/platebuckling.h"
#include "core/calcerror.h"
#include "core/calculate.h"
#include "core/project.h"
#include "core/session.h"
#include "core/tables.h"
#include "files/tableloaders.h"

namespace kelvor {
namespace {

// The defaults with material row 2 (355/470 MPa) and the derived stresses in place.
Project Panel(const std::function<void(Project&)>& change = {}) {
    Project p;
    NewProject(p);
    p.Fyp = 355;
    p.Fup = 470;
    if (change) {
        change(p);
    }
    StressDistribution(p);
    return p;
}

void ExpectLine(const ResultLine& got, const ResultLine& want) {
    EXPECT_EQ(got.label, want.label);
    EXPECT_EQ(got.formula, want.formula);
    EXPECT_EQ(got.value, want.value);
    EXPECT_EQ(got.reference, want.reference);
    EXPECT_EQ(got.status, want.status);
}

const char* const kPb1Default =
    "1/0.60^2*((-100.0/318.9)^2 + (-30.0/233.6)^2 + (40.0/196.2)^2) = ";
const char* const kPuTail =
    "-100.0/336.4)^2 -0.35*(-100.0*-30.0/(336.4*233.6) + (-30.0/233.6)^2 + (40.0/197.6))^2) = ";

TEST(PlateBuckling, DefaultPanelByHand) {
    Project p = Panel();
    const PlateField f = EvaluatePlateField(p, 1);
    EXPECT_DOUBLE_EQ(f.alpha, 4.8);
    EXPECT_DOUBLE_EQ(f.kappaX, 1);
    EXPECT_NEAR(f.kx, 4.4, 1e-12);
    EXPECT_DOUBLE_EQ(f.kappaY, 1);
    EXPECT_NEAR(f.ky, 1.306, 0.0005);
    EXPECT_NEAR(f.tauC, 196.24, 0.005);
    EXPECT_NEAR(f.sigCx, 318.94, 0.005);
    EXPECT_NEAR(f.sigCy, 233.57, 0.005);
    EXPECT_NEAR(f.UFpb, 0.4343, 0.00005);
    EXPECT_NEAR(f.beta, 1.2973, 0.00005);
    EXPECT_NEAR(f.Cx, 0.9475, 0.00005);
    EXPECT_NEAR(f.Cy, 0.3986, 0.00005);
    EXPECT_NEAR(f.sigUx, 336.36, 0.005);
    EXPECT_DOUBLE_EQ(f.sigUy, f.sigCy);  // Cy*Fy = 141.5 lies below the buckling strength
    EXPECT_NEAR(f.phi, 0.3514, 0.00005);
    EXPECT_NEAR(f.tauU, 197.65, 0.005);
    EXPECT_NEAR(f.UFpu, 0.3679, 0.00005);
    EXPECT_NEAR(f.sigE, 112.69, 0.005);
    EXPECT_NEAR(f.pu, 1.4387, 0.00005);
    EXPECT_NEAR(f.UFpl, 0.03475, 0.000005);
    EXPECT_DOUBLE_EQ(f.se, 625);

    PlateBuckling(p);
    EXPECT_DOUBLE_EQ(p.SigF, 355);
    EXPECT_DOUBLE_EQ(p.Pr, 0.6);
    EXPECT_DOUBLE_EQ(p.UFpb, f.UFpb);
    EXPECT_DOUBLE_EQ(p.UFpu, f.UFpu);
    EXPECT_DOUBLE_EQ(p.UFpl, f.UFpl);
    EXPECT_DOUBLE_EQ(p.UFpb2, f.UFpb);
    EXPECT_DOUBLE_EQ(p.se, 625);
    EXPECT_DOUBLE_EQ(p.Cx1, f.Cx);
    EXPECT_DOUBLE_EQ(p.Cy1, f.Cy);
    EXPECT_DOUBLE_EQ(p.Cx2, f.Cx);
    EXPECT_DOUBLE_EQ(p.Cy2, f.Cy);
    EXPECT_FALSE(p.PlateErrorFlag1);
    EXPECT_FALSE(p.PlateErrorFlag2);
    // A tie keeps field 1's texts; field 2's stay as the work copy.
    ExpectLine(p.UFpbText, {"PL1: UFpb =", kPb1Default, "0.43", " < 1.0 (3/3.1)", kGreen});
    ExpectLine(p.UFpuText, {"PL1: UFpu = ", std::string("1/0.60^2*(") + kPuTail, "0.37",
                            " < 1.0 (3/3.3)", kGreen});
    ExpectLine(p.UFplText, {"PL1/PL2: UFpl = p/(n*pu) = ", "0.030/(0.60*1.439) = ", "0.03",
                            " < 1.0 (3/3.5)", kGreen});
    ExpectLine(p.UFpb2Text, {"PL2: UFpb =", kPb1Default, "0.43", " < 1.0 (3/3.1)", kGreen});
    ExpectLine(p.UFpu2Text, {"PL2: UFpu = ", std::string("1/0.60^2*((") + kPuTail, "0.37",
                             " < 1.0 (3/3.3)", kGreen});
    ExpectLine(p.UFpl2Text, {"PL1/PL2: UFpl = p/(n*pu) = ", "0.030/(0.60*1.439) = ", "0.03",
                             " < 1.0 (3/3.5)", kGreen});
}

TEST(PlateBuckling, StressesReadAsEnteredInTheTexts) {
    // -12.45 is held as -12.4499998; the text rounds the entered number, as its field does.
    Project p = Panel([](Project& q) {
        q.SigyA = -12.45f;
        q.SigyC = -12.45f;
    });
    PlateBuckling(p);
    EXPECT_NE(p.UFpbText.formula.find(" + (-12.5/233.6)^2 + "), std::string::npos)
        << p.UFpbText.formula;
}

TEST(PlateBuckling, CoefficientsByStiffenerFamily) {
    // kx = 8.4*C1/2.1 for uniform compression; ky = C2*(1 + 1/4.8^2)^2.
    for (int family = 0; family <= 9; ++family) {
        SCOPED_TRACE("family " + std::to_string(family));
        const bool flatOrBulb = family >= 4 && family <= 6;
        Project p = Panel([family](Project& q) { q.StiffProfileType = family; });
        const PlateField f = EvaluatePlateField(p, 1);
        EXPECT_NEAR(f.kx, flatOrBulb ? 4.0 : 4.4, 1e-12);
        EXPECT_NEAR(f.ky, flatOrBulb ? 1.1975583 : 1.3064272, 5e-7);
    }
}

TEST(PlateBuckling, LongitudinalStressRatio) {
    struct Row {
        const char* name;
        float sigxA, sigxB;
        double kappa1, kx1, kappa2, kx2;
    };
    const Row rows[] = {
        {"uniform compression", -100, -100, 1, 4.4, 1, 4.4},
        // Stiffener line at 0: field 1 runs from -100 to 0, polynomial with kappa 0.
        {"field 2 wholly in tension", -100, 100, 0, 8.36, 1, 4.4},
        {"both fields graded", -100, -50, 0.75, 4.9945946, 2.0 / 3.0, 5.2301887},
        {"field 1 in pure bending", -100, 300, -1, 26.4, 1, 4.4},
        {"tension everywhere", 50, 50, 1, 4.4, 1, 4.4},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Project p = Panel([&r](Project& q) {
            q.SigxA = r.sigxA;
            q.SigxB = r.sigxB;
        });
        const PlateField f1 = EvaluatePlateField(p, 1);
        const PlateField f2 = EvaluatePlateField(p, 2);
        EXPECT_DOUBLE_EQ(f1.kappaX, r.kappa1);
        EXPECT_NEAR(f1.kx, r.kx1, 5e-7);
        EXPECT_DOUBLE_EQ(f2.kappaX, r.kappa2);
        EXPECT_NEAR(f2.kx, r.kx2, 5e-7);
    }
}

TEST(PlateBuckling, TransverseCoefficientCases) {
    struct Row {
        const char* name;
        float L1, sigyA, sigyC;
        double kappaY, ky;
    };
    const Row rows[] = {
        // 24/4 + (1.0875*1.25^2 - 18/4), the same as 12/2 + (1.0875*1.25^2 - 9/2).
        {"alpha 2 exactly, first formula", 1250, -30, 0, 0, 1.2 * 3.19921875},
        {"alpha 1.5, first formula", 937.5, -30, 0, 0, 5.9227778},
        // 12/3 + (1.0875*(10/9)^2 - 9/3): 9/alpha, not 9/alpha^2.
        {"alpha 3, second formula", 1875, -30, 0, 0, 2.8111111},
        {"kappa -0.5, second formula", 3000, -30, 15, -0.5, 2.5853698},
        // (1 + 1/4.8^2)^2*(1.675 - 0.675/3)
        {"kappa 1/3 exactly, third formula", 3000, -30, -10, 1.0 / 3.0, 1.8943195},
        {"transverse tension", 3000, 10, 20, 1, 1.3064272},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Project p = Panel([&r](Project& q) {
            q.L1 = r.L1;
            q.SigyA = r.sigyA;
            q.SigyC = r.sigyC;
        });
        const PlateField f = EvaluatePlateField(p, 1);
        EXPECT_DOUBLE_EQ(f.kappaY, r.kappaY);
        EXPECT_NEAR(f.ky, r.ky, 5e-7);
    }
}

TEST(PlateBuckling, CompressedFieldBesideAFieldInTension) {
    Project p = Panel([](Project& q) { q.SigxB = 100; });
    PlateBuckling(p);
    // Field 1: kx = 7.6*1.1 = 8.36, sigCx = 355*(1 - 0.24*355/1593.9) = 336.0.
    ExpectLine(p.UFpbText,
               {"PL1: UFpb =", "1/0.60^2*((-100.0/336.0)^2 + (-30.0/233.6)^2 + (40.0/196.2)^2) = ",
                "0.41", " < 1.0 (3/3.1)", kGreen});
    // Field 2 carries no longitudinal compression.
    ExpectLine(p.UFpb2Text,
               {"PL2: UFpb =", "1/0.60^2*((0.0/318.9)^2 + (-30.0/233.6)^2 + (40.0/196.2)^2) = ",
                "0.16", " < 1.0 (3/3.1)", kGreen});
    EXPECT_NEAR(p.UFpb, 0.4072, 0.00005);
    EXPECT_NEAR(p.UFpb2, 0.1612, 0.00005);
    EXPECT_EQ(p.UFplText.label, "PL1: UFpl = p/(n*pu) = ");
    EXPECT_EQ(p.UFpl2Text.label, "PL2: UFpl = p/(n*pu) = ");
    EXPECT_EQ(p.UFpl2Text.formula, "0.030/(0.60*1.482) = ");
}

TEST(PlateBuckling, LateralPressureLabelAndStressesAtTheStiffener) {
    struct Row {
        const char* name;
        float s1, s2, sigxA, sigxB, sigyA, sigyC;
        const char* label;   // the reported row
        const char* label2;  // field 2's work copy
    };
    const Row rows[] = {
        {"equal fields", 625, 625, -100, -100, -30, -30, "PL1/PL2: UFpl = p/(n*pu) = ",
         "PL1/PL2: UFpl = p/(n*pu) = "},
        {"field 2 wider", 625, 700, -100, -100, -30, -30, "PL2: UFpl = p/(n*pu) = ",
         "PL2: UFpl = p/(n*pu) = "},
        {"field 1 wider", 700, 625, -100, -100, -30, -30, "PL1: UFpl = p/(n*pu) = ",
         "PL2: UFpl = p/(n*pu) = "},
        {"different stresses", 625, 625, -100, 100, -30, -30, "PL1: UFpl = p/(n*pu) = ",
         "PL2: UFpl = p/(n*pu) = "},
        // Field 1's text compares its zeroed 0 with field 2's 20 still standing; by field 2's
        // turn both are 0. The factors tie, so field 1's label is shown.
        {"tension on both fields", 625, 625, 80, 20, 10, 5, "PL1: UFpl = p/(n*pu) = ",
         "PL1/PL2: UFpl = p/(n*pu) = "},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Project p = Panel([&r](Project& q) {
            q.s1 = r.s1;
            q.s2 = r.s2;
            q.SigxA = r.sigxA;
            q.SigxB = r.sigxB;
            q.SigyA = r.sigyA;
            q.SigyC = r.sigyC;
        });
        PlateBuckling(p);
        EXPECT_EQ(p.UFplText.label, r.label);
        EXPECT_EQ(p.UFpl2Text.label, r.label2);
        EXPECT_LE(p.SigxMin1, 0);
        EXPECT_LE(p.SigxMin2, 0);
        EXPECT_LE(p.SigyMin1, 0);
        EXPECT_LE(p.SigyMin2, 0);
    }
}

TEST(PlateBuckling, EachFactorFromTheFieldItIsWorstIn) {
    struct Row {
        const char* name;
        float s1, s2, sigxA, sigxB;
        int pbField, puField, plField;
        double UFpb, UFpu, UFpl;
    };
    const Row rows[] = {
        {"tie keeps field 1", 625, 625, -100, -100, 1, 1, 1, 0.43430, 0.36785, 0.034753},
        {"wider field 2", 625, 800, -100, -100, 2, 2, 2, 0.53649, 0.49732, 0.055467},
        {"wider field 1", 800, 625, -100, -100, 1, 1, 1, 0.53649, 0.49732, 0.055467},
        // Field 1 more compressed, field 2 wider: the factors come from different fields.
        {"mixed", 625, 700, -150, -20, 1, 1, 2, 0.74946, 0.65612, 0.042800},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Project p = Panel([&r](Project& q) {
            q.s1 = r.s1;
            q.s2 = r.s2;
            q.SigxA = r.sigxA;
            q.SigxB = r.sigxB;
        });
        PlateBuckling(p);
        EXPECT_NEAR(p.UFpb, r.UFpb, 0.000005);
        EXPECT_NEAR(p.UFpu, r.UFpu, 0.000005);
        EXPECT_NEAR(p.UFpl, r.UFpl, 0.0000005);
        EXPECT_EQ(p.UFpbText.label, r.pbField == 1 ? "PL1: UFpb =" : "PL2: UFpb =");
        EXPECT_EQ(p.UFpuText.label, r.puField == 1 ? "PL1: UFpu = " : "PL2: UFpu = ");
        if (r.pbField == 2) {
            EXPECT_DOUBLE_EQ(p.UFpb, p.UFpb2);
            EXPECT_EQ(p.UFpbText.formula, p.UFpb2Text.formula);
        }
        if (r.puField == 2) {
            EXPECT_EQ(p.UFpuText.formula, p.UFpu2Text.formula);
        }
        if (r.plField == 2) {
            EXPECT_EQ(p.UFplText.label, p.UFpl2Text.label);
            EXPECT_EQ(p.UFplText.formula, p.UFpl2Text.formula);
        } else {
            EXPECT_NE(p.UFplText.label, "PL2: UFpl = p/(n*pu) = ");
        }
    }
}

TEST(PlateBuckling, NoStressNoPressureGivesNoRows) {
    Project p = Panel([](Project& q) {
        q.SigxA = q.SigxB = q.SigyA = q.SigyC = q.Tau = q.p = 0;
    });
    p.UFpbText = {"stale", "x", "9.99", "r", kRed};  // a check clears its own texts first
    PlateBuckling(p);
    EXPECT_EQ(p.UFpb, 0);
    EXPECT_EQ(p.UFpu, 0);
    EXPECT_EQ(p.UFpl, 0);
    for (const ResultLine* line : {&p.UFpbText, &p.UFpuText, &p.UFplText, &p.UFpb2Text,
                                   &p.UFpu2Text, &p.UFpl2Text}) {
        EXPECT_FALSE(line->Produced());
        EXPECT_TRUE(line->formula.empty());
    }
    EXPECT_DOUBLE_EQ(p.se, 625);
}

TEST(PlateBuckling, ThickPlateIsStockyOnBothFields) {
    // beta = 31.25/2*sqrt(355/206000) = 0.649: Cx = 1, and Cy = 0.208 + 0.079*(1 + 2.377)^2 =
    // 1.11, limited to 1.
    Project p = Panel([](Project& q) { q.t = 40; });
    for (int field : {1, 2}) {
        SCOPED_TRACE("field " + std::to_string(field));
        const PlateField f = EvaluatePlateField(p, field);
        EXPECT_NEAR(f.beta, 0.6486, 0.00005);
        EXPECT_EQ(f.Cx, 1);
        EXPECT_GE(f.phi, 0.5);
        EXPECT_EQ(f.Cy, 1);
    }
    PlateBuckling(p);
    EXPECT_EQ(p.Cx1, 1);
    EXPECT_EQ(p.Cy1, 1);
    EXPECT_EQ(p.Cx2, 1);
    EXPECT_EQ(p.Cy2, 1);
}

TEST(PlateBuckling, EffectiveWidthOfABuckledPlate) {
    struct Row {
        const char* name;
        float UFallow, sigy;
        const char* value;
        double X, Cxe, se;
    };
    const Row rows[] = {
        // X = 1 - (1 - 0.25*0.3514^2)*(30/233.57)^2 = 0.984; Cxe = 0.992 + 0.023, capped at 1;
        // se = 625*sqrt(1 - (40/204.96)^2)*1*0.9475.
        {"Cxe capped", 0.3f, -30, "1.74", 0.98401, 1, 580.794},
        // X = 1 - 0.96914*(150/233.57)^2 = 0.6003; Cxe = 0.7748 + 0.5*0.3514*150/233.57.
        {"Cxe below 1", 0.3f, -150, "6.14", 0.60029, 0.88761, 515.518},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Project p = Panel([&r](Project& q) {
            q.UFallow = r.UFallow;
            q.SigyA = r.sigy;
            q.SigyC = r.sigy;
        });
        PlateBuckling(p);
        EXPECT_EQ(p.UFpbText.value, r.value);
        EXPECT_EQ(p.UFpbText.status, kRed);
        const PlateField f = EvaluatePlateField(p, 1);
        EXPECT_NEAR(f.X, r.X, 0.000005);
        EXPECT_NEAR(p.Cy1, r.Cxe, 0.000005);
        EXPECT_NEAR(p.Cy2, r.Cxe, 0.000005);
        EXPECT_NEAR(p.se, r.se, 0.0005);
        EXPECT_FALSE(p.PlateErrorFlag1);
        EXPECT_FALSE(p.PlateErrorFlag2);
    }
}

TEST(PlateBuckling, ErrorFlagsAreSetPerField) {
    // With sigx = -50 and no shear, the transverse stress beats sigUy/sqrt(1 - Phi^2/4) of the
    // wider field first: 233.6 for 625 mm, 122.5 for 1000 mm.
    struct Row {
        const char* name;
        float s1, s2, sigy;
        bool flag1, flag2;
    };
    const Row rows[] = {
        {"neither", 625, 625, -150, false, false},
        {"field 2 only", 625, 1000, -150, false, true},
        {"field 1 only", 1000, 625, -150, true, false},
        {"both", 625, 625, -250, true, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Project p = Panel([&r](Project& q) {
            q.s1 = r.s1;
            q.s2 = r.s2;
            q.SigxA = q.SigxB = -50;
            q.SigyA = q.SigyC = r.sigy;
            q.Tau = 0;
        });
        PlateBuckling(p);
        EXPECT_GE(p.UFpb, 1);
        EXPECT_EQ(p.PlateErrorFlag1, r.flag1);
        EXPECT_EQ(p.PlateErrorFlag2, r.flag2);
        // A flagged field still gets a width, with Cy in place of Cxe.
        for (int field : {1, 2}) {
            const PlateField f = EvaluatePlateField(p, field);
            EXPECT_EQ(f.errorFlag, field == 1 ? r.flag1 : r.flag2);
            if (f.errorFlag) {
                EXPECT_LT(f.X, 0);
                EXPECT_EQ(f.Cxe, f.Cy);
                EXPECT_DOUBLE_EQ(f.se, (field == 1 ? r.s1 : r.s2) * f.Cy * f.Cx);
            }
        }
    }
}

TEST(PlateBuckling, EffectiveWidthCoefficientAtItsLimits) {
    struct Row {
        const char* name;
        int field;
        double X;
        double value;
        bool flag;
    };
    // Phi = 0.4, |sigy0|/sigUy = 0.5, Cy = 0.3: Cxe = sqrt(X) + 0.1.
    const Row rows[] = {
        {"field 1, X > 0", 1, 0.25, 0.6, false},
        {"field 2, X > 0", 2, 0.25, 0.6, false},
        {"field 1, X = 0 keeps Cy", 1, 0, 0.3, false},
        {"field 2, X = 0 works out Cxe", 2, 0, 0.1, false},
        {"field 1, X < 0", 1, -1e-12, 0.3, true},
        {"field 2, X < 0", 2, -1e-12, 0.3, true},
        {"capped at 1", 1, 0.9025, 1, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const WidthCoefficient c = EffectiveWidthCoefficient(r.field, r.X, 0.4, 0.5, 0.3);
        EXPECT_NEAR(c.value, r.value, 1e-12);
        EXPECT_EQ(c.errorFlag, r.flag);
    }
}

TEST(PlateBuckling, FailuresNameTheirCause) {
    struct Row {
        const char* name;
        std::function<void(Project&)> change;
        const char* cause;
    };
    const Row rows[] = {
        {"t = 0", [](Project& q) { q.t = 0; }, "division by zero (plate thickness t is zero)"},
        {"s1 = 0", [](Project& q) { q.s1 = 0; },
         "division by zero (plate field 1: spacing s1 is zero)"},
        {"s2 = 0", [](Project& q) { q.s2 = 0; },
         "division by zero (plate field 2: spacing s2 is zero)"},
        {"L1 = 0", [](Project& q) { q.L1 = 0; },
         "division by zero (aspect ratio: span L1 is zero)"},
        {"n = 0", [](Project& q) { q.UFallow = 0; },
         "division by zero (allowable utilisation factor n is zero)"},
        {"E = 0", [](Project& q) { q.E = 0; }, "division by zero (Young's modulus E is zero)"},
        {"Fyp = 0", [](Project& q) { q.Fyp = 0; },
         "division by zero (buckling: critical longitudinal stress is zero)"},
        {"equivalent stress above yield",
         [](Project& q) { q.SigxA = q.SigxB = -400; },
         "square root of a negative number (lateral pressure: equivalent stress above yield)"},
        // sigE >= sqrt(3)*tau, so shear above tauF = 204.96 always fails here first.
        {"shear above shear yield", [](Project& q) { q.Tau = 205; },
         "square root of a negative number (lateral pressure: equivalent stress above yield)"},
        {"only field 2 above yield",
         [](Project& q) {
             q.SigxA = -100;
             q.SigxB = -400;
         },
         "square root of a negative number (lateral pressure: equivalent stress above yield)"},
        // sigE = 355 exactly leaves the plate no capacity for pressure: pu = 0.
        {"equivalent stress at yield",
         [](Project& q) {
             q.SigxA = q.SigxB = -355;
             q.SigyA = q.SigyC = q.Tau = 0;
         },
         "division by zero (lateral pressure: ultimate pressure pu is zero)"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Project p = Panel(r.change);
        try {
            PlateBuckling(p);
            ADD_FAILURE() << "no failure";
        } catch (const CalcError& e) {
            EXPECT_EQ(std::string(e.what()), r.cause);
        }
    }
}

// The shipped tables and the whole run, as the window and the command-line tool see it.
class PlateChecks : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(LoadAllTables(tables_, KELVOR_SOURCE_DATA_DIR, 0).empty());
        Fresh();
    }
    // A new project as the File menu's "&New" leaves it: materials and profiles in place.
    void Fresh() {
        NewProject(p_);
        ApplyProfilesAndMaterials(p_, tables_);
    }
    Tables tables_;
    Project p_;
};

TEST_F(PlateChecks, DefaultProjectThroughCalculate) {
    Calculate(p_, tables_);
    ASSERT_FALSE(p_.CalcFailure) << p_.CalcFailure->Text();
    EXPECT_EQ(p_.Fyp, 355);
    EXPECT_EQ(p_.Fup, 470);
    ExpectLine(p_.UFpbText, {"PL1: UFpb =", kPb1Default, "0.43", " < 1.0 (3/3.1)", kGreen});
    EXPECT_EQ(p_.UFplText.label, "PL1/PL2: UFpl = p/(n*pu) = ");
    EXPECT_NEAR(p_.UFpu, 0.37, 0.005);
    EXPECT_NEAR(p_.UFpl, 0.035, 0.0005);
    EXPECT_DOUBLE_EQ(p_.se, 625);
    EXPECT_NEAR(p_.UFy, 0.45, 0.005);
    EXPECT_EQ(p_.UFyText.label, "Point: A:  UF = F.S.*Sigeq/Fy = ");
    EXPECT_NEAR(p_.UFt, 0.33, 0.005);
    EXPECT_EQ(p_.UFtText.label, "Plate 1: UF = tmin/t = ");
    EXPECT_EQ(p_.StructureType, "  Tank Bulkhead");
}

TEST_F(PlateChecks, AFailureStopsTheRunAtItsCheck) {
    struct Row {
        const char* name;
        std::function<void(Project&, const Tables&)> change;
        const char* routine;
        const char* cause;
        bool bucklingDone, yieldDone;
    };
    const Row rows[] = {
        {"plate buckling",
         [](Project& q, const Tables&) { q.SigxA = q.SigxB = -400; }, "plate buckling",
         "square root of a negative number (lateral pressure: equivalent stress above yield)",
         false, false},
        // The last material row keeps what was typed: a tensile strength of 0 leaves the rule
        // no material yield Y.
        {"plate scantling",
         [](Project& q, const Tables& t) {
             q.PlateMaterialIndex = t.MaterialLastRow();
             q.Fyp = 355;
             q.Fup = 0;
         },
         "plate scantling", "division by zero (plate scantling: material yield Y is zero)", true,
         true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Fresh();
        Calculate(p_, tables_);  // results of a good run that must not survive the failing one
        r.change(p_, tables_);
        Calculate(p_, tables_);
        ASSERT_TRUE(p_.CalcFailure);
        EXPECT_EQ(p_.CalcFailure->routine, r.routine);
        EXPECT_EQ(p_.CalcFailure->cause, r.cause);
        EXPECT_EQ(p_.UFpbText.Produced(), r.bucklingDone);
        EXPECT_EQ(p_.se != 0, r.bucklingDone);
        EXPECT_EQ(p_.UFyText.Produced(), r.yieldDone);
        EXPECT_FALSE(p_.UFtText.Produced());
        EXPECT_EQ(p_.UFt, 0);
        ASSERT_FALSE(p_.Result.rows.empty());
        EXPECT_EQ(p_.Result.rows.back().text,
                  std::string("Calculation stopped in ") + r.routine + ": " + r.cause);
    }
}

}  // namespace
}  // namespace kelvor
