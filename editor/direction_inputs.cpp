#include "editor/direction_inputs.h"

#include <algorithm>

#include "editor/parameter_fields.h"
#include "render/number_format.h"

namespace lobrix {

FieldEdit FilterDirectionEdit(int field, const FieldEdit& typed, NumberFilterMemory& memory,
                              int focus) {
  const bool azimuth = field == kAzimuthField;
  FieldEdit edit = typed;
  edit.text = azimuth ? NumberFilter(typed.text, 5, 3, 1, memory, focus)
                      : NumberFilter(typed.text, -4, 2, 1, memory, focus);

  const double value = TextValue(edit.text);
  const bool empty = edit.text.empty() || edit.text == ".";
  std::string replacement;
  if (azimuth && value >= 360) {
    replacement = "359.9";
  } else if (!azimuth && value > 90) {
    replacement = "90.0";
  } else if (empty) {
    replacement = "0";
  } else if (!azimuth && value < -90) {
    replacement = "-90.0";
  }
  if (!replacement.empty()) {
    edit.text = replacement;
    edit.selectionStart = 0;
    edit.selectionEnd = 1;
  }

  // The filter may have dropped characters: keep the selection inside the text.
  const int size = static_cast<int>(edit.text.size());
  edit.selectionStart = std::clamp(edit.selectionStart, 0, size);
  edit.selectionEnd = std::clamp(edit.selectionEnd, edit.selectionStart, size);
  if (edit.selectionStart < size &&
      edit.text[static_cast<std::size_t>(edit.selectionStart)] == '.') {
    ++edit.selectionStart;
    ++edit.selectionEnd;
  }
  return edit;
}

float DirectionValue(std::string_view text) {
  return static_cast<float>(TextValue(text));
}

std::string TidyDirectionText(float value) {
  std::string text = FormatMask(value, "0.0");
  while (!text.empty()) {
    const char last = text.back();
    if (last != '0' && last != '.') break;
    text.pop_back();
    if (last == '.') break;
  }
  return text;
}

}  // namespace lobrix
