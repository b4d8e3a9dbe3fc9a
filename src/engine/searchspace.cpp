// The candidates of a design search: their fixed order, how one is put into a project, and the
// mass it is judged by.
#include <algorithm>
#include <cmath>

#include "core/calcerror.h"
#include "core/inputlimits.h"
#include "core/project.h"
#include "core/tables.h"
#include "engine/searchlayout.h"
#include "profiles/profiles.h"

namespace kelvor {

namespace {

// More values than this in one range is a step typed wrong, not a search anyone means.
constexpr int kMaxRangeValues = 100000;

// The table families in the order a search takes them, with the record's row of each.
struct TableFamily {
    unsigned bit;
    int family;
    int Project::*row;
    ProfileTable Tables::*table;
};
constexpr TableFamily kTableFamilies[] = {
    {kSearchBulb, 6, &Project::BfTableRow, &Tables::BfTable},
    {kSearchFlat, 4, &Project::FbTableRow, &Tables::FbTable},
    {kSearchAngle, 0, &Project::LTableRow, &Tables::LTable},
    {kSearchTee, 2, &Project::TTableRow, &Tables::TTable},
};

std::string CheckRange(const SearchRange& r, const char* what, float Project::*field) {
    if (!(r.step > 0)) {
        return std::string("the ") + what + " step must be above 0";
    }
    if (!(r.min <= r.max)) {
        return std::string("the ") + what + " range must not end below its start";
    }
    const InputLimit& limit = *LimitOf(field);
    if (!limit.Admits(r.min)) {
        return LimitInWords(limit);
    }
    if ((r.max - r.min) / r.step >= kMaxRangeValues) {
        return std::string("the ") + what + " range must hold fewer than 100000 values";
    }
    return {};
}

void TrySetUpStiffener(Project& p, const Tables& tables) {
    try {
        SetUpStiffenerProfile(p, tables, p.StiffProfileType);
    } catch (const CalcError&) {
        // The fault stays in the record; the run reports it.
    }
}

}  // namespace

int SearchRange::Count() const {
    if (!(step > 0) || !(min <= max)) {
        return 0;
    }
    // A step that does not divide the range exactly in binary must still reach a max it meets.
    return static_cast<int>(std::floor((max - min) / step + 1e-9)) + 1;
}

std::string CheckSearchSpace(const SearchSpace& space, const SearchOptions& options) {
    std::string fault = CheckRange(space.thickness, "thickness", &Project::t);
    if (fault.empty() && space.spacing) {
        fault = CheckRange(*space.spacing, "spacing", &Project::s1);
    }
    if (!fault.empty()) {
        return fault;
    }
    if ((space.stiffenerTables & kSearchAllTables) == 0 && !space.projectStiffener) {
        return "no stiffener to search: choose a table or the project's own";
    }
    if (options.mode < 1 || options.mode > 3) {
        return "the mode must be 1, 2 or 3";
    }
    if (!(options.limit > 0)) {
        return "the utilisation limit must be above 0";
    }
    if (options.top < 1) {
        return "the number of panels to keep must be at least 1";
    }
    return {};
}

SearchLayout::SearchLayout(const Project& p, const Tables& tables, const SearchSpace& space)
    : thickness(space.thickness), spacing(space.spacing) {
    for (const TableFamily& f : kTableFamilies) {
        if (space.stiffenerTables & f.bit) {
            const int rows = static_cast<int>((tables.*f.table).rows.size());
            for (int row = 0; row < rows; ++row) {
                stiffeners.push_back({f.family, row});
            }
        }
    }
    if (space.projectStiffener) {
        // A table row of a searched table is among the rows already.
        bool listed = false;
        for (const TableFamily& f : kTableFamilies) {
            listed = listed || ((space.stiffenerTables & f.bit) && f.family == p.StiffProfileType &&
                                (tables.*f.table).HasRow(p.*f.row));
        }
        if (!listed) {
            stiffeners.push_back({-1, -1});
        }
    }
    girders = space.girdersFromTable ? static_cast<int>(tables.TTable.rows.size()) : 1;
    grades = space.allGrades ? std::max(0, tables.MaterialLastRow()) : 1;
    girderFromTable = space.girdersFromTable;
    gradeFromTable = space.allGrades;
    spacings = spacing ? spacing->Count() : 1;
    thicknesses = thickness.Count();
    perStiffener = static_cast<std::uint64_t>(girders) * grades * spacings * thicknesses;
    total = perStiffener * stiffeners.size();
}

Candidate SearchLayout::At(std::uint64_t index) const {
    Candidate c;
    c.index = index;
    std::uint64_t rest = index;
    const auto take = [&rest](int count) {
        const int k = static_cast<int>(rest % static_cast<std::uint64_t>(count));
        rest /= static_cast<std::uint64_t>(count);
        return k;
    };
    c.t = static_cast<float>(thickness.At(take(thicknesses)));
    const int s = take(spacings);
    c.spacing = spacing ? static_cast<float>(spacing->At(s)) : 0.0f;
    const int g = take(grades);
    c.grade = gradeFromTable ? g : -1;
    const int girder = take(girders);
    c.girderRow = girderFromTable ? girder : -1;
    const StiffenerChoice& st = stiffeners[static_cast<std::size_t>(rest)];
    c.stiffFamily = st.family;
    c.stiffRow = st.row;
    return c;
}

std::uint64_t CandidateCount(const Project& project, const Tables& tables,
                             const SearchSpace& space) {
    return SearchLayout(project, tables, space).total;
}

void SetCandidateStiffener(Project& p, const Tables& tables, const Candidate& c,
                           const Project* original) {
    if (c.stiffFamily < 0) {
        if (original == nullptr) {
            return;  // the project's own, in the project itself
        }
        p.StiffProfileType = original->StiffProfileType;
        for (const TableFamily& f : kTableFamilies) {
            p.*f.row = original->*f.row;
        }
    } else {
        p.StiffProfileType = c.stiffFamily;
        for (const TableFamily& f : kTableFamilies) {
            if (f.family == c.stiffFamily) {
                p.*f.row = c.stiffRow;
            }
        }
    }
    TrySetUpStiffener(p, tables);
}

void SetCandidateRest(Project& p, const Tables& tables, const Candidate& c) {
    p.t = c.t;
    if (c.spacing > 0) {
        p.s1 = c.spacing;
        p.s2 = c.spacing;
    }
    if (c.grade >= 0) {
        p.PlateMaterialIndex = c.grade;
        p.StiffMaterialIndex = c.grade;
    }
    if (c.girderRow >= 0 && tables.TTable.HasRow(c.girderRow)) {
        const ProfileRow& row = tables.TTable.rows[static_cast<std::size_t>(c.girderRow)];
        p.GirderProfileType = 3;
        p.GirderTBuiltH = row[0];
        p.GirderTBuiltB = row[1];
        p.GirderTBuiltTw = row[2];
        p.GirderTBuiltTf = row[3];
    }
}

void SetUpCandidateGirder(Project& p) {
    try {
        SetUpGirderProfile(p);
    } catch (const CalcError&) {
        // Reported by the run's own girder step.
    }
}

void ApplyCandidate(Project& p, const Tables& tables, const Candidate& c) {
    SetCandidateStiffener(p, tables, c, nullptr);
    SetCandidateRest(p, tables, c);
    SetUpCandidateGirder(p);
    LoadPlateMaterial(p, tables, p.PlateMaterialIndex);
    LoadStiffenerMaterial(p, tables, p.StiffMaterialIndex);
}

double PanelMass(const Project& p) {
    const double sMean = (static_cast<double>(p.s1) + p.s2) / 2;
    const double LMean = (static_cast<double>(p.L1) + p.L2) / 2;
    if (!(sMean > 0) || !(LMean > 0)) {
        return HUGE_VAL;
    }
    // 7.85 kg per m2 and mm of steel: each member as the plate thickness it would make if spread
    // over the panel area it stiffens.
    return 7.85 * (p.t + p.StiffArea / sMean + p.GirderArea / LMean);
}

}  // namespace kelvor
