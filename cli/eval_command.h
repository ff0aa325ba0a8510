// lobrix eval: the exported calculation functions called one input line at a time, for batch
// work and scripts.
#pragma once

#include <istream>
#include <ostream>

#include "cli/arguments.h"

namespace lobrix::cli {

// Reads calls from `in`, one a line, and writes one result a line to `out`; a malformed line
// gives "error" there and a message naming its line number on `err`. Returns kExitFailure
// when any line was malformed.
int RunEvalCommand(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace lobrix::cli
