// The calculation driver: derived stresses, the spacing guard, the result list by mode, and how
// a failing check ends a run.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/calcerror.h"
#include "core/calculate.h"
#include "core/project.h"
#include "core/tables.h"

namespace kelvor {
namespace {

Project DefaultProject() {
    Project p;
    NewProject(p);
    return p;
}

TEST(StressDistribution, InterpolatesAcrossThePanelWidth) {
    struct Row {
        const char* name;
        float sigxA, sigxB, s1, s2, sigyA, sigyC;
        double stiff, min1, min2, x1Low, x1High, x2Low, x2High, yLow, yHigh, yMin;
    };
    const Row rows[] = {
        {"defaults", -100, -100, 625, 625, -30, -30,  //
         -100, -100, -100, -100, -100, -100, -100, -30, -30, -30},
        {"field 2 unloaded", -100, 0, 625, 625, -30, -30,  //
         -50, -100, -50, -100, -50, -50, 0, -30, -30, -30},
        {"unequal spacings", -120, 30, 500, 1000, -10, -40,  //
         -70, -120, -70, -120, -70, -70, 30, -40, -10, -40},
        {"tension both edges", 80, 20, 600, 600, 15, 5,  //
         50, 50, 20, 50, 80, 20, 50, 5, 15, 5},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Project p = DefaultProject();
        p.SigxA = r.sigxA;
        p.SigxB = r.sigxB;
        p.s1 = r.s1;
        p.s2 = r.s2;
        p.SigyA = r.sigyA;
        p.SigyC = r.sigyC;
        StressDistribution(p);
        EXPECT_DOUBLE_EQ(p.sMean, (r.s1 + r.s2) / 2.0);
        EXPECT_DOUBLE_EQ(p.SigxStiff, r.stiff);
        EXPECT_DOUBLE_EQ(p.SigxMin1, r.min1);
        EXPECT_DOUBLE_EQ(p.SigxMin2, r.min2);
        EXPECT_DOUBLE_EQ(p.Sigx1Low, r.x1Low);
        EXPECT_DOUBLE_EQ(p.Sigx1High, r.x1High);
        EXPECT_DOUBLE_EQ(p.Sigx2Low, r.x2Low);
        EXPECT_DOUBLE_EQ(p.Sigx2High, r.x2High);
        EXPECT_DOUBLE_EQ(p.SigyLow, r.yLow);
        EXPECT_DOUBLE_EQ(p.SigyHigh, r.yHigh);
        EXPECT_DOUBLE_EQ(p.SigyMin1, r.yMin);
        EXPECT_DOUBLE_EQ(p.SigyMin2, r.yMin);
    }
}

TEST(StressDistribution, NoPanelWidthStaysFinite) {
    Project p = DefaultProject();
    p.s1 = 0;
    p.s2 = 0;
    p.SigxB = 50;
    StressDistribution(p);
    EXPECT_DOUBLE_EQ(p.SigxStiff, -100);
    EXPECT_DOUBLE_EQ(p.sMean, 0);
}

TEST(CheckSpacingAgainstSpans, OneMessagePerRuleWithTheFieldToFocus) {
    struct Row {
        const char* name;
        float s1, s2, L1, L2;
        std::vector<SpacingMessage> expected;
    };
    const Row rows[] = {
        {"defaults", 625, 625, 3000, 2500, {}},
        {"s1 equal to L1 passes", 3000, 625, 3000, 3000, {}},
        {"s1 above L2 only", 2600, 625, 3000, 2500, {{" s1 <= L2  ", "is1"}}},
        {"s1 above both spans", 3100, 625, 3000, 2500,
         {{" s1 <= L1  ", "is1"}, {" s1 <= L2  ", "is1"}}},
        {"s2 above both spans", 625, 3100, 3000, 2500,
         {{" s2 <= l1  ", "is2"}, {" s2 <= l2  ", "is2"}}},
        {"s1 wins over s2 in each rule", 3100, 3200, 3000, 2500,
         {{" s1 <= L1  ", "is1"}, {" s1 <= L2  ", "is1"}}},
        {"s2 above L2 only, just", 625, 2500.001f, 3000, 2500, {{" s2 <= l2  ", "is2"}}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Project p = DefaultProject();
        p.s1 = r.s1;
        p.s2 = r.s2;
        p.L1 = r.L1;
        p.L2 = r.L2;
        CheckSpacingAgainstSpans(p);
        ASSERT_EQ(p.SpacingMessages.size(), r.expected.size());
        for (std::size_t i = 0; i < r.expected.size(); ++i) {
            EXPECT_EQ(p.SpacingMessages[i].text, r.expected[i].text);
            EXPECT_EQ(p.SpacingMessages[i].field, r.expected[i].field);
        }
        // A second run replaces the messages rather than adding to them.
        CheckSpacingAgainstSpans(p);
        EXPECT_EQ(p.SpacingMessages.size(), r.expected.size());
    }
}

const std::string kBucklingTitle =
    "(Rule/Buckling: ABS-Buckling and Ultimate Strength Assessment for Offshore Structures)";
const std::string kScantlingTitle =
    "Rule/Scantling/Yield: ABS, Mobile Offshore Drilling Units, Part 3 Hull Construction and "
    "equipment)";

TEST(Calculate, ResultListColumnsAndBlocksByMode) {
    struct Row {
        int mode;
        bool boxVisible;
        bool buckling;
        bool scantling;
    };
    const Row rows[] = {{1, true, true, false},  {2, false, false, true}, {3, false, true, true},
                        {4, false, false, true}, {0, false, false, true}, {7, false, false, true}};
    const Tables tables;
    for (const Row& r : rows) {
        SCOPED_TRACE("mode " + std::to_string(r.mode));
        Project p = DefaultProject();
        p.AnalysisMode = r.mode;
        Calculate(p, tables);
        const ResultList& list = p.Result;
        ASSERT_EQ(list.columns.size(), 3u);
        EXPECT_EQ(list.columns[0].header, "Control");
        EXPECT_EQ(list.columns[1].header, "Interaction Ratio");
        EXPECT_EQ(list.columns[2].header, "Reference ");
        EXPECT_DOUBLE_EQ(list.columns[0].widthShare, 0.7);
        EXPECT_DOUBLE_EQ(list.columns[1].widthShare, 0.1);
        EXPECT_DOUBLE_EQ(list.columns[2].widthShare, 0.15);
        EXPECT_EQ(list.columns[1].align, ColumnAlign::Centre);
        EXPECT_EQ(list.columns[0].align, ColumnAlign::Left);
        EXPECT_EQ(list.deformationBoxVisible, r.boxVisible);
        EXPECT_EQ(p.ResultRow, static_cast<int>(list.rows.size()));
        ASSERT_FALSE(list.rows.empty());
        std::vector<std::string> titles;
        for (const auto& row : list.rows) {
            if (row.text == kBucklingTitle || row.text == kScantlingTitle) {
                titles.push_back(row.text);
            }
        }
        std::vector<std::string> expected;
        if (r.buckling) {
            expected.push_back(kBucklingTitle);
        }
        if (r.scantling) {
            expected.push_back(kScantlingTitle);
        }
        EXPECT_EQ(titles, expected);
        EXPECT_EQ(list.rows.front().text, expected.front());
    }
}

TEST(ResultList, LineRowsCarryValueStyleAndStatusColour) {
    ResultList list;
    list.Reset();
    list.AppendHeading("PLATE BUCKLING CONTROL: (Max from plate 1/2)");
    list.AppendLine({"PL1: UFpb =", "1/0.60^2*(...) = ", "1.07", " < 1.0 (3/3.1)", kRed});
    list.AppendLine({"PL1: UFpu = ", "x", "0.37", " < 1.0 (3/3.3)", kGreen});
    list.Finish();
    ASSERT_EQ(list.rows.size(), 3u);
    EXPECT_TRUE(list.rows[0].bold);
    EXPECT_EQ(list.rows[1].text, "PL1: UFpb =1/0.60^2*(...) = ");
    EXPECT_EQ(list.rows[1].value, "1.07");
    EXPECT_EQ(list.rows[1].reference, " < 1.0 (3/3.1)");
    EXPECT_FALSE(list.rows[1].bold);
    EXPECT_TRUE(list.rows[1].valueBold);
    EXPECT_EQ(list.rows[1].valueColour, RgbOf(128, 0, 0));
    EXPECT_EQ(list.rows[2].valueColour, RgbOf(0, 128, 0));
    EXPECT_EQ(StatusOf(1.0), kGreen);
    EXPECT_EQ(StatusOf(1.0000001), kRed);

    // A second fill writes over the first in place: nothing of a row it did not write is left,
    // neither its style nor a row past its end.
    list.Reset();
    list.AppendPlain("Buckling, se = 600.0 mm");
    list.AppendHeading("STIFFENER BUCKLING CONTROL:");
    list.Finish();
    ASSERT_EQ(list.rows.size(), 2u);
    EXPECT_EQ(list.rows[0].text, "Buckling, se = 600.0 mm");
    EXPECT_FALSE(list.rows[0].bold);
    EXPECT_EQ(list.rows[1].text, "STIFFENER BUCKLING CONTROL:");
    EXPECT_TRUE(list.rows[1].bold);
    EXPECT_TRUE(list.rows[1].value.empty());
    EXPECT_FALSE(list.rows[1].valueBold);
    EXPECT_EQ(list.rows[1].valueColour, 0u);
}

// Steps standing in for checks, to drive the failure handling of the run.
void WritePlate(Project& p, const Tables&) {
    p.UFpb = 0.43;
    p.UFpbText = {"PL1: UFpb =", "f", "0.43", " < 1.0 (3/3.1)", kGreen};
}
void FailHalfway(Project& p, const Tables&) {
    p.UFbu = 0.7;  // written before the failure; must not survive it
    p.UFbuText = {"UFbu= ", "g", "0.70", " < 1.0 (3/5.1)", kGreen};
    Sqrt(-1, "lateral pressure: equivalent stress above yield");
}
void WriteStiffness(Project& p, const Tables&) {
    p.UFs = 0.2;
    p.UFsText = {"UFs = io/Ie = ", "h", "0.20", " < 1.0 (3/9.1)", kGreen};
}

TEST(Calculate, AFailingStepStopsTheRunAndIsReportedInRed) {
    const CalcStep good[] = {{"plate buckling", WritePlate},
                             {"stiffener stiffness", WriteStiffness}};
    const CalcStep failing[] = {{"plate buckling", WritePlate},
                                {"stiffener buckling", FailHalfway},
                                {"stiffener stiffness", WriteStiffness}};
    const Tables tables;
    Project p = DefaultProject();
    CalculateWith(p, tables, good);
    EXPECT_FALSE(p.CalcFailure.has_value());
    EXPECT_DOUBLE_EQ(p.UFs, 0.2);

    CalculateWith(p, tables, failing);
    ASSERT_TRUE(p.CalcFailure.has_value());
    EXPECT_EQ(p.CalcFailure->routine, "stiffener buckling");
    EXPECT_EQ(p.CalcFailure->Text(),
              "Calculation stopped in stiffener buckling: square root of a negative number "
              "(lateral pressure: equivalent stress above yield)");
    // The step before the failure keeps its results; the failing step and those after it leave
    // nothing, not even what the previous run had.
    EXPECT_TRUE(p.UFpbText.Produced());
    EXPECT_DOUBLE_EQ(p.UFpb, 0.43);
    EXPECT_FALSE(p.UFbuText.Produced());
    EXPECT_DOUBLE_EQ(p.UFbu, 0);
    EXPECT_FALSE(p.UFsText.Produced());
    EXPECT_DOUBLE_EQ(p.UFs, 0);

    const ResultListRow& last = p.Result.rows.back();
    EXPECT_EQ(last.text, p.CalcFailure->Text());
    EXPECT_EQ(last.colour, kPureRed);
    EXPECT_EQ(p.ResultRow, static_cast<int>(p.Result.rows.size()));

    // The next good run clears the failure.
    CalculateWith(p, tables, good);
    EXPECT_FALSE(p.CalcFailure.has_value());
    EXPECT_NE(p.Result.rows.back().colour, kPureRed);
}

TEST(CheckedArithmetic, NamesTheCause) {
    struct Row {
        const char* name;
        double (*call)();
        const char* message;
    };
    const Row rows[] = {
        {"division", [] { return Div(1, 0, "sigma E"); }, "division by zero (sigma E)"},
        {"root", [] { return Sqrt(-1e-9, "tau"); }, "square root of a negative number (tau)"},
        {"power", [] { return Pow(-2, 0.5, "k"); }, "fractional power of a negative number (k)"},
        {"arc", [] { return Acos(1.0000001, "phi"); }, "arc cosine outside -1 to 1 (phi)"},
        {"overflow", [] { return Finite(1e308 * 10, "UFgbu"); }, "result not finite (UFgbu)"},
        {"nan in", [] { return Div(std::nan(""), 2, "se"); }, "result not finite (se)"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        try {
            r.call();
            ADD_FAILURE() << "no CalcError";
        } catch (const CalcError& e) {
            EXPECT_STREQ(e.what(), r.message);
        }
    }
    EXPECT_DOUBLE_EQ(Sqrt(0, "x"), 0);
    EXPECT_DOUBLE_EQ(Pow(-2, 2, "x"), 4);
    EXPECT_DOUBLE_EQ(Div(-0.0, 5, "x"), 0);
}

}  // namespace
}  // namespace kelvor
