// The girder in use: its inputs, designation and properties with the attached plating it
// carries between the stiffener spans.
#include "core/calcerror.h"
#include "core/project.h"
#include "profiles/catalogue.h"
#include "profiles/profiles.h"
#include "profiles/sectionproperties.h"
#include "profiles/single.h"

namespace kelvor {

namespace {

// The inputs of the girder family in use become the girder's dimensions.
const GirderFamily& CopyDimensions(Project& p) {
    const GirderFamily& family = GirderFamilyOf(p.GirderProfileType);
    ForEachBuiltUpDimension(*BuiltUpFieldsOf(true, family.code),
                            [&](float Project::*input, float Project::*inUse) { p.*inUse = p.*input; });
    return family;
}

void Caption(Project& p, const GirderFamily& family) {
    p.GirderDesignation = GirderDesignation(family, p.GirderH, p.GirderB, p.GirderTw, p.GirderTf,
                                            DecimalSeparatorOf(p));
}

void Properties(Project& p) {
    // L and T alike: only the properties about the horizontal axis are needed.
    const double H = p.GirderH, B = p.GirderB, tw = p.GirderTw, tf = p.GirderTf;
    const double hw = H - tf;
    const double Aw = hw * tw;
    const float Af = ToSingle(B * tf, "girder flange area");
    const double A = Aw + Af;
    const double zc = Div(Af * (H - tf / 2) + tw * hw * hw / 2, A, "girder area");
    const float Iy = ToSingle((B * tf * tf * tf + tw * hw * hw * hw) / 12 +
                                  Af * (H - tf / 2 - zc) * (H - tf / 2 - zc) +
                                  Aw * (hw / 2 - zc) * (hw / 2 - zc),
                              "girder moment of inertia");

    // The plating between the girder's neighbours, (L1 + L2)/2, limited to a third of its span.
    double breadth = (static_cast<double>(p.L1) + p.L2) / 2;
    if (breadth > kBreadthShareOfSpan * p.Lg) {
        breadth = kBreadthShareOfSpan * p.Lg;
    }
    const float bg = ToSingle(breadth, "girder plate breadth");
    const PlatedSection s = WithPlate(A, zc, Iy, H, p.t, bg, "girder area with plate");
    const double Wp = Div(s.I, s.zp, "girder neutral axis at the plate");
    const float Ws = ToSingle(Div(s.I, s.zTop, "girder neutral axis at the top"),
                              "girder section modulus at the top");

    p.GirderWebArea = Aw;
    p.GirderFlangeArea = Af;
    p.GirderArea = A;
    p.GirderMass = MassPerMetre(A);
    p.GirderZc = zc;
    p.GirderIy = Iy;
    p.GirderEffBreadth = bg;
    p.GirderAe = s.A;
    p.GirderZp = s.zp;
    p.GirderZTop = s.zTop;
    p.GirderIe = s.I;
    p.GirderWp = Wp;
    p.GirderWs = Ws;
}

}  // namespace

void SetUpGirderProfile(Project& p) {
    Caption(p, CopyDimensions(p));
    Properties(p);
}

void GirderWithPlate(Project& p) {
    CopyDimensions(p);
    Properties(p);
}

void DescribeGirder(Project& p) {
    for (const int code : {1, 3}) {
        if (code == p.GirderProfileType) {
            Caption(p, GirderFamilyOf(code));
        }
    }
}

}  // namespace kelvor
