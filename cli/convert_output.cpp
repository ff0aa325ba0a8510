// lobrix convert: the table, CSV and JSON forms of the results.
#include "convert_output.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "arguments.h"
#include "platform/gfx/text_decode.h"

namespace lobrix::cli {
namespace {

// The values of one file as the three forms write them.
struct Row {
  std::string path, antenna, frequency, gain, hCode, aziMax, vCode, eleMax, status, reason;
};

std::string OneDecimal(float value) {
  return FormatFixed(value, 1);
}

Row RowOf(const FileConversion& file) {
  Row row;
  row.path = DisplayText(file.path);
  row.status = file.failure.empty() ? "converted" : "failed";
  row.reason = file.failure;
  if (!file.converted) return row;
  row.antenna = DisplayText(file.antennaName);
  row.frequency = OneDecimal(file.frequency);
  row.gain = OneDecimal(file.gain);
  row.hCode = DisplayText(file.result.hCode);
  row.aziMax = OneDecimal(file.result.aziMax);
  row.vCode = DisplayText(file.result.vCode);
  row.eleMax = OneDecimal(file.result.eleMax);
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

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) {
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

}  // namespace

std::string DisplayText(std::string_view text) {
  std::u32string shown;
  for (const char32_t c : DecodeText(text)) {
    if (c < 0x20 || (c >= 0x7F && c < 0xA0)) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned>(c));
      for (const char* p = escaped; *p != '\0'; ++p) shown += static_cast<char32_t>(*p);
    } else {
      shown += c;
    }
  }
  return EncodeUtf8(shown);
}

void WriteConversionTable(const std::vector<FileConversion>& files, std::ostream& out) {
  constexpr std::size_t kColumns = 8;
  const std::array<std::string, kColumns> header = {"path",       "antenna", "MHz",      "dBi",
                                                    "horizontal", "AziMax",  "vertical", "EleMax"};
  // Numbers right-aligned, texts left-aligned.
  constexpr std::array<bool, kColumns> right = {false, false, true, true, false, true, false, true};
  std::vector<Row> rows;
  for (const FileConversion& file : files) rows.push_back(RowOf(file));
  std::array<std::size_t, kColumns> width{};
  for (std::size_t c = 0; c < kColumns; ++c) width[c] = Width(header[c]);
  for (const Row& row : rows) {
    width[0] = std::max(width[0], Width(row.path));
    if (!row.hCode.empty()) {
      const std::array<const std::string*, kColumns> cells = {
          &row.path,  &row.antenna, &row.frequency, &row.gain,
          &row.hCode, &row.aziMax,  &row.vCode,     &row.eleMax};
      for (std::size_t c = 1; c < kColumns; ++c) width[c] = std::max(width[c], Width(*cells[c]));
    }
  }
  auto writeLine = [&](const std::array<const std::string*, kColumns>& cells) {
    for (std::size_t c = 0; c < kColumns; ++c) {
      if (c > 0) out << "  ";
      // No blanks after the last column.
      if (c + 1 == kColumns && !right[c]) {
        out << *cells[c];
      } else {
        Pad(out, *cells[c], width[c], right[c]);
      }
    }
    out << '\n';
  };
  writeLine({&header[0], &header[1], &header[2], &header[3], &header[4], &header[5], &header[6],
             &header[7]});
  for (const Row& row : rows) {
    if (row.hCode.empty()) {
      Pad(out, row.path, width[0], false);
      out << "  failed: " << row.reason << '\n';
      continue;
    }
    writeLine({&row.path, &row.antenna, &row.frequency, &row.gain, &row.hCode, &row.aziMax,
               &row.vCode, &row.eleMax});
    if (!row.reason.empty()) out << "  failed: " << row.reason << '\n';
  }
}

void WriteConversionCsv(const std::vector<FileConversion>& files, std::ostream& out) {
  out << "path,antenna,frequency_mhz,gain_dbi,horizontal,azimax,vertical,elemax,status,reason\n";
  for (const FileConversion& file : files) {
    const Row row = RowOf(file);
    out << CsvField(row.path) << ',' << CsvField(row.antenna) << ',' << row.frequency << ','
        << row.gain << ',' << row.hCode << ',' << row.aziMax << ',' << row.vCode << ','
        << row.eleMax << ',' << row.status << ',' << CsvField(row.reason) << '\n';
  }
}

void WriteConversionJson(const std::vector<FileConversion>& files, std::ostream& out) {
  nlohmann::ordered_json records = nlohmann::ordered_json::array();
  for (const FileConversion& file : files) {
    const Row row = RowOf(file);
    records.push_back({
        {"path", row.path},
        {"antenna", JsonText(file, row.antenna)},
        {"frequency_mhz", JsonNumber(file, file.frequency)},
        {"gain_dbi", JsonNumber(file, file.gain)},
        {"horizontal", JsonText(file, row.hCode)},
        {"azimax", JsonNumber(file, file.result.aziMax)},
        {"vertical", JsonText(file, row.vCode)},
        {"elemax", JsonNumber(file, file.result.eleMax)},
        {"status", row.status},
        {"reason",
         row.reason.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(row.reason)},
    });
  }
  out << records.dump(2) << '\n';
}

}  // namespace lobrix::cli
