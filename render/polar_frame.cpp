#include "render/polar_frame.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <string>

#include "render/coordinates.h"
#include "render/drawing_input.h"
#include "render/number_format.h"

namespace lobrix {
namespace {

constexpr RimLabel kAzimuthLabels[] = {
    {"0", 359, 1.14, true},   {"30", 26.5, 1.13, true}, {"60", 56.5, 1.09, true},
    {"90", 87, 1.05, true},   {"120", 120, 1.02, true}, {"150", 151, 1.02, true},
    {"180", 184, 1.03, true}, {"210", 217, 1.13, true}, {"240", 245, 1.21, true},
    {"270", 273, 1.23, true}, {"300", 299, 1.25, true}, {"330", 327, 1.21, true},
};

constexpr RimLabel kCompassLabels[] = {
    {"N", 358, 1.15, false},   {"30", 26.5, 1.13, true}, {"60", 56.5, 1.09, true},
    {"E", 86.8, 1.06, false},  {"120", 120, 1.02, true}, {"150", 151, 1.02, true},
    {"S", 181.1, 1.04, false}, {"210", 217, 1.13, true}, {"240", 245, 1.21, true},
    {"W", 273, 1.15, false},   {"300", 299, 1.25, true}, {"330", 327, 1.21, true},
};

// Elevation e sits at frame angle 90 - e: forward horizon right, zenith up, backward left.
constexpr RimLabel kElevationLabels[] = {
    {"90", 358, 1.15, true},    {"60", 26.5, 1.13, true},  {"30", 56.5, 1.09, true},
    {"0", 86.6, 1.06, true},    {"-30", 120, 1.02, true},  {"-60", 151, 1.02, true},
    {"-90", 184, 1.04, true},   {"-120", 219, 1.16, true}, {"-150", 245, 1.24, true},
    {"180", 272.8, 1.25, true}, {"150", 299, 1.25, true},  {"120", 327, 1.22, true},
};

int Times(double factor, int r) {
  return RoundCoord(factor * r);
}

void DrawSpokes(Gfx& gfx, const PolarFrame& f, int step, int last) {
  for (int a = 0; a <= last; a += step) {
    gfx.DrawFrom(f.cx, f.cy);
    gfx.DrawAngle(a, f.r);
  }
}

void DrawFineRings(Gfx& gfx, const PolarFrame& f, bool decibel) {
  if (decibel) {
    // 1 to 5 dB, then 8 and 15 dB (field strengths 0.4 and 0.178).
    for (int k = 1; k <= 5; ++k) DrawRing(gfx, f.cx, f.cy, Times(std::pow(10.0, -k / 20.0), f.r));
    DrawRing(gfx, f.cx, f.cy, Times(0.4, f.r));
    DrawRing(gfx, f.cx, f.cy, Times(0.178, f.r));
    return;
  }
  // Tenths of R down to a fifth. A step of at least 1 keeps a tiny frame (R < 10) from
  // looping for ever on a zero step.
  const int step = std::max(1, f.r / 10);
  for (int rho = f.r; rho >= f.r / 5; rho -= step) DrawRing(gfx, f.cx, f.cy, rho);
}

void DrawMainRings(Gfx& gfx, const PolarFrame& f, bool decibel) {
  DrawRing(gfx, f.cx, f.cy, f.r);
  DrawRing(gfx, f.cx, f.cy, Times(0.5, f.r));
  if (decibel) {  // 3, 10 and 20 dB
    DrawRing(gfx, f.cx, f.cy, Times(0.708, f.r));
    DrawRing(gfx, f.cx, f.cy, Times(0.316, f.r));
    DrawRing(gfx, f.cx, f.cy, Times(0.1, f.r));
  }
}

// Both frames: the same grid, their own rim labels.
void DrawFrame(Gfx& gfx, const PolarFrame& stored, int scaleMode,
               std::span<const RimLabel> labels) {
  if (stored.r < 1) return;  // nothing to redraw yet
  const PolarFrame f = stored;
  const bool decibel = scaleMode >= kScaleDecibel;

  gfx.BrushColor(kGfxWhite);
  gfx.BrushStyle(kBrushFilled);
  gfx.PenColor(kGfxWhite);
  gfx.PenStyle(kPenSolid);
  gfx.DrawFrom(f.cx - Times(1.27, f.r), f.cy - Times(1.17, f.r));
  gfx.DrawRect(Times(2.51, f.r), Times(2.36, f.r));

  DrawPolarGrid(gfx, f, decibel);
  DrawRimLabels(gfx, f, labels);
  DrawScaleLabels(gfx, f, decibel);
}

}  // namespace

int FrameFontWidth(int r) {
  return Times(1.0 / 24, r);
}

void DrawPolarGrid(Gfx& gfx, const PolarFrame& f, bool decibel) {
  gfx.BrushStyle(kBrushOutline);
  gfx.PenColor(kLightGrey);
  DrawSpokes(gfx, f, 10, 350);
  DrawFineRings(gfx, f, decibel);

  // The centre disc hides the fine spokes where they crowd together.
  gfx.BrushStyle(kBrushFilled);
  gfx.DrawFrom(f.cx, f.cy);
  gfx.DrawCircle(Times(0.1, f.r));
  gfx.BrushStyle(kBrushOutline);

  gfx.PenColor(kDarkGrey);
  DrawSpokes(gfx, f, 30, 330);
  DrawMainRings(gfx, f, decibel);
}

void DrawRimLabels(Gfx& gfx, const PolarFrame& f, std::span<const RimLabel> labels) {
  gfx.GfxFontName("Arial/1");
  gfx.GfxFontHeight(Times(1.0 / 8, f.r));
  gfx.GfxFontWidth(FrameFontWidth(f.r));
  gfx.GfxFontColor(kGfxBlack);
  for (const RimLabel& label : labels) {
    const Point p = PointAt(f.cx, f.cy, label.angle, Times(label.factor, f.r));
    gfx.DrawFrom(p.x, p.y);
    gfx.DrawTextRow(std::string(label.text) + (label.degreeSign ? "°" : ""), kAlignLeft);
  }
}

void DrawScaleLabels(Gfx& gfx, const PolarFrame& f, bool decibel) {
  gfx.GfxBkgdMode(kBkgdOpaque);
  gfx.GfxBkgdColor(kGfxWhite);
  gfx.GfxFontColor(kLabelGrey);
  const int y0 = f.cy - Times(1.0 / 18, f.r);
  if (!decibel) {
    const int x = f.cx - Times(1.0 / 28, f.r);
    for (double v : {0.2, 0.4, 0.6, 0.8}) TextAt(gfx, x, y0 - Times(v, f.r), FormatMask(v, ".#"));
    return;
  }
  const int x = f.cx - Times(1.0 / 20, f.r);
  TextAt(gfx, f.cx - Times(1.0 / 13, f.r), y0 - Times(0.708, f.r), "3dB");
  TextAt(gfx, x, y0 - Times(0.5, f.r), " 6");
  TextAt(gfx, x, y0 - Times(0.316, f.r), "10");
  TextAt(gfx, x, y0 - Times(0.09, f.r), "20");
}

void DrawRing(Gfx& gfx, int cx, int cy, int radius) {
  gfx.DrawFrom(cx, cy - radius);
  for (int a = 1; a <= 360; ++a) {
    const Point p = PointAt(cx, cy, a, radius);
    gfx.DrawTo(p.x, p.y);
  }
}

void DrawHorizontalFrame(Gfx& gfx, ViewMemory& views, const PolarFrame& frame, int scaleMode) {
  StoreFrame(views.horizontalFrame, frame);
  DrawHorizontalFrame(gfx, views, scaleMode);
}

void DrawHorizontalFrame(Gfx& gfx, ViewMemory& views, int scaleMode) {
  const bool letters = (scaleMode & kFrameCompassLetters) != 0;
  DrawFrame(gfx, views.horizontalFrame, scaleMode,
            letters ? std::span<const RimLabel>(kCompassLabels) : kAzimuthLabels);
}

void DrawVerticalFrame(Gfx& gfx, ViewMemory& views, const PolarFrame& frame, int scaleMode) {
  StoreFrame(views.verticalFrame, frame);
  DrawVerticalFrame(gfx, views, scaleMode);
}

void DrawVerticalFrame(Gfx& gfx, ViewMemory& views, int scaleMode) {
  DrawFrame(gfx, views.verticalFrame, scaleMode, kElevationLabels);
}

}  // namespace lobrix
