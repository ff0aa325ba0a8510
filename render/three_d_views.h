// The 3-D page's views: two cuts through the full antenna diagram (both codes combined,
// turned to AziMax and EleMax). Left, on a horizontal frame, the cone cut at the test
// elevation with dotted radii towards the test azimuth (blue) and its opposite (green);
// right, on a vertical frame, the vertical cut through the test azimuth and its opposite with
// a dotted radius at the test elevation. The heading gives the angles, the codes and the gain
// towards the test direction.
#pragma once

#include "platform/gfx/gfx.h"
#include "render/drawing_input.h"
#include "render/view_memory.h"

namespace lobrix {

// Drawn on frames already drawn, inside the caller's batch. With a frame: stores it (see
// StoreFrame) and draws there; without: draws at the frame stored by the last full drawing.
void DrawConeCut(Gfx& gfx, const DrawingInput& input, ViewMemory& views, const PolarFrame& frame);
void DrawConeCut(Gfx& gfx, const DrawingInput& input, ViewMemory& views);
void DrawVerticalCut(Gfx& gfx, const DrawingInput& input, ViewMemory& views,
                     const PolarFrame& frame);
void DrawVerticalCut(Gfx& gfx, const DrawingInput& input, ViewMemory& views);

// Inside a batch. The gain line is left out where the model has no value (an invalid code).
void Draw3DHeading(Gfx& gfx, const DrawingInput& input);

}  // namespace lobrix
