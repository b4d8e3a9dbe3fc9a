#include "report/canvas.h"

#include <cmath>

#include "report/sketches.h"

namespace kelvor {

void Canvas::ScaleTo(double x1, double y1, double x2, double y2) {
    left_ = x1;
    top_ = y1;
    right_ = x2;
    bottom_ = y2;
}

double Canvas::UnitsPerPointX() const {
    return std::abs(right_ - left_) / WidthPoints();
}

double Canvas::UnitsPerPointY() const {
    return std::abs(top_ - bottom_) / HeightPoints();
}

void Canvas::Clear() {
    ClearSurface();
    MoveTo(left_, top_);
}

void Canvas::MoveTo(double x, double y) {
    x_ = x;
    y_ = y;
}

void Canvas::Print(const std::string& text) {
    DrawText(x_, y_, text);
    x_ += (right_ < left_ ? -1 : 1) * TextWidth(text);
}

void Canvas::DrawSketch(SketchId id, double x1, double y1, double x2, double y2) {
    const Font font = font_;
    const Rgb fore = fore_;
    const LineStyle style = lineStyle_;
    const double width = lineWidth_;
    const double x = x_;
    const double y = y_;
    PaintSketch(*this, id, x1, y1, x2, y2);
    font_ = font;
    fore_ = fore;
    lineStyle_ = style;
    lineWidth_ = width;
    x_ = x;
    y_ = y;
}

}  // namespace kelvor
