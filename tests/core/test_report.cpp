// The printed report on the recording canvas: the page grid and its rounding, the header, what
// each kind prints, the inputs to the character, where the panel figure stands, and the ways
// the printed result blocks differ from the screen's.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/calculate.h"
#include "core/project.h"
#include "core/session.h"
#include "core/tables.h"
#include "report/recordingcanvas.h"
#include "report/report.h"

namespace kelvor {
namespace {

// 615 points across: 20 * width / width("SmGasdfghjklpoiuytre") is exactly 102.5, which rounds
// to 102 (ties to even). Then L = 10.2, R = CInt(96.9) = 97, W = CInt(86.8) = 87, the value
// column V = 97 - 17 = 80; 842 points down give 63 rows.
constexpr double kWidth = 615, kHeight = 842;
constexpr double kL = 10.2, kR = 97, kW = 87, kV = 80, kColumns = 102, kRows = 63;

class Report : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        StartupEnvironment env;
        env.dataFolder = KELVOR_SOURCE_DATA_DIR;
        ASSERT_TRUE(StartUp(base_, tables_, env).empty());
        Calculate(base_, tables_);
    }

    RecordingCanvas& Print(const Project& p, int kind = 1) {
        ReportContext ctx;
        ctx.kind = kind;
        ctx.date = "2024-03-01";
        ctx.hour = 9;
        ctx.minute = 5;
        ctx.version = "9.9.9";
        canvas_ = RecordingCanvas(kWidth, kHeight);
        PrintPages(canvas_, p, tables_, ctx);
        return canvas_;
    }

    // The first text that is `text`, or begins with it when `prefix`.
    const CanvasOp* Find(const std::string& text, bool prefix = false) const {
        for (const CanvasOp& op : canvas_.ops) {
            if (op.kind == CanvasOp::Kind::Text &&
                (prefix ? op.text.rfind(text, 0) == 0 : op.text == text)) {
                return &op;
            }
        }
        return nullptr;
    }
    std::ptrdiff_t IndexOf(const std::string& text) const {
        const CanvasOp* op = Find(text, true);
        return op ? op - canvas_.ops.data() : -1;
    }

    static Project base_;
    static Tables tables_;
    RecordingCanvas canvas_;
};

Project Report::base_;
Tables Report::tables_;

const char* kBucklingTitle =
    " (Rule/Buckling: ABS-Buckling and Ultimate Strength Assessment for Offshore Structures)";
const char* kYieldTitle =
    " (Rule/Yield: ABS, Mobile Offshore Drilling Units, Part 3 Hull Construction and equipment)";

TEST_F(Report, HeaderProfilesAndFigureOnTheGrid) {
    Print(base_);
    const CanvasOp* name = Find("Kelvor");
    ASSERT_NE(name, nullptr);
    EXPECT_DOUBLE_EQ(name->points[0].x, kL);
    EXPECT_DOUBLE_EQ(name->points[0].y, 2);
    EXPECT_EQ(name->fore, RgbOf(0, 85, 152));
    EXPECT_EQ(name->font.name, "arial");
    EXPECT_EQ(name->font.size, 18);
    EXPECT_TRUE(name->font.bold);

    // Where a text starts; far off the page when it is missing.
    auto at = [&](const char* text, bool prefix = false) {
        const CanvasOp* op = Find(text, prefix);
        return op ? op->points[0] : Point{-1e9, -1e9};
    };
    const Point page = at("Page: 1"), date = at("Date: 2024-03-01");
    EXPECT_DOUBLE_EQ(page.y, 2.5);
    EXPECT_DOUBLE_EQ(date.y, 4);
    EXPECT_DOUBLE_EQ(at("Time: 9:5").y, 5);
    // The right block lines up on a whole column that leaves room for the date.
    EXPECT_EQ(page.x, std::round(page.x));
    EXPECT_EQ(date.x, page.x);
    EXPECT_EQ(at("Time: 9:5").x, page.x);
    EXPECT_LE(date.x + 10 * 0.6 * 16 * kColumns / kWidth, kR + 1e-9);
    EXPECT_NE(Find("Version 9.9.9"), nullptr);
    EXPECT_NE(Find("Identification: Test"), nullptr);

    const CanvasOp* stiffener = Find("Stiffener:");
    ASSERT_NE(stiffener, nullptr);
    EXPECT_TRUE(stiffener->font.bold && stiffener->font.italic && stiffener->font.underline);
    EXPECT_DOUBLE_EQ(at("Girder:").x, kL + 0.6 * kW);
    EXPECT_DOUBLE_EQ(at("Girder:").y, stiffener->points[0].y);
    EXPECT_DOUBLE_EQ(at("Flange: ", true).x, kL + 0.1 * kW);
    EXPECT_DOUBLE_EQ(at("Web: ", true).y, at("Flange: ", true).y + 1);

    // The panel figure's own frame is 280 x 400 with y up; its origin is grid column L + 0.5W + 8
    // on the line of the rule under the geometry block.
    const std::ptrdiff_t geometry = IndexOf("Geometry:");
    const std::ptrdiff_t lg = Find("Lg") - canvas_.ops.data();
    ASSERT_GT(lg, geometry);
    double rule = -1;
    for (std::ptrdiff_t i = geometry; i < lg; ++i) {
        const CanvasOp& op = canvas_.ops[static_cast<std::size_t>(i)];
        if (op.kind == CanvasOp::Kind::Line && std::abs(op.minX - kL) < 1e-9 && op.maxX == kR) {
            rule = op.minY;
        }
    }
    ASSERT_GT(rule, 0);
    const CanvasOp& label = canvas_.ops[static_cast<std::size_t>(lg)];
    EXPECT_NEAR(label.points[0].x, (kL + 0.5 * kW + 8) / kColumns * 280 + 8, 1e-9);
    EXPECT_NEAR(label.points[0].y, (kRows - rule) / kRows * 400 + 45, 1e-9);
    EXPECT_EQ(label.font.size, 9);
    // Above the rule, below the heading over it.
    const double top = (kRows - Find("Figure:")->points[0].y - 1) / kRows * 400;
    for (const CanvasOp& op : canvas_.ops) {
        if (op.kind == CanvasOp::Kind::Text && op.font.size == 9) {
            EXPECT_LE(op.maxY, top) << op.text;
        }
    }
}

TEST_F(Report, KindsChooseTitleStressesAndBlocks) {
    struct Row {
        int kind;
        const char* title;
        bool stresses, buckling, scantling;
    };
    const char* check = "Plate/Stiff/Girder check based on ABS Offshore Structures";
    const char* scantling = "Scantling of Plate/Stiff/Girder based on ABS Offshore Structures";
    const Row rows[] = {
        {1, check, true, true, false},
        {2, check, true, false, true},
        {3, scantling, true, true, true},
        {4, scantling, false, true, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.kind);
        Print(base_, r.kind);
        const CanvasOp* title = Find(r.title);
        ASSERT_NE(title, nullptr);
        EXPECT_EQ(title->font.size, 11);
        EXPECT_EQ(Find("Stresses:") != nullptr, r.stresses);
        EXPECT_EQ(Find("SigxA = -100.0 MPa") != nullptr, r.stresses);
        const CanvasOp* ps = Find("ps = 0.030 MPa (Scantling)");
        EXPECT_EQ(ps != nullptr, !r.stresses);
        if (ps) {
            EXPECT_DOUBLE_EQ(ps->points[0].x, kL + 0.25 * kW);
        }
        EXPECT_EQ(IndexOf(kBucklingTitle) >= 0, r.buckling);
        EXPECT_EQ(IndexOf(kYieldTitle) >= 0, r.scantling);
        if (r.buckling && r.scantling) {
            EXPECT_LT(IndexOf(kBucklingTitle), IndexOf(kYieldTitle));
        }
    }
}

TEST_F(Report, InputsToTheCharacter) {
    const struct {
        const char* name;
        void (*edit)(Project&);
        std::vector<std::string> present, absent;
    } rows[] = {
        {"defaults",
         nullptr,
         {"Plate & Girder/Stiffener: S355/S355", "Yield stress: Fyp/Fys = 355/355 MPa",
          "Tensile stress: Fup/Fus = 470/470 MPa", "Youngs modulus: E = 2.06E+5 MPa",
          "Loading Condition: A", "Factor of Safety: F.S = 1.43",
          "Max Allow Utlization Factor: UF = 0.60", "t = 20.0 mm (plate th.)", "Lgs = 6000 mm",
          "Structure: Tank bulkhead  ", "Stiffener: clip attachment c-factor = 0.90",
          "Girder c-factor = 1.50", "p = 0.030 MPa", "L 200x90x9.0x14.0",
          "H = 200 mm    B = 90.0 mm", "tw = 9.0 mm    tf = 14.0 mm", "T 800x200x10.0x20.0"},
         {}},
        {"Cond. B, watertight bulkhead, no pressure",
         [](Project& p) {
             SetLoadingCondition(p, 1);
             p.CFactorTab = 0;
             p.CFactorOption = 1;
             p.p = 0;
         },
         {"Loading Condition: B", "Structure: Watertight bulkhead;  Unit length: UL = 65 m",
          "Stiffener: no end attachment c-factor = "},
         {"Girder c-factor = ", "p = "}},
        {"Cond. C, upper structure, suction",
         [](Project& p) {
             SetLoadingCondition(p, 2);
             p.CFactorTab = 2;
             p.p = -0.01f;
         },
         {"Loading Condition: C", "Structure: Upper structure   ",
          "Stiffener/Girder: Clear of tanks c-factor = ", "p = -0.010 MPa"},
         {}},
        {"flat bar",
         [](Project& p) { p.StiffProfileType = 4; },
         {"Fb 150x15.0", "H = 150 mm    tw = 15.0 mm"},
         {"tf = ", "Flange: "}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        Project p = base_;
        if (r.edit) {
            r.edit(p);
        }
        ApplyProfilesAndMaterials(p, tables_);
        Calculate(p, tables_);
        Print(p);
        for (const std::string& text : r.present) {
            EXPECT_NE(Find(text, true), nullptr) << text;
        }
        for (const std::string& text : r.absent) {
            EXPECT_EQ(Find(text, true), nullptr) << text;
        }
    }
}

TEST_F(Report, PrintedBlocksDifferFromTheScreen) {
    Project p = base_;
    p.IncludeDeformation = true;
    Calculate(p, tables_);
    p.UFpbText.Clear(), p.UFplText.Clear(), p.UFtText.Clear(), p.UFyText.Clear();
    p.PlateErrorFlag1 = true;
    Print(p, 3);

    // No plate heading without UFpb or UFpl, though UFpu still prints.
    EXPECT_EQ(Find("PLATE BUCKLING CONTROL: (Max from plate 1/2)"), nullptr);
    EXPECT_GE(IndexOf(p.UFpuText.label), 0);
    // The error follows the overall check, in pure red.
    const std::ptrdiff_t error = IndexOf("ERROR in calculation, decrease Sigy-stress");
    ASSERT_GE(error, 0);
    EXPECT_EQ(canvas_.ops[static_cast<std::size_t>(error)].fore, RgbOf(255, 0, 0));
    EXPECT_LT(IndexOf("OVERALL BUCKLING CONTROL:"), IndexOf("UFgbu"));
    EXPECT_LT(IndexOf("UFgbu"), error);
    // The deformation line gets a note first.
    const std::ptrdiff_t deformation = IndexOf("STIFFENER DEFORMATION CHECK:");
    ASSERT_GT(deformation, error);
    EXPECT_EQ(IndexOf(" (Based on effective plate width as sw) "), deformation + 1);
    EXPECT_EQ(IndexOf("Deformation y = "), deformation + 2);
    // The scantling sections print whatever their lines hold, without the breadth rows; the
    // plate yield section only with its line.
    EXPECT_GE(IndexOf("PLATE SCANTLING:"), 0);
    EXPECT_EQ(IndexOf("Effective width sw = "), -1);
    EXPECT_EQ(IndexOf("PLATE YIELD CONTROL:"), -1);
    EXPECT_GE(IndexOf(" (check at points 1-3"), 0);
}

TEST_F(Report, ResultLinesAndTheLongOnesBrokenUnderTheirValue) {
    Project p = base_;
    p.UFpbText = {"PL1: UFpb =", "1/0.60^2*(1)", "1.53", " < 1.0 (3/3.1)", kRed};
    p.UFpuText = {"PL1: UFpu = ", std::string(200, '1'), "0.37", " < 1.0 (3/3.3)", kGreen};
    Print(p);
    const CanvasOp* label = Find("PL1: UFpb =1/0.60^2*(1)");
    ASSERT_NE(label, nullptr);
    const CanvasOp* value = Find("1.53");
    ASSERT_NE(value, nullptr);
    EXPECT_DOUBLE_EQ(value->points[0].x, kV);
    EXPECT_DOUBLE_EQ(value->points[0].y, label->points[0].y);
    EXPECT_TRUE(value->font.bold);
    EXPECT_EQ(value->fore, RgbOf(128, 0, 0));
    EXPECT_EQ(value->font.size, 8.5);
    const CanvasOp* reference = value + 1;
    EXPECT_EQ(reference->text, " < 1.0 (3/3.1)");
    EXPECT_DOUBLE_EQ(reference->points[0].x, value->maxX);
    EXPECT_FALSE(reference->font.bold);
    EXPECT_EQ(reference->fore, 0u);

    // Too long: the label with its value, the formula on the next line from L + 20.
    const CanvasOp* alone = Find("PL1: UFpu = ");
    ASSERT_NE(alone, nullptr);
    EXPECT_EQ(alone->points[0].y, label->points[0].y + 1);
    EXPECT_EQ((alone + 1)->text, "0.37");
    EXPECT_EQ((alone + 1)->points[0].y, alone->points[0].y);
    const CanvasOp* formula = alone + 3;
    EXPECT_EQ(formula->text, p.UFpuText.formula);
    EXPECT_DOUBLE_EQ(formula->points[0].x, kL + 20);
    EXPECT_DOUBLE_EQ(formula->points[0].y, alone->points[0].y + 1);
    EXPECT_EQ(Find("PL1/PL2: UFpl", true)->points[0].y, formula->points[0].y + 1);
}

TEST_F(Report, StoppedRunSaysWhereWithinTheMargins) {
    Project p = base_;
    p.CFactorText.clear();
    p.CalcFailure =
        StepFailure{"stiffener buckling",
                    std::string(30, 'x') + " " + std::string(30, 'y') + " " + std::string(30, 'z')};
    Print(p);
    EXPECT_NE(Find("Stiffener: clip attachment c-factor = -"), nullptr);
    EXPECT_NE(Find("Girder c-factor = -"), nullptr);
    std::string said;
    for (const CanvasOp& op : canvas_.ops) {
        if (op.kind == CanvasOp::Kind::Text && op.fore == RgbOf(255, 0, 0)) {
            EXPECT_LE(op.maxX, kR) << op.text;
            said += (said.empty() ? "" : " ") + op.text;
        }
    }
    EXPECT_EQ(said, p.CalcFailure->Text());
}

}  // namespace
}  // namespace kelvor
