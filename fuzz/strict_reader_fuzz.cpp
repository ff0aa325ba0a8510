// Fuzz target: bytes read as a Kathrein file by the strict reader (the conversion window's), and
// a file it reads analysed and converted to codes, as the window's Conversion button does.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "conversion/conversion.h"
#include "pattern_files/strict_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  lobrix::KathreinPattern pattern;
  if (lobrix::ReadKathreinFile(bytes, pattern) != lobrix::kKathreinRead) return 0;
  const lobrix::KathreinConversion conversion = lobrix::ConvertKathreinPattern(pattern);
  // Every result names seven-character codes.
  if (conversion.hCode.size() != 7 || conversion.vCode.size() != 7) __builtin_trap();
  return 0;
}
