// lobrix convert on generated files: the three output forms, failures with their reasons, the
// folder search, files whose header numbers cannot be read, the order of the results over
// several threads, the progress line, and wrong arguments.
#include "cli/convert_command.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "tests/cli/convert_test_files.h"

namespace lobrix::cli {
namespace {

namespace fs = std::filesystem;

TEST(ConvertCommand, TableCsvAndJsonOfGeneratedFiles) {
  const fs::path folder = TestFolder();
  // A comma, a quote and a code page 1250 letter (0xE8, c with caron) in the antenna name.
  WriteFile(folder / "a.msi", MsiText("Panel, \"wide\" \xE8", {"030EA10", 45}, {"030EA10", 2}));
  WriteFile(folder / "b.msi", MsiText("Omni", {"", 0}, {"030EA10", 358}));
  const std::string a = (folder / "a.msi").string(), b = (folder / "b.msi").string();

  const CommandRun csv = Convert({a, b, "--csv"});
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
  const CommandRun json = Convert({"--json", a, b, (folder / "c.msi").string()});
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

  const CommandRun table = Convert({a, b});
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
  const CommandRun run = Convert({"--json", kRealFile});
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

  const CommandRun run = Convert({foreign, good, cut, missing, "--json", "--strict"});
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

  const CommandRun czech = Convert({"--czech", "--csv", "--strict", cut});
  EXPECT_EQ(czech.status, 1);
  EXPECT_EQ(czech.err,
            "lobrix: convert: " + cut + ": Vybraný soubor  je kratší,  než by měl být  !!\n");
  EXPECT_NE(czech.out.find(",failed,"), std::string::npos) << czech.out;

  const CommandRun table = Convert({foreign, "--strict"});
  EXPECT_NE(table.out.find(foreign + "  failed: Selected file  isn't"), std::string::npos)
      << table.out;

  // Read leniently (the default), the rejections name the line and what was expected there.
  const CommandRun lenient = Convert({foreign, good, cut, missing});
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
  const CommandRun run = Convert({folder.string(), "--csv"});
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

  const CommandRun empty = Convert({(folder / "empty").string()});
  EXPECT_EQ(empty.status, 1);
  EXPECT_EQ(empty.err, "lobrix: convert: " + (folder / "empty").string() +
                           ": no pattern files in the folder\n");
  // A file named on the command line is read whatever its name and first line.
  const CommandRun named = Convert({(folder / "e.msi.bak").string(), "--csv"});
  EXPECT_EQ(named.status, 0) << named.err;
  EXPECT_EQ(CsvPaths(named.out), std::vector<std::string>{(folder / "e.msi.bak").string()});
}

// A frequency or gain that cannot be read is left out, not made up: empty in the table, null
// in the JSON, and the file converts.
TEST(ConvertCommand, UnknownFrequencyAndGainAreLeftOut) {
  const fs::path folder = TestFolder();
  std::string text = MsiText("x", {"030EA10", 45}, {"030EA10", 2});
  text.replace(text.find("FREQUENCY 900"), 13, "FREQUENCY 790-862");
  text.replace(text.find("GAIN 15.0 dBd"), 13, "GAIN see sheet");
  WriteFile(folder / "x.msi", text);
  const CommandRun json = Convert({(folder / "x.msi").string(), "--json"});
  ASSERT_EQ(json.status, 0) << json.err;
  const nlohmann::json record = nlohmann::json::parse(json.out).at(0);
  EXPECT_TRUE(record["frequency_mhz"].is_null());
  EXPECT_TRUE(record["gain_dbi"].is_null());
  EXPECT_TRUE(record["header"]["gain"].is_null());
  EXPECT_EQ(record["horizontal"], "030EA10");
  EXPECT_EQ(record["notes"].size(), 4u) << record["notes"];
  const CommandRun csv = Convert({(folder / "x.msi").string(), "--csv"});
  EXPECT_NE(csv.out.find(",x,,,030EA10,45.0,"), std::string::npos) << csv.out;
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
    const CommandRun run = Convert(Args(words.begin(), words.end()));
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
    const CommandRun run = Convert(Args(c.words.begin(), c.words.end()));
    EXPECT_EQ(run.status, 2) << run.err;
    EXPECT_EQ(run.out, "");
    if (c.message != nullptr) {
      EXPECT_EQ(run.err, c.message);
    }
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  }
  const CommandRun help = Convert({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(help.out.starts_with("Usage: lobrix convert PATH...")) << help.out;
}

}  // namespace
}  // namespace lobrix::cli
