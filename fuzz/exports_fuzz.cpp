// Fuzz target: the C entry points of liblobrix as a foreign caller uses them, with codes of any
// bytes (NUL-terminated or not: at most seven bytes are read) and any floats, NaN and infinities
// included. Each function must give a value or its failure value, never crash.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "exports/lobrix.h"

namespace {

// Takes `n` bytes from the input, or zeros past its end.
void Take(const std::uint8_t*& data, std::size_t& size, void* into, std::size_t n) {
  std::memset(into, 0, n);
  const std::size_t taken = n < size ? n : size;
  std::memcpy(into, data, taken);
  data += taken;
  size -= taken;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Two codes of exactly seven bytes in buffers of seven (no terminator: the library reads at
  // most seven), then six floats and a mode.
  char hcode[7], vcode[7];
  float f[6];
  int mode = 0;
  Take(data, size, hcode, sizeof hcode);
  Take(data, size, vcode, sizeof vcode);
  Take(data, size, f, sizeof f);
  Take(data, size, &mode, sizeof mode);
  const int valid = VERANT(hcode);
  if (valid != 0 && valid != 1) __builtin_trap();
  ANT93(hcode, f[0], mode);
  ANT3D(hcode, f[1], f[2], vcode, f[3], f[4], mode);
  ZISKANTVA(hcode, vcode);
  // The rest as one NUL-terminated text, as a C caller passes a string.
  std::vector<char> text(data, data + size);
  text.push_back('\0');
  VERANT(text.data());
  ANT93(text.data(), f[5], mode & 3);
  ZISKANTVA(text.data(), vcode);
  VERANT(nullptr);
  return 0;
}
