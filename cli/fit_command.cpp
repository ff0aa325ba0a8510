// lobrix fit: reading one plane of attenuations and writing its best-fit codes.
#include "cli/fit_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <nlohmann/json.hpp>
#include <vector>

#include "best_fit/best_fit.h"
#include "cli/command_line.h"
#include "cli/convert_files.h"
#include "cli/convert_output.h"
#include "cli/version.h"
#include "conversion/conversion.h"
#include "pattern_files/lenient_reader.h"

namespace lobrix::cli {
namespace {

constexpr std::string_view kFitUsage =
    R"(Usage: lobrix fit [FILE] [--vertical] [--fit db|field|envelope|all] [--json]
                  [--direction-tolerance DEG] [--threads N]

Finds the antenna code and direction (in tenths of a degree) that match one measured plane
best, searched over every code the conversion of pattern files may return, and says how well
they match. The plane is read from FILE (a CSV file) or from standard input:
  one number a line: the attenuation in dB at 0 degrees and on at a constant step (360 lines
  for 1 degree, 72 for 5, 720 for 0.5), or
  lines "angle,attenuation" (comma, semicolon, tab or blanks) with every angle of a constant
  step that divides 360 once, from 0; angles from -360 to 360 are taken round the circle.
Other steps than 1 degree are resampled to 1 degree, linearly in dB, as lobrix convert does.
Attenuations are in dB, positive below the maximum; they are shifted so that the smallest
is 0 dB. Blank lines, lines starting with # and a header line are skipped; a line longer
than 1 MiB (1048576 bytes) is refused.
One of the code's maxima is kept near the plane's measured maximum (the middle of its
highest values), as lobrix convert keeps it near the classic AziMax or EleMax.
  --vertical   the plane is a vertical one (default: horizontal): the direction is given as
               EleMax (the elevation of the direction; angles of the plane go down from 0)
  --fit WAY    db: least RMS difference in dB, both attenuations floored at 40 dB (default)
               field: least sum of squared relative-field differences
               envelope: least RMS dB among codes whose attenuation nowhere exceeds the
               measured one by more than 1 dB ("none" when no code does)
               all: the three, one line each
  --direction-tolerance DEG
               how near the code's maximum stays, degrees from 0 to 180 (default 5); 180:
               anywhere round the circle
  --json       a JSON array, an object a criterion (default: a readable table)
  --threads N  threads of the search, 1 to 256 (default: one a processor core)
The figures: the criterion's error, the RMS dB error, and the largest deviation (code minus
measured, dB) with its angle. Exit status 0, or 2 for a wrong argument or input.
)";

int Refuse(std::ostream& err, const std::string& message) {
  err << "lobrix: fit: " << message << '\n';
  return kExitFailure;
}

std::string Trimmed(const std::string& line) {
  const auto first = line.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
}

// The fields of a line: separated by a comma, a semicolon, tabs or blanks.
std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::string field;
  bool separated = false;  // a comma or semicolon ended the last field
  auto finish = [&] {
    if (!field.empty()) fields.push_back(field);
    field.clear();
  };
  for (const char c : line) {
    if (c == ',' || c == ';') {
      if (field.empty() && !separated && fields.empty()) fields.push_back("");
      finish();
      separated = true;
    } else if (c == ' ' || c == '\t') {
      finish();
    } else {
      field += c;
      separated = false;
    }
  }
  finish();
  return fields;
}

std::vector<FitCriterion> ParseCriteria(const std::string& text) {
  if (text == "all") return {FitCriterion::kDb, FitCriterion::kField, FitCriterion::kEnvelope};
  for (const FitCriterion c : {FitCriterion::kDb, FitCriterion::kField, FitCriterion::kEnvelope}) {
    if (text == FitCriterionName(c)) return {c};
  }
  return {};
}

}  // namespace

namespace {

// At most this many attenuations: a step of 0.01 degree, as the pattern files allow.
constexpr std::size_t kMostValues = 36000;

// What the lines read so far gave: attenuations by angle in hundredths of a degree (angle,
// attenuation lines) or in order from 0 degrees (lines of one number).
struct PlaneLines {
  std::map<long, float> byAngle;  // hundredths 0 .. 35999
  std::vector<double> plain;
};

std::string DegreesText(double degrees) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", degrees);
  return text;
}

// Takes one line of numbers (`values`, all given); false with `error` when it breaks the
// layout.
bool TakePlaneLine(const std::vector<std::optional<float>>& values, const std::string& where,
                   PlaneLines& plane, std::string& error) {
  if ((values.size() == 1 ? !plane.byAngle.empty() : !plane.plain.empty())) {
    error = where + "lines of one number and of angle,attenuation mixed";
    return false;
  }
  if (values.size() == 1) {
    if (plane.plain.size() == kMostValues) {
      error = where + "more than " + std::to_string(kMostValues) + " attenuations";
      return false;
    }
    plane.plain.push_back(*values[0]);
    return true;
  }
  const float angle = *values[0];
  if (angle < -360 || angle > 360) {
    error = where + "the angle must be from -360 to 360 degrees";
    return false;
  }
  // Round the circle, to the hundredth: angles are written with a few decimals (0.33, 0.67).
  const long hundredths = (std::lround(static_cast<double>(angle) * 100) % 36000 + 36000) % 36000;
  if (!plane.byAngle.emplace(hundredths, *values[1]).second) {
    error = where + "a second attenuation at " + DegreesText(hundredths / 100.0) + " degrees";
    return false;
  }
  return true;
}

// The attenuations of angle,attenuation lines in the order of their angles: every step of a
// constant step that divides 360 once, from 0 degrees. Nothing, with `error`, otherwise.
std::optional<std::vector<double>> StepRows(const std::map<long, float>& byAngle,
                                            std::string& error) {
  if (byAngle.empty() || byAngle.begin()->first != 0) {
    error = "no attenuation at 0 degrees";
    return std::nullopt;
  }
  const long step = byAngle.size() > 1 ? std::next(byAngle.begin())->first : 36000;
  // The step, from the first two angles, divides the circle: n rows at 360 / n degrees.
  const double rows = 36000.0 / static_cast<double>(step);
  const auto n = static_cast<std::size_t>(std::lround(rows));
  if (n < 2 || std::fabs(rows - static_cast<double>(n)) * static_cast<double>(step) > 1.0) {
    error = "the angles go up by " + DegreesText(step / 100.0) +
            " degrees, a step that does not divide 360";
    return std::nullopt;
  }
  std::vector<double> values;
  auto it = byAngle.begin();
  for (std::size_t k = 0; k < n; ++k) {
    const long expected = std::lround(36000.0 * static_cast<double>(k) / static_cast<double>(n));
    if (it == byAngle.end() || it->first > expected + 1) {
      error = "no attenuation at " + DegreesText(expected / 100.0) + " degrees";
      return std::nullopt;
    }
    if (it->first < expected - 1) {
      error = "an attenuation at " + DegreesText(it->first / 100.0) + " degrees, off the step of " +
              DegreesText(36000.0 / n / 100.0) + " degrees";
      return std::nullopt;
    }
    values.push_back(it->second);
    ++it;
  }
  if (it != byAngle.end()) {
    error = "an attenuation at " + DegreesText(it->first / 100.0) + " degrees, off the step of " +
            DegreesText(36000.0 / n / 100.0) + " degrees";
    return std::nullopt;
  }
  return values;
}

// The plane once every line is read: one attenuation a step of a constant step dividing 360,
// shifted so that the smallest is 0 dB and resampled to whole degrees as the pattern files are.
std::optional<std::array<float, 360>> FinishPlane(const PlaneLines& plane, std::string& error) {
  std::vector<double> rows;
  if (!plane.byAngle.empty()) {
    std::optional<std::vector<double>> stepped = StepRows(plane.byAngle, error);
    if (!stepped) return std::nullopt;
    rows = std::move(*stepped);
  } else {
    // Lines of one number: as many as a step of whole hundredths of a degree gives (360, 72,
    // 720 ...), or a multiple of 360 (1080 for a third of a degree).
    const std::size_t n = plane.plain.size();
    if (n < 2 || (36000 % n != 0 && n % 360 != 0)) {
      error = std::to_string(n) +
              " attenuations, not one for each step of a constant step that divides 360 (360, "
              "72 for 5 degrees, 720 for 0.5 ...)";
      return std::nullopt;
    }
    rows = plane.plain;
  }
  const double smallest = *std::min_element(rows.begin(), rows.end());
  for (double& value : rows) value -= smallest;
  const std::array<double, 360> degrees = ResampleToDegrees(rows);
  std::array<float, 360> decibels{};
  for (std::size_t i = 0; i < degrees.size(); ++i) decibels[i] = static_cast<float>(degrees[i]);
  return decibels;
}

}  // namespace

std::optional<std::array<float, 360>> ReadPlaneAttenuations(std::istream& in, std::string& error) {
  PlaneLines plane;
  bool numberSeen = false;
  std::string buffer(kMostInputLineBytes + 1, '\0');
  bool cut = false;
  std::size_t number = 1;
  for (std::optional<std::string_view> raw; (raw = ReadInputLine(in, buffer, cut)); ++number) {
    const std::string where = "line " + std::to_string(number) + ": ";
    if (cut) {
      error = where + "longer than " + std::to_string(kMostInputLineBytes) + " bytes";
      return std::nullopt;
    }
    const std::string line = Trimmed(std::string(*raw));
    if (line.empty() || line[0] == '#') continue;
    const std::vector<std::string> fields = Fields(line);
    std::vector<std::optional<float>> values;
    for (const std::string& field : fields) values.push_back(ParseNumber(field));
    const bool allNumbers =
        std::all_of(values.begin(), values.end(), [](const auto& v) { return v.has_value(); });
    // A first line that does not start with a number is a header.
    if (!numberSeen && !values.empty() && !values[0]) continue;
    numberSeen = true;
    if (fields.size() > 2) {
      error = where + "more than an angle and an attenuation";
      return std::nullopt;
    }
    if (!allNumbers) {
      error = where + "'" + Shown(line) + "' is no number";
      return std::nullopt;
    }
    if (!TakePlaneLine(values, where, plane, error)) return std::nullopt;
  }
  if (in.bad()) {
    error = "the input cannot be read";
    return std::nullopt;
  }
  return FinishPlane(plane, error);
}

namespace {

// The plane from FILE, or from standard input when there is none or it is "-"; an exit status
// when it cannot be read.
std::optional<int> ReadPlane(const Words& words, std::istream& in, std::array<float, 360>& decibels,
                             std::ostream& err) {
  std::string error;
  std::optional<std::array<float, 360>> read;
  if (words.empty() || words[0] == "-") {
    read = ReadPlaneAttenuations(in, error);
    if (!read) return Refuse(err, "standard input: " + error);
  } else {
    std::ifstream file(words[0], std::ios::binary);
    if (!file) return Refuse(err, Printable(words[0]) + ": cannot be read");
    read = ReadPlaneAttenuations(file, error);
    if (!read) return Refuse(err, DisplayText(words[0]) + ": " + error);
  }
  decibels = *read;
  return std::nullopt;
}

// The direction as the plane's kind names it: AziMax 0 to 360, or EleMax.
double ShownDirection(const FitResult& fit, bool vertical) {
  const float azimuth = fit.direction < 0 ? fit.direction + 360.0f : fit.direction;
  return vertical ? ElevationOfDirection(fit.direction) : azimuth;
}

// One fit as a JSON record.
nlohmann::ordered_json FitRecord(FitCriterion criterion, const FitResult& fit, bool vertical) {
  if (!fit.found) {
    return {{"fit", FitCriterionName(criterion)},
            {"code", nullptr},
            {"lobrix_version", ProgramVersion()}};
  }
  const FitFigures& f = fit.figures;
  return {{"fit", FitCriterionName(criterion)},
          {"code", fit.code},
          {vertical ? "elemax" : "azimax",
           std::round(ShownDirection(fit, vertical) * 10.0) / 10.0 + 0.0},
          {"error", f.criterionError},
          {"rms_db", f.rmsDb},
          {"largest_deviation_db", f.largestDeviationDb},
          {"largest_deviation_angle", f.largestDeviationAngle},
          {"envelope_holds", f.envelopeHolds},
          {"lobrix_version", ProgramVersion()}};
}

constexpr const char* kLineFormat = "%-8s  %-7s  %9s  %8s  %6s  %10s  %3s\n";

// One fit as a line of the table.
void WriteFitLine(FitCriterion criterion, const FitResult& fit, bool vertical, std::ostream& out) {
  const FitFigures& f = fit.figures;
  char line[160];
  if (!fit.found) {
    std::snprintf(line, sizeof line, "%-8s  none (no code qualifies)\n",
                  FitCriterionName(criterion));
  } else {
    std::snprintf(line, sizeof line, kLineFormat, FitCriterionName(criterion), fit.code.c_str(),
                  FormatFixed(ShownDirection(fit, vertical), 1).c_str(),
                  FormatFull(f.criterionError).c_str(), FormatFixed(f.rmsDb, 2).c_str(),
                  FormatFixed(f.largestDeviationDb, 2).c_str(),
                  std::to_string(f.largestDeviationAngle).c_str());
  }
  out << line;
}

}  // namespace

int RunFitCommand(const Args& args, std::istream& in, std::ostream& out, std::ostream& err) {
  CLI::App app("", "lobrix fit");
  SetUpCommand(app);
  std::string fitText = "db", threadsText, toleranceText;
  bool vertical = false, json = false;
  app.add_flag("--vertical", vertical);
  app.add_option("--fit", fitText, "db, field, envelope or all");
  app.add_flag("--json", json);
  app.add_option("--threads", threadsText, "a number of threads");
  app.add_option("--direction-tolerance", toleranceText, "a number of degrees");
  Words words;
  if (auto end = ParseCommandWords(app, "fit", kFitUsage, args, words, out, err)) return *end;
  if (words.size() > 1) return Refuse(err, "unexpected argument '" + Shown(words[1]) + "'");
  const std::vector<FitCriterion> criteria = ParseCriteria(fitText);
  if (criteria.empty()) {
    return Refuse(err, "unknown --fit '" + Shown(fitText) + "' (db, field, envelope or all)");
  }
  const std::optional<int> threadCount =
      ThreadCount(app.count("--threads") > 0, threadsText, "fit", err);
  if (!threadCount) return kExitFailure;
  const std::optional<float> tolerance =
      DirectionTolerance(app.count("--direction-tolerance") > 0, toleranceText, "fit", err);
  if (!tolerance) return kExitFailure;
  std::array<float, 360> decibels{};
  if (auto end = ReadPlane(words, in, decibels, err)) return *end;

  const FitColumn fields = FieldsFromAttenuations(decibels);
  const FitPlane plane = vertical ? FitPlane::kVertical : FitPlane::kHorizontal;
  // No classic direction here: the fits keep to the plane's own maximum.
  const FitCandidates candidates =
      FitCandidates::All().AnchoredAt(AnalysePattern(fields).mainAzimuth, *tolerance);
  nlohmann::ordered_json records = nlohmann::ordered_json::array();
  if (!json) {
    char header[160];
    std::snprintf(header, sizeof header, kLineFormat, "fit", "code", vertical ? "EleMax" : "AziMax",
                  "error", "rms dB", "largest dB", "at");
    out << header;
  }
  for (const FitCriterion criterion : criteria) {
    const FitResult fit = FindBestFit(fields, plane, criterion, candidates, *threadCount);
    if (json) {
      records.push_back(FitRecord(criterion, fit, vertical));
    } else {
      WriteFitLine(criterion, fit, vertical, out);
    }
  }
  if (json) out << records.dump(2) << '\n';
  return kExitOk;
}

}  // namespace lobrix::cli
