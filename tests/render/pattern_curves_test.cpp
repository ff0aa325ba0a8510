// The horizontal page's curves: where each starts and ends, which curves a vertical code
// leaves out, and what invalid codes draw.
#include "render/pattern_curves.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "model/antenna_pattern.h"
#include "tests/render/render_fixture.h"

namespace lobrix {
namespace {

constexpr int kCx = 507, kCy = 530, kR = 392;

DrawingInput Codes(const char* h, const char* v) {
  DrawingInput input;
  input.hCode = h;
  input.vCode = v;
  return input;
}

TEST(PatternCurves, OmnidirectionalPairIsThreeCirclesOfRadiusR) {
  TestSurface s;
  DrawingInput input = Codes("000ND00", "000ND00");
  ViewMemory views;
  DrawPatternCurves(*s.gfx, input, views, kCx, kCy, kR);
  for (GfxColor color : {kHorizontalCurveRed, kSelectedVerticalBlue}) {
    const auto lines = s.device->LinesOfColor(color);
    ASSERT_EQ(lines.size(), 360u);
    EXPECT_TRUE(At(lines.front(), {kCx, kCy - kR}));
    EXPECT_TRUE(EndsAt(lines[89], {kCx + kR, kCy}));
    EXPECT_TRUE(EndsAt(lines.back(), {kCx, kCy - kR}));
  }
  const auto dots = s.device->OfKind(DrawKind::kPixel);
  ASSERT_GT(dots.size(), 100u);
  EXPECT_TRUE(At(dots.front(), {kCx + kR, kCy}));  // nadir of the front half, screen angle 90
  for (const DrawRecord& dot : dots) {
    EXPECT_EQ(dot.color, kMatchedDotBlue);
    EXPECT_NEAR(std::hypot(dot.x - kCx, dot.y - kCy), kR, 1.0);
  }
  // The horizontal curve comes last, over the others.
  EXPECT_EQ(s.device->OfKind(DrawKind::kLine).back().pen.color, kHorizontalCurveRed);
}

// Dots keep more than R/80 from each other; the front half lies on the solid blue curve.
TEST(PatternCurves, MatchedDotsAreSpacedAndFollowTheVerticalCode) {
  TestSurface s;
  DrawingInput input = Codes("000ND00", "030EB00");
  ViewMemory views;
  DrawPatternCurves(*s.gfx, input, views, kCx, kCy, kR);
  const auto dots = s.device->OfKind(DrawKind::kPixel);
  for (std::size_t i = 1; i < dots.size(); ++i) {
    EXPECT_GT(std::hypot(dots[i].x - dots[i - 1].x, dots[i].y - dots[i - 1].y), kR / 80.0);
  }
  // Back half on the horizon (screen angle -180): raised to the horizontal back radiation, R.
  bool reaches_r = false;
  for (const DrawRecord& dot : dots) reaches_r |= dot.x == kCx && dot.y == kCy + kR;
  EXPECT_TRUE(reaches_r);
  // In front, 12 degrees above the horizon (screen angle -12): the coded vertical pattern.
  const float f = ANT93("030EB00", 12, kRelativeField);
  const Point front = PointAt(kCx, kCy, -12, std::nearbyint(f * kR));
  bool on_front = false;
  for (const DrawRecord& dot : dots) on_front |= At(dot, front);
  EXPECT_TRUE(on_front);
}

TEST(PatternCurves, TiltCodeLeavesOutTheVerticalCurves) {
  TestSurface s;
  DrawingInput input = Codes("030EA10", "100TA00");
  ViewMemory views;
  DrawPatternCurves(*s.gfx, input, views, kCx, kCy, kR);
  EXPECT_EQ(s.device->Count(DrawKind::kPixel), 0);
  EXPECT_TRUE(s.device->LinesOfColor(kSelectedVerticalBlue).empty());
  const auto red = s.device->LinesOfColor(kHorizontalCurveRed);
  ASSERT_EQ(red.size(), 360u);
  EXPECT_TRUE(At(red.front(), {kCx, kCy - kR}));
  const float f90 = ANT93("030EA10", 90, kRelativeField);
  EXPECT_TRUE(EndsAt(red[89], PointAt(kCx, kCy, 90, std::nearbyint(f90 * kR))));
}

TEST(PatternCurves, InvalidCodesNeverDrawAtANegativeDistance) {
  TestSurface bad_v;
  DrawingInput input = Codes("030EA10", "999XY00");
  ViewMemory views;
  DrawPatternCurves(*bad_v.gfx, input, views, kCx, kCy, kR);
  EXPECT_EQ(bad_v.device->Count(DrawKind::kPixel), 0);
  EXPECT_TRUE(bad_v.device->LinesOfColor(kSelectedVerticalBlue).empty());
  EXPECT_EQ(bad_v.device->LinesOfColor(kHorizontalCurveRed).size(), 360u);

  TestSurface bad_h;
  input = Codes("30EA10", "000ND00");
  DrawPatternCurves(*bad_h.gfx, input, views, kCx, kCy, kR);
  EXPECT_TRUE(bad_h.device->records.empty());
}

TEST(PatternCurves, ZerosDrawAtTheStoredGeometry) {
  TestSurface s;
  DrawingInput input = Codes("000ND00", "100TA00");
  ViewMemory views;
  DrawPatternCurves(*s.gfx, input, views, kCx, kCy, kR);
  s.device->ClearRecords();
  DrawPatternCurves(*s.gfx, input, views, 0, 0, 0);
  EXPECT_TRUE(At(s.device->LinesOfColor(kHorizontalCurveRed).front(), {kCx, kCy - kR}));
}

// 510VE00 as the vertical code has its second lobe 20 degrees below the beam, which the
// horizontal page draws at screen angle +20 (a code angle x at screen angle x). In front the
// matched curve is the vertical code unchanged, so every dot of the upper half lies on it at
// its own angle, and the second lobe reaches the rim at +20, not at -20.
TEST(PatternCurves, MatchedFrontHalfFollowsAnAsymmetricVerticalCode) {
  TestSurface s;
  ViewMemory views;
  DrawPatternCurves(*s.gfx, Codes("045KA00", "510VE00"), views, kCx, kCy, kR);
  const auto dots = s.device->OfKind(DrawKind::kPixel);
  int front = 0;
  bool lobe_at_plus_20 = false, lobe_at_minus_20 = false;
  for (const DrawRecord& dot : dots) {
    const double dx = dot.x - kCx, up = kCy - dot.y;
    if (up < 2) continue;  // the back half lies below the centre
    ++front;
    const double angle = std::atan2(dx, up) * 180 / std::numbers::pi;
    const double distance = std::hypot(dx, up);
    const float v = ANT93("510VE00", static_cast<float>(angle), kRelativeField);
    EXPECT_NEAR(distance, v * kR, 1.5) << "dot at screen angle " << angle;
    if (distance > kR - 2) {
      lobe_at_plus_20 |= std::fabs(angle - 20) < 2;
      lobe_at_minus_20 |= std::fabs(angle + 20) < 2;
    }
  }
  EXPECT_GT(front, 40);
  EXPECT_TRUE(lobe_at_plus_20);
  EXPECT_FALSE(lobe_at_minus_20);
}

}  // namespace
}  // namespace lobrix
