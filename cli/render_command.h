// lobrix render: draws editor pages to picture files. `argv` holds the argc words after
// "render". Returns the exit status.
#pragma once

#include <ostream>

#include "cli/arguments.h"

int RunRenderCommand(int argc, char** argv);

namespace lobrix::cli {

// The same on given streams: the usage on `out`, a one-line message on `err`.
int RenderCommand(const Args& args, std::ostream& out, std::ostream& err);

}  // namespace lobrix::cli
