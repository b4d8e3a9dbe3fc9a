// The two blocks of the result list: which rows, in which order, under which conditions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/calculate.h"
#include "core/project.h"
#include "report/resultblocks.h"

namespace kelvor {
namespace {

ResultLine L(const char* label, const char* value = "0.50", int status = kGreen) {
    return {label, "f", value, " < 1.0", status};
}

// A project whose every result line is produced, as after a complete run.
Project Produced() {
    Project p;
    NewProject(p);
    p.se = 612.34;
    p.be = 552.0f;
    p.sw = 625;
    p.GirderEffBreadth = 2640;
    p.UFpbText = L("PL1: UFpb =");
    p.UFpuText = L("PL1: UFpu = ");
    p.UFplText = L("PL1/PL2: UFpl = p/(n*pu) = ");
    p.UFbuText = L("UFbu= ");
    p.UFbtText = L("UFbt= Siga/(n*SigCT) = ");
    p.UFsText = L("UFs = io/Ie = ");
    p.UFgbuText = L("UFgbu= ");
    p.DeformationText = L("Deformation y = p*(s1+s2)/2*L1^4/(384*E*Iyeff) = ");
    p.UFtText = L("Plate 1: UF = tmin/t = ");
    p.StiffSmText = L("UF = SM/Weffmin  = ");
    p.GirderSmText = L("UF = SM/Weffmin  = ");
    p.GirderDepthText = L("Min depth of girder = ", "OK");
    p.GirderWebText = L("Min thickness of web = ", "OK");
    p.TrippingText = L("Max distance between tripping brackets = ", "NOK", kRed);
    p.UFyText = L("UF = F.S.*Sigeq/Fy = ");
    p.YieldPlateText = L("p: UF = F.S.*Sigeq/Fy  = ");
    p.YieldStiffText = L("s: UF = F.S.*Sigeq/Fy  = ");
    return p;
}

std::vector<std::string> Texts(const Project& p) {
    std::vector<std::string> texts;
    for (const auto& row : p.Result.rows) {
        texts.push_back(row.text);
    }
    return texts;
}

const char* kBucklingTitle =
    "(Rule/Buckling: ABS-Buckling and Ultimate Strength Assessment for Offshore Structures)";
const char* kScantlingTitle =
    "Rule/Scantling/Yield: ABS, Mobile Offshore Drilling Units, Part 3 Hull Construction and "
    "equipment)";

TEST(ResultBlocks, BucklingBlockRowByRow) {
    Project p = Produced();
    p.AnalysisMode = 1;
    FillResultList(p);
    const std::vector<std::string> expected = {
        kBucklingTitle,
        "PLATE BUCKLING CONTROL: (Max from plate 1/2)",
        "PL1: UFpb =f",
        "PL1: UFpu = f",
        "PL1/PL2: UFpl = p/(n*pu) = f",
        "STIFFENER BUCKLING CONTROL:",
        "Buckling, se = 612.3 mm   Bending, sw = 552.0 mm",
        "UFbu= f",
        "UFbt= Siga/(n*SigCT) = f",
        "UFs = io/Ie = f",
        "OVERALL BUCKLING CONTROL:",
        "UFgbu= f",
    };
    EXPECT_EQ(Texts(p), expected);
    EXPECT_EQ(p.ResultRow, static_cast<int>(expected.size()));
    EXPECT_FALSE(p.Result.rows[0].bold);
    EXPECT_TRUE(p.Result.rows[1].bold);
    EXPECT_TRUE(p.Result.rows[2].valueBold);
    EXPECT_EQ(p.Result.rows[2].value, "0.50");
    EXPECT_EQ(p.Result.rows[2].reference, " < 1.0");

    // A stiffener not in compression: the torsional row carries only its formula text, and
    // still stands in its place.
    p.UFbtText = {"", "Siga postive or 0 ==> No buckling control", "", "", kBlack};
    FillResultList(p);
    ASSERT_EQ(p.Result.rows.size(), expected.size());
    EXPECT_EQ(p.Result.rows[8].text, "Siga postive or 0 ==> No buckling control");
    EXPECT_EQ(p.Result.rows[8].value, "");
}

TEST(ResultBlocks, DeformationOnlyWithTheOptionAndAPressure) {
    struct Row {
        const char* name;
        bool option;
        float pressure;
        bool produced;
        int extraRows;
    };
    const Row rows[] = {
        {"option off", false, 0.03f, true, 0},
        {"option on, p = 0", true, 0, true, 0},
        {"option on, suction", true, -0.01f, true, 2},
        {"option on, line not produced", true, 0.03f, false, 1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Project p = Produced();
        p.IncludeDeformation = r.option;
        p.p = r.pressure;
        if (!r.produced) {
            p.DeformationText.Clear();
        }
        FillResultList(p);
        EXPECT_EQ(p.Result.rows.size(), 12u + r.extraRows);
        if (r.extraRows > 0) {
            EXPECT_EQ(p.Result.rows[12].text, "STIFFENER DEFORMATION CHECK:");
            EXPECT_TRUE(p.Result.rows[12].bold);
        }
    }
}

TEST(ResultBlocks, ErrorRowStandsBeforeOverallBucklingAndMissingLinesLeaveNoGap) {
    for (int flag = 1; flag <= 2; ++flag) {
        SCOPED_TRACE(flag);
        Project p = Produced();
        (flag == 1 ? p.PlateErrorFlag1 : p.PlateErrorFlag2) = true;
        p.UFpuText.Clear();
        FillResultList(p);
        const auto texts = Texts(p);
        ASSERT_EQ(texts.size(), 12u);
        EXPECT_EQ(texts[3], "PL1/PL2: UFpl = p/(n*pu) = f");
        EXPECT_EQ(texts[8], "UFs = io/Ie = f");
        EXPECT_EQ(texts[9], "ERROR in calculation, decrease Sigy-stress");
        EXPECT_EQ(p.Result.rows[9].colour, RgbOf(255, 0, 0));
        EXPECT_EQ(texts[10], "OVERALL BUCKLING CONTROL:");
        EXPECT_EQ(p.ResultRow, 12);
    }
}

TEST(ResultBlocks, ScantlingBlockRowByRowAndItsConditions) {
    Project p = Produced();
    p.AnalysisMode = 2;
    FillResultList(p);
    const std::vector<std::string> all = {
        kScantlingTitle,
        "PLATE SCANTLING:",
        "Plate 1: UF = tmin/t = f",
        "STIFFENER SCANTLING:",
        "Effective width sw = 625.0 mm ",
        "UF = SM/Weffmin  = f",
        "GIRDER SCANTLING:",
        "Effective width sw = 2640.0 mm ",
        "UF = SM/Weffmin  = f",
        "Min depth of girder = f",
        "Min thickness of web = f",
        "Max distance between tripping brackets = f",
        "PLATE YIELD CONTROL:",
        "UF = F.S.*Sigeq/Fy = f",
        "STIFFENER YIELD CHECK:",
        " (check at points 1-3, plate(p) and stiffener(s)). Effective width sw = 625.0 mm",
        "p: UF = F.S.*Sigeq/Fy  = f",
        "s: UF = F.S.*Sigeq/Fy  = f",
    };
    EXPECT_EQ(Texts(p), all);
    EXPECT_EQ(p.Result.rows[11].valueColour, RgbOf(128, 0, 0));

    // Without the girder modulus the proportions still show, each on its own label.
    p.GirderSmText.Clear();
    p.GirderWebText.Clear();
    p.UFtText.Clear();
    p.UFyText.Clear();
    FillResultList(p);
    const std::vector<std::string> some = {
        kScantlingTitle,
        "STIFFENER SCANTLING:",
        "Effective width sw = 625.0 mm ",
        "UF = SM/Weffmin  = f",
        "Min depth of girder = f",
        "Max distance between tripping brackets = f",
        "STIFFENER YIELD CHECK:",
        " (check at points 1-3, plate(p) and stiffener(s)). Effective width sw = 625.0 mm",
        "p: UF = F.S.*Sigeq/Fy  = f",
        "s: UF = F.S.*Sigeq/Fy  = f",
    };
    EXPECT_EQ(Texts(p), some);
    EXPECT_EQ(p.ResultRow, static_cast<int>(some.size()));
}

TEST(ResultBlocks, ModeThreePutsTheScantlingBlockDirectlyAfterBuckling) {
    Project p = Produced();
    p.AnalysisMode = 3;
    FillResultList(p);
    const auto texts = Texts(p);
    ASSERT_EQ(texts.size(), 12u + 18u);
    EXPECT_EQ(texts[11], "UFgbu= f");
    EXPECT_EQ(texts[12], kScantlingTitle);
    EXPECT_EQ(p.Result.rows[14].value, "0.50");  // cells land on their own row
    EXPECT_EQ(p.Result.rows[14].text, "Plate 1: UF = tmin/t = f");
    EXPECT_EQ(p.ResultRow, 30);
}

}  // namespace
}  // namespace kelvor
