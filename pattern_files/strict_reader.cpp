// Reading a Kathrein *.MSI antenna pattern file.
//
// The layout: a NAME line, a FREQUENCY line, a GAIN line, three more header lines, 360 pairs
// "angle attenuation" of the horizontal pattern, one header line and 360 pairs of the vertical
// pattern. Files are plain single-byte text and are read byte for byte.
#include "pattern_files/strict_reader.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <iterator>

#include "pattern_files/whole_file.h"
#include "text/text_number.h"

namespace lobrix {

namespace {

constexpr char kEndOfFile = 26;  // character 26 ends the file wherever it stands
constexpr float kMissingSignalDb = 40.0f;

// A cursor over the bytes of the file.
struct FileText {
  std::string_view rest;

  bool AtEnd() const { return rest.empty(); }

  char Take() {
    const char c = rest.front();
    rest.remove_prefix(1);
    return c;
  }

  // One whole line without its end: a CR (with an LF after it) or a lone LF ends it. Unix line
  // ends are common in these files, so a lone LF counts as a line end too.
  std::string_view ReadLine() {
    const std::size_t end = std::min(rest.find_first_of("\r\n"), rest.size());
    const std::string_view line = rest.substr(0, end);
    rest.remove_prefix(end);
    if (!rest.empty() && Take() == '\r' && !rest.empty() && rest.front() == '\n') Take();
    return line;
  }

  // One numeric field of a pair: leading blanks are skipped; a blank, a comma, a CR (with an
  // LF after it) or a lone LF ends it; a tab inside the field is ignored, so a tab does not
  // separate two numbers. Returns false when the text ended before the field began.
  bool ReadField(std::string& field) {
    field.clear();
    while (!rest.empty() && rest.front() == ' ') Take();
    if (rest.empty()) return false;
    while (!rest.empty()) {
      const char c = Take();
      if (c == ' ' || c == ',' || c == '\n') break;
      if (c == '\r') {
        if (!rest.empty() && rest.front() == '\n') Take();
        break;
      }
      if (c != '\t') field.push_back(c);
    }
    return true;
  }
};

bool StartsWithLower(std::string_view line, std::string_view keyword) {
  if (line.size() < keyword.size()) return false;
  for (std::size_t i = 0; i < keyword.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(line[i])) != keyword[i]) return false;
  }
  return true;
}

std::string_view From(std::string_view line, std::size_t position) {
  return position <= line.size() ? line.substr(position) : std::string_view{};
}

// The gain line states dBd, so 2.1 is added, unless the unit after the number is dBi.
float GainInDbi(std::string_view text) {
  std::size_t unit = 0;
  const double value = TextNumber(text, &unit);
  std::string_view rest = From(text, unit);
  while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) rest.remove_prefix(1);
  if (StartsWithLower(rest, "dbi")) return static_cast<float>(value);
  return static_cast<float>(value + 2.1);
}

// Relative field strength of an attenuation in dB: 10^(-a/20), at most 1. An attenuation that
// is not a finite number counts as the 40 dB floor of the patterns.
float FieldOfAttenuation(float db) {
  if (!std::isfinite(db)) db = kMissingSignalDb;
  const auto field = static_cast<float>(std::pow(10.0, -static_cast<double>(db) / 20.0));
  return std::min(1.0f, field);
}

// Reads the 360 pairs of one block into `column`. Returns false when an angle is not the row
// number or the text ends before the 360th pair is whole: a file cut off inside a block (a
// partial download) would otherwise leave rows of the previous file, or zeros, in the table.
bool ReadBlock(FileText& text, PatternColumn& column) {
  std::string field;
  for (int i = 0; i < 360; ++i) {
    if (!text.ReadField(field)) return false;
    if (TextNumber(field) != i) return false;
    if (!text.ReadField(field)) return false;  // the text ended after the angle
    column[static_cast<std::size_t>(i)] = FieldOfAttenuation(static_cast<float>(TextNumber(field)));
  }
  return true;
}

}  // namespace

int ReadKathreinFile(std::string_view bytes, KathreinPattern& pattern) {
  FileText text{bytes.substr(0, bytes.find(kEndOfFile))};
  int result = kKathreinRead;

  for (int lineNumber = 1; lineNumber <= 6; ++lineNumber) {
    if (text.AtEnd()) {
      result = kNotKathreinFile;
      break;
    }
    const std::string_view line = text.ReadLine();
    if (lineNumber == 1) {
      if (StartsWithLower(line, "name")) {
        pattern.antennaName = std::string(From(line, 5));
      } else {
        result = kNotKathreinFile;
      }
    } else if (lineNumber == 2) {
      if (StartsWithLower(line, "frequency")) {
        pattern.frequency = static_cast<float>(TextNumber(From(line, 10)));
      } else {
        result = kNotKathreinFile;
      }
    } else if (lineNumber == 3) {
      pattern.gain = GainInDbi(From(line, 5));
    }
  }
  if (result != kKathreinRead) return result;

  if (!ReadBlock(text, pattern.measured[0])) return kShorterThanKathreinFile;
  if (text.AtEnd()) return kShorterThanKathreinFile;  // no header line of the vertical block
  text.ReadLine();
  if (!ReadBlock(text, pattern.measured[1])) return kShorterThanKathreinFile;
  return kKathreinRead;
}

int ReadKathreinPath(const std::string& path, KathreinPattern& pattern) {
  std::string reason;
  const std::optional<std::string> bytes = ReadWholeFile(path, reason);
  return bytes ? ReadKathreinFile(*bytes, pattern) : kNotKathreinFile;
}

}  // namespace lobrix
