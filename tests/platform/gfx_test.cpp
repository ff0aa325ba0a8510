// The drawing state machine, checked through the recording device. Most cases use a surface of
// 2808 x 2000 pixels, so one logical unit is two pixels and the mapping is seen at work.
#include "platform/gfx/gfx.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "platform/fake/recording_device.h"
#include "platform/gfx/font_family.h"

namespace lobrix {
namespace {

struct Surface {
  explicit Surface(int width = 2808, int height = 2000) {
    auto device = std::make_unique<RecordingDevice>(width, height);
    recording = device.get();
    gfx = std::make_unique<Gfx>(std::move(device));
    SetUpSurface(*gfx);
  }
  RecordingDevice* recording;
  std::unique_ptr<Gfx> gfx;
};

TEST(SetUpSurface, ShorterSideGets1000Units) {
  struct Case {
    int width, height, extentX, extentY;
  };
  for (const Case c :
       {Case{1404, 1000, 1404, 1000}, Case{2808, 2000, 1404, 1000}, Case{500, 700, 1000, 1400},
        Case{640, 640, 1000, 1000}, Case{1000, 3, 333333, 1000}}) {
    Surface s(c.width, c.height);
    EXPECT_EQ(s.gfx->GfxMetrics(kGfxExtentX), c.extentX) << c.width << "x" << c.height;
    EXPECT_EQ(s.gfx->GfxMetrics(kGfxExtentY), c.extentY) << c.width << "x" << c.height;
    EXPECT_EQ(s.gfx->GfxMetrics(kGfxPixelWidth), c.width);
    EXPECT_EQ(s.gfx->GfxMetrics(kGfxPixelHeight), c.height);
  }
}

TEST(SetUpSurface, ClearsWhiteAndLeavesAWhiteFilledBrush) {
  auto device = std::make_unique<RecordingDevice>(100, 50);
  RecordingDevice& recording = *device;
  Gfx gfx(std::move(device));
  gfx.BrushColor(0x123456);
  gfx.BrushStyle(kBrushOutline);
  recording.Clear(0x00FF00);
  SetUpSurface(gfx);
  EXPECT_EQ(recording.PixelAt(99, 49), kGfxWhite);
  gfx.DrawFrom(10, 10);
  gfx.DrawRect(5, 5);
  const DrawRecord rect = recording.OfKind(DrawKind::kRect).back();
  EXPECT_TRUE(rect.brush.filled);
  EXPECT_EQ(rect.brush.color, kGfxWhite);
}

TEST(GfxOption, ExtentsTakeEffectOnApplyAndRefuseNonPositive) {
  Surface s;
  s.gfx->GfxOption(kGfxExtentX, 500);
  s.gfx->GfxOption(kGfxExtentY, 400);
  EXPECT_EQ(s.gfx->GfxMetrics(kGfxExtentX), 1404);
  s.gfx->GfxOption(kGfxApplyOptions, 12);
  EXPECT_EQ(s.gfx->GfxMetrics(kGfxExtentX), 500);
  EXPECT_EQ(s.gfx->GfxMetrics(kGfxExtentY), 400);
  s.gfx->GfxOption(kGfxExtentX, 0);
  s.gfx->GfxOption(kGfxApplyOptions, 12);
  EXPECT_EQ(s.gfx->GfxMetrics(kGfxExtentX), 500);
  EXPECT_EQ(s.gfx->GfxMetrics(99), 0);
}

TEST(CalcPoint, AnglesRunClockwiseFromUp) {
  struct Case {
    double angle;
    int x, y;
  };
  for (const Case c : {Case{0, 100, 0}, Case{90, 200, 100}, Case{180, 100, 200}, Case{270, 0, 100},
                       Case{-90, 0, 100}, Case{450, 200, 100}, Case{45, 171, 29}}) {
    int x = 100, y = 100;
    Gfx::CalcPoint(x, y, c.angle, 100);
    EXPECT_EQ(x, c.x) << c.angle;
    EXPECT_EQ(y, c.y) << c.angle;
  }
}

TEST(CalcPoint, HalvesRoundToEven) {
  int x = 10, y = 10;
  Gfx::CalcPoint(x, y, 90, 2.5);  // 12.5
  EXPECT_EQ(x, 12);
  x = 11;
  Gfx::CalcPoint(x, y, 90, 2.5);  // 13.5
  EXPECT_EQ(x, 14);
  x = 0, y = 10;
  Gfx::CalcPoint(x, y, 0, 2.5);  // 7.5
  EXPECT_EQ(y, 8);
}

TEST(CalcPoint, NonFiniteInputLeavesTheCentreAndHugeDistancesStayInRange) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (const auto& [angle, distance] :
       {std::pair{nan, 10.0}, std::pair{inf, 10.0}, std::pair{30.0, nan}, std::pair{30.0, inf}}) {
    int x = 7, y = 9;
    Gfx::CalcPoint(x, y, angle, distance);
    EXPECT_EQ(x, 7);
    EXPECT_EQ(y, 9);
  }
  int x = 0, y = 0;
  Gfx::CalcPoint(x, y, 90, 1e300);
  EXPECT_GT(x, 100000000);
}

TEST(Drawing, LinesAngleCircleAndRectLandWhereTheContractSays) {
  Surface s;  // 2 pixels a unit
  RecordingDevice& r = *s.recording;
  s.gfx->DrawFrom(100, 100);
  s.gfx->DrawAngle(90, 50);
  DrawRecord line = r.OfKind(DrawKind::kLine).back();
  EXPECT_EQ(line.x, 200);
  EXPECT_EQ(line.y, 200);
  EXPECT_EQ(line.x2, 300);
  EXPECT_EQ(line.y2, 200);
  EXPECT_EQ(s.gfx->CurrentX(), 150);
  EXPECT_EQ(s.gfx->CurrentY(), 100);

  s.gfx->DrawTo(150, 300);
  line = r.OfKind(DrawKind::kLine).back();
  EXPECT_EQ(line.x2, 300);
  EXPECT_EQ(line.y2, 600);

  s.gfx->DrawCircle(40);
  const DrawRecord circle = r.OfKind(DrawKind::kCircle).back();
  EXPECT_EQ(circle.x, 300);
  EXPECT_EQ(circle.y, 600);
  EXPECT_EQ(circle.radius, 80);

  s.gfx->DrawRect(10, -20);  // a negative height reaches up from the current point
  const DrawRecord rect = r.OfKind(DrawKind::kRect).back();
  EXPECT_EQ(rect.x, 300);
  EXPECT_EQ(rect.y, 560);
  EXPECT_EQ(rect.width, 20);
  EXPECT_EQ(rect.height, 40);
}

TEST(Drawing, PenBrushAndFontStateReachTheDevice) {
  Surface s;
  RecordingDevice& r = *s.recording;
  s.gfx->PenColor(0x0000E6);
  s.gfx->PenStyle(kPenDotted);
  s.gfx->BrushColor(0x00FF00);
  s.gfx->BrushStyle(kBrushOutline);
  s.gfx->DrawFrom(10, 10);
  s.gfx->DrawTo(20, 20);
  s.gfx->DrawCircle(5);
  EXPECT_EQ(r.OfKind(DrawKind::kLine).back().pen.style, kPenDotted);
  EXPECT_EQ(r.LinesOfColor(0x0000E6).size(), 1u);
  EXPECT_FALSE(r.OfKind(DrawKind::kCircle).back().brush.filled);

  s.gfx->PenStyle(7);    // unknown styles draw solid
  s.gfx->BrushStyle(1);  // only 0 fills
  s.gfx->DrawRect(3, 3);
  EXPECT_EQ(r.OfKind(DrawKind::kRect).back().pen.style, kPenSolid);
  EXPECT_FALSE(r.OfKind(DrawKind::kRect).back().brush.filled);

  s.gfx->GfxFontName("MS Sans Serif");
  s.gfx->GfxFontHeight(50);
  s.gfx->GfxFontWidth(16);
  s.gfx->GfxFontWeight(9);
  s.gfx->GfxFontColor(0x5A5A5A);
  s.gfx->GfxBkgdColor(0xFFFF00);
  s.gfx->GfxBkgdMode(kBkgdOpaque);
  s.gfx->DrawFrom(30, 40);
  s.gfx->DrawTextRow("3dB", kAlignLeft);
  const DrawRecord* text = r.FindText("3dB");
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->font.name, "MS Sans Serif");
  EXPECT_EQ(text->font.height, 100);  // logical units to pixels
  EXPECT_EQ(text->font.width, 32);
  EXPECT_EQ(text->font.weight, 9);
  EXPECT_EQ(text->font.background, 0xFFFF00u);
  EXPECT_EQ(text->font.backgroundMode, 0);
  EXPECT_EQ(text->x, 60);
  EXPECT_EQ(text->y, 80);
  EXPECT_EQ(r.TextsOfColor(0x5A5A5A).size(), 1u);
  EXPECT_EQ(s.gfx->CurrentX(), 30);  // text does not move the current point
}

TEST(Drawing, BatchesAndWindowCommands) {
  Surface s;
  RecordingDevice& r = *s.recording;
  EXPECT_EQ(s.gfx->GfxWindow(kGfxReady), 1);
  EXPECT_EQ(s.gfx->GfxWindow(kGfxOpenBatch), 1);
  s.gfx->DrawFrom(0, 0);
  s.gfx->DrawTo(10, 0);
  EXPECT_EQ(s.gfx->GfxWindow(kGfxShowBatch), 1);
  s.gfx->GfxRefresh(0);
  EXPECT_EQ(s.gfx->GfxWindow(4), 0);  // no such command
  EXPECT_EQ(r.OfKind(DrawKind::kLine).back().batchDepth, 1);
  EXPECT_EQ(r.Count(DrawKind::kBeginBatch), 1);
  EXPECT_EQ(r.Count(DrawKind::kEndBatch), 1);
  EXPECT_EQ(r.Count(DrawKind::kRefresh), 1);
  EXPECT_EQ(s.gfx->GfxWindow(kGfxRelease), 1);
  EXPECT_TRUE(r.released);
  EXPECT_EQ(s.gfx->PixelColor(0, 0), kGfxNoColor);
}

TEST(Raster, AnswersLikeASurface) {
  Surface s(1404, 1000);
  Gfx& g = *s.gfx;
  g.PenColor(0x0000FF);
  g.BrushStyle(kBrushOutline);
  g.DrawFrom(700, 500);
  g.DrawCircle(300);
  EXPECT_EQ(g.PixelColor(1000, 500), 0x0000FFu);
  EXPECT_EQ(g.PixelColor(700, 200), 0x0000FFu);
  EXPECT_EQ(g.PixelColor(700, 500), kGfxWhite);  // outline only
  g.DrawPixel(5, 6, 0x123456);
  EXPECT_EQ(g.PixelColor(5, 6), 0x123456u);
  EXPECT_EQ(g.PixelColor(-1, 0), kGfxNoColor);
  EXPECT_EQ(g.PixelColor(1404, 0), kGfxNoColor);

  // Dotted: 3 pixels on, 3 off.
  g.PenStyle(kPenDotted);
  g.PenColor(kGfxBlack);
  g.DrawFrom(0, 900);
  g.DrawTo(11, 900);
  for (int x = 0; x <= 11; ++x) {
    EXPECT_EQ(g.PixelColor(x, 900), x % 6 < 3 ? kGfxBlack : kGfxWhite) << x;
  }
}

TEST(Raster, TextIsPlacedByAlignmentAndOpaqueCellsBlankTheGrid) {
  Surface s(1000, 1000);
  Gfx& g = *s.gfx;
  RecordingDevice& r = *s.recording;
  g.PenColor(0x6E6E6E);
  g.DrawFrom(0, 120);
  g.DrawTo(999, 120);
  g.GfxFontHeight(40);
  g.GfxFontWidth(20);
  g.GfxBkgdMode(kBkgdOpaque);
  g.GfxBkgdColor(kGfxWhite);
  g.DrawFrom(100, 100);
  g.DrawTextRow("  ", kAlignLeft);  // blanks only: the cell erases the grid line
  EXPECT_EQ(g.PixelColor(110, 120), kGfxWhite);
  EXPECT_EQ(g.PixelColor(150, 120), 0x6E6E6Eu);

  g.GfxBkgdMode(kBkgdTransparent);
  g.DrawTextRow("Matched ", kAlignCenter);
  EXPECT_EQ(r.OfKind(DrawKind::kText).back().x2, (1000 - 8 * 20) / 2);
  g.DrawTextRow("Přizpůsobený", kAlignRight);  // 12 characters, 14 bytes
  EXPECT_EQ(r.OfKind(DrawKind::kText).back().x2, 1000 - 12 * 20);
  // A scan along the row finds the first ink where the centred text begins.
  int x = 0;
  while (g.PixelColor(x, 115) == kGfxWhite) ++x;
  EXPECT_NEAR(x, 420, 3);
}

TEST(CopySurfaceToClipboard, CopiesWithABlackOutlineAndLeavesItWhite) {
  Surface s(300, 200);
  Gfx& g = *s.gfx;
  RecordingDevice& r = *s.recording;
  g.PenColor(0x00FF00);
  g.BrushStyle(kBrushOutline);
  EXPECT_TRUE(CopySurfaceToClipboard(g));
  ASSERT_EQ(r.savedPicture.size(), 300u * 200u);
  EXPECT_EQ(r.savedPicture[0], kGfxBlack);
  EXPECT_EQ(r.savedPicture[300 * 200 - 1], kGfxBlack);  // bottom right corner
  EXPECT_EQ(r.savedPicture[150 + 100 * 300], kGfxWhite);
  EXPECT_EQ(r.OfKind(DrawKind::kSave).back().text, "CLIPBOARD");
  EXPECT_EQ(g.PixelColor(0, 0), kGfxWhite);
  EXPECT_EQ(g.PixelColor(1499, 999), kGfxWhite);
  g.DrawFrom(10, 10);
  g.DrawRect(5, 5);
  EXPECT_EQ(r.OfKind(DrawKind::kRect).back().pen.color, kGfxBlack);
  EXPECT_TRUE(r.OfKind(DrawKind::kRect).back().brush.filled);

  r.saveSucceeds = false;
  EXPECT_FALSE(CopySurfaceToClipboard(g));
}

TEST(Mouse, PixelsBecomeLogicalUnitsAndOutsideIsMinusOne) {
  Surface s;  // 2 pixels a unit
  s.recording->SetMouse(703, 500);
  EXPECT_EQ(s.gfx->MouseOverX(), 352);  // 351.5 rounds to even
  EXPECT_EQ(s.gfx->MouseOverY(), 250);
  s.recording->SetMouse(2808, 10);
  EXPECT_EQ(s.gfx->MouseOverX(), -1);
  EXPECT_EQ(s.gfx->MouseOverY(), -1);
}

TEST(Gfx, WithoutADeviceNothingCrashes) {
  Gfx g(nullptr);
  SetUpSurface(g);
  EXPECT_EQ(g.GfxWindow(kGfxReady), 0);
  g.DrawFrom(1, 1);
  g.DrawTo(100, 100);
  g.DrawTextRow("x", kAlignCenter);
  EXPECT_EQ(g.PixelColor(0, 0), kGfxNoColor);
  EXPECT_EQ(g.MouseOverX(), -1);
  EXPECT_FALSE(CopySurfaceToClipboard(g));
  EXPECT_FALSE(g.Device().LastError().empty());
}

}  // namespace
// The Liberation face that stands in for each Windows face the views name.
TEST(LiberationFamily, StandsInForTheWindowsFaces) {
  const struct {
    const char* name;
    const char* family;
  } cases[] = {
      {"Arial/1", "Liberation Sans"},          {"MS Sans Serif", "Liberation Sans"},
      {"MS Sanserif/1", "Liberation Sans"},    {"Courier New", "Liberation Mono"},
      {"Times New Roman", "Liberation Serif"}, {"", "Liberation Sans"},
  };
  for (const auto& c : cases) EXPECT_EQ(LiberationFamily(c.name), c.family) << c.name;
}

}  // namespace lobrix
