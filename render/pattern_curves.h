// The curves of the horizontal page's polar graph: the horizontal diagram (red), the vertical
// diagram as coded (solid blue) and the vertical diagram with its back lobe matched to the
// horizontal back radiation (blue dots), all at distance f*R for the relative field f.
#pragma once

#include "platform/gfx/gfx.h"
#include "render/drawing_input.h"
#include "render/view_memory.h"

namespace lobrix {

inline constexpr GfxColor kHorizontalCurveRed = 0x0000E6;    // RGB(230,0,0)
inline constexpr GfxColor kSelectedVerticalBlue = 0xAA3C3C;  // RGB(60,60,170)
inline constexpr GfxColor kMatchedDotBlue = 0xFF0000;        // RGB(0,0,255)

// With a frame of radius r >= 1: stores it and the dot spacing r/80, and draws there; without:
// draws at the stored geometry. Drawn inside the caller's batch. An invalid horizontal code
// draws nothing; an invalid vertical code, or a TA one (electrical tilt is not matched), draws
// only the horizontal curve.
void DrawPatternCurves(Gfx& gfx, const DrawingInput& input, ViewMemory& views,
                       const PolarFrame& frame);
void DrawPatternCurves(Gfx& gfx, const DrawingInput& input, ViewMemory& views);

}  // namespace lobrix
