// Overall buckling of the stiffened panel and the required stiffness of the stiffener, on a
// panel whose section properties are set by hand.
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

// The panel by hand:
//   Ipl = 500*20^3/12 + 500*20*30^2 = 9 333 333; iy = 3000*20^3/12 = 2E6
//   Dx = 206000*6E7/(0.91*625) = 2.17319E10; Dy = 206000*2E6/(0.91*3000) = 1.50916E8
//   rho = sqrt(9 333 333/6E7) = 0.394405
//   tx = (3000 + 20*625)/625 = 24.8; ty = (12000 + 20*2750)/2750 = 24.3636
//   ax = 3000/8000*(Dy/Dx)^0.25 = 0.375*0.288675 = 0.108253:
//   kx = 0.011719 + 0.788811 + 85.3333 = 86.1339; Lg/L1 >= 1: ky = 4
//   sigEx = 86.1339*pi^2*sqrt(Dx*Dy)/(8000^2*24.8) = 969.97, sigCx = 355*(1 - 0.24*355/969.97)
//   = 323.82; sigEy = 4*pi^2*1.81099E9/(3000^2*24.3636) = 326.06, sigCy = 262.24
//   UFgbu = (-100/(0.6*323.82))^2 + (-30/(0.6*262.24))^2 = 0.26490 + 0.03635 = 0.3013
TEST(OverallBuckling, HandWorkedPanel) {
    Project p = RoundPanel();
    OverallBuckling(p);
    EXPECT_NEAR(p.SigmaCx, 323.81756, 1e-5);
    EXPECT_NEAR(p.SigmaCy, 262.23654f, 1e-4f);
    ExpectResultLine(p.UFgbuText, {"UFgbu= ", "(-100.0/(0.60*323.8))^2 + (-30.0/(0.60*262.2))^2 = ",
                                   "0.30", "  < 1.0 (3/5.7)", kGreen});
}

// A field at least as long as wide takes k = 4; the shorter direction uses a^2 + 2rho + 1/a^2.
//   L1 = Lg = 3000: both 4; sigEx = 4*pi^2*1.81099E9/(3000^2*24.8) = 320.32 -> sigCx 260.58.
//   L1 3000, Lg 8000: the panel above, kx = 86.1339.
//   L1 8000, Lg 3000: iy = 5.3333E6, Dy = 1.50916E8, ay = 3000/8000*(Dx/Dy)^0.25 = 1.29904,
//   ky = 1.68750 + 0.78881 + 0.59259 = 3.06890; sigEy = 38.46 stays elastic;
//   UFgbu = (100/(0.6*260.58))^2 + (30/(0.6*38.46))^2 = 0.4093 + 1.6901 = 2.0994 (red).
TEST(OverallBuckling, BucklingCoefficients) {
    struct Row {
        const char* name;
        float L1, Lg;
        double kx, ky;
        float ufgbu;
        int status;
    };
    const Row rows[] = {
        {"L1 = Lg", 3000, 3000, 4, 4, 0.445456f, kGreen},
        {"L1 shorter than Lg", 3000, 8000, 86.133865, 4, 0.3012631f, kGreen},
        {"L1 longer than Lg", 8000, 3000, 4, 3.068903, 2.09937f, kRed},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Project p = RoundPanel();
        p.L1 = r.L1;
        p.Lg = r.Lg;
        OverallBuckling(p);
        EXPECT_NEAR(p.OverallKx, r.kx, 1e-6);
        EXPECT_NEAR(p.OverallKy, r.ky, 1e-6);
        EXPECT_NEAR(p.UFgbu, r.ufgbu, 1e-5f);
        EXPECT_EQ(p.UFgbuText.status, r.status);
    }
}

// The factor at 0, at 1.0 exactly, and one single-precision step above; stresses enter squared.
// -194.29054 is the float nearest to n*sigCx = 0.6*323.81756 = 194.290544, whose square ratio
// rounds to exactly 1 in single precision; the next float up gives 1.0000001.
TEST(OverallBuckling, StatusAtTheLimit) {
    struct Row {
        const char* name;
        float sigx, sigy;
        float ufgbu, tolerance;
        const char* formula;
        const char* value;
        int status;
    };
    const Row rows[] = {
        {"no stress", 0, 0, 0, 0, "(0.0/(0.60*323.8))^2 + (0.0/(0.60*262.2))^2 = ", "0.00", kGreen},
        {"exactly 1.0", -194.29054260253906f, 0, 1.0f, 0,
         "(-194.3/(0.60*323.8))^2 + (0.0/(0.60*262.2))^2 = ", "1.00", kGreen},
        {"just above 1.0", -194.29055786132812f, 0, 1.0000001f, 1e-7f,
         "(-194.3/(0.60*323.8))^2 + (0.0/(0.60*262.2))^2 = ", "1.00", kRed},
        {"tension as compression", 100, 30, 0.3012631f, 1e-7f,
         "(100.0/(0.60*323.8))^2 + (30.0/(0.60*262.2))^2 = ", "0.30", kGreen},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Project p = RoundPanel();
        p.SigxA = p.SigxB = r.sigx;
        p.SigyA = p.SigyC = r.sigy;
        StressDistribution(p);
        OverallBuckling(p);
        EXPECT_NEAR(p.UFgbu, r.ufgbu, r.tolerance);
        EXPECT_EQ(p.UFgbuText.formula, r.formula);
        EXPECT_EQ(p.UFgbuText.value, r.value);
        EXPECT_EQ(p.UFgbuText.status, r.status);
    }
}

// The panel by hand: delta = 3000/(625*20) = 0.24, alpha = 3000/625 = 4.8,
//   gamma0 = (2.6 + 0.96)*23.04 + 12.4*4.8 - 13.2*sqrt(4.8) = 82.0224 + 59.52 - 28.9197
//   = 112.6227; io = 625*20^3/12/0.91*112.6227 = 457 875.5*112.6227 = 5.15671E7;
//   UFs = 5.15671E7/6E7 = 0.8595.
// alpha = 1 (s = L1 = 1000) and delta = 0 (no stiffener area): gamma0 = 2.6 + 12.4 - 13.2 = 1.8,
//   io = 1000*10^3/12/0.91*1.8 = 164 835.2.
TEST(StiffenerStiffness, HandWorkedPanels) {
    Project p = RoundPanel();
    StiffenerStiffness(p);
    EXPECT_NEAR(p.io, 51567147.5, 1.0);
    EXPECT_NEAR(p.UFs, 0.859452, 1e-6);
    ExpectResultLine(p.UFsText,
                     {"UFs = io/Ie = ", "5.157E+7/6.000E+7 = ", "0.86", "  < 1.0 (3/9.1)", kGreen});

    Project q = RoundPanel();
    q.s1 = q.s2 = q.L1 = 1000;
    q.t = 10;
    q.StiffArea = 0;
    StressDistribution(q);
    StiffenerStiffness(q);
    // gamma0 held in single precision: 1.8f = 1.79999995.
    EXPECT_NEAR(q.io, 1e6 / 12 / 0.91 * 1.8f, 1e-6);
    EXPECT_NEAR(q.io, 164835.16, 0.01);
    EXPECT_EQ(q.UFsText.formula, "1.648E+5/6.000E+7 = ");
}

// A stiffener exactly as stiff as required passes; a hair less stiff does not.
TEST(StiffenerStiffness, StatusAtTheLimit) {
    Project p = RoundPanel();
    StiffenerStiffness(p);
    const double io = p.io;
    struct Row {
        const char* name;
        double Ie;
        const char* value;
        int status;
    };
    const Row rows[] = {
        {"Ie = io", io, "1.00", kGreen},
        {"Ie just below io", io * (1 - 1e-9), "1.00", kRed},
        {"Ie twice io", 2 * io, "0.50", kGreen},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        p.Ie = r.Ie;
        StiffenerStiffness(p);
        EXPECT_EQ(p.UFsText.value, r.value);
        EXPECT_EQ(p.UFsText.status, r.status);
        if (r.Ie == io) {
            EXPECT_EQ(p.UFs, 1.0);
        }
    }
}

// Each failure stops the run in its own routine; what ran before stays, nothing after.
TEST(OverallBuckling, FailuresStopTheRunWithTheirCause) {
    const std::string ie = "moment of inertia Ie of stiffener with plate is zero)";
    struct Row {
        float Ie, Lg;
        const char* routine;
        std::string cause;
    };
    const Row rows[] = {
        {0, 8000, "overall buckling", "division by zero (overall buckling: " + ie},
        {6e7, 0, "overall buckling", "division by zero (overall buckling: girder span Lg is zero)"},
        {0, 8000, "stiffener stiffness", "division by zero (stiffener stiffness: " + ie},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.cause);
        Project p = RoundPanel();
        p.Ie = r.Ie;
        p.Lg = r.Lg;
        // The stiffness step after a failing one must not run.
        CalculateWith(p, Tables(), Steps({"stiffener buckling", r.routine, "stiffener stiffness"}));
        ASSERT_TRUE(p.CalcFailure.has_value());
        EXPECT_EQ(p.CalcFailure->routine, r.routine);
        EXPECT_EQ(p.CalcFailure->cause, r.cause);
        EXPECT_TRUE(p.UFbuText.Produced());
        EXPECT_FALSE(p.UFgbuText.Produced());
        EXPECT_FALSE(p.UFsText.Produced());
    }
}

}  // namespace
}  // namespace kelvor
