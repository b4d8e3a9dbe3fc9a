#pragma once

// The printed report: the whole project on a page, drawn on any canvas (printer, PDF, the
// recording canvas of the tests), with the result rows that do not fit carried over to further
// pages. Printing reads the record as the last run left it and never recalculates.

#include <array>
#include <functional>
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

// Turns the sheet of the device the report is drawn on: the canvas then draws on a fresh page of
// the same size. False when the device could not start one.
using NextSheet = std::function<bool()>;

// The report of ctx.kind: header, material and loading, geometry with the stresses (ps for kind
// 4) and the panel figure, the two profiles, and the result blocks of the kind (kind 3 and 4
// both, buckling first), followed by the red failure row of a run that stopped. A row that would
// reach below the page (the canvas's bottom edge) goes, with every row after it, onto the next
// sheet under the page header again, numbered "Page: 2" and on; a heading goes along with the
// row it heads. Returns the pages drawn. Without `nextSheet` everything is drawn on the one page
// and what does not fit falls off its foot; when the device cannot turn the sheet, the rows
// left stay unprinted.
int PrintPages(Canvas& canvas, const Project& p, const Tables& tables, const ReportContext& ctx,
               const NextSheet& nextSheet = {});

// Asked before a row of `lines` text lines is printed from `line` in the current font: when the
// row would reach below the page, the page is turned and `line` moved to where the next page
// takes rows, the canvas's font and colour as they were. False when no further page could be
// started; nothing more is printed then.
using RowRoom = std::function<bool(double& line, double lines)>;

// The result blocks as the report prints them, from (left, line) on the current coordinate
// system (one unit a text line), advancing `line`. Mode 1 prints on the report's grid, asking
// `room` (when given) before each row; mode 0 draws into a picture box, which it clears first.
// False when `room` refused a row.
bool PrintBucklingResults(Canvas& canvas, const Project& p, double& line, double left, int mode,
                          const RowRoom& room = {});
bool PrintScantlingYieldResults(Canvas& canvas, const Project& p, double& line, double left,
                                int mode, const RowRoom& room = {});

}  // namespace kelvor
