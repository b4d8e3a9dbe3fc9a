#pragma once

// The chart data of a run's verdict and of a sweep, for report/charts to draw.

#include "report/charts.h"

namespace kelvor {

struct Capacity;
struct Project;
struct SweepResult;

// A bar per row `Judge` gives for the mode, after the record's last run; a run that stopped
// gives its failure instead of bars.
ChartData UtilisationChart(const Project& p, int mode, double limit = 1.0);

// A line per check over the varied input, with where each meets the limit, the steps whose run
// stopped, the project's value and, when given, the capacity as the note.
ChartData SweepChart(const SweepResult& sweep, const Capacity* capacity = nullptr);

// "Buckling", "Scantling / Yield", "Buckling / Scantling / Yield".
const char* ModeName(int mode);

}  // namespace kelvor
