// lobrix eval: one exported calculation a line, the result in the form a script can read back
// without loss (9 significant digits hold every single-precision value exactly).
#include "cli/eval_command.h"

#include <CLI/CLI.hpp>
#include <limits>
#include <optional>
#include <string>

#include "cli/command_line.h"
#include "model/antenna_pattern.h"

namespace lobrix::cli {

namespace {

struct Function {
  std::string_view name;
  std::string_view arguments;  // their names, for the message on a wrong count
  std::size_t count;
};

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

constexpr Function kFunctions[] = {
    {"VERANT", "code", 1},
    {"ANT93", "code angle mode", 3},
    {"ANT3D", "hcode az azmax vcode el elmax mode", 7},
    {"ZISKANTVA", "hcode vcode", 2},
};

// The most words a call has: ANT3D and its seven arguments.
constexpr std::size_t kMaxWords = 8;

// A line's words, separated by blanks and tabs (a carriage return of a CRLF line counts as a
// blank): the first kMaxWords of them, and in `count` how many there are. Words beyond those a
// call can use are counted, not kept, so a line of millions of words costs no memory.
Args SplitWords(std::string_view line, std::size_t& count) {
  constexpr std::string_view kBlanks = " \t\r\v\f";
  Args words;
  count = 0;
  std::size_t start = line.find_first_not_of(kBlanks);
  while (start != std::string_view::npos) {
    const std::size_t end = line.find_first_of(kBlanks, start);
    if (count++ < kMaxWords) words.push_back(line.substr(start, end - start));
    start = line.find_first_not_of(kBlanks, end);
  }
  return words;
}

// The numbers of one call, read in turn; the first that fails leaves its reason in `problem`.
struct NumberReader {
  std::string& problem;

  float Number(std::string_view name, std::string_view text) {
    const std::optional<float> value = ParseNumber(text);
    if (!value && problem.empty()) problem = Quoted(name, text, "finite number");
    return value.value_or(0);
  }
  int Integer(std::string_view name, std::string_view text) {
    const std::optional<int> value = ParseInteger(text);
    if (!value && problem.empty()) problem = Quoted(name, text, "whole number");
    return value.value_or(0);
  }
  static std::string Quoted(std::string_view name, std::string_view text, std::string_view what) {
    return std::string(name) + " must be a " + std::string(what) + ", not '" + Shown(text) + "'";
  }
};

// The result of one call (words[0] is the function, `count` the number of words on the line),
// or nothing with the reason in `problem`. An invalid code is no problem here: the function's
// own failure value is the result.
std::optional<double> EvaluateCall(const Args& words, std::size_t count, std::string& problem) {
  const std::string_view name = words[0];
  const Function* function = nullptr;
  for (const Function& candidate : kFunctions) {
    if (candidate.name == name) function = &candidate;
  }
  if (function == nullptr) {
    problem = "unknown function '" + Shown(name) + "' (VERANT, ANT93, ANT3D, ZISKANTVA)";
    return std::nullopt;
  }
  if (count - 1 != function->count) {
    problem = std::string(name) + " takes " + std::to_string(function->count) + " argument" +
              (function->count == 1 ? "" : "s") + " (" + std::string(function->arguments) +
              "), not " + std::to_string(count - 1);
    return std::nullopt;
  }

  if (name == "VERANT") return VERANT(words[1]);
  if (name == "ZISKANTVA") return ZISKANTVA(words[1], words[2]);
  NumberReader read{problem};
  if (name == "ANT93") {
    const float angle = read.Number("angle", words[2]);
    const int mode = read.Integer("mode", words[3]);
    if (!problem.empty()) return std::nullopt;
    return ANT93(words[1], angle, mode);
  }
  const float az = read.Number("az", words[2]);
  const float azMax = read.Number("azmax", words[3]);
  const float el = read.Number("el", words[5]);
  const float elMax = read.Number("elmax", words[6]);
  const int mode = read.Integer("mode", words[7]);
  if (!problem.empty()) return std::nullopt;
  return ANT3D(words[1], az, azMax, words[4], el, elMax, mode);
}

// One line of input: its result, or "error" with its message added to `messages` and the
// status set to failure. Blank lines and comments give nothing.
void EvaluateLine(std::string_view line, bool cut, long lineNumber, std::ostream& out,
                  std::string& messages, int& status) {
  std::string problem;
  std::optional<double> result;
  if (cut) {
    problem = "longer than " + std::to_string(kMostInputLineBytes) + " bytes";
  } else {
    std::size_t count = 0;
    const Args words = SplitWords(line, count);
    if (words.empty() || words[0].starts_with('#')) return;
    result = EvaluateCall(words, count, problem);
  }
  if (result) {
    out << FormatFull(*result) << '\n';
  } else {
    messages += "lobrix: eval: line " + std::to_string(lineNumber) + ": " + problem + '\n';
    out << "error\n";
    status = kExitFailure;
  }
}

// Messages held back at most: a file's reader has input at hand until its end.
constexpr std::size_t kMessageBytes = 64 * 1024;

void WriteMessages(std::string& messages, std::ostream& err) {
  if (messages.empty()) return;
  err << messages;
  messages.clear();
}

}  // namespace

int RunEvalCommand(const Args& args, std::istream& in, std::ostream& out, std::ostream& err) {
  CLI::App app("", "lobrix eval");
  SetUpCommand(app);
  Words words;
  if (auto end = ParseCommandWords(app, "eval", CommandUsage("eval"), args, words, out, err)) {
    return *end;
  }
  if (!words.empty()) {
    err << "lobrix: eval: unexpected argument '" << Shown(words[0])
        << "' (the calls come from standard input)\n";
    return kExitFailure;
  }
  int status = kExitOk;
  std::string buffer(kMostInputLineBytes + 1, '\0');
  // Messages wait here and go out in one write together with the results: standard error is
  // unbuffered, and a write per malformed line made a file of them several times slower than
  // one of good lines.
  std::string messages;
  bool cut = false;
  for (long lineNumber = 1; std::optional<std::string_view> line = ReadInputLine(in, buffer, cut);
       ++lineNumber) {
    // A byte-order mark, as some editors save UTF-8, is no part of the first call.
    if (lineNumber == 1 && line->starts_with(kByteOrderMark)) {
      line->remove_prefix(kByteOrderMark.size());
    }
    EvaluateLine(*line, cut, lineNumber, out, messages, status);
    // A script that writes one call and waits for its answer gets it now, and its message,
    // even when a comment came last; a file or a long pipe still goes through in full
    // buffers, its messages 64 KiB at a time.
    if (in.rdbuf()->in_avail() <= 0) {
      out.flush();
      WriteMessages(messages, err);
    } else if (messages.size() >= kMessageBytes) {
      WriteMessages(messages, err);
    }
  }
  WriteMessages(messages, err);
  // The reader ends on a read error (a folder, a closed descriptor) as on the end of the input;
  // only the bad state tells them apart.
  if (in.bad()) {
    out.flush();
    err << "lobrix: eval: cannot read the input\n";
    return kExitFailure;
  }
  return status;
}

}  // namespace lobrix::cli
