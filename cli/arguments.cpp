// Number parsing, value formatting and usage texts shared by the lobrix commands.
#include "cli/arguments.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "model/antenna_pattern.h"

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

// For a well-formed number beyond the double range: true when it is too small (its first
// significant digit lies below the decimal point by more than the exponent lifts it), false
// when it is too large. The reader says only "out of range", not which way.
bool IsBelowRange(std::string_view number) {
  if (!number.empty() && (number[0] == '-' || number[0] == '+')) number.remove_prefix(1);
  const std::size_t e = number.find_first_of("eE");
  const std::string_view mantissa = number.substr(0, e);
  // Far beyond any double's exponent, and far from overflowing when added to below.
  constexpr long long kHugeExponent = 1LL << 40;
  long long exponent = 0;
  if (e != std::string_view::npos) {
    const char* first = SkipPlus(number.data() + e + 1, number.data() + number.size());
    const auto [end, error] = std::from_chars(first, number.data() + number.size(), exponent);
    // An exponent beyond long long: only its sign matters.
    if (error != std::errc{}) exponent = *first == '-' ? -kHugeExponent : kHugeExponent;
    exponent = std::clamp(exponent, -kHugeExponent, kHugeExponent);
  }
  const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
  const std::size_t digit = mantissa.find_first_not_of("0.");
  if (digit == std::string_view::npos) return true;  // zero
  // Power of ten of the first significant digit.
  const auto power = digit < point ? static_cast<long long>(point - digit - 1)
                                   : -static_cast<long long>(digit - point);
  return power + exponent < 0;
}

}  // namespace

std::optional<float> ParseNumber(std::string_view text) {
  const char* last = text.data() + text.size();
  const char* first = SkipPlus(text.data(), last);
  double value = 0;
  const auto [end, error] = std::from_chars(first, last, value);
  if (end != last || first == last) return std::nullopt;
  if (error == std::errc::result_out_of_range) {
    if (IsBelowRange(std::string_view(first, static_cast<std::size_t>(last - first)))) return 0.0f;
    return std::nullopt;
  }
  if (error != std::errc{} || !std::isfinite(value)) return std::nullopt;
  // Below the normal float range (subnormal included) reads as 0, whatever the reader made of
  // it.
  if (std::fabs(value) < std::numeric_limits<float>::min()) return 0.0f;
  // Up to half a unit above the largest float still rounds to it: 3.40282347e38, the largest
  // float printed with nine digits, reads back.
  constexpr double kFloatRoundsToInfinity = 0x1.ffffffp127;  // FLT_MAX + half its last unit
  if (std::fabs(value) >= kFloatRoundsToInfinity) return std::nullopt;
  return static_cast<float>(std::clamp(value,
                                       -static_cast<double>(std::numeric_limits<float>::max()),
                                       static_cast<double>(std::numeric_limits<float>::max())));
}

std::string Printable(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string shown;
  shown.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F) {
      shown += c;
    } else {
      shown += "\\x";
      shown += kHex[byte >> 4];
      shown += kHex[byte & 0xF];
    }
  }
  return shown;
}

std::string Shown(std::string_view text) {
  if (text.size() <= kShownBytes) return Printable(text);
  return Printable(text.substr(0, kShownBytes)) + "...";
}

std::string ShownCode(std::string_view code) {
  return code.empty() ? "\"\"" : Shown(code);
}

std::string DowntiltFaultText(std::string_view vcode) {
  if (VERANT(vcode) != 1 || vcode[3] != 'P') return {};
  const int downtilt = static_cast<unsigned char>(vcode[4]) - 'A';
  if (downtilt < 90) return {};
  return "P downtilt of " + std::to_string(downtilt) +
         " degrees (position 5): a pattern in space needs less than 90";
}

std::optional<int> ParseInteger(std::string_view text) {
  const char* last = text.data() + text.size();
  const char* first = SkipPlus(text.data(), last);
  int value = 0;
  const auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc{} || end != last || first == last) return std::nullopt;
  return value;
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
  convert PATH... [--csv|--json] [--strict]    antenna codes of *.MSI pattern files
  export HCODE VCODE [options] -o FILE.msi     a code pair as a pattern file
  fit [FILE] [--vertical] [--fit CRITERION]    best-fit codes of one measured plane

"lobrix COMMAND --help" describes one command, "lobrix --version" prints the version. Angles
are in degrees. Exit status: 0 on success, 2 for an invalid code or a wrong argument (convert:
1 when some files failed).
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
Each result is the one the exported function returns, its failure value included: VERANT
checks the whole code (0 when invalid). ANT93, ANT3D and ZISKANTVA check only what they
read, the type (positions 4-5) and the range of the first number, taken from the digits that
begin positions 1-3; they give -1 (ANT93, ANT3D) or -99 (ZISKANTVA) when that fails, but an
ordinary value for codes such as 030EA or 1X0EA10. ANT93 and ANT3D also give -1 for a
non-finite angle, ANT3D for a P vertical code with a downtilt of 90 degrees or more
(position 5 from byte 0x9B on), which VERANT accepts.
A malformed line prints "error" and a message on standard error, and makes the exit status 2.
A line longer than 1 MiB (1048576 bytes) is malformed. Blank lines and lines starting with #
are skipped, and so is a UTF-8 byte-order mark at the start. Input that cannot be read (a
folder, a closed descriptor) is reported, exit status 2.
)";
  }
  return {};
}

}  // namespace lobrix::cli
