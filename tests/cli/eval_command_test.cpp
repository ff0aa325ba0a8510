// lobrix eval: one result line per call line, failure values for invalid codes, "error" for
// malformed lines.
#include "eval_command.h"

#include <gtest/gtest.h>

#include <sstream>

namespace lobrix::cli {
namespace {

struct EvalRun {
  int status;
  std::string out;
  std::string err;
};

EvalRun Eval(const std::string& input, const Args& args = {}) {
  std::istringstream in(input);
  std::ostringstream out, err;
  const int status = RunEvalCommand(args, in, out, err);
  return {status, out.str(), err.str()};
}

TEST(EvalCommand, OneLineOfNineDigitsPerCall) {
  const EvalRun run = Eval(
      "# calls from a script\n"
      "VERANT 030EA10\n"
      "\n"
      "  ANT93\t030EA00 30 2\r\n"
      "ANT93 030EA00 0 2\n"  // -20*log10(1) is -0: printed as 0
      "ANT3D 000ND00 180 0 510VE00 10 0 2\n"
      "ZISKANTVA 065EA00 000ND00\n"
      "   \n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "1\n3.01030016\n0\n0.227163881\n2.41033936\n");
  EXPECT_EQ(run.err, "");
}

TEST(EvalCommand, InvalidCodeGivesTheFailureValueAndGoesOn) {
  const EvalRun run = Eval(
      "VERANT 066EA00\nANT93 066EA00 0 2\nANT3D 030EA10 0 0 510VJ00 0 0 0\n"
      "ZISKANTVA 090EB10 000ND00\nVERANT 000ND00\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "0\n-1\n-1\n-99\n1\n");
}

TEST(EvalCommand, MalformedLineKeepsOutputAligned) {
  const EvalRun run = Eval(
      "ANT93 030EA00 30 2\n"
      "FOO 1\n"
      "ANT93 030EA00 30\n"
      "# skipped, still counted\n"
      "ANT93 030EA00 nan 2\n"
      "ANT3D 030EA10 0 0 000ND00 0 0 2.0\n"
      "VERANT 030EA10");  // last line without a newline
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "3.01030016\nerror\nerror\nerror\nerror\n1\n");
  EXPECT_EQ(run.err,
            "lobrix: eval: line 2: unknown function 'FOO' (VERANT, ANT93, ANT3D, ZISKANTVA)\n"
            "lobrix: eval: line 3: ANT93 takes 3 arguments (code angle mode), not 2\n"
            "lobrix: eval: line 5: angle must be a finite number, not 'nan'\n"
            "lobrix: eval: line 6: mode must be a whole number, not '2.0'\n");
}

TEST(EvalCommand, TakesNoArgumentsButHelp) {
  const EvalRun extra = Eval("VERANT 030EA10\n", {"x"});
  EXPECT_EQ(extra.status, 2);
  EXPECT_EQ(extra.out, "");
  EXPECT_EQ(Eval("", {"--help"}).status, 0);
}

}  // namespace
}  // namespace lobrix::cli
