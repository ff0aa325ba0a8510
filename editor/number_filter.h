// The character filter of the direction fields: keeps a well-formed decimal number while the
// user types, inserting the point after the last integer digit and dropping everything else.
#pragma once

#include <string>
#include <string_view>

namespace lobrix {

// What the filter keeps between two calls: the control that had the focus and the filtered
// text it gave (without the sign). One per page.
struct NumberFilterMemory {
  int focus = 0;
  std::string previous;
};

// Filters `text` to at most `integerDigits` digits, a point and `decimals` digits, and at most
// |length| characters after an optional sign. A negative `length` allows a leading "-". A
// point is appended as soon as the integer digits are full (123 -> "123."); when the text is
// that result with the point deleted again, the digit before it goes too, so a backspace over
// the inserted point does what the user sees. `focus` is the control being edited.
// Examples with (5, 3, 1): "1234" -> "123.4", "12345" -> "123.4", "1a2" -> "12".
std::string NumberFilter(std::string_view text, int length, int integerDigits, int decimals,
                         NumberFilterMemory& memory, int focus);

}  // namespace lobrix
