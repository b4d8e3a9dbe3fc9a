#pragma once

#include <array>
#include <string>
#include <vector>

namespace kelvor {

// One row of a profile table; columns are numbered from 1 in the file formats, from 0 here.
//   bulb flats: H, tw, c, r, A      flat bars: H, tw      L and T: H, B, tw, tf
using ProfileRow = std::array<float, 5>;

struct ProfileTable {
    static constexpr int kMaxRows = 61;
    std::vector<ProfileRow> rows;

    int LastRow() const { return static_cast<int>(rows.size()) - 1; }  // -1 when empty
    bool HasRow(int row) const { return row >= 0 && row <= LastRow(); }
};

struct MaterialRow {
    std::string MatName;
    float MatFy = 0;  // yield stress, MPa
    float MatFu = 0;  // tensile strength, MPa
    float MatQ = 0;   // material factor of the scantling checks
};

// The profile and material tables, read once at start and never written.
struct Tables {
    static constexpr int kMaxMaterialRows = 23;

    ProfileTable BfTable;  // bulb flats
    ProfileTable FbTable;  // flat bars
    ProfileTable LTable;
    ProfileTable TTable;
    std::vector<MaterialRow> Materials;
    // Why the material table stopped short of its file's end (the loader's message); empty
    // when it was read whole. A project whose material row was lost with it names this cause.
    std::string MaterialFault;

    // The last material row stands for a material typed by hand.
    int MaterialLastRow() const { return static_cast<int>(Materials.size()) - 1; }
};

}  // namespace kelvor
