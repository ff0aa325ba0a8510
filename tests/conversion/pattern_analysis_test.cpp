// AnalysePattern: lobe classes with hand-built patterns, the plateau centre, the half-width
// walk, and patterns that a literal reading would never finish.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "conversion/conversion.h"

namespace lobrix {
namespace {

struct Lobe {
  int centre;
  float height;
};

// Triangular lobes: height * (1 - distance / 40) on a floor of 0.05; distance around the circle.
PatternColumn Lobes(std::initializer_list<Lobe> lobes) {
  PatternColumn e;
  for (int i = 0; i < 360; ++i) {
    float value = 0.05f;
    for (const Lobe& lobe : lobes) {
      const int d = std::abs(i - lobe.centre) % 360;
      const int distance = std::min(d, 360 - d);
      value = std::max(value, lobe.height * (1.0f - static_cast<float>(distance) / 40.0f));
    }
    e[static_cast<std::size_t>(i)] = value;
  }
  return e;
}

TEST(AnalysePattern, FlatAndNearOmni) {
  PatternColumn e;
  e.fill(1.0f);
  EXPECT_EQ(AnalysePattern(e).lobeClass, LobeClass::Flat);
  e.fill(0.3f);
  EXPECT_EQ(AnalysePattern(e).lobeClass, LobeClass::Flat);

  for (int i = 0; i < 360; ++i) e[i] = 0.9f + 0.1f * static_cast<float>(i % 37) / 36.0f;
  PatternShape shape = AnalysePattern(e);
  EXPECT_EQ(shape.lobeClass, LobeClass::NearOmni);  // 0.9 >= 0.89
  EXPECT_EQ(shape.mainAzimuth, 36.0f);              // the first index of the maximum
  e[200] = 0.88f;
  EXPECT_NE(AnalysePattern(e).lobeClass, LobeClass::NearOmni);
}

TEST(AnalysePattern, MainAzimuthIsThePlateauCentre) {
  PatternColumn e = Lobes({{0, 1.0f}});
  EXPECT_EQ(AnalysePattern(e).mainAzimuth, 0.0f);
  e[359] = 1.0f;  // equal maxima at 359 and 0
  EXPECT_EQ(AnalysePattern(e).mainAzimuth, 359.5f);
  e[358] = 1.0f;
  e[1] = 1.0f;  // 358 over 0 to 1
  EXPECT_EQ(AnalysePattern(e).mainAzimuth, 359.5f);
  e = Lobes({{10, 1.0f}});
  e[11] = 1.0f;
  EXPECT_EQ(AnalysePattern(e).mainAzimuth, 10.5f);
}

TEST(AnalysePattern, OneLobeWhateverItsBack) {
  // A back lobe at 0.7 of the maximum stays under the 3 dB level (0.708).
  const PatternShape shape = AnalysePattern(Lobes({{50, 1.0f}, {230, 0.7f}}));
  EXPECT_EQ(shape.lobeClass, LobeClass::One);
  EXPECT_EQ(shape.mainAzimuth, 50.0f);
  EXPECT_FLOAT_EQ(shape.secondaryMaximum, 0.7f);
}

TEST(AnalysePattern, TwoOppositeLobes) {
  PatternShape shape = AnalysePattern(Lobes({{0, 1.0f}, {180, 1.0f}}));
  EXPECT_EQ(shape.lobeClass, LobeClass::Opposite);
  EXPECT_EQ(shape.mainAzimuth, 0.0f);
  EXPECT_EQ(shape.separation, 180.0f);
  // 90 is not inside 90 < azimuth < 270: no swap.
  shape = AnalysePattern(Lobes({{90, 1.0f}, {270, 1.0f}}));
  EXPECT_EQ(shape.lobeClass, LobeClass::Opposite);
  EXPECT_EQ(shape.mainAzimuth, 90.0f);
  // The main lobe becomes the one nearer to 0 degrees.
  shape = AnalysePattern(Lobes({{100, 1.0f}, {281, 1.0f}}));
  EXPECT_EQ(shape.lobeClass, LobeClass::Opposite);
  EXPECT_EQ(shape.mainAzimuth, 281.0f);
  EXPECT_EQ(shape.secondaryAzimuth, 100.0f);
  EXPECT_EQ(shape.separation, 179.0f);
}

TEST(AnalysePattern, TwoLobesSecondClockwiseWithin190) {
  PatternShape shape = AnalysePattern(Lobes({{0, 1.0f}, {240, 1.0f}}));
  EXPECT_EQ(shape.lobeClass, LobeClass::Two);
  EXPECT_EQ(shape.mainAzimuth, 240.0f);
  EXPECT_EQ(shape.separation, 120.0f);
  shape = AnalysePattern(Lobes({{30, 1.0f}, {100, 0.9f}}));
  EXPECT_EQ(shape.lobeClass, LobeClass::Two);
  EXPECT_EQ(shape.mainAzimuth, 30.0f);
  EXPECT_EQ(shape.separation, 70.0f);
  // Opposite but 186 degrees apart: two lobes, not class 22.
  shape = AnalysePattern(Lobes({{0, 1.0f}, {186, 1.0f}}));
  EXPECT_EQ(shape.lobeClass, LobeClass::Two);
  EXPECT_EQ(shape.separation, 186.0f);
}

TEST(AnalysePattern, ThreeAndFourLobes) {
  EXPECT_EQ(AnalysePattern(Lobes({{0, 1.0f}, {120, 1.0f}, {240, 1.0f}})).lobeClass,
            LobeClass::Three);
  // The lobe at 180 the highest of the other three: four lobes.
  EXPECT_EQ(AnalysePattern(Lobes({{0, 1.0f}, {90, 0.8f}, {180, 0.9f}, {270, 0.8f}})).lobeClass,
            LobeClass::Four);
  // Four equal lobes: the secondary maximum is the lobe at 90, so two lobes 90 apart.
  const PatternShape shape =
      AnalysePattern(Lobes({{0, 1.0f}, {90, 1.0f}, {180, 1.0f}, {270, 1.0f}}));
  EXPECT_EQ(shape.lobeClass, LobeClass::Two);
  EXPECT_EQ(shape.separation, 90.0f);
  // A third lobe at 90 degrees alone gives 22, not 3.
  EXPECT_EQ(AnalysePattern(Lobes({{0, 1.0f}, {90, 0.8f}, {180, 1.0f}})).lobeClass,
            LobeClass::Opposite);
}

TEST(AnalysePattern, HalfWidthWalkAndWindow) {
  // A straight flank 1 - 0.0505 k: still above 0.1 at k = 17, below at k = 18. The left walk
  // counts k = 0..18 (19 steps), the right one k = 1..18 (18): 18.5 rounds to 18.
  PatternColumn e;
  for (int i = 0; i < 360; ++i) {
    const int k = std::abs(i - 100);
    e[i] = std::max(0.02f, 1.0f - 0.0505f * static_cast<float>(k));
  }
  PatternShape shape = AnalysePattern(e);
  EXPECT_EQ(shape.lobeClass, LobeClass::One);
  EXPECT_EQ(shape.halfWidth, 18);
  EXPECT_EQ(shape.windowStart, 82);
  EXPECT_EQ(shape.windowEnd, 118);
  EXPECT_EQ(shape.windowStep, 1);  // 36 / 30 rounds to 1

  // Noise: a rise at k = 5 on the right stops that walk there (5 steps).
  e[105] = e[104] + 0.001f;
  shape = AnalysePattern(e);
  EXPECT_EQ(shape.halfWidth, 12);  // (19 + 5) / 2

  // An envelope of exactly 0.1 (-20 dB) is not below the 20 dB level: the walks run on along
  // it until the pattern climbs again, far beyond the lobe.
  for (int i = 0; i < 360; ++i) {
    e[i] = std::max(0.1f, 1.0f - 0.0505f * static_cast<float>(std::abs(i - 100)));
  }
  EXPECT_GT(AnalysePattern(e).halfWidth, 150);

  // A value below the 20 dB level next to the maximum still counts its step.
  e.fill(0.02f);
  e[200] = 1.0f;
  shape = AnalysePattern(e);
  EXPECT_EQ(shape.halfWidth, 2);  // left: the maximum and 199 (2), right: 201 (1); 1.5 -> 2
  EXPECT_EQ(shape.windowStep, 1);
}

TEST(AnalysePattern, EndsOnPatternsThatWouldLoopForever) {
  // All 1.0 but e(180) = 0.5: the region outside the main lobe is that one sample.
  PatternColumn e;
  e.fill(1.0f);
  e[180] = 0.5f;
  PatternShape shape = AnalysePattern(e);
  EXPECT_EQ(shape.lobeClass, LobeClass::One);
  EXPECT_EQ(shape.mainAzimuth, 0.0f);
  EXPECT_EQ(shape.secondaryAzimuth, 180.0f);

  // e(359) = e(0) = 1, all else 0.5: a half width of a whole turn.
  e.fill(0.5f);
  e[359] = e[0] = 1.0f;
  shape = AnalysePattern(e);
  EXPECT_EQ(shape.mainAzimuth, 359.5f);
  EXPECT_EQ(shape.halfWidth, 360);
  EXPECT_GE(shape.windowStep, 1);

  // Not-a-number samples neither stop nor break the walks.
  e = Lobes({{40, 1.0f}});
  for (int i = 100; i < 300; i += 3) e[i] = std::nanf("");
  shape = AnalysePattern(e);
  EXPECT_EQ(shape.mainAzimuth, 40.0f);
  for (const int index : {shape.leftEdge, shape.rightEdge}) {
    EXPECT_GE(index, 0);
    EXPECT_LT(index, 360);
  }
}

}  // namespace
}  // namespace lobrix
