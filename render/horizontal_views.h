// The horizontal diagram page's views: the polar graph with its heading and mouse read-out,
// and the table of the horizontal code's pattern every 10 degrees of azimuth.
#pragma once

#include <string>

#include "platform/gfx/gfx.h"
#include "render/drawing_input.h"
#include "render/view_memory.h"

namespace lobrix {

// Redraws the view `alternateView` selects (0 graph, 1 table) in its own batch, at the
// geometry of the last full page drawing. The read-out comes back with the next mouse move.
void ShowHorizontalView(Gfx& gfx, const DrawingInput& input, ViewMemory& views);

// The table view, inside the caller's batch after GfxCLS.
void DrawHorizontalTable(Gfx& gfx, const DrawingInput& input);

// "Horizontal ant. diagram: " + code centred on top, and the "Vert.diagram: " line that names
// the blue curves (left out for a TA vertical code, which draws none). Inside a batch.
void DrawHorizontalHeading(Gfx& gfx, const DrawingInput& input);

// The read-out text for a mouse at (x, y), logical units: "Azi = 45°, Dia = 3.0 dB" and
// blanks that erase a longer earlier text; 43 blanks at 1.05 R and beyond.
std::string AzimuthReadoutText(const DrawingInput& input, const ViewMemory& views, int x, int y);

// Keeps the read-out place of the graph's frame for the mouse; draws nothing. A radius under 1
// leaves the place as it was.
void SetAzimuthReadoutPlace(ViewMemory& views, const PolarFrame& frame);

// The mouse is at (x, y): draws its read-out (nothing before a place is stored).
void ShowAzimuthReadout(Gfx& gfx, const DrawingInput& input, ViewMemory& views, int x, int y);

}  // namespace lobrix
