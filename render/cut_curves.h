// The two curves of the direction and 3-D pages, drawn in red from ANT3D: the cut of the
// antenna diagram at one elevation over the full turn (on a horizontal frame), and the
// vertical cut through one azimuth and its opposite (on a vertical frame, elevation e at frame
// angle 90 - e). An invalid code draws nothing.
#pragma once

#include <string>

#include "platform/gfx/gfx.h"
#include "render/view_memory.h"

namespace lobrix {

// The beam and codes the cuts are taken through.
struct CutAntenna {
  const std::string& hCode;
  const std::string& vCode;
  float aziMax;
  float eleMax;
};

void DrawConeCurve(Gfx& gfx, const PolarFrame& f, const CutAntenna& antenna, float elevation);

void DrawVerticalCutCurve(Gfx& gfx, const PolarFrame& f, const CutAntenna& antenna,
                          float forwardAzimuth, float backwardAzimuth);

}  // namespace lobrix
