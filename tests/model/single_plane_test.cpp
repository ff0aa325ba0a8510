// ANT93: the published values of every type, failure values, and properties that hold for all
// codes (range, symmetry, folding of the angle).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "model/antenna_pattern.h"

namespace lobrix {
namespace {

struct Case {
  const char* code;
  float angle;
  double db;  // attenuation rounded to two decimals, from the formulas of each type
};

TEST(Ant93, ValuesOfEveryType) {
  const Case cases[] = {
      {"000ND00", 0, 0},      {"000ND00", 123.4f, 0}, {"123ND45", 77, 0},
      {"030EA00", 0, 0},      {"030EA00", 30, 3.01},  {"030EA00", 90, 40},
      {"030EA00", 180, 40},   {"030EB00", 180, 13.98}, {"030EC00", 180, 7.96},
      {"030DE00", 30, 3.01},  {"030DE00", 180, 0},    {"060LA00", 60, 3.01},
      {"060LA00", 90, 40},    {"060LA10", 100, 20},   {"300TA00", 30, 3.01},
      {"300TA00", 90, 40},    {"300TA00", 135, 40},   {"050KA00", 180, 6.02},
      {"050CA00", 90, 6.02},  {"050CB00", 60, 6.02},  {"050CC00", 45, 6.02},
      {"510VE00", 0, 0},      {"510VE00", 20, 0},     {"510VE00", 180, 13.74},
      {"120PA05", 12, 3.01},  {"030EA10", 150, 20},
      // h = cos(angle) is a single-precision value: 3.06 dB where exact arithmetic gives 3.01.
      {"001TA00", 0.1f, 3.06},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(ANT93(c.code, c.angle, kDecibel), c.db, 0.005) << c.code << " at " << c.angle;
  }
  EXPECT_NEAR(ANT93("510VE00", 180, kRelativeField), 0.2056, 0.00005);
  EXPECT_FLOAT_EQ(ANT93("000ND00", 5, kRelativeField), 1.0f);
  EXPECT_FLOAT_EQ(ANT93("000ND00", 5, 7), 1.0f);  // any mode but 2 is the relative field
}

TEST(Ant93, WEnvelopesBetweenAndOutsideTheLobes) {
  // 020WA35: half beam width 15, lobes at 0 and 40; inner level 0.35 + 5/20, outer 3/20.
  EXPECT_NEAR(ANT93("020WA35", 20, kRelativeField), 0.6, 1e-6);
  EXPECT_NEAR(ANT93("020WA35", -90, kRelativeField), 0.15, 1e-6);
  // The envelope radius does not apply to W: an outer level 0 leaves the floor of 0.01.
  EXPECT_NEAR(ANT93("020WA00", 180, kRelativeField), 0.01, 1e-6);
}

TEST(Ant93, InvalidCodesAndAnglesGiveMinusOne) {
  for (const char* code : {"066EA00", "121LA00", "891TA00", "101KA00", "510VJ00", "030ea00",
                           "030XY00", "", "03", "000PA00"}) {
    EXPECT_EQ(ANT93(code, 10, kDecibel), -1.0f) << code;
    EXPECT_EQ(ANT93(code, 10, kRelativeField), -1.0f) << code;
  }
  for (float angle : {std::numeric_limits<float>::quiet_NaN(),
                      std::numeric_limits<float>::infinity(),
                      -std::numeric_limits<float>::infinity()}) {
    EXPECT_EQ(ANT93("030EA10", angle, kDecibel), -1.0f);
    EXPECT_EQ(ANT93("000ND00", angle, kDecibel), -1.0f);
  }
}

TEST(Ant93, AngleFolding) {
  // 200 is evaluated as -160.
  for (const char* code : {"510VE00", "030EB00", "060LA10", "020WA35"}) {
    EXPECT_FLOAT_EQ(ANT93(code, 200, kRelativeField), ANT93(code, -160, kRelativeField)) << code;
  }
}

// Every valid code of every type, at every angle the views and the converter pass, gives a
// field in 0.01..1 and an attenuation in 0..40 that agree with each other.
TEST(Ant93, RangeAndConsistencyOverRandomCodes) {
  std::mt19937 random(17);
  const char* types[] = {"EA", "EB", "EC", "DE", "LA", "KA", "CA", "CB", "CC", "TA",
                         "VA", "VE", "VI", "WA", "WD", "WI", "PA", "PK"};
  for (int i = 0; i < 4000; ++i) {
    char code[8];
    const char* type = types[random() % std::size(types)];
    std::snprintf(code, sizeof code, "%03u%s%02u", static_cast<unsigned>(random() % 1000), type,
                  static_cast<unsigned>(random() % 100));
    const auto angle = static_cast<float>(std::uniform_real_distribution<>(-359, 360)(random));
    const float f = ANT93(code, angle, kRelativeField);
    const float db = ANT93(code, angle, kDecibel);
    if (VERANT(code) == 0) {
      EXPECT_EQ(f, -1.0f) << code;
      continue;
    }
    ASSERT_GE(f, 0.01f) << code << " " << angle;
    ASSERT_LE(f, 1.0f) << code << " " << angle;
    ASSERT_NEAR(db, -20 * std::log10(f), 1e-4) << code << " " << angle;
  }
}

TEST(Ant93, SymmetricTypesAreSymmetric) {
  for (const char* code : {"030EA05", "045EB00", "070EC00", "020DE00", "090LA10", "040KA00",
                           "030CA00", "060CB00", "080CC00", "250TA00", "250PA00"}) {
    for (float a = 0; a < 180; a += 7.25f) {
      EXPECT_FLOAT_EQ(ANT93(code, a, kRelativeField), ANT93(code, -a, kRelativeField))
          << code << " " << a;
    }
    EXPECT_FLOAT_EQ(ANT93(code, 0, kRelativeField), 1.0f) << code;
  }
}

}  // namespace
}  // namespace lobrix
