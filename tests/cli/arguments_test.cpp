// Number parsing and value formatting of the command line.
#include "cli/arguments.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

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

// Below the normal float range is 0, whether the double reader returns a subnormal float's
// worth ("1e-40"), a subnormal double ("1e-320") or "out of range" ("1e-400").
TEST(ParseNumber, BelowTheFloatRangeIsZero) {
  const std::string tinyDecimal = "0." + std::string(400, '0') + "1";
  for (const std::string text :
       {"1e-40", "-1e-40", "1.1e-38", "1e-320", "1e-400", "-1e-400", "+1e-400",
        "1E-99999999999999999999", "0.0001e-399", tinyDecimal.c_str()}) {
    const std::optional<float> value = ParseNumber(text);
    ASSERT_TRUE(value.has_value()) << text;
    EXPECT_EQ(*value, 0.0f) << text;
  }
  EXPECT_EQ(ParseNumber("1.2e-38"), 1.2e-38f);  // the smallest normal float is 1.17549435e-38
}

// The largest float, FLT_MAX = (2 - 2^-23) * 2^127, printed with nine digits rounds up to a
// value just above it that must still read as FLT_MAX; from half a unit above on a float is
// infinite and the text is refused.
TEST(ParseNumber, LargestFloatReadsBackAndBeyondIsRefused) {
  constexpr float kMax = std::numeric_limits<float>::max();
  EXPECT_EQ(ParseNumber("3.40282347e38"), kMax);
  EXPECT_EQ(ParseNumber("-3.40282347e38"), -kMax);
  EXPECT_EQ(ParseNumber("3.4028235e38"), kMax);
  EXPECT_EQ(ParseNumber("3.40282356e38"), kMax);  // below FLT_MAX + 2^103 = 3.402823567797e38
  const std::string hugeDecimal = "1" + std::string(400, '0');
  for (const std::string text : {"3.40282357e38", "3.5e38", "1e400", "-1e400",
                                 "1e99999999999999999999", "0.001e400", hugeDecimal.c_str()}) {
    EXPECT_EQ(ParseNumber(text), std::nullopt) << text;
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

TEST(Shown, EscapesControlBytesAndCutsLongWords) {
  EXPECT_EQ(Shown("030EA10"), "030EA10");
  EXPECT_EQ(Shown("\x1b[2J\x7f\x9b\xff\t"), "\\x1B[2J\\x7F\\x9B\\xFF\\x09");
  EXPECT_EQ(Shown(std::string(40, '7')), std::string(40, '7'));
  EXPECT_EQ(Shown(std::string(41, '7')), std::string(40, '7') + "...");
  EXPECT_EQ(ShownCode(""), "\"\"");
  EXPECT_EQ(Printable(std::string(100, 'a') + '\n'), std::string(100, 'a') + "\\x0A");
}

// Position 5 of a P code is its downtilt, A = 0 degrees: byte 0x9A (octal 232) is 89 degrees,
// 0x9B (octal 233) 90 and 0xFF (octal 377) 190.
TEST(DowntiltFaultText, OnlyValidPCodesTiltedNinetyDegreesOrMore) {
  EXPECT_EQ(DowntiltFaultText("120P\23305"),
            "P downtilt of 90 degrees (position 5): a pattern in space needs less than 90");
  EXPECT_NE(DowntiltFaultText("120P\37705").find("of 190 degrees"), std::string::npos);
  // 89 degrees, other letters, other types, an invalid P code, a short one, none.
  for (const char* code :
       {"120P\23205", "120PZ05", "120PA05", "120P005", "100TA00", "000P\23305", "120P\233", ""}) {
    EXPECT_EQ(DowntiltFaultText(code), "") << Shown(code);
  }
}

}  // namespace
}  // namespace lobrix::cli
