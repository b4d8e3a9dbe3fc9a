// Plate buckling and ultimate strength of the two plate fields beside the stiffener, after the
// ABS guide for buckling and ultimate strength assessment of offshore structures, Section 3:
// buckling state limit (3/3.1), ultimate strength under combined in-plane stresses (3/3.3),
// uniform lateral pressure (3/3.5), and the effective width of plating the stiffener checks use.
#include "checks/platebuckling.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "checks/checkmath.h"
#include "checks/checks.h"
#include "checks/describe.h"
#include "core/calcerror.h"
#include "core/numformat.h"
#include "core/project.h"
#include "profiles/catalogue.h"

namespace kelvor {

namespace {

// What tells the two fields apart besides their numbers.
struct FieldSide {
    const char* pbLabel;
    const char* puLabel;
    const char* plLabel;
    // The ultimate-strength text of field 1 has always opened with one parenthesis fewer.
    const char* puOpening;
    const char* widthIsZero;
    // Field 2 also works out Cxe where its radicand X is exactly 0; field 1 keeps Cy there.
    bool cxeAtZeroX;
};

constexpr FieldSide kSides[] = {
    {"PL1: UFpb =", "PL1: UFpu = ", "PL1: UFpl = p/(n*pu) = ", "^2*(",
     "plate field 1: spacing s1 is zero", false},
    {"PL2: UFpb =", "PL2: UFpu = ", "PL2: UFpl = p/(n*pu) = ", "^2*((",
     "plate field 2: spacing s2 is zero", true},
};

constexpr const char* kBothFieldsPlLabel = "PL1/PL2: UFpl = p/(n*pu) = ";
constexpr const char* kPbReference = " < 1.0 (3/3.1)";
constexpr const char* kPuReference = " < 1.0 (3/3.3)";
constexpr const char* kPlReference = " < 1.0 (3/3.5)";

// Elastic buckling stress of a plate strip with buckling coefficient k.
double ElasticStress(double k, double E, double tOverS) {
    return k * kPi * kPi * E / (12 * kOneMinusNuSquared) * Square(tOverS);
}

// Beyond the proportional limit the elastic stress overestimates the capacity: the guide's
// Johnson-Ostenfeld correction, continuous at sigE = Pr*sigY.
double CriticalStress(double sigE, double sigY) {
    if (sigE < kPr * sigY) {
        return sigE;
    }
    return sigY * (1 - kPr * (1 - kPr) *
                           Div(sigY, sigE, "critical stress: elastic buckling stress is zero"));
}

// Ratio of the edge stresses, smaller over larger compression; 1 when the field is nowhere in
// compression. The lower edge stress is compressive whenever the ratio is taken, so never 0.
double StressRatio(double low, double high) {
    if (low >= 0 && high >= 0) {
        return 1;
    }
    return high / low;
}

// Transverse buckling coefficient k' before the family factor C2. The three cases meet at
// alpha = 2 and are taken with the boundaries on the side the guide puts them.
double TransverseCoefficient(double alpha, double kappaY) {
    const double a2 = alpha * alpha;
    const double edge = Square(1 + 1 / a2);
    if (kappaY >= 1.0 / 3.0) {
        return edge * (1.675 - 0.675 * kappaY);
    }
    if (alpha <= 2) {
        return 24 / a2 + (1 + kappaY) * (1.0875 * edge - 18 / a2);
    }
    return 12 / alpha + (1 + kappaY) * (1.0875 * edge - 9 / alpha);
}

// C1 and C2 by stiffener shape: flat bars and bulb flats restrain the plate edge less.
void FamilyCoefficients(int family, double& c1, double& c2) {
    const Family* f = FindFamily(family);
    const bool openSlender = f && (f->shape == Shape::FlatBar || f->shape == Shape::Bulb);
    c1 = openSlender ? 1.0 : 1.1;
    c2 = openSlender ? 1.1 : 1.2;
}

// The record's stresses are single precision, as entered: a typed -12.45 reads "-12.5" here
// as it does in its input field.
NumberText Stress(double v) {
    return FormatText(static_cast<float>(v), "0.0");
}
NumberText F1(double v) {
    return FormatText(v, "0.0");
}

template <typename... FormulaPieces>
void Line(ResultLine& line, const char* label, double factor, const char* reference,
          const FormulaPieces&... formula) {
    SetLine(line, label, FormatText(factor, "0.00"), reference, NonZeroFactorMark(factor),
            formula...);
}

// The texts of one field's three factors, into the record's lines of that field; a factor of
// exactly 0 leaves its line empty.
void WriteFieldTexts(const Project& p, const PlateField& f, int field, ResultLine& pb,
                     ResultLine& pu, ResultLine& pl) {
    pb.Clear();
    pu.Clear();
    pl.Clear();
    const FieldSide& side = kSides[field == 2 ? 1 : 0];
    // Texts that several formulas show, formatted once.
    const NumberText etaText = FormatText(p.UFallow, "0.00");
    const NumberText sigxText = Stress(f.sigx);
    const NumberText sigyText = Stress(f.sigy);
    const NumberText tauText = FormatText(p.Tau, "0.0");
    if (f.UFpb != 0) {
        Line(pb, side.pbLabel, f.UFpb, kPbReference, "1/", etaText, "^2*((", sigxText, "/",
             F1(f.sigCx), ")^2 + (", sigyText, "/", F1(f.sigCy), ")^2 + (", tauText, "/",
             F1(f.tauC), ")^2) = ");
    }
    if (f.UFpu != 0) {
        const NumberText sigUxText = F1(f.sigUx);
        const NumberText sigUyText = F1(f.sigUy);
        Line(pu, side.puLabel, f.UFpu, kPuReference, "1/", etaText, side.puOpening, sigxText, "/",
             sigUxText, ")^2 -", FormatText(f.phi, "0.00"), "*(", sigxText, "*", sigyText, "/(",
             sigUxText, "*", sigUyText, ") + (", sigyText, "/", sigUyText, ")^2 + (", tauText, "/",
             F1(f.tauU), "))^2) = ");
    }
    if (f.UFpl != 0) {
        Line(pl, f.plForBothFields ? kBothFieldsPlLabel : side.plLabel, f.UFpl, kPlReference,
             FormatText(p.p, "0.000"), "/(", etaText, "*", FormatText(f.pu, "0.000"), ") = ");
    }
}

}  // namespace

WidthCoefficient EffectiveWidthCoefficient(int field, double X, double phi, double sigyRatio,
                                           double Cy) {
    WidthCoefficient c{Cy, false};
    if (X > 0 || (X == 0 && kSides[field == 2 ? 1 : 0].cxeAtZeroX)) {
        c.value = std::sqrt(X) + 0.5 * phi * sigyRatio;
    } else if (X < 0) {
        // The transverse stress is beyond what the buckled plate can carry at all.
        c.errorFlag = true;
    }
    if (c.value > 1) {
        c.value = 1;
    }
    return c;
}

namespace {

// The minimum stresses of both fields as a field's lateral-pressure check reads them.
struct MinStresses {
    double sigx1, sigy1, sigx2, sigy2;
};

PlateField EvaluateField(const Project& p, int field, const MinStresses& m) {
    const FieldSide& side = kSides[field == 2 ? 1 : 0];
    const double s = field == 2 ? p.s2 : p.s1;
    const double sigxLow = field == 2 ? p.Sigx2Low : p.Sigx1Low;
    const double sigxHigh = field == 2 ? p.Sigx2High : p.Sigx1High;
    const double sigxMin = field == 2 ? m.sigx2 : m.sigx1;
    const double sigyMin = field == 2 ? m.sigy2 : m.sigy1;

    const double t = p.t;
    const double L1 = p.L1;
    const double E = p.E;
    const double eta = p.UFallow;
    const double sigF = p.Fyp;
    const double tauF = sigF / std::sqrt(3.0);
    double c1 = 0;
    double c2 = 0;
    FamilyCoefficients(p.StiffProfileType, c1, c2);

    PlateField f;
    const double tOverS = Div(t, s, side.widthIsZero);
    const double sOverT = Div(s, t, "plate thickness t is zero");
    const double sOverL = Div(s, L1, "aspect ratio: span L1 is zero");
    f.alpha = L1 / s;
    f.beta = sOverT *
             Sqrt(Div(sigF, E, "Young's modulus E is zero"), "plate slenderness: Fyp/E negative");

    // Buckling state limit (3/3.1).
    const double kTau = c1 * (5.34 + 4 * Square(sOverL));
    f.tauC = CriticalStress(ElasticStress(kTau, E, tOverS), tauF);

    f.kappaX = StressRatio(sigxLow, sigxHigh);
    f.kx = f.kappaX <= 0 ? c1 * (7.6 - 6.4 * f.kappaX + 10 * Square(f.kappaX))
                         : 8.4 * c1 / (f.kappaX + 1.1);
    f.sigCx = CriticalStress(ElasticStress(f.kx, E, tOverS), sigF);

    f.kappaY = StressRatio(p.SigyLow, p.SigyHigh);
    f.ky = c2 * TransverseCoefficient(f.alpha, f.kappaY);
    f.sigCy = CriticalStress(ElasticStress(f.ky, E, tOverS), sigF);

    // Tension does not drive buckling.
    f.sigx = sigxLow > 0 ? 0 : sigxLow;
    f.sigy = p.SigyLow > 0 ? 0 : p.SigyLow;
    f.tau = p.Tau;

    const double invEta2 = Div(1, eta * eta, "allowable utilisation factor n is zero");
    const double rxC = Div(f.sigx, f.sigCx, "buckling: critical longitudinal stress is zero");
    const double ryC = Div(f.sigy, f.sigCy, "buckling: critical transverse stress is zero");
    const double rtC = Div(f.tau, f.tauC, "buckling: critical shear stress is zero");
    f.UFpb = Finite(invEta2 * (Square(rxC) + Square(ryC) + Square(rtC)), "plate buckling factor");

    // Ultimate strength (3/3.3); never below the buckling strength.
    f.tauU = f.tauC +
             0.5 * (sigF - std::sqrt(3.0) * f.tauC) / std::sqrt(1 + f.alpha + f.alpha * f.alpha);
    if (f.tauU < f.tauC) {
        f.tauU = f.tauC;
    }
    f.Cx = f.beta > 1 ? 2 / f.beta - 1 / Square(f.beta) : 1;
    f.sigUx = f.Cx * sigF;
    if (f.sigUx < f.sigCx) {
        f.sigUx = f.sigCx;
    }
    const double invBeta2 =
        Div(1, Square(f.beta), "ultimate strength: plate slenderness beta is zero");
    f.Cy = f.Cx * sOverL + 0.1 * (1 - sOverL) * Square(1 + invBeta2);
    if (f.Cy > 1) {
        f.Cy = 1;
    }
    f.sigUy = f.Cy * sigF;
    if (f.sigUy < f.sigCy) {
        f.sigUy = f.sigCy;
    }
    f.phi = 1 - f.beta / 2;

    const double rxU = Div(f.sigx, f.sigUx, "ultimate strength: longitudinal stress is zero");
    const double ryU = Div(f.sigy, f.sigUy, "ultimate strength: transverse stress is zero");
    const double rtU = Div(f.tau, f.tauU, "ultimate strength: shear stress is zero");
    f.UFpu = Finite(invEta2 * (Square(rxU) - f.phi * rxU * ryU + Square(ryU) + Square(rtU)),
                    "plate ultimate strength factor");

    // Uniform lateral pressure (3/3.5): the in-plane stresses use up part of the plate's
    // membrane capacity, leaving sqrt(1 - (sigE/sigF)^2) of it for the pressure.
    f.sigE = Sqrt(Square(sigxMin) + Square(sigyMin) - sigxMin * sigyMin + 3 * Square(f.tau),
                  "lateral pressure: equivalent stress");
    const double rE = Div(f.sigE, sigF, "lateral pressure: yield stress Fyp is zero");
    f.pu = 4 * sigF * Square(tOverS) * (1 + 1 / Square(f.alpha)) *
           Sqrt(1 - Square(rE), "lateral pressure: equivalent stress above yield");
    f.UFpl = std::fabs(Div(p.p, eta * f.pu, "lateral pressure: ultimate pressure pu is zero"));
    // Both fields give the same factor when they are equal in width and stress; the row then
    // speaks for both. Taken now: field 2's stress is settled only after field 1.
    f.plForBothFields = p.s1 == p.s2 && m.sigx1 == m.sigx2;

    // Effective width: a buckled plate carries load only near its supported edges.
    f.Cxe = f.Cy;
    if (f.UFpb < 1) {
        f.se = s;
        return f;
    }
    const double sigy0 = p.SigyLow;  // as it stands, tension included
    const double ry0 = Div(sigy0, f.sigUy, "effective width: ultimate transverse stress is zero");
    f.X = 1 - (1 - 0.25 * Square(f.phi)) * Square(ry0);
    const WidthCoefficient c =
        EffectiveWidthCoefficient(field, f.X, f.phi, std::fabs(sigy0) / f.sigUy, f.Cy);
    f.Cxe = c.value;
    f.errorFlag = c.errorFlag;
    const double rTauF = Div(f.tau, tauF, "effective width: yield stress Fyp is zero");
    f.se = s * Sqrt(1 - Square(rTauF), "effective width: shear stress above shear yield") * f.Cxe *
           f.Cx;
    return f;
}

}  // namespace

PlateField EvaluatePlateField(const Project& p, int field) {
    return EvaluateField(p, field, {p.SigxMin1, p.SigyMin1, p.SigxMin2, p.SigyMin2});
}

PlateBucklingResult PlateBuckling(const Project& p) {
    PlateBucklingResult r;
    // Tension does not load the plate against pressure. Field 2's stresses are settled only
    // after field 1 is worked out, which compares them as they stand.
    MinStresses m{std::min(p.SigxMin1, 0.0), std::min(p.SigyMin1, 0.0), p.SigxMin2, p.SigyMin2};
    r.field1 = EvaluateField(p, 1, m);
    m.sigx2 = std::min(m.sigx2, 0.0);
    m.sigy2 = std::min(m.sigy2, 0.0);
    r.field2 = EvaluateField(p, 2, m);
    r.SigxMin1 = m.sigx1;
    r.SigyMin1 = m.sigy1;
    r.SigxMin2 = m.sigx2;
    r.SigyMin2 = m.sigy2;

    const PlateField& f1 = r.field1;
    const PlateField& f2 = r.field2;
    r.pb1 = NonZeroFactorMark(f1.UFpb);
    r.pu1 = NonZeroFactorMark(f1.UFpu);
    r.pl1 = NonZeroFactorMark(f1.UFpl);
    r.pb2 = NonZeroFactorMark(f2.UFpb);
    r.pu2 = NonZeroFactorMark(f2.UFpu);
    r.pl2 = NonZeroFactorMark(f2.UFpl);
    r.pbOfField2 = f2.UFpb > f1.UFpb;
    r.puOfField2 = f2.UFpu > f1.UFpu;
    r.plOfField2 = f2.UFpl > f1.UFpl;
    r.UFpb = r.pbOfField2 ? f2.UFpb : f1.UFpb;
    r.UFpu = r.puOfField2 ? f2.UFpu : f1.UFpu;
    r.UFpl = r.plOfField2 ? f2.UFpl : f1.UFpl;
    r.se = (f1.se + f2.se) / 2;
    return r;
}

void DescribePlateBuckling(Project& p, const PlateBucklingResult& r) {
    WriteFieldTexts(p, r.field1, 1, p.UFpbText, p.UFpuText, p.UFplText);
    WriteFieldTexts(p, r.field2, 2, p.UFpb2Text, p.UFpu2Text, p.UFpl2Text);
    if (r.plOfField2) {
        p.UFplText = p.UFpl2Text;
    }
    if (r.pbOfField2) {
        p.UFpbText = p.UFpb2Text;
    }
    if (r.puOfField2) {
        p.UFpuText = p.UFpu2Text;
    }
}

}  // namespace kelvor
