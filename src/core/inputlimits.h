// The limits of the typed inputs: what the window refuses when a field is left is refused from
// project and batch files too, with the same text, so that no value the window would not take
// reaches a calculation by another road.
#pragma once

#include <span>
#include <string>

#include "core/project.h"

namespace kelvor {

struct InputLimit {
    float Project::*field;
    const char* name;     // in words with its symbol: "Plate thickness t"
    const char* unit;     // "mm", "MPa", "m"; empty for a ratio
    double low;           // refused below; equality passes
    double high;          // refused above; equality passes
    const char* message;  // the window's text, an inequality such as " 0.6 <= FS <= 2 "
    // The unit length counts only for a watertight bulkhead (structure page 0), where the
    // window shows its field; elsewhere it is not used and any value stands.
    bool watertightOnly = false;

    // A value that is not a number is refused too.
    bool Admits(double value) const { return value >= low && value <= high; }
    bool Admits(double value, int cfactorTab) const {
        return (watertightOnly && cfactorTab != 0) || Admits(value);
    }
};

// The spans, spacings, thickness, materials and safety values of the main window, its stresses
// and pressures (any number), then the built-up dimensions of every stiffener and girder family.
std::span<const InputLimit> InputLimits();

// The limit of that field, or nullptr for a field that is no typed input.
const InputLimit* LimitOf(float Project::*field);

// What the field must hold, in words: "Plate thickness t must be at least 0.1 mm", "Factor of
// safety FS must be from 0.6 to 2", "Lateral pressure p must be a number in MPa".
std::string LimitInWords(const InputLimit& limit);

}  // namespace kelvor
