// Stiffener yield (3-2-1/3.11): governing points on the plate side and the stiffener side, their
// texts, and a failing run.
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

// Moduli chosen so that the bending stresses come out round. With p = 0.0625 MPa (exact in
// single precision), s1 = s2 = 625 and L1 = 3000:
//   p*s*L1^2 = 0.0625*625*3000^2 = 351 562 500 N*mm
//   plate side     Wp_sw = 2 929 687.5:  end /(12 Wp) = 10 MPa, mid-span /(24 Wp) = 5 MPa
//   stiffener side Ws_sw =   585 937.5:  end /(12 Ws) = 50 MPa, mid-span /(24 Ws) = 25 MPa
Project YieldProject(float sigx, float sigyA, float sigyC, float tau, float pressure) {
    Project p;
    NewProject(p);
    p.SigxA = sigx;
    p.SigxB = sigx;
    p.SigyA = sigyA;
    p.SigyC = sigyC;
    p.Tau = tau;
    p.p = pressure;
    p.Fyp = 355;
    p.Fys = 355;
    p.Wp_sw = 2929687.5;
    p.Ws_sw = 585937.5f;
    StressDistribution(p);
    return p;
}

// The line of the governing point on the plate ('p') or stiffener ('s') side.
ResultLine YieldLine(const char* point, const char* formula, const char* value,
                     int status = kGreen) {
    return {std::string("Point ") + point + ": UF = F.S.*Sigeq/Fy  = ", formula, value,
            "  < 1.0 (3-2-1/3.11)", status};
}

TEST(StiffenerYield, GoverningPointOnEachSide) {
    struct Row {
        const char* name;
        float sigx, sigyA, sigyC, tau, pressure, Ws;
        const ResultLine* line;  // the plate side's, or the stiffener side's
        ResultLine want;
    };
    // Plate side: sigeq = sqrt(sx^2 + sy^2 - sx*sy + 3 tau^2), UF = 1.43*sigeq/355:
    //  compression: 1 (-90, -30): 8100 + 900 - 2700 + 4800 = 11100 -> 105.36
    //               2 (-105, -30): 11025 + 900 - 3150 + 4800 = 13575 -> 116.51, UF 0.469
    //  tension:     1 and 3 (110, -30): 12100 + 900 + 3300 + 4800 = 21100 -> 145.26, UF 0.585
    //               2 (95, -30): 17575 -> 132.57; the tie of 1 and 3 keeps point 1
    //  end C:       1 (110, 0) 110; 2 (95, -30) 113.03; 3 (110, -60): 12100 + 3600 + 6600
    //               = 22300 -> 149.33, UF 0.602
    //  p = 0, tau = 0: all three (-100, -30): 10000 + 900 - 3000 = 7900 -> 88.88, UF 0.358;
    //               equal, so point 1
    //  p = 0, tau = 0, SigyA -40, SigyC -30: 87.18, 87.89, 88.88 -> point 3
    // Stiffener side: sigma = |SigxStiff - 50| at the end, |SigxStiff + 25| at mid-span:
    //  -100: 150 against 75 -> point 1, UF = 1.43*150/355 = 0.604
    //    40:  10 against 65 -> point 2, UF = 1.43*65/355 = 0.262
    //  12.5: 37.5 against 37.5 -> the tie keeps point 1
    //  12.5 with p = 0.03 (0.0299999993 in single), Ws 281 250: 37.4999989 against 37.4999994,
    //        both 37.5 in single precision -> still point 1
    //  p = 0: 100 at both points -> point 1
    Project p;
    const ResultLine* const plate = &p.YieldPlateText;
    const ResultLine* const stiff = &p.YieldStiffText;
    const float ws = 585937.5f;
    const Row rows[] = {
        {"plate, compression", -100, -30, -30, 40, 0.0625f, ws, plate,
         YieldLine("2p", "1.43*116.5/355.0 = ", "0.47")},
        {"plate, tension", 100, -30, -30, 40, 0.0625f, ws, plate,
         YieldLine("1p", "1.43*145.3/355.0 = ", "0.59")},
        {"plate, end C", 100, 0, -60, 0, 0.0625f, ws, plate,
         YieldLine("3p", "1.43*149.3/355.0 = ", "0.60")},
        {"plate, membrane only, tie", -100, -30, -30, 0, 0, ws, plate,
         YieldLine("1p", "1.43*88.9/355.0 = ", "0.36")},
        {"plate, membrane only, end C", -100, -40, -30, 0, 0, ws, plate,
         YieldLine("3p", "1.43*88.9/355.0 = ", "0.36")},
        {"stiffener, compression", -100, -30, -30, 40, 0.0625f, ws, stiff,
         YieldLine("1s", "1.43*150.0/355.0 = ", "0.60")},
        {"stiffener, tension", 40, -30, -30, 40, 0.0625f, ws, stiff,
         YieldLine("2s", "1.43*65.0/355.0 = ", "0.26")},
        {"stiffener, tie", 12.5f, -30, -30, 40, 0.0625f, ws, stiff,
         YieldLine("1s", "1.43*37.5/355.0 = ", "0.15")},
        {"stiffener, tie in single precision", 12.5f, -30, -30, 40, 0.03f, 281250, stiff,
         YieldLine("1s", "1.43*37.5/355.0 = ", "0.15")},
        {"stiffener, no pressure", -100, -30, -30, 40, 0, ws, stiff,
         YieldLine("1s", "1.43*100.0/355.0 = ", "0.40")},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        p = YieldProject(r.sigx, r.sigyA, r.sigyC, r.tau, r.pressure);
        p.Ws_sw = r.Ws;
        StiffenerYield(p);
        ExpectResultLine(*r.line, r.want);
    }
}

TEST(StiffenerYield, FactorAndStatusAtTheLimit) {
    // FS = 1 and sigma = 150 at the end (SigxStiff -100, bending 50): Fys 150 gives exactly 1.00,
    // which passes; Fys 149 gives 150/149 = 1.0067, which fails. The plate side follows Fyp:
    // 116.51/116 = 1.0044 fails.
    Project p = YieldProject(-100, -30, -30, 40, 0.0625f);
    p.FS = 1;
    p.Fys = 150;
    StiffenerYield(p);
    EXPECT_DOUBLE_EQ(p.UFys, 1.0);
    ExpectResultLine(p.YieldStiffText, YieldLine("1s", "1.00*150.0/150.0 = ", "1.00"));
    EXPECT_EQ(p.YieldPlateText.status, kGreen);

    p.Fys = 149;
    p.Fyp = 116;
    StiffenerYield(p);
    ExpectResultLine(p.YieldStiffText, YieldLine("1s", "1.00*150.0/149.0 = ", "1.01", kRed));
    EXPECT_NEAR(p.UFyp, 116.5118019773 / 116, 1e-9);
    ExpectResultLine(p.YieldPlateText, YieldLine("2p", "1.00*116.5/116.0 = ", "1.00", kRed));
}

TEST(StiffenerYield, FailureStopsTheRunInStiffenerYield) {
    struct Row {
        void (*spoil)(Project&);
        const char* cause;
    };
    const Row rows[] = {
        {[](Project& p) { p.Wp_sw = 0; },
         "division by zero (stiffener yield: section modulus Wp_sw is zero)"},
        {[](Project& p) { p.Ws_sw = 0; },
         "division by zero (stiffener yield: section modulus Ws_sw is zero)"},
        {[](Project& p) { p.Fyp = 0; },
         "division by zero (stiffener yield: yield stress Fyp is zero)"},
        {[](Project& p) { p.Fys = 0; },
         "division by zero (stiffener yield: yield stress Fys is zero)"},
    };
    // The driver's own step, alone: the section moduli stand as set here.
    const std::vector<CalcStep> steps = testsupport::Steps({"stiffener yield"});
    ASSERT_EQ(steps.size(), 1u);
    const Tables tables;  // no material rows: the strengths stay as typed
    for (const Row& r : rows) {
        SCOPED_TRACE(r.cause);
        Project p = YieldProject(-100, -30, -30, 40, 0.0625f);
        CalculateWith(p, tables, steps);
        ASSERT_FALSE(p.CalcFailure.has_value());
        EXPECT_EQ(p.YieldStiffText.value, "0.60");

        r.spoil(p);
        CalculateWith(p, tables, steps);
        ASSERT_TRUE(p.CalcFailure.has_value());
        EXPECT_EQ(p.CalcFailure->routine, "stiffener yield");
        EXPECT_EQ(p.CalcFailure->cause, r.cause);
        EXPECT_FALSE(p.YieldPlateText.Produced());
        EXPECT_FALSE(p.YieldStiffText.Produced());
    }
}

}  // namespace
}  // namespace kelvor
