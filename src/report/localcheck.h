#pragma once

namespace kelvor {

class Canvas;
struct Project;

// The local slenderness verdicts of the stiffener (flange, then web) as text lines with a bold
// green " OK" or red " NOK" and the clause. A family without such a check prints nothing for it.
// Mode 0 draws into a dialog's box: the canvas is scaled to 60 x 4 lines and cleared first, and
// the lines are 1.5 apart. Mode 1 prints on the report's grid, a line apart. `y` is advanced only
// after the flange line, so a web line alone lands on the first line; the caller steps past the
// web line itself.
void ShowLocalBucklingCheck(Canvas& canvas, const Project& p, double& y, double x, int mode);

}  // namespace kelvor
