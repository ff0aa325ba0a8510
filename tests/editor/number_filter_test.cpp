#include "editor/number_filter.h"

#include <gtest/gtest.h>

#include <string>

namespace lobrix {
namespace {

constexpr int kField = 10;

// Types the characters one by one as an edit box would, filtering after each.
std::string Type(const std::string& keys, int length, int integers, int decimals) {
  NumberFilterMemory memory;
  std::string text;
  for (char key : keys) text = NumberFilter(text + key, length, integers, decimals, memory, kField);
  return text;
}

TEST(NumberFilter, PointInsertedAfterTheIntegerDigits) {
  NumberFilterMemory memory;
  EXPECT_EQ(NumberFilter("1", 5, 3, 1, memory, kField), "1");
  EXPECT_EQ(NumberFilter("12", 5, 3, 1, memory, kField), "12");
  EXPECT_EQ(NumberFilter("123", 5, 3, 1, memory, kField), "123.");
  EXPECT_EQ(NumberFilter("123.4", 5, 3, 1, memory, kField), "123.4");
  EXPECT_EQ(NumberFilter("123.45", 5, 3, 1, memory, kField), "123.4");
  EXPECT_EQ(Type("1234", 5, 3, 1), "123.4");
  EXPECT_EQ(Type("12345", 5, 3, 1), "123.4");
  EXPECT_EQ(Type("7.55", 5, 3, 1), "7.5");
  EXPECT_EQ(Type("7..5", 5, 3, 1), "7.5");
  EXPECT_EQ(Type(".5", 5, 3, 1), ".5");
}

TEST(NumberFilter, LettersAndSignsDropped) {
  EXPECT_EQ(Type("1a2b", 5, 3, 1), "12");
  EXPECT_EQ(Type("-12", 5, 3, 1), "12");  // no sign on an azimuth
  EXPECT_EQ(Type("x", 5, 3, 1), "");
  EXPECT_EQ(Type("1-2", -4, 2, 1), "12.");  // a minus only in front
}

TEST(NumberFilter, LeadingMinusWhereAllowed) {
  EXPECT_EQ(Type("-", -4, 2, 1), "-");
  EXPECT_EQ(Type("-9", -4, 2, 1), "-9");
  EXPECT_EQ(Type("-95", -4, 2, 1), "-95.");
  EXPECT_EQ(Type("-125", -4, 2, 1), "-12.5");
  EXPECT_EQ(Type("45", -4, 2, 1), "45.");
}

TEST(NumberFilter, BackspaceOverTheInsertedPointTakesTheDigitBefore) {
  NumberFilterMemory memory;
  EXPECT_EQ(NumberFilter("123", 5, 3, 1, memory, kField), "123.");
  EXPECT_EQ(NumberFilter("123", 5, 3, 1, memory, kField), "12");  // the point deleted
  EXPECT_EQ(NumberFilter("12", 5, 3, 1, memory, kField), "12");

  NumberFilterMemory signed_;
  EXPECT_EQ(NumberFilter("-95", -4, 2, 1, signed_, kField), "-95.");
  EXPECT_EQ(NumberFilter("-95", -4, 2, 1, signed_, kField), "-9");
}

TEST(NumberFilter, OnlyForTheSameFocusedField) {
  NumberFilterMemory memory;
  EXPECT_EQ(NumberFilter("123", 5, 3, 1, memory, kField), "123.");
  // Another field gets "123" set: that is new text, not a deleted point.
  EXPECT_EQ(NumberFilter("123", 5, 3, 1, memory, 11), "123.");
  // "12" plus "." is not the previous result "123.".
  EXPECT_EQ(NumberFilter("12", 5, 3, 1, memory, 11), "12");
}

TEST(NumberFilter, LengthCutsAndZeroDecimals) {
  EXPECT_EQ(Type("12345", 3, 5, 0), "123");
  EXPECT_EQ(Type("1.5", 5, 3, 0), "15");  // no decimals: the point is dropped
  EXPECT_EQ(Type("12", 0, 3, 1), "");
}

}  // namespace
}  // namespace lobrix
