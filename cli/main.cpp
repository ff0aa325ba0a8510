// The lobrix command: finds the command named by the first word and hands it the rest.
#include <iostream>

#ifdef _WIN32
#include <io.h>
#define LOBRIX_ISATTY _isatty
#else
#include <unistd.h>
#define LOBRIX_ISATTY isatty
#endif
#include <string_view>

#include "cli/arguments.h"
#include "cli/calc_commands.h"
#include "cli/convert_command.h"
#include "cli/eval_command.h"
#include "cli/export_command.h"
#include "cli/fit_command.h"
#include "cli/render_command.h"
#include "cli/version.h"

namespace {

using namespace lobrix::cli;

// The commands on the process's own streams.
int Check(int argc, char** argv) {
  return RunCheckCommand(ToArgs(argc, argv), std::cout, std::cerr);
}
int Pattern(int argc, char** argv) {
  return RunPatternCommand(ToArgs(argc, argv), std::cout, std::cerr);
}
int Ant3d(int argc, char** argv) {
  return RunAnt3dCommand(ToArgs(argc, argv), std::cout, std::cerr);
}
int Gain(int argc, char** argv) {
  return RunGainCommand(ToArgs(argc, argv), std::cout, std::cerr);
}
int Eval(int argc, char** argv) {
  // Buffered standard input (nothing has been read or written yet) and no flush before every
  // read: eval then flushes when it has used up the input at hand, not after every line.
  std::ios::sync_with_stdio(false);
  std::cin.tie(nullptr);
  return RunEvalCommand(ToArgs(argc, argv), std::cin, std::cout, std::cerr);
}

int Convert(int argc, char** argv) {
  // The progress line only where a person watches it, not into a log file.
  const bool terminal = LOBRIX_ISATTY(2) != 0;
  return RunConvertCommand(ToArgs(argc, argv), std::cout, std::cerr, terminal);
}

int Export(int argc, char** argv) {
  return RunExportCommand(ToArgs(argc, argv), std::cout, std::cerr);
}

int Fit(int argc, char** argv) {
  return RunFitCommand(ToArgs(argc, argv), std::cin, std::cout, std::cerr);
}

struct Command {
  std::string_view name;
  int (*run)(int argc, char** argv);  // the words after the command name
};

constexpr Command kCommands[] = {
    {"check", Check},     {"pattern", Pattern}, {"ant3d", Ant3d},
    {"gain", Gain},       {"eval", Eval},       {"render", RunRenderCommand},
    {"convert", Convert}, {"export", Export},   {"fit", Fit},
};

// A result that could not be written (a full disk, a closed pipe) is a failure, not success.
int FinishOutput(int status) {
  std::cout.flush();
  if (std::cout) return status;
  std::cerr << "lobrix: cannot write the output\n";
  return kExitFailure;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << ProgramUsage();
    return kExitFailure;
  }
  const std::string_view name = argv[1];
  if (name == "--help" || name == "-h") {
    std::cout << ProgramUsage();
    return FinishOutput(kExitOk);
  }
  if (name == "--version") {
    std::cout << "lobrix " << ProgramVersion() << '\n';
    return FinishOutput(kExitOk);
  }
  for (const Command& command : kCommands) {
    if (command.name == name) return FinishOutput(command.run(argc - 2, argv + 2));
  }
  std::cerr << "lobrix: unknown command '" << Shown(name)
            << "' (lobrix --help lists the commands)\n";
  return kExitFailure;
}
