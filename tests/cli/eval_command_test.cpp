// lobrix eval: one result line per call line, failure values for invalid codes, "error" for
// malformed lines.
#include "cli/eval_command.h"

#include <gtest/gtest.h>

#include <ios>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

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

TEST(EvalCommand, SkipsAByteOrderMarkAtTheStartOnly) {
  const EvalRun run = Eval("\xEF\xBB\xBFVERANT 030EA10\n\xEF\xBB\xBFVERANT 030EA10\n");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "1\nerror\n");
  EXPECT_EQ(run.err,
            "lobrix: eval: line 2: unknown function '\\xEF\\xBB\\xBFVERANT' (VERANT, ANT93, "
            "ANT3D, ZISKANTVA)\n");
}

// A reader that fails after its text, as reading a folder or a closed descriptor does: the
// stream buffer throws, the stream takes it as its bad state.
class FailingBuffer : public std::stringbuf {
 public:
  using std::stringbuf::stringbuf;

 protected:
  int_type underflow() override {
    const int_type c = std::stringbuf::underflow();
    if (traits_type::eq_int_type(c, traits_type::eof())) throw std::ios_base::failure("read");
    return c;
  }
};

TEST(EvalCommand, ReadErrorFailsAfterTheResultsReadSoFar) {
  FailingBuffer buffer("VERANT 030EA10\nVERANT 066EA00\n");
  std::istream in(&buffer);
  std::ostringstream out, err;
  EXPECT_EQ(RunEvalCommand({}, in, out, err), 2);
  EXPECT_EQ(out.str(), "1\n0\n");
  EXPECT_EQ(err.str(), "lobrix: eval: cannot read the input\n");
}

// Lines of half a million words or of one huge word: the count is right and the message quotes
// only the start of the word.
TEST(EvalCommand, HugeLinesGetShortMessages) {
  std::string manyWords = "VERANT";
  for (int i = 0; i < 500000; ++i) manyWords += " x";
  const std::string longNumber(1000000, '1');
  const EvalRun run =
      Eval(manyWords + "\nANT93 030EA10 " + longNumber + "x 2\nANT3D a 0 0 b 0 0 0 0 0\n");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "error\nerror\nerror\n");
  EXPECT_EQ(run.err,
            "lobrix: eval: line 1: VERANT takes 1 argument (code), not 500000\n"
            "lobrix: eval: line 2: angle must be a finite number, not '" +
                std::string(40, '1') +
                "...'\n"
                "lobrix: eval: line 3: ANT3D takes 7 arguments (hcode az azmax vcode el elmax "
                "mode), not 9\n");
}

// Hands out its text one chunk per read, as a pipe from a script does, and keeps what the
// error stream held each time the command asked for more.
class ChunkedInput : public std::streambuf {
 public:
  ChunkedInput(std::vector<std::string> chunks, const std::ostringstream& err)
      : chunks_(std::move(chunks)), err_(err) {}
  std::vector<std::string> errWhenAsked;

 protected:
  int_type underflow() override {
    errWhenAsked.push_back(err_.str());
    if (next_ == chunks_.size()) return traits_type::eof();
    std::string& chunk = chunks_[next_++];
    setg(chunk.data(), chunk.data(), chunk.data() + chunk.size());
    return traits_type::to_int_type(chunk[0]);
  }

 private:
  std::vector<std::string> chunks_;
  std::size_t next_ = 0;
  const std::ostringstream& err_;
};

// A script that sends calls and waits has the messages of its chunk before it sends more.
TEST(EvalCommand, MessagesAreOutBeforeWaitingForInput) {
  std::ostringstream out, err;
  ChunkedInput input({"FOO\n# last line a comment\n", "ANT93 030EA10 x 2\n"}, err);
  std::istream in(&input);
  EXPECT_EQ(RunEvalCommand({}, in, out, err), 2);
  const std::string first =
      "lobrix: eval: line 1: unknown function 'FOO' (VERANT, ANT93, ANT3D, ZISKANTVA)\n";
  ASSERT_EQ(input.errWhenAsked.size(), 3u);
  EXPECT_EQ(input.errWhenAsked[1], first);
  EXPECT_EQ(input.errWhenAsked[2],
            first + "lobrix: eval: line 3: angle must be a finite number, not 'x'\n");
  EXPECT_EQ(out.str(), "error\nerror\n");
}

// A line is read up to 1 MiB (1048576 bytes, its line end not counted); a longer one is an
// error, and reading goes on after its end.
TEST(EvalCommand, LinesLongerThanOneMebibyteAreRefused) {
  const std::string call = "VERANT 030EA10";
  const std::string longest = call + std::string(1048576 - call.size(), ' ');
  const std::string tooLong = longest + " ";
  const EvalRun run = Eval(longest + "\n" + tooLong + "\n" + longest + "\n" + tooLong + "x\n" +
                           call + "\n" + tooLong);
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "1\nerror\n1\nerror\n1\nerror\n");
  EXPECT_EQ(run.err,
            "lobrix: eval: line 2: longer than 1048576 bytes\n"
            "lobrix: eval: line 4: longer than 1048576 bytes\n"
            "lobrix: eval: line 6: longer than 1048576 bytes\n");
  // The longest line as the last one, without a line end.
  EXPECT_EQ(Eval(call + "\n" + longest).out, "1\n1\n");
}

TEST(EvalCommand, TakesNoArgumentsButHelp) {
  const EvalRun extra = Eval("VERANT 030EA10\n", {"x"});
  EXPECT_EQ(extra.status, 2);
  EXPECT_EQ(extra.out, "");
  EXPECT_EQ(Eval("", {"--help"}).status, 0);
}

}  // namespace
}  // namespace lobrix::cli
