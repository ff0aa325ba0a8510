// check, pattern, ant3d and gain: argument handling around the model's functions.
#include "cli/calc_commands.h"

#include <CLI/CLI.hpp>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <optional>
#include <string>

#include "cli/command_line.h"
#include "model/antenna_pattern.h"

namespace lobrix::cli {

namespace {

// Smallest table step: 360 000 rows, and angles still distinct in single precision.
constexpr float kMinStep = 0.001f;
// Directivity of a half-wave dipole over an isotropic radiator, 10*log10(1.64), in dB.
constexpr double kDipoleGainDbi = 2.15;

// True for a valid code; otherwise says on `err` which rule it breaks.
bool CheckCodeArgument(std::string_view code, std::ostream& err) {
  if (VERANT(code) == 1) return true;
  err << "lobrix: " << ShownCode(code) << ": " << Printable(CodeFaultText(code)) << '\n';
  return false;
}

// True for a vertical code that has a pattern in space; otherwise says why not on `err`.
bool CheckSpatialCode(std::string_view vcode, std::ostream& err) {
  const std::string fault = DowntiltFaultText(vcode);
  if (fault.empty()) return true;
  err << "lobrix: " << ShownCode(vcode) << ": " << fault << '\n';
  return false;
}

std::optional<float> NumberArgument(std::string_view name, std::string_view text,
                                    std::ostream& err) {
  const std::optional<float> value = ParseNumber(text);
  if (!value) {
    err << "lobrix: " << name << " must be a finite number, not '" << Shown(text) << "'\n";
  }
  return value;
}

// True when `words` holds exactly the arguments `names`; otherwise says which is missing or
// which one is too many.
bool CountArguments(std::string_view command, const Words& words,
                    std::initializer_list<std::string_view> names, std::ostream& err) {
  if (words.size() < names.size()) {
    err << "lobrix: " << command << ": missing " << names.begin()[words.size()] << " (lobrix "
        << command << " --help shows the usage)\n";
    return false;
  }
  if (words.size() > names.size()) {
    err << "lobrix: " << command << ": unexpected argument '" << Shown(words[names.size()])
        << "'\n";
    return false;
  }
  return true;
}

// Attenuation with 2 decimals (as the dB values of the agreement are quoted), relative field
// with 4.
std::string FormatValue(float value, int mode) {
  return FormatFixed(value, mode == kDecibel ? 2 : 4);
}

void WritePatternTable(std::string_view code, int mode, float step, std::ostream& out) {
  // The row count comes from one division, not from adding steps, so a step such as 0.1
  // (slightly off in binary) neither adds a row at 360 nor drops the last one.
  const auto rows = static_cast<long>(std::ceil(360.0 / step - 1e-3));
  char line[64];
  std::snprintf(line, sizeof line, "%7s %9s\n", "angle", mode == kDecibel ? "dB" : "field");
  out << line;
  for (long k = 0; k < rows; ++k) {
    const auto angle = static_cast<float>(static_cast<double>(k) * step);
    const std::string value = FormatValue(ANT93(code, angle, mode), mode);
    std::snprintf(line, sizeof line, "%7g %9s\n", static_cast<double>(angle), value.c_str());
    out << line;
  }
}

}  // namespace

int RunCheckCommand(const Args& args, std::ostream& out, std::ostream& err) {
  CLI::App app("", "lobrix check");
  SetUpCommand(app);
  Words codes;
  if (auto end = ParseCommandWords(app, "check", CommandUsage("check"), args, codes, out, err)) {
    return *end;
  }
  if (codes.empty()) {
    err << "lobrix: check: missing CODE (lobrix check --help shows the usage)\n";
    return kExitFailure;
  }
  bool allValid = true;
  for (std::string_view code : codes) {
    if (VERANT(code) == 1) {
      out << ShownCode(code) << ": valid\n";
    } else {
      out << ShownCode(code) << ": invalid: " << Printable(CodeFaultText(code)) << '\n';
      allValid = false;
    }
  }
  return allValid ? kExitOk : kExitFailure;
}

int RunPatternCommand(const Args& args, std::ostream& out, std::ostream& err) {
  CLI::App app("", "lobrix pattern");
  SetUpCommand(app);
  std::string modeName = "db";
  std::string stepText = "10";
  app.add_flag("--db{db},--field{field}", modeName);
  app.add_option("--step", stepText, "a number of degrees");
  Words words;
  if (auto end =
          ParseCommandWords(app, "pattern", CommandUsage("pattern"), args, words, out, err)) {
    return *end;
  }
  if (!CountArguments("pattern", words, {"CODE"}, err)) return kExitFailure;
  if (!CheckCodeArgument(words[0], err)) return kExitFailure;
  const std::optional<float> step = NumberArgument("--step", stepText, err);
  if (!step) return kExitFailure;
  if (*step < kMinStep || *step > 360) {
    err << "lobrix: --step must be from 0.001 to 360 degrees, not '" << Shown(stepText) << "'\n";
    return kExitFailure;
  }
  WritePatternTable(words[0], modeName == "db" ? kDecibel : kRelativeField, *step, out);
  return kExitOk;
}

int RunAnt3dCommand(const Args& args, std::ostream& out, std::ostream& err) {
  CLI::App app("", "lobrix ant3d");
  SetUpCommand(app);
  bool decibel = false;
  app.add_flag("--db", decibel);
  Words words;
  if (auto end = ParseCommandWords(app, "ant3d", CommandUsage("ant3d"), args, words, out, err)) {
    return *end;
  }
  if (!CountArguments("ant3d", words, {"HCODE", "AZ", "AZMAX", "VCODE", "EL", "ELMAX"}, err)) {
    return kExitFailure;
  }
  if (!CheckCodeArgument(words[0], err) || !CheckCodeArgument(words[3], err) ||
      !CheckSpatialCode(words[3], err)) {
    return kExitFailure;
  }
  const std::optional<float> az = NumberArgument("AZ", words[1], err);
  if (!az) return kExitFailure;
  const std::optional<float> azMax = NumberArgument("AZMAX", words[2], err);
  if (!azMax) return kExitFailure;
  const std::optional<float> el = NumberArgument("EL", words[4], err);
  if (!el) return kExitFailure;
  const std::optional<float> elMax = NumberArgument("ELMAX", words[5], err);
  if (!elMax) return kExitFailure;

  const int mode = decibel ? kDecibel : kRelativeField;
  const float value = ANT3D(words[0], *az, *azMax, words[3], *el, *elMax, mode);
  // With codes that passed the checks above, only angles whose difference overflows a float
  // (beyond about 1e38) give the failure value; it is no attenuation and must not be printed
  // as one.
  if (value == kInvalidPattern) {
    err << "lobrix: ant3d: these angles give no value\n";
    return kExitFailure;
  }
  out << FormatValue(value, mode) << '\n';
  return kExitOk;
}

int RunGainCommand(const Args& args, std::ostream& out, std::ostream& err) {
  CLI::App app("", "lobrix gain");
  SetUpCommand(app);
  Words words;
  if (auto end = ParseCommandWords(app, "gain", CommandUsage("gain"), args, words, out, err)) {
    return *end;
  }
  if (!CountArguments("gain", words, {"HCODE", "VCODE"}, err)) return kExitFailure;
  if (!CheckCodeArgument(words[0], err) || !CheckCodeArgument(words[1], err)) return kExitFailure;
  const float gainDbd = ZISKANTVA(words[0], words[1]);
  out << FormatFixed(gainDbd, 2) << " dBd, " << FormatFixed(gainDbd + kDipoleGainDbi, 2)
      << " dBi\n";
  return kExitOk;
}

}  // namespace lobrix::cli
