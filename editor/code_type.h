// The code types the Horizontal and Vertical pages offer: which class a code's two type letters
// belong to, the range of the first number for that class, which explanation panel the page
// shows for it, and the type each code-type button sets.
#pragma once

#include <string_view>

namespace lobrix {

// Classes of type letters. The class fixes the range of the first number, whether the letter
// field offers a choice, and the panel group.
inline constexpr int kClassOmni = 1;     // ND and any letters not listed
inline constexpr int kClassEaDe = 2;     // EA, DE
inline constexpr int kClassEb = 3;       // EB
inline constexpr int kClassEc = 4;       // EC
inline constexpr int kClassLa = 5;       // LA
inline constexpr int kClassMinimum = 6;  // CA, CB, CC, KA
inline constexpr int kClassV = 7;        // V followed by any letter
inline constexpr int kClassW = 8;        // W followed by any letter
inline constexpr int kClassTa = 9;       // TA
inline constexpr int kClassP = 10;       // P followed by any letter

// The class of two type letters (positions 4 and 5 of a code). The pairs EA, DE, EB, EC, LA,
// CA, CB, CC, KA and TA are tried first, then the first letter alone (V, W, P); anything else,
// ND included, is class 1. Case-sensitive, as the code check is.
int TypeClass(std::string_view letters);

// The values field 10 lists for a class, both ends included.
struct NumberRange {
  int first = 0;
  int last = 0;
};
NumberRange FirstNumberRange(int typeClass);

// The last letter field 11 offers for the class's first letter ('I' for V and W, 'Z' for P),
// or 0 when field 11 holds the code's own type only.
char LastTypeLetter(int typeClass);

// The explanation panels under the code-type buttons.
enum class PanelGroup { kA, kB, kC, kD, kE };
PanelGroup PanelGroupOf(int typeClass);

// Code-type buttons, shared by both code pages; 114 is on the Vertical page only.
inline constexpr int kFirstTypeButton = 101;           // ND
inline constexpr int kLastHorizontalTypeButton = 113;  // TA
inline constexpr int kLastTypeButton = 114;            // PA

// The two type letters a button sets ("ND", "EA", ... "VA", "WA", "TA", "PA"); empty for an id
// that is no code-type button.
std::string_view ButtonType(int buttonId);

}  // namespace lobrix
