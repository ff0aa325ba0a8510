// The 3-D page: the two cuts and the heading with the gain towards the test direction.
#include "render/three_d_views.h"

#include <gtest/gtest.h>

#include "model/antenna_pattern.h"
#include "tests/render/render_fixture.h"

namespace lobrix {
namespace {

constexpr GfxColor kTestBlue = 0xFF3232, kOppositeGreen = 0x00B400, kCutRed = 0x0000D2;

TEST(ThreeDViews, TestAzimuthZeroRadiiAndCuts) {
  TestSurface s(1404, 1000);
  DrawingInput input;
  ViewMemory views;
  DrawConeCut(*s.gfx, input, views, 351, 500, 350);
  const auto blue = s.device->LinesOfColor(kTestBlue);
  const auto green = s.device->LinesOfColor(kOppositeGreen);
  ASSERT_EQ(blue.size(), 1u);
  ASSERT_EQ(green.size(), 1u);
  EXPECT_TRUE(At(blue[0], {351, 150}));   // up
  EXPECT_TRUE(At(green[0], {351, 850}));  // down
  EXPECT_EQ(blue[0].pen.style, kPenDotted);
  EXPECT_EQ(s.device->LinesOfColor(kCutRed).size(), 360u);

  DrawVerticalCut(*s.gfx, input, views, 1053, 500, 350);
  const auto cut = s.device->LinesOfColor(kCutRed);
  ASSERT_EQ(cut.size(), 360u + 180u + 180u + 1u);
  EXPECT_TRUE(At(cut[360], {1053, 850}));        // nadir, at full radius for 000ND00
  EXPECT_TRUE(EndsAt(cut.back(), {1053, 850}));  // closed
}

TEST(ThreeDViews, InvalidCodeShowsOnlyTheDottedRadii) {
  TestSurface s(1404, 1000);
  DrawingInput input;
  ViewMemory views;
  input.hCode = "";
  DrawConeCut(*s.gfx, input, views, 351, 500, 350);
  DrawVerticalCut(*s.gfx, input, views, 1053, 500, 350);
  EXPECT_EQ(s.device->Count(DrawKind::kLine), 3);
  TestSurface heading(1404, 1000);
  Draw3DHeading(*heading.gfx, input);
  EXPECT_EQ(heading.device->FindText("ga ="), nullptr);
}

TEST(ThreeDHeading, TextsAndGainRoundedToEven) {
  TestSurface s(1404, 1000);
  DrawingInput input;
  input.gainDbd = 12.25f;  // 000ND00 towards any direction: 0 dB
  input.testAzimuth = 45;
  input.testElevation = -2.5f;
  Draw3DHeading(*s.gfx, input);
  const auto texts = s.device->Texts();
  ASSERT_EQ(texts.size(), 5u);
  EXPECT_EQ(texts[0], "  Ant. diagram (Azi, testEle = -2.5°)      ");
  EXPECT_EQ(texts[1], "  Vert. diagram for testAzi = 45.0°      ");
  EXPECT_EQ(texts[2], "   Horiz. code: 000ND00,   AziMax = 0.0°");
  EXPECT_EQ(texts[3], "   Vert. code: 000ND00,   EleMax = 0.0°");
  EXPECT_EQ(texts[4], "    ga = 12.2 dBd    ");
  EXPECT_EQ(s.device->OfKind(DrawKind::kText)[4].align, kAlignCenter);

  TestSurface cz(1404, 1000);
  input.gainDbd = -1.5f;
  input.language = kCzech;
  Draw3DHeading(*cz.gfx, input);
  EXPECT_NE(cz.device->FindText("Vert. diagram pro testAzi = 45.0°"), nullptr);
  EXPECT_NE(cz.device->FindText("   Horiz. kód: 000ND00"), nullptr);
  EXPECT_NE(cz.device->FindText("    ga = -1.5 dBd    "), nullptr);
}

// 510VE00 (main lobe and a second one 20 degrees clockwise) over 120PA05, the beam turned to
// AziMax 30 and tilted down to EleMax -6. Every point of the cuts is checked at the direction it
// stands for, worked out here from its azimuth and elevation; the lobes are checked against
// where the turned antenna points.
const PolarFrame kLeft{351, 500, 350}, kRight{1053, 500, 350};

DrawingInput TiltedVeeOverCosine(float testAzimuth, float testElevation) {
  DrawingInput input;
  input.hCode = "510VE00";
  input.vCode = "120PA05";
  input.aziMax = 30;
  input.eleMax = -6;
  input.testAzimuth = testAzimuth;
  input.testElevation = testElevation;
  return input;
}

float Field(const DrawingInput& in, double az, double el) {
  return ANT3D(in.hCode, static_cast<float>(az), in.aziMax, in.vCode, static_cast<float>(el),
               in.eleMax, kRelativeField);
}

// The forward half from e = -89 up to 90 towards `forward`, the backward half from 89 down to
// -90 towards the opposite azimuth, drawn left of the centre.
void ExpectVerticalCut(const std::vector<DrawRecord>& cut, const DrawingInput& in, double forward) {
  ASSERT_EQ(cut.size(), 361u);
  for (int e = -89; e <= 90; ++e) {
    EXPECT_TRUE(EndsNear(cut[e + 89], ElevationSpot(kRight, e, Field(in, forward, e))))
        << "forward, elevation " << e;
  }
  for (int e = 89; e >= -90; --e) {
    EXPECT_TRUE(EndsNear(cut[269 - e], ElevationSpot(kRight, e, Field(in, forward + 180, e), true)))
        << "backward, elevation " << e;
  }
}

TEST(ThreeDViews, CutsThroughATiltedBeam) {
  const DrawingInput in = TiltedVeeOverCosine(30, -6);
  TestSurface s(1404, 1000);
  ViewMemory views;
  DrawConeCut(*s.gfx, in, views, kLeft.cx, kLeft.cy, kLeft.r);
  EXPECT_TRUE(StartsNear(s.device->LinesOfColor(kTestBlue).at(0), AzimuthSpot(kLeft, 30, 1)));
  EXPECT_TRUE(StartsNear(s.device->LinesOfColor(kOppositeGreen).at(0), AzimuthSpot(kLeft, 210, 1)));
  const auto cone = s.device->LinesOfColor(kCutRed);
  ASSERT_EQ(cone.size(), 360u);
  for (int a = 1; a <= 360; ++a) {
    EXPECT_TRUE(EndsNear(cone[a - 1], AzimuthSpot(kLeft, a, Field(in, a, -6)))) << "azimuth " << a;
  }
  EXPECT_TRUE(EndsNear(cone[29], AzimuthSpot(kLeft, 30, 1)));  // the cone meets the beam

  TestSurface v(1404, 1000);
  DrawVerticalCut(*v.gfx, in, views, kRight.cx, kRight.cy, kRight.r);
  EXPECT_TRUE(StartsNear(v.device->LinesOfColor(kTestBlue).at(0), ElevationSpot(kRight, -6, 1)));
  const auto cut = v.device->LinesOfColor(kCutRed);
  ExpectVerticalCut(cut, in, 30);
  EXPECT_TRUE(EndsNear(cut[-6 + 89], ElevationSpot(kRight, -6, 1)));  // the beam, tilted down
  EXPECT_FALSE(EndsNear(cut[6 + 89], ElevationSpot(kRight, 6, 1)));
}

// Looking at azimuth 230, the opposite azimuth 50 passes the second lobe, 20 degrees clockwise
// of the beam in the antenna's tilted plane: the backward half must reach the rim there.
TEST(ThreeDViews, BackwardHalfOfTheVerticalCutLooksTheOtherWay) {
  const DrawingInput in = TiltedVeeOverCosine(230, 0);
  // The second lobe: the beam turned 20 degrees about the tilted antenna's vertical axis.
  const double b = Radians(30), t = Radians(-6), q = Radians(20);
  const double beam[3] = {std::cos(t) * std::sin(b), std::cos(t) * std::cos(b), std::sin(t)};
  const double side[3] = {std::cos(b), -std::sin(b), 0};  // horizontal, 90 degrees clockwise
  double lobe[3];
  for (int i = 0; i < 3; ++i) lobe[i] = std::cos(q) * beam[i] + std::sin(q) * side[i];
  const double lobeAzimuth = std::atan2(lobe[0], lobe[1]) * 180 / std::numbers::pi;
  const double lobeElevation = std::asin(lobe[2]) * 180 / std::numbers::pi;
  ASSERT_NEAR(lobeAzimuth, 50, 0.2);
  ASSERT_NEAR(lobeElevation, -5.6, 0.1);

  TestSurface s(1404, 1000);
  ViewMemory views;
  DrawVerticalCut(*s.gfx, in, views, kRight.cx, kRight.cy, kRight.r);
  const auto cut = s.device->LinesOfColor(kCutRed);
  ExpectVerticalCut(cut, in, 230);
  const int e = static_cast<int>(std::lround(lobeElevation));
  EXPECT_TRUE(EndsNear(cut[269 - e], ElevationSpot(kRight, e, 1, true)));
  for (int f = -89; f <= 90; ++f) {  // forward, towards 200 degrees from the beam: far inside
    EXPECT_LT(std::hypot(cut[f + 89].x2 - kRight.cx, cut[f + 89].y2 - kRight.cy), 0.5 * kRight.r);
  }
}

}  // namespace
}  // namespace lobrix
