// The vertical page: curves, the "Matched " heading rule, the X-Y graph and the elevation
// read-out.
#include "render/vertical_views.h"

#include <gtest/gtest.h>

#include <cmath>

#include "model/antenna_pattern.h"
#include "tests/render/render_fixture.h"

namespace lobrix {
namespace {

constexpr GfxColor kMatchedRed = 0x0000E6, kCodedBlue = 0x960000, kMatchedWordRed = 0x0000A0;

TEST(VerticalCurves, MatchedAndCodedCurvesStartAndEnd) {
  TestSurface s;
  DrawingInput input;
  ViewMemory views;
  input.vCode = "030EB00";
  DrawVerticalCurves(*s.gfx, input, views, 515, 533, 392);
  const auto red = s.device->LinesOfColor(kMatchedRed);
  const auto blue = s.device->LinesOfColor(kCodedBlue);
  ASSERT_EQ(red.size(), 180u + 179u);  // forward -89..90, backward 89..-89
  ASSERT_EQ(blue.size(), 360u);
  const auto at = [](double angle, float v) {
    return PointAt(515, 533, angle, std::nearbyint(v * 392));
  };
  EXPECT_TRUE(At(red.front(), at(180, ANT3D("000ND00", 0, 0, "030EB00", -90, 0, 0))));
  EXPECT_TRUE(EndsAt(red[179], at(0, ANT3D("000ND00", 0, 0, "030EB00", 90, 0, 0))));
  EXPECT_TRUE(EndsAt(red.back(), at(-179, ANT3D("000ND00", 180, 0, "030EB00", -89, 0, 0))));
  // The coded curve: the back at the left, the beam at the right, closed at the left again.
  EXPECT_TRUE(At(blue.front(), at(270, ANT93("030EB00", -180, 0))));
  EXPECT_TRUE(EndsAt(blue[179], at(90, 1)));  // elevation 0
  EXPECT_TRUE(
      EndsAt(blue.back(), {static_cast<int>(blue.front().x), static_cast<int>(blue.front().y)}));

  TestSurface bad;
  input.vCode = "999XY00";
  DrawVerticalCurves(*bad.gfx, input, views, 515, 533, 392);
  EXPECT_TRUE(bad.device->OfKind(DrawKind::kLine).empty());
}

// "Matched " heads the graph only when matching changed the back radiation by more than 0.01;
// it is then written again in dark red where the heading's ink begins.
TEST(VerticalHeading, MatchedRule) {
  TestSurface plain;
  DrawingInput input;
  input.hCode = "030EB00";
  input.vCode = "030EB00";
  DrawVerticalHeading(*plain.gfx, input);
  EXPECT_EQ(plain.device->Texts(), std::vector<std::string>{"Vertical ant. diagram: 030EB00"});

  TestSurface matched(1000, 1000);
  input.hCode = "000ND00";
  DrawVerticalHeading(*matched.gfx, input);
  const auto texts = matched.device->OfKind(DrawKind::kText);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].text, "Matched  Vertical ant. diagram: 030EB00");
  EXPECT_EQ(texts[0].align, kAlignCenter);
  EXPECT_EQ(texts[1].text, " Matched ");
  EXPECT_EQ(texts[1].font.color, kMatchedWordRed);
  // Placed a little (X/270) left of the first ink of the centred heading, which begins a
  // little inside its text cell.
  EXPECT_NEAR(texts[1].x, texts[0].x2 - 1000 / 270.0, 4.0);

  TestSurface czech;
  input.language = kCzech;
  DrawVerticalHeading(*czech.gfx, input);
  EXPECT_NE(czech.device->FindText("Přizpůsobený  Vertikální ant. diagram: 030EB00"), nullptr);
  EXPECT_NE(czech.device->FindText(" Přizpůsobený "), nullptr);
}

TEST(XYGraph, AngleRangeRule) {
  EXPECT_EQ(XYAngleRange("030TA00"), 30);  // tens of the first number
  EXPECT_EQ(XYAngleRange("035TA00"), 30);
  EXPECT_EQ(XYAngleRange("005TA00"), 10);  // 0 is shown as 10
  EXPECT_EQ(XYAngleRange("100TA00"), 90);
  EXPECT_EQ(XYAngleRange("004EA00"), 40);
  EXPECT_EQ(XYAngleRange("005LA10"), 50);
  EXPECT_EQ(XYAngleRange("120EA00"), 90);  // 1200 is cut to 90
  EXPECT_EQ(XYAngleRange("510VE00"), 90);
  EXPECT_EQ(XYAngleRange("000ND00"), 90);
  EXPECT_EQ(XYAngleRange("12"), 90);
}

TEST(XYGraph, UnitsLabelsAndCurve) {
  const struct {
    const char* code;
    int labels;
    const char* last;
  } cases[] = {{"004EA00", 9, "-40°"}, {"005EA00", 6, "-50°"}};
  for (const auto& c : cases) {
    TestSurface s;
    DrawingInput input;
    ViewMemory views;
    input.vCode = c.code;
    input.alternateView = 1;
    ShowVerticalView(*s.gfx, input, views);
    // Angle labels sit at y = 0.94 Y; 40 degrees: 1 degree units, 50: 2 degree units.
    std::vector<std::string> angles;
    for (const DrawRecord& t : s.device->OfKind(DrawKind::kText)) {
      if (t.y == 940) angles.push_back(t.text);
    }
    ASSERT_EQ(static_cast<int>(angles.size()), c.labels) << c.code;
    EXPECT_EQ(angles.front(), "0°");
    EXPECT_EQ(angles.back(), c.last);
    const auto curve = s.device->LinesOfColor(0x0000FF);
    ASSERT_EQ(curve.size(), 200u);
    EXPECT_TRUE(At(curve.front(), {90, 80}));  // 0 dB at the top left of the plot
    EXPECT_NE(s.device->FindText("Vertical diagram [dB]"), nullptr);
    EXPECT_NE(s.device->FindText("  3"), nullptr);
  }
}

class ElevationReadout : public ::testing::Test {
 protected:
  void SetUp() override { ShowElevationReadout(*s.gfx, input, views, 500, 500, 400); }
  std::string Text(int x, int y) { return ElevationReadoutText(input, views, x, y); }
  TestSurface s;
  DrawingInput input;
  ViewMemory views;
};

TEST_F(ElevationReadout, FrameAnglesToElevations) {
  EXPECT_EQ(Text(600, 500), "Ele = 0°, Dia = 0.0 dB  ");  // straight right
  EXPECT_TRUE(Text(500, 300).starts_with("Ele = 90°"));   // straight above
  EXPECT_TRUE(Text(300, 500).starts_with("Ele = 180°"));  // straight left
  EXPECT_TRUE(Text(500, 700).starts_with("Ele = -90°"));  // straight below
  EXPECT_EQ(Text(921, 500), std::string(43, ' '));
  input.vCode = "030EB00";
  EXPECT_EQ(Text(300, 500), "Ele = 180°, Dia = 0.0 dB  ");  // backward horizon: matched to ND
  input.scaleMode = kScaleLinear;
  EXPECT_EQ(Text(600, 500), "Ele = 0°, Dia = 1.00  ");
}

}  // namespace
}  // namespace lobrix
