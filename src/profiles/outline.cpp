#include "profiles/outline.h"

#include <initializer_list>

#include "core/project.h"

namespace kelvor {

namespace {

struct Point {
    double x, y;
};

struct Box {
    Point a, b;  // opposite corners
};

// Points go to positions 1, 2, ...; position 0 is not used.
void Store(Project& p, int& at, Point pt) {
    ++at;
    p.OutlineX[static_cast<std::size_t>(at)] = pt.x;
    p.OutlineY[static_cast<std::size_t>(at)] = pt.y;
}

void StorePolygon(Project& p, std::initializer_list<Point> points, Point plateFrom, Point plateTo) {
    int at = 0;
    for (const Point& pt : points) {
        Store(p, at, pt);
    }
    p.OutlineKind = 1;
    p.OutlineCount = static_cast<int>(points.size());
    Store(p, at, plateFrom);
    Store(p, at, plateTo);
}

void StoreBoxes(Project& p, std::initializer_list<Box> boxes) {
    int at = 0;
    for (const Box& box : boxes) {
        Store(p, at, box.a);
        Store(p, at, box.b);
    }
    p.OutlineKind = static_cast<int>(boxes.size());
    p.OutlineCount = 0;
}

}  // namespace

void ProfileOutline(Project& p, const Family& family) {
    // x across from the left end of the effective plate, y up from the plate's lower face; the
    // web stands centred on the plate, its left face at x0.
    const double t = p.t, se = p.se;
    const double H = p.StiffH, B = p.StiffB, tw = p.StiffTw, tf = p.StiffTf;
    const double mid = se / 2;
    const double x0 = mid - tw / 2;
    const Point plate0{0, 0}, plate1{se, t};

    p.OutlineX.fill(0);
    p.OutlineY.fill(0);
    p.FigureHeight = t + H;
    p.FigureWidth = se;
    p.AxisHeight = p.zp + t / 2;
    const bool oneSided = family.shape == Shape::Angle || family.shape == Shape::Bulb;
    p.AxisX = oneSided ? mid + 0.3 * B : mid;

    if (family.polygonOutline && family.shape == Shape::Angle) {
        // The rolled angle with a root chamfer in place of the fillet.
        p.StiffR = static_cast<float>(2 * tw);
        const double r = p.StiffR;
        StorePolygon(p,
                     {{x0, t},
                      {x0 + tw, t},
                      {x0 + tw, t + H - tf - r},
                      {x0 + tw + 0.3 * r, t + H - tf - 0.3 * r},
                      {x0 + tw + r, t + H - tf},
                      {x0 + B, t + H - tf},
                      {x0 + B, t + H},
                      {x0, t + H},
                      {x0, t}},
                     plate0, plate1);
        return;
    }
    switch (family.shape) {
        case Shape::Bulb: {
            const double c = p.StiffC, r = p.StiffR;
            StorePolygon(p,
                         {{x0, t},
                          {x0, t + H},
                          {x0 + tw + c - r, t + H},
                          {x0 + tw + c - 0.3 * r, t + H - 0.3 * r},
                          {x0 + tw + c, t + H - r},
                          {x0 + tw + c - 0.3 * r, t + H - 1.7 * r},
                          {x0 + tw, t + H - 1.7 * r - 0.58 * (c - 0.3 * r)},
                          {x0 + tw, t},
                          {x0, t}},
                         plate0, plate1);
            return;
        }
        case Shape::Trapezoid: {
            const double b = p.StiffC, left = mid - B / 2, right = mid + B / 2;
            StorePolygon(p,
                         {{left - b, t},
                          {left, t + H},
                          {right, t + H},
                          {right + b, t},
                          {left - b + tw, t},
                          {left + tw, t + H - tw},
                          {right - tw, t + H - tw},
                          {right + b - tw, t}},
                         plate0, plate1);
            return;
        }
        case Shape::Angle:
            StoreBoxes(p, {{plate0, plate1},
                           {{x0, t}, {mid + tw / 2, t + H - tf}},
                           {{x0, t + H - tf}, {x0 + B, t + H}}});
            return;
        case Shape::Tee:
            StoreBoxes(p, {{plate0, plate1},
                           {{x0, t}, {mid + tw / 2, t + H - tf}},
                           {{mid - B / 2, t + H - tf}, {mid + B / 2, t + H}}});
            return;
        case Shape::FlatBar:
            StoreBoxes(p, {{plate0, plate1}, {{x0, t}, {mid + tw / 2, t + H}}});
            return;
        case Shape::Rhs:
            StoreBoxes(p, {{plate0, plate1},
                           {{mid - B / 2, t}, {mid + B / 2, t + H}},
                           {{mid - B / 2 + tw, t + tw}, {mid + B / 2 - tw, t + H - tw}}});
            return;
        case Shape::I:
            StoreBoxes(p, {{plate0, plate1},
                           {{mid - B / 2, t}, {mid + B / 2, t + tf}},
                           {{x0, t + tf}, {mid + tw / 2, t + H - tf}},
                           {{mid - B / 2, t + H - tf}, {mid + B / 2, t + H}}});
            return;
    }
}

}  // namespace kelvor
