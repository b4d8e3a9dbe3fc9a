// Plate yield at the panel corners A to D (3-2-1/3.11): the governing point, the texts, and the
// limit UFy = 1 itself passing.
#include <gtest/gtest.h>

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

TEST(PlateYield, DefaultPanelByHand) {
    // Sigeq = sqrt(100^2 + 30^2 - 3000 + 3*40^2) = 112.69 at every corner.
    Project p = Panel();
    PlateYield(p);
    EXPECT_NEAR(p.UFy, 1.43 * 112.6943 / 355, 0.00001);
    EXPECT_EQ(p.UFyHeading, "  Control in points A-D,  Factor of Safety F.S. = 1.43");
    EXPECT_EQ(p.UFyText.label, "Point: A:  UF = F.S.*Sigeq/Fy = ");
    EXPECT_EQ(p.UFyText.formula, "1.43*112.7/355.0 = ");
    EXPECT_EQ(p.UFyText.value, "0.45");
    EXPECT_EQ(p.UFyText.reference, "  < 1.0 (3-2-1/3.11)");
    EXPECT_EQ(p.UFyText.status, kGreen);
}

TEST(PlateYield, GoverningPointTakesOverOnlyWhenGreater) {
    struct Row {
        const char* name;
        float sigxA, sigxB, sigyA, sigyC;
        const char* label;
        const char* formula;
    };
    // No shear, so each corner's Sigeq is sqrt(sx^2 + sy^2 - sx*sy).
    const Row rows[] = {
        {"uniform: all equal, A stays", -100, -100, -30, -30, "Point: A:  UF = F.S.*Sigeq/Fy = ",
         "1.43*88.9/355.0 = "},
        // A = 0, B = C = D = 100.
        {"B, then C and D only equal it", 0, 100, 0, 100, "Point: B:  UF = F.S.*Sigeq/Fy = ",
         "1.43*100.0/355.0 = "},
        // A = B = 50, C = D = sqrt(2500 + 40000 - 10000) = 180.3.
        {"C, D equal to it", -50, -50, 0, -200, "Point: C:  UF = F.S.*Sigeq/Fy = ",
         "1.43*180.3/355.0 = "},
        // D = sqrt(3)*100 under compression one way and tension the other.
        {"D", 0, -100, 0, 100, "Point: D:  UF = F.S.*Sigeq/Fy = ", "1.43*173.2/355.0 = "},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Project p = Panel();
        p.SigxA = r.sigxA;
        p.SigxB = r.sigxB;
        p.SigyA = r.sigyA;
        p.SigyC = r.sigyC;
        p.Tau = 0;
        PlateYield(p);
        EXPECT_EQ(p.UFyText.label, r.label);
        EXPECT_EQ(p.UFyText.formula, r.formula);
    }
}

TEST(PlateYield, StatusAtTheLimitAndNoRowWithoutStress) {
    struct Row {
        const char* name;
        float FS, Fyp, sigx, tau;
        const char* heading;
        const char* formula;
        const char* value;
        int status;
    };
    const Row rows[] = {
        {"exactly 1 passes", 1, 100, -100, 0,
         "  Control in points A-D,  Factor of Safety F.S. = 1.00", "1.00*100.0/100.0 = ", "1.00",
         kGreen},
        {"just above 1 fails", 1, 99.9f, -100, 0,
         "  Control in points A-D,  Factor of Safety F.S. = 1.00", "1.00*100.0/99.9 = ", "1.00",
         kRed},
        {"Cond. B safety", 1.11f, 355, -100, 40,
         "  Control in points A-D,  Factor of Safety F.S. = 1.11", "1.11*121.7/355.0 = ", "0.38",
         kGreen},
        {"no stress: heading only", 1.43f, 355, 0, 0,
         "  Control in points A-D,  Factor of Safety F.S. = 1.43", "", "", kBlack},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Project p = Panel();
        p.FS = r.FS;
        p.Fyp = r.Fyp;
        p.SigxA = p.SigxB = r.sigx;
        p.SigyA = p.SigyC = 0;
        p.Tau = r.tau;
        p.UFyText = {"stale", "x", "9.99", "r", kRed};
        PlateYield(p);
        EXPECT_EQ(p.UFyHeading, r.heading);
        EXPECT_EQ(p.UFyText.formula, r.formula);
        EXPECT_EQ(p.UFyText.value, r.value);
        EXPECT_EQ(p.UFyText.status, r.status);
        EXPECT_EQ(p.UFyText.Produced(), r.formula[0] != '\0');
    }
}

TEST(PlateYield, NoYieldStressFails) {
    Project p = Panel();
    p.Fyp = 0;
    try {
        PlateYield(p);
        ADD_FAILURE() << "no failure";
    } catch (const CalcError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "division by zero (plate yield: yield stress Fyp is zero)");
    }
}

}  // namespace
}  // namespace kelvor
