#pragma once

// The checks of one panel. Each reads the record (inputs and what the steps before it stored)
// and returns its result: the numbers, the marks of its result lines (shown, colour) and the
// intermediate values its formula texts show. The driver stores a result in the record only
// when its check succeeded; the describe functions (describe.h) write the texts from it.

#include "checks/platebuckling.h"
#include "core/resultline.h"

namespace kelvor {

struct Project;
struct Tables;

// Plate buckling, ultimate strength and lateral pressure of both plate fields; sets `se`.
struct PlateBucklingResult {
    PlateField field1, field2;
    // The minimum stresses of the fields with tension taken as 0, as the lateral-pressure
    // check used them.
    double SigxMin1 = 0, SigyMin1 = 0, SigxMin2 = 0, SigyMin2 = 0;
    // Each factor is reported for the field it is worst in; a tie keeps field 1.
    double UFpb = 0, UFpu = 0, UFpl = 0;
    bool pbOfField2 = false, puOfField2 = false, plOfField2 = false;
    double se = 0;
    LineMark pb1, pu1, pl1, pb2, pu2, pl2;  // of each field's own lines
};
PlateBucklingResult PlateBuckling(const Project& p);

// Beam-column and torsional buckling of the stiffener, and its deflection.
struct StiffenerBucklingResult {
    double A = 0;  // stiffener with its full plate, mm2
    double Siga = 0, SigmaE = 0, SigmaC = 0;
    double SigF = 0;  // as the torsional check leaves it: the weaker material's yield
    bool compressed = false;  // Siga > 0: the buckling checks apply
    bool closed = false;      // closed section: no torsional check
    double fb = 0;            // bending stress of the pressure moment
    double UFbu = 0, UFbt = 0;
    float SigET = 0, SigmaCT = 0;
    double Deformation = 0, spanOverDeformation = 0;
    LineMark bu, bt, deformation;
};
StiffenerBucklingResult StiffenerBuckling(const Project& p);

// Overall buckling of the stiffened panel.
struct OverallBucklingResult {
    double OverallKx = 0, OverallKy = 0, SigmaCx = 0;
    float SigmaCy = 0;
    double sigx = 0, sigy = 0;  // the stresses along and across the stiffeners
    float UFgbu = 0;
    LineMark line;
};
OverallBucklingResult OverallBuckling(const Project& p);

// Plate yield at the panel corners.
struct PlateYieldResult {
    char governing = 0;  // corner point 'A'..'D'
    double sigeq = 0;
    double UFy = 0;
    LineMark line;
};
PlateYieldResult PlateYield(const Project& p);

// Stiffener yield on the plate side and the stiffener side.
struct StiffenerYieldResult {
    int platePoint = 0;  // 1..3
    double plateSigeq = 0;
    double UFyp = 0;
    int stiffenerPoint = 0;  // 1 end, 2 mid-span
    float stiffenerSigma = 0;
    double UFys = 0;
    LineMark plate, stiffener;
};
StiffenerYieldResult StiffenerYield(const Project& p);

// Stiffness of the stiffener against the plate.
struct StiffnessResult {
    double io = 0;
    double UFs = 0;
    LineMark line;
};
StiffnessResult StiffenerStiffness(const Project& p);

// Rule thickness of the plate.
struct PlateScantlingResult {
    int structure = 0;  // page of the end-attachment tabs
    double tmin = 0;
    double UFt = 0;
    LineMark line;
};
PlateScantlingResult PlateScantling(const Project& p);

// Material factor Q of the stiffener scantling (the weaker of stiffener and plate steel) and of
// the girder scantling (the plate's). Each first refuses a kind of structure that does not
// exist. The record keeps the factor even when the modulus check after it fails.
float StiffenerMaterialFactor(const Project& p, const Tables& tables);
float GirderMaterialFactor(const Project& p, const Tables& tables);

// Rule section modulus of the stiffener with the material factor q.
struct StiffenerModulusResult {
    int structure = 0;
    double c = 0;
    double sm = 0;
    float wmin = 0;
    double UFsm = 0;
    LineMark line;
};
StiffenerModulusResult StiffenerSectionModulus(const Project& p, float q);

// Rule section modulus and proportions of the girder with the material factor q.
struct GirderScantlingResult {
    int structure = 0;
    double cg = 0;
    double sm = 0;
    float wmin = 0;
    double UFgm = 0;
    double dmin = 0, GirderDepthRatio = 0;
    double tmin = 0, GirderWebRatio = 0;
    LineMark modulus, depth, web, tripping;
};
GirderScantlingResult GirderScantling(const Project& p, float q);

// c-factor of stiffener (c) and girder (cg) for the kind of structure (`CFactorTab`), the end
// attachment (`CFactorOption`) and the unit length in m. Throws CalcError for a page or option
// that does not exist.
struct CFactors {
    double c;
    double cg;
};
CFactors StructureCFactors(int tab, int option, float unitLength);

}  // namespace kelvor
