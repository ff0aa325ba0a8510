// lobrix export: a code pair written as a pattern file in the Kathrein layout.
#pragma once

#include <ostream>

#include "cli/arguments.h"

namespace lobrix::cli {

// Writes the file named by -o; on a wrong argument or an invalid code or angle, one line on
// `err`, status 2, and no file is written.
int RunExportCommand(const Args& args, std::ostream& out, std::ostream& err);

}  // namespace lobrix::cli
