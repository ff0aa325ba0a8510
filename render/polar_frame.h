// The polar graph frame every diagram is drawn on: white field, grey spokes, the rings of a
// linear or a decibel scale, angle labels round the rim and scale labels on the upward axis.
// A curve value e (relative field 0..1) lies at e*R from the centre on both scales; the
// decibel rings sit at the field strengths of round attenuations.
#pragma once

#include <span>

#include "platform/gfx/gfx.h"
#include "render/view_memory.h"

namespace lobrix {

inline constexpr GfxColor kLightGrey = 0xB4B4B4;    // RGB(180,180,180): fine grid
inline constexpr GfxColor kDarkGrey = 0x6E6E6E;     // RGB(110,110,110): main grid
inline constexpr GfxColor kLabelGrey = 0x5A5A5A;    // RGB(90,90,90): scale labels, read-outs
inline constexpr GfxColor kHeadingBlue = 0x640000;  // RGB(0,0,100): headings of pages 2 and 3
inline constexpr GfxColor kCodeGrey = 0x636363;     // RGB(99,99,99): their code lines

// ScaleMode of a frame: below 2 linear, from 2 on decibel; odd values put compass letters at
// the four main directions of the horizontal frame.
inline constexpr int kFrameCompassLetters = 1;

// Text width the frame of radius r sets (r/24), which stays in force for the texts after it.
// Views drawn without a frame before them (table, X-Y graph) set it themselves, from the
// radius their page's frame would have, so that they look the same whatever came before.
int FrameFontWidth(int r);

// A 360-sided polygon of `radius` round (cx, cy), starting and ending at the top.
void DrawRing(Gfx& gfx, int cx, int cy, int radius);

// A rim label: its text, and where its anchor (the text's top left) lies: at `angle`,
// `factor`*R from the centre. The anchors are chosen so that each text sits just outside the
// rim next to its nominal direction, which is why they are not the nominal angles.
struct RimLabel {
  const char* text;
  double angle;
  double factor;
  bool degreeSign;
};

// The parts every polar frame is built from, for frames of other windows: the grid (fine
// spokes and rings in light grey, the centre disc, main spokes and rings in dark grey; the
// pen is left dark grey, the brush outline only), the rim labels in black at R/8 by R/24, and
// the scale labels on the upward axis, each blanking the grid under it.
void DrawPolarGrid(Gfx& gfx, const PolarFrame& f, bool decibel);
void DrawRimLabels(Gfx& gfx, const PolarFrame& f, std::span<const RimLabel> labels);
void DrawScaleLabels(Gfx& gfx, const PolarFrame& f, bool decibel);

// With a frame: stores it as this frame's geometry (see StoreFrame) and draws there; without:
// redraws at the stored one (nothing while none is stored). Drawn inside the caller's batch.
// Leaves the pen dark grey, the brush outline only, the font "Arial/1" at R/8 by R/24 in label
// grey and the text background white and opaque.
void DrawHorizontalFrame(Gfx& gfx, ViewMemory& views, const PolarFrame& frame, int scaleMode);
void DrawHorizontalFrame(Gfx& gfx, ViewMemory& views, int scaleMode);
void DrawVerticalFrame(Gfx& gfx, ViewMemory& views, const PolarFrame& frame, int scaleMode);
void DrawVerticalFrame(Gfx& gfx, ViewMemory& views, int scaleMode);

}  // namespace lobrix
