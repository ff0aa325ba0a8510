// lobrix export: the options, the checks and the file written whole or not at all.
#include "cli/export_command.h"

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

#include "cli/command_line.h"
#include "cli/file_output.h"
#include "pattern_files/pattern_file_writer.h"

namespace lobrix::cli {
namespace {

constexpr std::string_view kExportUsage =
    R"(Usage: lobrix export HCODE VCODE [--azimuth A] [--elevation E] [--gain DBD]
                    [--frequency MHZ] [--name TEXT] -o FILE.msi

Writes the antenna with horizontal code HCODE and vertical code VCODE as a pattern file in the
Kathrein layout, for planning tools that import measured patterns: a header (NAME, FREQUENCY,
GAIN in dBd, TILT, COMMENT), then HORIZONTAL 360 and VERTICAL 360 blocks, one "angle
attenuation" pair a line in dB with two decimals, CR LF line ends.
  --azimuth A     azimuth of maximum radiation, 0 to under 360 (default 0): the horizontal
                  block is the horizontal code turned by it
  --elevation E   elevation of maximum radiation (the tilt for a TA code), -90 to 90, positive
                  upwards (default 0): the vertical block is the vertical cut through the
                  azimuth, as the 3-D page draws it (0 forward, 90 down, 180 back, 270 up)
  --gain DBD      the gain written in the file (default: the gain of the code pair)
  --frequency MHZ the frequency written in the file (default 0)
  --name TEXT     the NAME line (default: "HCODE VCODE")
  -o FILE         the file to write; it is written whole or not at all, and a file it
                  replaces keeps its permissions. "-o -" writes to standard output; a target
                  that is not a regular file (/dev/null, a named pipe) is written straight
Exit status 0 when the file was written, 2 for a wrong argument, an invalid code or angle or
a file that cannot be written (then no file is left).
)";

int Refuse(std::ostream& err, const std::string& message) {
  err << "lobrix: export: " << message << '\n';
  return kExitFailure;
}

}  // namespace

int RunExportCommand(const Args& args, std::ostream& out, std::ostream& err) {
  CLI::App app("", "lobrix export");
  SetUpCommand(app);
  std::string azimuth, elevation, gain, frequency, name, output;
  app.add_option("--azimuth", azimuth, "a number of degrees");
  app.add_option("--elevation", elevation, "a number of degrees");
  app.add_option("--gain", gain, "a number of dBd");
  app.add_option("--frequency", frequency, "a number of MHz");
  app.add_option("--name", name, "a text");
  app.add_option("-o,--output", output, "a file name");
  Words words;
  if (auto end = ParseCommandWords(app, "export", kExportUsage, args, words, out, err)) {
    return *end;
  }
  if (words.size() < 2) {
    return Refuse(err, std::string("missing ") + (words.empty() ? "HCODE" : "VCODE") +
                           " (lobrix export --help shows the usage)");
  }
  if (words.size() > 2) return Refuse(err, "unexpected argument '" + Shown(words[2]) + "'");
  if (output.empty()) return Refuse(err, "missing -o FILE");

  PatternFileCodes codes;
  codes.hCode = words[0];
  codes.vCode = words[1];
  codes.name = name;
  struct NumberOption {
    const char* option;
    const std::string& text;
    float* value;
  };
  float gainValue = 0;
  const NumberOption numbers[] = {{"--azimuth", azimuth, &codes.azimuth},
                                  {"--elevation", elevation, &codes.elevation},
                                  {"--gain", gain, &gainValue},
                                  {"--frequency", frequency, &codes.frequency}};
  for (const NumberOption& n : numbers) {
    if (app.count(n.option) == 0) continue;
    const std::optional<float> value = ParseNumber(n.text);
    if (!value)
      return Refuse(err, std::string(n.option) + " must be a number, not '" + Shown(n.text) + "'");
    *n.value = *value;
  }
  if (app.count("--gain") > 0) codes.gainDbd = gainValue;
  const std::string downtilt = DowntiltFaultText(codes.vCode);
  if (!downtilt.empty()) return Refuse(err, ShownCode(codes.vCode) + ": " + downtilt);

  const WrittenPatternFile file = WritePatternFile(codes);
  if (!file.written) return Refuse(err, Printable(file.error));
  std::string error;
  if (!WriteWholeFile(output, file.bytes, error, &out)) return Refuse(err, error);
  return kExitOk;
}

}  // namespace lobrix::cli
