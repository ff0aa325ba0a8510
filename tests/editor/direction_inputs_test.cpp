#include "editor/direction_inputs.h"

#include <gtest/gtest.h>

#include <string>

namespace lobrix {
namespace {

// Types the keys one by one over the selection, as the handler sees each change.
FieldEdit Type(int field, const std::string& keys) {
  NumberFilterMemory memory;
  FieldEdit edit;
  for (char key : keys) {
    const auto start = static_cast<std::size_t>(edit.selectionStart);
    const auto end = static_cast<std::size_t>(edit.selectionEnd);
    FieldEdit typed{edit.text.substr(0, start) + key + edit.text.substr(end), 0, 0};
    typed.selectionStart = typed.selectionEnd = edit.selectionStart + 1;
    edit = FilterDirectionEdit(field, typed, memory, field);
  }
  return edit;
}

TEST(DirectionEdit, ClampedAtTheLimits) {
  EXPECT_EQ(Type(kAzimuthField, "360").text, "359.9");
  EXPECT_EQ(Type(kAzimuthField, "3599").text, "359.9");
  EXPECT_EQ(Type(kElevationField, "-9").text, "-9");
  const FieldEdit low = Type(kElevationField, "-95");
  EXPECT_EQ(low.text, "-90.0");
  EXPECT_EQ(low.selectionStart, 0);
  EXPECT_EQ(low.selectionEnd, 1);
  EXPECT_EQ(Type(kElevationField, "95").text, "90.0");
  EXPECT_EQ(Type(kElevationField, "90").text, "90.");
  EXPECT_EQ(Type(kElevationField, "-905").text, "-90.0");
  EXPECT_EQ(Type(kElevationField, "-90").text, "-90.");
}

TEST(DirectionEdit, EmptyAndLonePointBecomeZeroButALoneMinusStays) {
  NumberFilterMemory memory;
  for (int field : {kAzimuthField, kElevationField}) {
    for (const char* text : {"", ".", "x"}) {
      const FieldEdit e = FilterDirectionEdit(field, {text, 1, 1}, memory, field);
      EXPECT_EQ(e.text, "0") << field << " '" << text << "'";
      EXPECT_EQ(e.selectionStart, 0);
      EXPECT_EQ(e.selectionEnd, 1);
    }
  }
  const FieldEdit minus = Type(kElevationField, "-");
  EXPECT_EQ(minus.text, "-");
  EXPECT_EQ(DirectionValue(minus.text), 0.0f);
}

TEST(DirectionEdit, CaretStepsOverTheInsertedPoint) {
  const FieldEdit e = Type(kAzimuthField, "123");
  EXPECT_EQ(e.text, "123.");
  EXPECT_EQ(e.selectionStart, 4);
  EXPECT_EQ(e.selectionEnd, 4);
  // A caret in the middle, before a point the user typed.
  NumberFilterMemory memory;
  const FieldEdit middle = FilterDirectionEdit(kAzimuthField, {"12.5", 2, 2}, memory, 10);
  EXPECT_EQ(middle.selectionStart, 3);
  // Letters dropped behind the caret: the selection stays inside the text.
  const FieldEdit dropped = FilterDirectionEdit(kAzimuthField, {"1abc", 4, 4}, memory, 10);
  EXPECT_EQ(dropped.text, "1");
  EXPECT_EQ(dropped.selectionStart, 1);
}

TEST(TidyDirectionText, OneDecimalWithoutATrailingZero) {
  const struct {
    float value;
    const char* text;
  } cases[] = {{45.0f, "45"},     {7.5f, "7.5"},   {0.0f, "0"},     {10.0f, "10"},
               {359.9f, "359.9"}, {-90.0f, "-90"}, {-2.5f, "-2.5"}, {100.0f, "100"},
               {0.04f, "0"},      {0.5f, "0.5"},   {12.25f, "12.2"}};
  for (const auto& c : cases) EXPECT_EQ(TidyDirectionText(c.value), c.text) << c.value;
}

}  // namespace
}  // namespace lobrix
