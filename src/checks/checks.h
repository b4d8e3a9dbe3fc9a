#pragma once

// The checks of one panel. Each reads its inputs from the record and writes its factors, result
// lines and statuses back; none depends on a check that runs after it in `Calculate`.

namespace kelvor {

struct Project;
struct Tables;

// Plate buckling, ultimate strength and lateral pressure of both plate fields; sets `se`.
void PlateBuckling(Project& p);
// Plate yield at the panel corners.
void PlateYield(Project& p);
// Rule thickness of the plate.
void PlateScantling(Project& p);

// Beam-column and torsional buckling of the stiffener, and its deflection.
void StiffenerBuckling(Project& p);
// Overall buckling of the stiffened panel.
void OverallBuckling(Project& p);
// Stiffness of the stiffener against the plate.
void StiffenerStiffness(Project& p);
// Stiffener yield on the plate side and the stiffener side.
void StiffenerYield(Project& p);
// Rule section modulus of the stiffener (the material factor comes from the material rows).
void StiffenerSectionModulus(Project& p, const Tables& tables);
// Rule section modulus and proportions of the girder.
void GirderScantling(Project& p, const Tables& tables);
// The c-factors of stiffener and girder and their reference text.
void ShowCFactor(Project& p);

// c-factor of the stiffener (c) and of the girder (cg) for the kind of structure (`CFactorTab`),
// the end attachment (`CFactorOption`) and the unit length in m. Throws CalcError for a page or
// option that does not exist.
struct CFactors {
    double c;
    double cg;
};
CFactors StructureCFactors(int tab, int option, float unitLength);

}  // namespace kelvor
