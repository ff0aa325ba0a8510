// Number parsing and value formatting of the command line.
#include "arguments.h"

#include <gtest/gtest.h>

namespace lobrix::cli {
namespace {

TEST(ParseNumber, AcceptsDecimalAndExponentForms) {
  EXPECT_EQ(ParseNumber("30"), 30.0f);
  EXPECT_EQ(ParseNumber("-5.5"), -5.5f);
  EXPECT_EQ(ParseNumber("1e-6"), 1e-6f);
  EXPECT_EQ(ParseNumber("+5"), 5.0f);
  EXPECT_EQ(ParseNumber("359.9"), 359.9f);
  // Below the float range is still a number: it becomes 0, it is not refused.
  EXPECT_EQ(ParseNumber("1e-60"), 0.0f);
}

TEST(ParseNumber, RefusesWhatIsNoFiniteFloat) {
  for (const char* text : {"", "30x", "x30", " 30", "30 ", "nan", "NaN", "inf", "-inf", "infinity",
                           "1e39", "-1e39", "+", "+-5", "--5", "1e", "0x10"}) {
    EXPECT_EQ(ParseNumber(text), std::nullopt) << '"' << text << '"';
  }
}

TEST(ParseInteger, TakesWholeNumbersInIntRangeOnly) {
  EXPECT_EQ(ParseInteger("2"), 2);
  EXPECT_EQ(ParseInteger("-1"), -1);
  EXPECT_EQ(ParseInteger("+0"), 0);
  for (const char* text : {"", "2.0", "2x", "1e3", "99999999999", "+-2"}) {
    EXPECT_EQ(ParseInteger(text), std::nullopt) << '"' << text << '"';
  }
}

TEST(Format, ZeroNeverCarriesAMinusSign) {
  // dBi of an omnidirectional antenna: -2.15f + 2.15 is a tiny negative number.
  EXPECT_EQ(FormatFixed(-2.15f + 2.15, 2), "0.00");
  EXPECT_EQ(FormatFixed(-2.15, 2), "-2.15");
  EXPECT_EQ(FormatFixed(-0.004, 2), "0.00");
  EXPECT_EQ(FormatFixed(-0.005001, 2), "-0.01");
  EXPECT_EQ(FormatFull(-0.0), "0");
  EXPECT_EQ(FormatFull(-0.0000001), "-1e-07");
  EXPECT_EQ(FormatFull(3.01030016f), "3.01030016");
}

}  // namespace
}  // namespace lobrix::cli
