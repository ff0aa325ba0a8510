// The two languages of the user interface and one way to write a text in both: every text the
// user sees is a pair, and the language of the run picks one half.
#pragma once

#include <string_view>

namespace lobrix {

inline constexpr int kEnglish = 0;
inline constexpr int kCzech = 1;

// A text shown to the user, English and Czech, both UTF-8.
struct TextPair {
  std::string_view english;
  std::string_view czech;
};

// The half of `text` for `language` (kCzech gives Czech, anything else English, as the
// record's language byte is read).
constexpr std::string_view Pick(const TextPair& text, int language) {
  return language == kCzech ? text.czech : text.english;
}

}  // namespace lobrix
