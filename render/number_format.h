// Numbers as the editor and the views show them. Every rounding here goes to the nearest
// value with halves to the even neighbour, decided on the number's shortest decimal form:
// 12.25 -> 12.2, 0.125 -> 0.12. A double that holds a single-precision value exactly is read
// as that float's shortest form, so 1.45f rounds to 1.4 (as written), not by its binary
// expansion 1.4500000476...
#pragma once

#include <string>
#include <string_view>

namespace lobrix {

// The short form rounded to `decimals` places: a blank before values >= 0 (a minus sign
// otherwise), no leading zero below 1, no trailing zeros, no point for whole numbers.
// 45 -> " 45", -0.5 -> "-.5", 0.64 (1 place) -> " .6", 0 -> " 0".
std::string NumberText(double value, int decimals);

// NumberText without the blank in front of values >= 0: 0.5 -> ".5", -3 -> "-3".
std::string PlainNumberText(double value, int decimals);

// A value through a mask. Masks of zeros ("0.0", "000", "00"): at least as many digits before
// the point as the mask has zeros there (padded with zeros), exactly as many decimals as after
// it, no blanks: 7.5 -> "7.5", 45 -> "045", -3 with "0.0" -> "-3.0".
// Masks of # places ("###.#", "####.#", "##.##", "#.###", "#.##", "#.#", ".#"): right-aligned
// in as many characters as the mask has, fixed decimals, a leading 0 where the mask has a
// place before the point, none where it has not: 3.5 with "##.##" -> " 3.50", 0.2 with ".#" ->
// ".2", 0 with "###.#" -> "  0.0". A number too long for its mask widens the field.
// Text after the mask is kept: 3 with "#.# dB" -> "3.0 dB". A negative zero shows no sign.
std::string FormatMask(double value, std::string_view mask);

// Blanks that centre a number of n characters in a heading: 4 - n div 2, never negative.
std::string LeadingBlanks(std::string_view number);

// The shortest scientific text ("1.225e+01") that reads back as `value` (a double that is
// exactly a float: as that float), by std::to_chars where the C++ library has the floating-point
// form; the browser build's library (libc++ 13) has not, and uses ShortestScientificByPrintf.
std::string ShortestScientific(double value);
// The same from the first printf precision whose text reads back as the value; built
// everywhere so that native tests hold it to to_chars.
std::string ShortestScientificByPrintf(double value);

}  // namespace lobrix
