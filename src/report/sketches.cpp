#include "report/sketches.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cmath>
#include <vector>

namespace kelvor {

namespace {

// Sketches are laid out in design units on a 100 x 75 field, x to the right and y up, with the
// attached plate along the bottom. One design unit is the same length across and up, so the
// field keeps its shape in any rectangle.
constexpr double kFieldW = 100;
constexpr double kFieldH = 75;

using Outline = std::vector<Point>;

// How a dimension is marked: a length between two points with arrowheads at both ends; a
// thickness as two arrows pointing from outside at the faces a and b; a leader from the label
// at a to the point b.
enum class Mark { Length, Thickness, Leader };
// Where the label sits next to its anchor.
enum class Side { Left, Right, Above, Below };

using Segment = std::array<Point, 2>;

Segment Seg(double x1, double y1, double x2, double y2) {
    return {Point{x1, y1}, Point{x2, y2}};
}

struct Dimension {
    const char* name;
    Mark mark;
    Point a, b;
    Point label;
    Side side;
    std::vector<Segment> extensions = {};
};

struct Sketch {
    std::vector<Outline> solids;    // filled and outlined
    std::vector<Outline> fills;     // filled only: pieces of one rolled section
    std::vector<Outline> outlines;  // outlined only
    std::vector<Dimension> dims;
};

Outline Rect(double x1, double y1, double x2, double y2) {
    return {{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}};
}

// The attached plate of every sketch: its top face, y = 13, is where H starts.
const Outline kPlate = Rect(6, 8, 94, 13);

// H to the left of a section whose left face is at x = left, from the plate to y = top.
void AddHeight(Sketch& s, double left, double top) {
    const double x = left - 8;
    s.dims.push_back({"H",
                      Mark::Length,
                      {x, 13},
                      {x, top},
                      {x, (13 + top) / 2},
                      Side::Left,
                      {Seg(left - 1.5, top, x - 2, top)}});
}

// A width named `name` above the section top, between x1 and x2.
void AddWidth(Sketch& s, const char* name, double x1, double x2, double top) {
    const double y = top + 5;
    s.dims.push_back({name,
                      Mark::Length,
                      {x1, y},
                      {x2, y},
                      {(x1 + x2) / 2, y},
                      Side::Above,
                      {Seg(x1, top + 1.5, x1, y + 2), Seg(x2, top + 1.5, x2, y + 2)}});
}

// The web thickness, arrows across the web at height y, the label to the right.
void AddWebThickness(Sketch& s, double left, double right, double y) {
    s.dims.push_back({"tw", Mark::Thickness, {left, y}, {right, y}, {right, y}, Side::Right});
}

// The flange thickness outside the flange's right end, between y1 (top) and y2.
void AddFlangeThickness(Sketch& s, double end, double y1, double y2) {
    const double x = end + 4;
    s.dims.push_back({"tf",
                      Mark::Thickness,
                      {x, y1},
                      {x, y2},
                      {end, (y1 + y2) / 2},
                      Side::Right,
                      {Seg(end + 1.5, y1, x + 2, y1), Seg(end + 1.5, y2, x + 2, y2)}});
}

// Flanged sections: web from `webLeft` with thickness `tw`, flange from x1 to x2 and tf thick,
// the section 37 units high. Rolled sections get root fillets of radius 5 and are one piece.
Sketch Flanged(double webLeft, double tw, double x1, double x2, double tf, bool rolled) {
    constexpr double top = 50;
    const double webRight = webLeft + tw;
    const double under = top - tf;
    Sketch s;
    if (rolled) {
        constexpr double r = 5;
        // Quarter circles from the web face to the flange's underside.
        const double k1 = 0.134 * r;  // 1 - cos 30 deg
        const double k2 = 0.5 * r;    // 1 - cos 60 deg
        Outline o = {{webLeft, 13}, {webRight, 13}, {webRight, under - r}};
        if (x2 > webRight) {
            o.insert(
                o.end(),
                {{webRight + k1, under - k2}, {webRight + k2, under - k1}, {webRight + r, under}});
        }
        o.insert(o.end(), {{x2, under}, {x2, top}, {x1, top}, {x1, under}});
        if (x1 < webLeft) {
            o.insert(o.end(), {{webLeft - r, under},
                               {webLeft - k2, under - k1},
                               {webLeft - k1, under - k2},
                               {webLeft, under - r}});
        }
        s.solids.push_back(o);
    } else {
        s.solids.push_back(Rect(webLeft, 13, webRight, under));
        s.solids.push_back(Rect(x1, under, x2, top));
    }
    AddHeight(s, std::min(x1, webLeft), top);
    AddWidth(s, "B", x1, x2, top);
    AddWebThickness(s, webLeft, webRight, 22);
    AddFlangeThickness(s, x2, top, under);
    return s;
}

Sketch FlatBar() {
    Sketch s;
    s.solids.push_back(Rect(47, 13, 53, 50));
    AddHeight(s, 47, 50);
    AddWebThickness(s, 47, 53, 22);
    return s;
}

// The bulb flat as its catalogue outline: web 5, bulb overhang c = 10, top radius r = 7.
Sketch BulbFlat() {
    Sketch s;
    s.solids.push_back({{44, 13},
                        {44, 50},
                        {52, 50},
                        {54.68, 49.47},
                        {56.95, 47.95},
                        {58.47, 45.68},
                        {59, 43},
                        {58.4, 40.2},
                        {56.9, 38.1},
                        {52.5, 35.3},
                        {49, 33.5},
                        {49, 13}});
    AddHeight(s, 44, 50);
    AddWebThickness(s, 44, 49, 22);
    s.dims.push_back({"c",
                      Mark::Length,
                      {49, 55},
                      {59, 55},
                      {54, 55},
                      Side::Above,
                      {Seg(49, 51.5, 49, 57), Seg(59, 44.5, 59, 57)}});
    s.dims.push_back({"r", Mark::Leader, {65, 54}, {57.3, 48.3}, {65, 54}, Side::Right});
    return s;
}

// Rolled hollow section: one piece, walls 4 thick.
Sketch Rhs() {
    Sketch s;
    s.fills = {Rect(36, 13, 40, 50), Rect(60, 13, 64, 50), Rect(40, 13, 60, 17),
               Rect(40, 46, 60, 50)};
    s.outlines = {Rect(36, 13, 64, 50), Rect(40, 17, 60, 46)};
    AddHeight(s, 36, 50);
    AddWidth(s, "B", 36, 64, 50);
    AddWebThickness(s, 60, 64, 31.5);
    return s;
}

// Trapezoid: webs 3.5 thick, each leaning out by the offset a from the top corner to the plate.
Sketch Trapezoid() {
    Sketch s;
    s.solids.push_back({{26, 13},
                        {38, 50},
                        {62, 50},
                        {74, 13},
                        {70.32, 13},
                        {59.46, 46.5},
                        {40.54, 46.5},
                        {29.68, 13}});
    AddHeight(s, 26, 50);
    // H is measured to the top corner at x = 38.
    s.dims.back().extensions[0][0] = {36.5, 50};
    AddWidth(s, "B", 38, 62, 50);
    s.dims.push_back(
        {"a", Mark::Length, {62, 55}, {74, 55}, {68, 55}, Side::Above, {Seg(74, 14.5, 74, 57)}});
    // Across the left web, square to it.
    s.dims.push_back(
        {"tw", Mark::Thickness, {31.51, 30}, {34.84, 28.92}, {34.84, 28.92}, Side::Right});
    return s;
}

Sketch IBuiltUp() {
    Sketch s;
    s.solids = {Rect(36, 13, 64, 17.5), Rect(47.5, 17.5, 52.5, 45.5), Rect(36, 45.5, 64, 50)};
    AddHeight(s, 36, 50);
    AddWidth(s, "B", 36, 64, 50);
    AddWebThickness(s, 47.5, 52.5, 31.5);
    AddFlangeThickness(s, 64, 50, 45.5);
    return s;
}

// In the order of SketchId.
const std::vector<Sketch>& Sketches() {
    static const std::vector<Sketch> sketches = {
        Flanged(40, 5, 40, 68, 5, true),     // L table
        Flanged(40, 5, 40, 68, 5, false),    // L built up
        Flanged(47.5, 5, 34, 66, 5, true),   // T table
        Flanged(47.5, 5, 34, 66, 5, false),  // T built up
        FlatBar(),
        FlatBar(),
        BulbFlat(),
        Rhs(),
        Trapezoid(),
        IBuiltUp(),
        Flanged(40, 4, 40, 70, 4, false),  // girder L
        Flanged(48, 4, 32, 68, 4, false),  // girder T
    };
    assert(sketches.size() == static_cast<std::size_t>(kSketchCount));
    return sketches;
}

constexpr Rgb kSteel = RgbOf(168, 178, 192);
constexpr Rgb kPlateSteel = RgbOf(208, 214, 222);
constexpr Rgb kSectionLine = RgbOf(32, 32, 32);
constexpr Rgb kDimension = RgbOf(0, 48, 160);

// Design units onto the canvas.
class Frame {
public:
    Frame(Canvas& c, double x1, double y1, double x2, double y2) : c_(c) {
        const double ux = c.UnitsPerPointX();
        const double uy = c.UnitsPerPointY();
        pointsPerUnit_ =
            std::min(std::abs(x2 - x1) / ux / kFieldW, std::abs(y2 - y1) / uy / kFieldH);
        sx_ = pointsPerUnit_ * ux * (c.ScaleRight() < c.ScaleLeft() ? -1 : 1);
        sy_ = pointsPerUnit_ * uy * (c.YUp() ? 1 : -1);
        ox_ = (x1 + x2) / 2 - sx_ * kFieldW / 2;
        oy_ = (y1 + y2) / 2 - sy_ * kFieldH / 2;
    }

    double PointsPerUnit() const { return pointsPerUnit_; }
    Point Map(Point p) const { return {ox_ + sx_ * p.x, oy_ + sy_ * p.y}; }
    std::vector<Point> Map(const Outline& o) const {
        std::vector<Point> out;
        out.reserve(o.size());
        for (Point p : o) {
            out.push_back(Map(p));
        }
        return out;
    }
    void Line(Point a, Point b) {
        const Point m = Map(a);
        const Point n = Map(b);
        c_.Line(m.x, m.y, n.x, n.y);
    }
    double TextW(const char* text) const { return c_.TextWidth(text) / std::abs(sx_); }
    double TextH(const char* text) const { return c_.TextHeight(text) / std::abs(sy_); }
    // Text by its bottom-left corner in design units.
    void Text(const char* text, double left, double bottom) {
        const Point topLeft = Map({left, bottom + TextH(text)});
        c_.MoveTo(topLeft.x, topLeft.y);
        c_.Print(text);
    }

private:
    Canvas& c_;
    double pointsPerUnit_;
    double sx_, sy_, ox_, oy_;
};

Point Along(Point from, Point dir, double length) {
    return {from.x + dir.x * length, from.y + dir.y * length};
}

Point UnitVector(Point a, Point b) {
    const double len = std::hypot(b.x - a.x, b.y - a.y);
    return {(b.x - a.x) / len, (b.y - a.y) / len};
}

class Painter {
public:
    Painter(Canvas& c, Frame& f) : c_(c), f_(f) {
        // Arrowheads of about 0.45 of the label size, kept short on small sketches.
        head_ = std::min(0.45 * c.CurrentFont().size / f.PointsPerUnit(), 4.5);
        // Below about 130 x 100 pixels thickness arrows shrink to dots that hide the section;
        // there the names alone sit next to the plates they name.
        compact_ = f.PointsPerUnit() < 1.0;
    }

    void Dim(const Dimension& d) {
        Point anchor = d.label;
        if (d.mark == Mark::Thickness && compact_) {
            Label(d.name, anchor, d.side);
            return;
        }
        for (const Segment& e : d.extensions) {
            f_.Line(e[0], e[1]);
        }
        if (d.mark == Mark::Length) {
            const Point u = UnitVector(d.a, d.b);
            const double len = std::hypot(d.b.x - d.a.x, d.b.y - d.a.y);
            const double head = std::min(head_, 0.45 * len);
            f_.Line(d.a, d.b);
            Head(d.a, {-u.x, -u.y}, head);
            Head(d.b, u, head);
        } else if (d.mark == Mark::Thickness) {
            const Point u = UnitVector(d.a, d.b);
            constexpr double shaft = 5.5;
            const Point tailA = Along(d.a, u, -shaft);
            const Point tailB = Along(d.b, u, shaft);
            f_.Line(tailA, d.a);
            f_.Line(tailB, d.b);
            Head(d.a, u, head_);
            Head(d.b, {-u.x, -u.y}, head_);
            // A label never sits on its own arrows.
            if (d.side == Side::Right) {
                anchor.x = std::max({anchor.x, tailA.x + 1, tailB.x + 1});
            }
        } else {
            f_.Line(d.a, d.b);
            Head(d.b, UnitVector(d.a, d.b), head_);
        }
        Label(d.name, anchor, d.side);
    }

private:
    // A filled arrowhead with its tip at `tip`, pointing along `dir`.
    void Head(Point tip, Point dir, double length) {
        const Point back = Along(tip, dir, -length);
        const Point across{-dir.y * 0.35 * length, dir.x * 0.35 * length};
        c_.Polygon(f_.Map(Outline{tip,
                                  {back.x + across.x, back.y + across.y},
                                  {back.x - across.x, back.y - across.y}}),
                   FillStyle::Solid, c_.ForeColour());
    }

    void Label(const char* name, Point at, Side side) {
        const double w = f_.TextW(name);
        const double h = f_.TextH(name);
        const double gap = 0.15 * h;
        double left = at.x - w / 2;
        double bottom = at.y - h / 2;
        switch (side) {
            case Side::Left:
                left = at.x - gap - w;
                break;
            case Side::Right:
                left = at.x + gap;
                break;
            case Side::Above:
                bottom = at.y + gap;
                break;
            case Side::Below:
                bottom = at.y - gap - h;
                break;
        }
        f_.Text(name, left, bottom);
    }

    Canvas& c_;
    Frame& f_;
    double head_;
    bool compact_;
};

}  // namespace

std::optional<SketchId> StiffenerSketch(int family) {
    if (family < 0 || family > 9) {
        return std::nullopt;
    }
    return static_cast<SketchId>(family);
}

std::optional<SketchId> GirderSketch(int girderType) {
    if (girderType == 1) {
        return SketchId::GirderL;
    }
    if (girderType == 3) {
        return SketchId::GirderT;
    }
    return std::nullopt;
}

const char* SketchName(SketchId id) {
    static constexpr const char* kNames[kSketchCount] = {
        "L table",   "L built up", "T table",   "T built up", "flat bar table", "flat bar built up",
        "bulb flat", "RHS",        "trapezoid", "I built up", "girder L",       "girder T"};
    return kNames[static_cast<int>(id)];
}

void PaintSketch(Canvas& canvas, SketchId id, double x1, double y1, double x2, double y2) {
    const Sketch& s = Sketches()[static_cast<std::size_t>(id)];
    Frame f(canvas, x1, y1, x2, y2);
    Font font;
    font.size = std::clamp(11 * f.PointsPerUnit(), 6.0, 10.0);
    canvas.SetFont(font);
    canvas.SetLineStyle(LineStyle::Solid);
    canvas.SetLineWidth(1);

    canvas.SetForeColour(kSectionLine);
    canvas.Polygon(f.Map(kPlate), FillStyle::Solid, kPlateSteel);
    for (const Outline& o : s.fills) {
        canvas.SetForeColour(kSteel);
        canvas.Polygon(f.Map(o), FillStyle::Solid, kSteel);
    }
    canvas.SetForeColour(kSectionLine);
    for (const Outline& o : s.solids) {
        canvas.Polygon(f.Map(o), FillStyle::Solid, kSteel);
    }
    for (const Outline& o : s.outlines) {
        canvas.Polygon(f.Map(o), FillStyle::Transparent, 0);
    }

    canvas.SetForeColour(kDimension);
    Painter painter(canvas, f);
    for (const Dimension& d : s.dims) {
        painter.Dim(d);
    }
}

}  // namespace kelvor
