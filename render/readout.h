// What the mouse read-outs of the polar pages share: the compass angle under the mouse, the
// value text, and the line they draw under the graph.
#pragma once

#include <string>

#include "platform/gfx/gfx.h"
#include "render/view_memory.h"

namespace lobrix {

// Degrees clockwise from up (0 <= angle <= 360) of the offset (dx right, dy up) from a frame
// centre; the centre itself (dx = dy = 0) reads 270.
double CompassAngle(double dx, double dy);

// Distance of (x, y) from the frame's centre in units of its radius.
double RadiusFraction(const PolarFrame& frame, int x, int y);

// Nearest integer, ties to even.
int RoundAngle(double angle);

// ", Dia = " and the value: "#.# dB" on the decibel scale, "#.##" on the linear one; empty for
// a negative value (no pattern there).
std::string DiaText(float value, int scaleMode);

// The place of a read-out under a frame: x = factor_x * centre x, y = centre y + factor_y * R.
ReadoutPlace MakeReadoutPlace(int cx, int cy, int r, double factorY);

// Draws `text` at the read-out place in its own batch: "Arial/1" at R/8 by R/24, grey, on the
// white text background, so trailing blanks erase a longer earlier text.
void DrawReadoutText(Gfx& gfx, const ReadoutPlace& place, const std::string& text);

}  // namespace lobrix
