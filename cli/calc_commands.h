// The calculation commands of lobrix: check, pattern, ant3d and gain. Each takes the words
// after its name, writes its result to `out` and its complaints to `err`, and returns the exit
// status.
#pragma once

#include <ostream>

#include "cli/arguments.h"

namespace lobrix::cli {

int RunCheckCommand(const Args& args, std::ostream& out, std::ostream& err);
int RunPatternCommand(const Args& args, std::ostream& out, std::ostream& err);
int RunAnt3dCommand(const Args& args, std::ostream& out, std::ostream& err);
int RunGainCommand(const Args& args, std::ostream& out, std::ostream& err);

}  // namespace lobrix::cli
