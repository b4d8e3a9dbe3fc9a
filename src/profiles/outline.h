#pragma once

// Outline points of the to-scale section figure.

#include "profiles/catalogue.h"

namespace kelvor {

struct Project;

// Fills OutlineX/OutlineY, OutlineKind, OutlineCount, FigureHeight, FigureWidth, AxisHeight and
// AxisX from the stiffener in the record, its breadth `se` and neutral axis `zp`. For the L from
// a table it also writes the root chamfer 2 tw into StiffR.
void ProfileOutline(Project& p, const Family& family);

}  // namespace kelvor
