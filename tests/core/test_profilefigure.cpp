// The profile figures: the square drawing area of 1.8 D with the plate centred, both outline
// variants, where the axes and dimensions go and that their labels stay apart, and the sketch in
// place of the section while FigureToScale is set (as in a new project).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "core/project.h"
#include "report/profilefigure.h"
#include "report/recordingcanvas.h"
#include "report/sketches.h"

namespace kelvor {
namespace {

// A flat bar H x 10 on a plate se x 20, as the section properties leave it.
Project FlatBar(double se, double H) {
    Project p;
    p.FigureToScale = 0;
    p.StiffProfileType = 4;
    p.FigureWidth = se;
    p.FigureHeight = H + 20;
    p.AxisX = se / 2;
    p.AxisHeight = 40;
    p.OutlineKind = 2;
    const double xs[] = {0, 0, se, se / 2 - 5, se / 2 + 5};
    const double ys[] = {0, 0, 20, 20, H + 20};
    for (int k = 1; k <= 4; ++k) {
        p.OutlineX[k] = xs[k];
        p.OutlineY[k] = ys[k];
    }
    return p;
}

std::vector<CanvasOp> OfKind(const RecordingCanvas& c, CanvasOp::Kind kind) {
    std::vector<CanvasOp> out;
    for (const CanvasOp& op : c.ops) {
        if (op.kind == kind) {
            out.push_back(op);
        }
    }
    return out;
}

const CanvasOp* Text(const RecordingCanvas& c, const std::string& text) {
    for (const CanvasOp& op : c.ops) {
        if (op.kind == CanvasOp::Kind::Text && op.text == text) {
            return &op;
        }
    }
    return nullptr;
}

// Every call's kind, text and exact points, one a line.
std::string Drawn(const RecordingCanvas& c) {
    std::ostringstream out;
    out << std::hexfloat;
    for (const CanvasOp& op : c.ops) {
        out << static_cast<int>(op.kind) << ' ' << op.text;
        for (const Point& p : op.points) {
            out << ' ' << p.x << ',' << p.y;
        }
        out << '\n';
    }
    return out.str();
}

TEST(ProfileFigure, SquareOfOnePointEightDWithThePlateCentred) {
    struct Row {
        const char* name;
        double se, H;
        double side, X0, Y0;
    };
    const Row rows[] = {
        // D = se = 600: X0 = 0.9 D - 0.5 se, Y0 = 0.9 D - 0.4 (H + t).
        {"se wider than H + t", 600, 200, 1080, 240, 452},
        {"H + t larger than se", 100, 200, 396, 148, 110},
        {"equal", 220, 200, 396, 88, 110},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        RecordingCanvas c(300, 300);
        DrawProfileFigure(c, FlatBar(r.se, r.H));
        EXPECT_DOUBLE_EQ(c.ScaleLeft(), 0);
        EXPECT_DOUBLE_EQ(c.ScaleTop(), 0);
        EXPECT_DOUBLE_EQ(c.ScaleRight(), r.side);
        EXPECT_DOUBLE_EQ(c.ScaleBottom(), r.side);  // y grows downwards
        const std::vector<CanvasOp> boxes = OfKind(c, CanvasOp::Kind::Box);
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_DOUBLE_EQ(boxes[0].minX, r.X0);
        EXPECT_DOUBLE_EQ(boxes[0].maxX, r.X0 + r.se);
        EXPECT_DOUBLE_EQ(boxes[0].minY, r.Y0);
        EXPECT_DOUBLE_EQ((boxes[0].minX + boxes[0].maxX) / 2, r.side / 2);
    }

    // A box that is not square keeps a mm a mm both ways: the longer side gets more of them,
    // split evenly.
    RecordingCanvas wide(400, 300);
    DrawProfileFigure(wide, FlatBar(600, 200));
    EXPECT_DOUBLE_EQ(wide.ScaleTop(), 0);
    EXPECT_DOUBLE_EQ(wide.ScaleBottom(), 1080);
    EXPECT_DOUBLE_EQ(wide.ScaleLeft(), -180);
    EXPECT_DOUBLE_EQ(wide.ScaleRight(), 1260);
}

TEST(ProfileFigure, PolygonAndBoxVariants) {
    // Boxes: one per stored pair of corners, the plate first.
    Project boxes = FlatBar(600, 200);
    RecordingCanvas b(300, 300);
    DrawProfileOutline(b, boxes, 0, 0);
    const std::vector<CanvasOp> drawn = OfKind(b, CanvasOp::Kind::Box);
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_DOUBLE_EQ(drawn[1].points[0].x, 295);
    EXPECT_DOUBLE_EQ(drawn[1].points[1].y, 220);
    EXPECT_EQ(drawn[1].fill, FillStyle::Transparent);

    // Polygon: N - 1 lines through the points in order, then the plate between the two corners
    // stored after them.
    Project poly = FlatBar(600, 200);
    poly.OutlineKind = 1;
    poly.OutlineCount = 4;
    const double pts[][2] = {{0, 0},    {295, 20}, {305, 20}, {300, 220},
                             {295, 20}, {0, 0},    {600, 20}};
    for (int k = 1; k <= 6; ++k) {
        poly.OutlineX[k] = pts[k][0];
        poly.OutlineY[k] = pts[k][1];
    }
    RecordingCanvas c(300, 300);
    DrawProfileOutline(c, poly, 10, 20);
    ASSERT_GE(c.ops.size(), 4u);
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        ASSERT_EQ(c.ops[k].kind, CanvasOp::Kind::Line);
        EXPECT_DOUBLE_EQ(c.ops[k].points[0].x, 10 + pts[k + 1][0]);
        EXPECT_DOUBLE_EQ(c.ops[k].points[1].y, 20 + pts[k + 2][1]);
    }
    ASSERT_EQ(c.ops[3].kind, CanvasOp::Kind::Box);
    EXPECT_DOUBLE_EQ(c.ops[3].minX, 10);
    EXPECT_DOUBLE_EQ(c.ops[3].maxX, 610);
    EXPECT_DOUBLE_EQ(c.ops[3].maxY, 40);
}

TEST(ProfileFigure, AxesAndDimensionsWithLabelsApart) {
    const Project p = FlatBar(600, 200);  // HT = 220, u = 22
    RecordingCanvas c(300, 300);
    DrawProfileFigure(c, p);
    const double X0 = 240, Y0 = 452;
    c.SetFontSize(11);
    const double h = c.TextHeight("s");
    const std::vector<CanvasOp> lines = OfKind(c, CanvasOp::Kind::Line);
    auto has = [&](double x1, double y1, double x2, double y2) {
        return std::any_of(lines.begin(), lines.end(), [&](const CanvasOp& op) {
            return std::abs(op.points[0].x - x1) < 1e-9 && std::abs(op.points[0].y - y1) < 1e-9 &&
                   std::abs(op.points[1].x - x2) < 1e-9 && std::abs(op.points[1].y - y2) < 1e-9;
        });
    };
    const double tip = Y0 + 22 - 1.2 * h;
    EXPECT_TRUE(has(X0 + 300, Y0 + 40, X0 + 300, tip)) << "Z axis from the neutral axis up";
    EXPECT_TRUE(has(X0 + 300, tip, X0 + 289, tip + 11)) << "Z arrowhead";
    EXPECT_TRUE(has(X0 + 300, Y0 + 40, X0 - 44, Y0 + 40)) << "Y axis to -0.2 HT";
    EXPECT_TRUE(has(X0 - 44, Y0 + 40, X0 - 33, Y0 + 29)) << "Y arrowhead";
    EXPECT_TRUE(has(X0, Y0 - 44, X0 + 600, Y0 - 44)) << "se over the plate at 0.2 HT";

    const CanvasOp* Y = Text(c, "Y");
    ASSERT_NE(Y, nullptr);
    EXPECT_DOUBLE_EQ(Y->points[0].x, X0 - 66);
    EXPECT_DOUBLE_EQ(Y->points[0].y, Y0 + 40);
    const CanvasOp* H = Text(c, "H");
    ASSERT_NE(H, nullptr);
    EXPECT_NEAR((H->minY + H->maxY) / 2, Y0 + 110, 1e-9);
    EXPECT_GT(H->minX, X0 + 600);

    // The axis runs through the middle of the plate, where "se" would be centred: the labels
    // stand on either side of it and apart from each other.
    const CanvasOp* se = Text(c, "se");
    const CanvasOp* Z = Text(c, "Z");
    ASSERT_NE(se, nullptr);
    ASSERT_NE(Z, nullptr);
    EXPECT_LT(se->maxX, X0 + 300);
    EXPECT_GT(Z->minX, X0 + 300);
    EXPECT_DOUBLE_EQ(se->maxY, Y0 - 44);
    EXPECT_DOUBLE_EQ(Z->maxY, tip);
    EXPECT_EQ(Z->font.size, 11);
}

TEST(ProfileFigure, SketchesWhileFigureToScaleIsSetAndForTheTwoGirderFamilies) {
    Project p;
    NewProject(p);
    ASSERT_NE(p.FigureToScale, 0);
    EXPECT_STREQ(ProfileFigureCaption(p), "Figure not to Scale");
    for (int family = 0; family < 10; ++family) {
        SCOPED_TRACE(family);
        p.StiffProfileType = family;
        RecordingCanvas drawn(200, 150), sketch(200, 150);
        drawn.ScaleTo(0, 0, 4, 3);
        sketch.ScaleTo(0, 0, 4, 3);
        DrawProfileFigure(drawn, p);
        sketch.Clear();
        sketch.DrawSketch(*StiffenerSketch(family), 0, 0, 4, 3);
        EXPECT_EQ(Drawn(drawn), Drawn(sketch));
    }
    p.FigureToScale = 0;
    EXPECT_STREQ(ProfileFigureCaption(p), "Figure to Scale");

    const std::pair<int, std::optional<SketchId>> girders[] = {
        {1, SketchId::GirderL}, {3, SketchId::GirderT}, {2, std::nullopt}, {0, {}}};
    for (const auto& [type, id] : girders) {
        SCOPED_TRACE(type);
        Project g;
        g.GirderProfileType = type;
        RecordingCanvas drawn(200, 150), expected(200, 150);
        EXPECT_EQ(DrawGirderFigure(drawn, g), id.has_value());
        if (id) {
            expected.Clear();
            expected.DrawSketch(*id, 0, 0, 1, 1);
        }
        EXPECT_EQ(Drawn(drawn), Drawn(expected));
    }
}

}  // namespace
}  // namespace kelvor
