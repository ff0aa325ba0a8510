// The numeric value of a text as the Kathrein files and the result texts are read: a decimal
// number from the start of the text.
#pragma once

#include <charconv>
#include <cstddef>
#include <string_view>

namespace lobrix {

// Leading blanks and tabs are skipped, then an optional sign, digits, an optional decimal point
// with digits and an optional exponent (e or E, a sign, digits); reading stops at the first
// character that cannot continue the number. A text without a number gives 0. `end`, when
// given, receives the position after the number (0 when there is none). A number too large
// for a double gives an infinity of its sign.
double TextNumber(std::string_view text, std::size_t* end = nullptr);

// std::from_chars for a double in its general format. The browser build's C++ library (libc++
// before version 20) has no floating-point from_chars; there the same is read with strtod,
// whose "C" locale is the only one that build has.
std::from_chars_result DecimalFromChars(const char* first, const char* last, double& value);
// The strtod reading itself, built everywhere so that native tests hold it to from_chars.
std::from_chars_result DecimalFromCharsByStrtod(const char* first, const char* last,
                                                double& value);

}  // namespace lobrix
