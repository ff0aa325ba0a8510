// The pictures of the Windows build: the GDI surface off-screen, encoded as PNG by the Windows
// imaging codecs.
#include <cctype>
#include <string>

#include "cli/arguments.h"
#include "cli/picture_writer.h"
#include "platform/win32/png_file_wic.h"
#include "platform/win32/surface_gdi.h"

namespace lobrix::cli {
namespace {

std::string LowerExtension(std::string_view path) {
  const std::size_t dot = path.find_last_of("./\\");
  if (dot == std::string_view::npos || path[dot] != '.') return {};
  std::string extension(path.substr(dot + 1));
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension;
}

// The drawing as PNG bytes; false with the reason in `error`.
bool DrawPng(int width, int height, double penScale, const PictureDrawing& draw,
             std::string& png, std::string& error) {
  std::unique_ptr<SurfaceGdi> surface = MakePictureGdi(width, height, penScale);
  if (!surface) {
    error = "no memory for a picture of " + std::to_string(width) + "x" + std::to_string(height) +
            " pixels";
    return false;
  }
  SurfaceGdi& gdi = *surface;
  Gfx gfx(std::move(surface));
  SetUpSurface(gfx);
  draw(gfx);
  return EncodePngWic(gdi.Pixels(), width, height, png, error);
}

}  // namespace

std::span<const std::string_view> PictureFormats() {
  static constexpr std::string_view kFormats[] = {"png"};
  return kFormats;
}

std::string PictureFormatFault(std::string_view format) {
  if (format == "png") return {};
  if (format == "svg" || format == "pdf") {
    return "this build writes PNG pictures only (SVG and PDF: lobrix on Linux)";
  }
  return "unknown picture format '" + Shown(format) + "' (" + PictureFormatWords() + ")";
}

bool EncodePicture(int width, int height, double penScale, const PictureDrawing& draw,
                   std::string_view target, std::string& bytes, std::string& error) {
  const std::string fault = PictureFormatFault(LowerExtension(target));
  if (!fault.empty()) {
    error = "cannot draw " + Printable(std::string(target)) + ": " + fault;
    return false;
  }
  if (!DrawPng(width, height, penScale, draw, bytes, error)) {
    error = "cannot draw " + Printable(std::string(target)) + ": " + error;
    return false;
  }
  return true;
}

InlinePicture DrawInlinePicture(int width, int height, const PictureDrawing& draw) {
  InlinePicture picture{"image/png", {}, width, height};
  std::string error;
  if (!DrawPng(2 * width, 2 * height, 2.0, draw, picture.bytes, error)) return {};
  return picture;
}

std::shared_ptr<void> KeepPictureResources() {
  return nullptr;  // every GDI surface and encoder stands alone
}

}  // namespace lobrix::cli
