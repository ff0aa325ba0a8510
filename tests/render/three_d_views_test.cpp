// The 3-D page: the two cuts and the heading with the gain towards the test direction.
#include "render/three_d_views.h"

#include <gtest/gtest.h>

#include "render_fixture.h"

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

}  // namespace
}  // namespace lobrix
