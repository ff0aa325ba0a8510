// The number fields of the direction page (AziMax, EleMax) and of the 3-D page (test azimuth,
// test elevation): what a typed text becomes, and the tidy form a field takes when it loses
// the focus.
#pragma once

#include <string>
#include <string_view>

#include "editor/number_filter.h"
#include "editor/page_field_ids.h"

namespace lobrix {

// A field's text and selection (start, end) in characters.
struct FieldEdit {
  std::string text;
  int selectionStart = 0;
  int selectionEnd = 0;
};

// The text after the user changed a direction field: filtered (azimuth: 3 integer digits and 1
// decimal, no sign; elevation: 2 and 1 with an optional minus), then an azimuth of 360 or more
// becomes "359.9", an elevation above 90 "90.0" and below -90 "-90.0", an empty text or a
// lone point "0"; a replaced text gets the first character selected. A caret in front of a
// point steps over it.
FieldEdit FilterDirectionEdit(int field, const FieldEdit& typed, NumberFilterMemory& memory,
                              int focus);

// The value a direction field's text stands for ("-" and "" are 0).
float DirectionValue(std::string_view text);

// The field's text when it loses the focus: one decimal, without a trailing ".0" (45.0 -> "45",
// 7.5 -> "7.5", 0 -> "0").
std::string TidyDirectionText(float value);

}  // namespace lobrix
