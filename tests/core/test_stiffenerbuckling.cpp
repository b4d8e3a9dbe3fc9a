// Beam-column and torsional buckling of the stiffener and its deflection, on a panel whose
// section properties are set by hand so that the numbers can be followed without the profiles.
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

using testsupport::RoundPanel;

void Longitudinal(Project& p, float sigx) {
    p.SigxA = sigx;
    p.SigxB = sigx;
    StressDistribution(p);
}

// The panel by hand:
//   A = 3000 + 625*20 = 15500; Siga = (100*312.5*20*2 + 100*3000)/15500 = 100.0
//   sigE = pi^2*206000*60^2/3000^2 = 813.26; SigF = (355*20*500 + 355*3000)/13000 = 355
//   sigE > 0.6*355 = 213: sigC = 355*(1 - 0.24*355/813.26) = 317.81
//   M = 0.03*625*3000^2/12 = 1.406E7; fb = M/300000 = 46.875
//   UFbu = 1/0.6*[(100/317.81)/(13000/15500) + 0.75*46.875/(355*(1 - 100/(0.6*813.26)))]
//        = 1.6667*[0.37516 + 35.156/282.25] = 0.8329
//   alpha = 4.8, Co = 206000*20^3/(3*625) = 878933; n = 3 gives the least of 1..12 (3451,
//   1215, 1094.5, 1529, 2389, ...): sigP = pi^2*206000/10.92*(20/625)^2*(3/4.8 + 4.8/3)^2
//   = 943.85, N = 1.2E5/2.6 + (3pi/3000)^2*4E10 + 878933/206000*(3000/(3pi))^2 = 873242,
//   SigET = 206000*873242/(7E7 + 878933/943.85*101321) = 1094.53
//   sigCT = 355*(1 - 0.24*355/1094.53) = 327.37; UFbt = 100/(0.6*327.37) = 0.509
//   y = 0.03*625*3000^4/(384*206000*6E7) = 0.3200 mm; 3000/0.32 = 9375
TEST(StiffenerBuckling, HandWorkedPanel) {
    Project p = RoundPanel();
    StiffenerBuckling(p);

    EXPECT_DOUBLE_EQ(p.Siga, 100.0);
    EXPECT_NEAR(p.SigmaE, 813.2554, 1e-3);
    EXPECT_NEAR(p.SigmaC, 317.8087, 1e-3);
    EXPECT_NEAR(p.UFbu, 0.832873, 1e-6);
    EXPECT_EQ(p.UFbuText.label, "UFbu= ");
    EXPECT_EQ(p.UFbuText.formula,
              "1/0.6*(100.0/(317.8*(13000/15500)) + 0.75*46.9/(355.0*[1-100.0/(0.60*813.3)])) =");
    EXPECT_EQ(p.UFbuText.value, "0.83");
    EXPECT_EQ(p.UFbuText.reference, "  < 1.0 (3/5.1)");
    EXPECT_EQ(p.UFbuText.status, kGreen);

    EXPECT_NEAR(p.SigET, 1094.5266f, 2e-3f);
    EXPECT_NEAR(p.SigmaCT, 327.3661f, 1e-3f);
    EXPECT_NEAR(p.UFbt, 0.509114, 1e-6);
    EXPECT_EQ(p.UFbtText.label, "UFbt= Siga/(n*SigCT) = ");
    EXPECT_EQ(p.UFbtText.formula, "100.0/(0.6*327.4)  =");
    EXPECT_EQ(p.UFbtText.value, "0.51");
    EXPECT_EQ(p.UFbtText.reference, "  < 1.0 (3/5.3)");
    EXPECT_EQ(p.UFbtText.status, kGreen);

    EXPECT_NEAR(p.Deformation, 0.32, 1e-4);
    EXPECT_EQ(p.DeformationText.label, "Deformation y = p*(s1+s2)/2*L1^4/(384*E*Iyeff) = ");
    EXPECT_EQ(p.DeformationText.formula, "0.03*(625+625)/2*3000^4/(384*E*60.0E+6) = ");
    EXPECT_EQ(p.DeformationText.value, "0.3 mm ");
    EXPECT_EQ(p.DeformationText.reference, " ==> l/9375");
    EXPECT_EQ(p.DeformationText.status, kBlack);
}

// Both factors against 1.0. Doubling the compression: Siga = 200,
// UFbu = 1.6667*[0.75032 + 35.156/(355*(1 - 200/487.95))] = 1.5302,
// UFbt = 200/(0.6*327.37) = 1.0182.
TEST(StiffenerBuckling, FactorsAboveOneAreRed) {
    Project p = RoundPanel();
    Longitudinal(p, -200);
    StiffenerBuckling(p);
    EXPECT_NEAR(p.UFbu, 1.530242, 1e-6);
    EXPECT_EQ(p.UFbuText.value, "1.53");
    EXPECT_EQ(p.UFbuText.status, kRed);
    EXPECT_NEAR(p.UFbt, 1.018228, 1e-6);
    EXPECT_EQ(p.UFbtText.formula, "200.0/(0.6*327.4)  =");
    EXPECT_EQ(p.UFbtText.value, "1.02");
    EXPECT_EQ(p.UFbtText.status, kRed);
}

// Siga <= 0 leaves nothing to buckle; the sign change at 0 decides. A closed section in
// compression has no torsional check; without compression it reads as any other.
TEST(StiffenerBuckling, NoCompressionAndClosedSections) {
    const std::string none = "Siga postive or 0 ==> No buckling control";
    const std::string closed = "Closed section ==> No torsional buckling control";
    struct Row {
        const char* name;
        float sigx;
        int family;
        bool buChecked;
        std::string btLabel, btFormula;
    };
    const Row rows[] = {
        {"no longitudinal stress", 0, 0, false, "", none},
        {"tension", 50, 0, false, "", none},
        {"least compression", -0.001f, 0, true, "UFbt= Siga/(n*SigCT) = ", "0.0/(0.6*327.4)  ="},
        {"RHS in compression", -100, 7, true, "UFbt= ", closed},
        {"trapezoid in compression", -100, 8, true, "UFbt= ", closed},
        {"RHS without compression", 0, 7, false, "", none},
        {"I section is open", -100, 9, true, "UFbt= Siga/(n*SigCT) = ", "100.0/(0.6*327.4)  ="},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Project p = RoundPanel();
        p.StiffProfileType = r.family;
        if (r.family == 7 || r.family == 8) {
            // What an earlier open profile may have left; a closed section must not read it.
            p.StiffIo = 0;
            p.StiffK = 0;
            p.StiffGamma = 0;
        }
        Longitudinal(p, r.sigx);
        StiffenerBuckling(p);

        EXPECT_EQ(p.UFbuText.label, "UFbu= ");
        if (r.buChecked) {
            EXPECT_GT(p.UFbu, 0);
            EXPECT_EQ(p.UFbuText.reference, "  < 1.0 (3/5.1)");
            EXPECT_EQ(p.UFbuText.status, kGreen);
        } else {
            EXPECT_EQ(p.UFbu, -99);
            EXPECT_EQ(p.UFbuText.formula, none);
            EXPECT_EQ(p.UFbuText.value, "");
            EXPECT_EQ(p.UFbuText.reference, "");
            EXPECT_EQ(p.UFbuText.status, kBlack);
        }
        EXPECT_EQ(p.UFbtText.label, r.btLabel);
        EXPECT_EQ(p.UFbtText.formula, r.btFormula);
        const bool btChecked = r.btFormula != none && r.btFormula != closed;
        if (btChecked) {
            EXPECT_GT(p.UFbt, 0);
            EXPECT_EQ(p.UFbtText.reference, "  < 1.0 (3/5.3)");
        } else {
            EXPECT_EQ(p.UFbt, -99);
            EXPECT_EQ(p.UFbtText.value, "");
            EXPECT_EQ(p.UFbtText.reference, "");
            EXPECT_EQ(p.UFbtText.status, kBlack);
        }
        // The deflection does not depend on the axial stress.
        EXPECT_EQ(p.DeformationText.value, "0.3 mm ");
    }
}

// Without pressure the bending term is 0 and no deflection line is written:
// UFbu = 1.6667*(100/317.81)/(13000/15500) = 0.6253. A negative pressure bends as a positive.
TEST(StiffenerBuckling, LateralPressure) {
    struct Row {
        const char* name;
        float p;
        double ufbu;
        const char* fbTerm;
        bool deflection;
    };
    const Row rows[] = {
        {"no pressure", 0, 0.625275, "0.75*0.0/(355.0*", false},
        {"pressure on the plate side", 0.03f, 0.832873, "0.75*46.9/(355.0*", true},
        {"pressure on the stiffener side", -0.03f, 0.832873, "0.75*46.9/(355.0*", true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Project p = RoundPanel();
        p.p = r.p;
        StiffenerBuckling(p);
        EXPECT_NEAR(p.UFbu, r.ufbu, 1e-6);
        EXPECT_NE(p.UFbuText.formula.find(r.fbTerm), std::string::npos) << p.UFbuText.formula;
        EXPECT_EQ(p.DeformationText.Produced(), r.deflection);
        if (r.deflection) {
            EXPECT_EQ(p.DeformationText.formula, "0.03*(625+625)/2*3000^4/(384*E*60.0E+6) = ");
        } else {
            EXPECT_EQ(p.Deformation, 0);
            EXPECT_EQ(p.DeformationText.formula, "");
        }
    }
}

// sigC against the proportional limit 0.6*SigF = 213 (SigF = 355) with L1 = 2000:
//   rGyr 20: sigE = pi^2*206000*400/4E6 = 203.31, elastic;
//   rGyr 20.4708700991...: sigE = 213 to the last bit; the limit itself stays elastic (the
//   correction is continuous there, 355*(1 - 0.24*355/213) = 213 as well);
//   rGyr 60, L1 3000: 813.26 above the limit, corrected to 317.81.
TEST(StiffenerBuckling, CriticalStressAtTheProportionalLimit) {
    struct Row {
        const char* name;
        float L1;
        double rGyr;
        double sigE, sigC;
    };
    const Row rows[] = {
        {"below the limit", 2000, 20, 203.313862, 203.313862},
        {"at the limit", 2000, 20.470870099133354, 213, 213},
        {"above the limit", 3000, 60, 813.255448, 317.808734},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Project p = RoundPanel();
        p.L1 = r.L1;
        p.rGyr = r.rGyr;
        StiffenerBuckling(p);
        EXPECT_NEAR(p.SigmaE, r.sigE, 1e-6);
        EXPECT_NEAR(p.SigmaC, r.sigC, 1e-6);
        if (r.sigE == 213) {
            ASSERT_EQ(p.SigmaE, 0.6 * 355) << "the row no longer meets the limit exactly";
            EXPECT_EQ(p.SigmaC, p.SigmaE);
        }
    }
}

// The torsional minimum is searched over 1..12 half-waves only. With s = 500, L1 = 8000
// (alpha = 16), Gamma = 1E9, K = 3E4 and Io = 5E7 sigET still falls at n = 12:
//   n = 12: sigP = 186183*(20/500)^2*(12/16 + 16/12)^2 = 1292.9,
//           N = 3E4/2.6 + (12pi/8000)^2*1E9 + (1098667/206000)*(8000/(12pi))^2 = 273 914,
//           sigET = 206000*273914/(5E7 + 1098667/1292.9*45032) = 639.28
//   n = 13 would give 594.8. The panel's own minimum lies at n = 3 (1094.53).
TEST(StiffenerBuckling, HalfWavesStopAtTwelve) {
    struct Row {
        const char* name;
        float s, L1;
        double gamma, io;
        float K;
        float sigET, sigCT;
    };
    const Row rows[] = {
        {"minimum inside the range", 625, 3000, 4e10, 7e7, 1.2e5f, 1094.5266f, 327.3661f},
        {"still falling at 12", 500, 8000, 1e9, 5e7, 3e4f, 639.2821f, 307.6876f},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Project p = RoundPanel();
        p.s1 = r.s;
        p.s2 = r.s;
        p.L1 = r.L1;
        p.rGyr = 150;  // keeps Siga below n*sigE on the long span
        p.StiffGamma = r.gamma;
        p.StiffIo = r.io;
        p.StiffK = r.K;
        StressDistribution(p);
        StiffenerBuckling(p);
        EXPECT_NEAR(p.SigET, r.sigET, 2e-3f);
        EXPECT_NEAR(p.SigmaCT, r.sigCT, 2e-3f);
    }
}

// The beam-column check works with the area-weighted yield stress and shows Fys in its bending
// term, the value's; the torsional check and what the run leaves in SigF take the weaker one.
//   Fyp 235, Fys 355: SigF = (235*20*500 + 355*3000)/13000 = 262.69,
//     sigC = 262.69*(1 - 0.24*262.69/813.26) = 242.33; UFbu = 1.0276
//   Fyp 355, Fys 235: SigF = (355*20*500 + 235*3000)/13000 = 327.31, sigC = 295.69, and the
//     bending term over 235: UFbu = 0.9856
//   either way sigCT = 235*(1 - 0.24*235/1094.53) = 222.89, UFbt = 100/(0.6*222.89) = 0.748
TEST(StiffenerBuckling, YieldStressOfEachCheck) {
    struct Row {
        const char* name;
        float Fyp, Fys;
        double sigC, ufbu;
        const char* formula;
        double sigF;
        const char* btFormula;
    };
    const Row rows[] = {
        {"weaker plate", 235, 355, 242.327563, 1.027636,
         "1/0.6*(100.0/(242.3*(13000/15500)) + 0.75*46.9/(355.0*[1-100.0/(0.60*813.3)])) =", 235,
         "100.0/(0.6*222.9)  ="},
        {"weaker stiffener", 355, 235, 295.692438, 0.985647,
         "1/0.6*(100.0/(295.7*(13000/15500)) + 0.75*46.9/(235.0*[1-100.0/(0.60*813.3)])) =", 235,
         "100.0/(0.6*222.9)  ="},
        {"same material", 355, 355, 317.808734, 0.832873,
         "1/0.6*(100.0/(317.8*(13000/15500)) + 0.75*46.9/(355.0*[1-100.0/(0.60*813.3)])) =", 355,
         "100.0/(0.6*327.4)  ="},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Project p = RoundPanel();
        p.Fyp = r.Fyp;
        p.Fys = r.Fys;
        StiffenerBuckling(p);
        EXPECT_NEAR(p.SigmaC, r.sigC, 1e-6);
        EXPECT_NEAR(p.UFbu, r.ufbu, 1e-6);
        EXPECT_EQ(p.UFbuText.formula, r.formula);
        EXPECT_EQ(p.SigF, r.sigF);
        EXPECT_EQ(p.UFbtText.formula, r.btFormula);
    }
}

// Steps of the real sequence by name, run inside the driver's frame. No profile step runs, so
// the hand section properties stand.
using testsupport::Steps;

TEST(StiffenerBuckling, FailuresStopTheRunWithTheirCause) {
    struct Row {
        const char* name;
        void (*set)(Project&);
        std::string cause;
    };
    const Row rows[] = {
        {"zero span", [](Project& p) { p.L1 = 0; },
         "division by zero (beam-column buckling: span L1 is zero)"},
        {"zero radius of gyration", [](Project& p) { p.rGyr = 0; },
         "division by zero (beam-column buckling: radius of gyration rGyr is zero)"},
        {"zero section modulus", [](Project& p) { p.Ws_be = 0; },
         "division by zero (bending stress: section modulus Ws_be is zero)"},
        // n = 1 and sigE = 213 (the limit row above) with Siga = 213: 1 - Siga/(n*sigE) = 0.
        {"axial stress at the Euler load",
         [](Project& p) {
             p.UFallow = 1;
             p.L1 = 2000;
             p.rGyr = 20.470870099133354;
             p.SigxA = -213;
             p.SigxB = -213;
         },
         "axial stress at or above the allowable Euler stress (beam-column buckling: Siga >= "
         "n*SigE, the stiffener buckles as a column)"},
        // Beyond the Euler load the amplification would turn negative and show a green factor.
        {"axial stress beyond the Euler load",
         [](Project& p) {
             p.UFallow = 0.6f;
             p.L1 = 8000;
             p.rGyr = 60;
         },
         "axial stress at or above the allowable Euler stress (beam-column buckling: Siga >= "
         "n*SigE, the stiffener buckles as a column)"},
        {"zero deflection inertia", [](Project& p) { p.I_sw = 0; },
         "division by zero (deflection: moment of inertia I_sw of the stiffener is zero)"},
        {"zero deflection inertia without compression",
         [](Project& p) {
             p.I_sw = 0;
             p.SigxA = 0;
             p.SigxB = 0;
         },
         "division by zero (deflection: moment of inertia I_sw of the stiffener is zero)"},
    };
    const Tables tables;
    const std::vector<CalcStep> steps = Steps({"stiffener buckling", "overall buckling"});
    ASSERT_EQ(steps.size(), 2u);
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Project p = RoundPanel();
        r.set(p);
        CalculateWith(p, tables, steps);
        ASSERT_TRUE(p.CalcFailure.has_value());
        EXPECT_EQ(p.CalcFailure->routine, "stiffener buckling");
        EXPECT_EQ(p.CalcFailure->cause, r.cause);
        EXPECT_EQ(p.CalcFailure->Text(), "Calculation stopped in stiffener buckling: " + r.cause);
        EXPECT_FALSE(p.UFbuText.Produced());
        EXPECT_FALSE(p.UFgbuText.Produced());
    }
}

}  // namespace
}  // namespace kelvor
