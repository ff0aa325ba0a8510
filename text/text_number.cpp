#include "text/text_number.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace lobrix {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::size_t SkipDigits(std::string_view text, std::size_t i) {
  while (i < text.size() && IsDigit(text[i])) ++i;
  return i;
}

}  // namespace

std::from_chars_result DecimalFromCharsByStrtod(const char* first, const char* last,
                                                double& value) {
  // The longest prefix of from_chars' decimal form: an optional '-', digits with an optional
  // point, an exponent only when digits follow it. strtod alone would also take blanks, a '+'
  // and hex digits. ("inf" and "nan", which from_chars reads, are not read here: no reader
  // hands them over.)
  const std::string_view text(first, static_cast<std::size_t>(last - first));
  std::size_t i = !text.empty() && text[0] == '-' ? 1 : 0;
  const std::size_t digitsFrom = i;
  i = SkipDigits(text, i);
  std::size_t digits = i - digitsFrom;
  if (i < text.size() && text[i] == '.') {
    const std::size_t fraction = SkipDigits(text, i + 1);
    digits += fraction - (i + 1);
    i = fraction;
  }
  if (digits == 0) return {first, std::errc::invalid_argument};
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    const std::size_t exponentEnd = SkipDigits(text, j);
    if (exponentEnd > j) i = exponentEnd;
  }
  const std::string copy(text.substr(0, i));
  errno = 0;
  const double parsed = std::strtod(copy.c_str(), nullptr);
  if (errno == ERANGE && (std::isinf(parsed) || parsed == 0)) {
    return {first + i, std::errc::result_out_of_range};
  }
  value = parsed;
  return {first + i, std::errc()};
}

std::from_chars_result DecimalFromChars(const char* first, const char* last, double& value) {
#if defined(_LIBCPP_VERSION) && _LIBCPP_VERSION < 200000
  return DecimalFromCharsByStrtod(first, last, value);
#else
  return std::from_chars(first, last, value);
#endif
}

double TextNumber(std::string_view text, std::size_t* end) {
  if (end) *end = 0;
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  const std::size_t first = i;
  i = SkipDigits(text, i);
  bool digits = i > first;
  if (i < text.size() && text[i] == '.') {
    const std::size_t fraction = SkipDigits(text, i + 1);
    digits = digits || fraction > i + 1;
    if (digits) i = fraction;
  }
  if (!digits) return 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    const std::size_t exponentEnd = SkipDigits(text, j);
    if (exponentEnd > j) i = exponentEnd;
  }
  if (end) *end = i;

  // from_chars takes no leading '+' and, in some libraries, no bare ".5": hand it the digits
  // with a 0 in front.
  std::string buffer;
  buffer.reserve(i - first + 1);
  buffer.push_back('0');
  buffer.append(text.data() + first, i - first);
  double value = 0;
  const auto [ptr, error] = DecimalFromChars(buffer.data(), buffer.data() + buffer.size(), value);
  if (error == std::errc::result_out_of_range) {
    // Too large gives infinity; too small (a huge negative exponent) gives 0.
    const std::size_t e = buffer.find_first_of("eE");
    const bool tiny = e != std::string::npos && e + 1 < buffer.size() && buffer[e + 1] == '-';
    value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
  }
  return negative ? -value : value;
}

}  // namespace lobrix
