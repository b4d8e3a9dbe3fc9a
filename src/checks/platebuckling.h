// Plate buckling, ultimate strength and lateral pressure of one plate field (ABS buckling guide,
// Section 3). `PlateBuckling` (checks.h) runs this for both fields and keeps the larger factors;
// the work of one field is exposed so that its intermediate values can be checked by hand.
#pragma once

namespace kelvor {

struct Project;

// Every number of one plate field, in the order the guide builds them. Stresses in MPa,
// compression negative.
struct PlateField {
    double alpha = 0;  // aspect ratio L1/s
    double beta = 0;   // slenderness (s/t)*sqrt(SigF/E)

    // Buckling state limit (3/3.1).
    double kappaX = 0, kx = 0;              // longitudinal stress ratio and buckling coefficient
    double kappaY = 0, ky = 0;              // transverse
    double tauC = 0, sigCx = 0, sigCy = 0;  // critical stresses
    double sigx = 0, sigy = 0, tau = 0;     // design stresses, tension taken as 0
    double UFpb = 0;

    // Ultimate strength (3/3.3).
    double tauU = 0, Cx = 0, Cy = 0, sigUx = 0, sigUy = 0, phi = 0;
    double UFpu = 0;

    // Uniform lateral pressure (3/3.5).
    double sigE = 0;  // equivalent in-plane stress
    double pu = 0;    // ultimate lateral pressure, MPa
    double UFpl = 0;

    // Effective width of the plating acting with the stiffener.
    double X = 0;    // radicand of the coefficient Cxe; only worked out when UFpb >= 1
    double Cxe = 0;  // coefficient as settled: Cxe, or Cy where Cxe could not be used
    double se = 0;   // mm
    bool errorFlag = false;

    // The lateral-pressure row speaks for both fields: equal in width and stress.
    bool plForBothFields = false;
};

// The coefficient the effective width settles on, from the radicand X of the guide's Cxe and
// |sigy0|/sigUy: Cxe where X allows it, otherwise Cy, raising the field's error flag when X < 0.
// At X = 0 field 1 keeps Cy while field 2 works out Cxe. Capped at 1.
struct WidthCoefficient {
    double value = 0;
    bool errorFlag = false;
};
WidthCoefficient EffectiveWidthCoefficient(int field, double X, double phi, double sigyRatio,
                                           double Cy);

// The work of field 1 or 2 from the record as it stands: the field's SigxMin/SigyMin must
// already be 0 where positive, as `PlateBuckling` takes them for each field.
// Throws CalcError where the field cannot be evaluated.
PlateField EvaluatePlateField(const Project& p, int field);

}  // namespace kelvor
