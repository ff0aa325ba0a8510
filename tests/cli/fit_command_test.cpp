// lobrix fit and lobrix convert --fit: reading a plane of numbers, and the best-fit codes
// found for planes made from known codes at known directions (attenuations computed with
// ANT93 and written with six decimals), so the expected codes and directions are the ones the
// planes were made from.
#include "cli/fit_command.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/convert_command.h"
#include "model/antenna_pattern.h"
#include "tests/cli/cli_test_support.h"

namespace lobrix::cli {
namespace {

namespace fs = std::filesystem;

CommandRun Fit(std::vector<std::string> words, const std::string& input) {
  std::istringstream in(input);
  std::ostringstream out, err;
  const int status = RunFitCommand(Args(words.begin(), words.end()), in, out, err);
  return {status, out.str(), err.str()};
}

CommandRun Convert(std::vector<std::string> words) {
  std::ostringstream out, err;
  const int status = RunConvertCommand(Args(words.begin(), words.end()), out, err);
  return {status, out.str(), err.str()};
}

// The attenuation of `code` with its maximum at `direction`, at whole degree i.
float Attenuation(const std::string& code, float direction, int i) {
  float d = static_cast<float>(i) - direction;
  while (d < -180) d += 360;
  while (d > 180) d -= 360;
  return ANT93(code, d, 2);
}

// "angle<separator>attenuation" lines of a code at a direction, `offset` dB added to each.
std::string PairLines(const std::string& code, float direction, const char* separator,
                      float offset = 0) {
  std::string lines;
  char line[64];
  for (int i = 0; i < 360; ++i) {
    std::snprintf(line, sizeof line, "%d%s%.6f\n", i, separator,
                  static_cast<double>(Attenuation(code, direction, i) + offset));
    lines += line;
  }
  return lines;
}

std::optional<std::array<float, 360>> Read(const std::string& text, std::string& error) {
  std::istringstream in(text);
  return ReadPlaneAttenuations(in, error);
}

TEST(ReadPlaneAttenuations, PairsPlainLinesHeaderAndNormalisation) {
  std::string error;
  // A header, a comment, blanks around the fields, negative angles taken round the circle,
  // and every value 3 dB too high: the smallest becomes 0.
  std::string text = "angle;attenuation\n# measured\n";
  for (int i = 0; i < 360; ++i) {
    text +=
        " " + std::to_string(i < 180 ? i : i - 360) + " ; " + std::to_string(3 + i % 7) + "\r\n";
  }
  auto plane = Read(text, error);
  ASSERT_TRUE(plane) << error;
  EXPECT_EQ((*plane)[0], 0.0f);
  EXPECT_EQ((*plane)[6], 6.0f);
  EXPECT_EQ((*plane)[359], static_cast<float>(359 % 7));  // given as -1

  std::string plain;
  for (int i = 0; i < 360; ++i) plain += std::to_string(i % 5) + "\n";
  plane = Read(plain, error);
  ASSERT_TRUE(plane) << error;
  EXPECT_EQ((*plane)[4], 4.0f);
  EXPECT_EQ((*plane)[359], 4.0f);
}

TEST(ReadPlaneAttenuations, IncompleteOrMalformedPlanesAreRefusedWithTheLine) {
  const std::string pairs = PairLines("030EA10", 0, ",");
  std::string error;
  struct Case {
    std::string text, message;
  };
  const std::vector<Case> cases = {
      {pairs + "360,1\n", "line 361: a second attenuation at 0 degrees"},
      {pairs.substr(pairs.find('\n') + 1), "no attenuation at 0 degrees"},
      {"1,0\n2\n", "line 2: lines of one number and of angle,attenuation mixed"},
      {"0.5,1\n", "no attenuation at 0 degrees"},
      {"361,1\n", "line 1: the angle must be from -360 to 360 degrees"},
      {"0,1\n0.004,2\n", "line 2: a second attenuation at 0 degrees"},
      {"0,1\n1,x\n", "line 2: '1,x' is no number"},
      {"0,1,2\n", "line 1: more than an angle and an attenuation"},
      {"0,nan\n", "line 1: '0,nan' is no number"},
      {"",
       "0 attenuations, not one for each step of a constant step that divides 360 (360, 72 "
       "for 5 degrees, 720 for 0.5 ...)"},
      // A line without an end (fit /dev/zero) is refused at 1 MiB, not read on for ever.
      {"0,1\n" + std::string(3 << 20, '\0'), "line 2: longer than 1048576 bytes"},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(Read(c.text, error)) << c.message;
    EXPECT_EQ(error, c.message);
  }
  // One line short of a whole circle, or one too many, is no constant step.
  for (int count : {359, 361, 7}) {
    std::string plain;
    for (int i = 0; i < count; ++i) plain += "1\n";
    EXPECT_FALSE(Read(plain, error));
    EXPECT_TRUE(error.starts_with(std::to_string(count) + " attenuations, not one for each step"))
        << error;
  }
  std::string many;
  for (int i = 0; i < 36001; ++i) many += "1\n";
  EXPECT_FALSE(Read(many, error));
  EXPECT_EQ(error, "line 36001: more than 36000 attenuations");
}

// A smooth plane in dB: 0 at 0 degrees, 40 behind.
double Smooth(double degrees) {
  return 20 * (1 - std::cos(degrees * 3.14159265358979 / 180));
}

// Other constant steps are resampled to whole degrees as the pattern files are: the straight
// line in dB between neighbouring rows, round the circle (computed here on the rows).
TEST(ReadPlaneAttenuations, OtherStepsAreResampledAsPatternFilesAre) {
  struct Case {
    double step;
    bool pairs;
    int firstAngle;  // pairs may start anywhere round the circle
  };
  for (const Case c : {Case{10, true, -180}, Case{5, false, 0}, Case{0.5, true, 0},
                       Case{2, true, -90}, Case{45, false, 0}}) {
    const int n = static_cast<int>(std::lround(360 / c.step));
    std::vector<double> rows(static_cast<std::size_t>(n));
    std::string text;
    char line[64];
    for (int k = 0; k < n; ++k)
      rows[static_cast<std::size_t>(k)] = std::round(Smooth(k * c.step) * 1e4) / 1e4 + 2;
    for (int k = 0; k < n; ++k) {
      const double angle = c.firstAngle + k * c.step;
      const int row = ((static_cast<int>(std::lround(angle / c.step)) % n) + n) % n;
      if (c.pairs)
        std::snprintf(line, sizeof line, "%g,%.4f\n", angle, rows[static_cast<std::size_t>(row)]);
      else
        std::snprintf(line, sizeof line, "%.4f\n", rows[static_cast<std::size_t>(k)]);
      text += line;
    }
    std::string error;
    const auto plane = Read(text, error);
    ASSERT_TRUE(plane) << c.step << ": " << error;
    for (int d = 0; d < 360; ++d) {
      const double below = std::floor(d / c.step + 1e-9) * c.step;
      const auto at = static_cast<std::size_t>(std::lround(below / c.step)) % rows.size();
      const double t = (d - below) / c.step;
      const double expected = rows[at] + (rows[(at + 1) % rows.size()] - rows[at]) * t - 2;
      EXPECT_NEAR((*plane)[static_cast<std::size_t>(d)], expected, 1e-4) << c.step << " at " << d;
    }
  }
  std::string error;
  std::string tens;
  for (int a = 0; a < 360; a += 10)
    if (a != 120) tens += std::to_string(a) + ",1\n";
  EXPECT_FALSE(Read(tens, error));
  EXPECT_EQ(error, "no attenuation at 120 degrees");
  EXPECT_FALSE(Read(tens + "120,1\n125,1\n", error));
  EXPECT_EQ(error, "an attenuation at 125 degrees, off the step of 10 degrees");
  EXPECT_FALSE(Read("0,1\n7,1\n14,1\n", error));
  EXPECT_EQ(error, "the angles go up by 7 degrees, a step that does not divide 360");
}

TEST(FitCommand, KnownCodeComesBackAtItsTenthDegreeDirection) {
  // Given as unnormalised attenuations (5 dB added): shifted back before the search.
  const CommandRun run = Fit({"--json"}, PairLines("030EA10", 123.4f, ",", 5));
  ASSERT_EQ(run.status, 0) << run.err;
  const nlohmann::json records = nlohmann::json::parse(run.out);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0]["fit"], "db");
  EXPECT_EQ(records[0]["code"], "030EA10");
  EXPECT_DOUBLE_EQ(records[0]["azimax"].get<double>(), 123.4);
  EXPECT_LT(records[0]["rms_db"].get<double>(), 0.01);
  EXPECT_TRUE(records[0]["envelope_holds"].get<bool>());

  // A vertical plane's direction is EleMax, as convert gives it: a maximum at 350.7 degrees
  // of the plane is 9.3 degrees up.
  const CommandRun table =
      Fit({"--vertical", "--fit", "envelope"}, PairLines("010EB00", 350.7f, "\t"));
  ASSERT_EQ(table.status, 0) << table.err;
  EXPECT_TRUE(table.out.starts_with("fit       code        EleMax")) << table.out;
  EXPECT_NE(table.out.find("envelope  010EB00        9.3"), std::string::npos) << table.out;
  const CommandRun json = Fit({"--vertical", "--json"}, PairLines("010EB00", 3.5f, ","));
  EXPECT_DOUBLE_EQ(nlohmann::json::parse(json.out).at(0)["elemax"].get<double>(), -3.5);
}

// The real file's horizontal plane given as numbers: the fit keeps its code's maximum within
// the tolerance of the plane's own maximum (0.5 degrees: the top two rows are equal).
TEST(FitCommand, FitsStayNearThePlanesMaximum) {
  std::ifstream file(std::string(LOBRIX_TEST_DATA) + "/msi/80010465_0791_x_co.msi");
  std::string line, plane;
  bool horizontal = false;
  while (std::getline(file, line)) {
    if (line.starts_with("HORIZONTAL")) horizontal = true;
    if (line.starts_with("VERTICAL")) break;
    double angle = 0, db = 0;
    if (horizontal && std::sscanf(line.c_str(), "%lf %lf", &angle, &db) == 2)
      plane += std::to_string(angle) + "," + std::to_string(db) + "\n";
  }
  for (const char* tolerance : {"5", "1.5"}) {
    const CommandRun run = Fit({"--json", "--direction-tolerance", tolerance}, plane);
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json fit = nlohmann::json::parse(run.out).at(0);
    EXPECT_EQ(fit["lobrix_version"], LOBRIX_EXPECTED_VERSION);
    const double azimax = fit["azimax"];
    bool near = false;
    for (int t = 0; t < 3600; ++t) {
      const float field = ANT93(fit["code"].get<std::string>(),
                                static_cast<float>(std::remainder(t / 10.0, 360.0)), 0);
      if (field >= 1.0f - 1e-6f)
        near = near || std::fabs(std::remainder(azimax + t / 10.0 - 0.5, 360.0)) <=
                           std::stod(tolerance) + 0.051;
    }
    EXPECT_TRUE(near) << fit;
  }
  const CommandRun wrong = Fit({"--direction-tolerance", "181"}, plane);
  EXPECT_EQ(wrong.status, 2);
  EXPECT_EQ(wrong.err,
            "lobrix: fit: --direction-tolerance must be a number of degrees from 0 to 180, not "
            "'181'\n");
}

TEST(FitCommand, WrongArgumentsAndInputExitWithTwo) {
  const std::string plane = PairLines("000ND00", 0, ",");
  CommandRun run = Fit({"--fit", "classic"}, plane);
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "lobrix: fit: unknown --fit 'classic' (db, field, envelope or all)\n");
  run = Fit({"--threads", "0"}, plane);
  EXPECT_EQ(run.status, 2);
  run = Fit({}, "1\n2\n3\n4\n5\n6\n7\n");
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(run.err.starts_with("lobrix: fit: standard input: 7 attenuations, not one for"))
      << run.err;
  run = Fit({"/nonexistent/plane.csv"}, "");
  EXPECT_EQ(run.err, "lobrix: fit: /nonexistent/plane.csv: cannot be read\n");
  EXPECT_EQ(run.out, "");
}

// A pattern file of two planes, each a code at a direction.
fs::path WritePatternFile(const std::string& name, const std::string& hCode, float azimuth,
                          const std::string& vCode, float tilt) {
  const fs::path folder = fs::path(::testing::TempDir()) / "lobrix_fit";
  fs::create_directories(folder);
  std::string text = "NAME " + name + "\r\nFREQUENCY 900\r\nGAIN 15.0 dBd\r\nHORIZONTAL 360\r\n";
  char line[64];
  for (int plane = 0; plane < 2; ++plane) {
    if (plane == 1) text += "VERTICAL 360\r\n";
    for (int i = 0; i < 360; ++i) {
      const float db = plane == 0 ? Attenuation(hCode, azimuth, i) : Attenuation(vCode, tilt, i);
      std::snprintf(line, sizeof line, "%d.0 %.6f\r\n", i, static_cast<double>(db));
      text += line;
    }
  }
  const fs::path path = folder / (name + ".msi");
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

TEST(ConvertFit, DbFitFindsTheTenthDegreeDirectionsTheClassicRounds) {
  const std::string path = WritePatternFile("tenths", "045EA10", 45.3f, "020EB00", 3.6f).string();
  const CommandRun run = Convert({path, "--json", "--fit", "db"});
  ASSERT_EQ(run.status, 0) << run.err;
  const nlohmann::json record = nlohmann::json::parse(run.out).at(0);
  ASSERT_EQ(record["fits"].size(), 1u);
  const nlohmann::json& fit = record["fits"][0];
  EXPECT_EQ(fit["fit"], "db");
  EXPECT_EQ(fit["horizontal"]["code"], "045EA10");
  EXPECT_DOUBLE_EQ(fit["horizontal"]["azimax"].get<double>(), 45.3);
  EXPECT_LT(fit["horizontal"]["rms_db"].get<double>(), 0.01);
  EXPECT_EQ(fit["vertical"]["code"], "020EB00");
  // A tilt v of 3.6 degrees is an elevation of -3.6.
  EXPECT_DOUBLE_EQ(fit["vertical"]["elemax"].get<double>(), -3.6);
  EXPECT_LT(fit["vertical"]["rms_db"].get<double>(), 0.01);
}

TEST(ConvertFit, ClassicFiguresInTableAndCsvAndWrongChoiceRefused) {
  const std::string path = WritePatternFile("whole", "030EA10", 90, "000ND00", 0).string();
  const CommandRun csv = Convert({path, "--csv", "--fit", "classic"});
  ASSERT_EQ(csv.status, 0) << csv.err;
  std::istringstream lines(csv.out);
  std::string header, record;
  std::getline(lines, header);
  std::getline(lines, record);
  EXPECT_TRUE(header.ends_with(
      ",fit,h_error,h_rms_db,h_largest_db,h_largest_angle,v_error,v_rms_db,v_largest_db,"
      "v_largest_angle"))
      << header;
  // The code at a whole degree: the classic conversion finds it, with no difference.
  EXPECT_NE(record.find(",030EA10,90.0,000ND00,0.0,lenient,converted,,classic,"), std::string::npos)
      << record;
  EXPECT_NE(record.find(",0.00,"), std::string::npos) << record;

  const CommandRun table = Convert({path, "--fit", "classic"});
  ASSERT_EQ(table.status, 0) << table.err;
  for (const char* column : {"fit", "H rms dB", "H largest", "V rms dB", "V largest"}) {
    EXPECT_NE(table.out.find(column), std::string::npos) << column;
  }
  EXPECT_NE(table.out.find("classic  030EA10"), std::string::npos) << table.out;

  const std::string page = (fs::path(::testing::TempDir()) / "lobrix_fit" / "fit.html").string();
  const CommandRun report = Convert({path, "--fit", "classic", "--report", page});
  ASSERT_EQ(report.status, 0) << report.err;
  std::ifstream html(page);
  const std::string text((std::istreambuf_iterator<char>(html)), std::istreambuf_iterator<char>());
  // The fit's name after its colour in the pictures.
  EXPECT_NE(text.find("</span>classic</td><td>030EA10, AziMax 90.0\u00B0</td><td>0.00</td>"),
            std::string::npos);

  const CommandRun wrong = Convert({path, "--fit", "best"});
  EXPECT_EQ(wrong.status, 2);
  EXPECT_EQ(wrong.err,
            "lobrix: convert: unknown --fit 'best' (classic, db, field, envelope or all)\n");
}

}  // namespace
}  // namespace lobrix::cli
