// Table cases of the pattern model: every *.cases file in the cases folder, one case a line,
// made by model_cases.py from an independent double-precision reading of the formulas.
//
//   FUNCTION ARG... = EXPECTED... tol TOLERANCE ; SOURCE
//
// A failing line is reported at its file:line with the value the model gave.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "model/antenna_pattern.h"

namespace lobrix {
namespace {

namespace fs = std::filesystem;

struct Case {
  std::string function;
  std::vector<std::string> args;
  std::vector<double> expected;
  double tolerance = 0;
};

bool ToNumber(const std::string& text, double& value) {
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return !text.empty() && end == text.c_str() + text.size() && std::isfinite(value);
}

// Splits "FUNCTION ARG... = EXPECTED... tol TOLERANCE ; SOURCE"; false when malformed.
bool ParseCase(const std::string& line, Case& c) {
  std::istringstream words(line.substr(0, line.find(';')));
  std::string word;
  if (!(words >> c.function)) return false;
  while (words >> word && word != "=") c.args.push_back(word);
  if (word != "=") return false;
  while (words >> word && word != "tol") {
    double value = 0;
    if (!ToNumber(word, value)) return false;
    c.expected.push_back(value);
  }
  if (word != "tol" || !(words >> word) || !ToNumber(word, c.tolerance)) return false;
  return !(words >> word) && !c.expected.empty() && c.tolerance >= 0;
}

float Angle(const std::string& text) {
  return std::strtof(text.c_str(), nullptr);
}
int Mode(const std::string& text) {
  return std::atoi(text.c_str());
}

// The model's values for one case; empty when the function or its argument count is unknown.
std::vector<double> Evaluate(const Case& c) {
  const auto& a = c.args;
  if (c.function == "ANT93" && a.size() == 3) {
    return {ANT93(a[0], Angle(a[1]), Mode(a[2]))};
  }
  if (c.function == "ANT3D" && a.size() == 7) {
    return {ANT3D(a[0], Angle(a[1]), Angle(a[2]), a[3], Angle(a[4]), Angle(a[5]), Mode(a[6]))};
  }
  if (c.function == "ToAntennaAngles" && a.size() == 4) {
    const AntennaAngles got = ToAntennaAngles(Angle(a[0]), Angle(a[1]), Angle(a[2]), Angle(a[3]));
    return {got.azimuth, got.elevation};
  }
  if (c.function == "CombinePlanes" && a.size() == 5) {
    return {CombinePlanes(a[0], Angle(a[1]), a[2], Angle(a[3]), Mode(a[4]))};
  }
  if (c.function == "PlaneIntegral" && a.size() == 2) {
    return {PlaneIntegral(a[0], a[1])};
  }
  if (c.function == "ZISKANTVA" && a.size() == 2) {
    return {ZISKANTVA(a[0], a[1])};
  }
  return {};
}

// Runs every case of one file; returns how many lines held a case.
int RunCaseFile(const fs::path& path) {
  std::ifstream in(path);
  if (!in) {
    ADD_FAILURE() << "cannot open " << path.string();
    return 0;
  }
  const std::string file = path.string();
  int cases = 0, number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    const auto first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos || line[first] == '#') continue;
    ++cases;
    Case c;
    if (!ParseCase(line, c)) {
      ADD_FAILURE_AT(file.c_str(), number) << "malformed case: " << line;
      continue;
    }
    const std::vector<double> got = Evaluate(c);
    if (got.size() != c.expected.size()) {
      ADD_FAILURE_AT(file.c_str(), number) << "unknown function or wrong argument count: " << line;
      continue;
    }
    for (size_t i = 0; i < got.size(); ++i) {
      const double error = std::fabs(got[i] - c.expected[i]);
      if (!(error <= c.tolerance)) {  // a NaN fails too
        ADD_FAILURE_AT(file.c_str(), number)
            << c.function << " gave " << got[i] << ", expected " << c.expected[i] << " +- "
            << c.tolerance << " (off by " << error << ")\n  " << line;
      }
    }
  }
  return cases;
}

std::vector<fs::path> CaseFiles() {
  std::vector<fs::path> files;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(LOBRIX_MODEL_CASES_DIR, error)) {
    if (entry.path().extension() == ".cases") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

class ModelCases : public testing::TestWithParam<fs::path> {};

TEST_P(ModelCases, EveryLineHolds) {
  EXPECT_GT(RunCaseFile(GetParam()), 10);
}

INSTANTIATE_TEST_SUITE_P(Files, ModelCases, testing::ValuesIn(CaseFiles()),
                         [](const testing::TestParamInfo<fs::path>& info) {
                           return info.param.stem().string();
                         });

// The four tables are there: a folder moved or a file renamed must not pass silently.
TEST(ModelCases, AllTablesAreFound) {
  std::vector<std::string> names;
  for (const fs::path& path : CaseFiles()) names.push_back(path.stem().string());
  EXPECT_EQ(names, (std::vector<std::string>{"ant3d", "ant93", "frame", "gain"}))
      << "in " << LOBRIX_MODEL_CASES_DIR;
}

}  // namespace
}  // namespace lobrix
