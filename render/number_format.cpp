#include "render/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "render/coordinates.h"

namespace lobrix {
namespace {

// A value rounded to a fixed number of decimals: |value| = digits * 10^-decimals.
struct FixedDecimal {
  bool negative = false;
  std::string digits;  // no leading zeros, "0" for zero
  int decimals = 0;

  std::string IntegerPart() const {
    const auto n = static_cast<std::size_t>(decimals);
    return digits.size() > n ? digits.substr(0, digits.size() - n) : "0";
  }
  std::string FractionPart() const {
    const auto n = static_cast<std::size_t>(decimals);
    if (digits.size() >= n) return digits.substr(digits.size() - n);
    return std::string(n - digits.size(), '0') + digits;
  }
};

// The first precision whose correctly rounded printf text reads back as the value.
template <typename T>
std::string ShortestByPrintf(T value) {
  char text[64];
  for (int digits = 0; digits <= std::numeric_limits<T>::max_digits10; ++digits) {
    std::snprintf(text, sizeof text, "%.*e", digits, static_cast<double>(value));
    const T back = sizeof(T) == sizeof(float) ? static_cast<T>(std::strtof(text, nullptr))
                                               : static_cast<T>(std::strtod(text, nullptr));
    if (back == value) break;
  }
  return text;
}

// A double that is exactly a float takes the float's shortest form, the one its source text had.
bool IsFloat(double value) {
  return std::fabs(value) <= std::numeric_limits<float>::max() &&
         static_cast<double>(static_cast<float>(value)) == value;
}

// Adds one unit in the last place of a decimal digit string.
void Increment(std::string& digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return;
    }
    *it = '0';
  }
  digits.insert(digits.begin(), '1');
}

// Rounds a finite value to `decimals` places, halves to even on its decimal digits.
FixedDecimal RoundDecimal(double value, int decimals) {
  const std::string sci = ShortestScientific(value);
  const std::size_t e_at = sci.find('e');
  std::string mantissa;
  for (std::size_t i = 0; i < e_at; ++i) {
    if (sci[i] >= '0' && sci[i] <= '9') mantissa += sci[i];
  }
  int exponent = 0;
  std::from_chars(sci.data() + e_at + 1 + (sci[e_at + 1] == '+' ? 1 : 0), sci.data() + sci.size(),
                  exponent);

  // |value| = mantissa * 10^-fraction_len
  const int fraction_len = static_cast<int>(mantissa.size()) - exponent - 1;
  FixedDecimal fixed;
  fixed.negative = value < 0;
  fixed.decimals = decimals;
  if (fraction_len <= decimals) {
    fixed.digits = mantissa + std::string(static_cast<std::size_t>(decimals - fraction_len), '0');
  } else {
    const int drop = fraction_len - decimals;
    const int len = static_cast<int>(mantissa.size());
    if (drop > len) {
      fixed.digits = "0";  // below a tenth of the last place
    } else {
      std::string kept = mantissa.substr(0, static_cast<std::size_t>(len - drop));
      const std::string rest = mantissa.substr(static_cast<std::size_t>(len - drop));
      const bool above_half =
          rest[0] > '5' || (rest[0] == '5' && rest.find_first_not_of('0', 1) != std::string::npos);
      const bool tie = rest[0] == '5' && !above_half;
      const bool last_odd = !kept.empty() && (kept.back() - '0') % 2 == 1;
      if (kept.empty()) kept = "0";
      if (above_half || (tie && last_odd)) Increment(kept);
      fixed.digits = kept;
    }
  }
  const std::size_t first = fixed.digits.find_first_not_of('0');
  fixed.digits = first == std::string::npos ? "0" : fixed.digits.substr(first);
  if (fixed.digits == "0") fixed.negative = false;
  return fixed;
}

std::string NonFiniteText(double value) {
  if (std::isnan(value)) return "NaN";
  return value < 0 ? "-Inf" : "Inf";
}

int Count(std::string_view text, char c) {
  int n = 0;
  for (char t : text) n += t == c ? 1 : 0;
  return n;
}

}  // namespace

std::string ShortestScientificByPrintf(double value) {
  return IsFloat(value) ? ShortestByPrintf(static_cast<float>(value)) : ShortestByPrintf(value);
}

std::string ShortestScientific(double value) {
#if defined(_LIBCPP_VERSION) && _LIBCPP_VERSION < 14000
  return ShortestScientificByPrintf(value);
#else
  char text[64];
  const std::to_chars_result result =
      IsFloat(value) ? std::to_chars(text, text + sizeof text, static_cast<float>(value),
                                     std::chars_format::scientific)
                     : std::to_chars(text, text + sizeof text, value, std::chars_format::scientific);
  return std::string(text, result.ptr);
#endif
}

std::string NumberText(double value, int decimals) {
  if (!std::isfinite(value)) return NonFiniteText(value);
  const FixedDecimal fixed = RoundDecimal(value, decimals < 0 ? 0 : decimals);
  std::string integer = fixed.IntegerPart();
  std::string fraction = fixed.FractionPart();
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  if (integer == "0" && !fraction.empty()) integer.clear();
  std::string text = fixed.negative ? "-" : " ";
  text += integer;
  if (!fraction.empty()) text += "." + fraction;
  return text;
}

std::string PlainNumberText(double value, int decimals) {
  std::string text = NumberText(value, decimals);
  if (!text.empty() && text.front() == ' ') text.erase(0, 1);
  return text;
}

std::string FormatMask(double value, std::string_view mask) {
  const std::size_t end = mask.find_first_not_of("#0.");
  const std::string_view places = mask.substr(0, end);
  const std::string_view suffix = end == std::string_view::npos ? "" : mask.substr(end);
  if (!std::isfinite(value)) return NonFiniteText(value) + std::string(suffix);

  const std::size_t point = places.find('.');
  const std::string_view before = places.substr(0, point);
  const int decimals =
      point == std::string_view::npos ? 0 : static_cast<int>(places.size() - point - 1);
  const FixedDecimal fixed = RoundDecimal(value, decimals);

  std::string integer = fixed.IntegerPart();
  const bool digit_places = places.find('#') != std::string_view::npos;
  if (!digit_places) {
    // Zero mask: pad the integer part with zeros to the mask's count.
    const auto zeros = static_cast<std::size_t>(Count(before, '0'));
    if (integer.size() < zeros) integer.insert(0, zeros - integer.size(), '0');
  } else if (before.empty() && integer == "0") {
    integer.clear();  // ".#": no place for a leading zero
  }
  std::string text = fixed.negative ? "-" : "";
  text += integer;
  if (decimals > 0) text += "." + fixed.FractionPart();
  if (digit_places && text.size() < places.size()) text.insert(0, places.size() - text.size(), ' ');
  return text + std::string(suffix);
}

std::string LeadingBlanks(std::string_view number) {
  return std::string(static_cast<std::size_t>(std::max(0, 4 - CharacterCount(number) / 2)), ' ');
}

}  // namespace lobrix
