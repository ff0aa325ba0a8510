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

// r >= 1 stores (cx, cy, r), r <= 0 reuses the stored frame. Drawn on frames already drawn,
// inside the caller's batch.
void DrawAzimuthView(Gfx& gfx, const DrawingInput& input, ViewMemory& views, int cx, int cy, int r);
void DrawElevationView(Gfx& gfx, const DrawingInput& input, ViewMemory& views, int cx, int cy,
                       int r);

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

inline constexpr int kMouseMove = 0;
inline constexpr int kMouseClick = -1;

// Set-up (r > 0): (a, b) the horizontal frame centre, r the radius, (c, d) the vertical frame
// centre, kept in views.directionMouse; draws nothing. Mouse (r = kMouseMove or kMouseClick):
// (a, b) the mouse position; draws the read-out and returns the pick. The view changes no
// angle: on a click the owner of the angles applies the pick (AziMax / EleMax on the direction
// page, the test azimuth / elevation on the 3-D page) and shows it in the page's edit box.
DirectionPick TrackDirectionMouse(Gfx& gfx, ViewMemory& views, int a, int b, int r, int c, int d);

}  // namespace lobrix
