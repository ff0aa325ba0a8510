// A code pair written as a pattern file in the Kathrein layout, for planning tools that import
// measured patterns: the Kathrein reader reads it back as it is.
#pragma once

#include <optional>
#include <string>

namespace lobrix {

struct PatternFileCodes {
  std::string hCode, vCode;
  float azimuth = 0;    // AziMax, degrees, 0 <= value < 360
  float elevation = 0;  // EleMax (the tilt for a TA code), degrees, -90..90, positive upwards
  std::optional<float> gainDbd;  // ZISKANTVA of the pair when not given
  float frequency = 0;           // MHz, as the file states it
  std::string name;              // the NAME line; "HCODE VCODE" when empty
};

struct WrittenPatternFile {
  bool written = false;
  std::string bytes;  // the whole file, CR LF line ends
  std::string error;  // one line saying what is wrong with the input, when not written
};

// The file: NAME, FREQUENCY, GAIN (dBd), TILT, COMMENT, then HORIZONTAL 360 with the horizontal
// code turned by the azimuth, and VERTICAL 360 with the vertical cut through the azimuth as the
// 3-D page draws it (0 = forward horizon, 90 = straight down, 180 = backward horizon, 270 = up),
// one "angle attenuation" pair a line, the attenuation in dB with two decimals.
WrittenPatternFile WritePatternFile(const PatternFileCodes& codes);

}  // namespace lobrix
