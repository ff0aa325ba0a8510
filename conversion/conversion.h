// The classic conversion of a measured pattern to codes: analysing one measured plane, and
// finding the antenna codes whose curves fit the measured planes best.
//
// Pure functions over plain values; no drawing, no dialogs, no module-wide state. The
// conversion window and the command line call these and show the results.
#pragma once

#include <string>
#include <string_view>

#include "pattern_files/measured_pattern.h"

namespace lobrix {

// Shape of one measured plane as the conversion needs it.
enum class LobeClass : int {
  Flat = -2,      // all 360 values equal
  NearOmni = -1,  // nowhere more than about 1 dB below the maximum
  One = 1,        // one main lobe
  Two = 2,        // two lobes not opposite each other
  Three = 3,      // three lobes about 120 degrees apart
  Four = 4,       // four lobes about 90 degrees apart
  Opposite = 22,  // two equal lobes opposite each other
};

struct PatternShape {
  float maximum = 0, minimum = 0;
  float mainAzimuth = 0;  // centre of the maximum's plateau: 0 <= value < 360, whole or half
  float level1dB = 0, level3dB = 0, level20dB = 0;  // 0.89, 0.708 and 0.1 of the maximum
  float halfLevel = 0;                              // (minimum + maximum) / 2
  int leftEdge = 0, rightEdge = 0;                  // last indices below the half level
  float secondaryMaximum = 0;                       // largest value outside the main lobe
  float secondaryAzimuth = 0;
  float separation = 0;  // from the main to the secondary azimuth, clockwise
  LobeClass lobeClass = LobeClass::Flat;
  int halfWidth = 1;  // whole degrees, at least 1
  // The angles over which the main lobe is fitted: start, start + step ... up to end.
  int windowStart = 0, windowEnd = 0, windowStep = 1;
};

PatternShape AnalysePattern(PatternColumn e);

// The antenna code that fits one measured plane best and the azimuth of its maximum, as the
// text "CODE,###.#" (for example "030EA10, 45.5"; a constant column gives "000ND00,  0.0").
std::string ConvertPattern(PatternColumn e);

// Both planes of a pattern converted, as the conversion window hands them to the editor.
struct KathreinConversion {
  std::string horizontalText;  // ConvertPattern of the horizontal column
  std::string verticalText;    // ConvertPattern of the vertical column
  std::string hCode, vCode;
  float fittedAzimuth = 0;  // the azimuth of the horizontal text, possibly just below 0
  float aziMax = 0;         // the same brought to 0..360 (a negative value plus 360)
  float fittedTilt = 0;     // the angle of the vertical text
  float eleMax = 0;         // elevation of maximum radiation: -v below 180, else 360 - v
};
KathreinConversion ConvertKathreinPattern(const KathreinPattern& pattern);

// Code and angle of a result text: the first seven characters, and the number from the ninth.
std::string ResultCode(std::string_view resultText);
float ResultAngle(std::string_view resultText);

}  // namespace lobrix
