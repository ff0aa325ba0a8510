// What the views draw: the codes, the beam and test directions, the scale, the language and
// the alternate view. The views only read it; whoever owns the values (the editor, the
// command line, a test) fills it.
#pragma once

#include <string>

#include "text/language.h"

namespace lobrix {

// Scale setting of the diagram pages: the decibel grid (start value) or the linear one.
inline constexpr int kScaleLinear = 0;
inline constexpr int kScaleDecibel = 2;

// Defaults: omnidirectional codes, beam at 0/0, decibel scale, English, the polar graph.
struct DrawingInput {
  std::string hCode = "000ND00";
  std::string vCode = "000ND00";
  float aziMax = 0;   // degrees, 0 .. <360
  float eleMax = 0;   // degrees, -90 .. 90
  float gainDbd = 0;  // ZISKANTVA of the code pair, for the 3-D page's gain line
  int language = kEnglish;
  int scaleMode = kScaleDecibel;
  int alternateView = 0;  // pages 0 and 1: 0 polar graph, 1 table / X-Y graph
  float testAzimuth = 0;  // 3-D page
  float testElevation = 0;
};

}  // namespace lobrix
