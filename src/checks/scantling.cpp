// Rule scantlings of stiffener and girder after the ABS rules for mobile offshore drilling units:
// the section modulus SM = 7.8*Q*c*h*s*l^2 of a stiffener and 4.74*Q*c*h*s*l^2 of a girder
// (cm3, with s and l in m and the head h in m), the girder's minimum depth and web thickness and
// the spacing of its tripping brackets, for watertight bulkheads (3-2-2/7), tank bulkheads
// (3-2-2/9) and upper structure (3-2-4/3).
#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "checks/checkmath.h"
#include "checks/checks.h"
#include "checks/describe.h"
#include "checks/structure.h"
#include "core/calcerror.h"
#include "core/numformat.h"
#include "core/project.h"
#include "core/tables.h"

namespace kelvor {

namespace {

// Minimum girder depth as a share of the girder span: factor*Lgs/divisor.
struct DepthRule {
    double factor;
    double divisor;
};

struct StructureRules {
    const char* stiffenerReference;
    const char* girderReference;
    const char* proportionsReference;  // minimum depth and web thickness
    const char* trippingReference;
    // The head of the upper-structure clauses counts 1000/7.05 m per MPa; the bulkhead clauses
    // count 100 m per MPa.
    bool headIn705;
    // The watertight-bulkhead girder rule has its own coefficient 4.7 and no cg.
    bool girderUsesCg;
    DepthRule depth[2];  // by end attachment
};

// By page of the end-attachment tabs (`CFactorTab`).
constexpr StructureRules kStructures[] = {
    {"  < 1.0  (3-2-2/7.5)",
     "  < 1.0  (3-2-2/7.9)",
     "  (3-2-2/7.9.2)",
     "  (3-2-2/7.9.3)",
     false,
     false,
     {{1, 12}, {1, 12}}},
    {"  < 1.0  (3-2-2/9.5)",
     "  < 1.0  (3-2-2/9.9)",
     "  (3-2-2/9.9.2)",
     "  (3-2-2/9.9.3)",
     false,
     true,
     {{1, 8}, {1, 8}}},
    {"  < 1.0  (3-2-4/3.5)",
     "  < 1.0  (3-2-4/3.7)",
     "  (3-2-4/3.7.2)",
     "  (3-2-4/3.7.3)",
     true,
     true,
     {{0.0583, 1}, {0.125, 1}}},
};

// The web never needs to be thicker than this, mm, however deep the girder.
constexpr double kMaxWebThickness = 11;
// Largest distance between the girder's tripping brackets, mm.
constexpr float kMaxTrippingDistance = 3000;
// Only the first table rows hold the rule's own material factors; higher-strength rows derive
// theirs from the strengths.
constexpr int kLastTabulatedQ = 3;

// Material factor Q of a material row: the table's column for the tabulated rows, otherwise the
// rule's 489.55/(Y + 2U/3) from the strengths in the record (also for an index the table does
// not hold, or a table without that row).
float MaterialFactor(const Tables& tables, int index, float fy, float fu, const char* zero) {
    if (index >= 0 && index <= kLastTabulatedQ && index <= tables.MaterialLastRow()) {
        return tables.Materials[static_cast<std::size_t>(index)].MatQ;
    }
    const float twoThirdsFu = 2 * fu / 3;  // single precision, like the strength it comes from
    return static_cast<float>(Div(489.55, static_cast<double>(fy) + twoThirdsFu, zero));
}

// The smaller of the section moduli at the plate and at the top, mm3, in cm3 as the rule takes
// it.
float Weffmin(double atPlate, float atTop) {
    return static_cast<float>(std::min(atPlate, static_cast<double>(atTop)) / 1000);
}

// No scantling pressure, no requirement: the line stays out of the list.
LineMark ModulusMark(double uf) {
    return uf > 0 ? FactorMark(uf) : LineMark{};
}

void ModulusLine(ResultLine& line, double sm, float wmin, double uf, const char* reference,
                 LineMark mark) {
    line.Clear();
    if (mark.shown) {
        SetLine(line, "UF = SM/Weffmin  = ", FormatText(uf, "0.00"), reference, mark,
                FormatText(sm, "0.0"), "/", FormatText(wmin, "0.0"), " = ");
    }
}

LineMark VerdictMark(bool ok) {
    return {true, ok ? kGreen : kRed};
}

template <typename... LimitPieces>
void Verdict(ResultLine& line, const char* label, LineMark mark, const char* reference,
             const LimitPieces&... limit) {
    SetLine(line, label, mark.status == kGreen ? "OK" : "NOK", reference, mark, limit...);
}

}  // namespace

float StiffenerMaterialFactor(const Project& p, const Tables& tables) {
    // The c-factor look-up refuses a page or option that does not exist before anything else.
    CheckedStructure(p.CFactorTab, p.CFactorOption);
    const float qs = MaterialFactor(tables, p.StiffMaterialIndex, p.Fys, p.Fus,
                                    "stiffener scantling: stiffener strengths Fys, Fus are zero");
    const float qp = MaterialFactor(tables, p.PlateMaterialIndex, p.Fyp, p.Fup,
                                    "stiffener scantling: plate strengths Fyp, Fup are zero");
    // The weaker of stiffener and plate steel governs.
    return p.Fys < p.Fyp ? qs : qp;
}

float GirderMaterialFactor(const Project& p, const Tables& tables) {
    CheckedStructure(p.CFactorTab, p.CFactorOption);
    // The girder is cut from the plate material.
    return MaterialFactor(tables, p.PlateMaterialIndex, p.Fyp, p.Fup,
                          "girder scantling: plate strengths Fyp, Fup are zero");
}

StiffenerModulusResult StiffenerSectionModulus(const Project& p, float q) {
    StiffenerModulusResult r;
    r.c = StructureCFactors(p.CFactorTab, p.CFactorOption, p.UnitLength).c;
    r.structure = p.CFactorTab;
    const StructureRules& rules = kStructures[p.CFactorTab];

    r.wmin = Weffmin(p.Wp_sw, p.Ws_sw);
    const double ps = p.ps;
    const double h = rules.headIn705 ? std::fabs(1000 * ps / 7.05) : 100 * std::fabs(ps);
    const float k = static_cast<float>(7.8 * q);
    r.sm = k * r.c * h * (p.s1 / 1000.0) * Square(p.L1 / 1000.0);
    r.UFsm = Div(r.sm, r.wmin, "stiffener scantling: section modulus Weffmin is zero");
    r.line = ModulusMark(r.UFsm);
    return r;
}

void DescribeStiffenerModulus(Project& p, const StiffenerModulusResult& r) {
    p.StructureType = kStructureNames[r.structure];
    ModulusLine(p.StiffSmText, r.sm, r.wmin, r.UFsm, kStructures[r.structure].stiffenerReference,
                r.line);
}

GirderScantlingResult GirderScantling(const Project& p, float q) {
    GirderScantlingResult r;
    r.cg = StructureCFactors(p.CFactorTab, p.CFactorOption, p.UnitLength).cg;
    r.structure = p.CFactorTab;
    const StructureRules& rules = kStructures[p.CFactorTab];

    r.wmin = Weffmin(p.GirderWp, p.GirderWs);
    // The girder carries the stiffeners of both spans beside it: load breadth LMean, in m.
    const double spanLoad =
        std::fabs(static_cast<double>(p.ps)) * (p.LMean / 1000) * Square(p.Lgs / 1000.0);
    if (rules.girderUsesCg) {
        const float k = static_cast<float>(4.74 * q);
        r.sm = k * r.cg * 100 * spanLoad;
    } else {
        const float k = static_cast<float>(4.7 * q * 100);
        r.sm = k * spanLoad;
    }
    r.UFgm = Div(r.sm, r.wmin, "girder scantling: section modulus Weffmin is zero");
    r.modulus = ModulusMark(r.UFgm);

    const DepthRule& depth = rules.depth[p.CFactorOption];
    r.dmin = p.Lgs * depth.factor / depth.divisor;
    r.GirderDepthRatio = Div(r.dmin, p.GirderH, "girder scantling: girder height H is zero");
    r.depth = VerdictMark(r.GirderDepthRatio <= 1);

    r.tmin = std::min(0.01 * p.GirderH + 3, kMaxWebThickness);
    r.GirderWebRatio = Div(r.tmin, p.GirderTw, "girder scantling: web thickness tw is zero");
    r.web = VerdictMark(r.GirderWebRatio <= 1);
    r.tripping = VerdictMark(p.Lt <= kMaxTrippingDistance);
    return r;
}

void DescribeGirderScantling(Project& p, const GirderScantlingResult& r) {
    const StructureRules& rules = kStructures[r.structure];
    p.StructureType = kStructureNames[r.structure];
    ModulusLine(p.GirderSmText, r.sm, r.wmin, r.UFgm, rules.girderReference, r.modulus);
    Verdict(p.GirderDepthText, "Min depth of girder = ", r.depth, rules.proportionsReference,
            FormatText(r.dmin, "0.0"), " mm");
    Verdict(p.GirderWebText, "Min thickness of web = ", r.web, rules.proportionsReference,
            FormatText(r.tmin, "0.0"), " mm");
    Verdict(p.TrippingText, "Max distance between tripping brackets = ", r.tripping,
            rules.trippingReference, "3000 mm");
}

}  // namespace kelvor
