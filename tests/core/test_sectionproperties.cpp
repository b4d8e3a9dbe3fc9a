// Section properties of every family alone and with plate, and the girder, against sums over
// the rectangles of each section (parallel-axis theorem) and numbers worked by hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

#include "core/calcerror.h"
#include "core/numformat.h"
#include "core/project.h"
#include "core/tables.h"
#include "profiles/profiles.h"

namespace kelvor {
namespace {

// A rectangle of the section: y across from the web centreline, z up from the plate surface.
struct Rect {
    double y0, y1, z0, z1;
};

struct Sums {
    double A = 0, yc = 0, zc = 0;
    double Iy = 0, Iz = 0;  // about the centroid axes
    double Jo = 0;          // polar moment about the web foot (y = z = 0)
};

Sums Sum(const std::vector<Rect>& rects) {
    Sums s;
    for (const Rect& r : rects) {
        const double a = (r.y1 - r.y0) * (r.z1 - r.z0);
        s.A += a;
        s.yc += a * (r.y0 + r.y1) / 2;
        s.zc += a * (r.z0 + r.z1) / 2;
    }
    s.yc /= s.A;
    s.zc /= s.A;
    for (const Rect& r : rects) {
        const double w = r.y1 - r.y0, h = r.z1 - r.z0, a = w * h;
        const double y = (r.y0 + r.y1) / 2, z = (r.z0 + r.z1) / 2;
        s.Iy += w * h * h * h / 12 + a * (z - s.zc) * (z - s.zc);
        s.Iz += h * w * w * w / 12 + a * (y - s.yc) * (y - s.yc);
        s.Jo += w * h * h * h / 12 + h * w * w * w / 12 + a * (y * y + z * z);
    }
    return s;
}

// The strip of plating of breadth b below the plate surface.
std::vector<Rect> WithStrip(std::vector<Rect> rects, double b, double t) {
    rects.push_back({-b / 2, b / 2, -t, 0});
    return rects;
}

void ExpectRel(double actual, double expected, double rel, const char* what) {
    EXPECT_NEAR(actual, expected, std::fabs(expected) * rel) << what;
}

std::vector<Rect> Angle(double H, double B, double tw, double tf) {
    return {{-tw / 2, tw / 2, 0, H - tf}, {-tw / 2, B - tw / 2, H - tf, H}};
}
std::vector<Rect> Tee(double H, double B, double tw, double tf) {
    return {{-tw / 2, tw / 2, 0, H - tf}, {-B / 2, B / 2, H - tf, H}};
}

Tables SmallTables() {
    Tables t;
    t.LTable.rows = {{200, 90, 9, 14, 0}};
    t.TTable.rows = {{250, 150, 10, 16, 0}};
    t.FbTable.rows = {{200, 10, 0, 0, 0}};
    t.BfTable.rows = {{180, 11.5f, 25, 7, 2520}};
    return t;
}

Project Calculated(int family, void (*edit)(Project&) = nullptr) {
    Project p;
    NewProject(p);
    p.StiffProfileType = family;
    p.LTableRow = p.TTableRow = p.FbTableRow = p.BfTableRow = 0;
    p.Fys = 355;
    if (edit) {
        edit(p);
    }
    SetUpStiffenerProfile(p, SmallTables(), family);
    p.se = 587.5;  // as the plate buckling check would leave it
    RuleEffectiveBreadth(p);
    StiffenerWithPlate(p);
    return p;
}

TEST(SectionProperties, FlatBar200x10ByHand) {
    const Project p = Calculated(5, [](Project& q) {
        q.FbBuiltH = 200;
        q.FbBuiltTw = 10;
    });
    EXPECT_DOUBLE_EQ(p.StiffArea, 2000);
    EXPECT_EQ(Format(p.StiffMass, "##0.0"), "15.7");
    EXPECT_DOUBLE_EQ(p.StiffZc, 100);
    EXPECT_EQ(Format(p.StiffIy, "0.000E+0"), "6.667E+6");
    EXPECT_EQ(Format(p.StiffIz, "0.000E+0"), "1.667E+4");
    EXPECT_EQ(Format(p.StiffK, "0.000E+0"), "6.667E+4");
    EXPECT_DOUBLE_EQ(p.StiffU, 0);
    EXPECT_DOUBLE_EQ(p.StiffM, 1);
    // Iyf = 200*10^3/12; Gamma = Iyf*200^2 + 200^3*10^3/36 = 6.667E+8 + 2.222E+8.
    EXPECT_EQ(Format(p.StiffGamma, "0.000E+0"), "8.889E+8");
    // About the web foot: 6.667E+6 + 1.667E+4 + 2000*100^2.
    EXPECT_EQ(Format(p.StiffIo, "0.000E+0"), "2.668E+7");
}

TEST(SectionProperties, OpenFamiliesAgreeWithTheRectangleSums) {
    struct Row {
        const char* name;
        int family;
        double rel;  // the bulb's equivalent flange is not a whole number: float rounding
    };
    const Row rows[] = {
        {"L from table 200x90x9x14", 0, 1e-12},   {"L built up 200x90x9x12", 1, 1e-12},
        {"T from table 250x150x10x16", 2, 1e-12}, {"T built up 200x90x9x12", 3, 1e-12},
        {"flat bar from table 200x10", 4, 1e-12}, {"flat bar built up 200x9", 5, 1e-12},
        {"bulb flat 180x11.5 as its angle", 6, 1e-6}, {"I built up 200x90x9x12", 9, 1e-12},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const Project p = Calculated(r.family);
        const double H = p.StiffH, B = p.StiffB, tw = p.StiffTw, tf = p.StiffTf, t = p.t;
        std::vector<Rect> rects;
        if (r.family == 2 || r.family == 3) {
            rects = Tee(H, B, tw, tf);
        } else if (r.family == 4 || r.family == 5) {
            rects = {{-tw / 2, tw / 2, 0, H}};
        } else if (r.family == 9) {
            rects = {{-B / 2, B / 2, 0, tf},
                     {-tw / 2, tw / 2, tf, H - tf},
                     {-B / 2, B / 2, H - tf, H}};
        } else {
            rects = Angle(H, B, tw, tf);
        }
        const Sums s = Sum(rects);
        ExpectRel(p.StiffArea, s.A, r.rel, "As");
        ExpectRel(p.StiffMass, s.A * 7850e-6, r.rel, "mass");
        ExpectRel(p.StiffZc, s.zc, r.rel, "zc");
        EXPECT_NEAR(p.StiffYc, s.yc, 1e-9 + std::fabs(s.yc) * r.rel) << "yc";
        ExpectRel(p.StiffIy, s.Iy, r.rel, "Iy");
        // The I profile takes Iz of its upper flange alone.
        ExpectRel(p.StiffIz, r.family == 9 ? Sum({rects[2]}).Iz : s.Iz, r.rel, "Iz");

        // With plate, for each of the three breadths; distances from the plate mid-plane.
        struct Breadth {
            const char* name;
            double b, A, zp, zTop, I, Wp, Ws;
            bool singleTop;  // zTop and Ws held in single precision
        };
        const Breadth breadths[] = {
            {"se", p.se, p.Ae, p.zp, p.zTop, p.Ie, p.Wep, p.Wes, false},
            {"sw", p.sw, p.Aw_sw, p.zp_sw, p.zTop_sw, p.I_sw, p.Wp_sw, p.Ws_sw, true},
            {"be", p.be, NAN, NAN, NAN, p.I_be, NAN, p.Ws_be, false},
        };
        for (const Breadth& b : breadths) {
            SCOPED_TRACE(b.name);
            const Sums w = Sum(WithStrip(rects, b.b, t));
            const double zp = w.zc + t / 2, zTop = H - w.zc;
            const double rel = b.singleTop ? std::max(r.rel, 1e-7) : r.rel;
            if (!std::isnan(b.A)) {
                ExpectRel(b.A, w.A, r.rel, "A");
                ExpectRel(b.zp, zp, r.rel, "zp");
                ExpectRel(b.zTop, zTop, rel, "zTop");
                ExpectRel(b.Wp, w.Iy / zp, r.rel, "W at plate");
            }
            ExpectRel(b.I, w.Iy, r.rel, "I");
            ExpectRel(b.Ws, w.Iy / zTop, rel, "W at top");
        }
        const Sums e = Sum(WithStrip(rects, p.se, t));
        ExpectRel(p.rGyr, std::sqrt(e.Iy / e.A), r.rel, "rGyr from the sums");

        // With u = 0 and m = 1 (T and flat bar) Io is the polar moment about the web foot.
        if (r.family >= 2 && r.family <= 5) {
            ExpectRel(p.StiffIo, s.Jo, r.rel, "Io");
        }
    }
}

TEST(SectionProperties, LateralAndTorsionTermsByHand) {
    // L 200x90x9x14: hw = 186, As = 2934, u = 1 - 9/90 = 0.9,
    // m = 1 - 0.9*(0.7 - 0.1*186/90) = 0.556, K = (90*14^3 + 186*9^3)/3 = 127518.
    const Project l = Calculated(0);
    EXPECT_DOUBLE_EQ(l.StiffArea, 2934);
    EXPECT_EQ(Format(l.StiffMass, "##0.0"), "23.0");
    EXPECT_GT(l.StiffYc, 0);
    EXPECT_NEAR(l.StiffU, 0.9, 1e-15);
    EXPECT_NEAR(l.StiffM, 0.556, 1e-15);
    EXPECT_EQ(l.StiffK, 127518.0f);
    // Iyf = 90^3*14/12*(1 + 3*0.81*186*9/2934) = 1.4700E+6*1.38070
    EXPECT_EQ(Format(l.StiffIyf, "0.0000E+0"), "2.0297E+6");
    EXPECT_EQ(Format(l.StiffGamma, "0.000E+0"), "3.917E+10");
    EXPECT_EQ(Format(l.StiffIo, "0.000E+0"), "6.828E+7");

    // T 200x90x9x12: u = 0, m = 1, yc = 0, Iyf = 12*90^3/12 = 729000,
    // Gamma = 729000*188^2 + 188^3*9^3/36 = 2.5766E+10 + 1.346E+8.
    const Project t = Calculated(3);
    EXPECT_DOUBLE_EQ(t.StiffU, 0);
    EXPECT_DOUBLE_EQ(t.StiffM, 1);
    EXPECT_DOUBLE_EQ(t.StiffYc, 0);
    EXPECT_EQ(t.StiffIyf, 729000.0f);
    EXPECT_EQ(Format(t.StiffGamma, "0.000E+0"), "2.590E+10");

    // I 200x90x9x12: one flange and the web between the flanges, (90*12^3 + 176*9^3)/3.
    const Project i = Calculated(9);
    EXPECT_EQ(i.StiffH, 200);
    EXPECT_EQ(i.StiffK, 94608.0f);
}

TEST(SectionProperties, ClosedSectionsLeaveTheLateralTermsAlone) {
    // 200 x 90, wall or plate 9: the box as four walls; the trapezoid without offset as a top
    // plate and two vertical webs of 191.
    const Sums box =
        Sum({{-45, 45, 0, 9}, {-45, 45, 191, 200}, {-45, -36, 9, 191}, {36, 45, 9, 191}});
    const Sums channel = Sum({{-45, 45, 191, 200}, {-45, -36, 0, 191}, {36, 45, 0, 191}});
    struct Row {
        const char* name;
        int family;
        float offset;
        double As, zc, Iy;
    };
    const Row rows[] = {
        {"RHS", 7, 0, box.A, box.zc, box.Iy},
        {"trapezoid b = 0", 8, 0, channel.A, channel.zc, channel.Iy},
        // b = 50 over 200: cos(theta) = 200/sqrt(200^2 + 50^2) = 0.97014; the webs are
        // 9/cos(theta) wide across and 191 high.
        {"trapezoid b = 50", 8, 50, 4353.80928521838, 114.104397825831, 17371986.8206120},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Project p;
        NewProject(p);
        p.TrapBuiltOffset = r.offset;
        p.StiffIz = p.StiffYc = p.StiffU = p.StiffM = p.StiffGamma = p.StiffIo = p.StiffIyf =
            p.StiffK = -1;
        SetUpStiffenerProfile(p, SmallTables(), r.family);
        ExpectRel(p.StiffArea, r.As, 1e-12, "As");
        ExpectRel(p.StiffMass, r.As * 7850e-6, 1e-12, "mass");
        ExpectRel(p.StiffZc, r.zc, 1e-12, "zc");
        ExpectRel(p.StiffIy, r.Iy, 1e-12, "Iy");
        for (double v : {p.StiffIz, p.StiffYc, p.StiffU, p.StiffM, p.StiffGamma, p.StiffIo,
                         double(p.StiffIyf), double(p.StiffK)}) {
            EXPECT_EQ(v, -1);
        }
    }
}

TEST(SectionProperties, BreadthSwIsLimitedToAThirdOfTheSpan) {
    struct Row {
        float L1;
        double sw;
    };
    // s1 = s2 = 625: 0.33*3000 = 990 leaves 625; 0.33*1500 = 495 limits it.
    for (const Row& r : {Row{3000, 625}, Row{1500, 495}}) {
        SCOPED_TRACE(r.L1);
        Project p = Calculated(0);
        p.L1 = r.L1;
        StiffenerWithPlate(p);
        EXPECT_DOUBLE_EQ(p.sw, r.sw);
    }
}

TEST(GirderProperties, AgreeWithTheRectangleSumsForBothBreadths) {
    struct Row {
        const char* name;
        int family;
        float Lg;
        double breadth;
    };
    const Row rows[] = {
        // (3000 + 2500)/2 = 2750 is more than 0.33*8000 = 2640.
        {"T girder, a third of its span", 3, 8000, 2640},
        {"L girder, half the spans", 1, 9000, 2750},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Project p;
        NewProject(p);
        p.GirderProfileType = r.family;
        p.Lg = r.Lg;
        p.GirderLBuiltH = 700;
        p.GirderLBuiltB = 150;
        p.GirderLBuiltTw = 12;
        p.GirderLBuiltTf = 18;
        SetUpGirderProfile(p);
        const double H = p.GirderH, B = p.GirderB, tw = p.GirderTw, tf = p.GirderTf, t = p.t;
        EXPECT_EQ(H, r.family == 3 ? 800 : 700);
        const std::vector<Rect> rects = r.family == 3 ? Tee(H, B, tw, tf) : Angle(H, B, tw, tf);
        const Sums s = Sum(rects);
        EXPECT_DOUBLE_EQ(p.GirderWebArea, (H - tf) * tw);
        EXPECT_EQ(p.GirderFlangeArea, static_cast<float>(B * tf));
        ExpectRel(p.GirderArea, s.A, 1e-12, "A");
        ExpectRel(p.GirderMass, s.A * 7850e-6, 1e-12, "mass");
        ExpectRel(p.GirderZc, s.zc, 1e-12, "zc");
        ExpectRel(p.GirderIy, s.Iy, 1e-7, "Iy");  // single
        EXPECT_FLOAT_EQ(p.GirderEffBreadth, static_cast<float>(r.breadth));

        const Sums w = Sum(WithStrip(rects, r.breadth, t));
        const double zp = w.zc + t / 2, zTop = H - w.zc;
        ExpectRel(p.GirderAe, w.A, 1e-7, "Ae");
        ExpectRel(p.GirderZp, zp, 1e-7, "zp");
        ExpectRel(p.GirderZTop, zTop, 1e-7, "zTop");
        ExpectRel(p.GirderIe, w.Iy, 1e-7, "Ie");
        ExpectRel(p.GirderWp, w.Iy / zp, 1e-7, "Wp");
        ExpectRel(p.GirderWs, w.Iy / zTop, 1e-7, "Ws");
    }
}

TEST(GirderProperties, AGirderCodeOtherThanLOrTFailsTheStep) {
    Project p;
    NewProject(p);
    p.GirderProfileType = 2;
    EXPECT_THROW(SetUpGirderProfile(p), CalcError);
    p.GirderProfileType = 3;
    p.GirderTBuiltB = 0;
    p.GirderTBuiltTw = 0;
    EXPECT_THROW(SetUpGirderProfile(p), CalcError);  // no area
}

}  // namespace
}  // namespace kelvor
