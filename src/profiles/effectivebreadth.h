#pragma once

// Rule effective breadth of the plating attached to a stiffener.

namespace kelvor {

// be/s for a side whose ratio of zero-moment length to spacing is r = l0/s. Tabulated from
// 1.5 (0.58) to 4.5 (1.0) in steps of 0.5, linear between; 1.0 from 4.5 on; below 1.5 linear
// from zero (see the definition).
double RuleBreadthCoefficient(double r);

}  // namespace kelvor
