#pragma once

// The fixed, not-to-scale sketches of the profile families ("Pictures"): each section standing on
// its attached plate, with the names of the dimensions its dialog asks for. Vector drawings made
// through the canvas, so they stay sharp on a button, in a dialog and on paper.

#include <optional>

#include "report/canvas.h"

namespace kelvor {

// The sketch of stiffener family 0..9; none for another code.
std::optional<SketchId> StiffenerSketch(int family);
// The sketch of girder family 1 (L built up) or 3 (T built up); none for another code.
std::optional<SketchId> GirderSketch(int girderType);

const char* SketchName(SketchId id);

// The drawing behind Canvas::DrawSketch: the sketch fitted undistorted and centred into the
// rectangle between two opposite corners (user units). Labels size themselves to the rectangle
// within 6 to 10 points. Changes the canvas state; Canvas::DrawSketch restores it.
void PaintSketch(Canvas& canvas, SketchId id, double x1, double y1, double x2, double y2);

}  // namespace kelvor
