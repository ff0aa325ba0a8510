// A curve prepared once and evaluated with its last digits given as a number (the conversion's
// digit sweep) gives exactly ANT93's values for the code with those digits, bit for bit: every
// family and first number, a spread of last digits, and angles on both sides of every fold.
// Any difference could change which candidate of the conversion wins.
#include "model/prepared_curve.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "model/antenna_pattern.h"

namespace lobrix {
namespace {

std::vector<float> Angles() {
  std::vector<float> angles = {-359.5f, -270,    -181,  -180,  -179.5f, -90,    -45.25f,
                               -1.5f,   -0.25f,  0,     0.25f, 1,       10,     29.75f,
                               44.9f,   59.5f,   89.9f, 90,    120,     150.5f, 179.75f,
                               180,     180.25f, 200,   270,   300.5f,  358.5f, 359.9f};
  for (float a = -359; a <= 359; a += 13) angles.push_back(a);
  for (int i = 0; i < 360; i += 11) angles.push_back(AngleFromMaximum(i, 357.75f));
  return angles;
}

uint32_t Bits(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

std::string Code(int first, std::string_view type, int last) {
  char text[16];
  std::snprintf(text, sizeof text, "%03d%.2s%02d", first, type.data(), last);
  return text;
}

void ExpectSameAsAnt93(const std::string& code, const PreparedCurve& curve, int last,
                       const std::vector<float>& angles) {
  for (const float angle : angles) {
    const float expected = ANT93(code, angle, kRelativeField);
    const float actual = CurveField(curve, MakeSampleAngle(angle), last);
    ASSERT_EQ(Bits(actual), Bits(expected))
        << code << " at " << angle << ": " << actual << " vs " << expected;
  }
}

TEST(PreparedCurve, DigitSweepGivesAnt93BitsForSingleAndMultiLobeFamilies) {
  struct Family {
    std::string_view type;
    int low, high;
  };
  const std::vector<float> angles = Angles();
  const Family families[] = {{"EA", 1, 65},  {"EB", 1, 79},  {"EC", 1, 96},
                             {"LA", 1, 120}, {"KA", 0, 100}, {"DE", 1, 65},
                             {"CA", 0, 100}, {"CB", 0, 100}, {"CC", 0, 100}};
  for (const Family& family : families) {
    for (int first = family.low; first <= family.high; ++first) {
      const PreparedCurve curve = PrepareCurve(family.type, first);
      for (const int last : {0, 1, 7, 33, 50, 90, 99}) {
        ExpectSameAsAnt93(Code(first, family.type, last), curve, last, angles);
      }
    }
  }
}

TEST(PreparedCurve, DigitSweepGivesAnt93BitsForTwinLobeFamilies) {
  const std::vector<float> angles = Angles();
  for (int d = 0; d <= 9; ++d) {
    for (const int halfAngle : {0, 1, 5, 10, 30, 45, 60, 90, 99}) {
      for (const std::string_view type : {"VA", "VE", "VI", "WA", "WE", "WI"}) {
        const PreparedCurve curve = PrepareTwinCurve(d, halfAngle, type[1], type[0] == 'W');
        for (const int last : {0, 9, 35, 47, 90, 99}) {
          ExpectSameAsAnt93(Code(d * 100 + halfAngle, type, last), curve, last, angles);
        }
      }
    }
  }
}

}  // namespace
}  // namespace lobrix
