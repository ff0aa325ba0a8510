#include "render/readout.h"

#include <cmath>
#include <numbers>

#include "render/coordinates.h"
#include "render/drawing_input.h"
#include "render/number_format.h"
#include "render/polar_frame.h"

namespace lobrix {

double CompassAngle(double dx, double dy) {
  constexpr double kDegrees = 180 / std::numbers::pi;
  if (dy == 0) return dx > 0 ? 90 : 270;
  const double a = std::atan(dx / dy) * kDegrees;
  if (dy < 0) return a + 180;
  return a < 0 ? a + 360 : a;
}

double RadiusFraction(const PolarFrame& frame, int x, int y) {
  const double dx = x - frame.cx;
  const double dy = frame.cy - y;
  return std::sqrt(dx * dx + dy * dy) / frame.r;
}

int RoundAngle(double angle) {
  return RoundCoord(angle);
}

std::string DiaText(float value, int scaleMode) {
  if (value < 0) return "";
  return ", Dia = " + FormatMask(value, scaleMode >= kScaleDecibel ? "#.# dB" : "#.##");
}

ReadoutPlace MakeReadoutPlace(int cx, int cy, int r, double factorY) {
  return {{cx, cy, r}, RoundCoord(0.049 * cx), cy + RoundCoord(factorY * r)};
}

void DrawReadoutText(Gfx& gfx, const ReadoutPlace& place, const std::string& text) {
  const int r = place.frame.r;
  const GfxBatch batch(gfx);
  gfx.GfxFontName("Arial/1");
  gfx.GfxFontHeight(RoundCoord(r / 8.0));
  gfx.GfxFontWidth(RoundCoord(r / 24.0));
  gfx.GfxFontColor(kLabelGrey);
  gfx.GfxBkgdMode(kBkgdOpaque);
  gfx.GfxBkgdColor(kGfxWhite);
  gfx.DrawFrom(place.textX, place.textY);
  gfx.DrawTextRow(text, kAlignLeft);
}

}  // namespace lobrix
