// The stiffener in the record: set-up of the profile alone, and its properties with attached
// plating for the three breadths of a run.
#include <algorithm>

#include "core/calcerror.h"
#include "core/project.h"
#include "core/tables.h"
#include "profiles/catalogue.h"
#include "profiles/outline.h"
#include "profiles/profiles.h"
#include "profiles/sectionproperties.h"
#include "profiles/single.h"
#include "profiles/slenderness.h"

namespace kelvor {

namespace {

void StoreDimensions(Project& p, const Family& family, const StiffenerDimensions& d) {
    p.StiffH = d.H;
    p.StiffB = d.B;
    p.StiffTw = d.tw;
    p.StiffTf = d.tf;
    p.StiffHw = d.hw;
    p.StiffC = d.c;
    p.StiffR = d.r;
    p.StiffDesignation = StiffenerDesignation(family, d, DecimalSeparatorOf(p));
}

void StoreSection(Project& p, const SectionAlone& s) {
    p.StiffArea = s.As;
    p.StiffMass = s.mass;
    p.StiffZc = s.zc;
    p.StiffIy = s.Iy;
    if (!s.open) {
        return;
    }
    p.StiffWebArea = s.Aw;
    p.StiffFlangeArea = s.Af;
    p.StiffYc = s.yc;
    p.StiffIz = s.Iz;
    p.StiffU = s.u;
    p.StiffM = s.m;
    p.StiffIyf = s.Iyf;
    p.StiffGamma = s.gamma;
    p.StiffIo = s.Io;
    p.StiffK = s.K;
}

StiffenerDimensions DimensionsOf(const Project& p) {
    StiffenerDimensions d;
    d.H = p.StiffH;
    d.B = p.StiffB;
    d.tw = p.StiffTw;
    d.tf = p.StiffTf;
    d.hw = p.StiffHw;
    d.c = p.StiffC;
    d.r = p.StiffR;
    return d;
}

}  // namespace

// A row the table does not hold, or dimensions that would divide by zero, leave the profile as
// it was and fail. The failure is kept in the record, so that the next run stops at the
// stiffener instead of checking the properties of the profile before; the callers at start-up
// and on opening go on, and the run names the cause.
void SetUpStiffenerProfile(Project& p, const Tables& tables, int family) {
    try {
        const Family& f = FamilyOf(family);
        const StiffenerDimensions d = ResolveStiffener(p, tables, f);
        StoreDimensions(p, f, d);
        StoreSection(p, ProfileAlone(f.shape, d));
        p.StiffProfileFault.clear();
    } catch (const CalcError& e) {
        p.StiffProfileFault = e.what();
        LoadStiffenerMaterial(p, tables, p.StiffMaterialIndex);
        throw;
    }
    // The dialogs change the profile, not the material: show the chosen row's strengths again.
    LoadStiffenerMaterial(p, tables, p.StiffMaterialIndex);
}

void StiffenerWithPlate(Project& p) {
    if (!p.StiffProfileFault.empty()) {
        throw CalcError(p.StiffProfileFault);
    }
    const Family& family = FamilyOf(p.StiffProfileType);
    const double As = p.StiffArea, zc = p.StiffZc, Iy = p.StiffIy;
    const double H = p.StiffH, t = p.t;

    // Breadth se of the plate buckling check: the column of the beam-column check.
    const PlatedSection e = WithPlate(As, zc, Iy, H, t, p.se, "area with plate breadth se");
    const double Wep = Div(e.I, e.zp, "neutral axis at the plate, breadth se");
    const double Wes = Div(e.I, e.zTop, "neutral axis at the top, breadth se");
    const double rGyr = Sqrt(Div(e.I, e.A, "area with plate breadth se"), "Ie/Ae");

    // Load breadth sw, limited to a third of the span, for the scantling moduli.
    const double sw = std::min((static_cast<double>(p.s1) + p.s2) / 2, kBreadthShareOfSpan * p.L1);
    const PlatedSection w = WithPlate(As, zc, Iy, H, t, sw, "area with plate breadth sw");
    const float zTopSw = ToSingle(w.zTop, "neutral axis at the top, breadth sw");
    const double WpSw = Div(w.I, w.zp, "neutral axis at the plate, breadth sw");
    const float WsSw = ToSingle(Div(w.I, zTopSw, "neutral axis at the top, breadth sw"),
                                "section modulus at the top, breadth sw");

    // Rule breadth be, for the bending term of the beam-column check.
    const PlatedSection b = WithPlate(As, zc, Iy, H, t, p.be, "area with plate breadth be");
    const double WsBe = Div(b.I, H + t / 2 - b.zp, "neutral axis at the top, breadth be");

    const LocalSlendernessResult local = LocalSlenderness(family, DimensionsOf(p), p.E, p.Fys);

    p.Ae = e.A;
    p.zp = e.zp;
    p.zTop = e.zTop;
    p.Ie = e.I;
    p.Wep = Wep;
    p.Wes = Wes;
    p.rGyr = rGyr;
    p.sw = sw;
    p.Aw_sw = w.A;
    p.zp_sw = w.zp;
    p.zTop_sw = zTopSw;
    p.I_sw = w.I;
    p.Wp_sw = WpSw;
    p.Ws_sw = WsSw;
    p.I_be = b.I;
    p.Ws_be = WsBe;
    p.WebRatio = local.webRatio;
    p.WebRatioLimit = local.webLimit;
    p.FlangeRatio = local.flangeRatio;
    p.FlangeRatioLimit = local.flangeLimit;
}

void DescribeStiffenerWithPlate(Project& p) {
    const Family& family = FamilyOf(p.StiffProfileType);
    LocalSlendernessResult local;
    local.webRatio = p.WebRatio;
    local.webLimit = p.WebRatioLimit;
    local.flangeRatio = p.FlangeRatio;
    local.flangeLimit = p.FlangeRatioLimit;
    DescribeLocalSlenderness(family, local, DecimalSeparatorOf(p), p.WebCheckText,
                             p.FlangeCheckText);
    ProfileOutline(p, family);
}

}  // namespace kelvor
