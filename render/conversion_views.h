// The picture of the Kathrein conversion window: two polar frames side by side (horizontal
// pattern by azimuth, vertical pattern by tilt) with the measured curves in red, the fitted
// codes' curves in blue over them, the file's texts above and the codes with the azimuth and
// elevation of maximum radiation below. Drawn only through the surface contract, so the
// Windows window and the command line's picture files share it.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "platform/gfx/gfx.h"
#include "render/page_drawing.h"
#include "render/view_memory.h"
#include "text/language.h"

namespace lobrix {

// The colours of the measured curves (red) and of the conversion's fitted curves (blue).
inline constexpr GfxColor kMeasuredColor = GfxRgb(255, 0, 0);
inline constexpr GfxColor kFittedColor = GfxRgb(0, 0, 200);

// Another conversion's curves over the measured ones, in a colour of its own (the codes and
// directions as a fit gives them: the azimuth of the horizontal maximum, and the angle of the
// vertical one in the vertical column, 0..360). A plane without a code draws nothing.
struct ConversionOverlay {
  GfxColor color = kGfxBlack;
  std::string hCode, vCode;
  float azimuth = 0;
  float tilt = 0;
};

// What the window shows of one file and its conversion.
struct ConversionPicture {
  int language = kEnglish;
  std::string fileName;  // without its folder
  std::string folder;    // the folder the file came from; empty: the file's name alone is shown
  std::string maker = "Kathrein";  // shown before the antenna's name
  std::string antennaName;         // as the file names it
  float frequency = 0;             // MHz
  float gain = 0;                  // dBi
  // Relative field strengths at whole degrees: [0] horizontal (azimuth), [1] vertical (tilt).
  std::array<std::array<float, 360>, 2> measured{};
  bool measuredShown = false;  // a file is loaded: draw the measured curves
  bool converted = false;      // the codes below are known: draw them and their curves
  std::string hCode, vCode;
  float fittedAzimuth = 0;  // azimuth of the horizontal fit as found (may lie just below 0)
  float fittedTilt = 0;     // angle of the vertical fit in the vertical column, 0..360
  float eleMax = 0;         // the elevation that angle stands for, as the window shows it
  // Other conversions' curves, drawn over the measured ones before the fitted curves.
  std::vector<ConversionOverlay> overlays;
};

// Where the window's two frames lie, in logical units (X and Y the surface's extents):
// d = 0.455 X, m = 0.033 X; horizontal centre d/2 + m, common centre height d/2 + 180,
// R = 0.4 d, vertical centre 0.488 X further right.
struct ConversionFrames {
  int horizontalX = 0;
  int verticalX = 0;
  int centreY = 0;
  int r = 0;
};
ConversionFrames ConversionGeometry(int extentX);

// One frame: `mode` below -10 or above 10 outlines the white field in black and is then
// brought 10 nearer to 0; a negative mode draws the decibel scale, a positive one the linear;
// |mode| 3 labels the rim by azimuth (0 at the top, clockwise), 5 and more by tilt (0 at the
// right, 90 at the bottom). r >= 1 stores (cx, cy, r) in `stored`; every call draws at what
// `stored` holds (nothing while it holds no frame). One batch of its own.
void DrawConversionFrame(Gfx& gfx, PolarFrame& stored, int cx, int cy, int r, int mode);

// The measured curve of one plane in red: horizontal clockwise from the top of the left
// frame, vertical clockwise from the right of the right frame.
void DrawMeasuredDiagram(Gfx& gfx, const ConversionFrames& frames,
                         const std::array<float, 360>& column, bool horizontal);

// The window's picture without the results: both frames, the measured curves when
// `picture.measuredShown`, and the texts of the file above them.
void PaintConversionWindow(Gfx& gfx, const ConversionPicture& picture);

// What the Conversion command adds: in blue, each plane's code, "Azi Max =" or "Ele Max ="
// with its angle, and the code's curve at that angle over the measured one.
void DrawConversionResults(Gfx& gfx, const ConversionPicture& picture);

// The overlays' curves, each in its colour.
void DrawConversionOverlays(Gfx& gfx, const ConversionPicture& picture);

// The whole picture as the window shows it after a conversion (results only when
// `picture.converted`) with the overlays' curves, on a surface already set up.
void DrawConversionPicture(Gfx& gfx, const ConversionPicture& picture);

// The window's graphic area in pixels: the client area of the 368 x 229 unit dialog from x = 2
// to its right edge, above the 20 unit button row.
PixelSize ConversionAreaPixels(DialogBaseUnits units = {});

}  // namespace lobrix
