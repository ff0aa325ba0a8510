// lobrix export: the file it writes reads back through the Kathrein reader and converts to the
// same codes; wrong input gets one line, status 2 and no file (nor a temporary one) left.
#include "cli/export_command.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "conversion/conversion.h"
#include "pattern_files/strict_reader.h"
#include "tests/cli/cli_test_support.h"

namespace lobrix::cli {
namespace {

namespace fs = std::filesystem;

struct ExportRun {
  int status;
  std::string out, err;
};

ExportRun Export(std::initializer_list<std::string> words) {
  const std::vector<std::string> kept(words);
  std::ostringstream out, err;
  const int status = RunExportCommand(Args(kept.begin(), kept.end()), out, err);
  return {status, out.str(), err.str()};
}

TEST(ExportCommand, WritesTheFileWithTheGivenOptions) {
  const fs::path file = TestFolder("lobrix_export") / "sector.msi";
  const ExportRun run =
      Export({"030EA10", "030EA10", "--azimuth", "120", "--elevation", "-4", "--frequency", "1800",
              "--gain", "16.5", "--name", "Sector 2", "-o", file.string()});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out + run.err, "");
  KathreinPattern pattern;
  ASSERT_EQ(ReadKathreinFile(ReadAll(file), pattern), kKathreinRead);
  EXPECT_EQ(pattern.antennaName, "Sector 2");
  EXPECT_FLOAT_EQ(pattern.frequency, 1800);
  EXPECT_NEAR(pattern.gain, 18.6, 1e-5);  // 16.5 dBd
  // The codes and directions reach the file (the round trip itself is the writer's test).
  EXPECT_EQ(ConvertKathreinPattern(pattern).aziMax, 120);
  EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator()), 1);
}

TEST(ExportCommand, WrongInputGetsOneLineAndLeavesNoFile) {
  const fs::path folder = TestFolder("lobrix_export");
  const std::string target = (folder / "x.msi").string();
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"066EA00", "010EA00", "-o", target},
       "lobrix: export: horizontal code 066EA00: EA needs a first number from 1 to 65\n"},
      {{"030EA10", "010EA00", "--azimuth", "360", "-o", target},
       "lobrix: export: the azimuth must be from 0 to under 360\n"},
      {{"030EA10", "010EA00", "--elevation", "up", "-o", target},
       "lobrix: export: --elevation must be a number, not 'up'\n"},
      {{"030EA10", "010EA00"}, "lobrix: export: missing -o FILE\n"},
      {{"030EA10", "-o", target},
       "lobrix: export: missing VCODE (lobrix export --help shows the usage)\n"},
      {{"030EA10", "010EA00", "--name", "a\nb", "-o", target},
       "lobrix: export: the name must be one line\n"},
      {{"030EA10", "010EA00", "-o", (folder / "no" / "such" / "x.msi").string()}, ""},
  };
  for (const auto& [words, message] : cases) {
    std::ostringstream out, err;
    const int status = RunExportCommand(Args(words.begin(), words.end()), out, err);
    EXPECT_EQ(status, kExitFailure) << message;
    if (!message.empty()) {
      EXPECT_EQ(err.str(), message);
    }
    const std::string said = err.str();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_TRUE(fs::is_empty(folder)) << message;  // neither the file nor a temporary one
  }
}

// The temporary file is written but cannot take the target's name (a folder has it): it goes.
TEST(ExportCommand, ATargetThatCannotBeReplacedLeavesNoTemporaryFile) {
  const fs::path folder = TestFolder("lobrix_export");
  fs::create_directory(folder / "taken.msi");
  const ExportRun run = Export({"030EA10", "010EA00", "-o", (folder / "taken.msi").string()});
  EXPECT_EQ(run.status, kExitFailure);
  EXPECT_TRUE(run.err.starts_with("lobrix: export: cannot write ")) << run.err;
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

TEST(ExportCommand, AFailedRunLeavesAnEarlierFileAsItWas) {
  const fs::path file = TestFolder("lobrix_export") / "kept.msi";
  ASSERT_EQ(Export({"030EA10", "010EA00", "-o", file.string()}).status, 0);
  const std::string before = ReadAll(file);
  EXPECT_EQ(Export({"030EA10", "010EA00", "--azimuth", "-1", "-o", file.string()}).status,
            kExitFailure);
  EXPECT_EQ(ReadAll(file), before);
  ASSERT_EQ(Export({"060EB00", "010EA00", "-o", file.string()}).status, 0);
  EXPECT_NE(ReadAll(file), before);  // a good run replaces it
}

}  // namespace
}  // namespace lobrix::cli
