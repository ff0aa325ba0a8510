// The horizontal page: heading, table and the azimuth read-out.
#include "render/horizontal_views.h"

#include <gtest/gtest.h>

#include "render/polar_frame.h"
#include "tests/render/render_fixture.h"

namespace lobrix {
namespace {

TEST(HorizontalHeading, VerticalLineOnlyForCodesThatDrawVerticalCurves) {
  TestSurface s;
  DrawingInput input;
  input.vCode = "030EB00";
  DrawHorizontalHeading(*s.gfx, input);
  const DrawRecord* title = s.device->FindText("ant. diagram: ");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->text, "Horizontal ant. diagram: 000ND00");
  EXPECT_EQ(title->align, kAlignCenter);
  const DrawRecord* vert = s.device->FindText("Vert.diagram: ");
  ASSERT_NE(vert, nullptr);
  EXPECT_EQ(vert->text, "Vert.diagram: 030EB00");
  EXPECT_TRUE(At(*vert, {585, 935}));

  TestSurface tilt;
  input.vCode = "100TA00";
  input.language = kCzech;
  DrawHorizontalHeading(*tilt.gfx, input);
  EXPECT_EQ(tilt.device->Texts(), std::vector<std::string>{"Horizontální ant. diagram: 000ND00"});
}

TEST(HorizontalTable, ThreeGroupsOfTwelveRows) {
  TestSurface s(1400, 1000);  // X = 1400, Y = 1000
  DrawingInput input;
  ViewMemory views;
  input.hCode = "030EB00";
  input.alternateView = 1;
  ShowHorizontalView(*s.gfx, input, views);
  const auto labels = s.device->TextsOfColor(kGfxBlack);
  const auto values = s.device->TextsOfColor(0x0000FF);
  ASSERT_EQ(values.size(), 36u);
  // Title, code, rule, then 36 azimuth labels.
  ASSERT_EQ(labels.size(), 39u);
  EXPECT_EQ(labels[0].text, std::string(66, '-'));
  EXPECT_EQ(labels[0].font.width, 16);  // as the graph's frame leaves it: 0.392 Y / 24
  EXPECT_EQ(labels[1].text, "Horizontal diagram [dB]");
  EXPECT_EQ(labels[2].text, "030EB00     ");
  EXPECT_EQ(labels[2].align, kAlignRight);
  // Row y = 131 + 7 * (a mod 120); label x 0.06, 0.40, 0.74 of X, values 0.17, 0.51, 0.85.
  EXPECT_EQ(labels[3].text, "000°");
  EXPECT_TRUE(At(labels[3], {84, 131}));
  EXPECT_EQ(labels[3 + 11].text, "110°");
  EXPECT_TRUE(At(labels[3 + 11], {84, 131 + 770}));
  EXPECT_EQ(labels[3 + 12].text, "120°");
  EXPECT_TRUE(At(labels[3 + 12], {560, 131}));
  EXPECT_TRUE(At(labels[3 + 35], {1036, 131 + 770}));
  EXPECT_TRUE(At(values[0], {238, 131}));
  EXPECT_TRUE(At(values[18], {714, 131 + 420}));  // 180 degrees
  // dB values with every blank doubled: " 0.00" -> "  0.00"; 13.98 dB at the back.
  EXPECT_EQ(values[0].text, "  0.00");
  EXPECT_EQ(values[18].text, "13.98");
}

TEST(HorizontalTable, LinearValuesAndInvalidCode) {
  TestSurface s;
  DrawingInput input;
  input.hCode = "510VE00";
  input.scaleMode = kScaleLinear;
  DrawHorizontalTable(*s.gfx, input);
  EXPECT_NE(s.device->FindText("Horizontal diagram [E/Emax]"), nullptr);
  const auto values = s.device->TextsOfColor(0x0000FF);
  ASSERT_EQ(values.size(), 36u);
  EXPECT_EQ(values[0].text, "1.000");
  EXPECT_EQ(values[18].text, "0.206");

  TestSurface bad;
  input.hCode = "510VJ00";
  DrawHorizontalTable(*bad.gfx, input);
  EXPECT_TRUE(bad.device->TextsOfColor(0x0000FF).empty());
}

class AzimuthReadout : public ::testing::Test {
 protected:
  void SetUp() override { ShowAzimuthReadout(*s.gfx, input, views, 500, 500, 400); }
  std::string Text(int x, int y) { return AzimuthReadoutText(input, views, x, y); }
  TestSurface s;
  DrawingInput input;
  ViewMemory views;
};

TEST_F(AzimuthReadout, AnglesValuesAndBlanks) {
  EXPECT_EQ(Text(500, 500), "Azi = 270°, Dia = 0.0 dB     ");  // the centre
  EXPECT_EQ(Text(600, 500), "Azi = 90°, Dia = 0.0 dB     ");
  EXPECT_EQ(Text(500, 700), "Azi = 180°, Dia = 0.0 dB     ");
  EXPECT_TRUE(Text(498, 200).starts_with("Azi = 0°"));   // 359.6 rounds to 360, shown as 0
  EXPECT_TRUE(Text(919, 500).starts_with("Azi = 90°"));  // d = 1.0475
  EXPECT_EQ(Text(920, 500), std::string(43, ' '));       // d = 1.05
  input.hCode = "030EB00";
  EXPECT_EQ(Text(500, 700), "Azi = 180°, Dia = 14.0 dB     ");
  input.scaleMode = kScaleLinear;
  EXPECT_EQ(Text(500, 700), "Azi = 180°, Dia = 0.20     ");
  input.hCode = "bad";
  EXPECT_EQ(Text(500, 700), "Azi = 180°     ");
}

TEST_F(AzimuthReadout, DrawsUnderTheFrameInItsOwnBatch) {
  s.device->ClearRecords();
  ShowAzimuthReadout(*s.gfx, input, views, 600, 500, 0);
  ASSERT_EQ(s.device->Count(DrawKind::kText), 1);
  const DrawRecord text = s.device->OfKind(DrawKind::kText).front();
  EXPECT_TRUE(At(text, {24, 500 + 415}));  // 0.049 * 500 = 24.5 (to even), 1.037 * 400
  EXPECT_EQ(text.batchDepth, 1);
  EXPECT_EQ(text.font.color, kLabelGrey);
  EXPECT_EQ(text.font.backgroundMode, 0);

  DrawingInput fresh;

  ViewMemory freshViews;  // no place stored yet: nothing
  TestSurface other;
  ShowAzimuthReadout(*other.gfx, fresh, freshViews, 600, 500, 0);
  EXPECT_TRUE(other.device->records.empty());
}

}  // namespace
}  // namespace lobrix
