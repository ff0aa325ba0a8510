// LOBRIX_VERSION comes from the build (the project's version), defined for this file only.
#include "cli/version.h"

namespace lobrix::cli {

std::string_view ProgramVersion() {
  return LOBRIX_VERSION;
}

}  // namespace lobrix::cli
