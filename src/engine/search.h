#pragma once

// Design search: every combination of plate thickness, stiffener table row, girder, spacing and
// steel grade within the ranges asked for is calculated, and the lightest panels that pass are
// kept, with the trade-off between steel mass and utilisation.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/verdict.h"

namespace kelvor {

struct Project;
struct Tables;

// Values min, min + step, ... up to max (equality included).
struct SearchRange {
    double min = 0, max = 0, step = 1;
    int Count() const;
    double At(int k) const { return min + k * step; }
};

// The stiffener tables a search draws from, as bits.
enum StiffenerTableBits : unsigned {
    kSearchBulb = 1,   // bulb flats, BF table
    kSearchFlat = 2,   // flat bars
    kSearchAngle = 4,  // L table
    kSearchTee = 8,    // T table
    kSearchAllTables = 15,
};

struct SearchSpace {
    SearchRange thickness{6, 40, 1};     // plate thickness t, mm
    unsigned stiffenerTables = kSearchAllTables;
    bool projectStiffener = false;       // the project's own stiffener as one more candidate
    bool girdersFromTable = false;       // every T table row as a built-up T girder
    std::optional<SearchRange> spacing;  // s1 = s2, mm; none: the project's spacings
    bool allGrades = false;              // every material row for plate and stiffener alike
};

struct SearchOptions {
    int mode = 1;         // 1 buckling, 2 scantling and yield, 3 both
    double limit = 1.0;   // the highest utilisation a factor may reach
    int top = 10;         // how many of the lightest passing panels to keep
    int threads = 0;      // 0: one per core
};

// One panel of the search. A negative row, grade or a zero spacing keeps the project's own.
struct Candidate {
    std::uint64_t index = 0;  // place in the fixed order of the search
    float t = 0;
    int stiffFamily = -1;  // family code of a table row (0 L, 2 T, 4 flat bar, 6 bulb flat)
    int stiffRow = -1;
    int girderRow = -1;  // row of the T table
    float spacing = 0;
    int grade = -1;  // material row of plate and stiffener
};

// A calculated candidate, as the answer reports it.
struct CandidateResult {
    Candidate candidate;
    double mass = 0;     // kg per m2 of panel
    double highest = 0;  // largest utilisation of the verdict
    int governing = -1;  // Check of that utilisation, -1 when none
    bool completed = false;
    bool passes = false;
    // Filled for the candidates the answer names.
    std::string stiffener, girder, grade;
    float s1 = 0, s2 = 0;
};

// A point of the mass-utilisation chart.
struct SearchPoint {
    float utilisation = 0;
    float mass = 0;
    bool passes = false;
};

struct SearchResult {
    std::uint64_t total = 0;      // candidates in the space
    std::uint64_t evaluated = 0;  // calculated before the end or a cancel
    std::uint64_t completed = 0;  // whose run completed
    std::uint64_t passing = 0;
    bool cancelled = false;
    std::vector<CandidateResult> best;   // the lightest passing, by mass then order
    std::vector<CandidateResult> front;  // by rising utilisation, each lighter than the one before
    std::optional<CandidateResult> closest;  // lowest highest utilisation of the completed
    std::vector<SearchPoint> points;  // completed candidates, every one or a regular sample
};

// The range or choice that makes the space empty or unusable, in words; empty when it is sound.
std::string CheckSearchSpace(const SearchSpace& space, const SearchOptions& options);

// The number of candidates of the space for this project and tables.
std::uint64_t CandidateCount(const Project& project, const Tables& tables, const SearchSpace& space);

// Sets the candidate's inputs into a project and sets up its profiles, as the profile dialogs
// do. A profile that can't be set up is left for the next run to report.
void ApplyCandidate(Project& p, const Tables& tables, const Candidate& c);

// Steel per square metre of panel, kg/m2: the plate, the stiffener spread over its spacing and
// the girder over the stiffener spans it carries, at 7.85 t/m3.
double PanelMass(const Project& p);

// `progress(done, total)` is called from the calling thread, a few times a second and at the
// end. Setting `cancel` stops the search within a few candidates per thread; the answer then
// holds what was found so far, with `cancelled` set.
using SearchProgress = std::function<void(std::uint64_t done, std::uint64_t total)>;
SearchResult Search(const Project& project, const Tables& tables, const SearchSpace& space,
                    const SearchOptions& options, const SearchProgress& progress = {},
                    const std::atomic<bool>* cancel = nullptr);

}  // namespace kelvor
