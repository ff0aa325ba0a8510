// The C entry points of liblobrix.so, forwarding to the model. NUL-terminated texts that stay
// the caller's; a NULL pointer is an empty text. lobrix.map keeps every other symbol local.
#include <string_view>

#include "antenna_pattern.h"
#include "lobrix.h"

namespace {

std::string_view Text(const char* text) {
  return text ? std::string_view(text) : std::string_view();
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

}  // extern "C"
