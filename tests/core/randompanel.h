// Random panels and projects for the property tests, drawn as a user types them
// (tests/data/properties/draws.tsv).
#pragma once

#include <cmath>
#include <random>
#include <string>

#include "../support/datatable.h"
#include "core/recordfields.h"
#include "core/tables.h"
#include "engine/session.h"

namespace testsupport {

struct Random {
    explicit Random(unsigned seed) : engine_(seed) {}
    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(engine_); }
    // A value typed with `decimals` places, as the window stores it.
    float Typed(double lo, double hi, int decimals) {
        const double scale = std::pow(10.0, decimals);
        return static_cast<float>(
            std::round(std::uniform_real_distribution<double>(lo, hi)(engine_) * scale) / scale);
    }
    // Printable text without the double quote, which the project file writes as a single one.
    std::string Text(int longest) {
        std::string text(static_cast<std::size_t>(Int(0, longest)), ' ');
        for (char& c : text) {
            c = static_cast<char>(Int(' ', '~'));
            c = c == '"' ? '\'' : c;
        }
        return text;
    }
    std::mt19937 engine_;
};

// The built-up inputs of the families by their names' prefix; table families take none.
inline const char* const kBuiltUp[] = {"",         "LBuilt",    "", "TBuilt", "", "FbBuilt", "",
                                       "RhsBuilt", "TrapBuilt", "IBuilt"};

// The draws of one set of draws.tsv, each field drawn once in `oneIn`; a field named after
// `prefix` that the record lacks (a flat bar's flange) is left out.
inline void DrawInputs(Random& random, kelvor::Project& p, const std::string& set, int oneIn,
                       const std::string& prefix = "") {
    static const auto draws = testdata::ReadTable("properties/draws.tsv");
    for (const testdata::Row& d : draws) {
        if (d[0] == set && random.Int(1, oneIn) == 1 && kelvor::FindRecordField(prefix + d[1])) {
            const float v = random.Typed(d.Number(2), d.Number(3), d.Int(4));
            testdata::SetField(p, prefix + d[1], testdata::Shortest(v));
        }
    }
}

// The strengths, spans, stresses and girder of a plausible panel, and its stiffener's
// built-up dimensions.
inline void RandomPanel(Random& random, kelvor::Project& p, int family) {
    p.LoadingCondition = random.Int(0, 2);
    p.CFactorTab = random.Int(0, 2);
    p.CFactorOption = random.Int(0, 1);
    DrawInputs(random, p, "panel", 1);
    p.Fup += p.Fyp;
    p.Fus += p.Fys;
    p.E *= 1000;
    p.GirderProfileType = random.Int(0, 1) == 0 ? 1 : 3;
    DrawInputs(random, p, "girder", 1,
               p.GirderProfileType == 1 ? "GirderLBuilt" : "GirderTBuilt");
    p.StiffProfileType = family;
    if (*kBuiltUp[family]) {
        DrawInputs(random, p, "stiffener", 1, kBuiltUp[family]);
    }
}

// A random project of the family as the window holds it, from a started one: inputs typed, a
// material row or the material typed by hand, the profile and materials applied.
inline kelvor::Project RandomProject(Random& random, const kelvor::Project& started,
                                     const kelvor::Tables& tables, int family) {
    kelvor::Project p = started;
    p.ProjectName = random.Text(60);
    p.Identification = random.Text(60);
    RandomPanel(random, p, family);
    p.PlateMaterialIndex = random.Int(0, tables.MaterialLastRow());
    p.StiffMaterialIndex = random.Int(0, tables.MaterialLastRow());
    switch (family) {
        // Any row, also one of two that differ only in tf (250x90x12 with tf 12 and 16).
        case 0: p.LTableRow = random.Int(0, tables.LTable.LastRow()); break;
        case 2: p.TTableRow = random.Int(0, tables.TTable.LastRow()); break;
        case 4: p.FbTableRow = random.Int(0, tables.FbTable.LastRow()); break;
        case 6: p.BfTableRow = random.Int(0, tables.BfTable.LastRow()); break;
        case 8: p.TrapBuiltOffset = random.Typed(10, p.TrapBuiltB / 2, 0); break;
    }
    kelvor::ApplyProfilesAndMaterials(p, tables);
    p.AnalysisMode = 3;
    return p;
}

}  // namespace testsupport
