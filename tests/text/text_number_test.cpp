// The strtod reading the browser build uses in place of the floating-point from_chars, held to
// std::from_chars on the texts the readers hand it: same value, same end, same error.
#include "text/text_number.h"

#include <gtest/gtest.h>

#include <charconv>
#include <string>

namespace lobrix {
namespace {

TEST(DecimalFromCharsByStrtod, AgreesWithFromChars) {
  const char* const texts[] = {
      "0",     "12.5",   "-2.5",  ".5",     "-.25",      "1e3",     "1E-3",   "12.75abc",
      "0.1",   "3.40282347e+38",  "1e400",  "-1e400",    "1e-400",  "123456789012345678901",
      "7.",    "5e",     "5e+",   "",       "+1",        " 1",      "abc",    "0x10",
      "-",     ".",      "-.",    "2.2250738585072014e-308",         "1-2",     "4.9e-324",
  };
  for (const std::string text : texts) {
    SCOPED_TRACE(text);
    double expected = -7, got = -7;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    const std::from_chars_result want = std::from_chars(first, last, expected);
    const std::from_chars_result have = DecimalFromCharsByStrtod(first, last, got);
    EXPECT_EQ(have.ec, want.ec);
    if (want.ec != std::errc::invalid_argument) {
      EXPECT_EQ(have.ptr - first, want.ptr - first);
    }
    if (want.ec == std::errc()) {
      EXPECT_EQ(got, expected);
    }
  }
}

}  // namespace
}  // namespace lobrix
