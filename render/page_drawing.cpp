#include "render/page_drawing.h"

#include <cstdint>

#include "render/coordinates.h"
#include "render/direction_views.h"
#include "render/horizontal_views.h"
#include "render/pattern_curves.h"
#include "render/polar_frame.h"
#include "render/three_d_views.h"
#include "render/vertical_views.h"

namespace lobrix {
namespace {

// A frame at (fx*X, fy*Y) with radius fr*Y, products rounded.
PolarFrame FrameAt(double X, double Y, double fx, double fy, double fr) {
  return {RoundCoord(fx * X), RoundCoord(fy * Y), RoundCoord(fr * Y)};
}

void DrawHorizontalPage(Gfx& gfx, const DrawingInput& input, ViewMemory& views,
                        const PolarFrame& f) {
  if (input.alternateView == 0) {
    DrawHorizontalFrame(gfx, views, f, input.scaleMode);
    DrawPatternCurves(gfx, input, views, f);
    DrawHorizontalHeading(gfx, input);
  } else {
    // Keep the graph's geometry for a later switch back to the graph.
    views.horizontalFrame = f;
    views.patternCurves = f;
    views.dotSpacing = static_cast<float>(f.r) / 80;
    DrawHorizontalTable(gfx, input);
  }
}

void DrawVerticalPage(Gfx& gfx, const DrawingInput& input, ViewMemory& views, const PolarFrame& f) {
  if (input.alternateView == 0) {
    DrawVerticalFrame(gfx, views, f, input.scaleMode);
    DrawVerticalCurves(gfx, input, views, f);
    DrawVerticalHeading(gfx, input);
  } else {
    views.verticalFrame = f;
    views.verticalCurves = f;
    DrawXYGraph(gfx, input);
  }
}

// Pages 2 and 3: a horizontal frame left (compass letters), a vertical one right.
void DrawTwoFramePage(Gfx& gfx, const DrawingInput& input, ViewMemory& views,
                      const PolarFrame& left, const PolarFrame& right, bool threeD) {
  DrawHorizontalFrame(gfx, views, left, input.scaleMode + 1);
  if (threeD) {
    DrawConeCut(gfx, input, views, left);
  } else {
    DrawAzimuthView(gfx, input, views, left);
  }
  DrawVerticalFrame(gfx, views, right, input.scaleMode);
  if (threeD) {
    DrawVerticalCut(gfx, input, views, right);
    Draw3DHeading(gfx, input);
  } else {
    DrawElevationView(gfx, input, views, right);
    DrawDirectionHeading(gfx, input);
  }
}

// MulDiv as the dialog manager uses it: the product divided and rounded half away from zero.
int MulDiv(int value, int numerator, int denominator) {
  const std::int64_t product = static_cast<std::int64_t>(value) * numerator;
  const std::int64_t half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator
                                       : (product - half) / denominator);
}

}  // namespace

void DrawPage(Gfx& gfx, const DrawingInput& input, ViewMemory& views, int page) {
  if (page < kHorizontalPage || page > kThreeDPage) return;
  const double X = gfx.GfxMetrics(kGfxExtentX);
  const double Y = gfx.GfxMetrics(kGfxExtentY);
  const PolarFrame main = page == kHorizontalPage ? FrameAt(X, Y, 0.507, 0.53, 0.392)
                                                  : FrameAt(X, Y, 0.515, 0.533, 0.392);
  const PolarFrame left = FrameAt(X, Y, 0.25, 0.5, 0.35);
  const PolarFrame right = FrameAt(X, Y, 0.75, 0.5, 0.35);

  gfx.BrushColor(kGfxWhite);
  gfx.BrushStyle(kBrushFilled);
  {
    const GfxBatch batch(gfx);
    gfx.GfxCLS();
    switch (page) {
      case kHorizontalPage:
        DrawHorizontalPage(gfx, input, views, main);
        break;
      case kVerticalPage:
        DrawVerticalPage(gfx, input, views, main);
        break;
      default:
        DrawTwoFramePage(gfx, input, views, left, right, page == kThreeDPage);
        break;
    }
  }

  switch (page) {
    case kHorizontalPage:
      SetAzimuthReadoutPlace(views, main);
      break;
    case kVerticalPage:
      SetElevationReadoutPlace(views, main);
      break;
    default:
      SetDirectionFrames(views, left, right);
      break;
  }
}

PixelSize GraphicAreaPixels(int page, DialogBaseUnits units) {
  struct Area {
    int x, y, w, h;
  };
  Area area{};
  if (page == kHorizontalPage || page == kVerticalPage) {
    area = {137, 25, 202, 184};
  } else if (page == kDirectionPage || page == kThreeDPage) {
    area = {6, 7, 330, 180};
  } else {
    return {};
  }
  const int left = MulDiv(area.x, units.x, 4);
  const int right = MulDiv(area.x + area.w, units.x, 4);
  const int top = MulDiv(area.y, units.y, 8);
  const int bottom = MulDiv(area.y + area.h, units.y, 8);
  constexpr int kEdge = 3;
  return {right - left - 2 * kEdge, bottom - top - 2 * kEdge};
}

}  // namespace lobrix
