// Overall buckling of the stiffened panel (3/5.7): plate, stiffeners and girders taken together
// as an orthotropic plate between the girders, under the longitudinal stress at the stiffener
// and the mean transverse stress. The y-direction quantities have always been held in single
// precision.
#include <string>

#include "checks/checkmath.h"
#include "checks/checks.h"
#include "checks/describe.h"
#include "core/calcerror.h"
#include "core/numformat.h"
#include "core/project.h"

namespace kelvor {

namespace {

constexpr const char* kLabel = "UFgbu= ";
constexpr const char* kReference = "  < 1.0 (3/5.7)";

// Corrected for plasticity from the proportional limit on, against the plate's yield stress.
double CriticalStress(double sigE, double Fyp, const char* what) {
    return JohnsonOstenfeld(sigE, Fyp, kPr, AtLimit::Corrected, what);
}

// Buckling coefficient of the orthotropic field in one direction. A field at least as long as
// it is wide buckles in square half-waves (k = 4); a shorter one in a single half-wave, whose
// coefficient depends on the aspect ratio a scaled by the stiffness ratio.
double Coefficient(double lengthOverWidth, double a, double rho, const char* what) {
    if (lengthOverWidth >= 1) {
        return 4;
    }
    return Square(a) + 2 * rho + Div(1, Square(a), what);
}

}  // namespace

OverallBucklingResult OverallBuckling(const Project& p) {
    OverallBucklingResult r;
    const double t = p.t;
    const double L1 = p.L1;
    const double L2 = p.L2;
    const double Lg = p.Lg;
    const double E = p.E;
    const double sMean = p.sMean;
    const double eta = p.UFallow;
    const double Fyp = p.Fyp;
    const double Ie = p.Ie;

    // Plate part of the stiffener's inertia about the neutral axis of stiffener with plate.
    const double Ipl = p.se * t * t * t / 12 + p.se * t * Square(p.zp);
    const float iy = static_cast<float>(L1 * t * t * t / 12);
    // Bending stiffness per unit width along the stiffeners and across them (the plate alone).
    const double Dx =
        Div(E * Ie, kOneMinusNuSquared * sMean, "overall buckling: stiffener spacing is zero");
    const float Dy = static_cast<float>(
        Div(E * iy, kOneMinusNuSquared * L1, "overall buckling: span L1 is zero"));
    // Torsional rigidity parameter: the plate's share of the stiffener's inertia.
    const double rho = Pow(Div(Ipl * iy, iy * Ie,
                               "overall buckling: moment of inertia Ie of stiffener with plate "
                               "is zero"),
                           0.5, "overall buckling: negative inertia ratio Ipl/Ie");

    // Thicknesses that smear stiffeners and girders over the plate.
    const double tx =
        Div(p.StiffArea + t * sMean, sMean, "overall buckling: stiffener spacing is zero");
    const double lg = (L1 + L2) / 2;
    const float ty = static_cast<float>(
        Div(p.GirderArea + t * lg, lg, "overall buckling: mean span (L1 + L2)/2 is zero"));

    const double Dxy = Sqrt(Dx * Dy, "overall buckling: negative bending stiffness");
    const double ax = Div(L1, Lg, "overall buckling: girder span Lg is zero") *
                      Pow(Div(Dy, Dx, "overall buckling: stiffness Dx is zero"), 0.25,
                          "overall buckling: negative stiffness ratio Dy/Dx");
    const float ay =
        static_cast<float>(Div(Lg, L1, "overall buckling: span L1 is zero") *
                           Pow(Div(Dx, Dy, "overall buckling: plate stiffness Dy is zero"), 0.25,
                               "overall buckling: negative stiffness ratio Dx/Dy"));
    r.OverallKx = Coefficient(L1 / Lg, ax, rho, "overall buckling: aspect ratio ax is zero");
    r.OverallKy = Coefficient(Lg / L1, ay, rho, "overall buckling: aspect ratio ay is zero");

    const double sigEx = Div(r.OverallKx * kPi * kPi * Dxy, Square(Lg) * tx,
                             "overall buckling: equivalent thickness tx is zero");
    const double sigEy = Div(r.OverallKy * kPi * kPi * Dxy, Square(L1) * ty,
                             "overall buckling: equivalent thickness ty is zero");
    r.SigmaCx = CriticalStress(sigEx, Fyp, "overall buckling: elastic stress along is zero");
    r.SigmaCy = static_cast<float>(
        CriticalStress(sigEy, Fyp, "overall buckling: elastic stress across is zero"));

    // Both stresses enter squared: their sign does not matter, and a panel in tension still
    // gets a factor.
    const double sigx = p.SigxStiff;
    const double sigy = (static_cast<double>(p.SigyA) + p.SigyC) / 2;
    const double rx = Div(sigx, eta * r.SigmaCx,
                          "overall buckling: critical stress along the stiffeners is zero");
    const double ry = Div(sigy, eta * r.SigmaCy,
                          "overall buckling: critical stress across the stiffeners is zero");
    r.UFgbu = static_cast<float>(Finite(Square(rx) + Square(ry), "overall buckling factor UFgbu"));

    r.sigx = sigx;
    r.sigy = sigy;
    r.line = FactorMark(r.UFgbu);
    return r;
}

void DescribeOverallBuckling(const Project& p, const OverallBucklingResult& r, ResultLine& line) {
    const NumberText etaText = FormatText(p.UFallow, "0.00");
    SetLine(line, kLabel, FormatText(r.UFgbu, "0.00"), kReference, r.line, "(",
            FormatText(r.sigx, "0.0"), "/(", etaText, "*", FormatText(r.SigmaCx, "0.0"),
            "))^2 + (", FormatText(r.sigy, "0.0"), "/(", etaText, "*",
            FormatText(r.SigmaCy, "0.0"), "))^2 = ");
}

}  // namespace kelvor
