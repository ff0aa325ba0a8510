#include "render/coordinates.h"

#include <cmath>

namespace lobrix {

int RoundCoord(double value) {
  if (std::isnan(value)) return 0;
  constexpr double kLimit = 1e9;
  if (value > kLimit) value = kLimit;
  if (value < -kLimit) value = -kLimit;
  return static_cast<int>(std::nearbyint(value));
}

Point PointAt(int cx, int cy, double angle, double distance) {
  Point p{cx, cy};
  Gfx::CalcPoint(p.x, p.y, angle, distance);
  return p;
}

Point CurvePoint(int cx, int cy, double angle, double v, int r) {
  const double distance = v > 0 ? v * r : 0.0;
  return PointAt(cx, cy, angle, RoundCoord(distance));
}

void TextAt(Gfx& gfx, double x, double y, std::string_view text, int align) {
  gfx.DrawFrom(RoundCoord(x), RoundCoord(y));
  gfx.DrawTextRow(text, align);
}

void DrawClosedCurve(Gfx& gfx, const PolarFrame& f, const std::function<float(int)>& value) {
  const float first = value(0);
  if (first < 0) return;
  const Point start = CurvePoint(f.cx, f.cy, 0, first, f.r);
  gfx.DrawFrom(start.x, start.y);
  for (int a = 1; a <= 360; ++a) {
    const Point p = CurvePoint(f.cx, f.cy, a, value(a), f.r);
    gfx.DrawTo(p.x, p.y);
  }
}

void DottedRadius(Gfx& gfx, const PolarFrame& f, double angle, GfxColor color) {
  gfx.PenColor(color);
  gfx.PenStyle(kPenDotted);
  const Point rim = PointAt(f.cx, f.cy, angle, f.r);
  gfx.DrawFrom(rim.x, rim.y);
  gfx.DrawTo(f.cx, f.cy);
  gfx.PenStyle(kPenSolid);
}

void StoreFrame(PolarFrame& stored, const PolarFrame& frame) {
  if (frame.r >= 1) stored = frame;
}

int CharacterCount(std::string_view utf8) {
  int n = 0;
  for (char c : utf8) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
  return n;
}

std::string_view CodeType(std::string_view code) {
  return code.size() >= 5 ? code.substr(3, 2) : std::string_view{};
}

}  // namespace lobrix
