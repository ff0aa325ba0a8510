// ZISKANTVA and PlaneIntegral: published gains, the step count rule, the current gain.
#include <gtest/gtest.h>

#include <cmath>

#include "model/antenna_pattern.h"

namespace lobrix {
namespace {

TEST(Gain, PublishedValues) {
  EXPECT_NEAR(ZISKANTVA("000ND00", "000ND00"), -2.15, 0.005);
  EXPECT_NEAR(ZISKANTVA("065EA00", "000ND00"), 2.41, 0.005);
  EXPECT_NEAR(ZISKANTVA("030EA00", "100TA00"), 12.63, 0.005);
  EXPECT_NEAR(ZISKANTVA("050CB00", "120PA05"), 6.32, 0.005);
  EXPECT_NEAR(ZISKANTVA("100KA00", "000ND00"), -2.15, 0.005);  // KA at 100 % is omnidirectional
}

TEST(Gain, OmnidirectionalIntegralsAreExact) {
  EXPECT_FLOAT_EQ(PlaneIntegral("000ND00", "v"), 2.0f);
  EXPECT_FLOAT_EQ(PlaneIntegral("000ND00", "V"), 2.0f);
  EXPECT_NEAR(PlaneIntegral("000ND00", "h"), 2 * 3.14159265, 1e-6);
  // A KA code at 100 % is integrated, not shortcut: Simpson is exact for a constant.
  EXPECT_NEAR(PlaneIntegral("100KA00", "h"), 2 * 3.14159265, 1e-5);
  EXPECT_NEAR(PlaneIntegral("100KA00", "v"), 2.0, 1e-3);
}

TEST(Gain, InvalidCodeKeepsTheCurrentGain) {
  const float gain = ZISKANTVA("030EA00", "100TA00");
  EXPECT_FLOAT_EQ(CurrentGain(), gain);
  EXPECT_EQ(ZISKANTVA("090EB10", "000ND00"), -99.0f);
  EXPECT_EQ(ZISKANTVA("000ND00", ""), -99.0f);
  EXPECT_FLOAT_EQ(CurrentGain(), gain);
  SetCurrentGain(1.5f);
  EXPECT_FLOAT_EQ(CurrentGain(), 1.5f);
}

// The narrowest valid beams stay finite and positive; the gain grows as the beam narrows.
TEST(Gain, NarrowBeamsAndOrdering) {
  const float narrow = ZISKANTVA("001TA00", "001TA00");
  EXPECT_TRUE(std::isfinite(narrow));
  EXPECT_GT(narrow, ZISKANTVA("010TA00", "010TA00"));
  EXPECT_GT(ZISKANTVA("010EA00", "100TA00"), ZISKANTVA("030EA00", "100TA00"));
  EXPECT_GT(ZISKANTVA("030EA00", "100TA00"), ZISKANTVA("060EA00", "100TA00"));
}

}  // namespace
}  // namespace lobrix
