// The family sketches on the recording canvas: inside their rectangle in any coordinate system,
// undistorted, with the dimension names of their family and labels that don't run into each
// other, from button size to a printed page.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>

#include "report/recordingcanvas.h"
#include "report/sketches.h"

namespace kelvor {
namespace {

// A surface in points and the rectangle the sketch goes into, in that surface's user units.
struct Placement {
    const char* name;
    double widthPt, heightPt;
    double left, top, right, bottom;  // ScaleTo
    double x1, y1, x2, y2;            // the sketch's corners
};

const Placement kPlacements[] = {
    {"button, 64 x 48 px", 48, 36, 0, 0, 64, 48, 0, 0, 64, 48},
    {"dialog, y up", 300, 225, 0, 300, 400, 0, 0, 300, 400, 0},
    {"corners given the other way", 300, 225, 0, 0, 400, 300, 400, 300, 0, 0},
    {"wide strip", 300, 60, 0, 0, 100, 100, 10, 10, 90, 90},
    {"tall box", 60, 200, 0, 0, 100, 100, 0, 0, 100, 100},
    {"on the page, 280 x 400 upwards", 540, 770, 0, 400, 280, 0, 20, 380, 80, 335},
};

std::vector<SketchId> AllSketches() {
    std::vector<SketchId> ids;
    for (int i = 0; i < kSketchCount; ++i) {
        ids.push_back(static_cast<SketchId>(i));
    }
    return ids;
}

RecordingCanvas Draw(SketchId id, const Placement& at) {
    RecordingCanvas c(at.widthPt, at.heightPt);
    c.ScaleTo(at.left, at.top, at.right, at.bottom);
    c.DrawSketch(id, at.x1, at.y1, at.x2, at.y2);
    return c;
}

bool Overlap(const CanvasOp& a, const CanvasOp& b) {
    return a.minX < b.maxX && b.minX < a.maxX && a.minY < b.maxY && b.minY < a.maxY;
}

TEST(Sketch, StaysInsideItsRectangleWithLabelsApart) {
    for (const Placement& at : kPlacements) {
        for (SketchId id : AllSketches()) {
            SCOPED_TRACE(std::string(at.name) + ", " + SketchName(id));
            const RecordingCanvas c = Draw(id, at);
            const double minX = std::min(at.x1, at.x2), maxX = std::max(at.x1, at.x2);
            const double minY = std::min(at.y1, at.y2), maxY = std::max(at.y1, at.y2);
            std::vector<CanvasOp> labels;
            for (const CanvasOp& op : c.ops) {
                EXPECT_GE(op.minX, minX - 1e-9);
                EXPECT_LE(op.maxX, maxX + 1e-9);
                EXPECT_GE(op.minY, minY - 1e-9);
                EXPECT_LE(op.maxY, maxY + 1e-9);
                if (op.kind == CanvasOp::Kind::Text) {
                    labels.push_back(op);
                }
            }
            for (std::size_t i = 0; i < labels.size(); ++i) {
                for (std::size_t k = i + 1; k < labels.size(); ++k) {
                    EXPECT_FALSE(Overlap(labels[i], labels[k]))
                        << labels[i].text << " and " << labels[k].text;
                }
            }
        }
    }
}

TEST(Sketch, KeepsItsShapeWhateverTheAxes) {
    // The attached plate is drawn first, 88 by 5 design units: its sides in points keep that
    // ratio on every surface, however the user units stretch.
    for (const Placement& at : kPlacements) {
        SCOPED_TRACE(at.name);
        const RecordingCanvas c = Draw(SketchId::TBuiltUp, at);
        const CanvasOp& plate = c.ops.front();
        ASSERT_EQ(plate.kind, CanvasOp::Kind::Polygon);
        const double w = (plate.maxX - plate.minX) / c.UnitsPerPointX();
        const double h = (plate.maxY - plate.minY) / c.UnitsPerPointY();
        EXPECT_NEAR(w / h, 88.0 / 5.0, 1e-9);
        // and the plate lies at the bottom of the rectangle as the surface shows it
        const double plateMid = (plate.minY + plate.maxY) / 2;
        const double rectMid = (at.y1 + at.y2) / 2;
        EXPECT_EQ(plateMid < rectMid, c.YUp());
    }
}

TEST(Sketch, NamesTheDimensionsOfItsFamily) {
    using Names = std::set<std::string>;
    const Names flanged{"H", "B", "tw", "tf"};
    const std::pair<SketchId, Names> rows[] = {
        {SketchId::LTable, flanged},
        {SketchId::LBuiltUp, flanged},
        {SketchId::TTable, flanged},
        {SketchId::TBuiltUp, flanged},
        {SketchId::FlatBarTable, {"H", "tw"}},
        {SketchId::FlatBarBuiltUp, {"H", "tw"}},
        {SketchId::BulbFlat, {"H", "tw", "c", "r"}},
        {SketchId::Rhs, {"H", "B", "tw"}},
        {SketchId::Trapezoid, {"H", "B", "a", "tw"}},
        {SketchId::IBuiltUp, flanged},
        {SketchId::GirderL, flanged},
        {SketchId::GirderT, flanged},
    };
    for (const auto& [id, names] : rows) {
        for (const Placement& at : {kPlacements[0], kPlacements[1]}) {
            SCOPED_TRACE(std::string(SketchName(id)) + ", " + at.name);
            const RecordingCanvas c = Draw(id, at);
            std::multiset<std::string> drawn;
            for (const CanvasOp& op : c.ops) {
                if (op.kind == CanvasOp::Kind::Text) {
                    drawn.insert(op.text);
                }
            }
            EXPECT_EQ(drawn, std::multiset<std::string>(names.begin(), names.end()));
        }
    }
}

TEST(Sketch, LeavesTheCanvasAsItFoundIt) {
    RecordingCanvas c(400, 300);
    c.ScaleTo(0, 75, 100, 0);
    Font font;
    font.name = "times new roman";
    font.size = 9;
    font.bold = true;
    c.SetFont(font);
    c.SetForeColour(kRgbGreen);
    c.SetLineStyle(LineStyle::DashDot);
    c.SetLineWidth(2);
    c.MoveTo(12, 34);
    c.DrawSketch(SketchId::BulbFlat, 10, 70, 50, 40);
    EXPECT_EQ(c.CurrentFont().name, "times new roman");
    EXPECT_EQ(c.CurrentFont().size, 9);
    EXPECT_TRUE(c.CurrentFont().bold);
    EXPECT_EQ(c.ForeColour(), kRgbGreen);
    EXPECT_EQ(c.CurrentLineStyle(), LineStyle::DashDot);
    EXPECT_EQ(c.LineWidth(), 2);
    EXPECT_EQ(c.CurrentX(), 12);
    EXPECT_EQ(c.CurrentY(), 34);
}

}  // namespace
}  // namespace kelvor
