// lobrix convert: the three output forms, failures with their reasons, the folder search, the
// order of the results over several threads, the pictures, and wrong arguments.
//
// The generated files hold the attenuation of a known code at a known azimuth (computed with
// ANT93 and written with six decimals): the conversion finds that code and azimuth again, so
// the expected values are the ones the files were made from.
#include "cli/convert_command.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "best_fit/best_fit.h"
#include "model/antenna_pattern.h"
#include "pattern_files/lenient_reader.h"
#include "render/conversion_views.h"

namespace lobrix::cli {
namespace {

namespace fs = std::filesystem;

struct ConvertRun {
  int status;
  std::string out, err;
};

ConvertRun Convert(const Args& args) {
  std::ostringstream out, err;
  const int status = RunConvertCommand(args, out, err);
  return {status, out.str(), err.str()};
}

ConvertRun Convert(std::initializer_list<std::string> words) {
  const std::vector<std::string> kept(words);
  return Convert(Args(kept.begin(), kept.end()));
}

// One plane of a generated file: a code with its maximum at `angle` degrees of the column;
// an empty code is a flat plane (0 dB everywhere).
struct Plane {
  std::string code;
  float angle = 0;
};

std::string PairLines(const Plane& plane) {
  std::string lines;
  char line[64];
  for (int i = 0; i < 360; ++i) {
    float d = static_cast<float>(i) - plane.angle;
    if (d < -180) d += 360;
    if (d > 180) d -= 360;
    const float db = plane.code.empty() ? 0.0f : ANT93(plane.code, d, kDecibel);
    std::snprintf(line, sizeof line, "%d.0 %.6f\r\n", i, static_cast<double>(db));
    lines += line;
  }
  return lines;
}

std::string MsiText(const std::string& name, const Plane& horizontal, const Plane& vertical) {
  return "NAME " + name + "\r\nFREQUENCY 900\r\nGAIN 15.0 dBd\r\nTILT ELECTRICAL\r\n" +
         "COMMENT generated\r\nHORIZONTAL 360\r\n" + PairLines(horizontal) + "VERTICAL 360\r\n" +
         PairLines(vertical);
}

void WriteFile(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

// A fresh, empty folder for one test.
fs::path TestFolder() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  const fs::path folder = fs::path(::testing::TempDir()) / "lobrix_convert" /
                          (std::string(info->test_suite_name()) + "." + info->name());
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder;
}

const std::string kRealFile = std::string(LOBRIX_TEST_DATA) + "/msi/80010465_0791_x_co.msi";

TEST(ConvertCommand, TableCsvAndJsonOfGeneratedFiles) {
  const fs::path folder = TestFolder();
  // A comma, a quote and a code page 1250 letter (0xE8, c with caron) in the antenna name.
  WriteFile(folder / "a.msi", MsiText("Panel, \"wide\" \xE8", {"030EA10", 45}, {"030EA10", 2}));
  WriteFile(folder / "b.msi", MsiText("Omni", {"", 0}, {"030EA10", 358}));
  const std::string a = (folder / "a.msi").string(), b = (folder / "b.msi").string();

  const ConvertRun csv = Convert({a, b, "--csv"});
  EXPECT_EQ(csv.status, 0) << csv.err;
  EXPECT_EQ(csv.err, "");
  EXPECT_EQ(
      csv.out,
      "path,antenna,frequency_mhz,gain_dbi,horizontal,azimax,vertical,elemax,reading,status,"
      "reason\n" +
          a +
          ",\"Panel, \"\"wide\"\" č\",900.0,17.1,030EA10,45.0,030EA10,-2.0,Kathrein,converted,\n" +
          b + ",Omni,900.0,17.1,000ND00,0.0,030EA10,2.0,Kathrein,converted,\n");

  WriteFile(folder / "c.msi", MsiText("Flat", {"", 0}, {"", 0}));
  const ConvertRun json = Convert({"--json", a, b, (folder / "c.msi").string()});
  ASSERT_EQ(json.status, 0) << json.err;
  const nlohmann::json records = nlohmann::json::parse(json.out);
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0]["path"], a);
  EXPECT_EQ(records[0]["antenna"], "Panel, \"wide\" č");
  EXPECT_EQ(records[0]["frequency_mhz"], 900.0);
  EXPECT_EQ(records[0]["gain_dbi"], 17.1);
  EXPECT_EQ(records[0]["horizontal"], "030EA10");
  EXPECT_EQ(records[0]["azimax"], 45.0);
  EXPECT_EQ(records[0]["vertical"], "030EA10");
  EXPECT_EQ(records[0]["elemax"], -2.0);
  EXPECT_EQ(records[0]["status"], "converted");
  EXPECT_TRUE(records[0]["reason"].is_null());
  EXPECT_EQ(records[0]["lobrix_version"], LOBRIX_EXPECTED_VERSION);
  EXPECT_EQ(records[1]["horizontal"], "000ND00");
  EXPECT_EQ(records[1]["elemax"], 2.0);
  // A flat vertical plane's elevation is 0, never printed as -0.
  EXPECT_EQ(records[2]["vertical"], "000ND00");
  EXPECT_EQ(json.out.find("-0.0"), std::string::npos);

  const ConvertRun table = Convert({a, b});
  EXPECT_EQ(table.status, 0);
  std::istringstream lines(table.out);
  std::string header, first, second;
  std::getline(lines, header);
  std::getline(lines, first);
  std::getline(lines, second);
  EXPECT_TRUE(header.starts_with("path")) << header;
  for (const char* column : {"antenna", "MHz", "dBi", "horizontal", "AziMax", "vertical"}) {
    EXPECT_NE(header.find(column), std::string::npos) << column;
  }
  EXPECT_TRUE(header.ends_with("EleMax  reading"));
  // Right-aligned numbers end under their headings.
  EXPECT_TRUE(first.ends_with("-2.0  Kathrein")) << first;
  EXPECT_EQ(first.size() - std::string("č").size() + 1, header.size() + 1) << first;
  EXPECT_NE(first.find("030EA10  "), std::string::npos) << first;
  EXPECT_NE(second.find("000ND00"), std::string::npos) << second;
}

TEST(ConvertCommand, RealFileGivesItsHeaderAndValidCodes) {
  const ConvertRun run = Convert({"--json", kRealFile});
  ASSERT_EQ(run.status, 0) << run.err;
  const nlohmann::json record = nlohmann::json::parse(run.out).at(0);
  // The file's header: NAME 80010465, FREQUENCY 791, GAIN 3.10 dBd (+ 2.1 = 5.2 dBi).
  EXPECT_EQ(record["antenna"], "80010465");
  EXPECT_EQ(record["frequency_mhz"], 791.0);
  EXPECT_EQ(record["gain_dbi"], 5.2);
  EXPECT_EQ(VERANT(record["horizontal"].get<std::string>()), 1);
  EXPECT_EQ(VERANT(record["vertical"].get<std::string>()), 1);
  EXPECT_GE(record["azimax"].get<double>(), 0.0);
  EXPECT_LT(record["azimax"].get<double>(), 360.0);
  EXPECT_LE(std::fabs(record["elemax"].get<double>()), 180.0);
}

TEST(ConvertCommand, FailedFilesAreReportedAndTheBatchGoesOn) {
  const fs::path folder = TestFolder();
  const std::string good = (folder / "good.msi").string();
  const std::string foreign = (folder / "foreign.msi").string();
  const std::string cut = (folder / "cut.msi").string();
  const std::string missing = (folder / "missing.msi").string();
  WriteFile(good, MsiText("Good", {"030EA10", 45}, {"030EA10", 2}));
  WriteFile(foreign, "ANTENNA NAME x\r\nFREQUENCY 900\r\n");
  const std::string whole = MsiText("Cut", {"030EA10", 45}, {"030EA10", 2});
  WriteFile(cut, whole.substr(0, whole.find("100.0 ")));  // ends inside the horizontal block

  const ConvertRun run = Convert({foreign, good, cut, missing, "--json", "--strict"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err,
            "lobrix: convert: " + foreign +
                ": Selected file  isn't  Kathrein antenna file  !!\n"
                "lobrix: convert: " +
                cut +
                ": Selected file is shorter than Kathrein antenna file  !!\n"
                "lobrix: convert: " +
                missing +
                ": Selected file  isn't  Kathrein antenna file  !! (cannot be read: No such file "
                "or directory)\n");
  const nlohmann::json records = nlohmann::json::parse(run.out);
  ASSERT_EQ(records.size(), 4u);
  EXPECT_EQ(records[0]["status"], "failed");
  EXPECT_EQ(records[0]["reason"], "Selected file  isn't  Kathrein antenna file  !!");
  EXPECT_TRUE(records[0]["horizontal"].is_null());
  EXPECT_EQ(records[1]["status"], "converted");
  EXPECT_EQ(records[1]["horizontal"], "030EA10");
  EXPECT_EQ(records[2]["reason"], "Selected file is shorter than Kathrein antenna file  !!");
  EXPECT_EQ(records[3]["path"], missing);

  const ConvertRun czech = Convert({"--czech", "--csv", "--strict", cut});
  EXPECT_EQ(czech.status, 1);
  EXPECT_EQ(czech.err,
            "lobrix: convert: " + cut + ": Vybraný soubor  je kratší,  než by měl být  !!\n");
  EXPECT_NE(czech.out.find(",failed,"), std::string::npos) << czech.out;

  const ConvertRun table = Convert({foreign, "--strict"});
  EXPECT_NE(table.out.find(foreign + "  failed: Selected file  isn't"), std::string::npos)
      << table.out;

  // Read leniently (the default), the rejections name the line and what was expected there.
  const ConvertRun lenient = Convert({foreign, good, cut, missing});
  EXPECT_EQ(lenient.status, 1);
  EXPECT_EQ(lenient.err, "lobrix: convert: " + foreign +
                             ": line 3: expected a block before the end of the file: HORIZONTAL\n"
                             "lobrix: convert: " +
                             cut + ": line 107: expected the angle 100\n" + "lobrix: convert: " +
                             missing + ": cannot be read: No such file or directory\n");
}

// The path of each record of a CSV output.
std::vector<std::string> CsvPaths(const std::string& csv) {
  std::vector<std::string> paths;
  std::istringstream lines(csv);
  std::string line;
  std::getline(lines, line);
  while (std::getline(lines, line)) paths.push_back(line.substr(0, line.find(',')));
  return paths;
}

TEST(ConvertCommand, FoldersAreSearchedForPatternFilesByNameOrFirstLine) {
  const fs::path folder = TestFolder();
  const std::string text = MsiText("x", {"030EA10", 45}, {"030EA10", 2});
  // By name, whatever the first line; by the first line, whatever the name: a byte-order
  // mark, blank lines and a keyword in any letter case before it.
  for (const char* name : {"c.MSI", "a.msi", "sub/b.Msi", "sub/deeper/d.mSi", "p.PLN", "q.pln"})
    WriteFile(folder / name, text);
  WriteFile(folder / "export.txt", "\xEF\xBB\xBF\r\n  \t\r\n  frequency 900\r\n" + text);
  WriteFile(folder / "sub/noname", "HORIZONTAL 360\n");  // read, and rejected: no rows
  // Passed over: other names whose first line is no keyword, an empty file, an image.
  WriteFile(folder / "README.md", "# Patterns\nNAME of each file is the antenna\n");
  WriteFile(folder / "e.msi.bak", "backup of\n" + text);
  WriteFile(folder / "sub/g.ms", "NAMES x\n");
  WriteFile(folder / "empty.txt", "");
  WriteFile(folder / "image.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
  fs::create_directories(folder / "empty");
  const ConvertRun run = Convert({folder.string(), "--csv"});
  EXPECT_EQ(run.status, 1) << run.err;
  const std::vector<std::string> expected = {(folder / "a.msi").string(),
                                             (folder / "c.MSI").string(),
                                             (folder / "export.txt").string(),
                                             (folder / "p.PLN").string(),
                                             (folder / "q.pln").string(),
                                             (folder / "sub/b.Msi").string(),
                                             (folder / "sub/deeper/d.mSi").string(),
                                             (folder / "sub/noname").string()};
  EXPECT_EQ(CsvPaths(run.out), expected);
  EXPECT_EQ(run.err, "lobrix: convert: " + (folder / "sub/noname").string() +
                         ": line 2: expected the angle 0\n");

  const ConvertRun empty = Convert({(folder / "empty").string()});
  EXPECT_EQ(empty.status, 1);
  EXPECT_EQ(empty.err, "lobrix: convert: " + (folder / "empty").string() +
                           ": no pattern files in the folder\n");
  // A file named on the command line is read whatever its name and first line.
  const ConvertRun named = Convert({(folder / "e.msi.bak").string(), "--csv"});
  EXPECT_EQ(named.status, 0) << named.err;
  EXPECT_EQ(CsvPaths(named.out), std::vector<std::string>{(folder / "e.msi.bak").string()});
}

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
  const ConvertRun run = Convert({folder.string(), "--json"});
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

// A frequency or gain that cannot be read is left out, not made up: empty in the table, null
// in the JSON, and the file converts.
TEST(ConvertCommand, UnknownFrequencyAndGainAreLeftOut) {
  const fs::path folder = TestFolder();
  std::string text = MsiText("x", {"030EA10", 45}, {"030EA10", 2});
  text.replace(text.find("FREQUENCY 900"), 13, "FREQUENCY 790-862");
  text.replace(text.find("GAIN 15.0 dBd"), 13, "GAIN see sheet");
  WriteFile(folder / "x.msi", text);
  const ConvertRun json = Convert({(folder / "x.msi").string(), "--json"});
  ASSERT_EQ(json.status, 0) << json.err;
  const nlohmann::json record = nlohmann::json::parse(json.out).at(0);
  EXPECT_TRUE(record["frequency_mhz"].is_null());
  EXPECT_TRUE(record["gain_dbi"].is_null());
  EXPECT_TRUE(record["header"]["gain"].is_null());
  EXPECT_EQ(record["horizontal"], "030EA10");
  EXPECT_EQ(record["notes"].size(), 4u) << record["notes"];
  const ConvertRun csv = Convert({(folder / "x.msi").string(), "--csv"});
  EXPECT_NE(csv.out.find(",x,,,030EA10,45.0,"), std::string::npos) << csv.out;
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
  const ConvertRun json = Convert({kRealFile, "--json"});
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

  const ConvertRun table = Convert({kRealFile});
  EXPECT_NE(table.out.find("  025EC00 !  "), std::string::npos) << table.out;
  EXPECT_NE(table.out.find("\n! " + kRealFile + ": " + warning + "\n"), std::string::npos)
      << table.out;
  // A file whose planes are codes' own curves has none.
  const fs::path folder = TestFolder();
  WriteFile(folder / "a.msi", MsiText("a", {"030EA10", 45}, {"030EA10", 2}));
  const ConvertRun clean = Convert({(folder / "a.msi").string(), "--json"});
  EXPECT_EQ(nlohmann::json::parse(clean.out).at(0)["warnings"], nlohmann::json::array());
}

// Every best fit of the real file keeps one of its code's maxima within 5 degrees of the
// classic direction of its plane (the db fit round the circle put the horizontal one at
// 282 degrees for a maximum at 4), and the db fit is never worse than the classic code.
TEST(ConvertCommand, BestFitsStayNearTheClassicDirections) {
  const ConvertRun run = Convert({kRealFile, "--json", "--fit", "all"});
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

TEST(ConvertCommand, SeveralThreadsKeepTheInputOrder) {
  const fs::path folder = TestFolder();
  std::vector<std::string> files;
  std::string expected;
  // Every file a different azimuth, named so that the input order is not the sorted one. Every
  // third file also has a two-lobe vertical plane, which takes far longer to fit than the flat
  // one of the others: the files finish out of their order.
  for (int i = 0; i < 24; ++i) {
    const int azimuth = 15 * i;
    const bool slow = i % 3 == 0;
    const fs::path path = folder / ("f" + std::to_string(100 - i) + ".msi");
    WriteFile(path, MsiText("n", {"030EA10", static_cast<float>(azimuth)},
                            slow ? Plane{"160VE00", 45} : Plane{"", 0}));
    files.push_back(path.string());
    expected += path.string() + ",n,900.0,17.1,030EA10," + std::to_string(azimuth) + ".0," +
                (slow ? "160VE00,-45.0" : "000ND00,0.0") + ",Kathrein,converted,\n";
  }
  for (const char* threads : {"1", "4", "7"}) {
    std::vector<std::string> words = files;
    words.insert(words.end(), {"--csv", "--threads", threads});
    const ConvertRun run = Convert(Args(words.begin(), words.end()));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.substr(run.out.find('\n') + 1), expected) << threads << " threads";
  }
}

// On a terminal the progress line counts the files and is wiped before the failures follow.
TEST(ConvertCommand, ProgressLineIsRewrittenInPlaceAndWipedAtTheEnd) {
  const fs::path folder = TestFolder();
  WriteFile(folder / "a.msi", MsiText("a", {"030EA10", 45}, {"", 0}));
  WriteFile(folder / "b.msi", MsiText("b", {"030EA10", 90}, {"", 0}));
  WriteFile(folder / "c.msi", "not a pattern");
  std::ostringstream out, err;
  const int status = RunConvertCommand({folder.string()}, out, err, true);
  EXPECT_EQ(status, 1);
  const std::string text = err.str();
  const std::string last = "\rlobrix: convert: 3 of 3 files, ";
  const std::size_t at = text.rfind(last);
  ASSERT_NE(at, std::string::npos) << text;
  EXPECT_NE(text.find(" files/s", at), std::string::npos);
  // Wiped with blanks, then the one failure line from the start of the line.
  const std::size_t lastReturn = text.rfind('\r');
  const std::size_t wipe = text.rfind('\r', lastReturn - 1);
  EXPECT_GT(wipe, at);
  EXPECT_EQ(text.find_first_not_of(' ', wipe + 1), lastReturn) << text;
  EXPECT_EQ(text.substr(lastReturn + 1),
            "lobrix: convert: " + (folder / "c.msi").string() +
                ": line 2: expected a block before the end of the file: HORIZONTAL\n");
  // Standard output holds only the table.
  EXPECT_EQ(out.str().find('\r'), std::string::npos);
}

// The colour of the pixel (x, y) of an ARGB/RGB24 cairo image as 0xRRGGBB.
unsigned PixelOf(cairo_surface_t* image, int x, int y) {
  const unsigned char* data = cairo_image_surface_get_data(image);
  const int stride = cairo_image_surface_get_stride(image);
  std::uint32_t pixel = 0;
  std::memcpy(&pixel, data + static_cast<std::ptrdiff_t>(y) * stride + 4 * x, sizeof pixel);
  return pixel & 0xFFFFFF;
}

bool IsBlue(unsigned rgb) {
  return (rgb & 0xFF) > 150 && (rgb >> 8 & 0xFF) < 90 && (rgb >> 16 & 0xFF) < 90;
}
bool IsRed(unsigned rgb) {
  return (rgb >> 16 & 0xFF) > 200 && (rgb >> 8 & 0xFF) < 90 && (rgb & 0xFF) < 90;
}

// Whether a pixel of `colour` lies within 2 pixels of (x, y).
template <typename Test>
bool ColourNear(cairo_surface_t* image, double x, double y, Test colour) {
  for (int dy = -2; dy <= 2; ++dy) {
    for (int dx = -2; dx <= 2; ++dx) {
      if (colour(PixelOf(image, static_cast<int>(x) + dx, static_cast<int>(y) + dy))) return true;
    }
  }
  return false;
}

TEST(ConvertCommand, RenderWritesTheConversionPicture) {
  const fs::path folder = TestFolder();
  // Horizontal maximum at azimuth 90 (right of the left frame), vertical at tilt 0 (right of
  // the right frame).
  WriteFile(folder / "in/east.msi", MsiText("East", {"030EA10", 90}, {"030EA10", 0}));
  const ConvertRun run = Convert({(folder / "in").string(), kRealFile, "--render",
                                  (folder / "pictures").string(), "--threads", "2"});
  ASSERT_EQ(run.status, 0) << run.err;

  cairo_surface_t* image =
      cairo_image_surface_create_from_png((folder / "pictures/east.png").c_str());
  ASSERT_EQ(cairo_surface_status(image), CAIRO_STATUS_SUCCESS);
  const PixelSize area = ConversionAreaPixels();
  const int width = cairo_image_surface_get_width(image);
  const int height = cairo_image_surface_get_height(image);
  EXPECT_EQ(width, 2 * area.width);
  EXPECT_EQ(height, 2 * area.height);
  EXPECT_EQ(PixelOf(image, 1, height - 2), 0xFFFFFFu);  // below the frames
  // Logical units: 1000 on the shorter side (the height).
  const double scale = height / 1000.0;
  const ConversionFrames f =
      ConversionGeometry(static_cast<int>(std::lround(1000.0 * width / height)));
  const double r = f.r * scale, cy = f.centreY * scale;
  const double hx = f.horizontalX * scale, vx = f.verticalX * scale;
  auto blue = [](unsigned rgb) { return IsBlue(rgb); };
  EXPECT_TRUE(ColourNear(image, hx + r, cy, blue));   // azimuth 90 at full field
  EXPECT_FALSE(ColourNear(image, hx, cy - r, blue));  // not at the top
  EXPECT_TRUE(ColourNear(image, vx + r, cy, blue));   // tilt 0 at full field
  EXPECT_FALSE(ColourNear(image, vx, cy + r, blue));  // not at the bottom
  cairo_surface_destroy(image);

  // The real file's fit differs from its measurement: both colours show.
  image = cairo_image_surface_create_from_png((folder / "pictures/80010465_0791_x_co.png").c_str());
  ASSERT_EQ(cairo_surface_status(image), CAIRO_STATUS_SUCCESS);
  int red = 0, blueCount = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      red += IsRed(PixelOf(image, x, y)) ? 1 : 0;
      blueCount += IsBlue(PixelOf(image, x, y)) ? 1 : 0;
    }
  }
  EXPECT_GT(red, 500);
  EXPECT_GT(blueCount, 500);
  cairo_surface_destroy(image);
}

TEST(ConvertCommand, RenderFormatsAndNameClashes) {
  const fs::path folder = TestFolder();
  const std::string text = MsiText("x", {"030EA10", 45}, {"030EA10", 2});
  WriteFile(folder / "one/x.msi", text);
  WriteFile(folder / "two/X.MSI", text);
  for (const char* format : {"svg", "pdf"}) {
    const ConvertRun run = Convert({(folder / "one").string(), (folder / "two").string(),
                                    "--render", (folder / format).string(), "--format", format});
    ASSERT_EQ(run.status, 0) << run.err;
    for (const char* name : {"x.", "X-2."}) {
      std::ifstream picture(folder / format / (name + std::string(format)), std::ios::binary);
      std::string start(5, '\0');
      picture.read(start.data(), 5);
      EXPECT_EQ(start, std::string(format) == "pdf" ? "%PDF-" : "<?xml") << name << format;
    }
  }
}

// A picture that cannot be written fails its file, but the file's codes are still given. The
// message says the system's reason, and shows the folder's ESC escaped.
TEST(ConvertCommand, UnwritablePictureFailsTheFileAndKeepsItsCodes) {
  const fs::path folder = TestFolder();
  WriteFile(folder / "in/x.msi", MsiText("x", {"030EA10", 45}, {"030EA10", 2}));
  fs::create_directories(folder / "p\x1b/x.png");  // a folder where the picture would go
  const ConvertRun run =
      Convert({(folder / "in/x.msi").string(), "--json", "--render", (folder / "p\x1b").string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "lobrix: convert: " + (folder / "in/x.msi").string() + ": cannot write " +
                         (folder / "p\\x1B/x.png").string() + ": Is a directory\n");
  const nlohmann::json record = nlohmann::json::parse(run.out).at(0);
  EXPECT_EQ(record["status"], "failed");
  EXPECT_EQ(record["horizontal"], "030EA10");
  EXPECT_TRUE(record["reason"].get<std::string>().starts_with("cannot write")) << record;
}

TEST(ConvertCommand, WrongArgumentsExitWithTwo) {
  const fs::path folder = TestFolder();
  WriteFile(folder / "file", "x");
  const struct {
    std::vector<std::string> words;
    const char* message;
  } cases[] = {
      {{}, "lobrix: convert: missing PATH (lobrix convert --help shows the usage)\n"},
      {{"a.msi", "--format", "gif", "--render", "x"},
       "lobrix: convert: unknown format 'gif' (png, svg or pdf)\n"},
      {{"a.msi", "--format", "svg"},
       "lobrix: convert: --format is for the pictures of --render DIR\n"},
      {{"a.msi", "--threads", "0"},
       "lobrix: convert: --threads must be a whole number from 1 to 256, not '0'\n"},
      {{"a.msi", "--threads"}, "lobrix: convert: --threads needs a number of threads\n"},
      {{"a.msi", "--render"}, "lobrix: convert: --render needs a folder for the pictures\n"},
      {{"a.msi", "--xml"}, "lobrix: convert: unknown option --xml\n"},
      {{"a.msi", "--direction-tolerance", "180.5"},
       "lobrix: convert: --direction-tolerance must be a number of degrees from 0 to 180, not "
       "'180.5'\n"},
      {{"a.msi", "--direction-tolerance", "-1"}, nullptr},
      {{"a.msi", "--direction-tolerance", "nan"}, nullptr},
      {{"a.msi", "--render", (folder / "file").string()}, nullptr},
  };
  for (const auto& c : cases) {
    const ConvertRun run = Convert(Args(c.words.begin(), c.words.end()));
    EXPECT_EQ(run.status, 2) << run.err;
    EXPECT_EQ(run.out, "");
    if (c.message != nullptr) {
      EXPECT_EQ(run.err, c.message);
    }
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  }
  const ConvertRun help = Convert({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(help.out.starts_with("Usage: lobrix convert PATH...")) << help.out;
}

}  // namespace
}  // namespace lobrix::cli
