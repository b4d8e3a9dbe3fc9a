#pragma once

// The fixed order of a search's candidates: stiffener outermost, then girder, grade, spacing and
// plate thickness innermost, so that a stiffener is set up once for all its thicknesses.

#include <cstdint>
#include <optional>
#include <vector>

#include "engine/search.h"

namespace kelvor {

struct StiffenerChoice {
    int family;  // -1: the project's own
    int row;
};

struct SearchLayout {
    SearchLayout(const Project& p, const Tables& tables, const SearchSpace& space);

    Candidate At(std::uint64_t index) const;
    // Candidates [StiffenerOf * perStiffener, ...) share a stiffener.
    std::uint64_t StiffenerOf(std::uint64_t index) const { return index / perStiffener; }

    SearchRange thickness;
    std::optional<SearchRange> spacing;
    std::vector<StiffenerChoice> stiffeners;
    int girders = 1, grades = 1, spacings = 1, thicknesses = 0;
    bool girderFromTable = false, gradeFromTable = false;
    std::uint64_t perStiffener = 0;
    std::uint64_t total = 0;
};

// `ApplyCandidate` in two steps, so that a search sets a stiffener up once for all the
// candidates that share it. `original` gives back the project's own stiffener to a copy that
// held others; nullptr leaves the stiffener as it stands for the project's own.
void SetCandidateStiffener(Project& p, const Tables& tables, const Candidate& c,
                           const Project* original);
// Thickness, spacing, grade and girder inputs; the girder in use is set up by the run's own
// step, or by SetUpCandidateGirder where no run follows.
void SetCandidateRest(Project& p, const Tables& tables, const Candidate& c);
void SetUpCandidateGirder(Project& p);

}  // namespace kelvor
