#include "render/three_d_views.h"

#include <algorithm>

#include "model/antenna_pattern.h"
#include "render/coordinates.h"
#include "render/cut_curves.h"
#include "render/number_format.h"
#include "render/polar_frame.h"

namespace lobrix {
namespace {

constexpr GfxColor kTestBlue = 0xFF3232;       // RGB(50,50,255)
constexpr GfxColor kOppositeGreen = 0x00B400;  // RGB(0,180,0)
constexpr GfxColor kGainBlue = 0xC80000;       // RGB(0,0,200)

constexpr TextPair kVerticalTitle{"Vert. diagram for testAzi = ", "Vert. diagram pro testAzi = "};
constexpr TextPair kHorizontalCode{"Horiz. code: ", "Horiz. kód: "};
constexpr TextPair kVerticalCode{"Vert. code: ", "Vert. kód: "};

}  // namespace

void DrawConeCut(Gfx& gfx, const DrawingInput& input, ViewMemory& views, const PolarFrame& frame) {
  StoreFrame(views.coneCut, frame);
  DrawConeCut(gfx, input, views);
}

void DrawConeCut(Gfx& gfx, const DrawingInput& input, ViewMemory& views) {
  const PolarFrame f = views.coneCut;
  DottedRadius(gfx, f, input.testAzimuth, kTestBlue);
  DottedRadius(gfx, f, input.testAzimuth - 180.0, kOppositeGreen);
  DrawConeCurve(gfx, f, {input.hCode, input.vCode, input.aziMax, input.eleMax},
                input.testElevation);
}

void DrawVerticalCut(Gfx& gfx, const DrawingInput& input, ViewMemory& views,
                     const PolarFrame& frame) {
  StoreFrame(views.verticalCut, frame);
  DrawVerticalCut(gfx, input, views);
}

void DrawVerticalCut(Gfx& gfx, const DrawingInput& input, ViewMemory& views) {
  const PolarFrame f = views.verticalCut;
  DottedRadius(gfx, f, 90.0 - input.testElevation, kTestBlue);
  DrawVerticalCutCurve(gfx, f, {input.hCode, input.vCode, input.aziMax, input.eleMax},
                       input.testAzimuth, input.testAzimuth - 180);
}

void Draw3DHeading(Gfx& gfx, const DrawingInput& input) {
  const double X = gfx.GfxMetrics(kGfxExtentX);
  const double Y = gfx.GfxMetrics(kGfxExtentY);
  const int language = input.language;
  const bool cz = language == kCzech;  // the Czech code lines start elsewhere
  const std::string ta = FormatMask(input.testAzimuth, "0.0");
  const std::string te = FormatMask(input.testElevation, "0.0");
  const std::string am = FormatMask(input.aziMax, "0.0");
  const std::string em = FormatMask(input.eleMax, "0.0");
  const std::string six(6, ' ');

  gfx.GfxFontName("MS Sans Serif");
  gfx.GfxFontHeight(Y / 16.5);
  gfx.GfxFontColor(kHeadingBlue);
  TextAt(gfx, 0.039 * X, 0.026 * Y,
         LeadingBlanks(te) + "Ant. diagram (Azi, testEle = " + te + "°)" + six, kAlignLeft);
  TextAt(gfx, 0.558 * X, 0.026 * Y,
         LeadingBlanks(ta) + std::string(Pick(kVerticalTitle, language)) + ta + "°" + six,
         kAlignLeft);

  gfx.GfxFontColor(kCodeGrey);
  gfx.GfxFontHeight(Y / 20);
  TextAt(gfx, (cz ? 0.048 : 0.038) * X, 0.927 * Y,
         LeadingBlanks(am) + std::string(Pick(kHorizontalCode, language)) + input.hCode +
             ",   AziMax = " + am + "°",
         kAlignLeft);
  TextAt(gfx, (cz ? 0.555 : 0.553) * X, 0.927 * Y,
         LeadingBlanks(em) + std::string(Pick(kVerticalCode, language)) + input.vCode +
             ",   EleMax = " + em + "°",
         kAlignLeft);

  // Gain towards the test direction: the pair's gain less the attenuation there.
  const float attenuation = ANT3D(input.hCode, input.testAzimuth, input.aziMax, input.vCode,
                                  input.testElevation, input.eleMax, kDecibel);
  if (attenuation < 0) return;
  const float ga = input.gainDbd - attenuation;
  gfx.GfxFontColor(kGainBlue);
  TextAt(gfx, 0, 0.86 * Y, "    ga = " + PlainNumberText(ga, 1) + " dBd    ", kAlignCenter);
}

}  // namespace lobrix
