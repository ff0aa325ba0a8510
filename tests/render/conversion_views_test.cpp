// The conversion window's picture on the recording device: its texts in both languages, the
// frames, and the measured and fitted curves where the window puts them.
#include "render/conversion_views.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "model/antenna_pattern.h"
#include "tests/render/render_fixture.h"

namespace lobrix {
namespace {

constexpr GfxColor kRed = GfxRgb(255, 0, 0);
constexpr GfxColor kBlue = GfxRgb(0, 0, 200);
// The window's graphic area is 549 x 340 pixels: 1615 logical units across 1000.
constexpr int kExtentX = 1615;

ConversionPicture Picture(int language) {
  ConversionPicture p;
  p.language = language;
  p.fileName = "a.msi";
  p.folder = "C:\\ant";
  p.antennaName = "742 215";
  p.frequency = 900;
  p.gain = 17.1f;
  p.measuredShown = true;
  for (auto& column : p.measured) column.fill(0.5f);
  p.converted = true;
  p.hCode = "060LA00";
  p.fittedAzimuth = 359;
  p.vCode = "030EA10";
  p.fittedTilt = 2;
  p.eleMax = -2;
  return p;
}

TEST(ConversionViews, GeometryFollowsTheExtent) {
  // d = 0.455 * 1615 = 734.8 -> 735, m = 53.3 -> 53: centre 420.5 -> 420 (halves to even),
  // height 547.5 -> 548, R = 294, right centre 788.1 + 420 -> 1208.
  const ConversionFrames f = ConversionGeometry(kExtentX);
  EXPECT_EQ(f.horizontalX, 420);
  EXPECT_EQ(f.centreY, 548);
  EXPECT_EQ(f.r, 294);
  EXPECT_EQ(f.verticalX, 1208);
  const PixelSize area = ConversionAreaPixels();
  EXPECT_EQ(area.width, 549);   // 368 units * 6 / 4 = 552 pixels, from x = 2 to 551
  EXPECT_EQ(area.height, 340);  // (229 - 20) units * 13 / 8 = 339.6
}

TEST(ConversionViews, TextsOfTheWindowInBothLanguages) {
  TestSurface english(kExtentX, 1000);
  DrawConversionPicture(*english.gfx, Picture(kEnglish));
  const std::vector<std::string> texts = english.device->Texts();
  for (const char* text :
       {"source file:  a.msi  from directory  C:\\ant", "name of antenna:  Kathrein, 742 215",
        "frequency =  900 MHz     gain = 17.1 dBi", "Horiz.diag.(Azimuth)", "Vert.diag.(Tilt)",
        "060LA00", "Azi Max = 359.0°", "030EA10", "Ele Max =  -2.0°"}) {
    EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end()) << text;
  }
  // The results are blue, the rest black.
  EXPECT_EQ(english.device->TextsOfColor(kBlue).size(), 4u);
  EXPECT_EQ(english.device->FindText("Azi Max")->font.color, kBlue);
  EXPECT_EQ(english.device->FindText("source file")->font.color, kGfxBlack);

  TestSurface czech(kExtentX, 1000);
  DrawConversionPicture(*czech.gfx, Picture(kCzech));
  const std::vector<std::string> czechTexts = czech.device->Texts();
  for (const char* text :
       {"ant.soubor:  a.msi  z adresáře  C:\\ant", "jméno antény:  Kathrein, 742 215",
        "kmitočet =  900 MHz     zisk = 17.1 dBi", "Horiz.diag.(Azimut)", "Vert.diag.(Klopení)"}) {
    EXPECT_NE(std::find(czechTexts.begin(), czechTexts.end(), text), czechTexts.end()) << text;
  }
}

TEST(ConversionViews, RimLabelsOfTheAzimuthAndTiltFrames) {
  TestSurface surface(kExtentX, 1000);
  PaintConversionWindow(*surface.gfx, Picture(kEnglish));
  const ConversionFrames f = ConversionGeometry(kExtentX);
  // Both fields outlined in black.
  int outlined = 0;
  for (const DrawRecord& r : surface.device->OfKind(DrawKind::kRect)) {
    outlined += r.pen.color == kGfxBlack && r.brush.filled ? 1 : 0;
  }
  EXPECT_EQ(outlined, 2);
  // "0°" once above the left frame (azimuth) and once right of the right frame (tilt).
  std::vector<DrawRecord> zeros;
  for (const DrawRecord& r : surface.device->OfKind(DrawKind::kText)) {
    if (r.text == "0°") zeros.push_back(r);
  }
  ASSERT_EQ(zeros.size(), 2u);
  EXPECT_LT(std::fabs(zeros[0].x - f.horizontalX), 0.1 * f.r);
  EXPECT_LT(zeros[0].y, f.centreY - f.r);
  EXPECT_GT(zeros[1].x, f.verticalX + f.r);
  EXPECT_LT(std::fabs(zeros[1].y - f.centreY), 0.15 * f.r);
  const DrawRecord* top = surface.device->FindText("270°");
  ASSERT_NE(top, nullptr);
  EXPECT_LT(top->x, f.horizontalX);  // the left frame's 270° comes first, at its left
}

TEST(ConversionViews, CurvesLieWhereThePlanesPointThem) {
  TestSurface surface(kExtentX, 1000);
  ConversionPicture picture = Picture(kEnglish);
  // Measured: full field at azimuth 90 of the horizontal plane and at tilt 90 (downwards) of
  // the vertical one, half field elsewhere.
  picture.measured[0][90] = 1;
  picture.measured[1][90] = 1;
  DrawConversionPicture(*surface.gfx, picture);
  const ConversionFrames f = ConversionGeometry(kExtentX);
  const std::vector<DrawRecord> red = surface.device->LinesOfColor(kRed);
  ASSERT_EQ(red.size(), 720u);  // two closed polygons of 360 sides
  EXPECT_TRUE(EndsAt(red[89], {f.horizontalX + f.r, f.centreY}));      // right of the left frame
  EXPECT_TRUE(EndsAt(red[360 + 89], {f.verticalX, f.centreY + f.r}));  // below the right one
  EXPECT_TRUE(At(red[0], {f.horizontalX, f.centreY - f.r / 2}));
  EXPECT_TRUE(At(red[360], {f.verticalX + f.r / 2, f.centreY}));

  // Fitted: 060LA00 with its maximum at 359 degrees. The window passes ANT93 the difference
  // brought into -180..180, so at index 0 the curve is 1 degree off its maximum; unfolded
  // (-359) the LA curve would be read outside its range.
  const std::vector<DrawRecord> blue = surface.device->LinesOfColor(kBlue);
  ASSERT_EQ(blue.size(), 720u);
  const double r0 = ANT93("060LA00", 1.0f, kRelativeField) * f.r;
  EXPECT_GT(r0, 0.99 * f.r);
  EXPECT_TRUE(At(blue[0], {f.horizontalX, static_cast<int>(std::lround(f.centreY - r0))}));
  // The vertical fit at tilt 2: its point at index 2 is the full field.
  const double a = 2 * std::numbers::pi / 180;
  EXPECT_TRUE(
      EndsAt(blue[360 + 1], {static_cast<int>(std::lround(f.verticalX + std::cos(a) * f.r)),
                             static_cast<int>(std::lround(f.centreY + std::sin(a) * f.r))}));
}

TEST(ConversionViews, OverlaysInTheirColoursAndTheFilesOwnTexts) {
  TestSurface surface(kExtentX, 1000);
  ConversionPicture picture = Picture(kEnglish);
  picture.folder = "";
  picture.maker = "Acme";
  constexpr GfxColor kGreen = GfxRgb(0, 150, 110), kOrange = GfxRgb(230, 150, 0);
  // Both planes of one overlay, and the horizontal plane alone of another.
  picture.overlays = {{kGreen, "030EA10", "030EA10", 90, 0}, {kOrange, "060LA00", "", 0, 0}};
  DrawConversionPicture(*surface.gfx, picture);
  const ConversionFrames f = ConversionGeometry(kExtentX);
  const std::vector<DrawRecord> green = surface.device->LinesOfColor(kGreen);
  ASSERT_EQ(green.size(), 720u);
  EXPECT_TRUE(EndsAt(green[89], {f.horizontalX + f.r, f.centreY}));  // full field at azimuth 90
  EXPECT_TRUE(EndsAt(green[359 + 360], {f.verticalX + f.r, f.centreY}));  // and at tilt 0
  EXPECT_EQ(surface.device->LinesOfColor(kOrange).size(), 360u);
  EXPECT_EQ(surface.device->LinesOfColor(kBlue).size(), 720u);  // the classic fit still drawn
  const std::vector<std::string> texts = surface.device->Texts();
  for (const char* text : {"source file:  a.msi", "name of antenna:  Acme, 742 215"}) {
    EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end()) << text;
  }
}

}  // namespace
}  // namespace lobrix
