// lobrix convert on hostile files and names: the documented status and a clear message,
// bounded table cells, and nothing raw that could drive a terminal or a spreadsheet. The
// well-formed file they start from is what `lobrix export` writes.
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
#include "tests/cli/cli_test_support.h"

namespace lobrix::cli {
namespace {

namespace fs = std::filesystem;

CommandRun Convert(std::vector<std::string> words) {
  std::ostringstream out, err;
  const int status = RunConvertCommand(Args(words.begin(), words.end()), out, err);
  return {status, out.str(), err.str()};
}

// A whole Kathrein file of 030EA10 / 010EA00 with CR LF line ends, line `number` (1-based)
// replaced by `line` when one is given.
std::string GoodFile(int number = 0, const std::string& line = "") {
  std::ostringstream out, err;
  EXPECT_EQ(RunExportCommand({"030EA10", "010EA00", "-o", "-"}, out, err), 0) << err.str();
  std::string text = out.str();
  if (number == 0) return text;
  std::size_t start = 0;
  for (int i = 1; i < number; ++i) start = text.find("\r\n", start) + 2;
  return text.replace(start, text.find("\r\n", start) - start, line);
}

void WriteFile(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

TEST(HostileFiles, EachGetsItsStatusAndAClearMessage) {
  const fs::path folder = TestFolder("lobrix_hostile");
  const std::string good = GoodFile();
  const struct {
    std::string name, text;
    const char* option;
    int status;
    std::string message;  // after "lobrix: convert: "
  } cases[] = {
      // A partial download, cut inside the vertical block: the window's reader refuses it.
      {"cut.msi", good.substr(0, good.find("\r\n200 ", good.find("VERTICAL"))), "--strict", 1,
       "cut.msi: Selected file is shorter than Kathrein antenna file  !!"},
      {"huge.msi", "", "--json", 1,
       "huge.msi: cannot be read: too large for a pattern file (over 64 MiB)"},
      {"ghz.msi", GoodFile(2, "FREQUENCY 1e308 GHz"), "--csv", 0, ""},
      // ESC, a line feed and U+202E (right-to-left override) in the name.
      {"a\x1b[31m\nb\xe2\x80\xaegnp.msi", "x", "--csv", 1,
       "a\\x1B[31m\\x0Ab\\u202Egnp.msi: line 2: expected a block before the end of the file: "
       "HORIZONTAL"},
  };
  for (const auto& c : cases) {
    WriteFile(folder / c.name, c.text);
    if (c.name == "huge.msi") fs::resize_file(folder / c.name, (std::uintmax_t{64} << 20) + 1);
    const CommandRun run = Convert({(folder / c.name).string(), c.option});
    EXPECT_EQ(run.status, c.status) << c.name;
    EXPECT_EQ(run.err, c.message.empty()
                           ? ""
                           : "lobrix: convert: " + folder.string() + "/" + c.message + "\n");
    EXPECT_EQ(run.out.find_first_of("\x1b\xe2"), std::string::npos) << run.out;
    if (std::string(c.option) == "--csv") {
      EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 2) << run.out;
    }
  }
  // A header number beyond the float range is an empty cell (JSON null) and a note.
  const CommandRun json = Convert({(folder / "ghz.msi").string(), "--json"});
  const nlohmann::json record = nlohmann::json::parse(json.out).at(0);
  EXPECT_TRUE(record["frequency_mhz"].is_null()) << record;
  EXPECT_EQ(record["notes"].at(0), "line 2: FREQUENCY is beyond the range of a float: left out");
  EXPECT_NE(Convert({(folder / "ghz.msi").string(), "--csv"}).out.find(",030EA10 010EA00,,14.1,"),
            std::string::npos);
}

// One long name pads no row of the table: it is cut there (a path keeps its end, cut between
// whole letters), and kept whole in CSV and JSON.
TEST(HostileFiles, LongNamesAreCutInTheTableOnly) {
  const fs::path folder = TestFolder("lobrix_hostile");
  const std::string longName(100000, 'n');
  std::string letters;  // 120 two-byte letters
  for (int i = 0; i < 120; ++i) letters += "\u010D";
  fs::create_directories(folder / letters);
  const std::vector<std::string> paths = {(folder / "a.msi").string(),
                                          (folder / letters / "b.msi").string()};
  WriteFile(paths[0], GoodFile(1, "NAME " + longName));
  WriteFile(paths[1], GoodFile());
  const CommandRun table = Convert(paths);
  ASSERT_EQ(table.status, 0) << table.err;
  EXPECT_LT(table.out.size(), 1500u);
  EXPECT_NE(table.out.find(std::string(119, 'n') + "\u2026 "), std::string::npos) << table.out;
  EXPECT_NE(table.out.find("\u2026" + letters.substr(2 * 7) + "/b.msi "), std::string::npos);
  EXPECT_NE(Convert({paths[0], "--csv"}).out.find("," + longName + ","), std::string::npos);
}

// With --render the CSV and JSON say which picture belongs to which file, also where two files
// of one name get numbered pictures. A text cell that a spreadsheet would run as a formula
// gets a ' in front.
TEST(HostileFiles, CsvNamesPicturesAndKeepsFormulasText) {
  const fs::path folder = TestFolder("lobrix_hostile");
  fs::create_directories(folder / "a");
  fs::create_directories(folder / "b");
  const std::string a = (folder / "a/x.msi").string(), b = (folder / "b/x.msi").string();
  WriteFile(a, GoodFile(1, "NAME =HYPERLINK(\"http://x\")"));
  WriteFile(b, GoodFile(1, "NAME -2+3"));
  const std::string pictures = (folder / "pictures").string();
  const CommandRun csv = Convert({b, a, "--csv", "--render", pictures, "--format", "svg"});
  ASSERT_EQ(csv.status, 0) << csv.err;
  EXPECT_NE(csv.out.find(",reason,picture\n" + b + ",'-2+3,"), std::string::npos) << csv.out;
  EXPECT_NE(csv.out.find(",converted,," + pictures + "/x.svg\n" + a +
                         ",\"'=HYPERLINK(\"\"http://x\"\")\","),
            std::string::npos)
      << csv.out;
  EXPECT_TRUE(csv.out.ends_with(",converted,," + pictures + "/x-2.svg\n")) << csv.out;
  const nlohmann::json records =
      nlohmann::json::parse(Convert({b, a, "--json", "--render", pictures}).out);
  EXPECT_EQ(records.at(1)["picture"], pictures + "/x-2.png");
}

}  // namespace
}  // namespace lobrix::cli
