// The two blocks of the result list: which rows, in which order, under which conditions.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "core/calculate.h"
#include "core/project.h"
#include "report/resultblocks.h"

namespace kelvor {
namespace {

using Texts = std::vector<std::string>;

ResultLine L(const char* label, const char* value = "0.50", int status = kGreen) {
    return {label, "f", value, " < 1.0", status};
}

// A project whose every result line is produced, as after a complete run.
Project Produced() {
    Project p;
    NewProject(p);
    p.se = 612.34, p.be = 552.0f, p.sw = 625, p.GirderEffBreadth = 2640;
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

const Texts kBuckling = {
    "(Rule/Buckling: ABS-Buckling and Ultimate Strength Assessment for Offshore Structures)",
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
const char* kScantlingTitle =
    "Rule/Scantling/Yield: ABS, Mobile Offshore Drilling Units, Part 3 Hull Construction and "
    "equipment)";
const char* kYieldRows[] = {
    "STIFFENER YIELD CHECK:",
    " (check at points 1-3, plate(p) and stiffener(s)). Effective width sw = 625.0 mm",
    "p: UF = F.S.*Sigeq/Fy  = f",
    "s: UF = F.S.*Sigeq/Fy  = f",
};
const Texts kScantling = {
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
    kYieldRows[0],
    kYieldRows[1],
    kYieldRows[2],
    kYieldRows[3],
};

Texts With(Texts texts, std::size_t at, std::size_t drop, const Texts& put) {
    texts.erase(texts.begin() + at, texts.begin() + at + drop);
    texts.insert(texts.begin() + at, put.begin(), put.end());
    return texts;
}

// Headings, and only they, are bold: their words up to the colon are capitals.
bool IsHeading(const std::string& text) {
    const std::size_t colon = text.find(':');
    return colon != std::string::npos && colon > 3 &&
           std::all_of(text.begin(), text.begin() + colon,
                       [](char c) { return std::isupper(c) || c == ' '; });
}

TEST(ResultBlocks, RowsInOrderForEachModeAndCondition) {
    const char* error = "ERROR in calculation, decrease Sigy-stress";
    const char* deformation = "STIFFENER DEFORMATION CHECK:";
    const struct {
        const char* name;
        int mode;
        void (*edit)(Project&);
        Texts want;
    } rows[] = {
        {"buckling", 1, [](Project&) {}, kBuckling},
        {"scantling", 2, [](Project&) {}, kScantling},
        {"both: scantling directly after buckling", 3, [](Project&) {},
         With(kBuckling, 12, 0, kScantling)},
        // The torsional row of a stiffener not in compression carries only its formula text,
        // and still stands in its place.
        {"no buckling control", 1,
         [](Project& p) {
             p.UFbtText = {"", "Siga postive or 0 ==> No buckling control", "", "", kBlack};
         },
         With(kBuckling, 8, 1, {"Siga postive or 0 ==> No buckling control"})},
        // The error stands before the overall check; a missing line leaves no gap.
        {"plate error 1", 1, [](Project& p) { p.PlateErrorFlag1 = true, p.UFpuText.Clear(); },
         With(With(kBuckling, 10, 0, {error}), 3, 1, {})},
        {"plate error 2", 1, [](Project& p) { p.PlateErrorFlag2 = true, p.UFpuText.Clear(); },
         With(With(kBuckling, 10, 0, {error}), 3, 1, {})},
        // Deformation only with the option and a pressure; its heading even without the line.
        {"deformation option off", 1, [](Project&) {}, kBuckling},
        {"deformation, p = 0", 1, [](Project& p) { p.IncludeDeformation = true, p.p = 0; },
         kBuckling},
        {"deformation, suction", 1, [](Project& p) { p.IncludeDeformation = true, p.p = -0.01f; },
         With(kBuckling, 12, 0,
              {deformation, "Deformation y = p*(s1+s2)/2*L1^4/(384*E*Iyeff) = f"})},
        {"deformation line not produced", 1,
         [](Project& p) { p.IncludeDeformation = true, p.DeformationText.Clear(); },
         With(kBuckling, 12, 0, {deformation})},
        // Without the girder modulus the proportions still show, each on its own label.
        {"scantling sections left out",
         2,
         [](Project& p) {
             p.GirderSmText.Clear(), p.GirderWebText.Clear();
             p.UFtText.Clear(), p.UFyText.Clear();
         },
         {kScantlingTitle, "STIFFENER SCANTLING:", "Effective width sw = 625.0 mm ",
          "UF = SM/Weffmin  = f", "Min depth of girder = f",
          "Max distance between tripping brackets = f", kYieldRows[0], kYieldRows[1], kYieldRows[2],
          kYieldRows[3]}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        Project p = Produced();
        p.AnalysisMode = r.mode;
        r.edit(p);
        FillResultList(p);
        Texts texts;
        for (const ResultListRow& row : p.Result.rows) {
            texts.push_back(row.text);
            EXPECT_EQ(row.bold, IsHeading(row.text)) << row.text;
            EXPECT_EQ(row.colour, row.text == error ? RgbOf(255, 0, 0) : 0u) << row.text;
        }
        EXPECT_EQ(texts, r.want);
        EXPECT_EQ(p.ResultRow, static_cast<int>(r.want.size()));
    }
}

TEST(ResultBlocks, CellsLandOnTheirOwnRow) {
    Project p = Produced();
    p.AnalysisMode = 3;
    FillResultList(p);
    const auto& rows = p.Result.rows;
    ASSERT_EQ(rows.size(), 30u);
    EXPECT_TRUE(rows[2].valueBold);
    EXPECT_EQ(rows[2].value, "0.50");
    EXPECT_EQ(rows[2].reference, " < 1.0");
    EXPECT_EQ(rows[14].value, "0.50");
    EXPECT_EQ(rows[12 + 11].value, "NOK");
    EXPECT_EQ(rows[12 + 11].valueColour, RgbOf(128, 0, 0));
    p.UFbtText = {"", "Siga postive or 0 ==> No buckling control", "", "", kBlack};
    FillResultList(p);
    EXPECT_EQ(p.Result.rows[8].value, "");
}

}  // namespace
}  // namespace kelvor
