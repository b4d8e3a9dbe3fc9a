#include "engine/searchtext.h"

#include "core/numformat.h"

namespace kelvor {

namespace {

// Equal spacings, the search's own, as one number.
std::string Spacings(const CandidateResult& r, char sep) {
    const std::string s1 = GeneralFormat(r.s1, sep);
    return r.s1 == r.s2 ? s1 : s1 + "/" + GeneralFormat(r.s2, sep);
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
    // Through the program's own formats, as every number it shows: the same rounding and
    // separator as the result list.
    return {GeneralFormat(r.candidate.t, decimalSeparator),
            r.stiffener,
            r.girder,
            Spacings(r, decimalSeparator),
            r.grade,
            Format(r.mass, "0.00", decimalSeparator),
            Format(r.highest, "0.000", decimalSeparator),
            r.governing >= 0 ? CheckName(static_cast<Check>(r.governing)) : "-"};
}

std::string CandidateInWords(const CandidateResult& r, char decimalSeparator) {
    const auto cells = SearchCells(r, decimalSeparator);
    return "t = " + cells[0] + " mm, " + cells[1] + ", " + cells[2] + ", s1/s2 " + cells[3] +
           " mm, " + cells[4] + ", " + cells[5] + " kg/m2, utilisation " + cells[6] + " (" +
           cells[7] + ")";
}

}  // namespace kelvor
