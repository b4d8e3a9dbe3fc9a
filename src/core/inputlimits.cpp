#include "core/inputlimits.h"

#include <limits>

namespace kelvor {

namespace {

constexpr double kNone = std::numeric_limits<double>::infinity();

// The dimensions of a built-up section: a web or flange under 0.1 mm, or a height or breadth
// under 5 mm, describes no section that could be welded; the section properties of such
// numbers (a negative height gives a negative area) would pass every check.
constexpr double kMinLength = 5;
constexpr double kMinThickness = 0.1;
#define KELVOR_LENGTH(f, name) {&Project::f, kMinLength, kNone, " " name " >= 5 "}
#define KELVOR_THICKNESS(f, name) {&Project::f, kMinThickness, kNone, " " name " >= 0.1 "}
#define KELVOR_FLANGED(family)                                                          \
    KELVOR_LENGTH(family##H, "H"), KELVOR_LENGTH(family##B, "B"),                        \
        KELVOR_THICKNESS(family##Tw, "tw"), KELVOR_THICKNESS(family##Tf, "tf")

// clang-format off
const InputLimit kLimits[] = {
    {&Project::FS, 0.6, 2, " 0.6 <= FS <= 2 "},
    {&Project::UFallow, 0.6, 2, " 0.6 <= UF <= 2 "},
    {&Project::Fyp, 50, 2000, " 50 <= fyp <= 2000 "},
    {&Project::Fup, 50, 2000, " 50 <= Fup <= 2000 "},
    {&Project::Fys, 50, 2000, " 50 <= fys <= 2000 "},
    {&Project::Fus, 50, 2000, " 50 <= Fus <= 2000 "},
    {&Project::E, 1000, kNone, " 1000 <= E-modulus "},
    {&Project::L1, 50, kNone, " L1 >= 50 "},
    {&Project::L2, 50, kNone, " L2 >= 50 "},
    {&Project::Lg, 1000, kNone, " 1000 <= Lg  "},
    {&Project::t, 0.1, kNone, " 0.1 <= t "},
    {&Project::s1, 10, kNone, " 10 <= s1  "},
    {&Project::s2, 10, kNone, " 10 <= s2  "},
    {&Project::Lgs, 1000, kNone, " 1000 <= Lgs  "},
    {&Project::Lt, 400, kNone, " 400 <= Lt "},
    {&Project::UnitLength, 5, 600, " 5 < unit length < 600 ", true},
    KELVOR_FLANGED(LBuilt),
    KELVOR_FLANGED(TBuilt),
    KELVOR_LENGTH(FbBuiltH, "H"), KELVOR_THICKNESS(FbBuiltTw, "tw"),
    KELVOR_LENGTH(RhsBuiltH, "H"), KELVOR_LENGTH(RhsBuiltB, "B"),
    KELVOR_THICKNESS(RhsBuiltTw, "tw"),
    KELVOR_LENGTH(TrapBuiltH, "H"), KELVOR_LENGTH(TrapBuiltB, "B"),
    KELVOR_THICKNESS(TrapBuiltTw, "tw"),
    // Vertical webs have no offset.
    {&Project::TrapBuiltOffset, 0, kNone, " a >= 0 "},
    KELVOR_FLANGED(IBuilt),
    KELVOR_FLANGED(GirderLBuilt),
    KELVOR_FLANGED(GirderTBuilt),
};
// clang-format on

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

}  // namespace kelvor
