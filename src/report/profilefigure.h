#pragma once

// The figures of the profile dialogs: the stiffener's cross-section with its attached plate,
// drawn to scale from the outline points of the section properties or replaced by the family's
// sketch, and the girder's sketch.

namespace kelvor {

class Canvas;
struct Project;

// What the caption under the stiffener figure reads: "Figure not to Scale" while FigureToScale
// is not 0 (so a new project, with 1, shows the sketch first), else "Figure to Scale".
const char* ProfileFigureCaption(const Project& p);

// Clears the canvas and draws the figure of StiffProfileType over the whole of it. The sketch
// keeps the caller's coordinate system. The section to scale sets one in mm, y growing
// downwards: (0, 0) to (1.8 D, 1.8 D), D the larger of H + t and se, with the origin placed so
// that the plate is centred across; a canvas that is not square gets the same mm per point on
// both axes, the extra length split evenly on both sides.
void DrawProfileFigure(Canvas& canvas, const Project& p);

// The section to scale relative to the origin (X0, Y0), with its axes and the "se" and "H"
// dimensions. The polygon variant draws the closed outline of OutlineKind 1 (the rolled L, the
// bulb flat, the trapezoid) and the plate box after it; the box variant the OutlineKind boxes,
// the plate first. DrawProfileOutline picks the variant from OutlineKind.
void DrawProfileOutline(Canvas& canvas, const Project& p, double X0, double Y0);
void DrawProfileOutlinePolygon(Canvas& canvas, const Project& p, double X0, double Y0);
void DrawProfileOutlineBoxes(Canvas& canvas, const Project& p, double X0, double Y0);

// The sketch of GirderProfileType (1 L, 3 T built up) over the whole canvas. Returns false and
// draws nothing for any other code.
bool DrawGirderFigure(Canvas& canvas, const Project& p);

}  // namespace kelvor
