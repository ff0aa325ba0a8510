#include "render/three_d_views.h"

#include <algorithm>

#include "model/antenna_pattern.h"
#include "render/coordinates.h"
#include "render/cut_curves.h"
#include "render/number_format.h"

namespace lobrix {
namespace {

constexpr GfxColor kTestBlue = 0xFF3232;       // RGB(50,50,255)
constexpr GfxColor kOppositeGreen = 0x00B400;  // RGB(0,180,0)
constexpr GfxColor kHeadingBlue = 0x640000;    // RGB(0,0,100)
constexpr GfxColor kCodeGrey = 0x636363;       // RGB(99,99,99)
constexpr GfxColor kGainBlue = 0xC80000;       // RGB(0,0,200)

// The relative field of the antenna towards (az, el).
std::string LeadingBlanks(const std::string& number) {
  return std::string(static_cast<std::size_t>(std::max(0, 4 - CharacterCount(number) / 2)), ' ');
}

}  // namespace

void DrawConeCut(Gfx& gfx, EditorState& state, int cx, int cy, int r) {
  const PolarFrame f = StoreOrReuse(state.views.coneCut, cx, cy, r);
  DottedRadius(gfx, f, state.testAzimuth, kTestBlue);
  DottedRadius(gfx, f, state.testAzimuth - 180.0, kOppositeGreen);
  DrawConeCurve(gfx, f, {state.hCode, state.vCode, state.aziMax, state.eleMax},
                state.testElevation);
}

void DrawVerticalCut(Gfx& gfx, EditorState& state, int cx, int cy, int r) {
  const PolarFrame f = StoreOrReuse(state.views.verticalCut, cx, cy, r);
  DottedRadius(gfx, f, 90.0 - state.testElevation, kTestBlue);
  DrawVerticalCutCurve(gfx, f, {state.hCode, state.vCode, state.aziMax, state.eleMax},
                       state.testAzimuth, state.testAzimuth - 180);
}

void Draw3DHeading(Gfx& gfx, const EditorState& state) {
  const double X = gfx.GfxMetrics(1);
  const double Y = gfx.GfxMetrics(6);
  const bool cz = Czech(state);
  const std::string ta = FormatMask(state.testAzimuth, "0.0");
  const std::string te = FormatMask(state.testElevation, "0.0");
  const std::string am = FormatMask(state.aziMax, "0.0");
  const std::string em = FormatMask(state.eleMax, "0.0");
  const std::string six(6, ' ');

  gfx.GfxFontName("MS Sans Serif");
  gfx.GfxFontHeight(Y / 16.5);
  gfx.GfxFontColor(kHeadingBlue);
  TextAt(gfx, 0.039 * X, 0.026 * Y,
         LeadingBlanks(te) + "Ant. diagram (Azi, testEle = " + te + "°)" + six, kAlignLeft);
  TextAt(gfx, 0.558 * X, 0.026 * Y,
         LeadingBlanks(ta) +
             (cz ? "Vert. diagram pro testAzi = " : "Vert. diagram for testAzi = ") + ta + "°" +
             six,
         kAlignLeft);

  gfx.GfxFontColor(kCodeGrey);
  gfx.GfxFontHeight(Y / 20);
  TextAt(gfx, (cz ? 0.048 : 0.038) * X, 0.927 * Y,
         LeadingBlanks(am) + (cz ? "Horiz. kód: " : "Horiz. code: ") + state.hCode +
             ",   AziMax = " + am + "°",
         kAlignLeft);
  TextAt(gfx, (cz ? 0.555 : 0.553) * X, 0.927 * Y,
         LeadingBlanks(em) + (cz ? "Vert. kód: " : "Vert. code: ") + state.vCode +
             ",   EleMax = " + em + "°",
         kAlignLeft);

  // Gain towards the test direction: the pair's gain less the attenuation there.
  const float attenuation = ANT3D(state.hCode, state.testAzimuth, state.aziMax, state.vCode,
                                  state.testElevation, state.eleMax, kDecibel);
  if (attenuation < 0) return;
  const float ga = state.gainDbd - attenuation;
  gfx.GfxFontColor(kGainBlue);
  TextAt(gfx, 0, 0.86 * Y, "    ga = " + PlainNumberText(ga, 1) + " dBd    ", kAlignCenter);
}

}  // namespace lobrix
