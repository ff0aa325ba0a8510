// lobrix convert on hostile files and names: each gets its documented status and a clear
// message, bounded output, and nothing raw that could drive the terminal or a spreadsheet.
// The well-formed file they start from is what `lobrix export` writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/convert_command.h"
#include "cli/export_command.h"

namespace lobrix::cli {
namespace {

namespace fs = std::filesystem;

struct CommandRun {
  int status;
  std::string out, err;
};

CommandRun Convert(std::vector<std::string> words) {
  std::ostringstream out, err;
  const int status = RunConvertCommand(Args(words.begin(), words.end()), out, err);
  return {status, out.str(), err.str()};
}

// A whole Kathrein file of 030EA10 / 010EA00, CR LF line ends; its line 2 is the FREQUENCY.
std::string GoodFile() {
  std::ostringstream out, err;
  EXPECT_EQ(RunExportCommand({"030EA10", "010EA00", "-o", "-"}, out, err), 0) << err.str();
  return out.str();
}

// The good file with line `number` (1-based) replaced.
std::string WithLine(int number, const std::string& line) {
  std::string text = GoodFile();
  std::size_t start = 0;
  for (int i = 1; i < number; ++i) start = text.find("\r\n", start) + 2;
  return text.replace(start, text.find("\r\n", start) - start, line);
}

fs::path TestFolder() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  const fs::path folder = fs::path(::testing::TempDir()) / "lobrix_hostile" / info->name();
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder;
}

void WriteFile(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

TEST(HostileFiles, EachGetsItsStatusAndAClearMessage) {
  const fs::path folder = TestFolder();
  const std::string good = GoodFile();
  std::string junk;  // 400 KB of header lines the reader does not know
  for (int i = 0; i < 200000; ++i) junk += "a\n";
  const std::size_t vertical = good.find("VERTICAL");
  const struct {
    const char* name;
    std::string text;
    bool strict;
    int status;
    const char* message;  // after "lobrix: convert: PATH: "; empty: converted
  } cases[] = {
      {"junk_header.msi", junk, false, 1,
       "line 200001: expected FREQUENCY and GAIN in the header before the first block"},
      {"frequency_1e308_ghz.msi", WithLine(2, "FREQUENCY 1e308 GHz"), false, 0, ""},
      {"gain_beyond_float.msi", WithLine(3, "GAIN -1e39"), false, 0, ""},
      {"attenuation_1e308.msi", WithLine(9, "2 1e308"), false, 1,
       "line 9: expected a value within 1000 dB of the block's others"},
      {"attenuation_minus_1e308.msi", WithLine(370, "2 -1e308"), false, 1,
       "line 370: expected a value within 1000 dB of the block's others"},
      // A partial download: cut inside the vertical block, the window's reader refuses it.
      {"cut_in_vertical.msi", good.substr(0, good.find("\r\n200 ", vertical)), true, 1,
       "Selected file is shorter than Kathrein antenna file  !!"},
      {"cut_in_vertical_lenient.msi", good.substr(0, good.find("\r\n200 ", vertical)), false, 1,
       "line 568: expected the angle 200"},
  };
  for (const auto& c : cases) {
    const std::string path = (folder / c.name).string();
    WriteFile(path, c.text);
    std::vector<std::string> words = {path, "--json"};
    if (c.strict) words.push_back("--strict");
    const CommandRun run = Convert(words);
    EXPECT_EQ(run.status, c.status) << c.name << ": " << run.err;
    EXPECT_EQ(run.err, *c.message == '\0' ? std::string()
                                          : "lobrix: convert: " + path + ": " + c.message + "\n")
        << c.name;
    const nlohmann::json record = nlohmann::json::parse(run.out).at(0);
    EXPECT_EQ(record["status"], c.status == 0 ? "converted" : "failed") << c.name;
  }
}

// A header number beyond the float range is no number at all in the outputs: null, empty, and
// a note naming its line.
TEST(HostileFiles, HeaderNumbersBeyondTheFloatRangeAreMissing) {
  const fs::path folder = TestFolder();
  const std::string path = (folder / "f.msi").string();
  WriteFile(path, WithLine(2, "FREQUENCY 1e308 GHz"));
  const nlohmann::json record = nlohmann::json::parse(Convert({path, "--json"}).out).at(0);
  EXPECT_TRUE(record["frequency_mhz"].is_null()) << record;
  EXPECT_EQ(record["reading"], "lenient");
  EXPECT_EQ(record["notes"].at(0), "line 2: FREQUENCY is beyond the range of a float: left out");
  const CommandRun csv = Convert({path, "--csv"});
  EXPECT_NE(csv.out.find(path + ",030EA10 010EA00,,14.1,"), std::string::npos) << csv.out;
  EXPECT_EQ(csv.out.find("inf"), std::string::npos) << csv.out;
}

TEST(HostileFiles, TooLargeFileIsSaidToBe) {
  const fs::path path = TestFolder() / "huge.msi";
  WriteFile(path, GoodFile());
  fs::resize_file(path, (std::uintmax_t{64} << 20) + 1);  // sparse: nothing is written
  const CommandRun run = Convert({path.string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "lobrix: convert: " + path.string() +
                         ": cannot be read: too large for a pattern file (over 64 MiB)\n");
}

// Control and bidirectional characters in a file name are shown escaped wherever the name or
// the reason appears; nothing raw reaches the terminal.
TEST(HostileFiles, ControlAndBidiCharactersInNamesAreEscaped) {
  const fs::path folder = TestFolder();
  const std::string name = "a\x1b[31mred\nline\xe2\x80\xaegnp.msi";  // ESC, LF, U+202E
  WriteFile(folder / name, "not a pattern");
  const std::string shown = (folder / "a\\x1B[31mred\\x0Aline\\u202Egnp.msi").string();
  for (const std::string form : {"--table", "--csv", "--json"}) {
    std::vector<std::string> words = {(folder / name).string()};
    if (form != "--table") words.push_back(form);
    const CommandRun run = Convert(words);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "lobrix: convert: " + shown +
                           ": line 2: expected FREQUENCY and GAIN in the header before the "
                           "first block\n");
    EXPECT_EQ(run.out.find('\x1b'), std::string::npos) << form;
    EXPECT_EQ(run.out.find("\xe2\x80\xae"), std::string::npos) << form;
    if (form == "--json") {
      EXPECT_EQ(nlohmann::json::parse(run.out).at(0)["path"], shown);
    } else {
      // The heading and the file's one line: the name's line feed broke no line.
      EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 2) << run.out;
      EXPECT_NE(run.out.find("\\u202Egnp.msi"), std::string::npos) << run.out;
    }
  }
}

// One very long name pads no row of the table: it is cut there, and kept whole in CSV and JSON.
TEST(HostileFiles, LongNamesAreCutInTheTableOnly) {
  const fs::path folder = TestFolder();
  const std::string longName(100000, 'n');
  // A folder of 120 two-byte letters: the path is cut at its start, between whole letters.
  std::string letters;
  for (int i = 0; i < 120; ++i) letters += "\u010D";
  fs::create_directories(folder / letters);
  std::vector<std::string> paths;
  for (int i = 0; i < 3; ++i) {
    paths.push_back((folder / (i == 2 ? letters : "") / (std::to_string(i) + ".msi")).string());
    WriteFile(paths.back(), WithLine(1, "NAME " + (i == 1 ? longName : "short")));
  }
  const CommandRun table = Convert(paths);
  ASSERT_EQ(table.status, 0) << table.err;
  std::istringstream lines(table.out);
  for (std::string line; std::getline(lines, line);) EXPECT_LT(line.size(), 600u) << line;
  EXPECT_NE(table.out.find(std::string(119, 'n') + "\u2026 "), std::string::npos) << table.out;
  EXPECT_NE(table.out.find("\u2026" + letters.substr(2 * 7) + "/2.msi "), std::string::npos)
      << table.out;

  std::vector<std::string> words = paths;
  words.push_back("--csv");
  EXPECT_NE(Convert(words).out.find("," + longName + ","), std::string::npos);
  words.back() = "--json";
  const nlohmann::json records = nlohmann::json::parse(Convert(words).out);
  EXPECT_EQ(records.at(1)["antenna"], longName);
  EXPECT_EQ(records.at(2)["path"], paths[2]);
}

// A text cell that a spreadsheet would run as a formula gets a ' in front.
TEST(HostileFiles, CsvCellsThatLookLikeFormulasStayText) {
  const fs::path folder = TestFolder();
  const struct {
    const char* name;
    const char* cell;
  } cases[] = {
      {"=HYPERLINK(\"http://x\",\"y\")", "\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\""},
      {"+1+2", "'+1+2"},
      {"-2+3", "'-2+3"},
      {"@SUM(A1)", "'@SUM(A1)"},
      {"plain - name", "plain - name"},
  };
  for (const auto& c : cases) {
    const std::string path = (folder / "f.msi").string();
    WriteFile(path, WithLine(1, std::string("NAME ") + c.name));
    const CommandRun run = Convert({path, "--csv"});
    EXPECT_NE(run.out.find(path + "," + c.cell + ","), std::string::npos) << run.out;
  }
}

// With --render the CSV and JSON say which picture belongs to which file, also where two files
// of one name get numbered pictures.
TEST(HostileFiles, PicturesAreNamedInCsvAndJson) {
  const fs::path folder = TestFolder();
  fs::create_directories(folder / "a");
  fs::create_directories(folder / "b");
  const std::string a = (folder / "a" / "x.msi").string(), b = (folder / "b" / "x.msi").string();
  WriteFile(a, GoodFile());
  WriteFile(b, GoodFile());
  const std::string pictures = (folder / "pictures").string();
  const CommandRun csv = Convert({b, a, "--csv", "--render", pictures, "--format", "svg"});
  ASSERT_EQ(csv.status, 0) << csv.err;
  EXPECT_TRUE(csv.out.starts_with("path,")) << csv.out;
  EXPECT_NE(csv.out.find(",reason,picture\n" + b + ","), std::string::npos) << csv.out;
  EXPECT_NE(csv.out.find(",converted,," + pictures + "/x.svg\n" + a + ","), std::string::npos)
      << csv.out;
  EXPECT_TRUE(csv.out.ends_with(",converted,," + pictures + "/x-2.svg\n")) << csv.out;
  const nlohmann::json records =
      nlohmann::json::parse(Convert({b, a, "--json", "--render", pictures, "--format", "svg"}).out);
  EXPECT_EQ(records.at(0)["picture"], pictures + "/x.svg");
  EXPECT_EQ(records.at(1)["picture"], pictures + "/x-2.svg");
  EXPECT_EQ(Convert({a, "--json"}).out.find("picture"), std::string::npos);
}

}  // namespace
}  // namespace lobrix::cli
