#include "render/vertical_views.h"

#include <cmath>

#include "model/antenna_pattern.h"
#include "render/coordinates.h"
#include "render/number_format.h"
#include "render/polar_frame.h"
#include "render/readout.h"

namespace lobrix {
namespace {

constexpr GfxColor kMatchedRed = 0x0000E6;      // RGB(230,0,0)
constexpr GfxColor kCodedBlue = 0x960000;       // RGB(0,0,150)
constexpr GfxColor kMatchedWordRed = 0x0000A0;  // RGB(160,0,0)

constexpr TextPair kVerticalWord{"Vertical", "Vertikální"};
constexpr TextPair kMatchedWord{"Matched ", "Přizpůsobený "};

void LineTo(Gfx& gfx, Point p) {
  gfx.DrawTo(p.x, p.y);
}

// The matched diagram: the 3-D pattern in the vertical plane through the beam, forward
// (azimuth 0) from nadir to zenith, then backward (azimuth 180) down again.
void DrawMatchedCurve(Gfx& gfx, const DrawingInput& s, const PolarFrame& f, float first) {
  const Point start = CurvePoint(f.cx, f.cy, 180, first, f.r);
  gfx.DrawFrom(start.x, start.y);
  for (int e = -89; e <= 90; ++e) {
    const float v = ANT3D(s.hCode, 0, 0, s.vCode, static_cast<float>(e), 0, kRelativeField);
    LineTo(gfx, CurvePoint(f.cx, f.cy, 90 - e, v, f.r));
  }
  for (int e = 89; e >= -89; --e) {
    const float v = ANT3D(s.hCode, 180, 0, s.vCode, static_cast<float>(e), 0, kRelativeField);
    LineTo(gfx, CurvePoint(f.cx, f.cy, e - 90, v, f.r));
  }
}

// The vertical code as coded, a closed curve over all 360 degrees (depression = -elevation).
void DrawCodedCurve(Gfx& gfx, const DrawingInput& s, const PolarFrame& f) {
  const float first = ANT93(s.vCode, -180, kRelativeField);
  const Point start = CurvePoint(f.cx, f.cy, 270, first, f.r);
  gfx.DrawFrom(start.x, start.y);
  for (int a = -179; a <= 180; ++a) {
    const float v = ANT93(s.vCode, static_cast<float>(-a), kRelativeField);
    LineTo(gfx, CurvePoint(f.cx, f.cy, 90 - a, v, f.r));
  }
}

void DrawPolarHeading(Gfx& gfx, const DrawingInput& input) {
  const double X = gfx.GfxMetrics(kGfxExtentX);
  const double Y = gfx.GfxMetrics(kGfxExtentY);
  gfx.GfxFontName("MS Sans Serif");
  gfx.GfxFontHeight(Y / 17.5);
  gfx.GfxFontColor(kGfxBlack);
  const std::string heading =
      std::string(Pick(kVerticalWord, input.language)) + " ant. diagram: " + input.vCode;
  const float a = ANT93(input.hCode, 180, kRelativeField);
  const float b = ANT93(input.vCode, 180, kRelativeField);
  if (!(a > 0 && b > 0 && std::fabs(a - b) > 0.01f)) {
    TextAt(gfx, 0, 0.015 * Y, heading, kAlignCenter);
    return;
  }
  const std::string matched(Pick(kMatchedWord, input.language));
  TextAt(gfx, 0, 0.015 * Y, matched + " " + heading, kAlignCenter);
  // The heading is centred by the surface, so find where its ink begins and write the first
  // word again there in dark red.
  const GfxColor background = gfx.PixelColor(RoundCoord(0.01 * X), RoundCoord(0.01 * Y));
  const int scan_y = RoundCoord(0.015 * Y + Y / 40);
  for (int x = RoundCoord(0.01 * X); x < static_cast<int>(X); ++x) {
    if (gfx.PixelColor(x, scan_y) != background) {
      gfx.GfxFontColor(kMatchedWordRed);
      TextAt(gfx, x - X / 270, 0.015 * Y, " " + matched, kAlignLeft);
      return;
    }
  }
}

}  // namespace

void ShowVerticalView(Gfx& gfx, const DrawingInput& input, ViewMemory& views) {
  gfx.BrushColor(kGfxWhite);
  gfx.BrushStyle(kBrushFilled);
  const GfxBatch batch(gfx);
  gfx.GfxCLS();
  if (input.alternateView == 0) {
    DrawVerticalFrame(gfx, views, input.scaleMode);
    DrawVerticalCurves(gfx, input, views);
    DrawVerticalHeading(gfx, input);
  } else {
    DrawXYGraph(gfx, input);
  }
}

void DrawVerticalCurves(Gfx& gfx, const DrawingInput& input, ViewMemory& views,
                        const PolarFrame& frame) {
  StoreFrame(views.verticalCurves, frame);
  DrawVerticalCurves(gfx, input, views);
}

void DrawVerticalCurves(Gfx& gfx, const DrawingInput& input, ViewMemory& views) {
  const PolarFrame f = views.verticalCurves;
  gfx.PenColor(kMatchedRed);
  const float first = ANT3D(input.hCode, 0, 0, input.vCode, -90, 0, kRelativeField);
  if (first < 0) return;  // an invalid code: no curve at all
  DrawMatchedCurve(gfx, input, f, first);
  gfx.PenColor(kCodedBlue);
  DrawCodedCurve(gfx, input, f);
}

void DrawVerticalHeading(Gfx& gfx, const DrawingInput& input) {
  if (input.alternateView == 0) {
    DrawPolarHeading(gfx, input);
  } else {
    DrawXYHeading(gfx, input);
  }
}

std::string ElevationReadoutText(const DrawingInput& input, const ViewMemory& views, int x, int y) {
  const ReadoutPlace& place = views.elevationReadout;
  if (place.frame.r <= 0 || RadiusFraction(place.frame, x, y) >= 1.05) return std::string(43, ' ');
  const int theta = RoundAngle(CompassAngle(x - place.frame.cx, place.frame.cy - y));
  int e = 90 - theta;
  if (e <= -180) e += 360;
  // Beyond the zenith or the nadir the point lies on the backward half of the diagram.
  float az = 180;
  float el = static_cast<float>(e);
  if (e > 90) {
    el = static_cast<float>(180 - e);
  } else if (e < -90) {
    el = static_cast<float>(-180 - e);
  } else {
    az = 0;
  }
  const int mode = input.scaleMode >= kScaleDecibel ? kDecibel : kRelativeField;
  const float v = ANT3D(input.hCode, az, 0, input.vCode, el, 0, mode);
  const std::string number = e < 0 ? "Ele = " + PlainNumberText(e, 0) : "Ele =" + NumberText(e, 0);
  return number + "°" + DiaText(v, input.scaleMode) + "  ";
}

void SetElevationReadoutPlace(ViewMemory& views, const PolarFrame& frame) {
  if (frame.r > 0) views.elevationReadout = MakeReadoutPlace(frame.cx, frame.cy, frame.r, 1.047);
}

void ShowElevationReadout(Gfx& gfx, const DrawingInput& input, ViewMemory& views, int x, int y) {
  const ReadoutPlace& place = views.elevationReadout;
  if (place.frame.r <= 0) return;
  DrawReadoutText(gfx, place, ElevationReadoutText(input, views, x, y));
}

}  // namespace lobrix
