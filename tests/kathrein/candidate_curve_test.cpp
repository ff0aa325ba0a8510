// The prepared candidate curves give exactly ANT93's values, bit for bit, for every family and
// first number that the conversion tries, a spread of last digits, and angles on both sides of
// every fold. Any difference could change which candidate wins.
#include "candidate_curve.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "antenna_pattern.h"
#include "conversion_steps.h"

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

void ExpectSameAsAnt93(const std::string& code, const CandidateCurve& curve, int last,
                       const std::vector<float>& angles) {
  for (const float angle : angles) {
    const float expected = ANT93(code, angle, kRelativeField);
    const float actual = CurveField(curve, MakeSampleAngle(angle), last);
    ASSERT_EQ(Bits(actual), Bits(expected))
        << code << " at " << angle << ": " << actual << " vs " << expected;
  }
}

TEST(CandidateCurve, SameBitsAsAnt93ForEverySingleAndMultiLobeCandidate) {
  const std::vector<float> angles = Angles();
  const CodeFamily families[] = {{"EA", 1, 65},  {"EB", 1, 79},  {"EC", 1, 96},
                                 {"LA", 1, 120}, {"KA", 0, 100}, {"DE", 1, 65},
                                 {"CA", 0, 100}, {"CB", 0, 100}, {"CC", 0, 100}};
  for (const CodeFamily& family : families) {
    for (int first = family.low; first <= family.high; ++first) {
      const CandidateCurve curve = PrepareCurve(family.type, first);
      for (const int last : {0, 1, 7, 33, 50, 90, 99}) {
        ExpectSameAsAnt93(CandidateCode(first, family.type, last), curve, last, angles);
      }
    }
  }
}

TEST(CandidateCurve, SameBitsAsAnt93ForTwinLobeCandidates) {
  const std::vector<float> angles = Angles();
  for (int d = 0; d <= 9; ++d) {
    for (const int halfAngle : {0, 1, 5, 10, 30, 45, 60, 90, 99}) {
      for (const std::string_view type : kTwinLobeTypes) {
        const CandidateCurve curve = PrepareTwinCurve(d, halfAngle, type[1], type[0] == 'W');
        for (const int last : {0, 9, 35, 47, 90, 99}) {
          ExpectSameAsAnt93(TwinLobeCode(d, halfAngle, type, last), curve, last, angles);
        }
      }
    }
  }
}

}  // namespace
}  // namespace lobrix
