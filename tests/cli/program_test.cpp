// The built lobrix program run by the shell as a user runs it: what only a whole process
// shows (its exit status, output kept on failure, standard input that cannot be read, and the
// render command's refusals before any file is written).
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;

struct ProgramRun {
  int status = -1;
  std::string out, err;
};

std::string ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

class Program : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "lobrix-program-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }

  // Runs `lobrix ARGUMENTS` through sh; `arguments` may hold redirections.
  ProgramRun Run(const std::string& arguments) const {
    const std::string command = "'" LOBRIX_PROGRAM "' " + arguments + " >'" +
                                (dir_ / "out").string() + "' 2>'" + (dir_ / "err").string() + "'";
    const int result = std::system(command.c_str());
    ProgramRun run;
    if (result != -1 && WIFEXITED(result)) run.status = WEXITSTATUS(result);
    run.out = ReadFile(dir_ / "out");
    run.err = ReadFile(dir_ / "err");
    return run;
  }

  fs::path dir_;
};

TEST_F(Program, ShortCodesFailWithAMessageAndKeepEarlierLines) {
  const ProgramRun check = Run("check 030EA10 ab ''");
  EXPECT_EQ(check.status, 2);
  EXPECT_EQ(check.out,
            "030EA10: valid\n"
            "ab: invalid: a code has 7 characters, this one has 2\n"
            "\"\": invalid: a code has 7 characters, this one has 0\n");
  const ProgramRun gain = Run("gain 000ND00 ''");
  EXPECT_EQ(gain.status, 2);
  EXPECT_EQ(gain.err, "lobrix: \"\": a code has 7 characters, this one has 0\n");
}

TEST_F(Program, EvalFailsOnUnreadableInput) {
  for (const char* input : {"< /", "<&-"}) {
    const ProgramRun run = Run(std::string("eval ") + input);
    EXPECT_EQ(run.status, 2) << input;
    EXPECT_EQ(run.out, "") << input;
    EXPECT_EQ(run.err, "lobrix: eval: cannot read the input\n") << input;
  }
}

TEST_F(Program, RenderRefusesAPDowntiltWithoutAPatternInSpace) {
  const std::string picture = (dir_ / "p.svg").string();
  const ProgramRun run = Run("render --page 3d --v \"$(printf '120P\\23305')\" -o " + picture);
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err,
            "lobrix: render: --v 120P\\x9B05: P downtilt of 90 degrees (position 5): a pattern "
            "in space needs less than 90\n");
  EXPECT_FALSE(fs::exists(picture));
  EXPECT_EQ(Run("render --page 3d --h ab -o " + picture).err,
            "lobrix: render: --h ab: a code has 7 characters, this one has 2\n");
}

// The page keeps its own ratio: the direction page's graphic area is 489 x 287 pixels, so
// 287 rows need at least 489 columns and 574 rows 978.
TEST_F(Program, RenderRefusesASizeThatCutsThePageOff) {
  const std::string picture = (dir_ / "p.svg").string();
  const ProgramRun tall = Run("render --page horizontal --size 400x600 -o " + picture);
  EXPECT_EQ(tall.status, 2);
  EXPECT_EQ(tall.err,
            "lobrix: render: --size 400x600 would cut the page off: the width must be at least "
            "609 for this height (the page's ratio is 594:586)\n");
  EXPECT_EQ(Run("render --page direction --size 977x574 -o " + picture).status, 2);
  EXPECT_FALSE(fs::exists(picture));
#ifdef LOBRIX_RENDER_FILES
  EXPECT_EQ(Run("render --page direction --size 978x574 -o " + picture).status, 0);
  EXPECT_EQ(Run("render --page horizontal --size 600x200 -o " + picture).status, 0);
#endif
}

}  // namespace
