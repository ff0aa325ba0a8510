// The pictures of the lobrix command, drawn on the surface its build has and turned into the
// bytes of a file: cairo in the Linux build (PNG, SVG, PDF), GDI with the Windows imaging
// codecs in the Windows build (PNG). The callers write the bytes themselves (WriteWholeFile),
// so every picture is written whole or not at all.
#pragma once

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "platform/gfx/gfx.h"

namespace lobrix::cli {

// The formats this build writes, as lower-case extensions without the dot: png, svg and pdf
// (Linux) or png (Windows).
std::span<const std::string_view> PictureFormats();

// The formats as messages and usage texts name them: "png, svg or pdf" (or ".png, .svg or
// .pdf" with `dot` "."; "png" in the Windows build); as a synopsis: "png|svg|pdf", "png".
inline std::string PictureFormatWords(std::string_view dot = "") {
  const std::span<const std::string_view> formats = PictureFormats();
  std::string words;
  for (std::size_t i = 0; i < formats.size(); ++i) {
    if (i > 0) words += i + 1 == formats.size() ? " or " : ", ";
    words += std::string(dot) + std::string(formats[i]);
  }
  return words;
}
inline std::string PictureFormatChoice() {
  std::string choice;
  for (const std::string_view format : PictureFormats()) {
    choice += (choice.empty() ? "" : "|") + std::string(format);
  }
  return choice;
}

// Which build writes which format, one line for the usage texts.
inline constexpr std::string_view kPictureFormatsNote =
    "lobrix on Linux writes PNG, SVG and PDF pictures; lobrix-cli.exe on Windows writes PNG.";

// Empty when this build writes `format` (a lower-case extension without the dot); else why
// not: "unknown picture format 'gif' (png, svg or pdf)", or for SVG and PDF in the Windows
// build "this build writes PNG pictures only (SVG and PDF: lobrix on Linux)".
std::string PictureFormatFault(std::string_view format);

// A picture's drawing, on a surface set up as every page's (SetUpSurface).
using PictureDrawing = std::function<void(Gfx&)>;

// The picture of width x height pixels, lines `penScale` pixels wide (2 at twice the
// screen's size), as the bytes of a file in the format of `target`'s extension (any case).
// False with the reason in `error` for a format the build does not write or a picture that
// cannot be drawn or encoded.
bool EncodePicture(int width, int height, double penScale, const PictureDrawing& draw,
                   std::string_view target, std::string& bytes, std::string& error);

// A picture as a page holds it inline: SVG text, or the bytes of a PNG file shown at
// width x height (drawn at twice that, so it stays sharp when the page is zoomed).
struct InlinePicture {
  std::string type;  // "image/svg+xml" or "image/png"; empty: no picture
  std::string bytes;
  int width = 0, height = 0;
};
// The Linux build gives SVG, the Windows build PNG; no picture when it cannot be drawn.
InlinePicture DrawInlinePicture(int width, int height, const PictureDrawing& draw);

// Held for a batch of pictures on several threads: what every surface would otherwise set up
// and give back again (cairo's and fontconfig's font caches) stays for the batch.
std::shared_ptr<void> KeepPictureResources();

}  // namespace lobrix::cli
