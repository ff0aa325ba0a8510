// The code check: the grammar, the ranges of every type, and the reasons it gives.
#include <gtest/gtest.h>

#include "model/antenna_pattern.h"

namespace lobrix {
namespace {

TEST(CodeCheck, RangeLimitsOfEveryType) {
  for (const char* valid : {"000ND00", "065EA10", "001EA00", "065DE00", "079EB00", "096EC00",
                            "120LA00", "100KA00", "000CA00", "100CC00", "890TA00", "001TA00",
                            "890PZ00", "999VA99", "000WI00", "120PA05", "510VE00"}) {
    EXPECT_EQ(VERANT(valid), 1) << valid;
  }
  for (const char* invalid : {"000ND01", "001ND00", "066EA00", "000EA00", "066DE00", "080EB00",
                              "097EC00", "121LA00", "000LA00", "101CC00", "101KA00", "891TA00",
                              "000TA00", "000PA00", "891PA00", "510VJ00", "510V@00", "030XX00"}) {
    EXPECT_EQ(VERANT(invalid), 0) << invalid;
  }
}

TEST(CodeCheck, CharactersAndLength) {
  EXPECT_EQ(VERANT("030ea10"), 0);   // types are upper case
  EXPECT_EQ(VERANT("030EA1"), 0);    // six characters
  EXPECT_EQ(VERANT("030EA100"), 1);  // characters after the seventh are ignored
  EXPECT_EQ(VERANT(""), 0);
  EXPECT_EQ(VERANT("120P500"), 1);   // a P code's fifth character is not examined
  EXPECT_EQ(VERANT(" 30EA10"), 0);
  EXPECT_EQ(VERANT("03OEA10"), 0);
  EXPECT_EQ(VERANT("030EA1O"), 0);
  EXPECT_EQ(VERANT(std::string_view("030EA\0" "0", 7)), 0);
}

TEST(CodeCheck, ReasonsNameTheBrokenRule) {
  EXPECT_EQ(CodeFaultText("030EA10"), "");
  EXPECT_EQ(CodeFaultText("066EA00"), "EA needs a first number from 1 to 65");
  EXPECT_EQ(CodeFaultText("000PA00"), "P needs a first number from 1 to 890");
  // Any code shorter than seven characters, down to none, is told its length.
  EXPECT_EQ(CodeFaultText("030EA1"), "a code has 7 characters, this one has 6");
  EXPECT_EQ(CodeFaultText("ab"), "a code has 7 characters, this one has 2");
  EXPECT_EQ(CodeFaultText(""), "a code has 7 characters, this one has 0");
  EXPECT_EQ(CodeFaultText("03xEA10"), "position 3 must be a digit 0-9");
  EXPECT_EQ(CodeFaultText("510VJ00"), "V needs a back-level letter A to I in position 5");
  EXPECT_EQ(CodeFaultText("001ND00"), "ND (omnidirectional) must be written 000ND00");
  EXPECT_NE(CodeFaultText("030ea10").find("'ea' is no antenna type"), std::string::npos);
  EXPECT_EQ(CheckCode("03xEA10").position, 3);
}

}  // namespace
}  // namespace lobrix
