// The words of a pattern file's lines: blanks, keywords in any letter case, and decimal
// numbers as pattern files write them (a point, never a comma, as the decimal mark).
#pragma once

#include <string_view>

namespace lobrix::pattern_words {

bool IsBlank(char c);  // a blank or a tab
bool IsDigit(char c);

// The text without blanks and tabs at either end.
std::string_view Trim(std::string_view text);

// Splits off the first word of a trimmed text; `text` keeps the trimmed rest.
std::string_view TakeWord(std::string_view& text);

// `a` in any letter case equals `upper`, written in capitals.
bool SameWord(std::string_view a, std::string_view upper);

// A whole word as a finite decimal number: an optional sign, digits with an optional decimal
// point (a comma is no decimal point), an optional exponent.
bool ParseNumber(std::string_view word, double& value);

// The text begins as a number does (a digit, a sign or a point): a row rather than a keyword.
bool StartsLikeNumber(std::string_view text);

}  // namespace lobrix::pattern_words
