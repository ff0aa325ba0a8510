// The vertical diagram page's views: the polar graph on the vertical frame (the vertical
// diagram as coded in blue, matched to the horizontal one in red) with its heading and mouse
// read-out, and the X-Y graph of the pattern against the depression angle.
#pragma once

#include <string>
#include <string_view>

#include "platform/gfx/gfx.h"
#include "render/drawing_input.h"
#include "render/view_memory.h"

namespace lobrix {

// Redraws the view `alternateView` selects (0 polar, 1 X-Y) in its own batch, the polar one
// at the geometry of the last full page drawing.
void ShowVerticalView(Gfx& gfx, const DrawingInput& input, ViewMemory& views);

// With a frame: stores it (see StoreFrame) and draws there; without: draws at the stored
// frame. Elevation e lies at frame angle 90 - e. Nothing is drawn where the model has no
// pattern (an invalid code).
void DrawVerticalCurves(Gfx& gfx, const DrawingInput& input, ViewMemory& views,
                        const PolarFrame& frame);
void DrawVerticalCurves(Gfx& gfx, const DrawingInput& input, ViewMemory& views);

// The heading of the view `alternateView` selects; inside a batch. The polar heading starts
// with "Matched " in dark red when the matching changed the back radiation.
void DrawVerticalHeading(Gfx& gfx, const DrawingInput& input);

// Range of depression angles of the X-Y graph, in degrees (10 .. 90), from the vertical
// code's type and first number: TA codes their tilt's tens, single-lobe types ten times the
// number, the others 90.
int XYAngleRange(std::string_view vcode);

// The X-Y graph with its grid, labels, curve and heading, inside the caller's batch after
// GfxCLS.
void DrawXYGraph(Gfx& gfx, const DrawingInput& input);

// The read-out text for a mouse at (x, y): "Ele = -5°, Dia = 3.0 dB" and two blanks; 43
// blanks at 1.05 R and beyond. Elevations run -179 .. 180, 180 being the backward horizon.
std::string ElevationReadoutText(const DrawingInput& input, const ViewMemory& views, int x, int y);

// The X-Y graph's heading: title with its unit, and the code at the right edge.
void DrawXYHeading(Gfx& gfx, const DrawingInput& input);

// Keeps the read-out place of the polar graph's frame for the mouse; draws nothing. A radius
// under 1 leaves the place as it was.
void SetElevationReadoutPlace(ViewMemory& views, const PolarFrame& frame);

// The mouse is at (x, y): draws its read-out (nothing before a place is stored).
void ShowElevationReadout(Gfx& gfx, const DrawingInput& input, ViewMemory& views, int x, int y);

}  // namespace lobrix
