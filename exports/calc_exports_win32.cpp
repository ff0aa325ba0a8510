// The stdcall + BSTR calculation exports of lobrix.dll, forwarding to the model. The plain
// export names come from lobrix.def.
#include <string_view>

#include "exports/bstr_text.h"
#include "exports/lobrix.h"
#include "model/antenna_pattern.h"

using lobrix::BstrText;

namespace {

// Two text arguments, each freed once even when a caller passes the same BSTR for both
// (freeing it twice would corrupt the caller's heap).
struct BstrPair {
  explicit BstrPair(BSTR first, BSTR second)
      : a(first), b(second == first ? nullptr : second), same(second == first) {}
  std::string_view First() const { return a.View(); }
  std::string_view Second() const { return same ? a.View() : b.View(); }

  BstrText a, b;
  bool same;
};

}  // namespace

extern "C" {

int WINAPI VERANT(BSTR code) {
  const BstrText text(code);
  return lobrix::VERANT(text.View());
}

float WINAPI ANT93(BSTR code, float angle, int mode) {
  const BstrText text(code);
  return lobrix::ANT93(text.View(), angle, mode);
}

float WINAPI ANT3D(BSTR hcode, float az, float azMax, BSTR vcode, float el, float elMax, int mode) {
  const BstrPair codes(hcode, vcode);
  return lobrix::ANT3D(codes.First(), az, azMax, codes.Second(), el, elMax, mode);
}

float WINAPI ZISKANTVA(BSTR hcode, BSTR vcode) {
  const BstrPair codes(hcode, vcode);
  return lobrix::ZISKANTVA(codes.First(), codes.Second());
}

}  // extern "C"
