#include "report/profilefigure.h"

#include <algorithm>
#include <cstddef>

#include "core/project.h"
#include "report/canvas.h"
#include "report/sketches.h"

namespace kelvor {

namespace {

std::size_t At(int k) {
    return static_cast<std::size_t>(k);
}

// The sketch over the whole surface, in whatever coordinate system the caller set.
void SketchOver(Canvas& c, SketchId id) {
    c.Clear();
    c.DrawSketch(id, c.ScaleLeft(), c.ScaleTop(), c.ScaleRight(), c.ScaleBottom());
}

// The rightmost point of the drawing, plate included, in mm from the figure's origin.
double RightEnd(const Project& p) {
    const int last = p.OutlineKind == 1 ? p.OutlineCount + 2 : 2 * p.OutlineKind;
    double right = p.FigureWidth;
    for (int k = 1; k <= std::min(last, 80); ++k) {
        right = std::max(right, p.OutlineX[At(k)]);
    }
    return right;
}

// Axes through the neutral axis, the plate's width and the height, y growing downwards: the
// plate's outer face is at the top and the profile hangs below it. u = HT/10 sizes the marks.
void Annotate(Canvas& c, const Project& p, double X0, double Y0) {
    const double HT = p.FigureHeight;
    const double se = p.FigureWidth;
    const double u = 0.1 * HT;
    c.SetFontSize(11);
    const double h = c.TextHeight("s");
    const double ax = X0 + p.AxisX;
    const double ay = Y0 + p.AxisHeight;

    // Z up through the plate, arrowhead at its top. Its label and the "se" over the plate
    // share the space above the plate: "se" steps left of the axis where the axis would run
    // through it (every section centred on its web), "Z" right of the axis and of "se".
    const double top = Y0 + u - 1.2 * h;
    c.Line(ax, ay, ax, top);
    c.Line(ax, top, ax - 0.5 * u, top + 0.5 * u);
    c.Line(ax, top, ax + 0.5 * u, top + 0.5 * u);
    const double gap = 0.5 * c.TextWidth("h");
    const double level = Y0 - 0.2 * HT;
    const double seWidth = c.TextWidth("se");
    const double seTop = level - c.TextHeight("B");
    double seLeft = X0 + se / 2 - seWidth / 2;
    if (seLeft < ax + gap && seLeft + seWidth > ax - gap) {
        seLeft = ax - gap - seWidth;
    }
    double zLeft = std::max(X0 + 1.05 * p.AxisX, ax + gap);
    const double zTop = top - h;
    if (zTop < seTop + h && zTop + h > seTop && zLeft < seLeft + seWidth + gap &&
        zLeft + c.TextWidth("Z") > seLeft - gap) {
        zLeft = seLeft + seWidth + gap;
    }
    c.MoveTo(zLeft, zTop);
    c.Print("Z");

    // Y to the left of the section, arrowhead at its left end.
    const double left = X0 - 0.2 * HT;
    c.Line(ax, ay, left, ay);
    c.Line(left, ay, left + 0.5 * u, ay - 0.5 * u);
    c.Line(left, ay, left + 0.5 * u, ay + 0.5 * u);
    c.MoveTo(X0 - 0.3 * HT, ay);
    c.Print("Y");

    // The effective plate width over the plate.
    const double tick = 0.3 * u;
    c.Line(X0, level, X0 + se, level);
    c.Line(X0, level - tick, X0, level + tick);
    c.Line(X0 + se, level - tick, X0 + se, level + tick);
    c.MoveTo(seLeft, seTop);
    c.Print("se");

    // The height H + t right of everything drawn.
    const double start = X0 + RightEnd(p) + 0.25 * u;
    const double mid = start + 0.5 * u;
    c.Line(start, Y0, start + u, Y0);
    c.Line(start, Y0 + HT, start + u, Y0 + HT);
    c.Line(mid, Y0, mid, Y0 + HT);
    c.MoveTo(mid + c.TextWidth("h"), Y0 + HT / 2 - c.TextHeight("H") / 2);
    c.Print("H");
}

}  // namespace

const char* ProfileFigureCaption(const Project& p) {
    return p.FigureToScale != 0 ? "Figure not to Scale" : "Figure to Scale";
}

void DrawProfileFigure(Canvas& c, const Project& p) {
    if (p.FigureToScale != 0) {
        if (const auto sketch = StiffenerSketch(p.StiffProfileType)) {
            SketchOver(c, *sketch);
        } else {
            c.Clear();
        }
        return;
    }
    const double HT = p.FigureHeight;
    const double se = p.FigureWidth;
    const double D = std::max(HT, se);
    const double side = 1.8 * D;
    // The same mm per point across and down, so the section keeps its proportions.
    const double wide = c.WidthPoints() / c.HeightPoints();
    const double extraX = wide > 1 ? side * (wide - 1) / 2 : 0;
    const double extraY = wide < 1 ? side * (1 / wide - 1) / 2 : 0;
    c.ScaleTo(-extraX, -extraY, side + extraX, side + extraY);
    c.Clear();
    c.SetForeColour(kRgbBlack);
    c.SetLineStyle(LineStyle::Solid);
    DrawProfileOutline(c, p, 0.9 * D - 0.5 * se, 0.9 * D - 0.4 * HT);
}

void DrawProfileOutline(Canvas& c, const Project& p, double X0, double Y0) {
    if (p.OutlineKind == 1) {
        DrawProfileOutlinePolygon(c, p, X0, Y0);
    } else {
        DrawProfileOutlineBoxes(c, p, X0, Y0);
    }
}

void DrawProfileOutlinePolygon(Canvas& c, const Project& p, double X0, double Y0) {
    const int n = std::clamp(p.OutlineCount, 0, 78);
    for (int k = 1; k < n; ++k) {
        c.Line(X0 + p.OutlineX[At(k)], Y0 + p.OutlineY[At(k)], X0 + p.OutlineX[At(k + 1)],
               Y0 + p.OutlineY[At(k + 1)]);
    }
    c.Box(X0 + p.OutlineX[At(n + 1)], Y0 + p.OutlineY[At(n + 1)], X0 + p.OutlineX[At(n + 2)],
          Y0 + p.OutlineY[At(n + 2)], FillStyle::Transparent, 0);
    Annotate(c, p, X0, Y0);
}

void DrawProfileOutlineBoxes(Canvas& c, const Project& p, double X0, double Y0) {
    const int m = std::clamp(p.OutlineKind, 0, 40);
    for (int k = 1; k <= m; ++k) {
        c.Box(X0 + p.OutlineX[At(2 * k - 1)], Y0 + p.OutlineY[At(2 * k - 1)],
              X0 + p.OutlineX[At(2 * k)], Y0 + p.OutlineY[At(2 * k)], FillStyle::Transparent, 0);
    }
    Annotate(c, p, X0, Y0);
}

bool DrawGirderFigure(Canvas& c, const Project& p) {
    const auto sketch = GirderSketch(p.GirderProfileType);
    if (!sketch) {
        return false;
    }
    SketchOver(c, *sketch);
    return true;
}

}  // namespace kelvor
