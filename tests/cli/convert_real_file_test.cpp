// lobrix convert on the real measured file: a folder of the same antenna in other writers'
// layouts, the warnings on a poor classic result, and best fits that keep to the classic
// directions.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "best_fit/best_fit.h"
#include "cli/convert_command.h"
#include "model/antenna_pattern.h"
#include "pattern_files/lenient_reader.h"
#include "tests/cli/convert_test_files.h"

namespace lobrix::cli {
namespace {

namespace fs = std::filesystem;

// The real file's planes every 10 degrees as gains, as another maker's export writes them.
std::string RealPlanesAsGainsEvery10Degrees() {
  std::ifstream file(kRealFile, std::ios::binary);
  std::string line, text;
  int block = -1;
  while (std::getline(file, line)) {
    if (line.starts_with("HORIZONTAL") || line.starts_with("VERTICAL")) {
      text += line.starts_with("H") ? "HORIZONTAL\n" : "VERTICAL\n";
      block = 0;
      continue;
    }
    double angle = 0, db = 0;
    if (block >= 0 && std::sscanf(line.c_str(), "%lf %lf", &angle, &db) == 2 &&
        static_cast<int>(angle) % 10 == 0) {
      char row[64];
      std::snprintf(row, sizeof row, "%d\t%.2f\n", static_cast<int>(angle), -db);
      text += row;
    }
  }
  return text;
}

// A folder as a user has it: the real file, the same antenna in the layouts of other writers
// (a .pln with dBi and header values no reader can take, a .txt export of gains every 10
// degrees), a README and an image: every pattern file converts, the rest is passed over.
TEST(ConvertCommand, FolderOfSeveralLayoutsBesideAReadmeAndAnImageConvertsWhole) {
  const fs::path folder = TestFolder();
  fs::copy_file(kRealFile, folder / "80010465.msi");
  std::ifstream real(kRealFile, std::ios::binary);
  const std::string realText((std::istreambuf_iterator<char>(real)), {});
  const std::string rows = realText.substr(realText.find("HORIZONTAL"));
  WriteFile(folder / "80010465.pln",
            "NAME 80010465\nMAKE Kathrein\nFREQUENCY 791 MHz\nH_WIDTH 65 deg\nV_WIDTH n/a\n"
            "FRONT_TO_BACK >25\nGAIN 5.2 dBi\nTILT fixed\nPOLARIZATION X-pol +45\n"
            "COMMENT from the .msi\n" +
                rows);
  WriteFile(folder / "80010465_export.txt",
            "NAME 80010465 export\nFREQUENCY 0.791 GHz\n"
            "GAIN 3.1\nTILT electrical\n" +
                RealPlanesAsGainsEvery10Degrees());
  WriteFile(folder / "README.md", "# 80010465\nMeasured at 791 MHz.\n");
  WriteFile(folder / "photo.jpg", std::string("\xFF\xD8\xFF\xE0\0\x10JFIF", 10));
  const CommandRun run = Convert({folder.string(), "--json"});
  ASSERT_EQ(run.status, 0) << run.err;
  const nlohmann::json records = nlohmann::json::parse(run.out);
  ASSERT_EQ(records.size(), 3u);
  const nlohmann::json& msi = records[0];
  const nlohmann::json& pln = records[1];
  EXPECT_EQ(msi["reading"], "Kathrein");
  // The same measurement: the same codes and directions.
  for (const char* field : {"horizontal", "azimax", "vertical", "elemax", "frequency_mhz"})
    EXPECT_EQ(pln[field], msi[field]) << field;
  EXPECT_EQ(pln["gain_dbi"], 5.2);
  EXPECT_EQ(pln["header"]["make"], "Kathrein");
  EXPECT_EQ(pln["header"]["h_width"], 65.0);
  const nlohmann::json& unread = pln["header"]["unread"];
  ASSERT_EQ(unread.size(), 3u);
  EXPECT_EQ(unread[0]["keyword"], "V_WIDTH");
  EXPECT_EQ(unread[1]["text"], ">25");
  EXPECT_EQ(unread[2]["keyword"], "TILT");
  EXPECT_EQ(unread[2]["text"], "fixed");
  EXPECT_EQ(unread[2]["line"], 8);
  EXPECT_NE(std::find(pln["notes"].begin(), pln["notes"].end(),
                      "line 8: \"TILT fixed\" kept as text: no tilt (a number, or MECHANICAL or "
                      "ELECTRICAL with a number)"),
            pln["notes"].end())
      << pln["notes"];
  const nlohmann::json& txt = records[2];
  EXPECT_EQ(txt["frequency_mhz"], 791.0);
  EXPECT_EQ(txt["reading"], "lenient");
  EXPECT_EQ(txt["notes"][0], "horizontal: gains turned into attenuations");
}

// One plane of the real file, read as convert reads it.
PatternColumn RealPlane(int plane) {
  const PatternFileResult read = ReadPatternPath(kRealFile);
  EXPECT_TRUE(read.read) << read.error;
  return read.file.pattern.measured[static_cast<std::size_t>(plane)];
}

// Whether one of the code's maxima (found from its own ANT93 curve) lies within `tolerance`
// degrees of `direction`, both as angles of the measured column.
bool MaximumNear(const std::string& code, double at, double direction, double tolerance) {
  for (int t = 0; t < 3600; ++t) {
    const float field =
        ANT93(code, static_cast<float>(std::remainder(t / 10.0, 360.0)), kRelativeField);
    if (field < 1.0f - 1e-6f) continue;
    if (std::fabs(std::remainder(at + t / 10.0 - direction, 360.0)) <= tolerance + 0.051)
      return true;
  }
  return false;
}

// The real file's classic vertical code is 3.5 dB RMS worse than the best db fit within 5
// degrees of its EleMax: a warning in the JSON, a mark and a line in the table. The figures
// are checked here against the measured plane.
TEST(ConvertCommand, PoorClassicResultsAreWarnedAbout) {
  const CommandRun json = Convert({kRealFile, "--json"});
  ASSERT_EQ(json.status, 0) << json.err;
  const nlohmann::json record = nlohmann::json::parse(json.out).at(0);
  ASSERT_EQ(record["warnings"].size(), 1u) << record;
  const std::string warning = record["warnings"][0];
  const std::string start = "vertical: the classic code 025EC00 is ";
  ASSERT_TRUE(warning.starts_with(start)) << warning;
  ASSERT_TRUE(warning.ends_with("°; consider --fit db")) << warning;
  double worse = 0, eleMax = 0;
  char code[8] = {};
  ASSERT_EQ(std::sscanf(warning.c_str() + start.size(), "%lf dB RMS worse than %7s at %lf", &worse,
                        code, &eleMax),
            3)
      << warning;
  const PatternColumn vertical = RealPlane(1);
  const double classic = ScoreFit(vertical, "025EC00", 2.6f, FitCriterion::kDb).rmsDb;
  const double fitted =
      ScoreFit(vertical, code, static_cast<float>(-eleMax), FitCriterion::kDb).rmsDb;
  EXPECT_GT(classic - fitted, 3.0);
  EXPECT_NEAR(classic - fitted, worse, 0.051);
  EXPECT_TRUE(MaximumNear(code, -eleMax, 2.6, 5.0)) << code << " at EleMax " << eleMax;

  const CommandRun table = Convert({kRealFile});
  EXPECT_NE(table.out.find("  025EC00 !  "), std::string::npos) << table.out;
  EXPECT_NE(table.out.find("\n! " + kRealFile + ": " + warning + "\n"), std::string::npos)
      << table.out;
  // A file whose planes are codes' own curves has none.
  const fs::path folder = TestFolder();
  WriteFile(folder / "a.msi", MsiText("a", {"030EA10", 45}, {"030EA10", 2}));
  const CommandRun clean = Convert({(folder / "a.msi").string(), "--json"});
  EXPECT_EQ(nlohmann::json::parse(clean.out).at(0)["warnings"], nlohmann::json::array());
}

// Every best fit of the real file keeps one of its code's maxima within 5 degrees of the
// classic direction of its plane (the db fit round the circle put the horizontal one at
// 282 degrees for a maximum at 4), and the db fit is never worse than the classic code.
TEST(ConvertCommand, BestFitsStayNearTheClassicDirections) {
  const CommandRun run = Convert({kRealFile, "--json", "--fit", "all"});
  ASSERT_EQ(run.status, 0) << run.err;
  const nlohmann::json record = nlohmann::json::parse(run.out).at(0);
  const nlohmann::json& fits = record["fits"];
  ASSERT_EQ(fits.size(), 4u);
  const double aziMax = record["azimax"], eleMax = record["elemax"];
  for (const char* plane : {"horizontal", "vertical"}) {
    const bool v = std::string(plane) == "vertical";
    const double classicRms = fits[0][plane]["rms_db"];
    for (std::size_t f = 1; f < fits.size(); ++f) {
      const nlohmann::json& fit = fits[f][plane];
      if (fit.is_null()) continue;  // no envelope fit qualifies
      const double direction = v ? -fit["elemax"].get<double>() : fit["azimax"].get<double>();
      EXPECT_TRUE(MaximumNear(fit["code"], direction, v ? -eleMax : aziMax, 5.0))
          << fits[f]["fit"] << " " << plane << ": " << fit;
    }
    EXPECT_LE(fits[1][plane]["rms_db"].get<double>(), classicRms) << plane;
  }
  // The warning names the db fit that was shown.
  ASSERT_EQ(record["warnings"].size(), 1u);
  EXPECT_NE(
      record["warnings"][0].get<std::string>().find(fits[1]["vertical"]["code"].get<std::string>()),
      std::string::npos);
}

}  // namespace
}  // namespace lobrix::cli
