// The lenient pattern-file reader.
//
// The file is read line by line: header lines "KEYWORD text" until the first block (a value
// that cannot be read, or a keyword given again, is kept as text with a note: the conversion
// needs nothing from the header), then two blocks, each a HORIZONTAL or VERTICAL line with an
// optional row count and rows "angle value". Angles start at 0 and go up by one constant step that
// divides 360. A block's values are turned into attenuations with the smallest at 0 dB (gains
// negated, an offset removed), then resampled to whole degrees by linear interpolation in dB round
// the circle.
#include "pattern_files/lenient_reader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "pattern_files/lenient_words.h"
#include "pattern_files/strict_reader.h"
#include "pattern_files/whole_file.h"

namespace lobrix {

namespace {

using namespace pattern_words;

constexpr char kEndOfFile = 26;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr int kMostRows = 36000;  // a step of 0.01 degree; anything finer is not a pattern
// The widest spread of one block's values, far beyond any measurement (40 dB is the codes'
// floor): beyond it the values are no pattern, and the shift to 0 dB could overflow.
constexpr double kMostSpreadDb = 1000;
// A header number that is left out: the frequency or gain is then not a number.

constexpr TextPair kLine{"line ", "řádek "};
constexpr TextPair kHeaderLine{"expected a header keyword, HORIZONTAL or VERTICAL",
                               "očekáváno klíčové slovo hlavičky, HORIZONTAL nebo VERTICAL"};
constexpr TextPair kCount{"expected an optional row count that divides 360 (360, 720, 72 ...)",
                          "očekáván nepovinný počet řádků, který dělí 360 (360, 720, 72 ...)"};
constexpr TextPair kBlockRepeated{"expected each block once, and this one is repeated: ",
                                  "očekáván každý blok jen jednou, tento se opakuje: "};
constexpr TextPair kRow{"expected a row: an angle and a value separated by blanks or tabs",
                        "očekáván řádek: úhel a hodnota oddělené mezerami nebo tabulátory"};
constexpr TextPair kAngle{"expected the angle ", "očekáván úhel "};
constexpr TextPair kStep{"expected a constant step that divides 360 (0.5, 1, 2, 5, 10 ...)",
                         "očekáván stálý krok, který dělí 360 (0.5, 1, 2, 5, 10 ...)"};
constexpr TextPair kBlockEnd{"expected the block to end after this many rows: ",
                             "očekáván konec bloku po tomto počtu řádků: "};
constexpr TextPair kMissingBlock{"expected a block before the end of the file: ",
                                 "očekáván blok před koncem souboru: "};
constexpr TextPair kValueRange{"expected a value within 1000 dB of the block's others",
                               "očekávána hodnota nejvýše 1000 dB od ostatních v bloku"};
constexpr TextPair kBeyondFloat{" is beyond the range of a float: left out",
                                " je mimo rozsah čísla float: vynecháno"};
constexpr TextPair kUnreadable{"the file cannot be opened or read",
                               "soubor nelze otevřít ani přečíst"};

constexpr std::string_view kBlockName[2] = {"HORIZONTAL", "VERTICAL"};
constexpr std::string_view kHeaderKeywords[] = {
    "NAME",          "MAKE", "FREQUENCY", "H_WIDTH",      "V_WIDTH",
    "FRONT_TO_BACK", "GAIN", "TILT",      "POLARIZATION", "COMMENT"};

// Relative field of an attenuation, as the Kathrein reader stores it.
float FieldOfAttenuation(float db) {
  const auto field = static_cast<float>(std::pow(10.0, -static_cast<double>(db) / 20.0));
  return std::min(1.0f, field);
}

std::string FormatAngle(double angle) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", angle);
  return text;
}

// The rows of one block as they come.
struct Block {
  bool seen = false;
  int line = 0;     // the HORIZONTAL / VERTICAL line
  int count = 0;    // the stated row count, 0 when none was given
  double step = 0;  // from the count, or from the first two rows
  std::vector<double> values;
  double low = 0, high = 0;  // of the values so far
};

// An unknown header keyword and its text, within the bounds of PatternFileHeader.
void KeepOtherKeyword(PatternFileHeader& header, std::string_view keyword, std::string_view text) {
  if (header.otherKeywords.size() >= kMostOtherKeywords) {
    ++header.otherKeywordsLeftOut;
    return;
  }
  if (keyword.size() > kMostOtherKeywordBytes || text.size() > kMostOtherKeywordBytes) {
    header.otherKeywordsCut = true;
  }
  header.otherKeywords.emplace_back(std::string(keyword.substr(0, kMostOtherKeywordBytes)),
                                    std::string(text.substr(0, kMostOtherKeywordBytes)));
}

class Reader {
 public:
  Reader(std::string_view bytes, std::string_view fileName, int language)
      : rest_(bytes), fileName_(fileName), language_(language) {}

  PatternFileResult Read();

 private:
  bool NextLine(std::string_view& line);
  bool Fail(const TextPair& expected, std::string_view detail = {});
  bool HeaderLine(std::string_view keyword, std::string_view text);
  bool FrequencyLine(std::string_view words);
  bool GainLine(std::string_view words);
  bool TiltLine(std::string_view words);
  bool NumberLine(const std::string& keyword, std::string_view words);
  void Unread(const std::string& keyword, std::string_view text, UnreadHeaderLine::Why why);
  std::optional<float> HeaderFloat(double number, std::string_view keyword);
  bool StartBlock(int plane, std::string_view text);
  bool Row(std::string_view text);
  bool EndBlock();
  void MakeColumn(int plane);

  std::string_view rest_;
  std::string_view fileName_;
  int language_;
  int lineNumber_ = 0;
  PatternFileResult result_;
  std::vector<std::string> keywordsSeen_;
  bool haveName_ = false;
  Block blocks_[2];
  int current_ = -1;  // the block being read, -1 in the header
};

// The next line without its end (CR LF, LF or CR); false at the end of the text.
bool Reader::NextLine(std::string_view& line) {
  if (rest_.empty()) return false;
  std::size_t end = 0;
  while (end < rest_.size() && rest_[end] != '\r' && rest_[end] != '\n') ++end;
  line = rest_.substr(0, end);
  if (end < rest_.size() && rest_[end] == '\r') ++end;
  if (end < rest_.size() && rest_[end] == '\n') ++end;
  rest_.remove_prefix(std::min(end, rest_.size()));
  ++lineNumber_;
  return true;
}

bool Reader::Fail(const TextPair& expected, std::string_view detail) {
  result_.read = false;
  result_.errorLine = lineNumber_;
  result_.error = std::string(Pick(kLine, language_)) + std::to_string(lineNumber_) + ": " +
                  std::string(Pick(expected, language_)) + std::string(detail);
  return false;
}

bool Reader::HeaderLine(std::string_view keyword, std::string_view text) {
  std::string upper(keyword);
  for (char& c : upper) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  const bool known = std::find(std::begin(kHeaderKeywords), std::end(kHeaderKeywords), upper) !=
                     std::end(kHeaderKeywords);
  // A keyword whose value was taken once is not taken again; one whose value could not be read
  // may come again with one that can.
  if (known &&
      std::find(keywordsSeen_.begin(), keywordsSeen_.end(), upper) != keywordsSeen_.end()) {
    Unread(upper, text, UnreadHeaderLine::Why::kRepeated);
    return true;
  }
  PatternFileHeader& header = result_.file.header;
  bool taken = true;
  if (upper == "NAME") {
    result_.file.pattern.antennaName = std::string(text);
    haveName_ = true;
  } else if (upper == "MAKE") {
    header.make = std::string(text);
  } else if (upper == "POLARIZATION") {
    header.polarization = std::string(text);
  } else if (upper == "COMMENT") {
    header.comment = std::string(text);
  } else if (upper == "FREQUENCY") {
    taken = FrequencyLine(text);
  } else if (upper == "GAIN") {
    taken = GainLine(text);
  } else if (upper == "TILT") {
    taken = TiltLine(text);
  } else if (upper == "H_WIDTH" || upper == "V_WIDTH" || upper == "FRONT_TO_BACK") {
    taken = NumberLine(upper, text);
  } else {
    KeepOtherKeyword(header, keyword, text);
  }
  if (known && taken) keywordsSeen_.push_back(upper);
  return true;
}

void Reader::Unread(const std::string& keyword, std::string_view text, UnreadHeaderLine::Why why) {
  result_.file.header.unread.push_back({lineNumber_, keyword, std::string(text), why});
}

// FREQUENCY: a number with an optional unit, MHz (the default) or GHz.
bool Reader::FrequencyLine(std::string_view words) {
  const std::string_view text = words;
  double number = 0;
  const bool isNumber = ParseNumber(TakeWord(words), number);
  const std::string_view unit = TakeWord(words);
  if (!isNumber || !words.empty() ||
      !(unit.empty() || SameWord(unit, "MHZ") || SameWord(unit, "GHZ"))) {
    Unread("FREQUENCY", text, UnreadHeaderLine::Why::kNotFrequency);
    return false;
  }
  const std::optional<float> frequency =
      HeaderFloat(SameWord(unit, "GHZ") ? number * 1000 : number, "FREQUENCY");
  if (!frequency) return false;
  result_.file.pattern.frequency = *frequency;
  result_.file.frequencyKnown = true;
  return true;
}

// GAIN: a number with an optional unit, dBd (the default) or dBi; kept in dBi.
bool Reader::GainLine(std::string_view words) {
  const std::string_view text = words;
  double number = 0;
  const bool isNumber = ParseNumber(TakeWord(words), number);
  const std::string_view unit = TakeWord(words);
  const bool dbi = SameWord(unit, "DBI");
  if (!isNumber || !words.empty() || !(unit.empty() || dbi || SameWord(unit, "DBD"))) {
    Unread("GAIN", text, UnreadHeaderLine::Why::kNotGain);
    return false;
  }
  PatternFileHeader& header = result_.file.header;
  header.gainUnit = dbi ? "dBi" : "dBd";
  // The same sum as the Kathrein reader's, so both give the same float.
  const std::optional<float> dbiGain = HeaderFloat(dbi ? number : number + 2.1, "GAIN");
  if (!dbiGain) return false;
  header.gainValue = static_cast<float>(number);
  result_.file.pattern.gain = *dbiGain;
  result_.file.gainKnown = true;
  return true;
}

// TILT: MECHANICAL or ELECTRICAL, a number of degrees, or the kind followed by the number.
bool Reader::TiltLine(std::string_view words) {
  const std::string_view text = words;
  std::string kind;
  double number = 0;
  std::string_view word = TakeWord(words);
  if (SameWord(word, "MECHANICAL") || SameWord(word, "ELECTRICAL")) {
    kind = SameWord(word, "MECHANICAL") ? "MECHANICAL" : "ELECTRICAL";
    word = TakeWord(words);
  }
  const bool kindAlone = !kind.empty() && word.empty();  // as many files write it
  if (!kindAlone && (!ParseNumber(word, number) || !words.empty())) {
    Unread("TILT", text, UnreadHeaderLine::Why::kNotTilt);
    return false;
  }
  PatternFileHeader& header = result_.file.header;
  header.tiltKind = kind;
  if (!kindAlone) header.tilt = HeaderFloat(number, "TILT");
  return true;
}

// H_WIDTH, V_WIDTH, FRONT_TO_BACK: a number, and after it whatever unit the maker wrote.
bool Reader::NumberLine(const std::string& keyword, std::string_view words) {
  const std::string_view text = words;
  double number = 0;
  if (!ParseNumber(TakeWord(words), number)) {
    Unread(keyword, text, UnreadHeaderLine::Why::kNotNumber);
    return false;
  }
  PatternFileHeader& header = result_.file.header;
  std::optional<float>& field = keyword == "H_WIDTH"   ? header.hWidth
                                : keyword == "V_WIDTH" ? header.vWidth
                                                       : header.frontToBack;
  field = HeaderFloat(number, keyword);
  return true;
}

// A header number as a float; nothing, with a note naming the line, when it is beyond the
// float range (FREQUENCY 1e308 GHz), which no output could show.
std::optional<float> Reader::HeaderFloat(double number, std::string_view keyword) {
  const auto value = static_cast<float>(number);
  if (std::isfinite(value)) return value;
  result_.file.headerNotes.push_back(std::string(Pick(kLine, language_)) +
                                     std::to_string(lineNumber_) + ": " + std::string(keyword) +
                                     std::string(Pick(kBeyondFloat, language_)));
  return std::nullopt;
}

bool Reader::StartBlock(int plane, std::string_view text) {
  if (current_ >= 0 && !EndBlock()) return false;
  Block& block = blocks_[plane];
  if (block.seen) return Fail(kBlockRepeated, kBlockName[plane]);
  block.seen = true;
  block.line = lineNumber_;
  if (!text.empty()) {
    int count = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    if (error != std::errc() || end != text.data() + text.size() || count < 2 ||
        count > kMostRows) {
      return Fail(kCount);
    }
    block.count = count;
    block.step = 360.0 / count;
  }
  block.values.reserve(block.count > 0 ? static_cast<std::size_t>(block.count) : 360);
  current_ = plane;
  return true;
}

bool Reader::Row(std::string_view text) {
  Block& block = blocks_[current_];
  std::string_view words = text;
  const std::string_view angleWord = TakeWord(words);
  const std::string_view valueWord = TakeWord(words);
  double angle = 0, value = 0;
  if (!words.empty() || !ParseNumber(angleWord, angle) || !ParseNumber(valueWord, value)) {
    return Fail(kRow);
  }
  const std::size_t row = block.values.size();
  if (row == 1 && block.step == 0) {
    // No count: the first two rows give the step, which must divide the circle.
    const double rows = 360.0 / angle;
    const double whole = std::round(rows);
    if (!(angle > 0) || whole > kMostRows || std::fabs(rows - whole) > 1e-6 * whole) {
      return Fail(kStep);
    }
    block.step = 360.0 / whole;
  }
  if (block.step > 0) {
    const auto circle = static_cast<std::size_t>(std::lround(360.0 / block.step));
    if (row >= circle) return Fail(kBlockEnd, std::to_string(circle));
    // Angles are written with a few decimals: a step of 1/3 degree shows as 0.33, 0.67 ...
    const double expected = static_cast<double>(row) * block.step;
    if (std::fabs(angle - expected) > 0.006) return Fail(kAngle, FormatAngle(expected));
  }
  if (row == 0 && angle != 0) return Fail(kAngle, "0");
  block.low = row == 0 ? value : std::min(block.low, value);
  block.high = row == 0 ? value : std::max(block.high, value);
  if (block.high - block.low > kMostSpreadDb) return Fail(kValueRange);
  block.values.push_back(value);
  return true;
}

// Checks that the block being read is whole (or lacks only its last row).
bool Reader::EndBlock() {
  Block& block = blocks_[current_];
  const std::size_t rows = block.values.size();
  if (rows < 2) {
    return Fail(kAngle, rows == 0 ? "0" : block.step > 0 ? FormatAngle(block.step) : "");
  }
  const auto circle = static_cast<std::size_t>(std::lround(360.0 / block.step));
  if (rows + 1 < circle) return Fail(kAngle, FormatAngle(static_cast<double>(rows) * block.step));
  if (rows + 1 == circle) {
    // The last row before 360 degrees is missing: halfway between its neighbours in dB.
    block.values.push_back((block.values.back() + block.values.front()) / 2);
    result_.file.normalised[static_cast<std::size_t>(current_)].lastRowFilled = true;
  }
  MakeColumn(current_);
  current_ = -1;
  return true;
}

void Reader::MakeColumn(int plane) {
  Block& block = blocks_[plane];
  PlaneNormalisation& notes = result_.file.normalised[static_cast<std::size_t>(plane)];
  std::vector<double>& v = block.values;
  const auto [low, high] = std::minmax_element(v.begin(), v.end());
  const double lowest = *low, highest = *high;
  double smallest = lowest;
  if (highest <= 0 && lowest < 0) {
    // All values at or below 0: gains relative to some level, not attenuations.
    notes.gainsTurned = true;
    for (double& x : v) x = -x;
    smallest = -highest;
  }
  if (smallest != 0) {
    notes.shiftDb = -smallest;
    for (double& x : v) x -= smallest;
  }
  notes.stepDegrees = block.step;

  const std::array<double, 360> degrees = ResampleToDegrees(v);
  PatternColumn& column = result_.file.pattern.measured[static_cast<std::size_t>(plane)];
  for (std::size_t degree = 0; degree < 360; ++degree) {
    column[degree] = FieldOfAttenuation(static_cast<float>(degrees[degree]));
  }
}

PatternFileResult Reader::Read() {
  std::string_view bytes = rest_.substr(0, rest_.find(kEndOfFile));
  if (bytes.substr(0, 3) == kByteOrderMark) bytes.remove_prefix(3);
  rest_ = bytes;

  std::string_view line;
  while (NextLine(line)) {
    const std::string_view text = Trim(line);
    if (text.empty()) continue;
    if (current_ >= 0 && StartsLikeNumber(text)) {
      if (!Row(text)) return result_;
      continue;
    }
    std::string_view rest = text;
    const std::string_view keyword = TakeWord(rest);
    const int plane = SameWord(keyword, "HORIZONTAL") ? 0 : SameWord(keyword, "VERTICAL") ? 1 : -1;
    if (plane >= 0) {
      if (!StartBlock(plane, rest)) return result_;
    } else if (current_ >= 0 || StartsLikeNumber(text)) {
      Fail(current_ >= 0 ? kRow : kHeaderLine);
      return result_;
    } else if (!HeaderLine(keyword, rest)) {
      return result_;
    }
  }
  ++lineNumber_;  // errors from here on name the line after the last
  if (current_ >= 0 && !EndBlock()) return result_;
  for (int plane = 0; plane < 2; ++plane) {
    if (!blocks_[plane].seen) {
      Fail(kMissingBlock, kBlockName[plane]);
      return result_;
    }
  }
  if (!haveName_) {
    result_.file.pattern.antennaName = std::string(fileName_);
    result_.file.nameFromFileName = true;
  }
  result_.file.pattern.fileName = std::string(fileName_);
  result_.file.pattern.fileSpec = std::string(fileName_);
  result_.read = true;
  result_.errorLine = 0;
  result_.error.clear();
  return result_;
}

// The Kathrein reader gives the same table, frequency and gain, every row read.
bool KathreinReadingSuffices(std::string_view bytes, const KathreinPattern& lenient) {
  KathreinPattern strict;
  for (auto& column : strict.measured) column.fill(-1.0f);  // rows never read stay negative
  if (ReadKathreinFile(bytes, strict) != kKathreinRead) return false;
  return strict.measured == lenient.measured && strict.frequency == lenient.frequency &&
         strict.gain == lenient.gain;
}

}  // namespace

std::array<double, 360> ResampleToDegrees(const std::vector<double>& rows) {
  std::array<double, 360> degrees{};
  const std::size_t n = rows.size();
  if (n == 0) return degrees;
  for (std::size_t degree = 0; degree < 360; ++degree) {
    // Row position degree * n / 360, kept as a whole part and a remainder: exact for any n.
    const std::size_t scaled = degree * n;
    const std::size_t row = scaled / 360;
    const std::size_t remainder = scaled % 360;
    double value = rows[row];
    if (remainder != 0) {
      value += (rows[(row + 1) % n] - rows[row]) * static_cast<double>(remainder) / 360;
    }
    degrees[degree] = value;
  }
  return degrees;
}

PatternFileResult ReadPatternFile(std::string_view bytes, std::string_view fileName, int language) {
  PatternFileResult result = Reader(bytes, fileName, language).Read();
  if (result.read) {
    // A plane that had to be normalised is one the Kathrein reader reads otherwise or not at
    // all; only a file without any is worth reading a second time.
    bool normalised = false;
    for (const PlaneNormalisation& n : result.file.normalised) {
      normalised =
          normalised || n.gainsTurned || n.shiftDb != 0 || n.stepDegrees != 1 || n.lastRowFilled;
    }
    result.file.reading = !normalised && KathreinReadingSuffices(bytes, result.file.pattern)
                              ? PatternReading::kKathrein
                              : PatternReading::kLenient;
  } else {
    result.file = PatternFile{};
  }
  return result;
}

bool StartsLikePatternFile(std::string_view bytes) {
  if (bytes.substr(0, 3) == kByteOrderMark) bytes.remove_prefix(3);
  const std::size_t start = bytes.find_first_not_of(" \t\r\n");
  if (start == std::string_view::npos) return false;
  std::string_view line = bytes.substr(start);
  line = line.substr(0, line.find_first_of("\r\n"));
  const std::string_view word = TakeWord(line);
  for (const std::string_view keyword : kHeaderKeywords)
    if (SameWord(word, keyword)) return true;
  return SameWord(word, kBlockName[0]) || SameWord(word, kBlockName[1]);
}

PatternFileResult ReadPatternPath(const std::string& path, int language) {
  const std::size_t slash = path.find_last_of("/\\");
  const std::string fileName = slash == std::string::npos ? path : path.substr(slash + 1);
  std::string reason;
  const std::optional<std::string> bytes = ReadWholeFile(path, reason);
  if (!bytes) {
    PatternFileResult result;
    result.error = std::string(Pick(kUnreadable, language)) + ": " + reason;
    return result;
  }
  return ReadPatternFile(*bytes, fileName, language);
}

}  // namespace lobrix
