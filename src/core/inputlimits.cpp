#include "core/inputlimits.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace kelvor {

namespace {

constexpr double kNone = std::numeric_limits<double>::infinity();

// The dimensions of a built-up section: a web or flange under 0.1 mm, or a height or breadth
// under 5 mm, describes no section that could be welded; the section properties of such
// numbers (a negative height gives a negative area) would pass every check.
constexpr double kMinLength = 5;
constexpr double kMinThickness = 0.1;
#define KELVOR_LENGTH(f, words, name) \
    {&Project::f, words " " name, "mm", kMinLength, kNone, " " name " >= 5 "}
#define KELVOR_THICKNESS(f, words, name) \
    {&Project::f, words " " name, "mm", kMinThickness, kNone, " " name " >= 0.1 "}
#define KELVOR_FLANGED(family)                                                            \
    KELVOR_LENGTH(family##H, "Height", "H"), KELVOR_LENGTH(family##B, "Flange breadth", "B"), \
        KELVOR_THICKNESS(family##Tw, "Web thickness", "tw"),                               \
        KELVOR_THICKNESS(family##Tf, "Flange thickness", "tf")
// Stresses and pressures take any number; they are listed for their words.
#define KELVOR_ANY(f, words) {&Project::f, words, "MPa", -kNone, kNone, ""}

// clang-format off
const InputLimit kLimits[] = {
    {&Project::FS, "Factor of safety FS", "", 0.6, 2, " 0.6 <= FS <= 2 "},
    {&Project::UFallow, "Allowable utilisation factor UF", "", 0.6, 2, " 0.6 <= UF <= 2 "},
    {&Project::Fyp, "Yield stress of the plate Fyp", "MPa", 50, 2000, " 50 <= fyp <= 2000 "},
    {&Project::Fup, "Tensile strength of the plate Fup", "MPa", 50, 2000, " 50 <= Fup <= 2000 "},
    {&Project::Fys, "Yield stress of the stiffener Fys", "MPa", 50, 2000, " 50 <= fys <= 2000 "},
    {&Project::Fus, "Tensile strength of the stiffener Fus", "MPa", 50, 2000,
     " 50 <= Fus <= 2000 "},
    {&Project::E, "Young's modulus E", "MPa", 1000, kNone, " 1000 <= E-modulus "},
    {&Project::L1, "Stiffener span L1", "mm", 50, kNone, " L1 >= 50 "},
    {&Project::L2, "Adjacent span L2", "mm", 50, kNone, " L2 >= 50 "},
    {&Project::Lg, "Girder span Lg", "mm", 1000, kNone, " 1000 <= Lg  "},
    {&Project::t, "Plate thickness t", "mm", 0.1, kNone, " 0.1 <= t "},
    {&Project::s1, "Stiffener spacing s1", "mm", 10, kNone, " 10 <= s1  "},
    {&Project::s2, "Stiffener spacing s2", "mm", 10, kNone, " 10 <= s2  "},
    {&Project::Lgs, "Girder span for scantling Lgs", "mm", 1000, kNone, " 1000 <= Lgs  "},
    {&Project::Lt, "Distance between tripping brackets Lt", "mm", 400, kNone, " 400 <= Lt "},
    {&Project::UnitLength, "Unit length UL", "m", 5, 600, " 5 < unit length < 600 ", true},
    KELVOR_ANY(SigxA, "Longitudinal stress SigxA"),
    KELVOR_ANY(SigxB, "Longitudinal stress SigxB"),
    KELVOR_ANY(SigyA, "Transverse stress SigyA"),
    KELVOR_ANY(SigyC, "Transverse stress SigyC"),
    KELVOR_ANY(Tau, "Shear stress Tau"),
    KELVOR_ANY(p, "Lateral pressure p"),
    KELVOR_ANY(ps, "Scantling pressure ps"),
    KELVOR_FLANGED(LBuilt),
    KELVOR_FLANGED(TBuilt),
    KELVOR_LENGTH(FbBuiltH, "Height", "H"), KELVOR_THICKNESS(FbBuiltTw, "Thickness", "tw"),
    KELVOR_LENGTH(RhsBuiltH, "Height", "H"), KELVOR_LENGTH(RhsBuiltB, "Breadth", "B"),
    KELVOR_THICKNESS(RhsBuiltTw, "Wall thickness", "tw"),
    KELVOR_LENGTH(TrapBuiltH, "Height", "H"), KELVOR_LENGTH(TrapBuiltB, "Breadth", "B"),
    KELVOR_THICKNESS(TrapBuiltTw, "Wall thickness", "tw"),
    // Vertical webs have no offset.
    {&Project::TrapBuiltOffset, "Web offset a", "mm", 0, kNone, " a >= 0 "},
    KELVOR_FLANGED(IBuilt),
    KELVOR_FLANGED(GirderLBuilt),
    KELVOR_FLANGED(GirderTBuilt),
};
// clang-format on

#undef KELVOR_ANY
#undef KELVOR_FLANGED
#undef KELVOR_LENGTH
#undef KELVOR_THICKNESS

}  // namespace

std::span<const InputLimit> InputLimits() { return kLimits; }

const InputLimit* LimitOf(float Project::*field) {
    for (const InputLimit& l : kLimits) {
        if (l.field == field) {
            return &l;
        }
    }
    return nullptr;
}

namespace {

std::string Number(double v) {
    char buf[32];
    return std::string(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
}

}  // namespace

std::string LimitInWords(const InputLimit& l) {
    const std::string unit = *l.unit ? std::string(" ") + l.unit : std::string();
    std::string words = std::string(l.name) + " must be ";
    if (std::isinf(l.low) && std::isinf(l.high)) {
        return words + (*l.unit ? std::string("a number in ") + l.unit : "a number");
    }
    if (std::isinf(l.high)) {
        return words + "at least " + Number(l.low) + unit;
    }
    return words + "from " + Number(l.low) + " to " + Number(l.high) + unit;
}

}  // namespace kelvor
