// Reading a whole pattern file into memory, with the one size limit every reader keeps: the
// command line, the conversion window and the tests read files through here.
#pragma once

#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>

namespace lobrix {

// A pattern file is some 20 KB; a file far larger is read only this far, so that a stray huge
// file cannot take the memory of a batch (the readers are done with a pattern file long before).
inline constexpr std::size_t kMostPatternFileBytes = std::size_t{64} << 20;

// The bytes of the file at `path` (at most kMostPatternFileBytes of them), or nothing with the
// reason in `reason`: "a folder", or the system's reason why it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path, std::string& reason);

// The same for a file the caller opened for reading (the Windows side opens by a wide name);
// the file stays open.
std::optional<std::string> ReadOpenedFile(std::FILE* file, std::string& reason);

}  // namespace lobrix
