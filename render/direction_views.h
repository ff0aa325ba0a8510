// The direction page's views: the antenna turned to its direction of maximum radiation, as a
// horizontal cut on the left (dotted radius towards AziMax) and a vertical cut on the right
// (dotted radius towards EleMax), their heading, and the mouse read-out and pick of an angle
// that this page and the 3-D page share.
#pragma once

#include <string>

#include "platform/gfx/gfx.h"
#include "render/drawing_input.h"
#include "render/view_memory.h"

namespace lobrix {

// Drawn on frames already drawn, inside the caller's batch. With a frame: stores it (see
// StoreFrame) and draws there; without: draws at the frame stored by the last full drawing.
void DrawAzimuthView(Gfx& gfx, const DrawingInput& input, ViewMemory& views,
                     const PolarFrame& frame);
void DrawAzimuthView(Gfx& gfx, const DrawingInput& input, ViewMemory& views);
void DrawElevationView(Gfx& gfx, const DrawingInput& input, ViewMemory& views,
                       const PolarFrame& frame);
void DrawElevationView(Gfx& gfx, const DrawingInput& input, ViewMemory& views);

// Both angles of maximum radiation on top, both codes at the bottom. Inside a batch.
void DrawDirectionHeading(Gfx& gfx, const DrawingInput& input);

// What the mouse is over: an azimuth on the horizontal frame, an elevation (-90 .. 90, the
// backward half read like the forward one) on the vertical frame, or nothing.
enum class PickedAngle { kNone, kAzimuth, kElevation };

struct DirectionPick {
  PickedAngle what = PickedAngle::kNone;
  int angle = 0;     // whole degrees
  std::string text;  // "Azi = 45°", "Ele = -5°", or empty
};

// The pure part: what a mouse at (x, y) reads on the frames `mouse` describes.
DirectionPick ReadDirection(const DirectionMouse& mouse, int x, int y);

// The line drawn for a pick: the text with blanks round it, or blanks that erase the last one.
std::string DirectionReadoutLine(const DirectionPick& pick);

// Keeps the two frames of a full page drawing in views.directionMouse for the mouse: both
// take the horizontal frame's radius (the pages draw them alike). Draws nothing; a radius
// under 1 leaves the mouse without frames.
void SetDirectionFrames(ViewMemory& views, const PolarFrame& horizontal,
                        const PolarFrame& vertical);

// The mouse moved to (x, y): draws the read-out of what it is over (blanks over nothing) in
// its own batch. Nothing before the frames are set.
void ShowDirectionReadout(Gfx& gfx, ViewMemory& views, int x, int y);

// The mouse clicked at (x, y): shows the read-out as a move does and returns the pick. The
// view changes no angle: the owner of the angles applies the pick (AziMax / EleMax on the
// direction page, the test azimuth / elevation on the 3-D page) and shows it in the page's
// edit box.
DirectionPick PickDirection(Gfx& gfx, ViewMemory& views, int x, int y);

}  // namespace lobrix
