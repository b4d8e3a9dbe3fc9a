#include "report/recordingcanvas.h"

#include <algorithm>
#include <cmath>

namespace kelvor {

namespace {

// Characters, not bytes: a UTF-8 continuation byte adds no width.
std::size_t CharacterCount(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

}  // namespace

RecordingCanvas::RecordingCanvas(double widthPoints, double heightPoints)
    : widthPoints_(widthPoints), heightPoints_(heightPoints) {}

CanvasOp& RecordingCanvas::Record(CanvasOp::Kind kind, std::vector<Point> points) {
    CanvasOp op;
    op.kind = kind;
    op.points = std::move(points);
    op.fore = ForeColour();
    op.lineStyle = CurrentLineStyle();
    op.lineWidth = LineWidth();
    op.font = CurrentFont();
    if (!op.points.empty()) {
        auto [minX, maxX] = std::minmax_element(op.points.begin(), op.points.end(),
                                                [](Point a, Point b) { return a.x < b.x; });
        auto [minY, maxY] = std::minmax_element(op.points.begin(), op.points.end(),
                                                [](Point a, Point b) { return a.y < b.y; });
        op.minX = minX->x;
        op.maxX = maxX->x;
        op.minY = minY->y;
        op.maxY = maxY->y;
    }
    ops.push_back(std::move(op));
    return ops.back();
}

void RecordingCanvas::ClearSurface() {
    Record(CanvasOp::Kind::Clear, {});
}

void RecordingCanvas::Line(double x1, double y1, double x2, double y2) {
    Record(CanvasOp::Kind::Line, {{x1, y1}, {x2, y2}});
}

void RecordingCanvas::Box(double x1, double y1, double x2, double y2, FillStyle fill,
                          Rgb fillColour) {
    CanvasOp& op = Record(CanvasOp::Kind::Box, {{x1, y1}, {x2, y2}});
    op.fill = fill;
    op.fillColour = fillColour;
}

void RecordingCanvas::Polygon(const std::vector<Point>& points, FillStyle fill, Rgb fillColour) {
    CanvasOp& op = Record(CanvasOp::Kind::Polygon, points);
    op.fill = fill;
    op.fillColour = fillColour;
}

void RecordingCanvas::FilledCircle(double x, double y, double r, Rgb colour) {
    CanvasOp& op = Record(CanvasOp::Kind::Circle, {{x, y}});
    op.r = r;
    op.fill = FillStyle::Solid;
    op.fillColour = colour;
    // Round on the surface: the radius is along x, so along y it scales by the axes' ratio.
    const double ry = r / UnitsPerPointX() * UnitsPerPointY();
    op.minX = x - r;
    op.maxX = x + r;
    op.minY = y - ry;
    op.maxY = y + ry;
}

void RecordingCanvas::DrawText(double x, double y, const std::string& text) {
    CanvasOp& op = Record(CanvasOp::Kind::Text, {{x, y}});
    op.text = text;
    const double w = TextWidth(text) * (ScaleRight() < ScaleLeft() ? -1 : 1);
    const double h = TextHeight(text) * (YUp() ? -1 : 1);
    op.minX = std::min(x, x + w);
    op.maxX = std::max(x, x + w);
    op.minY = std::min(y, y + h);
    op.maxY = std::max(y, y + h);
}

double RecordingCanvas::TextWidth(const std::string& text) const {
    const double points = 0.6 * CurrentFont().size * static_cast<double>(CharacterCount(text));
    return points * UnitsPerPointX();
}

double RecordingCanvas::TextHeight(const std::string&) const {
    return 1.2 * CurrentFont().size * UnitsPerPointY();
}

}  // namespace kelvor
