// lobrix fit: reading one plane of attenuations and writing its best-fit codes.
#include "fit_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <vector>

#include "best_fit.h"
#include "command_line.h"
#include "convert_output.h"

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
is 0 dB. Blank lines, lines starting with # and a header line are skipped.
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

std::optional<std::array<float, 360>> ReadPlaneAttenuations(std::istream& in, std::string& error) {
  std::array<float, 360> decibels{};
  std::array<bool, 360> given{};
  std::size_t plainLines = 0, pairLines = 0;
  bool numberSeen = false;
  std::string raw;
  for (std::size_t number = 1; std::getline(in, raw); ++number) {
    const std::string line = Trimmed(raw);
    if (line.empty() || line[0] == '#') continue;
    const std::string where = "line " + std::to_string(number) + ": ";
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
    if ((fields.size() == 1 ? pairLines : plainLines) > 0) {
      error = where + "lines of one number and of angle,attenuation mixed";
      return std::nullopt;
    }
    if (fields.size() == 1) {
      if (plainLines == 360) {
        error = where + "more than 360 attenuations";
        return std::nullopt;
      }
      decibels[plainLines++] = *values[0];
      continue;
    }
    const float angle = *values[0];
    if (angle != std::round(angle) || angle < -360 || angle > 360) {
      error = where + "the angle must be a whole number of degrees from -360 to 360";
      return std::nullopt;
    }
    const int degree = ((static_cast<int>(angle) % 360) + 360) % 360;
    if (given[degree]) {
      error = where + "a second attenuation at " + std::to_string(degree) + " degrees";
      return std::nullopt;
    }
    given[degree] = true;
    decibels[degree] = *values[1];
    ++pairLines;
  }
  if (in.bad()) {
    error = "the input cannot be read";
    return std::nullopt;
  }
  if (pairLines > 0) {
    const auto missing = std::find(given.begin(), given.end(), false);
    if (missing != given.end()) {
      error = "no attenuation at " + std::to_string(missing - given.begin()) + " degrees";
      return std::nullopt;
    }
  } else if (plainLines != 360) {
    error = std::to_string(plainLines) + " attenuations, not 360";
    return std::nullopt;
  }
  const float smallest = *std::min_element(decibels.begin(), decibels.end());
  for (float& value : decibels) value -= smallest;
  return decibels;
}

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
  const int threads = *threadCount;

  std::string error;
  std::optional<std::array<float, 360>> decibels;
  if (words.empty() || words[0] == "-") {
    decibels = ReadPlaneAttenuations(in, error);
    if (!decibels) return Refuse(err, "standard input: " + error);
  } else {
    std::ifstream file(words[0], std::ios::binary);
    if (!file) return Refuse(err, Printable(words[0]) + ": cannot be read");
    decibels = ReadPlaneAttenuations(file, error);
    if (!decibels) return Refuse(err, DisplayText(words[0]) + ": " + error);
  }

  const FitColumn fields = FieldsFromAttenuations(*decibels);
  const FitPlane plane = vertical ? FitPlane::kVertical : FitPlane::kHorizontal;
  nlohmann::ordered_json records = nlohmann::ordered_json::array();
  if (!json) out << "fit       code     direction     error  rms dB  largest dB  at\n";
  for (const FitCriterion criterion : criteria) {
    const FitResult fit = FindBestFit(fields, plane, criterion, FitCandidates::All(), threads);
    const FitFigures& f = fit.figures;
    if (json) {
      if (!fit.found) {
        records.push_back({{"fit", FitCriterionName(criterion)}, {"code", nullptr}});
        continue;
      }
      records.push_back({{"fit", FitCriterionName(criterion)},
                         {"code", fit.code},
                         {"direction", std::round(fit.direction * 10.0) / 10.0},
                         {"error", f.criterionError},
                         {"rms_db", f.rmsDb},
                         {"largest_deviation_db", f.largestDeviationDb},
                         {"largest_deviation_angle", f.largestDeviationAngle},
                         {"envelope_holds", f.envelopeHolds}});
      continue;
    }
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
  if (json) out << records.dump(2) << '\n';
  return kExitOk;
}

}  // namespace lobrix::cli
