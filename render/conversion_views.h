// The picture of the Kathrein conversion window: two polar frames side by side (horizontal
// pattern left, vertical right), the measured curves in red, the fitted codes' curves in blue
// with their codes and angles, and the texts naming the file. The window draws it on its
// surface and the command line into files, through the same functions.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "platform/gfx/gfx.h"
#include "render/view_memory.h"

namespace lobrix {

// A curve of one plane: the relative field at whole degrees 0..359.
using PlaneCurve = std::array<float, 360>;

inline constexpr GfxColor kMeasuredRed = 0x0000FF;  // RGB(255,0,0)
inline constexpr GfxColor kFittedBlue = 0xC80000;   // RGB(0,0,200)

// Frame modes: beyond 10 the clearing rectangle has a black outline; the sign picks the scale
// (negative: decibel); the rest picks the rim labels (3: azimuth clockwise from the top, 5: the
// vertical plane with 0 at the right and 90 at the bottom).
inline constexpr int kConversionHorizontalMode = -13;
inline constexpr int kConversionVerticalMode = -15;

// Where the two frames lie, in logical units: both share the centre height and radius.
struct ConversionFrames {
  int horizontalX = 0;
  int verticalX = 0;
  int centreY = 0;
  int r = 0;
};

// The frames for a surface `extentX` logical units wide: d = 0.455 X, m = 0.033 X, horizontal
// centre d/2 + m, centre height d/2 + 180, R = 0.4 d, vertical centre 0.488 X further right.
ConversionFrames ConversionGeometry(int extentX);

// What the picture's texts show.
struct ConversionTexts {
  int language = 0;
  std::string fileName;     // without its folder
  std::string folder;       // the Kathrein folder
  std::string antennaName;  // single-byte text from the file, shown as it is
  float frequency = 0;      // MHz
  float gain = 0;           // dBi
};

// One frame in its own batch. r > 0 stores (cx, cy, r) in `stored`; the frame is drawn at the
// stored values (nothing while none is stored). Leaves the text background transparent, the
// font colour black and the weight 0.
void DrawConversionFrame(Gfx& gfx, PolarFrame& stored, int cx, int cy, int r, int mode);

// A curve of one plane as a closed 360-sided polygon in the current pen colour: the horizontal
// plane clockwise from the top, the vertical one clockwise from the right (90 at the bottom).
void DrawPlaneCurve(Gfx& gfx, const ConversionFrames& frames, bool horizontal,
                    const PlaneCurve& values);

// The measured curve of `plane` in red in its own batch: "h" the horizontal plane, anything
// else the vertical one.
void DrawMeasuredDiagram(Gfx& gfx, const ConversionFrames& frames, std::string_view plane,
                         const PlaneCurve& values);

// The file, antenna, frequency and gain lines and the two frame headings, in one batch.
void DrawConversionTexts(Gfx& gfx, const ConversionTexts& texts);

// The whole picture before a conversion on a set-up surface: both frames, the measured curves
// when `measured`, the texts. Returns the frames' geometry for the fitted curves.
ConversionFrames DrawConversionPicture(Gfx& gfx, PolarFrame& stored, const ConversionTexts& texts,
                                       const PlaneCurve& horizontal, const PlaneCurve& vertical,
                                       bool measured);

// A fitted code over its plane in blue, in one batch: the code under the frame's left edge,
// "Azi Max =" (horizontal) or "Ele Max =" (vertical) with `shownAngle` under its right, and the
// code's curve `fitted`. The font colour is black afterwards.
void DrawFittedResult(Gfx& gfx, const ConversionFrames& frames, bool horizontal,
                      std::string_view code, float shownAngle, const PlaneCurve& fitted);

// The clipboard copy: a black outline round the whole surface while it is copied, then the
// outline painted over in the colour the corner pixel had. False when the copy failed.
bool CopyConversionPicture(Gfx& gfx);

}  // namespace lobrix
