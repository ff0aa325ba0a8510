// The pictures on the code-type buttons of the Horizontal and Vertical pages: each type drawn
// from its own pattern, small enough for a button (42 x 32 pixels). A horizontal type shows its
// polar curve with the main lobe up, as the horizontal page draws it; a vertical type its shape
// in the vertical plane beside a mast, the main lobe towards the horizon on the right; the
// electrically tilted type a beam tilted down on both sides of the mast.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/gfx/gfx.h"

namespace lobrix {

inline constexpr int kCodePictureWidth = 42;
inline constexpr int kCodePictureHeight = 32;

enum class PicturePlane {
  kHorizontal,  // polar curve, azimuth 0 up
  kVertical,    // vertical shape, elevation 0 to the right
  kTilted,      // vertical shape tilted down, mirrored on both sides of the mast
};

struct CodePicture {
  const char* name;  // the resource name, e.g. "H_EA"
  const char* code;  // the code whose pattern is drawn
  PicturePlane plane;
};

// The 25 pictures in resource order: "H_ND" ... "H_W", "H_TA", "VC_EA" ... "VC_W", "V_TA".
std::span<const CodePicture> CodePictures();

// Draws one picture on a set-up surface (any size; the shape is fitted into it).
void DrawCodePicture(Gfx& gfx, const CodePicture& picture);

// A 24-bit Windows bitmap file (BITMAPFILEHEADER + BITMAPINFOHEADER, rows bottom-up, each
// padded to 4 bytes) of the device's pixels.
std::vector<std::uint8_t> BitmapFile(const GfxDevice& device);

}  // namespace lobrix
