// A BSTR argument taken over from a foreign caller: read as single-byte text, freed on scope
// exit (the exported ABI makes the callee free every text it receives).
#pragma once

#include <windows.h>
// after windows.h, which it needs
#include <oleauto.h>

#include <string_view>

namespace lobrix {

class BstrText {
 public:
  explicit BstrText(BSTR text) : text_(text) {}
  ~BstrText() { SysFreeString(text_); }
  BstrText(const BstrText&) = delete;
  BstrText& operator=(const BstrText&) = delete;

  // The bytes the BSTR's length prefix counts, never more: a short text stays short and no
  // terminator is looked for. A NULL BSTR is an empty text.
  std::string_view View() const {
    if (text_ == nullptr) return {};
    return {reinterpret_cast<const char*>(text_), SysStringByteLen(text_)};
  }

 private:
  BSTR text_;
};

}  // namespace lobrix
