// Number parsing, value formatting and usage texts shared by the lobrix commands.
#include "arguments.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace lobrix::cli {

Args ToArgs(int argc, char** argv) {
  Args args;
  for (int i = 0; i < argc; ++i) args.emplace_back(argv[i]);
  return args;
}

namespace {

// from_chars takes no plus sign; a user may well write "+5" for an elevation. A sign after
// the plus ("+-5") stays and fails the parse.
const char* SkipPlus(const char* first, const char* last) {
  if (first != last && *first == '+' && (last - first == 1 || first[1] != '-')) return first + 1;
  return first;
}

}  // namespace

std::optional<float> ParseNumber(std::string_view text) {
  const char* last = text.data() + text.size();
  const char* first = SkipPlus(text.data(), last);
  // Read as double so that a value too small for a float becomes 0 instead of failing, then
  // refuse what a float cannot hold (inf, nan, beyond about 3.4e38).
  double value = 0;
  const auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc{} || end != last || first == last) return std::nullopt;
  if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) {
    return std::nullopt;
  }
  return static_cast<float>(value);
}

std::optional<int> ParseInteger(std::string_view text) {
  const char* last = text.data() + text.size();
  const char* first = SkipPlus(text.data(), last);
  int value = 0;
  const auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc{} || end != last || first == last) return std::nullopt;
  return value;
}

bool WantsHelp(const Args& args) {
  for (std::string_view word : args) {
    if (word == "--help" || word == "-h") return true;
  }
  return false;
}

std::string FormatFixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  std::string result(text);
  // "-0.00": a tiny negative value (dBi of an omnidirectional antenna is -2.15 + 2.15 in
  // single precision) reads as zero.
  if (result.front() == '-' && result.find_first_not_of("0.", 1) == std::string::npos) {
    result.erase(0, 1);
  }
  return result;
}

std::string FormatFull(double value) {
  if (value == 0) value = 0;  // the attenuation at the maximum is -20*log10(1) = -0
  char text[64];
  std::snprintf(text, sizeof text, "%.9g", value);
  return text;
}

std::string_view ProgramUsage() {
  return R"(Usage: lobrix COMMAND [ARGUMENTS]

Computes the radiation patterns and gains of HCM antenna codes (such as 000ND00, 030EA10,
510VE00, 100TA00, 120PA05).

Commands:
  check CODE...                                check antenna codes
  pattern CODE [--db|--field] [--step DEG]     table of one code's pattern
  ant3d HCODE AZ AZMAX VCODE EL ELMAX [--db]   value of an antenna in one direction
  gain HCODE VCODE                             antenna gain in dBd and dBi
  eval                                         evaluate calls read from standard input
  render ...                                   draw editor pages to picture files

"lobrix COMMAND --help" describes one command. Angles are in degrees. Exit status: 0 on
success, 2 for an invalid code or a wrong argument.
)";
}

std::string_view CommandUsage(std::string_view command) {
  if (command == "check") {
    return R"(Usage: lobrix check CODE...

Checks each antenna code and prints "CODE: valid" or "CODE: invalid: REASON".
Exit status 0 when every code is valid, 2 otherwise.
)";
  }
  if (command == "pattern") {
    return R"(Usage: lobrix pattern CODE [--db|--field] [--step DEG]

Prints the pattern of one antenna code as a table, one angle a line: angles from 0 up to,
not including, 360 degrees in steps of DEG (default 10, at least 0.001), with the
attenuation in dB (--db, the default) or the relative field 0.01 to 1 (--field).
)";
  }
  if (command == "ant3d") {
    return R"(Usage: lobrix ant3d HCODE AZ AZMAX VCODE EL ELMAX [--db]

Prints the value of the antenna with horizontal code HCODE and vertical code VCODE, its beam
at azimuth AZMAX and elevation (or tilt) ELMAX, towards azimuth AZ and elevation EL, all in
degrees: the relative field 0.01 to 1, or the attenuation in dB with --db.
)";
  }
  if (command == "gain") {
    return R"(Usage: lobrix gain HCODE VCODE

Prints the gain of the antenna with horizontal code HCODE and vertical code VCODE in dBd
(over a half-wave dipole) and dBi (dBd + 2.15).
)";
  }
  if (command == "eval") {
    return R"(Usage: lobrix eval < CALLS

Reads one call a line from standard input and prints one result a line, 9 significant digits:
  VERANT code                                1 valid, 0 invalid
  ANT93 code angle mode                      mode 2: dB, other modes: relative field
  ANT3D hcode az azmax vcode el elmax mode   mode 2: dB, 0: relative field
  ZISKANTVA hcode vcode                      gain in dBd
An invalid code gives the function's failure value (ANT93 and ANT3D -1, ZISKANTVA -99,
VERANT 0). A malformed line prints "error" and a message on standard error, and makes the
exit status 2. Blank lines and lines starting with # are skipped.
)";
  }
  return {};
}

}  // namespace lobrix::cli
