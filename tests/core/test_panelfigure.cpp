// The panel figure on the recording canvas: which diagrams appear, where their envelopes run and
// which way their arrowheads point, for the signs of the entered stresses and pressure.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/project.h"
#include "report/panelfigure.h"
#include "report/recordingcanvas.h"

namespace kelvor {
namespace {

struct Loads {
    float SigxA, SigxB, SigyA, SigyC, p;
};

Project With(const Loads& l) {
    Project p;
    NewProject(p);
    p.SigxA = l.SigxA;
    p.SigxB = l.SigxB;
    p.SigyA = l.SigyA;
    p.SigyC = l.SigyC;
    p.p = l.p;
    return p;
}

RecordingCanvas Draw(const Loads& l, double X0 = 0, double Y0 = 0) {
    RecordingCanvas c(400, 260);
    c.ScaleTo(0, 75, 100, 0);
    DrawPanelFigure(c, With(l), X0, Y0);
    return c;
}

std::vector<CanvasOp> LinesIn(const RecordingCanvas& c, Rgb colour) {
    std::vector<CanvasOp> out;
    std::copy_if(c.ops.begin(), c.ops.end(), std::back_inserter(out), [&](const CanvasOp& op) {
        return op.kind == CanvasOp::Kind::Line && op.fore == colour;
    });
    return out;
}

bool Near(Point a, double x, double y) {
    return std::abs(a.x - x) < 1e-9 && std::abs(a.y - y) < 1e-9;
}

// Lines from (x1, y1) to (x2, y2) in that direction.
int CountLines(const std::vector<CanvasOp>& lines, double x1, double y1, double x2, double y2) {
    return static_cast<int>(std::count_if(lines.begin(), lines.end(), [&](const CanvasOp& op) {
        return Near(op.points[0], x1, y1) && Near(op.points[1], x2, y2);
    }));
}

const CanvasOp* FindText(const RecordingCanvas& c, const std::string& text) {
    for (const CanvasOp& op : c.ops) {
        if (op.kind == CanvasOp::Kind::Text && op.text == text) {
            return &op;
        }
    }
    return nullptr;
}

TEST(PanelFigure, DrawsEachStressDiagramOnlyWhenItsStressIsSet) {
    struct Row {
        const char* name;
        Loads loads;
        bool sigx;
        bool sigy;
    };
    const Row rows[] = {
        {"defaults", {-100, -100, -30, -30, 0.03f}, true, true},
        {"no longitudinal stress", {0, 0, -30, -30, 0.03f}, false, true},
        {"SigxA alone", {-100, 0, 0, 0, 0}, true, false},
        {"SigxB alone", {0, 50, 0, 0, 0}, true, false},
        {"SigyC alone does not count", {-100, -100, 0, 30, 0}, true, false},
        {"SigyA alone", {0, 0, 20, 0, 0}, false, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const RecordingCanvas c = Draw(row.loads);
        EXPECT_EQ(!LinesIn(c, kRgbRed).empty(), row.sigx);
        EXPECT_EQ(FindText(c, "Sigx") != nullptr, row.sigx);
        EXPECT_EQ(!LinesIn(c, kRgbGreen).empty(), row.sigy);
        EXPECT_EQ(FindText(c, "Sigy") != nullptr, row.sigy);
        EXPECT_FALSE(LinesIn(c, kRgbBlue).empty());
    }
}

TEST(PanelFigure, LongitudinalEnvelopeAndHeadsFollowTheSigns) {
    // Heads: 1 = wings at x = 8 (tension, pointing away from the panel), -1 = wings at x = 4
    // (compression, pointing at it), 0 = no head.
    struct Row {
        const char* name;
        float SigxA, SigxB;
        double xA, xB;
        int headA, headB;
    };
    const Row rows[] = {
        {"both compressive", -100, -50, 2, 4, -1, -1},
        {"equal compression", -100, -100, 2, 2, -1, -1},
        {"both tensile", 50, 100, 8, 10, 1, 1},
        {"sign change along the edge", -100, 50, 2, 8, -1, 1},
        {"A unloaded", 0, -50, 6, 2, 0, -1},
        {"larger stress at B", 20, -80, 7, 2, 1, -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const RecordingCanvas c = Draw({row.SigxA, row.SigxB, 0, 0, 0});
        const auto red = LinesIn(c, kRgbRed);
        EXPECT_EQ(CountLines(red, 6, 35, 6, 25), 1);
        EXPECT_EQ(CountLines(red, row.xA, 35, row.xB, 25), 1);
        for (int i = 0; i <= 6; ++i) {
            const double y = 35 - 10.0 * i / 6;
            EXPECT_EQ(CountLines(red, row.xA - i * (row.xA - row.xB) / 6, y, 6, y), 1) << i;
        }
        for (auto [tipY, head] : {std::pair{35.0, row.headA}, std::pair{25.0, row.headB}}) {
            SCOPED_TRACE(tipY);
            for (int side : {-1, 1}) {
                EXPECT_EQ(CountLines(red, 6, tipY, 4, tipY + 2 * side), head == -1 ? 1 : 0);
                EXPECT_EQ(CountLines(red, 6, tipY, 8, tipY + 2 * side), head == 1 ? 1 : 0);
            }
        }
        const CanvasOp* label = FindText(c, "Sigx");
        ASSERT_NE(label, nullptr);
        EXPECT_TRUE(Near(label->points[0], 2, 23));
        EXPECT_EQ(label->fore, kRgbBlack);
    }
}

TEST(PanelFigure, TransverseEnvelopeAndHeadsFollowTheSigns) {
    // Heads: -1 = wings above the tip (compression, pointing down at the panel), 1 = below.
    struct Row {
        const char* name;
        float SigyA, SigyC;
        double yA, yC;
        int headA, headC;
    };
    const Row rows[] = {
        {"both compressive", -30, -30, 68, 68, -1, -1},
        {"sign change along the edge", 30, -15, 56, 65, 1, -1},
        {"C unloaded", -40, 0, 68, 62, -1, 0},
        {"larger stress at C", 10, 40, 60.5, 56, 1, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const RecordingCanvas c = Draw({0, 0, row.SigyA, row.SigyC, 0});
        const auto green = LinesIn(c, kRgbGreen);
        EXPECT_EQ(CountLines(green, 20, 62, 37, 62), 1);
        EXPECT_EQ(CountLines(green, 20, row.yA, 37, row.yC), 1);
        for (int i = 0; i <= 10; ++i) {
            const double x = 20 + 1.7 * i;
            EXPECT_EQ(CountLines(green, x, row.yA - i * (row.yA - row.yC) / 10, x, 62), 1) << i;
        }
        for (auto [tipX, head] : {std::pair{20.0, row.headA}, std::pair{37.0, row.headC}}) {
            SCOPED_TRACE(tipX);
            for (int side : {-1, 1}) {
                EXPECT_EQ(CountLines(green, tipX, 62, tipX + 2 * side, 64), head == -1 ? 1 : 0);
                EXPECT_EQ(CountLines(green, tipX, 62, tipX + 2 * side, 60), head == 1 ? 1 : 0);
            }
        }
    }
}

TEST(PanelFigure, PressureStandsOnTheSideItActsFromAndPointsAtTheSection) {
    struct Row {
        const char* name;
        float p;
        double base, envelope, tip, wing, labelX;
    };
    const Row rows[] = {
        {"plate side", 0.03f, 63, 67, 67, 65, 63},
        {"no pressure is drawn on the right", 0, 93, 97, 93, 95, 92},
        {"stiffener side", -0.05f, 93, 97, 93, 95, 92},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const RecordingCanvas c = Draw({0, 0, 0, 0, row.p});
        const auto blue = LinesIn(c, kRgbBlue);
        EXPECT_EQ(CountLines(blue, row.base, 35, row.base, 25), 1);
        EXPECT_EQ(CountLines(blue, row.envelope, 35, row.envelope, 25), 1);
        for (int i = 0; i <= 6; ++i) {
            const double y = 35 - 10.0 * i / 6;
            EXPECT_EQ(CountLines(blue, row.envelope, y, row.base, y), 1) << i;
        }
        for (double y : {35.0, 25.0}) {
            EXPECT_EQ(CountLines(blue, row.tip, y, row.wing, y + 2), 1) << y;
            EXPECT_EQ(CountLines(blue, row.tip, y, row.wing, y - 2), 1) << y;
        }
        const CanvasOp* label = FindText(c, "p/ps");
        ASSERT_NE(label, nullptr);
        EXPECT_TRUE(Near(label->points[0], row.labelX, 23));
    }
}

TEST(PanelFigure, IsTheSameWhateverTheCanvasWasLeftWith) {
    const Loads loads{-100, -50, -30, 10, 0.03f};
    const RecordingCanvas fresh = Draw(loads);
    RecordingCanvas used(400, 260);
    used.ScaleTo(0, 75, 100, 0);
    used.SetForeColour(kRgbBlue);
    used.SetLineStyle(LineStyle::DashDot);
    used.SetLineWidth(3);
    DrawPanelFigure(used, With(loads), 0, 0);
    // A second draw starts from the state the first one left behind.
    DrawPanelFigure(used, With(loads), 0, 0);
    const std::size_t n = fresh.ops.size();
    ASSERT_EQ(used.ops.size(), 2 * n);
    for (std::size_t i = 0; i < 2 * n; ++i) {
        SCOPED_TRACE(i);
        const CanvasOp& a = fresh.ops[i % n];
        const CanvasOp& b = used.ops[i];
        EXPECT_EQ(a.fore, b.fore);
        EXPECT_EQ(a.lineStyle, b.lineStyle);
        EXPECT_EQ(a.lineWidth, b.lineWidth);
    }
    // The first thing drawn is the grey panel with a black outline; the axes close in black.
    EXPECT_EQ(fresh.ops.front().kind, CanvasOp::Kind::Box);
    EXPECT_EQ(fresh.ops.front().fillColour, kRgbLightGrey);
    EXPECT_EQ(fresh.ops.front().fore, kRgbBlack);
    EXPECT_EQ(fresh.ops.back().text, "y");
    EXPECT_EQ(fresh.ops.back().fore, kRgbBlack);
}

TEST(PanelFigure, EveryPrimitiveMovesWithTheOrigin) {
    const Loads loads{-100, 50, -30, 10, 0.03f};
    const RecordingCanvas home = Draw(loads);
    const RecordingCanvas moved = Draw(loads, 150, 230);
    ASSERT_EQ(home.ops.size(), moved.ops.size());
    for (std::size_t i = 0; i < home.ops.size(); ++i) {
        SCOPED_TRACE(i);
        const auto& a = home.ops[i].points;
        const auto& b = moved.ops[i].points;
        ASSERT_EQ(a.size(), b.size());
        for (std::size_t k = 0; k < a.size(); ++k) {
            EXPECT_NEAR(b[k].x - a[k].x, 150, 1e-9);
            EXPECT_NEAR(b[k].y - a[k].y, 230, 1e-9);
        }
        // The schematic keeps to its field, 100 wide and 75 high.
        if (home.ops[i].kind != CanvasOp::Kind::Text) {
            EXPECT_GE(home.ops[i].minX, 0);
            EXPECT_LE(home.ops[i].maxX, 100);
            EXPECT_GE(home.ops[i].minY, 0);
            EXPECT_LE(home.ops[i].maxY, 75);
        }
    }
}

}  // namespace
}  // namespace kelvor
