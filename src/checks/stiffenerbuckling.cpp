// Buckling of the stiffener with its attached plating, after the ABS guide for buckling and
// ultimate strength assessment of offshore structures, Section 3: beam-column buckling (3/5.1),
// torsional/flexural buckling (3/5.3), and the stiffener's lateral deflection under p.
#include <cmath>
#include <string>

#include "checks/checkmath.h"
#include "checks/checks.h"
#include "checks/describe.h"
#include "core/calcerror.h"
#include "core/numformat.h"
#include "core/project.h"
#include "profiles/catalogue.h"

namespace kelvor {

namespace {

// The half-wave term of the torsional stiffness has always used pi rounded to 7 digits.
constexpr float kPiHalfWave = 3.141593f;
// Moment factor of a member whose end moments are restrained against sway (3/5.1).
constexpr double kCm = 0.75;
// The torsional mode is searched over this many half-waves along the span and no further.
constexpr int kMaxHalfWaves = 12;
constexpr float kNoModeYet = 1E+12f;

// The system's own spelling, kept: reports and users compare against the text.
constexpr const char* kNoCompression = "Siga postive or 0 ==> No buckling control";
constexpr const char* kClosedSection = "Closed section ==> No torsional buckling control";
constexpr const char* kBuLabel = "UFbu= ";
constexpr const char* kBtLabel = "UFbt= ";
constexpr const char* kBtFormulaLabel = "UFbt= Siga/(n*SigCT) = ";
constexpr const char* kBuReference = "  < 1.0 (3/5.1)";
constexpr const char* kBtReference = "  < 1.0 (3/5.3)";
constexpr const char* kDeformationLabel = "Deformation y = p*(s1+s2)/2*L1^4/(384*E*Iyeff) = ";

// Closed sections: the profile set-up leaves Gamma, Io and K of whatever open profile came
// before, so the torsional check is not made for them. An unknown family is refused by the
// section properties step before this check.
bool ClosedSection(int family) {
    const Family* f = FindFamily(family);
    return f && ClosedShape(f->shape);
}

// Beyond the proportional limit Pr*sigF the elastic stress overestimates the capacity: the
// guide's Johnson-Ostenfeld correction, continuous at the limit. At the limit itself the
// elastic stress stands.
double CriticalStress(double sigE, double sigF, double pr, const char* what) {
    return JohnsonOstenfeld(sigE, sigF, pr, AtLimit::Elastic, what);
}

// Mean axial stress over the stiffener and its full plate, compression positive. The plate
// strips s1/2 and s2/2 beside the stiffener carry the mean of their edge stresses, each edge
// stress taken halfway between the field edge and the stiffener line.
double AxialStress(const Project& p, double A) {
    const double sigxStiff = p.SigxStiff;
    const double sigma1 = ((p.SigxA + sigxStiff) / 2 + sigxStiff) / 2;
    const double sigma2 = ((sigxStiff + p.SigxB) / 2 + sigxStiff) / 2;
    const double t = p.t;
    const double s1 = p.s1;
    const double s2 = p.s2;
    return Div(-sigma1 * (s1 / 2) * t - sigma2 * (s2 / 2) * t - sigxStiff * p.StiffArea, A,
               "axial stress: stiffener and plate areas are zero");
}

// Beam-column buckling (3/5.1): the axial term against the critical stress of the stiffener
// with its buckled plate, plus the bending of the lateral pressure amplified by the axial load.
void BeamColumn(const Project& p, StiffenerBucklingResult& r) {
    const double E = p.E;
    const double L1 = p.L1;
    const double t = p.t;
    const double As = p.StiffArea;
    const double se = p.se;
    const double Fys = p.Fys;
    const double eta = p.UFallow;
    const double P = r.Siga;
    const double A = r.A;

    r.SigmaE =
        Div(kPi * kPi * E * Square(p.rGyr), Square(L1), "beam-column buckling: span L1 is zero");
    // The column takes the yield stress of stiffener and effective plate weighted by area.
    r.SigF = Div(p.Fyp * t * se + Fys * As, As + t * se,
                 "beam-column buckling: stiffener area and effective plate are zero");
    r.SigmaC = CriticalStress(r.SigmaE, r.SigF, p.Pr,
                              "beam-column buckling: elastic buckling stress is zero");
    if (!r.compressed) {
        r.UFbu = kNotChecked;
        r.bu = {true, kBlack};
        return;
    }

    const float invEta =
        static_cast<float>(Div(1, eta, "beam-column buckling: allowable utilisation n is zero"));
    const double axial =
        Div(Div(P, r.SigmaC, "beam-column buckling: radius of gyration rGyr is zero"), p.Ae / A,
            "beam-column buckling: effective area Ae is zero");
    const double M = std::fabs(static_cast<double>(p.p)) * p.sMean * Square(L1) / 12;
    r.fb = Div(M, p.Ws_be, "bending stress: section modulus Ws_be is zero");
    // The axial load amplifies the pressure moment by 1/(1 - P/(n*sigE)). From P = n*sigE on
    // the stiffener is at or beyond its allowable Euler load: the amplification has no value, and
    // past it the formula would turn negative and pass a column that has already buckled.
    const double euler = Div(P, eta * r.SigmaE, "beam-column buckling: Euler stress is zero");
    if (euler >= 1) {
        throw CalcError(
            "axial stress at or above the allowable Euler stress (beam-column buckling: Siga >= "
            "n*SigE, the stiffener buckles as a column)");
    }
    const double amplified = Fys * (1 - euler);
    const double bending =
        Div(kCm * r.fb, amplified, "beam-column buckling: stiffener yield stress Fys is zero");
    r.UFbu = Finite(invEta * (axial + bending), "beam-column buckling factor UFbu");
    r.bu = FactorMark(r.UFbu);
}

// Smallest elastic torsional/flexural buckling stress of the stiffener over 1 to 12 half-waves
// along L1. The plate's rotational restraint Co is reduced by the plate's own buckling
// (the Co/sigP term), so the plate strip stress sigP enters for each half-wave count.
float TorsionalElasticStress(const Project& p) {
    const double E = p.E;
    const double L1 = p.L1;
    const double t = p.t;
    const double sMean = p.sMean;
    const double alpha = Div(L1, sMean, "torsional buckling: stiffener spacing is zero");
    const double Co =
        Div(E * t * t * t, 3 * sMean, "torsional buckling: stiffener spacing is zero");
    const double tOverS = t / sMean;

    float sigET = kNoModeYet;
    for (int n = 1; n <= kMaxHalfWaves; ++n) {
        const double waves = Div(n, alpha, "torsional buckling: span L1 is zero") + alpha / n;
        const float sigP = static_cast<float>(kPi * kPi * E / (12 * kOneMinusNuSquared) *
                                              Square(tOverS) * Square(waves));
        const double nPi = static_cast<float>(n) * kPiHalfWave;
        const double halfWave = L1 / nPi;  // length of one half-wave
        const double N =
            p.StiffK / 2.6 +
            Square(Div(nPi, L1, "torsional buckling: span L1 is zero")) * p.StiffGamma +
            Div(Co, E, "torsional buckling: Young's modulus E is zero") * Square(halfWave);
        const double sigma =
            Div(E * N,
                p.StiffIo + Div(Co, sigP, "torsional buckling: plate strip stress is zero") *
                                Square(halfWave),
                "torsional buckling: polar moment Io and plate restraint Co are zero");
        // Only a strictly smaller stress moves the minimum: of equal modes the fewer half-waves
        // stand.
        if (sigma < sigET) {
            sigET = static_cast<float>(sigma);
        }
    }
    return sigET;
}

// Torsional/flexural buckling (3/5.3) against the yield stress of the weaker material.
void Torsional(const Project& p, StiffenerBucklingResult& r) {
    const double P = r.Siga;
    r.closed = ClosedSection(p.StiffProfileType);
    if (!r.closed) {
        r.SigET = TorsionalElasticStress(p);
    }
    r.SigF = p.Fys;
    if (p.Fyp < p.Fys) {
        r.SigF = p.Fyp;
    }
    if (!r.closed) {
        r.SigmaCT = static_cast<float>(
            CriticalStress(r.SigET, r.SigF, p.Pr, "torsional buckling: elastic stress is zero"));
    }

    if (!r.compressed || r.closed) {
        r.UFbt = kNotChecked;
        r.bt = {true, kBlack};
        return;
    }
    r.UFbt = Finite(Div(Div(P, r.SigmaCT, "torsional buckling: critical stress is zero"), p.UFallow,
                        "torsional buckling: allowable utilisation n is zero"),
                    "torsional buckling factor UFbt");
    r.bt = FactorMark(r.UFbt);
}

// Deflection of the stiffener as a beam clamped at both ends under the pressure on its load
// breadth, with the plate breadth sw. Shown for information; no limit applies.
void Deflection(const Project& p, StiffenerBucklingResult& r) {
    const double L1 = p.L1;
    const float e384 = p.E * 384.0f;
    const double y =
        Div(std::fabs(static_cast<double>(p.p)) * p.sMean * std::pow(L1, 4), e384 * p.I_sw,
            "deflection: moment of inertia I_sw of the stiffener is zero");
    r.Deformation = y;
    if (y == 0) {
        return;
    }
    r.spanOverDeformation = Finite(L1 / y, "deflection: span over deflection");
    r.deformation = {true, kBlack};
}

}  // namespace

StiffenerBucklingResult StiffenerBuckling(const Project& p) {
    StiffenerBucklingResult r;
    r.A = p.StiffArea + p.sMean * p.t;
    r.Siga = AxialStress(p, r.A);
    r.compressed = r.Siga > 0;
    BeamColumn(p, r);
    Torsional(p, r);
    Deflection(p, r);
    return r;
}

void DescribeStiffenerBuckling(Project& p, const StiffenerBucklingResult& r) {
    p.UFbuText.Clear();
    p.UFbtText.Clear();
    p.DeformationText.Clear();
    if (!r.compressed) {
        SetLine(p.UFbuText, kBuLabel, "", "", r.bu, kNoCompression);
        SetLine(p.UFbtText, "", "", "", r.bt, kNoCompression);
    } else {
        const NumberText axialText = FormatText(r.Siga, "0.0");
        SetLine(p.UFbuText, kBuLabel, FormatText(r.UFbu, "0.00"), kBuReference, r.bu, "1/",
                FormatText(p.UFallow, "0.0"), "*(", axialText, "/(", FormatText(r.SigmaC, "0.0"),
                "*(", FormatText(p.Ae, "0"), "/", FormatText(r.A, "0"), ")) + ",
                FormatText(kCm, "0.00"), "*", FormatText(r.fb, "0.0"), "/(",
                FormatText(p.Fys, "0.0"), "*[1-", axialText, "/(", FormatText(p.UFallow, "0.00"),
                "*", FormatText(r.SigmaE, "0.0"), ")])) =");
        if (r.closed) {
            SetLine(p.UFbtText, kBtLabel, "", "", r.bt, kClosedSection);
        } else {
            SetLine(p.UFbtText, kBtFormulaLabel, FormatText(r.UFbt, "0.00"), kBtReference, r.bt,
                    FormatText(r.Siga, "0.0"), "/(", FormatText(p.UFallow, "0.0"), "*",
                    FormatText(r.SigmaCT, "0.0"), ")  =");
        }
    }
    if (r.deformation.shown) {
        ResultLine& line = p.DeformationText;
        SetLine(line, kDeformationLabel, "", "", r.deformation,
                FormatText(std::fabs(p.p), "0.00"), "*(", FormatText(p.s1, "00"), "+",
                FormatText(p.s2, "00"), ")/2*", FormatText(p.L1, "00"), "^4/(384*E*",
                FormatText(p.I_sw, "00.0E+0"), ") = ");
        AssignConcat(line.value, FormatText(r.Deformation, "0.0"), " mm ");
        AssignConcat(line.reference, " ==> l/", FormatText(r.spanOverDeformation, "00"));
    }
}

}  // namespace kelvor
