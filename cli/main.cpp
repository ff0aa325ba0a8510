// The lobrix command: finds the command named by the first word and hands it the rest.
#include <iostream>
#include <string_view>

#include "arguments.h"
#include "calc_commands.h"
#include "eval_command.h"
#include "render_command.h"

namespace {

using namespace lobrix::cli;

struct Command {
  std::string_view name;
  int (*run)(int argc, char** argv);  // the words after the command name
};

constexpr Command kCommands[] = {
    {"check",
     [](int argc, char** argv) {
       return RunCheckCommand(ToArgs(argc, argv), std::cout, std::cerr);
     }},
    {"pattern",
     [](int argc, char** argv) {
       return RunPatternCommand(ToArgs(argc, argv), std::cout, std::cerr);
     }},
    {"ant3d",
     [](int argc, char** argv) {
       return RunAnt3dCommand(ToArgs(argc, argv), std::cout, std::cerr);
     }},
    {"gain", [](int argc,
                char** argv) { return RunGainCommand(ToArgs(argc, argv), std::cout, std::cerr); }},
    {"eval",
     [](int argc, char** argv) {
       return RunEvalCommand(ToArgs(argc, argv), std::cin, std::cout, std::cerr);
     }},
    {"render", RunRenderCommand},
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
  for (const Command& command : kCommands) {
    if (command.name == name) return FinishOutput(command.run(argc - 2, argv + 2));
  }
  std::cerr << "lobrix: unknown command '" << name << "' (lobrix --help lists the commands)\n";
  return kExitFailure;
}
