// Command-line words, number parsing and the usage texts of the lobrix command.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lobrix::cli {

// Exit statuses: success, and an invalid code, a wrong argument or a malformed input line.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 2;

// The words after the command name, as given.
using Args = std::vector<std::string_view>;

Args ToArgs(int argc, char** argv);

// A decimal number such as "30", "-5.5" or "1e-6" that fits a single-precision float; the
// whole text must be the number. Empty text, trailing characters, "nan", "inf" and values
// beyond the float range give nothing.
std::optional<float> ParseNumber(std::string_view text);

// A whole decimal number such as "2" or "-1" that fits an int; nothing otherwise.
std::optional<int> ParseInteger(std::string_view text);

// True when the words ask for help ("--help" or "-h").
bool WantsHelp(const Args& args);

// A fixed-point value with `decimals` places; a value that rounds to zero prints without a
// minus sign.
std::string FormatFixed(double value, int decimals);

// A value with 9 significant digits (%.9g), the form for scripts: -0 prints as 0.
std::string FormatFull(double value);

// The usage of the whole program, and of one command (empty for an unknown command).
std::string_view ProgramUsage();
std::string_view CommandUsage(std::string_view command);

}  // namespace lobrix::cli
