#include "render/conversion_views.h"

#include <cmath>
#include <cstdlib>
#include <numbers>
#include <span>
#include <string>

#include "render/coordinates.h"
#include "render/language.h"
#include "render/number_format.h"
#include "render/polar_frame.h"

namespace lobrix {
namespace {

// Rim labels by |mode| 1..5 (|mode| above 5 uses the last set). The anchors of the positions
// between the main directions are the same in every set; top, right, bottom and left differ.
constexpr RimLabel kRimLabels[5][12] = {
    // 1: degrees clockwise from the top, the top marked as the reference
    {{"0°=Ref", 354, 1.14, false},
     {"30", 26.5, 1.13, true},
     {"60", 56.5, 1.09, true},
     {"90", 87, 1.05, true},
     {"120", 120, 1.02, true},
     {"150", 151, 1.02, true},
     {"180", 184, 1.03, true},
     {"210", 217, 1.12, true},
     {"240", 245, 1.19, true},
     {"270", 273, 1.22, true},
     {"300", 299, 1.23, true},
     {"330", 327, 1.2, true}},
    // 2: compass letters at the main directions
    {{"N", 358, 1.15, false},
     {"30", 26.5, 1.13, true},
     {"60", 56.5, 1.09, true},
     {"E", 86.8, 1.06, false},
     {"120", 120, 1.02, true},
     {"150", 151, 1.02, true},
     {"S", 181.1, 1.04, false},
     {"210", 217, 1.12, true},
     {"240", 245, 1.19, true},
     {"W", 273, 1.15, false},
     {"300", 299, 1.23, true},
     {"330", 327, 1.2, true}},
    // 3: degrees clockwise from the top (the horizontal plane)
    {{"0", 359, 1.15, true},
     {"30", 26.5, 1.13, true},
     {"60", 56.5, 1.09, true},
     {"90", 87, 1.05, true},
     {"120", 120, 1.02, true},
     {"150", 151, 1.02, true},
     {"180", 184, 1.03, true},
     {"210", 217, 1.12, true},
     {"240", 245, 1.19, true},
     {"270", 273, 1.22, true},
     {"300", 299, 1.23, true},
     {"330", 327, 1.2, true}},
    // 4: degrees counter-clockwise, 0 at the right
    {{"90", 358, 1.15, true},
     {"60", 26.5, 1.13, true},
     {"30", 56.5, 1.09, true},
     {"0", 87, 1.07, true},
     {"330", 120, 1.02, true},
     {"300", 151, 1.02, true},
     {"270", 184, 1.03, true},
     {"240", 217, 1.12, true},
     {"210", 245, 1.19, true},
     {"180", 273, 1.22, true},
     {"150", 299, 1.23, true},
     {"120", 327, 1.2, true}},
    // 5: degrees clockwise, 0 at the right, 90 at the bottom (the vertical plane)
    {{"270", 357, 1.15, true},
     {"300", 26.5, 1.13, true},
     {"330", 56.5, 1.09, true},
     {"0", 87, 1.07, true},
     {"30", 120, 1.02, true},
     {"60", 151, 1.02, true},
     {"90", 182, 1.03, true},
     {"120", 217, 1.12, true},
     {"150", 245, 1.19, true},
     {"180", 273, 1.22, true},
     {"210", 299, 1.23, true},
     {"240", 327, 1.2, true}},
};

constexpr TextPair kFileLabel{"source file:", "ant.soubor:"};
constexpr TextPair kFolderLabel{"  from directory  ", "  z adresáře  "};
constexpr TextPair kNameLabel{"name of antenna:  ", "jméno antény:  "};
constexpr TextPair kFrequencyLabel{"frequency = ", "kmitočet = "};
constexpr TextPair kGainLabel{" MHz     gain =", " MHz     zisk ="};
constexpr TextPair kHorizontalHeading{"Horiz.diag.(Azimuth)", "Horiz.diag.(Azimut)"};
constexpr TextPair kVerticalHeading{"Vert.diag.(Tilt)", "Vert.diag.(Klopení)"};

constexpr char kTextFont[] = "MS Sanserif/1";
constexpr int kTextHeight = 42;

int Times(double factor, int r) {
  return RoundCoord(factor * r);
}

void TextFont(Gfx& gfx) {
  gfx.GfxFontName(kTextFont);
  gfx.GfxFontHeight(kTextHeight);
  gfx.GfxFontWidth(0);
  gfx.GfxBkgdMode(1);
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
  const GfxBatch batch(gfx);

  const bool outlined = std::abs(mode) > 10;
  if (outlined) mode += mode > 0 ? -10 : 10;
  const bool decibel = mode < 0;
  const int labelSet = std::abs(mode) < 1 ? 1 : std::abs(mode) > 5 ? 5 : std::abs(mode);

  gfx.BrushColor(kGfxWhite);
  gfx.BrushStyle(kBrushFilled);
  gfx.PenColor(outlined ? kGfxBlack : kGfxWhite);
  gfx.PenStyle(kPenSolid);
  gfx.DrawFrom(f.cx - Times(1.28, f.r), f.cy - Times(1.23, f.r));
  gfx.DrawRect(Times(2.52, f.r), Times(2.47, f.r));

  DrawPolarGrid(gfx, f, decibel);
  gfx.GfxFontWeight(4);
  DrawRimLabels(gfx, f, kRimLabels[labelSet - 1]);
  DrawScaleLabels(gfx, f, decibel);
  gfx.GfxBkgdMode(1);
  gfx.GfxFontColor(kGfxBlack);
  gfx.GfxFontWeight(0);
}

void DrawPlaneCurve(Gfx& gfx, const ConversionFrames& frames, bool horizontal,
                    const PlaneCurve& values) {
  const int cx = horizontal ? frames.horizontalX : frames.verticalX;
  const auto pointOf = [&](int i) {
    const double a = i * std::numbers::pi / 180.0;
    // A failure value of the model (-1), or no number at all, lies at the centre.
    const double v = values[static_cast<std::size_t>(i)];
    const double rho = v > 0 ? v * frames.r : 0.0;
    // Horizontal: clockwise from the top. Vertical: clockwise from the right.
    return horizontal ? Point{RoundCoord(cx + std::sin(a) * rho),
                              RoundCoord(frames.centreY - std::cos(a) * rho)}
                      : Point{RoundCoord(cx + std::cos(a) * rho),
                              RoundCoord(frames.centreY + std::sin(a) * rho)};
  };
  const Point start = pointOf(0);
  gfx.DrawFrom(start.x, start.y);
  for (int i = 1; i < 360; ++i) {
    const Point p = pointOf(i);
    gfx.DrawTo(p.x, p.y);
  }
  gfx.DrawTo(start.x, start.y);
}

void DrawMeasuredDiagram(Gfx& gfx, const ConversionFrames& frames, std::string_view plane,
                         const PlaneCurve& values) {
  const GfxBatch batch(gfx);
  gfx.PenColor(kMeasuredRed);
  gfx.PenStyle(kPenSolid);
  DrawPlaneCurve(gfx, frames, plane == "h", values);
}

void DrawConversionTexts(Gfx& gfx, const ConversionTexts& texts) {
  const int x = gfx.GfxMetrics(kGfxExtentX);
  const int y = gfx.GfxMetrics(kGfxExtentY);
  const int language = texts.language;
  const GfxBatch batch(gfx);
  TextFont(gfx);
  gfx.GfxFontColor(kGfxBlack);
  const double x0 = 0.041 * x;

  std::string line(Pick(kFileLabel, language));
  line += "  " + texts.fileName;
  line += Pick(kFolderLabel, language);
  line += texts.folder;
  TextAt(gfx, x0, 0.018 * y, line);

  line = Pick(kNameLabel, language);
  line += "Kathrein, " + texts.antennaName;
  TextAt(gfx, x0, 0.068 * y, line);

  line = Pick(kFrequencyLabel, language);
  line += NumberText(texts.frequency, 1);
  line += Pick(kGainLabel, language);
  line += FormatMask(texts.gain, "###.# dBi");
  TextAt(gfx, x0, 0.118 * y, line);

  TextAt(gfx, x0, 0.2 * y, Pick(kHorizontalHeading, language));
  TextAt(gfx, 0.53 * x, 0.2 * y, Pick(kVerticalHeading, language));
}

ConversionFrames DrawConversionPicture(Gfx& gfx, PolarFrame& stored, const ConversionTexts& texts,
                                       const PlaneCurve& horizontal, const PlaneCurve& vertical,
                                       bool measured) {
  const ConversionFrames f = ConversionGeometry(gfx.GfxMetrics(kGfxExtentX));
  DrawConversionFrame(gfx, stored, f.horizontalX, f.centreY, f.r, kConversionHorizontalMode);
  if (measured) DrawMeasuredDiagram(gfx, f, "h", horizontal);
  DrawConversionFrame(gfx, stored, f.verticalX, f.centreY, f.r, kConversionVerticalMode);
  if (measured) DrawMeasuredDiagram(gfx, f, "v", vertical);
  DrawConversionTexts(gfx, texts);
  return f;
}

void DrawFittedResult(Gfx& gfx, const ConversionFrames& frames, bool horizontal,
                      std::string_view code, float shownAngle, const PlaneCurve& fitted) {
  const int cx = horizontal ? frames.horizontalX : frames.verticalX;
  const int r = frames.r;
  const GfxBatch batch(gfx);
  TextFont(gfx);
  gfx.PenColor(kFittedBlue);
  gfx.PenStyle(kPenSolid);
  gfx.GfxFontColor(kFittedBlue);
  const double textY = frames.centreY + 1.05 * r;
  TextAt(gfx, cx - 1.21 * r, textY, code);
  const std::string angle =
      (horizontal ? "Azi Max =" : "Ele Max =") + FormatMask(shownAngle, "####.#") + "°";
  TextAt(gfx, cx + (horizontal ? 0.34 : 0.33) * r, textY, angle);
  DrawPlaneCurve(gfx, frames, horizontal, fitted);
  gfx.GfxFontColor(kGfxBlack);
}

bool CopyConversionPicture(Gfx& gfx) {
  const GfxColor corner = gfx.PixelColor(0, 0);
  const int width = gfx.GfxMetrics(kGfxExtentX);
  const int height = gfx.GfxMetrics(kGfxExtentY);
  bool saved = false;
  {
    const GfxBatch batch(gfx);
    gfx.BrushStyle(kBrushOutline);
    gfx.PenColor(kGfxBlack);
    gfx.DrawFrom(0, 0);
    gfx.DrawRect(width, height);
    saved = gfx.SaveGfxScreen("CLIPBOARD");
    // A corner outside the surface answers no colour: put white back, the surface's ground.
    gfx.PenColor(corner == kGfxNoColor ? kGfxWhite : corner);
    gfx.DrawRect(width, height);
  }
  gfx.PenColor(kGfxBlack);
  return saved;
}

}  // namespace lobrix
