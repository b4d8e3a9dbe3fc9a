#pragma once

// The one drawing surface of the figures and the printed report. The screen, the printer and PDF
// are backends (src/qt); a recording backend lets the tests read what a figure drew.

#include <string>
#include <vector>

#include "core/resultlist.h"

namespace kelvor {

// The colours the figures name.
constexpr Rgb kRgbBlack = RgbOf(0, 0, 0);
constexpr Rgb kRgbWhite = RgbOf(255, 255, 255);
constexpr Rgb kRgbLightGrey = RgbOf(192, 192, 192);
constexpr Rgb kRgbLightOrange = RgbOf(255, 192, 128);
constexpr Rgb kRgbBlue = RgbOf(0, 0, 255);
constexpr Rgb kRgbRed = RgbOf(255, 0, 0);
constexpr Rgb kRgbGreen = RgbOf(0, 255, 0);

enum class FillStyle { Transparent, Solid };
enum class LineStyle { Solid, DashDot };

struct Point {
    double x = 0;
    double y = 0;
};

struct Font {
    std::string name = "arial";  // "arial", "times new roman", "courier new" or a family name
    double size = 10;            // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

// The fixed sketches of the profile families. The stiffener sketches come first, in the order of
// the family codes 0..9, so that a family code converts directly.
enum class SketchId {
    LTable,
    LBuiltUp,
    TTable,
    TBuiltUp,
    FlatBarTable,
    FlatBarBuiltUp,
    BulbFlat,
    Rhs,
    Trapezoid,
    IBuiltUp,
    GirderL,
    GirderT,
};
constexpr int kSketchCount = 12;

class Canvas {
public:
    virtual ~Canvas() = default;

    // User coordinates: (x1, y1) is the surface's top-left corner and (x2, y2) its bottom-right
    // one, so y grows upwards when y2 < y1. The axes scale independently.
    void ScaleTo(double x1, double y1, double x2, double y2);
    double ScaleLeft() const { return left_; }
    double ScaleTop() const { return top_; }
    double ScaleRight() const { return right_; }
    double ScaleBottom() const { return bottom_; }
    bool YUp() const { return bottom_ < top_; }
    // The surface's size in points (1/72 inch): with it a figure can keep shapes round and size
    // marks the same on screen and paper, whatever the coordinate system.
    virtual double WidthPoints() const = 0;
    virtual double HeightPoints() const = 0;
    double UnitsPerPointX() const;
    double UnitsPerPointY() const;

    // Whole surface to white; the current position goes back to the top-left corner.
    void Clear();

    // Primitives, in the current fore colour, line style and line width. A box or polygon is
    // outlined in the fore colour and, with a solid fill, filled with `fillColour`. A circle's
    // radius is measured along x and stays round on the surface.
    virtual void Line(double x1, double y1, double x2, double y2) = 0;
    virtual void Box(double x1, double y1, double x2, double y2, FillStyle fill,
                     Rgb fillColour) = 0;
    virtual void Polygon(const std::vector<Point>& points, FillStyle fill, Rgb fillColour) = 0;
    virtual void FilledCircle(double x, double y, double r, Rgb colour) = 0;

    // Text goes with its top-left corner at the current position, in the current font and fore
    // colour, and moves the position right by its width, so pieces in other fonts can follow on
    // the same line.
    void MoveTo(double x, double y);
    double CurrentX() const { return x_; }
    double CurrentY() const { return y_; }
    void Print(const std::string& text);
    // In user units, never negative whichever way the axes run.
    virtual double TextWidth(const std::string& text) const = 0;
    virtual double TextHeight(const std::string& text) const = 0;

    const Font& CurrentFont() const { return font_; }
    void SetFont(const Font& font) { font_ = font; }
    void SetFontName(const std::string& name) { font_.name = name; }
    void SetFontSize(double points) { font_.size = points; }
    void SetBold(bool on) { font_.bold = on; }
    void SetItalic(bool on) { font_.italic = on; }
    void SetUnderline(bool on) { font_.underline = on; }

    Rgb ForeColour() const { return fore_; }
    void SetForeColour(Rgb colour) { fore_ = colour; }
    LineStyle CurrentLineStyle() const { return lineStyle_; }
    void SetLineStyle(LineStyle style) { lineStyle_ = style; }
    // In screen pixels (1/96 inch), so a width-2 line looks the same on paper as on screen.
    double LineWidth() const { return lineWidth_; }
    void SetLineWidth(double width) { lineWidth_ = width; }

    // A family sketch fitted into the rectangle between two opposite corners, drawn through the
    // primitives above (sketches.cpp). The canvas state is as before afterwards.
    void DrawSketch(SketchId id, double x1, double y1, double x2, double y2);

protected:
    virtual void ClearSurface() = 0;
    virtual void DrawText(double x, double y, const std::string& text) = 0;

private:
    double left_ = 0, top_ = 0, right_ = 1, bottom_ = 1;
    double x_ = 0, y_ = 0;
    Font font_;
    Rgb fore_ = kRgbBlack;
    LineStyle lineStyle_ = LineStyle::Solid;
    double lineWidth_ = 1;
};

}  // namespace kelvor
