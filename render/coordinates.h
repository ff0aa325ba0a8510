// Turning products of the drawing geometry into logical coordinates, and points on a polar
// frame. Every rounding to a coordinate goes to the nearest integer, ties to even.
#pragma once

#include <functional>
#include <string_view>

#include "platform/gfx/gfx.h"
#include "render/view_memory.h"

namespace lobrix {

// Nearest integer, ties to even. NaN gives 0 and values beyond +-1e9 clamp there, so a broken
// input can misplace a line but never overflow an int.
int RoundCoord(double value);

struct Point {
  int x = 0;
  int y = 0;
};

// The point at `angle` (degrees clockwise from up) and `distance` from (cx, cy), rounded.
Point PointAt(int cx, int cy, double angle, double distance);

// The point of a curve value `v` (a relative field) on a frame of radius r: at the rounded
// distance v*r, never at a negative one (a failure value of the model lies at the centre).
Point CurvePoint(int cx, int cy, double angle, double v, int r);

// Text at the rounded (x, y): alignment 0 from there, 1 centred, 2 ending at the right edge.
void TextAt(Gfx& gfx, double x, double y, std::string_view text, int align = kAlignLeft);

// A curve round the whole frame in the current pen colour: one line through the points of
// value(a) at every whole degree a = 0 .. 360. Nothing when value(0) is negative (a code the
// model refuses).
void DrawClosedCurve(Gfx& gfx, const PolarFrame& f, const std::function<float(int)>& value);

// A dotted radius from the rim at `angle` to the centre of the frame; the pen is solid after.
void DottedRadius(Gfx& gfx, const PolarFrame& f, double angle, GfxColor color);

// A view's frame kept for its later redraws: `frame` replaces `stored` when its radius is at
// least 1; a smaller one leaves the stored frame as it was.
void StoreFrame(PolarFrame& stored, const PolarFrame& frame);

// Number of characters (code points) of a UTF-8 text: "-10°" has 4.
int CharacterCount(std::string_view utf8);

// The two type letters of an antenna code (positions 4 and 5), empty when it is too short.
std::string_view CodeType(std::string_view code);

}  // namespace lobrix
