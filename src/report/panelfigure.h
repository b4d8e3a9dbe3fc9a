#pragma once

namespace kelvor {

class Canvas;
struct Project;

// The fixed schematic of the stiffened panel in plan and in section, with the dimension names of
// the inputs and the stress and pressure diagrams, whose sides and arrowheads follow the signs of
// SigxA, SigxB, SigyA, SigyC and p. Not to scale. Drawn in figure units (x 0..100 to the right,
// y 0..75 upwards) added to the origin (X0, Y0), in the canvas's current font; the caller sets a
// coordinate system with y growing upwards. Reads the record only.
void DrawPanelFigure(Canvas& canvas, const Project& p, double X0, double Y0);

}  // namespace kelvor
