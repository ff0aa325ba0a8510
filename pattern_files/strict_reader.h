// The strict reader: a Kathrein *.MSI antenna pattern file in exactly the Kathrein layout, as
// the conversion window reads it (the command line reads it with --strict). The lenient reader
// (lenient_reader.h) takes the other layouts makers write.
#pragma once

#include <string>
#include <string_view>

#include "pattern_files/measured_pattern.h"

namespace lobrix {

// Result codes of a read.
inline constexpr int kKathreinRead = 0;
inline constexpr int kNotKathreinFile = 1;
inline constexpr int kShorterThanKathreinFile = 2;

// Reads the bytes of a Kathrein file into `pattern`; returns 0 (read), 1 (not a Kathrein
// antenna file) or 2 (shorter than a Kathrein antenna file).
int ReadKathreinFile(std::string_view bytes, KathreinPattern& pattern);

// The same for a file on disk; a file that cannot be opened or read gives 1.
int ReadKathreinPath(const std::string& path, KathreinPattern& pattern);

}  // namespace lobrix
