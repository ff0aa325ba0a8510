#include "render/conversion_views.h"

#include <cmath>
#include <numbers>
#include <string>

#include "model/antenna_pattern.h"
#include "render/coordinates.h"
#include "render/number_format.h"
#include "render/polar_frame.h"

namespace lobrix {
namespace {

constexpr GfxColor kMeasuredRed = kMeasuredColor;
constexpr GfxColor kFittedBlue = kFittedColor;
constexpr double kDegree = std::numbers::pi / 180.0;

// The window's font for its texts, and its height in logical units.
constexpr const char* kTextFont = "MS Sanserif/1";
constexpr double kTextHeight = 42;

// Rim labels of the azimuth frame (|mode| 3) and of the tilt frame (|mode| 5): the tilt frame
// counts clockwise from the right, so 0 stands at the right and 270 at the top.
constexpr RimLabel kAzimuthRim[] = {
    {"0", 359, 1.15, true},   {"30", 26.5, 1.13, true}, {"60", 56.5, 1.09, true},
    {"90", 87, 1.05, true},   {"120", 120, 1.02, true}, {"150", 151, 1.02, true},
    {"180", 184, 1.03, true}, {"210", 217, 1.12, true}, {"240", 245, 1.19, true},
    {"270", 273, 1.22, true}, {"300", 299, 1.23, true}, {"330", 327, 1.2, true},
};
constexpr RimLabel kTiltRim[] = {
    {"270", 357, 1.15, true}, {"300", 26.5, 1.13, true}, {"330", 56.5, 1.09, true},
    {"0", 87, 1.07, true},    {"30", 120, 1.02, true},   {"60", 151, 1.02, true},
    {"90", 182, 1.03, true},  {"120", 217, 1.12, true},  {"150", 245, 1.19, true},
    {"180", 273, 1.22, true}, {"210", 299, 1.23, true},  {"240", 327, 1.2, true},
};

constexpr TextPair kFileText{"source file:", "ant.soubor:"};
constexpr TextPair kFolderText{"  from directory  ", "  z adresáře  "};
constexpr TextPair kNameText{"name of antenna:  ", "jméno antény:  "};
constexpr TextPair kFrequencyText{"frequency = ", "kmitočet = "};
constexpr TextPair kGainText{" MHz     gain =", " MHz     zisk ="};
constexpr TextPair kHorizontalText{"Horiz.diag.(Azimuth)", "Horiz.diag.(Azimut)"};
constexpr TextPair kVerticalText{"Vert.diag.(Tilt)", "Vert.diag.(Klopení)"};

int Times(double factor, int r) {
  return RoundCoord(factor * r);
}

// Field of the fitted code at column index i, its maximum at angle a; the failure value of an
// invalid code lies at the centre rather than outside it.
double FittedField(const std::string& code, int i, float a) {
  const float value = ANT93(code, AngleFromMaximum(i, a), kRelativeField);
  return value < 0 ? 0.0 : value;
}

void SetTextFont(Gfx& gfx, GfxColor color) {
  gfx.GfxFontName(kTextFont);
  gfx.GfxFontHeight(kTextHeight);
  gfx.GfxFontWidth(0);
  gfx.GfxFontWeight(4);
  gfx.GfxFontColor(color);
  gfx.GfxBkgdMode(kBkgdTransparent);
}

// Frequency rounded to one decimal in the short form, a blank in front when not negative.
std::string FrequencyText(float frequency) {
  return NumberText(frequency, 1);
}

// The curve of `code` with its maximum at `fittedAngle`. `point(i, r)` places the curve's point
// of column index i at distance r.
template <typename PointOf>
void DrawFittedCurve(Gfx& gfx, const ConversionFrames& f, const std::string& code,
                     float fittedAngle, PointOf point) {
  const Point start = point(0, FittedField(code, 0, fittedAngle) * f.r);
  gfx.DrawFrom(start.x, start.y);
  for (int i = 1; i < 360; ++i) {
    const Point p = point(i, FittedField(code, i, fittedAngle) * f.r);
    gfx.DrawTo(p.x, p.y);
  }
  gfx.DrawTo(start.x, start.y);
}

// One plane's result under its frame: the code at the left, the angle text at `angleX`, and
// the code's curve.
template <typename PointOf>
void DrawFittedPlane(Gfx& gfx, const ConversionFrames& f, int cx, double angleFactor,
                     const std::string& code, const std::string& angleText, float fittedAngle,
                     PointOf point) {
  const int textY = f.centreY + Times(1.05, f.r);
  TextAt(gfx, cx - Times(1.21, f.r), textY, code);
  TextAt(gfx, cx + Times(angleFactor, f.r), textY, angleText);
  DrawFittedCurve(gfx, f, code, fittedAngle, point);
}

Point HorizontalPoint(const ConversionFrames& f, int i, double distance) {
  return {RoundCoord(f.horizontalX + std::sin(i * kDegree) * distance),
          RoundCoord(f.centreY - std::cos(i * kDegree) * distance)};
}

Point VerticalPoint(const ConversionFrames& f, int i, double distance) {
  return {RoundCoord(f.verticalX + std::cos(i * kDegree) * distance),
          RoundCoord(f.centreY + std::sin(i * kDegree) * distance)};
}

}  // namespace

ConversionFrames ConversionGeometry(int extentX) {
  const int d = RoundCoord(0.455 * extentX);
  const int m = RoundCoord(0.033 * extentX);
  ConversionFrames f;
  f.horizontalX = RoundCoord(d / 2.0 + m);
  f.centreY = RoundCoord(d / 2.0 + 180);
  f.r = RoundCoord(0.4 * d);
  f.verticalX = RoundCoord(0.488 * extentX + f.horizontalX);
  return f;
}

void DrawConversionFrame(Gfx& gfx, PolarFrame& stored, int cx, int cy, int r, int mode) {
  if (r > 0) stored = {cx, cy, r};
  if (stored.r < 1) return;
  const PolarFrame f = stored;
  GfxBatch batch(gfx);
  const bool outlined = mode > 10 || mode < -10;
  if (outlined) mode += mode > 0 ? -10 : 10;
  const bool decibel = mode < 0;

  gfx.BrushColor(kGfxWhite);
  gfx.BrushStyle(kBrushFilled);
  gfx.PenColor(outlined ? kGfxBlack : kGfxWhite);
  gfx.PenStyle(kPenSolid);
  gfx.DrawFrom(f.cx - Times(1.28, f.r), f.cy - Times(1.23, f.r));
  gfx.DrawRect(Times(2.52, f.r), Times(2.47, f.r));

  DrawPolarGrid(gfx, f, decibel);
  gfx.GfxFontWeight(4);
  const int labels = mode < 0 ? -mode : mode;
  DrawRimLabels(gfx, f, labels >= 5 ? std::span<const RimLabel>(kTiltRim) : kAzimuthRim);
  DrawScaleLabels(gfx, f, decibel);
  gfx.GfxBkgdMode(kBkgdTransparent);
  gfx.GfxFontColor(kGfxBlack);
  gfx.GfxFontWeight(0);
}

void DrawMeasuredDiagram(Gfx& gfx, const ConversionFrames& frames,
                         const std::array<float, 360>& column, bool horizontal) {
  GfxBatch batch(gfx);
  gfx.PenColor(kMeasuredRed);
  gfx.PenStyle(kPenSolid);
  auto point = [&](int i) {
    // A value outside 0..1 (a table not yet filled, a NaN) stays inside the frame's reach.
    const float value = column[static_cast<std::size_t>(i)];
    const double e = std::isfinite(value) ? std::fmin(std::fmax(value, 0.0f), 1.0f) : 0;
    return horizontal ? HorizontalPoint(frames, i, e * frames.r)
                      : VerticalPoint(frames, i, e * frames.r);
  };
  const Point start = point(0);
  gfx.DrawFrom(start.x, start.y);
  for (int i = 1; i < 360; ++i) {
    const Point p = point(i);
    gfx.DrawTo(p.x, p.y);
  }
  gfx.DrawTo(start.x, start.y);
}

void PaintConversionWindow(Gfx& gfx, const ConversionPicture& picture) {
  const int extentX = gfx.GfxMetrics(kGfxExtentX);
  const int extentY = gfx.GfxMetrics(kGfxExtentY);
  const ConversionFrames f = ConversionGeometry(extentX);
  PolarFrame stored;
  DrawConversionFrame(gfx, stored, f.horizontalX, f.centreY, f.r, -13);
  if (picture.measuredShown) DrawMeasuredDiagram(gfx, f, picture.measured[0], true);
  DrawConversionFrame(gfx, stored, f.verticalX, f.centreY, f.r, -15);
  if (picture.measuredShown) DrawMeasuredDiagram(gfx, f, picture.measured[1], false);

  GfxBatch batch(gfx);
  SetTextFont(gfx, kGfxBlack);
  const int language = picture.language;
  const double x0 = 0.041 * extentX;
  std::string source = std::string(Pick(kFileText, language)) + "  " + picture.fileName;
  if (!picture.folder.empty()) source += std::string(Pick(kFolderText, language)) + picture.folder;
  TextAt(gfx, x0, 0.018 * extentY, source);
  TextAt(gfx, x0, 0.068 * extentY,
         std::string(Pick(kNameText, language)) + picture.maker + ", " + picture.antennaName);
  TextAt(gfx, x0, 0.118 * extentY,
         std::string(Pick(kFrequencyText, language)) + FrequencyText(picture.frequency) +
             std::string(Pick(kGainText, language)) + FormatMask(picture.gain, "###.# dBi"));
  TextAt(gfx, x0, 0.2 * extentY, Pick(kHorizontalText, language));
  TextAt(gfx, 0.53 * extentX, 0.2 * extentY, Pick(kVerticalText, language));
}

void DrawConversionResults(Gfx& gfx, const ConversionPicture& picture) {
  const ConversionFrames f = ConversionGeometry(gfx.GfxMetrics(kGfxExtentX));
  GfxBatch batch(gfx);
  gfx.PenColor(kFittedBlue);
  gfx.PenStyle(kPenSolid);
  SetTextFont(gfx, kFittedBlue);
  DrawFittedPlane(gfx, f, f.horizontalX, 0.34, picture.hCode,
                  "Azi Max =" + FormatMask(picture.fittedAzimuth, "####.#") + "°",
                  picture.fittedAzimuth,
                  [&](int i, double distance) { return HorizontalPoint(f, i, distance); });
  DrawFittedPlane(gfx, f, f.verticalX, 0.33, picture.vCode,
                  "Ele Max =" + FormatMask(picture.eleMax, "####.#") + "°", picture.fittedTilt,
                  [&](int i, double distance) { return VerticalPoint(f, i, distance); });
  gfx.GfxFontColor(kGfxBlack);
}

void DrawConversionOverlays(Gfx& gfx, const ConversionPicture& picture) {
  const ConversionFrames f = ConversionGeometry(gfx.GfxMetrics(kGfxExtentX));
  GfxBatch batch(gfx);
  gfx.PenStyle(kPenSolid);
  for (const ConversionOverlay& overlay : picture.overlays) {
    gfx.PenColor(overlay.color);
    if (!overlay.hCode.empty()) {
      DrawFittedCurve(gfx, f, overlay.hCode, overlay.azimuth,
                      [&](int i, double distance) { return HorizontalPoint(f, i, distance); });
    }
    if (!overlay.vCode.empty()) {
      DrawFittedCurve(gfx, f, overlay.vCode, overlay.tilt,
                      [&](int i, double distance) { return VerticalPoint(f, i, distance); });
    }
  }
}

void DrawConversionPicture(Gfx& gfx, const ConversionPicture& picture) {
  PaintConversionWindow(gfx, picture);
  if (!picture.overlays.empty()) DrawConversionOverlays(gfx, picture);
  if (picture.converted) DrawConversionResults(gfx, picture);
}

PixelSize ConversionAreaPixels(DialogBaseUnits units) {
  // Dialog units to pixels as the dialog manager converts them, rounded: x * base x / 4,
  // y * base y / 8.
  constexpr int kClientWidth = 368, kClientHeight = 229, kButtonRow = 20, kLeft = 2;
  const int right = (kClientWidth * units.x + 2) / 4 - 1;
  const int bottom = ((kClientHeight - kButtonRow) * units.y + 4) / 8;
  return {right - kLeft, bottom};
}

}  // namespace lobrix
