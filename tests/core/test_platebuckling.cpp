// Plate buckling (3/3.1), ultimate strength (3/3.3) and lateral pressure (3/3.5) of the two plate
// fields, and the effective width. Numbers are worked by hand from the guide's formulas for the
// default panel (t = 20, s = 625, L1 = 3000, 355 MPa, E = 206000) and small variations of it.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>

#include "checks/checks.h"
#include "checks/platebuckling.h"
#include "core/calculate.h"
#include "core/project.h"
#include "core/session.h"
#include "core/tables.h"
#include "files/tableloaders.h"
#include "testsupport.h"

namespace kelvor {
namespace {

using testsupport::CalcFailureOf;
using testsupport::ExpectResultLine;

// The defaults with material row 2 (355/470 MPa).
struct Input {
    float s1 = 625, s2 = 625, L1 = 3000, t = 20, sigxA = -100, sigxB = -100, sigyA = -30,
          sigyC = -30, tau = 40, p = 0.03f, n = 0.6f, E = 206000, Fyp = 355;
    int family = 0;
};

// The panel with the derived stresses in place.
Project Panel(const Input& in = {}) {
    Project p;
    NewProject(p);
    p.s1 = in.s1;
    p.s2 = in.s2;
    p.L1 = in.L1;
    p.t = in.t;
    p.SigxA = in.sigxA;
    p.SigxB = in.sigxB;
    p.SigyA = in.sigyA;
    p.SigyC = in.sigyC;
    p.Tau = in.tau;
    p.p = in.p;
    p.UFallow = in.n;
    p.E = in.E;
    p.Fyp = in.Fyp;
    p.Fup = 470;
    p.StiffProfileType = in.family;
    StressDistribution(p);
    return p;
}

struct Expected {
    const char* name;
    double got, want, tolerance;
};
void ExpectNear(std::initializer_list<Expected> values) {
    for (const Expected& v : values) {
        EXPECT_NEAR(v.got, v.want, v.tolerance) << v.name;
    }
}

const char* const kPb1Default =
    "1/0.60^2*((-100.0/318.9)^2 + (-30.0/233.6)^2 + (40.0/196.2)^2) = ";
const char* const kPuTail =
    "-100.0/336.4)^2 -0.35*(-100.0*-30.0/(336.4*233.6) + (-30.0/233.6)^2 + (40.0/197.6))^2) = ";
const char* const kPlBoth = "PL1/PL2: UFpl = p/(n*pu) = ";

TEST(PlateBuckling, DefaultPanelByHand) {
    Project p = Panel();
    const PlateField f = EvaluatePlateField(p, 1);
    // Cy*Fy = 141.5 lies below the buckling strength: sigUy = sigCy.
    ExpectNear({{"alpha", f.alpha, 4.8, 0}, {"kappaX", f.kappaX, 1, 0}, {"kx", f.kx, 4.4, 1e-12},
                {"kappaY", f.kappaY, 1, 0}, {"ky", f.ky, 1.306, 0.0005},
                {"tauC", f.tauC, 196.24, 0.005}, {"sigCx", f.sigCx, 318.94, 0.005},
                {"sigCy", f.sigCy, 233.57, 0.005}, {"UFpb", f.UFpb, 0.4343, 0.00005},
                {"beta", f.beta, 1.2973, 0.00005}, {"Cx", f.Cx, 0.9475, 0.00005},
                {"Cy", f.Cy, 0.3986, 0.00005}, {"sigUx", f.sigUx, 336.36, 0.005},
                {"sigUy", f.sigUy, f.sigCy, 0}, {"phi", f.phi, 0.3514, 0.00005},
                {"tauU", f.tauU, 197.65, 0.005}, {"UFpu", f.UFpu, 0.3679, 0.00005},
                {"sigE", f.sigE, 112.69, 0.005}, {"pu", f.pu, 1.4387, 0.00005},
                {"UFpl", f.UFpl, 0.03475, 0.000005}, {"se", f.se, 625, 0}});

    PlateBuckling(p);
    ExpectNear({{"SigF", p.SigF, 355, 0}, {"Pr", p.Pr, 0.6, 0}, {"UFpb", p.UFpb, f.UFpb, 0},
                {"UFpu", p.UFpu, f.UFpu, 0}, {"UFpl", p.UFpl, f.UFpl, 0},
                {"UFpb2", p.UFpb2, f.UFpb, 0}, {"se", p.se, 625, 0}, {"Cx1", p.Cx1, f.Cx, 0},
                {"Cy1", p.Cy1, f.Cy, 0}, {"Cx2", p.Cx2, f.Cx, 0}, {"Cy2", p.Cy2, f.Cy, 0}});
    EXPECT_FALSE(p.PlateErrorFlag1 || p.PlateErrorFlag2);
    // A tie keeps field 1's texts; field 2's stay as the work copy.
    ExpectResultLine(p.UFpbText, {"PL1: UFpb =", kPb1Default, "0.43", " < 1.0 (3/3.1)", kGreen});
    ExpectResultLine(p.UFpuText, {"PL1: UFpu = ", std::string("1/0.60^2*(") + kPuTail, "0.37",
                                  " < 1.0 (3/3.3)", kGreen});
    ExpectResultLine(p.UFplText,
                     {kPlBoth, "0.030/(0.60*1.439) = ", "0.03", " < 1.0 (3/3.5)", kGreen});
    ExpectResultLine(p.UFpb2Text, {"PL2: UFpb =", kPb1Default, "0.43", " < 1.0 (3/3.1)", kGreen});
    ExpectResultLine(p.UFpu2Text, {"PL2: UFpu = ", std::string("1/0.60^2*((") + kPuTail, "0.37",
                                   " < 1.0 (3/3.3)", kGreen});
    ExpectResultLine(p.UFpl2Text,
                     {kPlBoth, "0.030/(0.60*1.439) = ", "0.03", " < 1.0 (3/3.5)", kGreen});

    // -12.45 is held as -12.4499998; the text rounds the entered number, as its field does.
    p.SigyA = p.SigyC = -12.45f;
    StressDistribution(p);
    PlateBuckling(p);
    EXPECT_NE(p.UFpbText.formula.find(" + (-12.5/233.6)^2 + "), std::string::npos)
        << p.UFpbText.formula;
}

TEST(PlateBuckling, CoefficientsByStiffenerFamily) {
    // kx = 8.4*C1/2.1 for uniform compression; ky = C2*(1 + 1/4.8^2)^2.
    for (int family = 0; family <= 9; ++family) {
        SCOPED_TRACE("family " + std::to_string(family));
        const bool flatOrBulb = family >= 4 && family <= 6;
        Project p = Panel({.family = family});
        const PlateField f = EvaluatePlateField(p, 1);
        EXPECT_NEAR(f.kx, flatOrBulb ? 4.0 : 4.4, 1e-12);
        EXPECT_NEAR(f.ky, flatOrBulb ? 1.1975583 : 1.3064272, 5e-7);
    }
}

TEST(PlateBuckling, LongitudinalStressRatio) {
    const struct {
        const char* name;
        float sigxA, sigxB;
        double kappa1, kx1, kappa2, kx2;
    } rows[] = {
        {"uniform compression", -100, -100, 1, 4.4, 1, 4.4},
        // Stiffener line at 0: field 1 runs from -100 to 0, polynomial with kappa 0.
        {"field 2 wholly in tension", -100, 100, 0, 8.36, 1, 4.4},
        {"both fields graded", -100, -50, 0.75, 4.9945946, 2.0 / 3.0, 5.2301887},
        {"field 1 in pure bending", -100, 300, -1, 26.4, 1, 4.4},
        {"tension everywhere", 50, 50, 1, 4.4, 1, 4.4},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        Project p = Panel({.sigxA = r.sigxA, .sigxB = r.sigxB});
        const PlateField f1 = EvaluatePlateField(p, 1);
        const PlateField f2 = EvaluatePlateField(p, 2);
        ExpectNear({{"kappa1", f1.kappaX, r.kappa1, 0}, {"kx1", f1.kx, r.kx1, 5e-7},
                    {"kappa2", f2.kappaX, r.kappa2, 1e-15}, {"kx2", f2.kx, r.kx2, 5e-7}});
    }
}

TEST(PlateBuckling, TransverseCoefficientCases) {
    const struct {
        const char* name;
        float L1, sigyA, sigyC;
        double kappaY, ky;
    } rows[] = {
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
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        Project p = Panel({.L1 = r.L1, .sigyA = r.sigyA, .sigyC = r.sigyC});
        const PlateField f = EvaluatePlateField(p, 1);
        EXPECT_DOUBLE_EQ(f.kappaY, r.kappaY);
        EXPECT_NEAR(f.ky, r.ky, 5e-7);
    }
}

// Each factor is reported for the field it is worst in, a tie keeping field 1; the lateral
// pressure row speaks for both fields when they are equal in width and stress.
TEST(PlateBuckling, EachFactorFromTheFieldItIsWorstIn) {
    const struct {
        const char* name;
        Input in;
        const char* fields;  // where UFpb, UFpu and UFpl come from
        double UFpb, UFpu, UFpl;  // -1: not worked by hand
        const char *plLabel, *plLabel2;
    } rows[] = {
        {"tie keeps field 1", {}, "111", 0.43430, 0.36785, 0.034753,
         kPlBoth, kPlBoth},
        {"wider field 2", {.s2 = 800}, "222", 0.53649, 0.49732, 0.055467,
         "PL2: UFpl = p/(n*pu) = ", "PL2: UFpl = p/(n*pu) = "},
        {"wider field 1", {.s1 = 800}, "111", 0.53649, 0.49732, 0.055467,
         "PL1: UFpl = p/(n*pu) = ", "PL2: UFpl = p/(n*pu) = "},
        // Field 1 more compressed, field 2 wider: the factors come from different fields.
        {"mixed", {.s2 = 700, .sigxA = -150, .sigxB = -20}, "112", 0.74946, 0.65612, 0.042800,
         "PL2: UFpl = p/(n*pu) = ", "PL2: UFpl = p/(n*pu) = "},
        {"different stresses", {.sigxB = 100}, "111", -1, -1, -1,
         "PL1: UFpl = p/(n*pu) = ", "PL2: UFpl = p/(n*pu) = "},
        // Field 1's text compares its zeroed 0 with field 2's 20 still standing; by field 2's
        // turn both are 0. The factors tie, so field 1's label is shown.
        {"tension on both fields", {.sigxA = 80, .sigxB = 20, .sigyA = 10, .sigyC = 5}, "111",
         -1, -1, -1, "PL1: UFpl = p/(n*pu) = ", kPlBoth},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        Project p = Panel(r.in);
        PlateBuckling(p);
        if (r.UFpb >= 0) {
            ExpectNear({{"UFpb", p.UFpb, r.UFpb, 0.000005},
                        {"UFpu", p.UFpu, r.UFpu, 0.000005},
                        {"UFpl", p.UFpl, r.UFpl, 0.0000005}});
        }
        EXPECT_EQ(p.UFpbText.label, r.fields[0] == '1' ? "PL1: UFpb =" : "PL2: UFpb =");
        EXPECT_EQ(p.UFpuText.label, r.fields[1] == '1' ? "PL1: UFpu = " : "PL2: UFpu = ");
        EXPECT_EQ(p.UFplText.label, r.plLabel);
        EXPECT_EQ(p.UFpl2Text.label, r.plLabel2);
        if (r.fields[0] == '2') {
            EXPECT_DOUBLE_EQ(p.UFpb, p.UFpb2);
            EXPECT_EQ(p.UFpbText.formula, p.UFpb2Text.formula);
        }
        if (r.fields[1] == '2') {
            EXPECT_EQ(p.UFpuText.formula, p.UFpu2Text.formula);
        }
        if (r.fields[2] == '2') {
            EXPECT_EQ(p.UFplText.formula, p.UFpl2Text.formula);
        }
        // The stresses at the stiffener are left without tension.
        EXPECT_LE(std::max({p.SigxMin1, p.SigxMin2, p.SigyMin1, p.SigyMin2}), 0);
    }
}

TEST(PlateBuckling, CompressedFieldBesideAFieldInTension) {
    Project p = Panel({.sigxB = 100});
    PlateBuckling(p);
    // Field 1: kx = 7.6*1.1 = 8.36, sigCx = 355*(1 - 0.24*355/1593.9) = 336.0.
    ExpectResultLine(p.UFpbText,
                     {"PL1: UFpb =",
                      "1/0.60^2*((-100.0/336.0)^2 + (-30.0/233.6)^2 + (40.0/196.2)^2) = ", "0.41",
                      " < 1.0 (3/3.1)", kGreen});
    // Field 2 carries no longitudinal compression.
    ExpectResultLine(p.UFpb2Text,
                     {"PL2: UFpb =",
                      "1/0.60^2*((0.0/318.9)^2 + (-30.0/233.6)^2 + (40.0/196.2)^2) = ", "0.16",
                      " < 1.0 (3/3.1)", kGreen});
    ExpectNear({{"UFpb", p.UFpb, 0.4072, 0.00005}, {"UFpb2", p.UFpb2, 0.1612, 0.00005}});
    EXPECT_EQ(p.UFpl2Text.formula, "0.030/(0.60*1.482) = ");
}

TEST(PlateBuckling, NoStressNoPressureGivesNoRows) {
    Project p = Panel({.sigxA = 0, .sigxB = 0, .sigyA = 0, .sigyC = 0, .tau = 0, .p = 0});
    p.UFpbText = {"stale", "x", "9.99", "r", kRed};  // a check clears its own texts first
    PlateBuckling(p);
    ExpectNear({{"UFpb", p.UFpb, 0, 0}, {"UFpu", p.UFpu, 0, 0}, {"UFpl", p.UFpl, 0, 0},
                {"se", p.se, 625, 0}});
    for (const ResultLine* line :
         {&p.UFpbText, &p.UFpuText, &p.UFplText, &p.UFpb2Text, &p.UFpu2Text, &p.UFpl2Text}) {
        EXPECT_FALSE(line->Produced());
        EXPECT_TRUE(line->formula.empty());
    }
}

TEST(PlateBuckling, ThickPlateIsStockyOnBothFields) {
    // beta = 31.25/2*sqrt(355/206000) = 0.649: Cx = 1, and Cy = 0.208 + 0.079*(1 + 2.377)^2 =
    // 1.11, limited to 1.
    Project p = Panel({.t = 40});
    for (int field : {1, 2}) {
        SCOPED_TRACE("field " + std::to_string(field));
        const PlateField f = EvaluatePlateField(p, field);
        EXPECT_NEAR(f.beta, 0.6486, 0.00005);
        EXPECT_GE(f.phi, 0.5);
    }
    PlateBuckling(p);
    ExpectNear({{"Cx1", p.Cx1, 1, 0}, {"Cy1", p.Cy1, 1, 0}, {"Cx2", p.Cx2, 1, 0},
                {"Cy2", p.Cy2, 1, 0}});
}

TEST(PlateBuckling, EffectiveWidthOfABuckledPlate) {
    const struct {
        float sigy;
        const char* value;
        double X, Cxe, se;
    } rows[] = {
        // X = 1 - (1 - 0.25*0.3514^2)*(30/233.57)^2 = 0.984; Cxe = 0.992 + 0.023, capped at 1;
        // se = 625*sqrt(1 - (40/204.96)^2)*1*0.9475.
        {-30, "1.74", 0.98401, 1, 580.794},
        // X = 1 - 0.96914*(150/233.57)^2 = 0.6003; Cxe = 0.7748 + 0.5*0.3514*150/233.57.
        {-150, "6.14", 0.60029, 0.88761, 515.518},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.value);
        Project p = Panel({.sigyA = r.sigy, .sigyC = r.sigy, .n = 0.3f});
        PlateBuckling(p);
        EXPECT_EQ(p.UFpbText.value, r.value);
        EXPECT_EQ(p.UFpbText.status, kRed);
        ExpectNear({{"X", EvaluatePlateField(p, 1).X, r.X, 0.000005},
                    {"Cy1", p.Cy1, r.Cxe, 0.000005}, {"Cy2", p.Cy2, r.Cxe, 0.000005},
                    {"se", p.se, r.se, 0.0005}});
        EXPECT_FALSE(p.PlateErrorFlag1 || p.PlateErrorFlag2);
    }
}

TEST(PlateBuckling, ErrorFlagsAreSetPerField) {
    // With sigx = -50 and no shear, the transverse stress beats sigUy/sqrt(1 - Phi^2/4) of the
    // wider field first: 233.6 for 625 mm, 122.5 for 1000 mm.
    const struct {
        float s1, s2, sigy;
        bool flag1, flag2;
    } rows[] = {
        {625, 625, -150, false, false},
        {625, 1000, -150, false, true},
        {1000, 625, -150, true, false},
        {625, 625, -250, true, true},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << r.s1 << ' ' << r.s2 << ' ' << r.sigy);
        Project p = Panel({.s1 = r.s1, .s2 = r.s2, .sigxA = -50, .sigxB = -50, .sigyA = r.sigy,
                           .sigyC = r.sigy, .tau = 0});
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
    // Phi = 0.4, |sigy0|/sigUy = 0.5, Cy = 0.3: Cxe = sqrt(X) + 0.1.
    const struct {
        const char* name;
        int field;
        double X, value;
        bool flag;
    } rows[] = {
        {"field 1, X > 0", 1, 0.25, 0.6, false},
        {"field 2, X > 0", 2, 0.25, 0.6, false},
        {"field 1, X = 0 keeps Cy", 1, 0, 0.3, false},
        {"field 2, X = 0 works out Cxe", 2, 0, 0.1, false},
        {"field 1, X < 0", 1, -1e-12, 0.3, true},
        {"field 2, X < 0", 2, -1e-12, 0.3, true},
        {"capped at 1", 1, 0.9025, 1, false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const WidthCoefficient c = EffectiveWidthCoefficient(r.field, r.X, 0.4, 0.5, 0.3);
        EXPECT_NEAR(c.value, r.value, 1e-12);
        EXPECT_EQ(c.errorFlag, r.flag);
    }
}

TEST(PlateBuckling, FailuresNameTheirCause) {
    const std::string aboveYield =
        "square root of a negative number (lateral pressure: equivalent stress above yield)";
    const std::pair<Input, std::string> rows[] = {
        {{.t = 0}, "division by zero (plate thickness t is zero)"},
        {{.s1 = 0}, "division by zero (plate field 1: spacing s1 is zero)"},
        {{.s2 = 0}, "division by zero (plate field 2: spacing s2 is zero)"},
        {{.L1 = 0}, "division by zero (aspect ratio: span L1 is zero)"},
        {{.n = 0}, "division by zero (allowable utilisation factor n is zero)"},
        {{.E = 0}, "division by zero (Young's modulus E is zero)"},
        {{.Fyp = 0}, "division by zero (buckling: critical longitudinal stress is zero)"},
        {{.sigxA = -400, .sigxB = -400}, aboveYield},
        // sigE >= sqrt(3)*tau, so shear above tauF = 204.96 always fails here first.
        {{.tau = 205}, aboveYield},
        {{.sigxB = -400}, aboveYield},  // only field 2 above yield
        // sigE = 355 exactly leaves the plate no capacity for pressure: pu = 0.
        {{.sigxA = -355, .sigxB = -355, .sigyA = 0, .sigyC = 0, .tau = 0},
         "division by zero (lateral pressure: ultimate pressure pu is zero)"},
    };
    for (const auto& [in, cause] : rows) {
        Project p = Panel(in);
        EXPECT_EQ(CalcFailureOf([&] { PlateBuckling(p); }), cause);
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
    ExpectResultLine(p_.UFpbText, {"PL1: UFpb =", kPb1Default, "0.43", " < 1.0 (3/3.1)", kGreen});
    EXPECT_NEAR(p_.UFy, 0.45, 0.005);
    EXPECT_NEAR(p_.UFt, 0.33, 0.005);
}

TEST_F(PlateChecks, AFailureStopsTheRunAtItsCheck) {
    const struct {
        std::function<void(Project&, const Tables&)> change;
        const char *routine, *cause;
        bool bucklingDone;
    } rows[] = {
        {[](Project& q, const Tables&) { q.SigxA = q.SigxB = -400; }, "plate buckling",
         "square root of a negative number (lateral pressure: equivalent stress above yield)",
         false},
        // The last material row keeps what was typed: a tensile strength of 0 leaves the rule
        // no material yield Y.
        {[](Project& q, const Tables& t) {
             q.PlateMaterialIndex = t.MaterialLastRow();
             q.Fyp = 355;
             q.Fup = 0;
         },
         "plate scantling", "division by zero (plate scantling: material yield Y is zero)", true},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.routine);
        Fresh();
        Calculate(p_, tables_);  // results of a good run that must not survive the failing one
        r.change(p_, tables_);
        Calculate(p_, tables_);
        ASSERT_TRUE(p_.CalcFailure);
        EXPECT_EQ(p_.CalcFailure->routine, r.routine);
        EXPECT_EQ(p_.UFpbText.Produced(), r.bucklingDone);
        EXPECT_EQ(p_.se != 0, r.bucklingDone);
        EXPECT_EQ(p_.UFyText.Produced(), r.bucklingDone);  // plate yield runs between the two
        EXPECT_FALSE(p_.UFtText.Produced());
        EXPECT_EQ(p_.UFt, 0);
        ASSERT_FALSE(p_.Result.rows.empty());
        EXPECT_EQ(p_.Result.rows.back().text,
                  std::string("Calculation stopped in ") + r.routine + ": " + r.cause);
    }
}

}  // namespace
}  // namespace kelvor
