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

using testsupport::ExpectResultLine;
using testsupport::RoundPanel;
using testsupport::Steps;

void Longitudinal(Project& p, float sigx) {
    p.SigxA = p.SigxB = sigx;
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
    EXPECT_EQ(p.SigF, 355);
    EXPECT_NEAR(p.SigmaE, 813.2554, 1e-3);
    EXPECT_NEAR(p.SigmaC, 317.8087, 1e-3);
    EXPECT_NEAR(p.UFbu, 0.832873, 1e-6);
    ExpectResultLine(
        p.UFbuText,
        {"UFbu= ",
         "1/0.6*(100.0/(317.8*(13000/15500)) + 0.75*46.9/(355.0*[1-100.0/(0.60*813.3)])) =",
         "0.83", "  < 1.0 (3/5.1)", kGreen});
    EXPECT_NEAR(p.SigET, 1094.5266f, 2e-3f);
    EXPECT_NEAR(p.SigmaCT, 327.3661f, 1e-3f);
    EXPECT_NEAR(p.UFbt, 0.509114, 1e-6);
    ExpectResultLine(p.UFbtText, {"UFbt= Siga/(n*SigCT) = ", "100.0/(0.6*327.4)  =", "0.51",
                                  "  < 1.0 (3/5.3)", kGreen});
    EXPECT_NEAR(p.Deformation, 0.32, 1e-4);
    ExpectResultLine(p.DeformationText, {"Deformation y = p*(s1+s2)/2*L1^4/(384*E*Iyeff) = ",
                                         "0.03*(625+625)/2*3000^4/(384*E*60.0E+6) = ", "0.3 mm ",
                                         " ==> l/9375", kBlack});

    // Doubling the compression: Siga = 200, UFbt = 200/(0.6*327.37) = 1.0182,
    // UFbu = 1.6667*[0.75032 + 35.156/(355*(1 - 200/487.95))] = 1.5302.
    Longitudinal(p, -200);
    StiffenerBuckling(p);
    EXPECT_NEAR(p.UFbu, 1.530242, 1e-6);
    EXPECT_NEAR(p.UFbt, 1.018228, 1e-6);
    EXPECT_EQ(p.UFbuText.value, "1.53");
    EXPECT_EQ(p.UFbtText.value, "1.02");
    EXPECT_EQ(p.UFbtText.formula, "200.0/(0.6*327.4)  =");
    EXPECT_EQ(p.UFbuText.status, kRed);
    EXPECT_EQ(p.UFbtText.status, kRed);
}

// Siga <= 0 leaves nothing to buckle; the sign change at 0 decides. A closed section in
// compression has no torsional check; without compression it reads as any other.
TEST(StiffenerBuckling, NoCompressionAndClosedSections) {
    const std::string none = "Siga postive or 0 ==> No buckling control";
    const ResultLine noBt{"", none, "", "", kBlack};
    const ResultLine closed{"UFbt= ", "Closed section ==> No torsional buckling control", "", "",
                            kBlack};
    const ResultLine bt100{"UFbt= Siga/(n*SigCT) = ", "100.0/(0.6*327.4)  =", "0.51",
                           "  < 1.0 (3/5.3)", kGreen};
    struct Row {
        const char* name;
        float sigx;
        int family;
        bool buChecked;
        ResultLine bt;
    };
    const Row rows[] = {
        {"no longitudinal stress", 0, 0, false, noBt},
        {"tension", 50, 0, false, noBt},
        {"least compression", -0.001f, 0, true,
         {"UFbt= Siga/(n*SigCT) = ", "0.0/(0.6*327.4)  =", "0.00", "  < 1.0 (3/5.3)", kGreen}},
        {"RHS in compression", -100, 7, true, closed},
        {"trapezoid in compression", -100, 8, true, closed},
        {"RHS without compression", 0, 7, false, noBt},
        {"I section is open", -100, 9, true, bt100},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Project p = RoundPanel();
        p.StiffProfileType = r.family;
        if (r.family == 7 || r.family == 8) {
            // What an earlier open profile may have left; a closed section must not read it.
            p.StiffIo = p.StiffK = p.StiffGamma = 0;
        }
        Longitudinal(p, r.sigx);
        StiffenerBuckling(p);
        if (r.buChecked) {
            EXPECT_GT(p.UFbu, 0);
            EXPECT_EQ(p.UFbuText.label, "UFbu= ");
            EXPECT_EQ(p.UFbuText.reference, "  < 1.0 (3/5.1)");
            EXPECT_EQ(p.UFbuText.status, kGreen);
        } else {
            EXPECT_EQ(p.UFbu, -99);
            ExpectResultLine(p.UFbuText, {"UFbu= ", none, "", "", kBlack});
        }
        ExpectResultLine(p.UFbtText, r.bt);
        if (r.bt.value.empty()) {
            EXPECT_EQ(p.UFbt, -99);
        } else {
            EXPECT_GT(p.UFbt, 0);
        }
        // The deflection does not depend on the axial stress.
        EXPECT_EQ(p.DeformationText.value, "0.3 mm ");
    }
}

// Without pressure the bending term is 0 and no deflection line is written:
// UFbu = 1.6667*(100/317.81)/(13000/15500) = 0.6253. A negative pressure bends as a positive.
TEST(StiffenerBuckling, LateralPressure) {
    const char* const bent = "0.03*(625+625)/2*3000^4/(384*E*60.0E+6) = ";
    const struct {
        float p;
        double ufbu;
        const char *fbTerm, *deflection;
    } rows[] = {
        {0, 0.625275, "0.75*0.0/(355.0*", ""},
        {0.03f, 0.832873, "0.75*46.9/(355.0*", bent},
        {-0.03f, 0.832873, "0.75*46.9/(355.0*", bent},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.p);
        Project p = RoundPanel();
        p.p = r.p;
        StiffenerBuckling(p);
        EXPECT_NEAR(p.UFbu, r.ufbu, 1e-6);
        EXPECT_NE(p.UFbuText.formula.find(r.fbTerm), std::string::npos) << p.UFbuText.formula;
        EXPECT_EQ(p.DeformationText.Produced(), r.p != 0);
        EXPECT_EQ(p.DeformationText.formula, r.deflection);
        EXPECT_EQ(p.Deformation != 0, r.p != 0);
    }
}

// sigC against the proportional limit 0.6*SigF = 213 (SigF = 355) with L1 = 2000:
//   rGyr 20: sigE = pi^2*206000*400/4E6 = 203.31, elastic;
//   rGyr 20.4708700991...: sigE = 213 to the last bit; the limit itself stays elastic (the
//   correction is continuous there, 355*(1 - 0.24*355/213) = 213 as well);
//   rGyr 60, L1 3000: 813.26 above the limit, corrected to 317.81.
TEST(StiffenerBuckling, CriticalStressAtTheProportionalLimit) {
    const struct {
        float L1;
        double rGyr, sigE, sigC;
    } rows[] = {
        {2000, 20, 203.313862, 203.313862},
        {2000, 20.470870099133354, 213, 213},
        {3000, 60, 813.255448, 317.808734},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.rGyr);
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

// The torsional minimum is searched over 1..12 half-waves only (the panel's own minimum, at
// n = 3, is in HandWorkedPanel). With s = 500, L1 = 8000 (alpha = 16), Gamma = 1E9, K = 3E4 and
// Io = 5E7 sigET still falls at n = 12:
//   n = 12: sigP = 186183*(20/500)^2*(12/16 + 16/12)^2 = 1292.9,
//           N = 3E4/2.6 + (12pi/8000)^2*1E9 + (1098667/206000)*(8000/(12pi))^2 = 273 914,
//           sigET = 206000*273914/(5E7 + 1098667/1292.9*45032) = 639.28
//   n = 13 would give 594.8.
TEST(StiffenerBuckling, HalfWavesStopAtTwelve) {
    Project p = RoundPanel();
    p.s1 = p.s2 = 500;
    p.L1 = 8000;
    p.rGyr = 150;  // keeps Siga below n*sigE on the long span
    p.StiffGamma = 1e9;
    p.StiffIo = 5e7;
    p.StiffK = 3e4f;
    StressDistribution(p);
    StiffenerBuckling(p);
    EXPECT_NEAR(p.SigET, 639.2821f, 2e-3f);
    EXPECT_NEAR(p.SigmaCT, 307.6876f, 2e-3f);
}

// The beam-column check works with the area-weighted yield stress and shows Fys in its bending
// term, the value's; the torsional check and what the run leaves in SigF take the weaker one.
//   Fyp 235, Fys 355: SigF = (235*20*500 + 355*3000)/13000 = 262.69,
//     sigC = 262.69*(1 - 0.24*262.69/813.26) = 242.33; UFbu = 1.0276
//   Fyp 355, Fys 235: SigF = (355*20*500 + 235*3000)/13000 = 327.31, sigC = 295.69, and the
//     bending term over 235: UFbu = 0.9856
//   either way sigCT = 235*(1 - 0.24*235/1094.53) = 222.89, UFbt = 100/(0.6*222.89) = 0.748
TEST(StiffenerBuckling, YieldStressOfEachCheck) {
    const struct {
        float Fyp, Fys;
        double sigC, ufbu;
        const char* formula;
    } rows[] = {
        {235, 355, 242.327563, 1.027636,
         "1/0.6*(100.0/(242.3*(13000/15500)) + 0.75*46.9/(355.0*[1-100.0/(0.60*813.3)])) ="},
        {355, 235, 295.692438, 0.985647,
         "1/0.6*(100.0/(295.7*(13000/15500)) + 0.75*46.9/(235.0*[1-100.0/(0.60*813.3)])) ="},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Fyp);
        Project p = RoundPanel();
        p.Fyp = r.Fyp;
        p.Fys = r.Fys;
        StiffenerBuckling(p);
        EXPECT_NEAR(p.SigmaC, r.sigC, 1e-6);
        EXPECT_NEAR(p.UFbu, r.ufbu, 1e-6);
        EXPECT_EQ(p.UFbuText.formula, r.formula);
        EXPECT_EQ(p.SigF, 235);
        EXPECT_EQ(p.UFbtText.formula, "100.0/(0.6*222.9)  =");
    }
}

// Steps of the real sequence by name, run inside the driver's frame. No profile step runs, so
// the hand section properties stand.
TEST(StiffenerBuckling, FailuresStopTheRunWithTheirCause) {
    const std::string euler =
        "axial stress at or above the allowable Euler stress (beam-column buckling: Siga >= "
        "n*SigE, the stiffener buckles as a column)";
    const std::string deflection =
        "division by zero (deflection: moment of inertia I_sw of the stiffener is zero)";
    struct Row {
        void (*set)(Project&);
        std::string cause;
    };
    const Row rows[] = {
        {[](Project& p) { p.L1 = 0; }, "division by zero (beam-column buckling: span L1 is zero)"},
        {[](Project& p) { p.rGyr = 0; },
         "division by zero (beam-column buckling: radius of gyration rGyr is zero)"},
        {[](Project& p) { p.Ws_be = 0; },
         "division by zero (bending stress: section modulus Ws_be is zero)"},
        // n = 1 and sigE = 213 (the limit row above) with Siga = 213: 1 - Siga/(n*sigE) = 0.
        {[](Project& p) {
             p.UFallow = 1;
             p.L1 = 2000;
             p.rGyr = 20.470870099133354;
             p.SigxA = p.SigxB = -213;
         },
         euler},
        // Beyond the Euler load the amplification would turn negative and show a green factor.
        {[](Project& p) { p.L1 = 8000; }, euler},
        {[](Project& p) { p.I_sw = 0; }, deflection},
        {[](Project& p) { p.I_sw = p.SigxA = p.SigxB = 0; }, deflection},  // without compression
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.cause);
        Project p = RoundPanel();
        r.set(p);
        CalculateWith(p, Tables(), Steps({"stiffener buckling", "overall buckling"}));
        ASSERT_TRUE(p.CalcFailure.has_value());
        EXPECT_EQ(p.CalcFailure->routine, "stiffener buckling");
        EXPECT_EQ(p.CalcFailure->Text(), "Calculation stopped in stiffener buckling: " + r.cause);
        EXPECT_FALSE(p.UFbuText.Produced());
        EXPECT_FALSE(p.UFgbuText.Produced());
    }
}

}  // namespace
}  // namespace kelvor
