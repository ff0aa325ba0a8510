// The version of this build: one number for the program, the library and the Python package.
#pragma once

#include <string_view>

namespace lobrix::cli {

// "0.13.0": the project's version, as `lobrix --version`, the JSON output and the report show it.
std::string_view ProgramVersion();

}  // namespace lobrix::cli
