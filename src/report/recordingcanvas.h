#pragma once

// A canvas that keeps every drawing call as data, for tests that read what a figure drew.

#include <string>
#include <vector>

#include "report/canvas.h"

namespace kelvor {

struct CanvasOp {
    enum class Kind { Clear, Line, Box, Polygon, Circle, Text };
    Kind kind = Kind::Line;
    // Line: its two ends; Box: two opposite corners; Polygon: its points; Circle: the centre;
    // Text: the top-left corner.
    std::vector<Point> points;
    double r = 0;  // circle radius
    std::string text;
    FillStyle fill = FillStyle::Transparent;
    Rgb fillColour = 0;
    // The state the call was drawn with.
    Rgb fore = 0;
    LineStyle lineStyle = LineStyle::Solid;
    double lineWidth = 1;
    Font font;
    // What the call covers, in user units (text by the metrics model).
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
};

// Text metrics of a plain model: every character is 0.6 of the font size wide and a line is 1.2
// of it high, in points, converted to user units through the surface size in points given here.
class RecordingCanvas : public Canvas {
public:
    explicit RecordingCanvas(double widthPoints = 400, double heightPoints = 300);

    std::vector<CanvasOp> ops;

    void Line(double x1, double y1, double x2, double y2) override;
    void Box(double x1, double y1, double x2, double y2, FillStyle fill, Rgb fillColour) override;
    void Polygon(const std::vector<Point>& points, FillStyle fill, Rgb fillColour) override;
    void FilledCircle(double x, double y, double r, Rgb colour) override;
    double TextWidth(const std::string& text) const override;
    double TextHeight(const std::string& text) const override;
    double WidthPoints() const override { return widthPoints_; }
    double HeightPoints() const override { return heightPoints_; }

protected:
    void ClearSurface() override;
    void DrawText(double x, double y, const std::string& text) override;

private:
    CanvasOp& Record(CanvasOp::Kind kind, std::vector<Point> points);
    double widthPoints_;
    double heightPoints_;
};

}  // namespace kelvor
