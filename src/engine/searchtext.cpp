#include "engine/searchtext.h"

#include <cstdio>

namespace kelvor {

namespace {

std::string Format(const char* pattern, double value, char decimalSeparator) {
    char buf[48];
    std::snprintf(buf, sizeof buf, pattern, value);
    std::string s = buf;
    for (char& c : s) {
        if (c == '.') {
            c = decimalSeparator;
        }
    }
    return s;
}

// Equal spacings, the search's own, as one number.
std::string Spacings(const CandidateResult& r, char sep) {
    const std::string s1 = Format("%g", r.s1, sep);
    return r.s1 == r.s2 ? s1 : s1 + "/" + Format("%g", r.s2, sep);
}

}  // namespace

const std::array<const char*, kSearchColumns>& SearchColumnNames() {
    static const std::array<const char*, kSearchColumns> kNames = {
        "t [mm]", "stiffener", "girder", "s1/s2 [mm]", "grade", "mass [kg/m2]", "utilisation",
        "governs"};
    return kNames;
}

std::array<std::string, kSearchColumns> SearchCells(const CandidateResult& r,
                                                    char decimalSeparator) {
    return {Format("%g", r.candidate.t, decimalSeparator),
            r.stiffener,
            r.girder,
            Spacings(r, decimalSeparator),
            r.grade,
            Format("%.2f", r.mass, decimalSeparator),
            Format("%.3f", r.highest, decimalSeparator),
            r.governing >= 0 ? CheckName(static_cast<Check>(r.governing)) : "-"};
}

std::string CandidateInWords(const CandidateResult& r, char decimalSeparator) {
    const auto cells = SearchCells(r, decimalSeparator);
    return "t = " + cells[0] + " mm, " + cells[1] + ", " + cells[2] + ", s1/s2 " + cells[3] +
           " mm, " + cells[4] + ", " + cells[5] + " kg/m2, utilisation " + cells[6] + " (" +
           cells[7] + ")";
}

}  // namespace kelvor
