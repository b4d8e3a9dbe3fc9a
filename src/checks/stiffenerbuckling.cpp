// Buckling of the stiffener with its attached plating, after the ABS guide for buckling and
// ultimate strength assessment of offshore structures, Section 3: beam-column buckling (3/5.1),
// torsional/flexural buckling (3/5.3), and the stiffener's lateral deflection under p.
#include <cmath>
#include <string>

#include "checks/checkmath.h"
#include "checks/checks.h"
#include "core/calcerror.h"
#include "core/numformat.h"
#include "core/project.h"

namespace kelvor {

namespace {

// The half-wave term of the torsional stiffness has always used pi rounded to 7 digits.
constexpr float kPiHalfWave = 3.141593f;
constexpr double kOneMinusNuSquared = 0.91;  // Poisson's ratio 0.3
// Moment factor of a member whose end moments are restrained against sway (3/5.1).
constexpr double kCm = 0.75;
// The torsional mode is searched over this many half-waves along the span and no further.
constexpr int kMaxHalfWaves = 12;
constexpr float kNoModeYet = 1E+12f;
// Factor of a check that does not apply; the result table shows it as it is.
constexpr double kNotChecked = -99;

// The system's own spelling, kept: reports and users compare against the text.
constexpr const char* kNoCompression = "Siga postive or 0 ==> No buckling control";
constexpr const char* kClosedSection = "Closed section ==> No torsional buckling control";
constexpr const char* kBuLabel = "UFbu= ";
constexpr const char* kBtLabel = "UFbt= ";
constexpr const char* kBtFormulaLabel = "UFbt= Siga/(n*SigCT) = ";
constexpr const char* kBuReference = "  < 1.0 (3/5.1)";
constexpr const char* kBtReference = "  < 1.0 (3/5.3)";
constexpr const char* kDeformationLabel = "Deformation y = p*(s1+s2)/2*L1^4/(384*E*Iyeff) = ";

// Families 7 (RHS) and 8 (trapezoid) close on the plate. Their torsional stiffness is of another
// order than an open section's, and the profile set-up leaves Gamma, Io and K of whatever open
// profile came before: the torsional check is not made for them.
bool ClosedSection(int family) {
    return family == 7 || family == 8;
}

// Beyond the proportional limit Pr*sigF the elastic stress overestimates the capacity: the
// guide's Johnson-Ostenfeld correction, continuous at the limit. At the limit itself the
// elastic stress stands.
double CriticalStress(double sigE, double sigF, double pr, const char* what) {
    if (sigE <= pr * sigF) {
        return sigE;
    }
    return sigF * (1 - Div(pr * (1 - pr) * sigF, sigE, what));
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
void BeamColumn(Project& p, double A) {
    const double E = p.E;
    const double L1 = p.L1;
    const double t = p.t;
    const double As = p.StiffArea;
    const double se = p.se;
    const double Fys = p.Fys;
    const double eta = p.UFallow;
    const double P = p.Siga;

    p.SigmaE =
        Div(kPi * kPi * E * Square(p.rGyr), Square(L1), "beam-column buckling: span L1 is zero");
    // The column takes the yield stress of stiffener and effective plate weighted by area.
    p.SigF = Div(p.Fyp * t * se + Fys * As, As + t * se,
                 "beam-column buckling: stiffener area and effective plate are zero");
    p.SigmaC = CriticalStress(p.SigmaE, p.SigF, p.Pr,
                              "beam-column buckling: elastic buckling stress is zero");
    if (P <= 0) {
        p.UFbu = kNotChecked;
        SetLine(p.UFbuText, kBuLabel, "", "", kBlack, kNoCompression);
        return;
    }

    const float invEta =
        static_cast<float>(Div(1, eta, "beam-column buckling: allowable utilisation n is zero"));
    const double axial =
        Div(Div(P, p.SigmaC, "beam-column buckling: radius of gyration rGyr is zero"), p.Ae / A,
            "beam-column buckling: effective area Ae is zero");
    const double M = std::fabs(static_cast<double>(p.p)) * p.sMean * Square(L1) / 12;
    const double fb = Div(M, p.Ws_be, "bending stress: section modulus Ws_be is zero");
    // The axial load amplifies the pressure moment by 1/(1 - P/(n*sigE)). From P = n*sigE on
    // the stiffener is at or beyond its allowable Euler load: the amplification has no value, and
    // past it the formula would turn negative and pass a column that has already buckled.
    const double euler = Div(P, eta * p.SigmaE, "beam-column buckling: Euler stress is zero");
    if (euler >= 1) {
        throw CalcError(
            "axial stress at or above the allowable Euler stress (beam-column buckling: Siga >= "
            "n*SigE, the stiffener buckles as a column)");
    }
    const double amplified = Fys * (1 - euler);
    const double bending =
        Div(kCm * fb, amplified, "beam-column buckling: stiffener yield stress Fys is zero");
    p.UFbu = Finite(invEta * (axial + bending), "beam-column buckling factor UFbu");

    const NumberText axialText = FormatText(P, "0.0");
    SetLine(p.UFbuText, kBuLabel, FormatText(p.UFbu, "0.00"), kBuReference, StatusOf(p.UFbu), "1/",
            FormatText(p.UFallow, "0.0"), "*(", axialText, "/(", FormatText(p.SigmaC, "0.0"), "*(",
            FormatText(p.Ae, "0"), "/", FormatText(A, "0"), ")) + ", FormatText(kCm, "0.00"), "*",
            FormatText(fb, "0.0"), "/(", FormatText(p.Fys, "0.0"), "*[1-", axialText, "/(",
            FormatText(p.UFallow, "0.00"), "*", FormatText(p.SigmaE, "0.0"), ")])) =");
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
void Torsional(Project& p) {
    const double P = p.Siga;
    const bool closed = ClosedSection(p.StiffProfileType);
    if (!closed) {
        p.SigET = TorsionalElasticStress(p);
    }
    p.SigF = p.Fys;
    if (p.Fyp < p.Fys) {
        p.SigF = p.Fyp;
    }
    if (!closed) {
        p.SigmaCT = static_cast<float>(
            CriticalStress(p.SigET, p.SigF, p.Pr, "torsional buckling: elastic stress is zero"));
    }

    if (P <= 0) {
        p.UFbt = kNotChecked;
        SetLine(p.UFbtText, "", "", "", kBlack, kNoCompression);
        return;
    }
    if (closed) {
        p.UFbt = kNotChecked;
        SetLine(p.UFbtText, kBtLabel, "", "", kBlack, kClosedSection);
        return;
    }
    p.UFbt = Finite(Div(Div(P, p.SigmaCT, "torsional buckling: critical stress is zero"), p.UFallow,
                        "torsional buckling: allowable utilisation n is zero"),
                    "torsional buckling factor UFbt");
    SetLine(p.UFbtText, kBtFormulaLabel, FormatText(p.UFbt, "0.00"), kBtReference, StatusOf(p.UFbt),
            FormatText(P, "0.0"), "/(", FormatText(p.UFallow, "0.0"), "*",
            FormatText(p.SigmaCT, "0.0"), ")  =");
}

// Deflection of the stiffener as a beam clamped at both ends under the pressure on its load
// breadth, with the plate breadth sw. Shown for information; no limit applies.
void Deflection(Project& p) {
    const double L1 = p.L1;
    const float e384 = p.E * 384.0f;
    const double y =
        Div(std::fabs(static_cast<double>(p.p)) * p.sMean * std::pow(L1, 4), e384 * p.I_sw,
            "deflection: moment of inertia I_sw of the stiffener is zero");
    p.Deformation = y;
    if (y == 0) {
        return;
    }
    const double spanOverY = Finite(L1 / y, "deflection: span over deflection");
    ResultLine& line = p.DeformationText;
    SetLine(line, kDeformationLabel, "", "", kBlack, FormatText(std::fabs(p.p), "0.00"), "*(",
            FormatText(p.s1, "00"), "+", FormatText(p.s2, "00"), ")/2*", FormatText(p.L1, "00"),
            "^4/(384*E*", FormatText(p.I_sw, "00.0E+0"), ") = ");
    AssignConcat(line.value, FormatText(y, "0.0"), " mm ");
    AssignConcat(line.reference, " ==> l/", FormatText(spanOverY, "00"));
}

}  // namespace

void StiffenerBuckling(Project& p) {
    p.UFbuText.Clear();
    p.UFbtText.Clear();
    p.DeformationText.Clear();
    p.SigET = 0;
    p.SigmaCT = 0;

    const double A = p.StiffArea + p.sMean * p.t;
    p.Siga = AxialStress(p, A);
    BeamColumn(p, A);
    Torsional(p);
    Deflection(p);
}

}  // namespace kelvor
