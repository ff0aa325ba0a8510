#include "render/horizontal_views.h"

#include "model/antenna_pattern.h"
#include "render/coordinates.h"
#include "render/number_format.h"
#include "render/pattern_curves.h"
#include "render/polar_frame.h"
#include "render/readout.h"

namespace lobrix {
namespace {

constexpr GfxColor kTableValueRed = 0x0000FF;

constexpr TextPair kTableTitle{"Horizontal diagram ", "Horizontální diagram "};
constexpr TextPair kHorizontalWord{"Horizontal", "Horizontální"};

// The attenuation in dB, its blanks doubled: a blank is about half a digit wide in the table's
// font, so the doubled blanks keep the values' decimal points roughly in line.
std::string DecibelCell(float value) {
  std::string text;
  for (char c : FormatMask(value, "##.##"))
    text += c == ' ' ? std::string("  ") : std::string(1, c);
  return text;
}

}  // namespace

void ShowHorizontalView(Gfx& gfx, const DrawingInput& input, ViewMemory& views) {
  gfx.BrushColor(kGfxWhite);
  gfx.BrushStyle(kBrushFilled);
  const GfxBatch batch(gfx);
  gfx.GfxCLS();
  if (input.alternateView == 0) {
    DrawHorizontalFrame(gfx, views, input.scaleMode);
    DrawPatternCurves(gfx, input, views);
    DrawHorizontalHeading(gfx, input);
  } else {
    DrawHorizontalTable(gfx, input);
  }
}

void DrawHorizontalTable(Gfx& gfx, const DrawingInput& input) {
  const double X = gfx.GfxMetrics(kGfxExtentX);
  const double Y = gfx.GfxMetrics(kGfxExtentY);
  const bool decibel = input.scaleMode >= kScaleDecibel;

  gfx.GfxFontName("MS Sans Serif");
  gfx.GfxFontHeight(Y / 16);
  gfx.GfxFontWidth(FrameFontWidth(RoundCoord(0.392 * Y)));
  gfx.GfxFontColor(kGfxBlack);
  TextAt(gfx, 0.06 * X, 0.078 * Y, std::string(66, '-'), kAlignLeft);
  TextAt(gfx, 0.06 * X, 0.03 * Y,
         std::string(Pick(kTableTitle, input.language)) + (decibel ? "[dB]" : "[E/Emax]"),
         kAlignLeft);
  TextAt(gfx, 0, 0.03 * Y, input.hCode + "     ", kAlignRight);

  // Three groups of twelve rows: 0..110, 120..230, 240..350 degrees.
  const int top = RoundCoord(0.131 * Y);
  const int row = RoundCoord(Y / 140);
  auto row_y = [&](int a) { return top + row * (a % 120); };
  const double label_x[] = {0.06 * X, 0.40 * X, 0.74 * X};
  const double value_x[] = {0.17 * X, 0.51 * X, 0.85 * X};

  for (int a = 0; a < 360; a += 10) {
    TextAt(gfx, label_x[a / 120], row_y(a), FormatMask(a, "000") + "°", kAlignLeft);
  }
  gfx.GfxFontColor(kTableValueRed);
  if (VERANT(input.hCode) == 0) return;  // no values for an invalid code
  const int mode = decibel ? kDecibel : kRelativeField;
  for (int a = 0; a < 360; a += 10) {
    const float v = ANT93(input.hCode, static_cast<float>(a), mode);
    const std::string cell = decibel ? DecibelCell(v) : FormatMask(v, "#.###");
    TextAt(gfx, value_x[a / 120], row_y(a), cell, kAlignLeft);
  }
}

void DrawHorizontalHeading(Gfx& gfx, const DrawingInput& input) {
  const double X = gfx.GfxMetrics(kGfxExtentX);
  const double Y = gfx.GfxMetrics(kGfxExtentY);
  gfx.GfxFontName("MS Sans Serif");
  gfx.GfxFontHeight(Y / 17.5);
  gfx.GfxFontColor(kGfxBlack);
  TextAt(gfx, 0, 0.015 * Y,
         std::string(Pick(kHorizontalWord, input.language)) + " ant. diagram: " + input.hCode,
         kAlignCenter);
  if (CodeType(input.vCode) == "TA") return;
  gfx.GfxFontColor(kSelectedVerticalBlue);
  gfx.GfxFontHeight(Y / 20);
  TextAt(gfx, 0.585 * X, 0.935 * Y, "Vert.diagram: " + input.vCode, kAlignLeft);
}

std::string AzimuthReadoutText(const DrawingInput& input, const ViewMemory& views, int x, int y) {
  const ReadoutPlace& place = views.azimuthReadout;
  if (place.frame.r <= 0 || RadiusFraction(place.frame, x, y) >= 1.05) return std::string(43, ' ');
  int azimuth = RoundAngle(CompassAngle(x - place.frame.cx, place.frame.cy - y));
  if (azimuth == 360) azimuth = 0;
  const int mode = input.scaleMode >= kScaleDecibel ? kDecibel : kRelativeField;
  const float v = ANT93(input.hCode, static_cast<float>(azimuth), mode);
  return "Azi =" + NumberText(azimuth, 0) + "°" + DiaText(v, input.scaleMode) + "     ";
}

void SetAzimuthReadoutPlace(ViewMemory& views, const PolarFrame& frame) {
  if (frame.r > 0) views.azimuthReadout = MakeReadoutPlace(frame.cx, frame.cy, frame.r, 1.037);
}

void ShowAzimuthReadout(Gfx& gfx, const DrawingInput& input, ViewMemory& views, int x, int y) {
  const ReadoutPlace& place = views.azimuthReadout;
  if (place.frame.r <= 0) return;
  DrawReadoutText(gfx, place, AzimuthReadoutText(input, views, x, y));
}

}  // namespace lobrix
