// Reading a whole pattern file into memory, with the one size limit every reader keeps: the
// command line, the conversion window and the tests read files through here.
#pragma once

#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>

namespace lobrix {

// A pattern file is some 20 KB; a file far larger is refused, so that a stray huge file cannot
// take the memory of a batch.
inline constexpr std::size_t kMostPatternFileBytes = std::size_t{64} << 20;
// The reason given for a file beyond that size.
inline constexpr const char* kTooLargeReason = "too large for a pattern file (over 64 MiB)";

// The bytes of the file at `path`, or nothing with the reason in `reason`: "a folder",
// kTooLargeReason for more than kMostPatternFileBytes, or the system's reason why it cannot be
// opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path, std::string& reason);

// The same for a file the caller opened for reading (the Windows side opens by a wide name);
// the file stays open.
std::optional<std::string> ReadOpenedFile(std::FILE* file, std::string& reason);

}  // namespace lobrix
