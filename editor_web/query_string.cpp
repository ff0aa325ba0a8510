#include "editor_web/query_string.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

#include "model/antenna_pattern.h"

namespace lobrix {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

// A plain decimal number filling the whole text ("30", "-2.5", ".5"); nothing for anything
// else, exponents, "inf" and "nan" included.
std::optional<double> PlainNumber(std::string_view text) {
  std::size_t i = text.empty() || text[0] != '-' ? 0 : 1;
  bool digits = false, point = false;
  for (std::size_t k = i; k < text.size(); ++k) {
    const char c = text[k];
    if (c >= '0' && c <= '9') {
      digits = true;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return std::nullopt;
    }
  }
  if (!digits || text.size() > 32) return std::nullopt;
  const std::string copy(text);
  const double value = std::strtod(copy.c_str(), nullptr);
  return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

// Takes one key's value into `query`; false when the key is known and the value is not valid.
bool TakeValue(AntennaQuery& query, const std::string& key, const std::string& value) {
  if (key == "h" || key == "v") {
    const std::string code = Upper(value);
    if (CheckCode(code).fault != CodeFault::kNone || code.size() != 7) return false;
    (key == "h" ? query.hCode : query.vCode) = code;
    return true;
  }
  if (key == "azi" || key == "ele") {
    const auto number = PlainNumber(value);
    if (!number) return false;
    const bool azimuth = key == "azi";
    if (azimuth ? !(*number >= 0 && *number < 360) : !(*number >= -90 && *number <= 90)) {
      return false;
    }
    (azimuth ? query.aziMax : query.eleMax) = static_cast<float>(*number);
    return true;
  }
  if (key == "page") {
    if (value.size() != 1 || value[0] < '0' || value[0] > '3') return false;
    query.page = value[0] - '0';
    return true;
  }
  if (key == "lang") {
    const std::string language = Lower(value);
    if (language != "en" && language != "cs") return false;
    query.language = language == "en" ? kEnglish : kCzech;
    return true;
  }
  return true;  // not ours: another page's parameter
}

}  // namespace

std::string PercentDecode(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '+') {
      out += ' ';
    } else if (c == '%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 &&
               HexDigit(text[i + 2]) >= 0) {
      out += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
      i += 2;
    } else {
      out += c;
    }
  }
  return out;
}

AntennaQuery ParseAntennaQuery(std::string_view query) {
  AntennaQuery result;
  if (!query.empty() && query[0] == '?') query.remove_prefix(1);
  while (!query.empty()) {
    const std::size_t end = query.find('&');
    const std::string_view pair = query.substr(0, end);
    query = end == std::string_view::npos ? std::string_view{} : query.substr(end + 1);
    if (pair.empty()) continue;
    const std::size_t equals = pair.find('=');
    const std::string key = Lower(PercentDecode(pair.substr(0, equals)));
    const std::string value =
        equals == std::string_view::npos ? std::string() : PercentDecode(pair.substr(equals + 1));
    if (!TakeValue(result, key, value)) {
      // Shown in the status bar: a long value is cut.
      constexpr std::size_t kShown = 24;
      result.rejected.push_back(key.substr(0, kShown) + "=" + value.substr(0, kShown));
    }
  }
  return result;
}

void ApplyAntennaQuery(const AntennaQuery& query, DrawingInput& input, int& activePage) {
  if (query.hCode) input.hCode = *query.hCode;
  if (query.vCode) input.vCode = *query.vCode;
  if (query.aziMax) input.aziMax = *query.aziMax;
  if (query.eleMax) input.eleMax = *query.eleMax;
  if (query.language) input.language = *query.language;
  if (query.page) activePage = *query.page;
}

std::string RejectedQueryNote(const AntennaQuery& query, int language) {
  if (query.rejected.empty()) return {};
  std::string note(Pick(TextPair{" Not taken from the address: ", " Z adresy nepřevzato: "},
                        language));
  for (std::size_t i = 0; i < query.rejected.size(); ++i) {
    if (i > 0) note += ", ";
    note += query.rejected[i];
  }
  return note;
}

}  // namespace lobrix
