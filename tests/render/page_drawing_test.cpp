// Whole pages: what each draws, the geometry it leaves for the partial redraws and
// read-outs, and the graphic area sizes.
#include "render/page_drawing.h"

#include <gtest/gtest.h>

#include "render/horizontal_views.h"
#include "tests/render/render_fixture.h"

namespace lobrix {
namespace {

TEST(GraphicArea, PixelsOfEachPage) {
  // MS Sans Serif 8 pt at 96 dpi: 202 x 184 units -> 303 x 299 pixels less the 3-pixel edge.
  EXPECT_EQ(GraphicAreaPixels(kHorizontalPage).width, 297);
  EXPECT_EQ(GraphicAreaPixels(kVerticalPage).height, 293);
  EXPECT_EQ(GraphicAreaPixels(kDirectionPage).width, 489);
  EXPECT_EQ(GraphicAreaPixels(kThreeDPage).height, 287);
  const PixelSize system_font = GraphicAreaPixels(kThreeDPage, {8, 16});
  EXPECT_EQ(system_font.width, 654);
  EXPECT_EQ(system_font.height, 354);
  EXPECT_EQ(GraphicAreaPixels(4).width, 0);
}

TEST(PageDrawing, EveryPageDrawsInOneBatchAndKeepsItsGeometry) {
  for (int page = 0; page < 4; ++page) {
    TestSurface s(page < 2 ? 1014 : 1704, 1000);
    DrawingInput input;
    ViewMemory views;
    input.vCode = "030EB00";
    DrawPage(*s.gfx, input, views, page);
    EXPECT_EQ(s.device->Count(DrawKind::kBeginBatch), 1) << page;
    EXPECT_EQ(s.device->records.front().kind, DrawKind::kBeginBatch);
    EXPECT_EQ(s.device->Count(DrawKind::kClear), 1);
    EXPECT_GT(s.device->Count(DrawKind::kLine), 1000);
    const ViewMemory& v = views;
    switch (page) {
      case kHorizontalPage:
        EXPECT_EQ(v.horizontalFrame.cx, 514);  // 0.507 * 1014 = 514.1
        EXPECT_EQ(v.horizontalFrame.cy, 530);
        EXPECT_EQ(v.patternCurves.r, 392);
        EXPECT_EQ(v.azimuthReadout.frame.r, 392);
        break;
      case kVerticalPage:
        EXPECT_EQ(v.verticalFrame.cx, 522);  // 0.515 * 1014 = 522.2
        EXPECT_EQ(v.verticalCurves.cy, 533);
        EXPECT_EQ(v.elevationReadout.frame.cx, 522);
        break;
      default:
        EXPECT_EQ(v.horizontalFrame.cx, 426);  // 0.25 * 1704
        EXPECT_EQ(v.verticalFrame.cx, 1278);
        EXPECT_EQ(v.directionMouse.r, 350);
        EXPECT_EQ(v.directionMouse.divideX, 852);
        break;
    }
  }
}

TEST(PageDrawing, DirectionPageHasCompassLettersAndTheHeading) {
  TestSurface s(1704, 1000);
  DrawingInput input;
  ViewMemory views;
  DrawPage(*s.gfx, input, views, kDirectionPage);
  for (const char* text : {"N", "E", "S", "W", "90°", "-90°", "180°"}) {
    bool found = false;
    for (const std::string& t : s.device->Texts()) found |= t == text;
    EXPECT_TRUE(found) << text;
  }
  EXPECT_NE(s.device->FindText("Azimuth of Max.radiation = 0.0°"), nullptr);
}

TEST(PageDrawing, AlternateViewsAndPartialRedrawsAfterThem) {
  TestSurface table(1014, 1000);
  DrawingInput input;
  ViewMemory views;
  input.alternateView = 1;
  DrawPage(*table.gfx, input, views, kHorizontalPage);
  EXPECT_NE(table.device->FindText("Horizontal diagram [dB]"), nullptr);
  EXPECT_EQ(table.device->TextsOfColor(0x0000FF).size(), 36u);
  // Back to the graph without a full drawing: the stored geometry is the page's.
  input.alternateView = 0;
  table.device->ClearRecords();
  ShowHorizontalView(*table.gfx, input, views);
  EXPECT_NE(table.device->FindText("Horizontal ant. diagram: 000ND00"), nullptr);
  EXPECT_EQ(table.device->LinesOfColor(0x0000E6).front().y, 530 - 392);

  TestSurface xy(1014, 1000);
  input.alternateView = 1;
  DrawPage(*xy.gfx, input, views, kVerticalPage);
  EXPECT_NE(xy.device->FindText("Vertical diagram [dB]"), nullptr);
  EXPECT_EQ(xy.device->FindText("ant. diagram"), nullptr);
}

}  // namespace
}  // namespace lobrix
