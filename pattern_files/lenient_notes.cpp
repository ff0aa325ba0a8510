// What the lenient reader had to do to a file, as lines to show.
#include <cstdio>
#include <string>

#include "pattern_files/lenient_reader.h"
#include "text/text_decode.h"

namespace lobrix {

std::string_view ReadingName(PatternReading reading) {
  return reading == PatternReading::kKathrein ? "Kathrein" : "lenient";
}

namespace {

// A text from the file as valid UTF-8 for a note: bytes that are not UTF-8 read as code page
// 1250, control characters shown as '?', and at most 60 characters.
std::string Quoted(std::string_view text) {
  constexpr std::size_t kMost = 60;
  std::u32string shown;
  for (const char32_t c : DecodeText(text)) {
    if (shown.size() == kMost) {
      shown += U"...";
      break;
    }
    shown += c < 0x20 || (c >= 0x7F && c < 0xA0) ? U'?' : c;
  }
  std::string quoted(1, '"');
  quoted += EncodeUtf8(shown);
  quoted += '"';
  return quoted;
}

std::string_view WhyText(UnreadHeaderLine::Why why, int language) {
  static constexpr TextPair kRepeated{"given before; the first one stands",
                                      "už bylo uvedeno; platí první"};
  static constexpr TextPair kFrequency{"no frequency (a number with MHz or GHz)",
                                       "není frekvence (číslo s MHz nebo GHz)"};
  static constexpr TextPair kGain{"no gain (a number with dBd or dBi)",
                                  "není zisk (číslo s dBd nebo dBi)"};
  static constexpr TextPair kTilt{"no tilt (a number, or MECHANICAL or ELECTRICAL with a number)",
                                  "není sklon (číslo, nebo MECHANICAL či ELECTRICAL s číslem)"};
  static constexpr TextPair kNumber{"no number", "není číslo"};
  switch (why) {
    case UnreadHeaderLine::Why::kRepeated:
      return Pick(kRepeated, language);
    case UnreadHeaderLine::Why::kNotFrequency:
      return Pick(kFrequency, language);
    case UnreadHeaderLine::Why::kNotGain:
      return Pick(kGain, language);
    case UnreadHeaderLine::Why::kNotTilt:
      return Pick(kTilt, language);
    case UnreadHeaderLine::Why::kNotNumber:
      return Pick(kNumber, language);
  }
  return {};
}

// Each header line not taken, then a frequency or gain the file does not give:
// line 8: "TILT fixed" kept as text: no tilt (a number, or MECHANICAL or ELECTRICAL with a number)
void HeaderNotes(const PatternFile& file, int language, std::vector<std::string>& notes) {
  static constexpr TextPair kLine{"line ", "řádek "};
  static constexpr TextPair kKept{" kept as text: ", " ponecháno jako text: "};
  static constexpr TextPair kNoFrequency{"the frequency is unknown (no FREQUENCY that reads)",
                                         "frekvence není známa (chybí čitelné FREQUENCY)"};
  static constexpr TextPair kNoGain{"the gain is unknown (no GAIN that reads)",
                                    "zisk není znám (chybí čitelné GAIN)"};
  for (const UnreadHeaderLine& line : file.header.unread) {
    const std::string written = line.text.empty() ? line.keyword : line.keyword + " " + line.text;
    notes.push_back(std::string(Pick(kLine, language)) + std::to_string(line.line) + ": " +
                    Quoted(written) + std::string(Pick(kKept, language)) +
                    std::string(WhyText(line.why, language)));
  }
  if (!file.frequencyKnown) notes.push_back(std::string(Pick(kNoFrequency, language)));
  if (!file.gainKnown) notes.push_back(std::string(Pick(kNoGain, language)));
}

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
  HeaderNotes(file, language, notes);
  AddOtherKeywordNote(file.header, language, notes);
  return notes;
}

}  // namespace lobrix
