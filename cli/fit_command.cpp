// lobrix fit: reading one plane of attenuations and writing its best-fit codes.
#include "cli/fit_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <vector>

#include "best_fit/best_fit.h"
#include "cli/command_line.h"
#include "cli/convert_output.h"

namespace lobrix::cli {
namespace {

constexpr std::string_view kFitUsage =
    R"(Usage: lobrix fit [FILE] [--vertical] [--fit db|field|envelope|all] [--json]
                  [--threads N]

Finds the antenna code and direction (in tenths of a degree) that match one measured plane
best, searched over every code the conversion of pattern files may return, and says how well
they match. The plane is read from FILE (a CSV file) or from standard input:
  360 lines of one number: the attenuation in dB at 0, 1, ... 359 degrees, or
  lines "angle,attenuation" (comma, semicolon, tab or blanks) with every whole degree once;
  angles from -360 to 360 are taken round the circle.
Attenuations are in dB, positive below the maximum; they are shifted so that the smallest
is 0 dB. Blank lines, lines starting with # and a header line are skipped; a line longer
than 1 MiB (1048576 bytes) is refused.
  --vertical   the plane is a vertical one (default: horizontal)
  --fit WAY    db: least RMS difference in dB, both attenuations floored at 40 dB (default)
               field: least sum of squared relative-field differences
               envelope: least RMS dB among codes whose attenuation nowhere exceeds the
               measured one by more than 1 dB ("none" when no code does)
               all: the three, one line each
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

// What the lines read so far gave: attenuations by whole degree (angle,attenuation lines) or
// in order from 0 degrees (lines of one number).
struct PlaneLines {
  std::array<float, 360> decibels{};
  std::array<bool, 360> given{};
  std::size_t plainLines = 0, pairLines = 0;
};

// Takes one line of numbers (`fields` of which `values` are the numbers, all given); false
// with `error` when it breaks the layout.
bool TakePlaneLine(const std::vector<std::optional<float>>& values, const std::string& where,
                   PlaneLines& plane, std::string& error) {
  if ((values.size() == 1 ? plane.pairLines : plane.plainLines) > 0) {
    error = where + "lines of one number and of angle,attenuation mixed";
    return false;
  }
  if (values.size() == 1) {
    if (plane.plainLines == 360) {
      error = where + "more than 360 attenuations";
      return false;
    }
    plane.decibels[plane.plainLines++] = *values[0];
    return true;
  }
  const float angle = *values[0];
  if (angle != std::round(angle) || angle < -360 || angle > 360) {
    error = where + "the angle must be a whole number of degrees from -360 to 360";
    return false;
  }
  const int degree = ((static_cast<int>(angle) % 360) + 360) % 360;
  if (plane.given[degree]) {
    error = where + "a second attenuation at " + std::to_string(degree) + " degrees";
    return false;
  }
  plane.given[degree] = true;
  plane.decibels[degree] = *values[1];
  ++plane.pairLines;
  return true;
}

// The plane once every line is read: every degree once, shifted so that the smallest
// attenuation is 0 dB.
std::optional<std::array<float, 360>> FinishPlane(PlaneLines& plane, std::string& error) {
  if (plane.pairLines > 0) {
    const auto missing = std::find(plane.given.begin(), plane.given.end(), false);
    if (missing != plane.given.end()) {
      error = "no attenuation at " + std::to_string(missing - plane.given.begin()) + " degrees";
      return std::nullopt;
    }
  } else if (plane.plainLines != 360) {
    error = std::to_string(plane.plainLines) + " attenuations, not 360";
    return std::nullopt;
  }
  const float smallest = *std::min_element(plane.decibels.begin(), plane.decibels.end());
  for (float& value : plane.decibels) value -= smallest;
  return plane.decibels;
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

// One fit as a JSON record.
nlohmann::ordered_json FitRecord(FitCriterion criterion, const FitResult& fit) {
  if (!fit.found) return {{"fit", FitCriterionName(criterion)}, {"code", nullptr}};
  const FitFigures& f = fit.figures;
  return {{"fit", FitCriterionName(criterion)},
          {"code", fit.code},
          {"direction", std::round(fit.direction * 10.0) / 10.0},
          {"error", f.criterionError},
          {"rms_db", f.rmsDb},
          {"largest_deviation_db", f.largestDeviationDb},
          {"largest_deviation_angle", f.largestDeviationAngle},
          {"envelope_holds", f.envelopeHolds}};
}

// One fit as a line of the table.
void WriteFitLine(FitCriterion criterion, const FitResult& fit, std::ostream& out) {
  const FitFigures& f = fit.figures;
  char line[160];
  if (!fit.found) {
    std::snprintf(line, sizeof line, "%-8s  none (no code qualifies)\n",
                  FitCriterionName(criterion));
  } else {
    std::snprintf(line, sizeof line, "%-8s  %-7s  %9s  %8s  %6s  %10s  %3d\n",
                  FitCriterionName(criterion), fit.code.c_str(),
                  FormatFixed(fit.direction, 1).c_str(), FormatFull(f.criterionError).c_str(),
                  FormatFixed(f.rmsDb, 2).c_str(), FormatFixed(f.largestDeviationDb, 2).c_str(),
                  f.largestDeviationAngle);
  }
  out << line;
}

}  // namespace

int RunFitCommand(const Args& args, std::istream& in, std::ostream& out, std::ostream& err) {
  CLI::App app("", "lobrix fit");
  SetUpCommand(app);
  std::string fitText = "db", threadsText;
  bool vertical = false, json = false;
  app.add_flag("--vertical", vertical);
  app.add_option("--fit", fitText, "db, field, envelope or all");
  app.add_flag("--json", json);
  app.add_option("--threads", threadsText, "a number of threads");
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
  std::array<float, 360> decibels{};
  if (auto end = ReadPlane(words, in, decibels, err)) return *end;

  const FitColumn fields = FieldsFromAttenuations(decibels);
  const FitPlane plane = vertical ? FitPlane::kVertical : FitPlane::kHorizontal;
  nlohmann::ordered_json records = nlohmann::ordered_json::array();
  if (!json) out << "fit       code     direction     error  rms dB  largest dB  at\n";
  for (const FitCriterion criterion : criteria) {
    const FitResult fit = FindBestFit(fields, plane, criterion, FitCandidates::All(), *threadCount);
    if (json) {
      records.push_back(FitRecord(criterion, fit));
    } else {
      WriteFitLine(criterion, fit, out);
    }
  }
  if (json) out << records.dump(2) << '\n';
  return kExitOk;
}

}  // namespace lobrix::cli
