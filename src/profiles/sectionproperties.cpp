#include "profiles/sectionproperties.h"

#include <cmath>
#include <string>

#include "core/calcerror.h"
#include "profiles/single.h"

namespace kelvor {

namespace {

double Sq(double x) {
    return x * x;
}
double Cube(double x) {
    return x * x * x;
}

// Lateral and torsion terms shared by every open section, after the torsional buckling
// clause: the warping constant from the flange's lateral inertia (raised by the unsymmetry u)
// and the web's own term, the polar moment about the toe, and St. Venant's constant of the
// thin rectangles.
void TorsionTerms(SectionAlone& s, double hw, double tw) {
    s.gamma = s.m * s.Iyf * Sq(hw) + Cube(hw) * Cube(tw) / 36;
    s.Io = s.Iy + s.m * s.Iz + s.As * (Sq(s.yc) + Sq(s.zc));
}

// L, T and the bulb flat's equivalent angle: web from the plate surface to the flange, flange
// at the top. e is the flange centroid's offset from the web centreline.
SectionAlone Flanged(Shape shape, const StiffenerDimensions& d) {
    const double H = d.H, B = d.B, tw = d.tw, tf = d.tf, hw = d.hw;
    const bool oneSided = shape != Shape::Tee;
    const double e = oneSided ? (B - tw) / 2 : 0.0;

    SectionAlone s;
    s.Aw = tw * hw;
    s.Af = ToSingle(B * tf, "flange area");
    s.As = s.Aw + s.Af;
    s.mass = MassPerMetre(s.As);
    s.zc = Div(s.Af * (H - tf / 2) + tw * Sq(hw) / 2, s.As, "profile area");
    s.yc = s.Af * e / s.As;
    s.Iy = (B * Cube(tf) + tw * Cube(hw)) / 12 + s.Af * Sq(H - tf / 2 - s.zc) +
           s.Aw * Sq(hw / 2 - s.zc);
    s.Iz = (tf * Cube(B) + hw * Cube(tw)) / 12 + s.Af * Sq(e - s.yc) + s.Aw * Sq(s.yc);
    // u = 1 - 2 b1/B with b1 = tw/2 the flange's short side; a centred flange has none.
    s.u = oneSided ? 1 - Div(tw, B, "flange width") : 0.0;
    s.m = s.u == 0 ? 1.0 : 1 - s.u * (0.7 - 0.1 * Div(hw, B, "flange width"));
    s.Iyf = ToSingle(tf * Cube(B) / 12 * (1 + 3 * Sq(s.u) * hw * tw / s.As),
                     "lateral inertia of the flange");
    TorsionTerms(s, hw, tw);
    s.K = ToSingle((B * Cube(tf) + hw * Cube(tw)) / 3, "torsion constant");
    return s;
}

SectionAlone FlatBar(const StiffenerDimensions& d) {
    const double tw = d.tw, hw = d.hw;
    SectionAlone s;
    s.Aw = tw * hw;
    s.Af = 0;
    s.As = s.Aw;
    s.mass = MassPerMetre(s.As);
    s.zc = hw / 2;
    s.yc = 0;
    s.Iy = tw * Cube(hw) / 12;
    s.Iz = hw * Cube(tw) / 12;
    s.u = 0;
    s.m = 1;
    s.Iyf = ToSingle(hw * Cube(tw) / 12, "lateral inertia of the flat bar");
    TorsionTerms(s, hw, tw);
    s.K = ToSingle(hw * Cube(tw) / 3, "torsion constant");
    return s;
}

// Flanges of B x tf at the plate and at the top, web hw = H - 2 tf between them. Iz is that
// of the flange away from the plate alone: the one that moves sideways when the stiffener
// trips.
SectionAlone IProfile(const StiffenerDimensions& d) {
    const double H = d.H, B = d.B, tw = d.tw, tf = d.tf, hw = d.hw;
    SectionAlone s;
    s.Aw = tw * hw;
    s.Af = ToSingle(B * tf, "flange area");
    s.As = s.Aw + 2.0 * s.Af;
    s.mass = MassPerMetre(s.As);
    s.zc = Div(s.Af * (H - tf / 2) + s.Af * tf / 2 + s.Aw * (tf + hw / 2), s.As, "profile area");
    s.yc = 0;
    s.Iy = (2 * B * Cube(tf) + tw * Cube(hw)) / 12 + s.Af * Sq(H - tf / 2 - s.zc) +
           s.Aw * Sq(tf + hw / 2 - s.zc) + s.Af * Sq(tf / 2 - s.zc);
    s.Iz = tf * Cube(B) / 12;
    s.u = 0;
    s.m = 1;
    s.Iyf = ToSingle(tf * Cube(B) / 12, "lateral inertia of the flange");
    TorsionTerms(s, hw, tw);
    s.K = ToSingle((B * Cube(tf) + hw * Cube(tw)) / 3, "torsion constant");
    return s;
}

SectionAlone Rhs(const StiffenerDimensions& d) {
    const double H = d.H, B = d.B, tw = d.tw;
    SectionAlone s;
    s.open = false;
    s.As = H * B - (H - 2 * tw) * (B - 2 * tw);
    s.mass = MassPerMetre(s.As);
    s.zc = H / 2;
    s.Iy = (B * Cube(H) - (B - 2 * tw) * Cube(H - 2 * tw)) / 12;
    return s;
}

// Top plate B x tw and two webs leaning out by b over the height; a web of plate thickness tw
// inclined at theta is tw/cos(theta) wide horizontally over its height hw = H - tw.
SectionAlone Trapezoid(const StiffenerDimensions& d) {
    const double H = d.H, B = d.B, tw = d.tw, hw = d.hw;
    const double cosTheta = std::cos(std::atan(Div(d.c, H, "trapezoid height")));
    const double webs = 2 * hw * tw / cosTheta;
    SectionAlone s;
    s.open = false;
    s.As = B * tw + webs;
    s.mass = MassPerMetre(s.As);
    s.zc = Div(B * tw * (H - tw / 2) + Sq(hw) * tw / cosTheta, s.As, "profile area");
    s.Iy = (B * Cube(tw) + (2 * tw / cosTheta) * Cube(hw)) / 12 + B * tw * Sq(H - tw / 2 - s.zc) +
           webs * Sq(hw / 2 - s.zc);
    return s;
}

}  // namespace

double MassPerMetre(double area) {
    return area * kSteelDensity / 1000000;
}

SectionAlone ProfileAlone(Shape shape, const StiffenerDimensions& d) {
    switch (shape) {
        case Shape::Angle:
        case Shape::Tee:
        case Shape::Bulb:
            return Flanged(shape, d);
        case Shape::FlatBar:
            return FlatBar(d);
        case Shape::I:
            return IProfile(d);
        case Shape::Rhs:
            return Rhs(d);
        case Shape::Trapezoid:
            return Trapezoid(d);
    }
    throw CalcError("unknown profile shape");
}

PlatedSection WithPlate(double As, double zc, double Iy, double H, double t, double b,
                        const char* what) {
    PlatedSection s;
    s.A = As + b * t;
    s.zp = Div(As * (zc + t / 2), s.A, what);
    s.zTop = H + t / 2 - s.zp;
    s.I = b * Cube(t) / 12 + Iy + As * Sq(zc + t / 2 - s.zp) + b * t * Sq(s.zp);
    return s;
}

}  // namespace kelvor
