// lobrix convert: the table, CSV and JSON forms of the results.
#include "cli/convert_output.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>

#include "cli/arguments.h"
#include "text/text_decode.h"
#include "cli/version.h"

namespace lobrix::cli {
namespace {

// The values of one file as the three forms write them.
struct Row {
  std::string path, antenna, frequency, gain, hCode, aziMax, vCode, eleMax, reading, status, reason;
};

// A value with one decimal; empty for a value the file did not give (a header number beyond
// the float range).
std::string OneDecimal(float value) {
  return std::isfinite(value) ? FormatFixed(value, 1) : std::string();
}

Row RowOf(const FileConversion& file) {
  Row row;
  row.path = DisplayText(file.path);
  row.status = file.failure.empty() ? "converted" : "failed";
  row.reason = DisplayText(file.failure);
  if (!file.converted) return row;
  row.antenna = DisplayText(file.antennaName);
  if (file.frequencyKnown) row.frequency = OneDecimal(file.frequency);
  if (file.gainKnown) row.gain = OneDecimal(file.gain);
  row.hCode = DisplayText(file.result.hCode);
  row.aziMax = OneDecimal(file.result.aziMax);
  row.vCode = DisplayText(file.result.vCode);
  row.eleMax = OneDecimal(file.result.eleMax);
  row.reading = file.reading;
  return row;
}

// Characters (code points) of a UTF-8 text, for the column widths.
std::size_t Width(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

void Pad(std::ostream& out, std::string_view text, std::size_t width, bool right) {
  const std::string blanks(width - std::min(width, Width(text)), ' ');
  if (right) out << blanks;
  out << text;
  if (!right) out << blanks;
}

// A text cell. A spreadsheet runs a cell that starts with =, +, - or @ as a formula (a file
// named "=HYPERLINK(...)" would be a link); a ' in front keeps it text.
std::string CsvField(const std::string& text) {
  const bool formula =
      !text.empty() && std::string_view("=+-@").find(text[0]) != std::string_view::npos;
  const std::string cell = formula ? "'" + text : text;
  if (cell.find_first_of(",\"\r\n") == std::string::npos) return cell;
  std::string quoted = "\"";
  for (const char c : cell) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

// A value with one decimal as a JSON number that prints as it reads (17.1, not
// 17.100000381469727), or null for a file without results.
nlohmann::ordered_json JsonNumber(const FileConversion& file, float value) {
  if (!file.converted || !std::isfinite(value)) return nullptr;
  // + 0.0 turns a negative zero (the elevation -v of a maximum at v = 0) into 0.
  return std::round(static_cast<double>(value) * 10.0) / 10.0 + 0.0;
}

nlohmann::ordered_json JsonText(const FileConversion& file, const std::string& text) {
  if (!file.converted) return nullptr;
  return text;
}

nlohmann::ordered_json JsonNotes(const FileConversion& file) {
  if (!file.converted) return nullptr;
  nlohmann::ordered_json notes = nlohmann::ordered_json::array();
  for (const std::string& note : file.notes) notes.push_back(note);
  return notes;
}

nlohmann::ordered_json JsonWarnings(const FileConversion& file) {
  if (!file.converted) return nullptr;
  nlohmann::ordered_json warnings = nlohmann::ordered_json::array();
  for (const PlaneWarning& warning : file.warnings) warnings.push_back(warning.text);
  return warnings;
}

// A float as the JSON number that prints as the file wrote it (17.15, not 17.149999618530273).
double ShortestNumber(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.7g", static_cast<double>(value));
  return std::strtod(text, nullptr);
}

nlohmann::ordered_json OptionalNumber(const std::optional<float>& value) {
  if (!value || !std::isfinite(*value)) return nullptr;
  return ShortestNumber(*value);
}

nlohmann::ordered_json OptionalText(const std::string& text) {
  if (text.empty()) return nullptr;
  return DisplayText(text);
}

// What the header said besides name, frequency and gain; null for a file without results and
// for a file read by the Kathrein reader alone (it reads nothing else).
nlohmann::ordered_json JsonHeader(const FileConversion& file) {
  if (!file.converted || !file.headerRead) return nullptr;
  const PatternFileHeader& h = file.header;
  nlohmann::ordered_json other = nlohmann::ordered_json::array();
  for (const auto& [keyword, text] : h.otherKeywords) {
    other.push_back({{"keyword", DisplayText(keyword)}, {"text", DisplayText(text)}});
  }
  // The lines of known keywords whose value could not be read, as written.
  nlohmann::ordered_json unread = nlohmann::ordered_json::array();
  for (const UnreadHeaderLine& line : h.unread) {
    unread.push_back(
        {{"line", line.line}, {"keyword", line.keyword}, {"text", DisplayText(line.text)}});
  }
  const bool gain = !h.gainUnit.empty();
  return {{"make", OptionalText(h.make)},
          {"gain", gain ? nlohmann::ordered_json(ShortestNumber(h.gainValue)) : nullptr},
          {"gain_unit", gain ? nlohmann::ordered_json(h.gainUnit) : nullptr},
          {"h_width", OptionalNumber(h.hWidth)},
          {"v_width", OptionalNumber(h.vWidth)},
          {"front_to_back", OptionalNumber(h.frontToBack)},
          {"tilt_kind", OptionalText(h.tiltKind)},
          {"tilt", OptionalNumber(h.tilt)},
          {"polarization", OptionalText(h.polarization)},
          {"comment", OptionalText(h.comment)},
          {"other_keywords", other},
          {"unread", unread}};
}

nlohmann::ordered_json JsonFigure(double value) {
  if (!std::isfinite(value)) return nullptr;
  return value;
}

nlohmann::ordered_json JsonFitPlane(const FitResult& fit, bool vertical) {
  if (!fit.found) return nullptr;
  const FitFigures& f = fit.figures;
  const float azimuth = fit.direction < 0 ? fit.direction + 360.0f : fit.direction;
  const float direction = vertical ? ElevationOfDirection(fit.direction) : azimuth;
  return {{"code", DisplayText(fit.code)},
          {vertical ? "elemax" : "azimax", std::round(direction * 10.0) / 10.0 + 0.0},
          {"error", JsonFigure(f.criterionError)},
          {"rms_db", JsonFigure(f.rmsDb)},
          {"largest_deviation_db", JsonFigure(f.largestDeviationDb)},
          {"largest_deviation_angle", f.largestDeviationAngle},
          {"envelope_holds", f.envelopeHolds}};
}

nlohmann::ordered_json JsonFits(const FileConversion& file) {
  nlohmann::ordered_json fits = nlohmann::ordered_json::array();
  for (const FileFit& fit : file.fits) {
    fits.push_back({{"fit", FitChoiceName(fit.choice)},
                    {"horizontal", JsonFitPlane(fit.planes[0], false)},
                    {"vertical", JsonFitPlane(fit.planes[1], true)}});
  }
  return fits;
}

}  // namespace

FitCells CellsOf(const FitResult& fit, bool vertical) {
  FitCells cells;
  if (!fit.found) {
    cells.code = "none";
    return cells;
  }
  const FitFigures& f = fit.figures;
  cells.code = DisplayText(fit.code);
  // The horizontal direction as AziMax (0 to 360), the vertical one as EleMax.
  const float azimuth = fit.direction < 0 ? fit.direction + 360.0f : fit.direction;
  cells.direction = OneDecimal(vertical ? ElevationOfDirection(fit.direction) : azimuth);
  cells.error = FormatFull(f.criterionError);
  cells.rmsDb = FormatFixed(f.rmsDb, 2);
  cells.largestDb = FormatFixed(f.largestDeviationDb, 2);
  cells.largestAngle = std::to_string(f.largestDeviationAngle);
  cells.largest = FormatFixed(f.largestDeviationDb, 1) + " at " + cells.largestAngle;
  return cells;
}

namespace {

// Characters that would drive the terminal showing a text or reorder what it shows: the C0
// and C1 controls and DEL; the bidirectional marks, embeddings, overrides and isolates, and
// the line and paragraph separators, with which a name can show as another one.
bool IsControlOrBidi(char32_t c) {
  return c < 0x20 || (c >= 0x7F && c < 0xA0) || c == 0x061C || c == 0x200E || c == 0x200F ||
         (c >= 0x2028 && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

}  // namespace

std::string DisplayText(std::string_view text) {
  std::u32string shown;
  for (const char32_t c : DecodeText(text)) {
    if (IsControlOrBidi(c)) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, c < 0x100 ? "\\x%02X" : "\\u%04X",
                    static_cast<unsigned>(c));
      for (const char* p = escaped; *p != '\0'; ++p) shown += static_cast<char32_t>(*p);
    } else {
      shown += c;
    }
  }
  return EncodeUtf8(shown);
}

namespace {

using TableLine = std::vector<std::string>;

// The table's columns: headings, and which are numbers (right-aligned; texts left-aligned).
struct TableColumns {
  TableLine header;
  std::vector<bool> right;
};

TableColumns ConversionColumns(bool withFits) {
  TableColumns columns;
  if (withFits) {
    columns.header = {"path",       "antenna",  "MHz",      "dBi",       "fit",
                      "horizontal", "AziMax",   "H rms dB", "H largest", "vertical",
                      "EleMax",     "V rms dB", "V largest"};
    columns.right = {false, false, true,  true, false, false, true,
                     true,  true,  false, true, true,  true};
  } else {
    columns.header = {"path",       "antenna", "MHz",      "dBi",
                      "horizontal", "AziMax",  "vertical", "EleMax"};
    columns.right = {false, false, true, true, false, true, false, true};
  }
  columns.header.push_back("reading");
  columns.right.push_back(false);
  return columns;
}

// One file's lines: a failed file one line with its reason; with fits one line a fit, the
// file's own columns on the first only.
struct FileLines {
  std::string path;
  std::vector<TableLine> lines;
  std::string reason;
};

// A classic code as the table shows it: marked " !" on a plane whose classic result is poor
// (the lines under the table say why).
std::string Marked(const std::string& code, const FileConversion& file, int plane) {
  for (const PlaneWarning& warning : file.warnings)
    if (warning.plane == plane) return code + " !";
  return code;
}

// The longest cell the table shows, in characters: one name of a megabyte would pad every row
// of the table to its width. CSV and JSON keep every text whole.
constexpr std::size_t kMostCellCharacters = 120;

// A cell cut to kMostCellCharacters, with "…" where it was cut: a path keeps its end (the
// file's name), another text its start.
std::string CutCell(const std::string& text, bool keepEnd) {
  if (Width(text) <= kMostCellCharacters) return text;
  const auto startsCharacter = [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  };
  const std::size_t kept = kMostCellCharacters - 1;
  std::size_t characters = 0;
  if (keepEnd) {
    std::size_t start = text.size();
    while (start > 0 && characters < kept) characters += startsCharacter(text[--start]) ? 1 : 0;
    return "\u2026" + text.substr(start);
  }
  std::size_t end = 0;
  for (; end < text.size(); ++end) {
    if (startsCharacter(text[end]) && characters++ == kept) break;
  }
  return text.substr(0, end) + "\u2026";
}

FileLines LinesOf(const FileConversion& file, bool withFits) {
  Row row = RowOf(file);
  row.path = CutCell(row.path, true);
  row.antenna = CutCell(row.antenna, false);
  FileLines entry{row.path, {}, row.reason};
  if (row.hCode.empty()) return entry;
  if (!withFits) {
    entry.lines.push_back({row.path, row.antenna, row.frequency, row.gain,
                           Marked(row.hCode, file, 0), row.aziMax, Marked(row.vCode, file, 1),
                           row.eleMax, row.reading});
  }
  for (std::size_t f = 0; f < file.fits.size(); ++f) {
    FitCells h = CellsOf(file.fits[f].planes[0], false);
    FitCells v = CellsOf(file.fits[f].planes[1], true);
    if (file.fits[f].choice == FitChoice::kClassic) {
      h.code = Marked(h.code, file, 0);
      v.code = Marked(v.code, file, 1);
    }
    TableLine line = {
        "",          "",          "",        "",        FitChoiceName(file.fits[f].choice),
        h.code,      h.direction, h.rmsDb,   h.largest, v.code,
        v.direction, v.rmsDb,     v.largest, ""};
    if (f == 0) {
      line[0] = row.path;
      line[1] = row.antenna;
      line[2] = row.frequency;
      line[3] = row.gain;
      line[13] = row.reading;
    }
    entry.lines.push_back(line);
  }
  return entry;
}

// Each column as wide as its widest cell or heading.
std::vector<std::size_t> ColumnWidths(const TableLine& header,
                                      const std::vector<FileLines>& shown) {
  const std::size_t columns = header.size();
  std::vector<std::size_t> width(columns);
  for (std::size_t c = 0; c < columns; ++c) width[c] = Width(header[c]);
  for (const FileLines& entry : shown) {
    width[0] = std::max(width[0], Width(entry.path));
    for (const TableLine& line : entry.lines) {
      for (std::size_t c = 1; c < columns; ++c) width[c] = std::max(width[c], Width(line[c]));
    }
  }
  return width;
}

void WriteTableLine(const TableLine& cells, const std::vector<std::size_t>& width,
                    const std::vector<bool>& right, std::ostream& out) {
  std::string text;
  for (std::size_t c = 0; c < cells.size(); ++c) {
    std::ostringstream cell;
    if (c > 0) cell << "  ";
    Pad(cell, cells[c], width[c], right[c]);
    text += cell.str();
  }
  // No blanks at the end of a line.
  text.erase(text.find_last_not_of(' ') + 1);
  out << text << '\n';
}

}  // namespace

void WriteConversionTable(const std::vector<FileConversion>& files, std::ostream& out,
                          const std::vector<FitChoice>& fits) {
  const TableColumns columns = ConversionColumns(!fits.empty());
  std::vector<FileLines> shown;
  for (const FileConversion& file : files) shown.push_back(LinesOf(file, !fits.empty()));
  const std::vector<std::size_t> width = ColumnWidths(columns.header, shown);
  WriteTableLine(columns.header, width, columns.right, out);
  for (const FileLines& entry : shown) {
    if (entry.lines.empty()) {
      Pad(out, entry.path, width[0], false);
      out << "  failed: " << entry.reason << '\n';
      continue;
    }
    for (const TableLine& line : entry.lines) WriteTableLine(line, width, columns.right, out);
    if (!entry.reason.empty()) out << "  failed: " << entry.reason << '\n';
  }
  for (const FileConversion& file : files)
    for (const PlaneWarning& warning : file.warnings)
      out << "! " << DisplayText(file.path) << ": " << warning.text << '\n';
}

void WriteConversionCsv(const std::vector<FileConversion>& files, std::ostream& out,
                        const std::vector<FitChoice>& fits, bool withPictures) {
  out << "path,antenna,frequency_mhz,gain_dbi,horizontal,azimax,vertical,elemax,reading,status,"
         "reason";
  if (!fits.empty()) {
    out << ",fit,h_error,h_rms_db,h_largest_db,h_largest_angle,v_error,v_rms_db,v_largest_db,"
           "v_largest_angle";
  }
  out << (withPictures ? ",picture\n" : "\n");
  for (const FileConversion& file : files) {
    const Row row = RowOf(file);
    const std::string common = CsvField(row.path) + ',' + CsvField(row.antenna) + ',' +
                               row.frequency + ',' + row.gain + ',';
    const std::string tail = ',' + row.reading + ',' + row.status + ',' + CsvField(row.reason);
    const std::string end =
        withPictures ? ',' + CsvField(DisplayText(file.picture)) + '\n' : std::string("\n");
    if (fits.empty() || file.fits.empty()) {
      out << common << row.hCode << ',' << row.aziMax << ',' << row.vCode << ',' << row.eleMax
          << tail;
      if (!fits.empty()) out << ",,,,,,,,,";
      out << end;
      continue;
    }
    // One record a fit, each with that fit's codes and directions.
    for (const FileFit& fit : file.fits) {
      const FitCells h = CellsOf(fit.planes[0], false);
      const FitCells v = CellsOf(fit.planes[1], true);
      out << common << h.code << ',' << h.direction << ',' << v.code << ',' << v.direction << tail
          << ',' << FitChoiceName(fit.choice) << ',' << h.error << ',' << h.rmsDb << ','
          << h.largestDb << ',' << h.largestAngle << ',' << v.error << ',' << v.rmsDb << ','
          << v.largestDb << ',' << v.largestAngle << end;
    }
  }
}

void WriteConversionJson(const std::vector<FileConversion>& files, std::ostream& out,
                         const std::vector<FitChoice>& fits, bool withPictures) {
  nlohmann::ordered_json records = nlohmann::ordered_json::array();
  for (const FileConversion& file : files) {
    const Row row = RowOf(file);
    records.push_back({
        {"path", row.path},
        {"antenna", JsonText(file, row.antenna)},
        {"frequency_mhz", file.frequencyKnown ? JsonNumber(file, file.frequency) : nullptr},
        {"gain_dbi", file.gainKnown ? JsonNumber(file, file.gain) : nullptr},
        {"horizontal", JsonText(file, row.hCode)},
        {"azimax", JsonNumber(file, file.result.aziMax)},
        {"vertical", JsonText(file, row.vCode)},
        {"elemax", JsonNumber(file, file.result.eleMax)},
        {"reading", JsonText(file, row.reading)},
        {"notes", JsonNotes(file)},
        {"warnings", JsonWarnings(file)},
        {"header", JsonHeader(file)},
        {"status", row.status},
        {"reason",
         row.reason.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(row.reason)},
        {"lobrix_version", ProgramVersion()},
    });
    if (!fits.empty()) {
      records.back()["fits"] = file.converted ? JsonFits(file) : nlohmann::ordered_json(nullptr);
    }
    if (withPictures) {
      records.back()["picture"] = file.picture.empty()
                                      ? nlohmann::ordered_json(nullptr)
                                      : nlohmann::ordered_json(DisplayText(file.picture));
    }
  }
  out << records.dump(2) << '\n';
}

}  // namespace lobrix::cli
