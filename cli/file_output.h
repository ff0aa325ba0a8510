// Writing a whole output file so that it is either complete or absent: the bytes go to a
// temporary name beside the target, which is then renamed over it.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace lobrix::cli {

// True when `path` holds exactly `bytes`; otherwise false with the reason in `error` ("cannot
// write PATH: REASON", the system's reason), and no file of that name is left (nor the
// temporary one).
// - An existing regular file is replaced whole and keeps its permissions (and, where the
//   system has them, its owner); a symbolic link to one keeps pointing at it.
// - An existing target that is not a regular file (a device such as /dev/null, a named pipe)
//   is written straight: renaming over it would replace the device node with a file.
// - "-" is standard output (`standardOutput`) when one is given.
bool WriteWholeFile(const std::string& path, std::string_view bytes, std::string& error,
                    std::ostream* standardOutput = nullptr);

}  // namespace lobrix::cli
