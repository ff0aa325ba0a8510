// check, pattern, ant3d and gain: results, exit statuses and the messages for wrong input.
// Expected values are those of the pattern model's own reference cases.
#include "cli/calc_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "tests/cli/cli_test_support.h"

namespace lobrix::cli {
namespace {

using Command = int (*)(const Args&, std::ostream&, std::ostream&);

CommandRun RunCommand(Command command, const Args& args) {
  std::ostringstream out, err;
  const int status = command(args, out, err);
  return {status, out.str(), err.str()};
}

TEST(CheckCommand, ReportsEveryCodeAndFailsIfAnyIsInvalid) {
  const CommandRun good = RunCommand(RunCheckCommand, {"030EA10", "000ND00"});
  EXPECT_EQ(good.status, 0);
  EXPECT_EQ(good.out, "030EA10: valid\n000ND00: valid\n");

  const CommandRun bad = RunCommand(RunCheckCommand, {"066EA00", "030EA10"});
  EXPECT_EQ(bad.status, 2);
  EXPECT_EQ(bad.out, "066EA00: invalid: EA needs a first number from 1 to 65\n030EA10: valid\n");
}

// Codes of 0 to 2 bytes once ended the program before the lines already written were out.
TEST(CheckCommand, ShortAndUnprintableCodesGetOneLineEach) {
  const CommandRun run =
      RunCommand(RunCheckCommand, {"030EA10", "ab", "", "a", "030EA1", "\x1b[2J0EA10", "066EA00"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out,
            "030EA10: valid\n"
            "ab: invalid: a code has 7 characters, this one has 2\n"
            "\"\": invalid: a code has 7 characters, this one has 0\n"
            "a: invalid: a code has 7 characters, this one has 1\n"
            "030EA1: invalid: a code has 7 characters, this one has 6\n"
            "\\x1B[2J0EA10: invalid: position 1 must be a digit 0-9\n"
            "066EA00: invalid: EA needs a first number from 1 to 65\n");
  EXPECT_EQ(run.err, "");
}

TEST(PatternCommand, TableHasOneRowPerStepBelow360) {
  const std::string db = RunCommand(RunPatternCommand, {"030EA00"}).out;
  EXPECT_EQ(std::count(db.begin(), db.end(), '\n'), 1 + 36);
  EXPECT_NE(db.find("\n     30      3.01\n"), std::string::npos) << db;

  EXPECT_EQ(RunCommand(RunPatternCommand, {"--field", "050CA00", "--step", "90"}).out,
            "  angle     field\n      0    1.0000\n     90    0.5000\n    180    1.0000\n"
            "    270    0.5000\n");
  // 0.1 is not exact in binary: neither a row at 360 nor a lost row at 359.9.
  const std::string fine = RunCommand(RunPatternCommand, {"510VE00", "--step", "0.1"}).out;
  EXPECT_EQ(std::count(fine.begin(), fine.end(), '\n'), 1 + 3600);
  EXPECT_NE(fine.find("\n  359.9 "), std::string::npos);
}

TEST(Ant3dAndGainCommands, PrintOneValue) {
  EXPECT_EQ(RunCommand(RunAnt3dCommand, {"000ND00", "180", "0", "510VE00", "10", "0", "--db"}).out,
            "0.23\n");
  EXPECT_EQ(RunCommand(RunAnt3dCommand, {"030EA00", "60", "30", "000ND00", "0", "0"}).out,
            "0.7071\n");
  EXPECT_EQ(RunCommand(RunGainCommand, {"030EA00", "100TA00"}).out, "12.63 dBd, 14.78 dBi\n");
  EXPECT_EQ(RunCommand(RunGainCommand, {"000ND00", "000ND00"}).out, "-2.15 dBd, 0.00 dBi\n");
}

TEST(CalcCommands, WrongInputFailsWithOneLineAndNoResult) {
  const struct {
    Command command;
    Args args;
    const char* message;
  } cases[] = {
      {RunPatternCommand, {"066EA00"}, "lobrix: 066EA00: EA needs a first number from 1 to 65\n"},
      {RunGainCommand,
       {"000ND00", "510VJ00"},
       "lobrix: 510VJ00: V needs a back-level letter A to I in position 5\n"},
      {RunAnt3dCommand,
       {"030EA10", "30x", "0", "000ND00", "0", "0"},
       "lobrix: AZ must be a finite number, not '30x'\n"},
      {RunAnt3dCommand,
       {"030EA10", "0", "0", "000ND00", "0", "inf"},
       "lobrix: ELMAX must be a finite number, not 'inf'\n"},
      // Finite angles whose difference overflows: the model's failure value is no result.
      {RunAnt3dCommand,
       {"030EA10", "3e38", "-3e38", "000ND00", "0", "0"},
       "lobrix: ant3d: these angles give no value\n"},
      {RunAnt3dCommand,
       {"030EA10", "0"},
       "lobrix: ant3d: missing AZMAX (lobrix ant3d --help shows the usage)\n"},
      {RunCheckCommand, {}, "lobrix: check: missing CODE (lobrix check --help shows the usage)\n"},
      {RunGainCommand, {"000ND00", ""}, "lobrix: \"\": a code has 7 characters, this one has 0\n"},
      {RunPatternCommand, {"ab"}, "lobrix: ab: a code has 7 characters, this one has 2\n"},
      {RunAnt3dCommand,
       {"0", "0", "0", "000ND00", "0", "0"},
       "lobrix: 0: a code has 7 characters, this one has 1\n"},
      // A P downtilt of 90 degrees (byte 0x9B, octal 233) passes the code check but has no
      // pattern in space: the code is blamed, not the angles.
      {RunAnt3dCommand,
       {"030EA10", "0", "0", "120P\23305", "0", "0"},
       "lobrix: 120P\\x9B05: P downtilt of 90 degrees (position 5): a pattern in space needs "
       "less than 90\n"},
      {RunPatternCommand,
       {"030EA10", "--step", "0"},
       "lobrix: --step must be from 0.001 to 360 degrees, not '0'\n"},
      {RunPatternCommand,
       {"030EA10", "--step"},
       "lobrix: pattern: --step needs a number of degrees\n"},
      {RunPatternCommand, {"030EA10", "--dB"}, "lobrix: pattern: unknown option --dB\n"},
      {RunGainCommand, {"030EA10", "000ND00", "x"}, "lobrix: gain: unexpected argument 'x'\n"},
  };
  for (const auto& c : cases) {
    const CommandRun run = RunCommand(c.command, c.args);
    EXPECT_EQ(run.status, 2) << c.message;
    EXPECT_EQ(run.out, "") << c.message;
    EXPECT_EQ(run.err, c.message);
  }
}

TEST(Ant3dCommand, PDowntiltBelowNinetyDegreesGivesAValue) {
  // 0x9A is a downtilt of 89 degrees: the model still has a pattern in space for it.
  const CommandRun run =
      RunCommand(RunAnt3dCommand, {"000ND00", "0", "0", "120P\23205", "-90", "0", "--db"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out, "");
}

TEST(CalcCommands, HelpSucceedsWhateverElseIsGiven) {
  for (const Command command :
       {RunCheckCommand, RunPatternCommand, RunAnt3dCommand, RunGainCommand}) {
    const CommandRun run = RunCommand(command, {"066EA00", "--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.starts_with("Usage: lobrix ")) << run.out;
  }
}

}  // namespace
}  // namespace lobrix::cli
