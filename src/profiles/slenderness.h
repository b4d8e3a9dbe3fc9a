#pragma once

// Local buckling of the stiffener's web (ch 9.9) and flange (ch 9.7): slenderness ratios
// against limits proportional to k = sqrt(E/Fys).

#include <string>

#include "profiles/catalogue.h"

namespace kelvor {

struct Project;

struct LocalSlendernessResult {
    double webRatio = 0, webLimit = 0;
    double flangeRatio = 0;
    float flangeLimit = 0;  // single
};

// Ratios and limits; 0 where the family has no such check. Throws CalcError for a zero web or
// flange thickness or yield stress where a check needs it.
LocalSlendernessResult LocalSlenderness(const Family& family, const StiffenerDimensions& d,
                                        double E, double Fys);

// The two texts, "Web: hw/tw = 20.7 <= 36.1", written in place; one blank where the family has
// no such check.
void DescribeLocalSlenderness(const Family& family, const LocalSlendernessResult& r,
                              char decimalSeparator, std::string& web, std::string& flange);

// A ratio equal to its limit passes.
bool WebCheckPasses(const Project& p);
bool FlangeCheckPasses(const Project& p);

}  // namespace kelvor
