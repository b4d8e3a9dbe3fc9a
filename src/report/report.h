#pragma once

// The printed report: the whole project on one page, drawn on any canvas (printer, PDF, the
// recording canvas of the tests). Printing reads the record as the last run left it and never
// recalculates.

#include <array>
#include <string>

namespace kelvor {

class Canvas;
struct Project;
struct Tables;

// What the page needs besides the record. The date and time are given, not read from the clock,
// so that a page can be reproduced.
struct ReportContext {
    int kind = 1;      // 1 buckling, 2 scantling/yield, 3 both, 4 scantling (prints ps)
    std::string date;  // printed after "Date: " as it stands
    int hour = 0;      // printed after "Time: " as h:m, without leading zeros
    int minute = 0;
    std::string version;  // printed under the title
};

// The build's version, "0.1.0".
const char* ProgramVersion();
// The context of a report printed now: the local date as YYYY-MM-DD, the local time and the
// program version.
ReportContext ReportContextNow(int kind);

// The page grid: for the font sizes 8 to 11 of "times new roman", how many average characters
// fit across the page and how many text lines down it, each rounded to an integer with ties to
// even. Indexed by the font size; other entries stay 0.
struct PageGrid {
    std::array<int, 16> columns{};
    std::array<int, 16> rows{};
};
// Measures on the canvas, which it leaves in millimetres (y down) and "times new roman".
PageGrid MeasurePageGrid(Canvas& canvas);

// The one-page report of ctx.kind: header, material and loading, geometry with the stresses (ps
// for kind 4) and the panel figure, the two profiles, and the result blocks of the kind (kind 3
// and 4 both, buckling first), followed by the red failure row of a run that stopped. Nothing
// starts a new page; what does not fit falls off its foot.
void PrintPages(Canvas& canvas, const Project& p, const Tables& tables, const ReportContext& ctx);

// The result blocks as the report prints them, from (left, line) on the current coordinate
// system (one unit a text line), advancing `line`. Mode 1 prints on the report's grid; mode 0
// draws into a picture box, which it clears first.
void PrintBucklingResults(Canvas& canvas, const Project& p, double& line, double left, int mode);
void PrintScantlingYieldResults(Canvas& canvas, const Project& p, double& line, double left,
                                int mode);

}  // namespace kelvor
