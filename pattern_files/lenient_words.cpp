#include "pattern_files/lenient_words.h"

#include <charconv>
#include <cmath>

#include "text/text_number.h"

namespace lobrix::pattern_words {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view TakeWord(std::string_view& text) {
  std::size_t end = 0;
  while (end < text.size() && !IsBlank(text[end])) ++end;
  const std::string_view word = text.substr(0, end);
  text = Trim(text.substr(end));
  return word;
}

bool SameWord(std::string_view a, std::string_view upper) {
  if (a.size() != upper.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const char c = a[i] >= 'a' && a[i] <= 'z' ? static_cast<char>(a[i] - 'a' + 'A') : a[i];
    if (c != upper[i]) return false;
  }
  return true;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool ParseNumber(std::string_view word, double& value) {
  if (word.empty()) return false;
  std::size_t i = 0;
  if (i < word.size() && (word[i] == '+' || word[i] == '-')) ++i;
  const std::size_t start = word[0] == '+' ? 1 : 0;
  std::size_t digits = 0;
  while (i < word.size() && IsDigit(word[i])) ++i, ++digits;
  if (i < word.size() && word[i] == '.') {
    ++i;
    while (i < word.size() && IsDigit(word[i])) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < word.size() && (word[i] == 'e' || word[i] == 'E')) {
    ++i;
    if (i < word.size() && (word[i] == '+' || word[i] == '-')) ++i;
    const std::size_t exponent = i;
    while (i < word.size() && IsDigit(word[i])) ++i;
    if (i == exponent) return false;
  }
  if (i != word.size()) return false;
  const auto [end, error] = DecimalFromChars(word.data() + start, word.data() + word.size(), value);
  return error == std::errc() && end == word.data() + word.size() && std::isfinite(value);
}

bool StartsLikeNumber(std::string_view text) {
  return !text.empty() && (IsDigit(text[0]) || text[0] == '-' || text[0] == '+' || text[0] == '.');
}

}  // namespace lobrix::pattern_words
