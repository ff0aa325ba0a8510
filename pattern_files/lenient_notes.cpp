// What the lenient reader had to do to a file, as lines to show.
#include <cstdio>
#include <string>

#include "pattern_files/lenient_reader.h"

namespace lobrix {

std::string_view ReadingName(PatternReading reading) {
  return reading == PatternReading::kKathrein ? "Kathrein" : "lenient";
}

namespace {

// One note for the unknown header keywords that were not kept whole.
void AddOtherKeywordNote(const PatternFileHeader& header, int language,
                         std::vector<std::string>& notes) {
  static constexpr TextPair kLeftOut{"%zu more unknown header keywords left out (%zu kept)",
                                     "dalších %zu neznámých klíčových slov hlavičky vynecháno "
                                     "(ponecháno %zu)"};
  static constexpr TextPair kCut{"unknown header keywords cut to %zu bytes",
                                 "neznámá klíčová slova hlavičky zkrácena na %zu bajtů"};
  char text[160];
  if (header.otherKeywordsLeftOut > 0) {
    std::snprintf(text, sizeof text, std::string(Pick(kLeftOut, language)).c_str(),
                  header.otherKeywordsLeftOut, header.otherKeywords.size());
    notes.push_back(text);
  }
  if (header.otherKeywordsCut) {
    std::snprintf(text, sizeof text, std::string(Pick(kCut, language)).c_str(),
                  kMostOtherKeywordBytes);
    notes.push_back(text);
  }
}

}  // namespace

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
  notes.insert(notes.end(), file.headerNotes.begin(), file.headerNotes.end());
  AddOtherKeywordNote(file.header, language, notes);
  return notes;
}

}  // namespace lobrix
