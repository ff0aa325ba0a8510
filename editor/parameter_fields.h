// The three parameter fields of the code pages as pure data: field 10 the first number N,
// field 11 the type letters, field 12 the second number Z. What each holds for a code, the
// overtype entry that keeps a typed number within its class, the code a code-type button gives,
// and the parameters kept across a switch to and from the omnidirectional type.
//
// Every item and every text of the fields begins with one blank; a field's value is its text
// without that first character.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/page_field_ids.h"

namespace lobrix {

inline constexpr std::string_view kOmniCode = "000ND00";

// One combo box's content: its list, the selected item (-1: none) and whether it takes input.
struct ComboContent {
  std::vector<std::string> items;
  int selected = -1;
  bool enabled = false;
};

struct ParameterFieldContents {
  ComboContent number;  // field 10
  ComboContent type;    // field 11
  ComboContent second;  // field 12
};

// The three fields for a code: class 1 single disabled items " 000", " ND", " 00"; otherwise
// field 10 lists the class's range, field 11 the code's type alone (disabled) or the letters of
// its family (V and W: A to I, P: A to Z), field 12 lists 00 to 99; the code's own values are
// selected. A value the list lacks (a P code whose second character is no letter) leaves that
// field without a selection.
ParameterFieldContents ParameterFieldsFor(std::string_view code);

// A field's value: its text without the first character.
std::string_view FieldValue(std::string_view text);

// The number a text starts with, read as the fields read it: leading blanks skipped, an
// optional minus sign, digits with an optional decimal point; 0 when there is no number
// ("-", ".", "" and "abc" all give 0).
double TextValue(std::string_view text);

// The text and selection a field gets after an edit. The selection runs from the caret to the
// end of the text, so the next digit typed replaces the character after the caret.
struct OvertypeResult {
  std::string text;
  int selectionStart = 0;
  int selectionEnd = 0;
};

// Overtype entry in field 10 or 12 after the user changed its edit text to `editText` with the
// caret (selection start) at `caret`: keeps the digits only, pads field 12 to two and field 10
// to three digits, and brings a first number outside the range of `typeLetters`' class back
// inside as the user is likely to mean it (typing 7 for EA, 1 to 65, gives 060).
OvertypeResult OvertypeEntry(int field, std::string_view editText, int caret,
                             std::string_view typeLetters);

// The code the three field texts compose (each without its first blank, joined); nothing when
// that is shorter than 7 characters, the first 7 when longer.
std::optional<std::string> ComposedCode(std::string_view numberText, std::string_view typeText,
                                        std::string_view secondText);

// N and Z of a page's code as they were when the user switched it to ND: one set for both
// pages, used when the user switches a code away from ND again.
struct RememberedParameters {
  int number = 0;
  std::string second = "00";
  bool set = false;
};

// The set the editor uses: it lives as long as the process, across openings of the dialog.
RememberedParameters& ProcessRememberedParameters();

// The page's new code after a click on code-type button `buttonId`. `previousType` is the type
// shown until now (field 11's selected item without its blank); `numberValue` and
// `secondValue` the values of fields 10 and 12. ND: "000ND00", remembering N and Z unless the
// code was ND already. Another type: N and Z from the fields, or after ND the remembered ones
// (60 and 00 when none are), N clamped into the type's range. Empty for an unknown button.
std::string CodeForTypeButton(int buttonId, std::string_view previousType,
                              std::string_view numberValue, std::string_view secondValue,
                              RememberedParameters& remembered);

}  // namespace lobrix
