// Reading one command's words with CLI11: the command declares its options on a CLI::App,
// and what is no option comes back as its words, in the order given.
#pragma once

#include <cstddef>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "best_fit/best_fit.h"
#include "cli/arguments.h"

namespace CLI {
class App;
}

namespace lobrix::cli {

// The words of a command that are no option (codes, angles, paths), in order.
using Words = std::vector<std::string>;

// The settings every command shares: -h and --help ask for the usage, an option given twice
// takes its last value, and words that are no declared option are handed back rather than
// refused, so that a negative number ("-5", "-.5") or a code is never taken for an option.
// The description of an option that takes a value says what the value is ("a number of
// degrees"): a missing value is reported as "OPTION needs DESCRIPTION".
void SetUpCommand(CLI::App& app);

// Parses `args` with `app`. Returns nothing when the command goes on with `words`; otherwise
// the exit status to end with: kExitOk after writing `usage` to `out` for --help, kExitFailure
// after a one-line "lobrix: COMMAND: ..." message on `err` (an unknown option, a missing
// value). A word starting with "--" is an unknown option unless it follows a lone "--".
std::optional<int> ParseCommandWords(CLI::App& app, std::string_view command,
                                     std::string_view usage, const Args& args, Words& words,
                                     std::ostream& out, std::ostream& err);

// The --threads option of the commands that share out work: every processor core when it was
// not given, else its whole number from 1 to kMostThreads. Nothing for any other text, after a
// one-line "lobrix: COMMAND: --threads must be ..." message on `err`.
inline constexpr int kMostThreads = 256;
std::optional<int> ThreadCount(bool given, std::string_view text, std::string_view command,
                               std::ostream& err);

// The --direction-tolerance option of the commands that fit codes: how far (degrees, 0 to 180)
// one of a fitted code's maxima may lie from the measured direction of maximum radiation;
// kDefaultDirectionTolerance when it was not given, 180 for no limit. Nothing for any other
// text, after a one-line message on `err`.
std::optional<float> DirectionTolerance(bool given, std::string_view text, std::string_view command,
                                        std::ostream& err);

// The longest line the commands read from standard input or a file of lines: far more than
// any line needs, so that a line without an end (/dev/zero, say) costs this much memory and no
// more.
inline constexpr std::size_t kMostInputLineBytes = 1024 * 1024;

// Reads the next line into `buffer` (kMostInputLineBytes + 1 bytes) and gives it without its
// line end; nothing at the end of the input or on a read error. A longer line is cut after
// kMostInputLineBytes bytes, its rest read and dropped, and `cut` set.
std::optional<std::string_view> ReadInputLine(std::istream& in, std::string& buffer, bool& cut);

}  // namespace lobrix::cli
