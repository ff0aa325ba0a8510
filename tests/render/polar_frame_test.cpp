// The polar frames: ring radii of both scales, rim and scale labels, redraws at the stored
// geometry.
#include "render/polar_frame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "tests/render/render_fixture.h"

namespace lobrix {
namespace {

constexpr int kCx = 500, kCy = 530, kR = 392;

TEST(PolarFrame, DecibelGridHasTwelveRingsAtElevenRadii) {
  TestSurface s;
  DrawingInput input;
  ViewMemory views;
  DrawHorizontalFrame(*s.gfx, views, kCx, kCy, kR, kScaleDecibel);
  const auto fine = RingRadii(*s.device, kLightGrey, kCx, kCy);
  const auto main = RingRadii(*s.device, kDarkGrey, kCx, kCy);
  // 1..5 dB, then 0.4 and 0.178 of R; main rings R, 0.5 R and 3, 10, 20 dB.
  EXPECT_EQ(fine, (std::vector<int>{349, 311, 278, 247, 220, 157, 70}));
  EXPECT_EQ(main, (std::vector<int>{392, 196, 278, 124, 39}));
  std::set<int> distinct(fine.begin(), fine.end());
  distinct.insert(main.begin(), main.end());
  EXPECT_EQ(fine.size() + main.size(), 12u);
  EXPECT_EQ(distinct.size(), 11u);
  // Every ring is a 360-sided polygon: 36 + 12 spokes and 12 * 360 sides.
  EXPECT_EQ(s.device->LinesOfColor(kLightGrey).size() + s.device->LinesOfColor(kDarkGrey).size(),
            48u + 12u * 360u);
}

TEST(PolarFrame, LinearGridHasNineFineRings) {
  TestSurface s;
  DrawingInput input;
  ViewMemory views;
  DrawVerticalFrame(*s.gfx, views, kCx, kCy, kR, kScaleLinear);
  EXPECT_EQ(RingRadii(*s.device, kLightGrey, kCx, kCy),
            (std::vector<int>{392, 353, 314, 275, 236, 197, 158, 119, 80}));
  EXPECT_EQ(RingRadii(*s.device, kDarkGrey, kCx, kCy), (std::vector<int>{392, 196}));
  for (const char* label : {".2", ".4", ".6", ".8"}) EXPECT_NE(s.device->FindText(label), nullptr);
  EXPECT_EQ(s.device->FindText("3dB"), nullptr);
}

// Each label's anchor lies at its own angle and distance so the text sits outside the rim.
TEST(PolarFrame, RimLabelsAndAnchors) {
  struct Label {
    int mode;
    bool vertical;
    const char* text;
    double angle, factor;
  };
  const Label labels[] = {
      {2, false, "0°", 359, 1.14},   {2, false, "270°", 273, 1.23}, {0, false, "180°", 184, 1.03},
      {3, false, "N", 358, 1.15},    {3, false, "E", 86.8, 1.06},   {1, false, "W", 273, 1.15},
      {3, false, "120°", 120, 1.02}, {2, true, "0°", 86.6, 1.06},   {2, true, "180°", 272.8, 1.25},
      {0, true, "-150°", 245, 1.24}, {2, true, "90°", 358, 1.15},
  };
  for (const Label& l : labels) {
    TestSurface s;
    DrawingInput input;
    ViewMemory views;
    if (l.vertical) {
      DrawVerticalFrame(*s.gfx, views, kCx, kCy, kR, l.mode);
    } else {
      DrawHorizontalFrame(*s.gfx, views, kCx, kCy, kR, l.mode);
    }
    const auto texts = s.device->TextsOfColor(kGfxBlack);
    ASSERT_EQ(texts.size(), 12u);
    const auto it = std::find_if(texts.begin(), texts.end(),
                                 [&](const DrawRecord& r) { return r.text == l.text; });
    ASSERT_NE(it, texts.end()) << l.text;
    EXPECT_TRUE(At(*it, PointAt(kCx, kCy, l.angle, RoundCoord(l.factor * kR)))) << l.text;
    EXPECT_EQ(it->font.height, 49);  // R/8
    EXPECT_EQ(it->font.width, 16);   // R/24
  }
}

TEST(PolarFrame, DecibelScaleLabelsBlankTheGridUnderThem) {
  TestSurface s;
  DrawingInput input;
  ViewMemory views;
  DrawHorizontalFrame(*s.gfx, views, kCx, kCy, kR, kScaleDecibel);
  const DrawRecord* label = s.device->FindText("3dB");
  ASSERT_NE(label, nullptr);
  EXPECT_TRUE(At(*label, {kCx - 30, kCy - 22 - 278}));  // R/13, y0 = cy - R/18, 0.708 R
  EXPECT_EQ(label->font.color, kLabelGrey);
  EXPECT_EQ(label->font.backgroundMode, 0);
  EXPECT_EQ(label->font.background, kGfxWhite);
  EXPECT_EQ(s.device->TextsOfColor(kLabelGrey).size(), 4u);
}

TEST(PolarFrame, RedrawWithZerosRepeatsTheStoredFrame) {
  TestSurface first, again;
  DrawingInput input;
  ViewMemory views;
  DrawVerticalFrame(*first.gfx, views, kCx, kCy, kR, kScaleDecibel);
  DrawVerticalFrame(*again.gfx, views, 0, 0, 0, kScaleDecibel);
  ASSERT_EQ(first.device->records.size(), again.device->records.size());
  for (std::size_t i = 0; i < first.device->records.size(); ++i) {
    EXPECT_EQ(first.device->records[i].x, again.device->records[i].x);
    EXPECT_EQ(first.device->records[i].y2, again.device->records[i].y2);
  }
}

TEST(PolarFrame, NothingStoredOrTinyRadiusDrawsSafely) {
  TestSurface s;
  DrawingInput input;
  ViewMemory views;
  DrawHorizontalFrame(*s.gfx, views, 0, 0, 0, kScaleLinear);
  EXPECT_TRUE(s.device->records.empty());
  // R below 10 has no tenth of R to step by; the rings still end.
  DrawHorizontalFrame(*s.gfx, views, 50, 50, 5, kScaleLinear);
  EXPECT_EQ(s.device->LinesOfColor(kLightGrey).size(), 36u + 5u * 360u);  // rings 5, 4 .. 1
}

}  // namespace
}  // namespace lobrix
