// What the lenient reader had to do to a file, as lines to show.
#include <cstdio>
#include <string>

#include "pattern_files/lenient_reader.h"

namespace lobrix {

std::string_view ReadingName(PatternReading reading) {
  return reading == PatternReading::kKathrein ? "Kathrein" : "lenient";
}

std::vector<std::string> ReadingNotes(const PatternFile& file, int language) {
  static constexpr TextPair kPlane[2] = {{"horizontal", "horizontální"},
                                         {"vertical", "vertikální"}};
  static constexpr TextPair kGainsTurned{": gains turned into attenuations",
                                         ": zisky převedeny na útlumy"};
  static constexpr TextPair kShifted{": attenuations shifted by %+.2f dB to a maximum of 0 dB",
                                     ": útlumy posunuty o %+.2f dB na maximum 0 dB"};
  static constexpr TextPair kResampled{": rows every %g° resampled to 1°",
                                       ": řádky po %g° převzorkovány na 1°"};
  static constexpr TextPair kFilled{": last row (%g°) filled by interpolation",
                                    ": poslední řádek (%g°) doplněn interpolací"};
  static constexpr TextPair kName{"no NAME: the file name is used",
                                  "chybí NAME: použit název souboru"};
  std::vector<std::string> notes;
  char text[160];
  for (std::size_t plane = 0; plane < 2; ++plane) {
    const PlaneNormalisation& n = file.normalised[plane];
    const std::string name(Pick(kPlane[plane], language));
    if (n.gainsTurned) notes.push_back(name + std::string(Pick(kGainsTurned, language)));
    if (n.shiftDb != 0) {
      std::snprintf(text, sizeof text, std::string(Pick(kShifted, language)).c_str(), n.shiftDb);
      notes.push_back(name + text);
    }
    if (n.stepDegrees != 1) {
      std::snprintf(text, sizeof text, std::string(Pick(kResampled, language)).c_str(),
                    n.stepDegrees);
      notes.push_back(name + text);
    }
    if (n.lastRowFilled) {
      std::snprintf(text, sizeof text, std::string(Pick(kFilled, language)).c_str(),
                    360.0 - n.stepDegrees);
      notes.push_back(name + text);
    }
  }
  if (file.nameFromFileName) notes.push_back(std::string(Pick(kName, language)));
  return notes;
}

}  // namespace lobrix
