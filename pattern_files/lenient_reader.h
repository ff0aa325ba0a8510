// The lenient pattern-file reader: measured patterns as antenna makers and their tools publish
// them, in the family of the Kathrein layout but with the header in any order, blocks at other
// steps, other line ends, gains instead of attenuations and the like.
//
// It reads bytes and gives either a whole 360 x 2 table at 1 degree with what it had to
// normalise, or a message naming the line and what was expected there: never a partial table.
// The conversion window keeps the strict reader (strict_reader.h); this one is for the command
// line.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "pattern_files/measured_pattern.h"
#include "text/language.h"

namespace lobrix {

// A header line whose value was not taken. Nothing in the header but the two blocks is needed
// to convert a file, so such a line never rejects it: it is kept as written, and a reading
// note says so.
struct UnreadHeaderLine {
  enum class Why {
    kRepeated,      // the keyword came before: its first value stands
    kNotFrequency,  // FREQUENCY without a number and MHz or GHz: the frequency is unknown
    kNotGain,       // GAIN without a number and dBd or dBi: the gain is unknown
    kNotTilt,       // TILT without a number, MECHANICAL or ELECTRICAL
    kNotNumber,     // H_WIDTH, V_WIDTH or FRONT_TO_BACK without a number
  };
  int line = 0;
  std::string keyword;  // in capitals
  std::string text;     // the rest of the line, as written
  Why why = Why::kRepeated;
};

// Everything the header said besides the name, the frequency and the gain.
struct PatternFileHeader {
  std::string make;
  std::optional<float> hWidth, vWidth, frontToBack;
  std::string gainUnit;       // "dBd" or "dBi" as the file stated it ("dBd" when it gave none);
                              // empty when the file gives no gain that can be read
  float gainValue = 0;        // the number on the GAIN line
  std::string tiltKind;       // "MECHANICAL", "ELECTRICAL" or empty
  std::optional<float> tilt;  // degrees, as written
  std::string polarization;
  std::string comment;
  // Keywords this reader does not know, in file order: (keyword as written, the rest). At most
  // kMostOtherKeywords are kept, each part cut to kMostOtherKeywordBytes; the rest are counted.
  std::vector<std::pair<std::string, std::string>> otherKeywords;
  // Lines of known keywords whose value was not taken, in file order.
  std::vector<UnreadHeaderLine> unread;
  std::size_t otherKeywordsLeftOut = 0;  // unknown keyword lines beyond the ones kept
  bool otherKeywordsCut = false;         // some kept keyword or its text was cut
};

// A file of junk lines would otherwise keep every one of them: memory many times the file's
// size for a file that is rejected anyway.
inline constexpr std::size_t kMostOtherKeywords = 64;
inline constexpr std::size_t kMostOtherKeywordBytes = 1024;

// What was done to one plane to make it a table at 1 degree with its maximum at 0 dB.
struct PlaneNormalisation {
  bool gainsTurned = false;    // the values were all <= 0: gains, negated into attenuations
  double shiftDb = 0;          // added to every attenuation so that the smallest one is 0
  double stepDegrees = 1;      // the step of the file's rows; other than 1: resampled
  bool lastRowFilled = false;  // the row before 360 degrees was missing and interpolated
};

// Which reader the file needed: the Kathrein reader alone gives the same table, name aside,
// or only the lenient one reads it as meant.
enum class PatternReading { kKathrein, kLenient };

struct PatternFile {
  // Antenna name (the file name when NAME is missing), MHz and dBi (0 where not known: no line
  // that reads, or a number beyond the float range), table.
  KathreinPattern pattern;
  PatternFileHeader header;
  bool nameFromFileName = false;
  bool frequencyKnown = false, gainKnown = false;  // a FREQUENCY, a GAIN line was read
  std::array<PlaneNormalisation, 2> normalised{};  // [0] horizontal, [1] vertical
  // Header numbers left out because they are beyond the float range (the field is then NaN
  // or empty), one line each, in the language of the read.
  std::vector<std::string> headerNotes;
  PatternReading reading = PatternReading::kLenient;
};

struct PatternFileResult {
  bool read = false;
  PatternFile file;   // whole when `read`, else untouched defaults
  int errorLine = 0;  // 1-based; one past the last line for a file that ends too early
  std::string error;  // "line N: expected ..." when not `read`
};

// Reads the bytes of a pattern file. `fileName` stands in for a missing NAME.
PatternFileResult ReadPatternFile(std::string_view bytes, std::string_view fileName,
                                  int language = kEnglish);

// The same for a file on disk; a file that cannot be opened or read gives a message saying so.
PatternFileResult ReadPatternPath(const std::string& path, int language = kEnglish);

// The first bytes of a file (a few kilobytes are enough) begin as a pattern file does: after
// an optional byte-order mark and blank lines, the first line starts with a header keyword
// (NAME, MAKE, FREQUENCY, ...) or HORIZONTAL or VERTICAL, in any letter case.
bool StartsLikePatternFile(std::string_view bytes);

// One line per normalisation, in the order horizontal, vertical, then the name, a missing
// frequency or gain and the header lines not taken, for showing.
std::vector<std::string> ReadingNotes(const PatternFile& file, int language = kEnglish);

// Values at a constant step round the circle (row r of n at r * 360 / n degrees) at the whole
// degrees 0 .. 359: linear between the neighbouring rows, the last row's neighbour being the
// first. Exact for any n (the position of a degree is kept as a whole row and a remainder).
std::array<double, 360> ResampleToDegrees(const std::vector<double>& rows);

// "Kathrein" or "lenient".
std::string_view ReadingName(PatternReading reading);

}  // namespace lobrix
