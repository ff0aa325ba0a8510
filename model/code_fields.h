// Reading the fields of an antenna code without copying it: positions are 1-based as the codes
// are described, a position past the end of the text reads as no character (0).
#pragma once

#include <string_view>

namespace lobrix {

inline int CodeByte(std::string_view code, int position) {
  const auto index = static_cast<std::size_t>(position - 1);
  return index < code.size() ? static_cast<unsigned char>(code[index]) : 0;
}

// Decimal value of positions first..last read from their leading digits; a field without
// digits reads as 0 (the characters are not verified here: that is the check's task).
inline int CodeNumber(std::string_view code, int first, int last) {
  int value = 0;
  for (int position = first; position <= last; ++position) {
    const int c = CodeByte(code, position);
    if (c < '0' || c > '9') break;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace lobrix
