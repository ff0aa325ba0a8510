// Writing a whole output file so that it is either complete or absent: the bytes go to a
// temporary name beside the target, which is then renamed over it.
#pragma once

#include <string>
#include <string_view>

namespace lobrix::cli {

// True when `path` holds exactly `bytes`; otherwise false with the reason in `error`, and no
// file of that name is left (nor the temporary one).
bool WriteWholeFile(const std::string& path, std::string_view bytes, std::string& error);

}  // namespace lobrix::cli
