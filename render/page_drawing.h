// One page's full drawing, shared by the editor's page redraw and the command line: the
// frames and views of the page at the geometry its graphic area gives, then the set-up of its
// mouse read-out. And the pixel size of each page's graphic area.
#pragma once

#include "platform/gfx/gfx.h"
#include "render/drawing_input.h"
#include "render/view_memory.h"

namespace lobrix {

inline constexpr int kHorizontalPage = 0;
inline constexpr int kVerticalPage = 1;
inline constexpr int kDirectionPage = 2;
inline constexpr int kThreeDPage = 3;

// Draws page 0..3 from `input` on a surface already set up (extents X, Y), in one batch:
// page 0 the horizontal frame, curves and heading (the table when alternateView is 1); page 1
// the vertical frame, curves and heading (the X-Y graph when alternateView is 1); pages 2 and
// 3 both frames with their cuts and the heading. The geometry is stored in `views` for the
// partial redraws and read-outs. Another page number draws nothing.
void DrawPage(Gfx& gfx, const DrawingInput& input, ViewMemory& views, int page);

// Average character width and height of the dialog font in pixels: what one horizontal unit
// (a quarter of the width) and one vertical unit (an eighth of the height) of the dialog
// geometry measure. MS Sans Serif 8 pt at 96 dpi gives 6 x 13.
struct DialogBaseUnits {
  int x = 6;
  int y = 13;
};

struct PixelSize {
  int width = 0;
  int height = 0;
};

// The page's graphic area in pixels: its control's rectangle (dialog units) converted the way
// the dialog manager converts it, shrunk by 3 pixels on every side for the sunken edge.
// Pages 0 and 1: 202 x 184 units at (137, 25); pages 2 and 3: 330 x 180 at (6, 7). An unknown
// page gives 0 x 0.
PixelSize GraphicAreaPixels(int page, DialogBaseUnits units = {});

}  // namespace lobrix
