#pragma once

// The texts a design search answer is shown with, the same in the window and the command line.

#include <array>
#include <string>

#include "engine/search.h"

namespace kelvor {

inline constexpr int kSearchColumns = 8;

// "t [mm]", "stiffener", "girder", "s1/s2 [mm]", "grade", "mass [kg/m2]", "utilisation",
// "governs".
const std::array<const char*, kSearchColumns>& SearchColumnNames();

// A candidate's cells under those names; decimals written with `decimalSeparator`.
std::array<std::string, kSearchColumns> SearchCells(const CandidateResult& r,
                                                    char decimalSeparator);

// "t = 40 mm, Fb 400x20.0, T 800x200x10.0x20.0, s1/s2 700 mm, AH36 (HS36), 156.32 kg/m2,
// utilisation 1.234 (UFbu)"
std::string CandidateInWords(const CandidateResult& r, char decimalSeparator);

}  // namespace kelvor
