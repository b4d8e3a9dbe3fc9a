#pragma once

#include <string>
#include <vector>

namespace kelvor {

struct Project;

// The factors and OK/NOK rows a result list can hold, in the list's order (buckling block, then
// scantling and yield block).
enum class Check {
    PlateBuckling,      // UFpb, 3/3.1
    PlateUltimate,      // UFpu, 3/3.3
    PlatePressure,      // UFpl, 3/3.5
    StiffenerBuckling,  // UFbu, 3/5.1
    Torsional,          // UFbt, 3/5.3
    Stiffness,          // UFs, 3/9.1
    Overall,            // UFgbu, 3/5.7
    PlateThickness,     // UFt, rule thickness of the plate
    StiffenerModulus,   // UFsm
    GirderModulus,      // UFgm
    GirderDepth,        // OK/NOK, dmin/H
    GirderWeb,          // OK/NOK, tmin/tw
    Tripping,           // OK/NOK, Lt/3000
    PlateYield,         // UFy, 3-2-1/3.11
    YieldPlateSide,     // UFyp
    YieldStiffenerSide, // UFys
};
inline constexpr int kCheckCount = 16;

// The name a chart or table shows: "UFpb", "Girder depth", ...
const char* CheckName(Check check);

// One row of a run's verdict. `value` is the utilisation: the factor itself, or for an OK/NOK
// row the ratio of demand to limit (dmin/H, tmin/tw, Lt/3000), which passes at or below 1.
struct FactorRow {
    Check check;
    double value = 0;
    bool passes = true;    // what the list colours it: green, or OK
    bool isFactor = true;  // false: an OK/NOK row
    bool checked = true;   // false: the row says why there is no factor (no compression,
                           // closed section); value is then the record's -99 or 0
};

// What a run comes to in one mode (1 buckling, 2 scantling and yield, 3 both): every row the
// result list shows in that mode, with the deformation row left out (information only).
struct Verdict {
    bool completed = false;  // the run reached its end (no CalcFailure)
    bool passes = false;     // completed, no red row, no factor above the limit
    std::vector<FactorRow> rows;
    double highest = 0;  // the largest utilisation of the rows
    int governing = -1;  // index in rows of the largest utilisation; -1 when none
    std::string failure;  // CalcFailure's text, or the plate-field error row's text
};

// Reads the verdict from the record after Calculate or Evaluate. `limit` applies to factors
// (a stricter limit such as 0.9 leaves a margin); OK/NOK rows pass as the list shows them.
Verdict Judge(const Project& p, int mode, double limit = 1.0);

// The same without the list of rows: for searches that judge many candidates.
bool Passes(const Project& p, int mode, double limit = 1.0);

}  // namespace kelvor
