#include "render/direction_views.h"

#include <algorithm>

#include "model/antenna_pattern.h"
#include "render/coordinates.h"
#include "render/cut_curves.h"
#include "render/number_format.h"
#include "render/polar_frame.h"
#include "render/readout.h"

namespace lobrix {
namespace {

constexpr GfxColor kDirectionBlue = 0xFF0000;  // RGB(0,0,255)
constexpr GfxColor kReadoutColor = 0xA06464;   // RGB(100,100,160)

constexpr TextPair kAzimuthTitle{"Azimuth of Max.radiation = ", "Azimut  Max.vyzařování = "};
constexpr TextPair kElevationTitle{"Elevation of Max.radiation = ", "Elevace  Max.vyzařování = "};
constexpr TextPair kHorizontalCode{"Horizontal ant.code: ", "Horizontální ant.kód: "};
constexpr TextPair kVerticalCode{"Vertical ant.code: ", "Vertikální ant.kód: "};

}  // namespace

void DrawAzimuthView(Gfx& gfx, const DrawingInput& input, ViewMemory& views,
                     const PolarFrame& frame) {
  StoreFrame(views.azimuthView, frame);
  DrawAzimuthView(gfx, input, views);
}

void DrawAzimuthView(Gfx& gfx, const DrawingInput& input, ViewMemory& views) {
  const PolarFrame f = views.azimuthView;
  DottedRadius(gfx, f, input.aziMax, kDirectionBlue);
  // The horizontal cut with the beam turned to AziMax only.
  DrawConeCurve(gfx, f, {input.hCode, input.vCode, input.aziMax, 0}, 0);
}

void DrawElevationView(Gfx& gfx, const DrawingInput& input, ViewMemory& views,
                       const PolarFrame& frame) {
  StoreFrame(views.elevationView, frame);
  DrawElevationView(gfx, input, views);
}

void DrawElevationView(Gfx& gfx, const DrawingInput& input, ViewMemory& views) {
  const PolarFrame f = views.elevationView;
  DottedRadius(gfx, f, 90.0 - input.eleMax, kDirectionBlue);
  // The vertical cut through the beam with EleMax only: azimuth 0 forward, 180 backward.
  DrawVerticalCutCurve(gfx, f, {input.hCode, input.vCode, 0, input.eleMax}, 0, 180);
}

void DrawDirectionHeading(Gfx& gfx, const DrawingInput& input) {
  const double X = gfx.GfxMetrics(kGfxExtentX);
  const double Y = gfx.GfxMetrics(kGfxExtentY);
  const int language = input.language;
  const bool cz = language == kCzech;  // the Czech texts have their own places
  const std::string a = FormatMask(input.aziMax, "0.0");
  const std::string e = FormatMask(input.eleMax, "0.0");
  const std::string six(6, ' ');
  gfx.GfxFontName("MS Sans Serif");
  gfx.GfxFontHeight(Y / 16.5);
  gfx.GfxFontColor(kHeadingBlue);
  TextAt(gfx, (cz ? 0.053 : 0.048) * X, 0.025 * Y,
         LeadingBlanks(a) + std::string(Pick(kAzimuthTitle, language)) + a + "°" + six);
  TextAt(gfx, 0.545 * X, 0.025 * Y,
         LeadingBlanks(e) + std::string(Pick(kElevationTitle, language)) + e + "°" + six);
  gfx.GfxFontColor(kCodeGrey);
  gfx.GfxFontHeight(Y / 20);
  TextAt(gfx, (cz ? 0.099 : 0.1) * X, 0.92 * Y,
         std::string(Pick(kHorizontalCode, language)) + input.hCode);
  TextAt(gfx, (cz ? 0.612 : 0.62) * X, 0.92 * Y,
         std::string(Pick(kVerticalCode, language)) + input.vCode);
}

DirectionPick ReadDirection(const DirectionMouse& mouse, int x, int y) {
  DirectionPick pick;
  if (mouse.r <= 0) return pick;
  const bool horizontal = x < mouse.divideX;
  const PolarFrame frame = horizontal ? PolarFrame{mouse.hx, mouse.hy, mouse.r}
                                      : PolarFrame{mouse.vx, mouse.vy, mouse.r};
  if (RadiusFraction(frame, x, y) >= 1.05) return pick;
  const double theta = CompassAngle(x - frame.cx, frame.cy - y);
  if (horizontal) {
    // 359.5 and above round to 360, which is azimuth 0: keep the pick within 0 .. <360.
    int azimuth = RoundAngle(theta);
    if (azimuth == 360) azimuth = 0;
    pick = {PickedAngle::kAzimuth, azimuth, "Azi =" + NumberText(azimuth, 0) + "°"};
  } else {
    int e = RoundAngle(90 - theta);
    if (e < -90) e = -(e + 180);  // the backward half reads like the forward one
    const std::string number = e < 0 ? " " + PlainNumberText(e, 0) : NumberText(e, 0);
    pick = {PickedAngle::kElevation, e, "Ele =" + number + "°"};
  }
  return pick;
}

std::string DirectionReadoutLine(const DirectionPick& pick) {
  if (pick.text.empty()) return std::string(18, ' ');
  return "    " + pick.text + "   ";
}

void SetDirectionFrames(ViewMemory& views, const PolarFrame& horizontal,
                        const PolarFrame& vertical) {
  if (horizontal.r <= 0) return;
  const int r = horizontal.r;
  views.directionMouse = {horizontal.cx,
                          horizontal.cy,
                          vertical.cx,
                          vertical.cy,
                          r,
                          RoundCoord((horizontal.cx + vertical.cx) / 2.0),
                          RoundCoord(0.41 * r)};
}

void ShowDirectionReadout(Gfx& gfx, ViewMemory& views, int x, int y) {
  PickDirection(gfx, views, x, y);
}

DirectionPick PickDirection(Gfx& gfx, ViewMemory& views, int x, int y) {
  const DirectionMouse& mouse = views.directionMouse;
  if (mouse.r <= 0) return {};
  const DirectionPick pick = ReadDirection(mouse, x, y);
  const GfxBatch batch(gfx);
  gfx.GfxFontName("MS Sans Serif");
  gfx.GfxFontHeight(mouse.r / 7.0);
  gfx.GfxFontWeight(9);
  gfx.GfxFontColor(kReadoutColor);
  gfx.GfxBkgdMode(kBkgdOpaque);
  gfx.GfxBkgdColor(kGfxWhite);
  gfx.DrawFrom(0, mouse.textY);
  gfx.DrawTextRow(DirectionReadoutLine(pick), kAlignCenter);
  gfx.GfxFontWeight(1);
  return pick;
}

}  // namespace lobrix
