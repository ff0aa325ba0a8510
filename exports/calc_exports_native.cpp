// The C entry points of liblobrix.so, forwarding to the model. NUL-terminated texts that stay
// the caller's; a NULL pointer is an empty text. lobrix.map keeps every other symbol local.
#include <string_view>

#include "exports/lobrix.h"
#include "model/antenna_pattern.h"
#include "model/pattern_arrays.h"

namespace {

// A code is read up to its terminator but never past its seventh byte: the functions ignore
// everything after the seventh character, so a code of seven bytes needs no terminator, and
// one at the very end of the caller's memory is not read beyond.
constexpr std::size_t kCodeBytesRead = 7;

std::string_view Text(const char* text) {
  if (text == nullptr) return {};
  std::size_t length = 0;
  while (length < kCodeBytesRead && text[length] != '\0') ++length;
  return {text, length};
}

}  // namespace

extern "C" {

int VERANT(const char* code) {
  return lobrix::VERANT(Text(code));
}

float ANT93(const char* code, float angle, int mode) {
  return lobrix::ANT93(Text(code), angle, mode);
}

float ANT3D(const char* hcode, float az, float azMax, const char* vcode, float el, float elMax,
            int mode) {
  return lobrix::ANT3D(Text(hcode), az, azMax, Text(vcode), el, elMax, mode);
}

float ZISKANTVA(const char* hcode, const char* vcode) {
  return lobrix::ZISKANTVA(Text(hcode), Text(vcode));
}

// NULL arrays are allowed with n = 0 (the result then says whether the codes are valid).
int LOBRIX_ANT93_MANY(const char* code, const float* angles, size_t n, int mode, float* out) {
  return lobrix::Ant93Many(Text(code), {angles, n}, mode, {out, n}) ? 1 : 0;
}

int LOBRIX_ANT3D_MANY(const char* hcode, const float* az, float azMax, const char* vcode,
                      const float* el, float elMax, size_t n, int mode, float* out) {
  return lobrix::Ant3dMany(Text(hcode), {az, n}, azMax, Text(vcode), {el, n}, elMax, mode, {out, n})
             ? 1
             : 0;
}

const char* LOBRIX_VERSION_TEXT(void) {
  return LOBRIX_VERSION;
}

}  // extern "C"
