// Texts reach the surfaces as UTF-8. A byte that is not part of valid UTF-8 is read as code
// page 1250, the single-byte code page of the records and the exported texts, so a stray
// single-byte text still shows its Czech letters and never stops a device that insists on
// valid UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace lobrix {

std::u32string DecodeText(std::string_view text);
// Every byte as code page 1250, whatever it looks like: for texts known to be single-byte,
// such as the record's caption prefix.
std::u32string DecodeCp1250(std::string_view text);
std::string EncodeUtf8(std::u32string_view text);
std::u16string EncodeUtf16(std::u32string_view text);

}  // namespace lobrix
