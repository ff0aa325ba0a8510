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
// whole text must be the number. A value below the normal float range ("1e-40", "1e-400")
// becomes 0; one that rounds to the largest float ("3.40282347e38") is that float. Empty text,
// trailing characters, "nan", "inf" and values beyond the float range give nothing.
std::optional<float> ParseNumber(std::string_view text);

// A whole decimal number such as "2" or "-1" that fits an int; nothing otherwise.
std::optional<int> ParseInteger(std::string_view text);

// A text with the bytes outside printable ASCII written as \xNN: a raw control byte from the
// user could drive the terminal that shows a message.
std::string Printable(std::string_view text);
// A word from the user as a message quotes it: Printable, and cut off with "..." after
// kShownBytes bytes (a line of megabytes is not repeated in full).
inline constexpr std::size_t kShownBytes = 40;
std::string Shown(std::string_view text);
// A code as a message names it, unquoted: Shown, and "" for an empty one.
std::string ShownCode(std::string_view code);

// The message for a valid vertical code that still has no pattern in space: a P code whose
// downtilt (position 5, A = 0 degrees) is 90 degrees or more. Empty for any other code.
std::string DowntiltFaultText(std::string_view vcode);

// A fixed-point value with `decimals` places; a value that rounds to zero prints without a
// minus sign.
std::string FormatFixed(double value, int decimals);

// A value with 9 significant digits (%.9g), the form for scripts: -0 prints as 0.
std::string FormatFull(double value);

// The usage of the whole program, and of one command (empty for an unknown command).
std::string_view ProgramUsage();
std::string_view CommandUsage(std::string_view command);

}  // namespace lobrix::cli
