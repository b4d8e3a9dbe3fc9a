// The steps of a run: each check's result stored in the record when the check succeeded, and
// the texts written from it.
#include "checks/checkmath.h"
#include "checks/checks.h"
#include "checks/describe.h"
#include "core/project.h"
#include "engine/calculate.h"
#include "profiles/profiles.h"

namespace kelvor {

namespace {

void RunPlateBuckling(Project& p, const Tables&, RunResults& results) {
    // Until this run has settled it, no width of an earlier run may stand; a run stopped here
    // leaves se at 0 and the plate's yield stress and Pr in place for the steps after it.
    p.se = 0;
    p.Pr = kPr;
    p.SigF = p.Fyp;
    const PlateBucklingResult& r = results.plateBuckling = PlateBuckling(p);
    p.SigxMin1 = r.SigxMin1;
    p.SigyMin1 = r.SigyMin1;
    p.SigxMin2 = r.SigxMin2;
    p.SigyMin2 = r.SigyMin2;
    p.UFpb = r.UFpb;
    p.UFpu = r.UFpu;
    p.UFpl = r.UFpl;
    p.UFpb2 = r.field2.UFpb;
    p.UFpu2 = r.field2.UFpu;
    p.UFpl2 = r.field2.UFpl;
    p.Cx1 = r.field1.Cx;
    p.Cy1 = r.field1.Cxe;
    p.Cx2 = r.field2.Cx;
    p.Cy2 = r.field2.Cxe;
    p.PlateErrorFlag1 = p.PlateErrorFlag1 || r.field1.errorFlag;
    p.PlateErrorFlag2 = p.PlateErrorFlag2 || r.field2.errorFlag;
    p.se = r.se;
    p.UFpbText.Mark(r.pbOfField2 ? r.pb2 : r.pb1);
    p.UFpuText.Mark(r.puOfField2 ? r.pu2 : r.pu1);
    p.UFplText.Mark(r.plOfField2 ? r.pl2 : r.pl1);
    p.UFpb2Text.Mark(r.pb2);
    p.UFpu2Text.Mark(r.pu2);
    p.UFpl2Text.Mark(r.pl2);
}

void RunStiffenerBuckling(Project& p, const Tables&, RunResults& results) {
    const StiffenerBucklingResult& r = results.stiffenerBuckling = StiffenerBuckling(p);
    p.Siga = r.Siga;
    p.SigmaE = r.SigmaE;
    p.SigmaC = r.SigmaC;
    p.SigF = r.SigF;
    p.UFbu = r.UFbu;
    p.UFbt = r.UFbt;
    p.SigET = r.SigET;
    p.SigmaCT = r.SigmaCT;
    p.Deformation = r.Deformation;
    p.UFbuText.Mark(r.bu);
    p.UFbtText.Mark(r.bt);
    p.DeformationText.Mark(r.deformation);
}

void RunOverallBuckling(Project& p, const Tables&, RunResults& results) {
    const OverallBucklingResult& r = results.overallBuckling = OverallBuckling(p);
    p.OverallKx = r.OverallKx;
    p.OverallKy = r.OverallKy;
    p.SigmaCx = r.SigmaCx;
    p.SigmaCy = r.SigmaCy;
    p.UFgbu = r.UFgbu;
    p.UFgbuText.Mark(r.line);
}

void RunPlateYield(Project& p, const Tables&, RunResults& results) {
    const PlateYieldResult& r = results.plateYield = PlateYield(p);
    p.UFy = r.UFy;
    p.UFyText.Mark(r.line);
}

void RunStiffenerYield(Project& p, const Tables&, RunResults& results) {
    const StiffenerYieldResult& r = results.stiffenerYield = StiffenerYield(p);
    p.UFyp = r.UFyp;
    p.UFys = r.UFys;
    p.YieldPlateText.Mark(r.plate);
    p.YieldStiffText.Mark(r.stiffener);
}

void RunStiffness(Project& p, const Tables&, RunResults& results) {
    const StiffnessResult& r = results.stiffness = StiffenerStiffness(p);
    p.io = r.io;
    p.UFs = r.UFs;
    p.UFsText.Mark(r.line);
}

void RunPlateScantling(Project& p, const Tables&, RunResults& results) {
    const PlateScantlingResult& r = results.plateScantling = PlateScantling(p);
    p.UFt = r.UFt;
    p.UFtText.Mark(r.line);
}

void RunStiffenerScantling(Project& p, const Tables& tables, RunResults& results) {
    // The material factor stands once found, even when the modulus check then fails.
    p.StiffMaterialFactor = StiffenerMaterialFactor(p, tables);
    const StiffenerModulusResult& r = results.stiffenerModulus =
        StiffenerSectionModulus(p, p.StiffMaterialFactor);
    p.c = r.c;
    p.UFsm = r.UFsm;
    p.StiffSmText.Mark(r.line);
}

void RunGirderScantling(Project& p, const Tables& tables, RunResults& results) {
    p.StiffMaterialFactor = GirderMaterialFactor(p, tables);
    const GirderScantlingResult& r = results.girderScantling =
        GirderScantling(p, p.StiffMaterialFactor);
    p.cg = r.cg;
    p.UFgm = r.UFgm;
    p.GirderDepthRatio = r.GirderDepthRatio;
    p.GirderWebRatio = r.GirderWebRatio;
    p.GirderSmText.Mark(r.modulus);
    p.GirderDepthText.Mark(r.depth);
    p.GirderWebText.Mark(r.web);
    p.TrippingText.Mark(r.tripping);
}

void RunCFactor(Project& p, const Tables&, RunResults&) {
    const CFactors f = StructureCFactors(p.CFactorTab, p.CFactorOption, p.UnitLength);
    p.c = f.c;
    p.cg = f.cg;
}

// The order is fixed: each check may read what the steps before it stored, never after.
// The panel figure and the deformation check box (steps 11 and 15 of the sequence) are the
// window's; it redraws them from the record after every run.
// clang-format off
constexpr CalcStep kSteps[] = {
    {"plate buckling", RunPlateBuckling,
     [](Project& p, const RunResults& r) { DescribePlateBuckling(p, r.plateBuckling); }},
    {"rule effective breadth",
     [](Project& p, const Tables&, RunResults&) { RuleEffectiveBreadth(p); }, nullptr},
    {"stiffener section properties",
     [](Project& p, const Tables&, RunResults&) { StiffenerWithPlate(p); },
     [](Project& p, const RunResults&) { DescribeStiffenerWithPlate(p); }},
    {"stiffener buckling", RunStiffenerBuckling,
     [](Project& p, const RunResults& r) { DescribeStiffenerBuckling(p, r.stiffenerBuckling); }},
    {"overall buckling", RunOverallBuckling,
     [](Project& p, const RunResults& r) {
         DescribeOverallBuckling(p, r.overallBuckling, p.UFgbuText);
     }},
    {"plate yield", RunPlateYield,
     [](Project& p, const RunResults& r) { DescribePlateYield(p, r.plateYield); }},
    {"stiffener yield", RunStiffenerYield,
     [](Project& p, const RunResults& r) { DescribeStiffenerYield(p, r.stiffenerYield); }},
    {"stiffener stiffness", RunStiffness,
     [](Project& p, const RunResults& r) { DescribeStiffenerStiffness(p, r.stiffness, p.UFsText); }},
    {"plate scantling", RunPlateScantling,
     [](Project& p, const RunResults& r) { DescribePlateScantling(p, r.plateScantling); }},
    {"stiffener scantling", RunStiffenerScantling,
     [](Project& p, const RunResults& r) { DescribeStiffenerModulus(p, r.stiffenerModulus); }},
    // The girder's dimensions and name follow its inputs; a failed run still shows them.
    {"girder section properties",
     [](Project& p, const Tables&, RunResults&) { GirderWithPlate(p); },
     [](Project& p, const RunResults&) { DescribeGirder(p); }, true},
    {"girder scantling", RunGirderScantling,
     [](Project& p, const RunResults& r) { DescribeGirderScantling(p, r.girderScantling); }},
    {"c-factor", RunCFactor, [](Project& p, const RunResults&) { DescribeCFactor(p); }},
};
// clang-format on

}  // namespace

std::span<const CalcStep> CalculationSteps() {
    return kSteps;
}

}  // namespace kelvor
