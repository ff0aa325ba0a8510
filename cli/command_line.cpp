// The one way the lobrix commands read their words: CLI11 for the options, and the rest in
// order, with one message form for every mistake.
#include "cli/command_line.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <limits>
#include <thread>

namespace lobrix::cli {

void SetUpCommand(CLI::App& app) {
  app.set_help_flag("-h,--help");
  app.allow_extras();
  app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
}

namespace {

int UsageError(std::string_view command, const std::string& message, std::ostream& err) {
  err << "lobrix: " << command << ": " << message << '\n';
  return kExitFailure;
}

// CLI11 names the option first: "--step: 1 required TEXT missing".
std::string MissingValueMessage(const CLI::App& app, const CLI::ArgumentMismatch& error) {
  const std::string what = error.what();
  const std::string name = what.substr(0, what.find(':'));
  const CLI::Option* option = app.get_option_no_throw(name);
  const std::string needs = option != nullptr && !option->get_description().empty()
                                ? option->get_description()
                                : "a value";
  return Printable(name) + " needs " + needs;
}

}  // namespace

std::optional<int> ParseCommandWords(CLI::App& app, std::string_view command,
                                     std::string_view usage, const Args& args, Words& words,
                                     std::ostream& out, std::ostream& err) {
  // CLI11 takes the words last first.
  std::vector<std::string> reversed(args.rbegin(), args.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::CallForHelp&) {
    out << usage;
    return kExitOk;
  } catch (const CLI::ArgumentMismatch& error) {
    return UsageError(command, MissingValueMessage(app, error), err);
  } catch (const CLI::ParseError& error) {
    return UsageError(command, Printable(error.what()), err);
  }
  bool afterMark = false;
  for (std::string& word : app.remaining()) {
    if (!afterMark && word == "--") {
      afterMark = true;
    } else if (!afterMark && word.starts_with("--")) {
      return UsageError(command, "unknown option " + Shown(word), err);
    } else {
      words.push_back(std::move(word));
    }
  }
  return std::nullopt;
}

std::optional<int> ThreadCount(bool given, std::string_view text, std::string_view command,
                               std::ostream& err) {
  if (!given) return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  const std::optional<int> count = ParseInteger(text);
  if (count && *count >= 1 && *count <= kMostThreads) return count;
  err << "lobrix: " << command << ": --threads must be a whole number from 1 to " << kMostThreads
      << ", not '" << Shown(text) << "'\n";
  return std::nullopt;
}

std::optional<float> DirectionTolerance(bool given, std::string_view text, std::string_view command,
                                        std::ostream& err) {
  if (!given) return kDefaultDirectionTolerance;
  const std::optional<float> degrees = ParseNumber(text);
  if (degrees && *degrees >= 0 && *degrees <= 180) return degrees;
  err << "lobrix: " << command
      << ": --direction-tolerance must be a number of degrees from 0 to 180, not '" << Shown(text)
      << "'\n";
  return std::nullopt;
}

std::optional<std::string_view> ReadInputLine(std::istream& in, std::string& buffer, bool& cut) {
  in.getline(buffer.data(), static_cast<std::streamsize>(buffer.size()));
  auto length = static_cast<std::size_t>(in.gcount());
  cut = false;
  if (in.bad() || length == 0) return std::nullopt;  // an empty line still counts its line end
  if (in.fail() && !in.eof()) {
    cut = true;
    in.clear();
    in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
  } else if (!in.eof()) {
    --length;  // the line end was read, not stored
  }
  return std::string_view(buffer.data(), length);
}

}  // namespace lobrix::cli
