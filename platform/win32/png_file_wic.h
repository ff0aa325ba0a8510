// PNG files through the Windows imaging codecs (WIC, windowscodecs.dll): the pictures that the
// Windows command line draws on the GDI surface.
#pragma once

#include <cstdint>
#include <string>

namespace lobrix {

// The bytes of a 24-bit RGB PNG file of the width x height pixels 0x00RRGGBB (top row first,
// as SurfaceGdi::Pixels gives them). False with the reason in `error` (the codecs' step and
// the system's text for its error) when the codecs cannot encode it. Safe on any thread: COM
// is set up for the call where the thread has none.
bool EncodePngWic(const std::uint32_t* pixels, int width, int height, std::string& png,
                  std::string& error);

}  // namespace lobrix
