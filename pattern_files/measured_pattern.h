// The values a measured pattern file leaves behind: the two measured planes at whole degrees,
// and the texts and numbers read with them. Plain values, shared by the readers, the writer,
// the conversion and the windows that show them.
#pragma once

#include <array>
#include <string>

namespace lobrix {

// One measured plane: the relative field strength at whole degrees 0..359, normally 0 < e <= 1.
using PatternColumn = std::array<float, 360>;

// What one Kathrein file leaves behind. A fresh value has an all-zero table; a read writes
// the texts, numbers and rows it gets to and leaves the rest as it was, so a rejected or short
// file may have replaced some of them.
struct KathreinPattern {
  std::string fileSpec = "*.msi";  // what the open-file dialog shows in its file-name box
  std::string fileName;            // the last chosen file, without its folder
  std::string antennaName;         // the first line from its 6th character on
  float frequency = 0;             // MHz, from the second line
  float gain = 0;  // dBi: the third line's value plus 2.1 (the file states dBd) unless it says dBi
  // measured[0] = horizontal pattern (azimuth), measured[1] = vertical pattern (tilt).
  std::array<PatternColumn, 2> measured{};
};

}  // namespace lobrix
