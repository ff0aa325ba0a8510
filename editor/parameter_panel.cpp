#include "editor/parameter_panel.h"

#include <array>

namespace lobrix {

namespace {

// One row of the panel: a label with its text, or a frame or line (black frames that do not
// paint over their neighbours).
constexpr ControlRow Label(int id, TextPair text, DialogRect rect) {
  return {.id = id, .kind = ControlKind::kLabel, .rect = rect, .text = text};
}
constexpr ControlRow Frame(int id, DialogRect rect) {
  return {.id = id, .kind = ControlKind::kBlackFrame, .styles = kStyleClipSiblings, .rect = rect};
}

// The labels, English and Czech. The runs of blanks place the second line of a label that the
// frame's width wraps.
constexpr TextPair kOmniLabel = {"Omnidirect. diagram  000ND00", "Všesměrový diagram  000ND00"};
constexpr TextPair kHalfBeamEaDe = {" = 1/2 beam              width  1°- 65°",
                                    " = 1/2 šířky            svazku  1°- 65°"};
constexpr TextPair kHalfBeamEb = {" = 1/2 beam              width  1°- 79°",
                                  " = 1/2 šířky            svazku  1°- 79°"};
constexpr TextPair kHalfBeamEc = {" = 1/2 beam              width  1°- 96°",
                                  " = 1/2 šířky            svazku  1°- 96°"};
constexpr TextPair kHalfBeamLa = {" = 1/2 beam              width 1°- 120°",
                                  " = 1/2 šířky            svazku 1°- 120°"};
constexpr TextPair kTenHalfBeams = {" = 10 x 1/2 beam      width  1°- 890°",
                                    " = 10 x 1/2 šířky    svazku  1°- 890°"};
constexpr TextPair kMinimumRadius = {" = radius minimum       0 - 100 [%]",
                                     " = poloměr minima       0 - 100 [%]"};
constexpr TextPair kEnvelopeRadius = {" = radius envelope       0 - 99 [%]",
                                      " = poloměr                   obálky  0-99 [%]"};
// The digit really stands for 15° + 5° x digit (9: 60°); the label is shown as users know it.
constexpr TextPair kBeamWidthCode = {
    " = 1/2 beam width [°] , where:       0 : 15°, ... 9 : 55°,  step=5°",
    " = 1/2 šířky svazku [°] ,  kde:       0 : 15°, ... 9 : 55°,  krok=5°"};
constexpr TextPair kLobeAngle = {" = 1/2 angle [°]  between       diagram lobes:  0°- 99°",
                                 " = 1/2 úhlu [°]  mezi                laloky diagramu:  0°- 99°"};
constexpr TextPair kEnvelopeSizes = {" = size of front and       back envelopes",
                                     " = velikost přední         a  zadní obálky"};

constexpr std::array<ControlRow, 1> kGroupA = {{Label(50, kOmniLabel, {19, 125, 105, 10})}};

// Group B for each of its labels; the frame, the lines and the envelope label are shared.
constexpr std::array<ControlRow, 6> GroupB(TextPair firstLabel) {
  return {{Label(50, firstLabel, {22, 80, 57, 18}), Frame(51, {20, 78, 61, 22}),
           Frame(52, {29, 100, 1, 44}), Label(53, kEnvelopeRadius, {54, 114, 62, 18}),
           Frame(54, {52, 112, 66, 21}), Frame(55, {99, 133, 1, 11})}};
}
constexpr auto kGroupBEaDe = GroupB(kHalfBeamEaDe);
constexpr auto kGroupBEb = GroupB(kHalfBeamEb);
constexpr auto kGroupBEc = GroupB(kHalfBeamEc);
constexpr auto kGroupBLa = GroupB(kHalfBeamLa);
constexpr auto kGroupBTenths = GroupB(kTenHalfBeams);

constexpr std::array<ControlRow, 6> kGroupC = {
    {Label(50, kMinimumRadius, {22, 80, 60, 18}), Frame(51, {20, 78, 63, 22}),
     Frame(52, {29, 100, 1, 44}), Label(53, kEnvelopeRadius, {54, 114, 62, 18}),
     Frame(54, {52, 112, 66, 21}), Frame(55, {99, 133, 1, 11})}};

constexpr std::array<ControlRow, 9> kGroupD = {
    {Label(50, kBeamWidthCode, {21, 65, 96, 18}), Frame(51, {19, 63, 100, 21}),
     Frame(52, {25, 84, 1, 60}), Label(53, kLobeAngle, {31, 93, 84, 18}),
     Frame(54, {29, 91, 90, 21}), Frame(55, {31, 112, 1, 32}),
     Label(56, kEnvelopeRadius, {54, 120, 62, 18}), Frame(57, {53, 118, 66, 22}),
     Frame(58, {99, 140, 1, 4})}};

// W: as V one unit higher, its envelope sizes with two lines (outer and inner digit).
constexpr std::array<ControlRow, 10> kGroupE = {
    {Label(50, kBeamWidthCode, {21, 65, 96, 18}), Frame(51, {19, 63, 100, 21}),
     Frame(52, {25, 84, 1, 60}), Label(53, kLobeAngle, {31, 92, 84, 18}),
     Frame(54, {29, 90, 90, 21}), Frame(55, {31, 111, 1, 33}),
     Label(56, kEnvelopeSizes, {54, 119, 63, 18}), Frame(57, {52, 117, 67, 22}),
     Frame(58, {97, 139, 1, 5}), Frame(59, {101, 139, 1, 5})}};

}  // namespace

std::span<const ControlRow> PanelRows(int typeClass) {
  switch (typeClass) {
    case kClassEaDe:
      return kGroupBEaDe;
    case kClassEb:
      return kGroupBEb;
    case kClassEc:
      return kGroupBEc;
    case kClassLa:
      return kGroupBLa;
    case kClassTa:
    case kClassP:
      return kGroupBTenths;
    case kClassMinimum:
      return kGroupC;
    case kClassV:
      return kGroupD;
    case kClassW:
      return kGroupE;
    default:
      return kGroupA;
  }
}

bool PanelUnchanged(int oldClass, int newClass) {
  const PanelGroup group = PanelGroupOf(newClass);
  return PanelGroupOf(oldClass) == group && group != PanelGroup::kB;
}

}  // namespace lobrix
