// The pictures of the Linux build: the cairo surface, PNG, SVG or PDF.

#include "cli/arguments.h"
#include "cli/picture_writer.h"
#include "platform/cairo/surface_cairo.h"

namespace lobrix::cli {

std::span<const std::string_view> PictureFormats() {
  static constexpr std::string_view kFormats[] = {"png", "svg", "pdf"};
  return kFormats;
}

std::string PictureFormatFault(std::string_view format) {
  if (format == "png" || format == "svg" || format == "pdf") return {};
  return "unknown picture format '" + Shown(format) + "' (" + PictureFormatWords() + ")";
}

bool EncodePicture(int width, int height, double penScale, const PictureDrawing& draw,
                   std::string_view target, std::string& bytes, std::string& error) {
  auto surface = std::make_unique<SurfaceCairo>(width, height, penScale);
  SurfaceCairo& cairo = *surface;
  Gfx gfx(std::move(surface));
  SetUpSurface(gfx);
  draw(gfx);
  if (!cairo.Encode(target, bytes)) {
    error = "cannot draw " + Printable(std::string(target)) + ": " + cairo.LastError();
    return false;
  }
  return true;
}

InlinePicture DrawInlinePicture(int width, int height, const PictureDrawing& draw) {
  auto surface = std::make_unique<SurfaceCairo>(width, height);
  SurfaceCairo& cairo = *surface;
  Gfx gfx(std::move(surface));
  SetUpSurface(gfx);
  draw(gfx);
  InlinePicture picture{"image/svg+xml", cairo.SvgText(), width, height};
  if (picture.bytes.empty()) picture.type.clear();
  return picture;
}

std::shared_ptr<void> KeepPictureResources() {
  // The cairo surface gives cairo's and fontconfig's font caches back when the last surface
  // goes. One kept for the whole batch keeps them: they are not built again for every picture,
  // and not torn down under another thread that is making its surface.
  return std::make_shared<SurfaceCairo>(1, 1);
}

}  // namespace lobrix::cli
