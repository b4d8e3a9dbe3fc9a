#pragma once

// The profile families: where each takes its dimensions from, how it is named, which local
// checks apply and how its section is drawn.

#include <span>
#include <string>

#include "core/project.h"

namespace kelvor {

struct Tables;

// Where a family's dimensions come from: a table row or the family's built-up inputs.
enum class DimensionSource {
    LTable,
    TTable,
    FbTable,
    BfTable,
    LBuilt,
    TBuilt,
    FbBuilt,
    RhsBuilt,
    TrapBuilt,
    IBuilt,
};

// The cross-section: decides the derived dimensions, the section-property formulas, the
// designation layout and the figure.
enum class Shape {
    Angle,      // L; flange outstand on one side of the web
    Tee,        // T; flange centred on the web
    FlatBar,    // web alone
    Bulb,       // bulb flat, taken as the angle of the same height, web and area
    Rhs,        // closed box, wall thickness tw
    Trapezoid,  // closed, two inclined webs and a top plate
    I,          // flanges at both ends of the web
};

struct Family {
    int code;               // StiffProfileType
    const char* prefix;     // of the designation
    const char* batchCode;  // of the batch input file; empty when the family has none
    DimensionSource source;
    Shape shape;
    // Web slenderness limit as a multiple of k = sqrt(E/Fys); 0 where the web is not checked.
    double webLimitFactor;
    bool flangeCheck;
    // Drawn as one polygon (the rolled L with its root chamfer, the bulb, the inclined webs of
    // the trapezoid) rather than as boxes.
    bool polygonOutline;
};

constexpr int kFamilyCount = 10;

// Throws CalcError for a code outside 0..9.
const Family& FamilyOf(int code);
// The same without failing: nullptr for a code outside 0..9. For the checks, which leave an
// unknown family to the section properties step to refuse.
const Family* FindFamily(int code);

// Closed sections (RHS, trapezoid) close on the plate: their torsional stiffness is of another
// order than an open section's.
constexpr bool ClosedShape(Shape shape) {
    return shape == Shape::Rhs || shape == Shape::Trapezoid;
}
// The family of a batch stiffener code ("LR", "LW", "TG", "FB", "BF", "IG"), or -1.
int FamilyOfBatchCode(const std::string& code);
// The girder family of a batch girder code ("LG" 1, "TG" 3), or -1.
int GirderFamilyOfBatchCode(const std::string& code);

// The girder families: 1 L built up, 3 T built up. Each copies its own inputs
// (BuiltUpFieldsOf) into the girder in use.
struct GirderFamily {
    int code;  // GirderProfileType
    const char* prefix;
    const char* batchCode;
};

// Where the record keeps the built-up inputs of one family, stiffener or girder; null where the
// family has no such dimension. The one list of them: the profile set-up, the project file, the
// batch reader and the dialogs all read it.
struct BuiltUpFields {
    bool girder;
    int code;  // StiffProfileType or GirderProfileType
    float Project::*H;
    float Project::*B;
    float Project::*tw;
    float Project::*tf;
    float Project::*offset;  // the trapezoid's web offset
};

// Every built-up family, the stiffeners' first.
std::span<const BuiltUpFields> BuiltUpFamilies();
// The built-up inputs of a family; null for a family taken from a table.
const BuiltUpFields* BuiltUpFieldsOf(bool girder, int code);

// Calls visit(input, inUse) for each built-up input of the family with the dimension of the
// profile in use that it fills (LBuiltH and StiffH, TrapBuiltOffset and StiffC, GirderTBuiltB
// and GirderB, ...).
template <typename Visit>
void ForEachBuiltUpDimension(const BuiltUpFields& f, Visit visit);

// Throws CalcError for a code other than 1 and 3.
const GirderFamily& GirderFamilyOf(int code);

// The resolved dimensions of a stiffener, mm (area mm2).
struct StiffenerDimensions {
    float H = 0, B = 0, tw = 0, tf = 0, hw = 0;
    float c = 0, r = 0;  // bulb: table columns c and r; trapezoid: c is the web offset b
    float area = 0;      // bulb flat: the table's area A
};

// Dimensions of `family` from its table row or built-up inputs, with tf, hw and (for the bulb
// flat) the equivalent angle derived. What a family does not use (a flat bar's B and tf, c and
// r outside the bulb and trapezoid) is carried over from the record unchanged. Throws CalcError
// when the table holds no such row, or when the bulb's equivalent flange is as thin as its web.
StiffenerDimensions ResolveStiffener(const Project& p, const Tables& tables, const Family& family);

// "L 200x90x9.0x14.0", "Fb 200x10.0", "Trapez 200x90/50x9.0", ...
std::string StiffenerDesignation(const Family& family, const StiffenerDimensions& d,
                                 char decimalSeparator);
// "L " (code 1) or "T " (code 3) and H x B x tw x tf, patterned as the stiffener's.
std::string GirderDesignation(const GirderFamily& family, float H, float B, float tw, float tf,
                              char decimalSeparator);

template <typename Visit>
void ForEachBuiltUpDimension(const BuiltUpFields& f, Visit visit) {
    const struct {
        float Project::*input;
        float Project::*stiffener;
        float Project::*girder;
    } pairs[] = {{f.H, &Project::StiffH, &Project::GirderH},
                 {f.B, &Project::StiffB, &Project::GirderB},
                 {f.tw, &Project::StiffTw, &Project::GirderTw},
                 {f.tf, &Project::StiffTf, &Project::GirderTf},
                 {f.offset, &Project::StiffC, nullptr}};
    for (const auto& pair : pairs) {
        if (pair.input != nullptr) {
            visit(pair.input, f.girder ? pair.girder : pair.stiffener);
        }
    }
}

// The separator the window, the report and the batch file write decimals with.
char DecimalSeparatorOf(const Project& p);

}  // namespace kelvor
