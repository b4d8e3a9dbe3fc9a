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
    p.SigxA = l.SigxA, p.SigxB = l.SigxB, p.SigyA = l.SigyA, p.SigyC = l.SigyC, p.p = l.p;
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

bool Near(Point a, Point b) {
    return std::abs(a.x - b.x) < 1e-9 && std::abs(a.y - b.y) < 1e-9;
}

// Lines from `a` to `b` in that direction.
int CountLines(const std::vector<CanvasOp>& lines, Point a, Point b) {
    return static_cast<int>(std::count_if(lines.begin(), lines.end(), [&](const CanvasOp& op) {
        return Near(op.points[0], a) && Near(op.points[1], b);
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
    const struct {
        const char* name;
        Loads loads;
        bool sigx, sigy;
    } rows[] = {
        {"defaults", {-100, -100, -30, -30, 0.03f}, true, true},
        {"no longitudinal stress", {0, 0, -30, -30, 0.03f}, false, true},
        {"SigxA alone", {-100, 0, 0, 0, 0}, true, false},
        {"SigxB alone", {0, 50, 0, 0, 0}, true, false},
        {"SigyC alone does not count", {-100, -100, 0, 30, 0}, true, false},
        {"SigyA alone", {0, 0, 20, 0, 0}, false, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const RecordingCanvas c = Draw(row.loads);
        EXPECT_EQ(!LinesIn(c, kRgbRed).empty(), row.sigx);
        const CanvasOp* sigx = FindText(c, "Sigx");
        EXPECT_EQ(sigx != nullptr, row.sigx);
        EXPECT_TRUE(!sigx || sigx->fore == kRgbBlack);
        EXPECT_EQ(!LinesIn(c, kRgbGreen).empty(), row.sigy);
        EXPECT_EQ(FindText(c, "Sigy") != nullptr, row.sigy);
        EXPECT_FALSE(LinesIn(c, kRgbBlue).empty());
    }
}

// A diagram: the base line and the envelope from first end to last, hatched from the envelope to
// the base in `steps`, with a head at each end of the base (of the envelope when `tipOut`). A
// head's wings stand a step `n` off the tip (1, tension) or a step back (-1, compression), one on
// either side of the base line; 0 is no head.
struct Diagram {
    const char* name;
    Loads loads;
    Rgb colour;
    Point b0, b1, e0, e1;
    int steps;
    Point n;
    int head0, head1;
    bool tipOut;
    const char* label;  // checked where given, at `at`
    Point at;
};

// Longitudinal: on the left edge x = 6 from y = 35 down to 25; tension points away (+x).
Diagram Sigx(const char* name, float A, float B, double xA, double xB, int hA, int hB) {
    return {name, {A, B, 0, 0, 0}, kRgbRed, {6, 35}, {6, 25}, {xA, 35}, {xB, 25},
            6,    {2, 0},          hA,      hB,      false,   "Sigx",   {2, 23}};
}
// Transverse: on y = 62 from x = 20 to 37; compression points down at the panel (wings above).
Diagram Sigy(const char* name, float A, float C, double yA, double yC, int hA, int hC) {
    return {name, {0, 0, A, C, 0}, kRgbGreen, {20, 62}, {37, 62}, {20, yA}, {37, yC},
            10,   {0, -2},         hA,        hC,       false,    nullptr,  {}};
}
// Pressure: on the side it acts from, pointing at the section.
Diagram Pressure(const char* name, float p, double base, double envelope, int head, bool tipOut,
                 double labelX) {
    return {name, {0, 0, 0, 0, p}, kRgbBlue, {base, 35}, {base, 25}, {envelope, 35}, {envelope, 25},
            6,    {2, 0},          head,     head,       tipOut,     "p/ps",         {labelX, 23}};
}

TEST(PanelFigure, EnvelopesAndHeadsFollowTheSigns) {
    const Diagram rows[] = {
        Sigx("both compressive", -100, -50, 2, 4, -1, -1),
        Sigx("equal compression", -100, -100, 2, 2, -1, -1),
        Sigx("both tensile", 50, 100, 8, 10, 1, 1),
        Sigx("sign change along the edge", -100, 50, 2, 8, -1, 1),
        Sigx("A unloaded", 0, -50, 6, 2, 0, -1),
        Sigx("larger stress at B", 20, -80, 7, 2, 1, -1),
        Sigy("both compressive", -30, -30, 68, 68, -1, -1),
        Sigy("sign change along the edge", 30, -15, 56, 65, 1, -1),
        Sigy("C unloaded", -40, 0, 68, 62, -1, 0),
        Sigy("larger stress at C", 10, 40, 60.5, 56, 1, 1),
        Pressure("plate side", 0.03f, 63, 67, -1, true, 63),
        Pressure("no pressure is drawn on the right", 0, 93, 97, 1, false, 92),
        Pressure("stiffener side", -0.05f, 93, 97, 1, false, 92),
    };
    for (const Diagram& d : rows) {
        SCOPED_TRACE(d.name);
        const RecordingCanvas c = Draw(d.loads);
        const auto lines = LinesIn(c, d.colour);
        EXPECT_EQ(CountLines(lines, d.b0, d.b1), 1);
        EXPECT_EQ(CountLines(lines, d.e0, d.e1), 1);
        for (int i = 0; i <= d.steps; ++i) {
            const double t = 1.0 * i / d.steps;
            const Point e{d.e0.x + t * (d.e1.x - d.e0.x), d.e0.y + t * (d.e1.y - d.e0.y)};
            const Point b{d.b0.x + t * (d.b1.x - d.b0.x), d.b0.y + t * (d.b1.y - d.b0.y)};
            EXPECT_EQ(CountLines(lines, e, b), 1) << i;
        }
        const Point side{std::abs(d.n.y), std::abs(d.n.x)};
        for (auto [tip, head] : {std::pair{d.tipOut ? d.e0 : d.b0, d.head0},
                                 std::pair{d.tipOut ? d.e1 : d.b1, d.head1}}) {
            SCOPED_TRACE(testing::Message() << tip.x << ',' << tip.y);
            for (int way : {-1, 1}) {
                for (int s : {-1, 1}) {
                    const Point wing{tip.x + way * d.n.x + s * side.x,
                                     tip.y + way * d.n.y + s * side.y};
                    EXPECT_EQ(CountLines(lines, tip, wing), head == way ? 1 : 0);
                }
            }
        }
        if (d.label) {
            const CanvasOp* label = FindText(c, d.label);
            ASSERT_NE(label, nullptr);
            EXPECT_TRUE(Near(label->points[0], d.at));
        }
    }
}

TEST(PanelFigure, SameWhateverTheCanvasWasLeftWithAndMovesWithTheOrigin) {
    const Loads loads{-100, 50, -30, 10, 0.03f};
    const RecordingCanvas fresh = Draw(loads);
    RecordingCanvas used(400, 260);
    used.ScaleTo(0, 75, 100, 0);
    used.SetForeColour(kRgbBlue);
    used.SetLineStyle(LineStyle::DashDot);
    used.SetLineWidth(3);
    // A second draw starts from the state the first one left behind.
    DrawPanelFigure(used, With(loads), 0, 0);
    DrawPanelFigure(used, With(loads), 0, 0);
    const std::size_t n = fresh.ops.size();
    ASSERT_EQ(used.ops.size(), 2 * n);
    for (std::size_t i = 0; i < 2 * n; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(fresh.ops[i % n].fore, used.ops[i].fore);
        EXPECT_EQ(fresh.ops[i % n].lineStyle, used.ops[i].lineStyle);
        EXPECT_EQ(fresh.ops[i % n].lineWidth, used.ops[i].lineWidth);
    }
    // The first thing drawn is the grey panel with a black outline; the axes close in black.
    EXPECT_EQ(fresh.ops.front().kind, CanvasOp::Kind::Box);
    EXPECT_EQ(fresh.ops.front().fillColour, kRgbLightGrey);
    EXPECT_EQ(fresh.ops.front().fore, kRgbBlack);
    EXPECT_EQ(fresh.ops.back().text, "y");
    EXPECT_EQ(fresh.ops.back().fore, kRgbBlack);

    const RecordingCanvas moved = Draw(loads, 150, 230);
    ASSERT_EQ(fresh.ops.size(), moved.ops.size());
    for (std::size_t i = 0; i < n; ++i) {
        SCOPED_TRACE(i);
        const CanvasOp& home = fresh.ops[i];
        ASSERT_EQ(home.points.size(), moved.ops[i].points.size());
        for (std::size_t k = 0; k < home.points.size(); ++k) {
            EXPECT_TRUE(
                Near(moved.ops[i].points[k], {home.points[k].x + 150, home.points[k].y + 230}));
        }
        // The schematic keeps to its field, 100 wide and 75 high.
        if (home.kind != CanvasOp::Kind::Text) {
            EXPECT_TRUE(home.minX >= 0 && home.maxX <= 100 && home.minY >= 0 && home.maxY <= 75);
        }
    }
}

}  // namespace
}  // namespace kelvor
