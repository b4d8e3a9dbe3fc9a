#include "report/panelfigure.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "core/project.h"
#include "report/canvas.h"

namespace kelvor {

namespace {

// A line, or, when `text` is set, a text with its top-left corner at (x1, y1).
struct Mark {
    double x1, y1, x2, y2;
    const char* text = nullptr;
};

constexpr Mark Label(double x, double y, const char* text) {
    return {x, y, 0, 0, text};
}

// The fixed marks of the schematic, one table per step of the drawing order.
constexpr Mark kGirderSpan[] = {
    {12, 15, 14, 15}, {13, 15, 13, 50}, {12, 50, 14, 50}, Label(8, 45, "Lg")};
constexpr Mark kStiffenerSpans[] = {{19, 7, 19, 11}, {38, 7, 38, 11},       {54, 7, 54, 11},
                                    {19, 8, 54, 8},  Label(26, 13.5, "L1"), Label(45, 13.5, "L2")};
constexpr Mark kSpacings[] = {{57, 30, 60, 30},    {57, 35, 60, 35}, {59, 30, 59, 35},
                              Label(57, 42, "s1"), {57, 25, 60, 25}, {59, 25, 59, 30},
                              Label(57, 24, "s2")};
constexpr Mark kPointNames[] = {Label(15, 40, "A"), Label(15, 25, "B"), Label(40, 40, "C"),
                                Label(40, 25, "D"), Label(15, 33, "1"), Label(31, 35, "2"),
                                Label(40, 34, "3")};
constexpr Mark kSection[] = {{75, 15, 75, 50}, {75, 15, 90, 15}, {75, 50, 90, 50},
                             {80, 15, 80, 50}, {80, 20, 90, 20}, {80, 45, 90, 45}};
constexpr Mark kBrackets[] = {{80, 25, 85, 20}, {80, 40, 85, 45}, {85, 15, 85, 17},
                              {85, 17, 86, 17}, {85, 50, 85, 48}, {85, 48, 86, 48}};
constexpr Mark kTrippingDistance[] = {
    {70, 25, 72, 25}, {70, 40, 72, 40}, {71, 25, 71, 40}, Label(69, 46, "Lt")};
constexpr Mark kGirderDepth[] = {
    {80, 52, 80, 55}, {85, 52, 85, 55}, {80, 53, 85, 53}, Label(81, 58, "a")};
constexpr Mark kScantlingSpan[] = {
    {83, 24, 89, 24}, {83, 42, 89, 42}, {87, 24, 87, 42}, Label(81, 33, "Lgs")};
constexpr Mark kQuarterDepth[] = {{83, 40, 86, 40}, {85, 40, 85, 42}, Label(90, 43, "0.25a")};
constexpr Mark kBracketToes[] = {{75, 40, 80, 40}, {75, 25, 80, 25}};
constexpr Mark kAxes[] = {{5, 60, 10, 60},    {10, 60, 8.5, 61.5}, {10, 60, 8.5, 58.5},
                          Label(11, 63, "x"), {5, 60, 5, 65},      {5, 65, 3.5, 63.5},
                          {5, 65, 6.5, 63.5}, Label(7, 69, "y")};

int Sign(double v) {
    return (v > 0) - (v < 0);
}

// The canvas seen from the figure's origin.
class Figure {
public:
    Figure(Canvas& canvas, double X0, double Y0) : c_(canvas), X0_(X0), Y0_(Y0) {}

    Canvas& Surface() { return c_; }
    void Line(double x1, double y1, double x2, double y2) {
        c_.Line(X0_ + x1, Y0_ + y1, X0_ + x2, Y0_ + y2);
    }
    void Text(double x, double y, const char* text) {
        c_.MoveTo(X0_ + x, Y0_ + y);
        c_.Print(text);
    }
    // A box by its first corner and its size.
    void Box(double x, double y, double w, double h, FillStyle fill, Rgb fillColour) {
        c_.Box(X0_ + x, Y0_ + y, X0_ + x + w, Y0_ + y + h, fill, fillColour);
    }
    void Dot(double x, double y, double r) { c_.FilledCircle(X0_ + x, Y0_ + y, r, kRgbBlack); }
    void Marks(std::span<const Mark> marks) {
        for (const Mark& m : marks) {
            if (m.text) {
                Text(m.x1, m.y1, m.text);
            } else {
                Line(m.x1, m.y1, m.x2, m.y2);
            }
        }
    }
    // Two wings of 2 units from the tip: across y at x + dx, or across x at y + dy.
    void WingsAtX(double x, double y, double dx) {
        Line(x, y, x + dx, y + 2);
        Line(x, y, x + dx, y - 2);
    }
    void WingsAtY(double x, double y, double dy) {
        Line(x, y, x + 2, y + dy);
        Line(x, y, x - 2, y + dy);
    }

private:
    Canvas& c_;
    double X0_, Y0_;
};

void PlanAndSection(Figure& f) {
    Canvas& c = f.Surface();
    // The surface keeps its state between redraws; a figure that starts from its own state
    // looks the same on every repaint.
    c.SetForeColour(kRgbBlack);
    c.SetLineStyle(LineStyle::Solid);
    c.SetLineWidth(1);
    f.Box(18, 15, 37, 35, FillStyle::Solid, kRgbLightGrey);
    f.Line(20, 15, 20, 50);
    f.Box(37, 15, 2, 35, FillStyle::Solid, kRgbLightOrange);
    f.Line(53, 15, 53, 50);

    c.SetLineStyle(LineStyle::DashDot);
    f.Line(19, 15, 19, 50);
    f.Line(38, 15, 38, 50);
    f.Line(54, 15, 54, 50);
    c.SetLineStyle(LineStyle::Solid);

    for (int i = 1; i <= 6; ++i) {
        const double y = 15 + 5 * i;
        f.Line(20, y, 37, y);
        f.Line(39, y, 53, y);
    }
    f.Box(20, 29, 17, 1.5, FillStyle::Solid, kRgbBlue);
    f.Marks(kGirderSpan);
    f.Marks(kStiffenerSpans);
    f.Marks(kSpacings);

    f.Dot(19, 35, 0.6);
    f.Dot(19, 25, 0.6);
    f.Dot(38, 25, 0.6);
    f.Dot(38, 35, 0.6);
    f.Dot(19, 30, 0.5);
    f.Line(29, 28, 29, 32);
    f.Dot(38, 30, 0.5);
    f.Marks(kPointNames);

    c.SetLineWidth(2);
    f.Marks(kSection);
    c.SetLineWidth(1);
    f.Marks(kBrackets);
    for (int i = 1; i <= 6; ++i) {
        const double y = 15 + 5 * i;
        f.Line(75, y, 77, y);
        f.Line(77, y, 77, y - 1);
    }
    f.Marks(kTrippingDistance);
    f.Marks(kGirderDepth);
    f.Marks(kScantlingSpan);
    f.Marks(kQuarterDepth);
    f.Marks(kBracketToes);
}

// Red, along edge A-B: compression lies left of the base, the larger stress 4 units long.
void LongitudinalStress(Figure& f, double sigxA, double sigxB) {
    if (sigxA == 0 && sigxB == 0) {
        return;
    }
    f.Surface().SetForeColour(kRgbRed);
    const double m = std::max(std::abs(sigxA), std::abs(sigxB));
    const double xA = 6 + 4 * sigxA / m;
    const double xB = 6 + 4 * sigxB / m;
    f.Line(6, 35, 6, 25);
    f.Line(xA, 35, xB, 25);
    for (int i = 0; i <= 6; ++i) {
        const double y = 35 - 10.0 * i / 6;
        f.Line(xA - i * (xA - xB) / 6, y, 6, y);
    }
    // Compression pushes towards the panel, tension pulls away; a zero end has no head.
    if (sigxA != 0) {
        f.WingsAtX(6, 35, 2 * Sign(sigxA));
    }
    if (sigxB != 0) {
        f.WingsAtX(6, 25, 2 * Sign(sigxB));
    }
    f.Surface().SetForeColour(kRgbBlack);
    f.Text(2, 23, "Sigx");
}

// Green, along edge A-C above the plan. SigyC alone draws nothing: the diagram is keyed on A.
void TransverseStress(Figure& f, double sigyA, double sigyC) {
    if (sigyA == 0) {
        return;
    }
    f.Surface().SetForeColour(kRgbGreen);
    const double m = std::max(std::abs(sigyA), std::abs(sigyC));
    const double yA = 62 - 6 * sigyA / m;
    const double yC = 62 - 6 * sigyC / m;
    f.Line(20, 62, 37, 62);
    f.Line(20, yA, 37, yC);
    for (int i = 0; i <= 10; ++i) {
        const double x = 20 + 1.7 * i;
        f.Line(x, yA - i * (yA - yC) / 10, x, 62);
    }
    // Compression pushes down onto the panel, tension pulls up.
    f.WingsAtY(20, 62, -2 * Sign(sigyA));
    if (sigyC != 0) {
        f.WingsAtY(37, 62, -2 * Sign(sigyC));
    }
    f.Text(40, 67, "Sigy");
}

// Blue, beside the section on the side the pressure acts from, pointing at the section.
void Pressure(Figure& f, double p) {
    f.Surface().SetForeColour(kRgbBlue);
    const bool plateSide = p > 0;
    const double base = plateSide ? 63 : 93;
    const double envelope = plateSide ? 67 : 97;
    f.Line(base, 35, base, 25);
    f.Line(envelope, 35, envelope, 25);
    for (int i = 0; i <= 6; ++i) {
        const double y = 35 - 10.0 * i / 6;
        f.Line(envelope, y, base, y);
    }
    const double tip = plateSide ? envelope : base;
    const double dx = plateSide ? -2 : 2;
    f.WingsAtX(tip, 35, dx);
    f.WingsAtX(tip, 25, dx);
    f.Text(plateSide ? 63 : 92, 23, "p/ps");
}

}  // namespace

void DrawPanelFigure(Canvas& canvas, const Project& p, double X0, double Y0) {
    Figure f(canvas, X0, Y0);
    PlanAndSection(f);
    canvas.SetLineStyle(LineStyle::Solid);
    LongitudinalStress(f, p.SigxA, p.SigxB);
    TransverseStress(f, p.SigyA, p.SigyC);
    Pressure(f, p.p);
    // The axes carry no colour of their own: black, whatever diagram came last.
    canvas.SetForeColour(kRgbBlack);
    f.Marks(kAxes);
    // Fills are given per call, so no fill state is left behind for the next drawing.
}

}  // namespace kelvor
