// The X-Y view of the vertical page: attenuation (or relative field) against the angle of
// depression, from the horizon to the range the code's beam makes worth showing.
#include <charconv>
#include <cmath>

#include "model/antenna_pattern.h"
#include "render/coordinates.h"
#include "render/number_format.h"
#include "render/polar_frame.h"
#include "render/vertical_views.h"

namespace lobrix {
namespace {

constexpr GfxColor kGridDark = 0x646464;  // RGB(100,100,100)
constexpr GfxColor kCurveRed = 0x0000FF;

constexpr TextPair kVerticalWord{"Vertical", "Vertikální"};

struct PlotArea {
  int x0, x1, yT, yB;
  int W() const { return x1 - x0; }
  int H() const { return yB - yT; }
  int Y(double v) const { return RoundCoord(yB - v * H()); }  // value v (0..1) to y
};

void HorizontalLine(Gfx& gfx, int x0, int x1, int y, GfxColor color) {
  gfx.PenColor(color);
  gfx.DrawFrom(x0, y);
  gfx.DrawTo(x1, y);
}

// Angle grid: one line a unit (1 degree up to a range of 40, else 2), every fifth darker and
// labelled with its elevation ("-10°"). Returns the grid's right end.
int DrawAngleGrid(Gfx& gfx, const PlotArea& p, int range, double Y) {
  const int unit = range < 41 ? 1 : 2;
  const int units = range / unit;
  const int u = RoundCoord(static_cast<double>(p.W()) / units);
  gfx.GfxFontName("MS Sans Serif");
  gfx.GfxFontHeight(Y / 24);
  gfx.GfxFontWidth(FrameFontWidth(RoundCoord(0.392 * Y)));
  gfx.GfxFontColor(kGfxBlack);
  for (int i = 0; i <= units; ++i) {
    const int x = p.x0 + i * u;
    gfx.PenColor(i % 5 == 0 ? kGridDark : kLightGrey);
    gfx.DrawFrom(x, p.yB);
    gfx.DrawTo(x, p.yT);
    if (i % 5 != 0) continue;
    const int angle = i * unit;
    if (angle == 0) {
      TextAt(gfx, x - p.W() / 80.0, 0.94 * Y, "0°");
    } else {
      const std::string text = "-" + std::to_string(angle) + "°";
      TextAt(gfx, x - p.W() / (CharacterCount(text) < 4 ? 40.0 : 25.0), 0.94 * Y, text);
    }
  }
  return p.x0 + units * u;
}

void DrawLinearValueGrid(Gfx& gfx, const PlotArea& p, int xE, double X, double Y) {
  const int H = p.H();
  for (int i = 0; i <= 20; ++i)
    HorizontalLine(gfx, p.x0, xE, RoundCoord(p.yT + i * H / 20.0), kLightGrey);
  for (int i = 0; i <= 10; ++i)
    HorizontalLine(gfx, p.x0, xE, RoundCoord(p.yT + i * H / 10.0), kGridDark);
  for (int j = 0; j <= 5; ++j) {
    TextAt(gfx, 0.02 * X, p.yT - 0.02 * Y + j * H / 5.0, FormatMask((5 - j) / 5.0, "#.#"));
  }
}

// Lines at the field strengths of 0 to 6 dB, then every 2 dB to 20, then 30 and 60 dB.
void DrawDecibelValueGrid(Gfx& gfx, const PlotArea& p, int xE, double X, double Y) {
  auto labelled = [&](int y, const std::string& text) {
    HorizontalLine(gfx, p.x0, xE, y, kGridDark);
    TextAt(gfx, 0.023 * X, y - 0.02 * Y, text);
  };
  for (int d = 0; d <= 20; d += d < 6 ? 1 : 2) {
    const int y = p.Y(std::pow(10.0, -d / 20.0));
    if (d == 0 || d == 3 || d == 6 || d == 10 || d == 20) {
      labelled(y, (d < 10 ? "  " : "") + std::to_string(d));
    } else {
      HorizontalLine(gfx, p.x0, xE, y, kLightGrey);
    }
  }
  labelled(p.Y(0.0316), "30");
  HorizontalLine(gfx, p.x0, xE, p.Y(0.001), kGridDark);
}

// 200 segments from the horizon down to the range's end.
void DrawDepressionCurve(Gfx& gfx, const DrawingInput& input, const PlotArea& p, int range,
                         int xE) {
  if (VERANT(input.vCode) == 0) return;
  gfx.PenColor(kCurveRed);
  const double width = xE - p.x0;
  gfx.DrawFrom(p.x0, p.Y(ANT93(input.vCode, 0, kRelativeField)));
  for (int i = 1; i <= 200; ++i) {
    const float a = static_cast<float>(range) * static_cast<float>(i) / 200.0f;
    const float v = ANT93(input.vCode, a, kRelativeField);
    gfx.DrawTo(RoundCoord(p.x0 + a * width / range), p.Y(v));
  }
}

}  // namespace

void DrawXYHeading(Gfx& gfx, const DrawingInput& input) {
  const double X = gfx.GfxMetrics(kGfxExtentX);
  const double Y = gfx.GfxMetrics(kGfxExtentY);
  gfx.GfxFontName("Arial/1");
  gfx.GfxFontHeight(Y / 18);
  gfx.GfxFontWidth(Y / 48);
  gfx.GfxFontColor(kGfxBlack);
  TextAt(gfx, 0.09 * X, 0.015 * Y,
         std::string(Pick(kVerticalWord, input.language)) + " diagram" +
             (input.scaleMode >= kScaleDecibel ? " [dB]" : " [E/Emax]"));
  gfx.DrawFrom(0, RoundCoord(0.015 * Y));
  gfx.DrawTextRow(input.vCode + "     ", kAlignRight);
}

int XYAngleRange(std::string_view vcode) {
  const std::string_view type = CodeType(vcode);
  int n = 0;
  if (vcode.size() >= 3) std::from_chars(vcode.data(), vcode.data() + 3, n);
  int range = 90;
  if (type == "TA") {
    range = n / 10 * 10;
  } else if (type == "EA" || type == "DE" || type == "EB" || type == "EC" || type == "LA") {
    range = n * 10;
  }
  if (range <= 0) range = 10;
  if (range > 90) range = 90;
  return range;
}

void DrawXYGraph(Gfx& gfx, const DrawingInput& input) {
  const double X = gfx.GfxMetrics(kGfxExtentX);
  const double Y = gfx.GfxMetrics(kGfxExtentY);
  const PlotArea p{RoundCoord(0.09 * X), RoundCoord(0.95 * X), RoundCoord(0.08 * Y),
                   RoundCoord(0.92 * Y)};
  const int range = XYAngleRange(input.vCode);
  const int xE = DrawAngleGrid(gfx, p, range, Y);
  if (input.scaleMode >= kScaleDecibel) {
    DrawDecibelValueGrid(gfx, p, xE, X, Y);
  } else {
    DrawLinearValueGrid(gfx, p, xE, X, Y);
  }
  DrawDepressionCurve(gfx, input, p, range, xE);
  DrawXYHeading(gfx, input);
}

}  // namespace lobrix
