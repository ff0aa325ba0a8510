#include "render/cut_curves.h"

#include "model/antenna_pattern.h"
#include "render/coordinates.h"

namespace lobrix {
namespace {

constexpr GfxColor kCutRed = 0x0000D2;  // RGB(210,0,0)

float Field(const CutAntenna& a, float az, float el) {
  return ANT3D(a.hCode, az, a.aziMax, a.vCode, el, a.eleMax, kRelativeField);
}

}  // namespace

void DrawConeCurve(Gfx& gfx, const PolarFrame& f, const CutAntenna& antenna, float elevation) {
  gfx.PenColor(kCutRed);
  DrawClosedCurve(gfx, f, [&](int a) { return Field(antenna, static_cast<float>(a), elevation); });
}

void DrawVerticalCutCurve(Gfx& gfx, const PolarFrame& f, const CutAntenna& antenna,
                          float forwardAzimuth, float backwardAzimuth) {
  gfx.PenColor(kCutRed);
  const float first = Field(antenna, forwardAzimuth, -90);
  if (first < 0) return;
  const Point start = CurvePoint(f.cx, f.cy, 180, first, f.r);
  gfx.DrawFrom(start.x, start.y);
  for (int e = -89; e <= 90; ++e) {
    const float v = Field(antenna, forwardAzimuth, static_cast<float>(e));
    const Point p = CurvePoint(f.cx, f.cy, 90 - e, v, f.r);
    gfx.DrawTo(p.x, p.y);
  }
  for (int e = 89; e >= -90; --e) {
    const float v = Field(antenna, backwardAzimuth, static_cast<float>(e));
    const Point p = CurvePoint(f.cx, f.cy, e - 90, v, f.r);
    gfx.DrawTo(p.x, p.y);
  }
  gfx.DrawTo(start.x, start.y);
}

}  // namespace lobrix
