// The short number text and the masks, with ties decided on the decimal digits.
#include "render/number_format.h"

#include <gtest/gtest.h>

#include <limits>

namespace lobrix {
namespace {

struct Case {
  double value;
  int decimals;
  const char* text;
};

TEST(NumberText, ShortForm) {
  const Case cases[] = {
      {45, 1, " 45"},      {-0.5, 1, "-.5"},  {0.64, 1, " .6"}, {12.34, 1, " 12.3"},
      {14.48, 1, " 14.5"}, {-2.5, 1, "-2.5"}, {0, 1, " 0"},     {-0.04, 1, " 0"},
      {9.96, 1, " 10"},    {0.96, 1, " 1"},   {1e-7, 2, " 0"},  {-1.5, 1, "-1.5"},
      {359.6, 0, " 360"},  {270, 0, " 270"},  {-90, 0, "-90"},
  };
  for (const Case& c : cases) EXPECT_EQ(NumberText(c.value, c.decimals), c.text) << c.value;
  EXPECT_EQ(PlainNumberText(0.5, 1), ".5");
  EXPECT_EQ(PlainNumberText(-3, 1), "-3");
}

// Halves go to the even neighbour, judged on the number as written, not on its binary value.
TEST(NumberText, TiesToEvenOnTheDecimalValue) {
  const Case cases[] = {
      {12.25, 1, " 12.2"}, {12.35, 1, " 12.4"}, {0.125, 2, " .12"},
      {0.375, 2, " .38"},  {2.675, 2, " 2.68"},  // binary 2.67499999...; written 2.675, a tie
      {0.5, 0, " 0"},      {1.5, 0, " 2"},      {2.5, 0, " 2"},
      {-2.5, 0, "-2"},     {1.45f, 1, " 1.4"},  // the float 1.45f is 1.4500000476...: read as
                                                // written
  };
  for (const Case& c : cases) EXPECT_EQ(NumberText(c.value, c.decimals), c.text) << c.value;
}

TEST(FormatMask, ZeroAndDigitPlaceMasks) {
  struct MaskCase {
    double value;
    const char* mask;
    const char* text;
  };
  const MaskCase cases[] = {
      {7.5, "0.0", "7.5"},
      {127.5, "0.0", "127.5"},
      {-3, "0.0", "-3.0"},
      {0, "0.0", "0.0"},
      {45, "000", "045"},
      {350, "000", "350"},
      {5, "00", "05"},
      {0.2, ".#", ".2"},
      {0.8, ".#", ".8"},
      {3.5, "##.##", " 3.50"},
      {13.98, "##.##", "13.98"},
      {0, "###.#", "  0.0"},
      {-12.5, "###.#", "-12.5"},
      {359.96, "###.#", "360.0"},
      {1234.5, "####.#", "1234.5"},
      {0.2056, "#.###", "0.206"},
      {1, "#.###", "1.000"},
      {0.25, "#.#", "0.2"},
      {-0.04, "#.#", "0.0"},
      {3, "#.# dB", "3.0 dB"},
      {12.34, "#.# dB", "12.3 dB"},
      {0.5, "#.##", "0.50"},
  };
  for (const MaskCase& c : cases) {
    EXPECT_EQ(FormatMask(c.value, c.mask), c.text) << c.value << " " << c.mask;
  }
}

TEST(FormatMask, NonFiniteValuesGiveAWordNotGarbage) {
  EXPECT_EQ(FormatMask(std::numeric_limits<double>::quiet_NaN(), "#.# dB"), "NaN dB");
  EXPECT_EQ(NumberText(-std::numeric_limits<double>::infinity(), 1), "-Inf");
  EXPECT_EQ(FormatMask(1e300, "0.0").substr(0, 2), "10");  // a double beyond the float range
}

// The browser build forms the shortest text with printf; natively both forms exist and must
// give the same text, which the decimal rounding of every label starts from.
TEST(ShortestScientific, PrintfFormMatchesToChars) {
  const double values[] = {0.0,     -0.0,   1.0,       12.25,     0.1,         -2.5f,
                           30.0f,   1e-7,   123456.78, 2.14,      1.0 / 3.0,   359.9f,
                           0.1f,    1e300,  5e-324,    -14.5,     3.4028235e38, 65.0f,
                           0.15f,   0.35,   9.999999e-5, 1.7976931348623157e308};
  for (const double v : values) {
    SCOPED_TRACE(v);
    EXPECT_EQ(ShortestScientificByPrintf(v), ShortestScientific(v));
  }
}

}  // namespace
}  // namespace lobrix
