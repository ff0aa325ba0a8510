#include "render/pattern_curves.h"

#include <cmath>

#include "model/antenna_pattern.h"
#include "render/coordinates.h"

namespace lobrix {
namespace {

// Dots of the matched vertical curve: a position gets a dot only when it lies farther than the
// dot spacing from the last dot, so the dots stay evenly spread where the curve runs slowly.
class DotTrail {
 public:
  DotTrail(Gfx& gfx, float spacing) : gfx_(gfx), spacing_(spacing) {}

  void First(Point p) { Dot(p); }
  void Next(Point p) {
    const double dx = p.x - last_.x;
    const double dy = p.y - last_.y;
    if (std::sqrt(dx * dx + dy * dy) > spacing_) Dot(p);
  }

 private:
  void Dot(Point p) {
    gfx_.DrawPixel(p.x, p.y, kMatchedDotBlue);
    last_ = p;
  }
  Gfx& gfx_;
  float spacing_;
  Point last_;
};

// Front half (azimuth 0) from nadir to zenith at screen angle -el, then the back half
// (azimuth 180) from zenith to nadir at el - 180, every 1.5 degrees. 1.5 and 88.5 are exact in
// single precision, so repeated addition lands on every elevation exactly.
void DrawMatchedDots(Gfx& gfx, const DrawingInput& s, const PolarFrame& f, float spacing) {
  DotTrail dots(gfx, spacing);
  const float first = ANT3D(s.hCode, 0, 0, s.vCode, -90, 0, kRelativeField);
  dots.First(CurvePoint(f.cx, f.cy, 90, first, f.r));
  for (float el = -88.5f; el <= 88.5f; el += 1.5f) {
    const float v = ANT3D(s.hCode, 0, 0, s.vCode, el, 0, kRelativeField);
    dots.Next(CurvePoint(f.cx, f.cy, -el, v, f.r));
  }
  for (float el = 88.5f; el >= -88.5f; el -= 1.5f) {
    const float v = ANT3D(s.hCode, 180, 0, s.vCode, el, 0, kRelativeField);
    dots.Next(CurvePoint(f.cx, f.cy, el - 180, v, f.r));
  }
}

// One code's own pattern as a closed line, angle x of the code at screen angle x.
void DrawCodeCurve(Gfx& gfx, const std::string& code, GfxColor color, const PolarFrame& f) {
  gfx.PenColor(color);
  DrawClosedCurve(gfx, f,
                  [&](int a) { return ANT93(code, static_cast<float>(a), kRelativeField); });
}

}  // namespace

void DrawPatternCurves(Gfx& gfx, const DrawingInput& input, ViewMemory& views,
                       const PolarFrame& frame) {
  if (frame.r > 0) {
    views.patternCurves = frame;
    views.dotSpacing = static_cast<float>(frame.r) / 80;
  }
  DrawPatternCurves(gfx, input, views);
}

void DrawPatternCurves(Gfx& gfx, const DrawingInput& input, ViewMemory& views) {
  const PolarFrame f = views.patternCurves;
  // The model answers -1 for an invalid code; such a curve would lie at a negative distance.
  if (VERANT(input.hCode) == 0) return;
  if (VERANT(input.vCode) != 0 && CodeType(input.vCode) != "TA") {
    DrawMatchedDots(gfx, input, f, views.dotSpacing);
    DrawCodeCurve(gfx, input.vCode, kSelectedVerticalBlue, f);
  }
  DrawCodeCurve(gfx, input.hCode, kHorizontalCurveRed, f);
}

}  // namespace lobrix
