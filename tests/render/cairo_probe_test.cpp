// Pixel probes on a PNG written through the cairo surface and read back: the page drawing
// reaches the file where the geometry says.
#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "platform/cairo/surface_cairo.h"
#include "render/coordinates.h"
#include "render/page_drawing.h"

namespace lobrix {
namespace {

struct Png {
  explicit Png(const std::string& path)
      : surface(cairo_image_surface_create_from_png(path.c_str())) {}
  ~Png() { cairo_surface_destroy(surface); }
  bool Ok() const { return cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS; }
  // 0x00RRGGBB as cairo keeps it.
  std::uint32_t At(int x, int y) const {
    const unsigned char* row =
        cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
    std::uint32_t pixel;
    std::memcpy(&pixel, row + 4 * x, 4);
    return pixel & 0xFFFFFF;
  }
  cairo_surface_t* surface;
};

// Red in RGB(230,0,0), allowing for the antialiasing of a one-pixel line.
bool Reddish(std::uint32_t rgb) {
  const int r = rgb >> 16 & 0xFF, g = rgb >> 8 & 0xFF, b = rgb & 0xFF;
  return r > 180 && g < 120 && b < 120;
}

TEST(CairoProbe, OmnidirectionalCurveIsACircleOfRadiusR) {
  const std::string path =
      (std::filesystem::temp_directory_path() / "lobrix_render_probe.png").string();
  {
    Gfx gfx(std::make_unique<SurfaceCairo>(1014, 1000));
    SetUpSurface(gfx);
    DrawingInput input;
    ViewMemory views;
    DrawPage(gfx, input, views, kHorizontalPage);
    ASSERT_TRUE(gfx.SaveGfxScreen(path)) << gfx.Device().LastError();
  }
  Png png(path);
  ASSERT_TRUE(png.Ok());
  ASSERT_EQ(cairo_image_surface_get_width(png.surface), 1014);
  const int cx = 514, cy = 530, r = 392;  // 0.507 X, 0.53 Y, 0.392 Y
  for (double angle : {0.0, 45.0, 100.0, 200.0, 315.0}) {
    const Point p = PointAt(cx, cy, angle, r);
    EXPECT_TRUE(Reddish(png.At(p.x, p.y))) << angle << ": " << std::hex << png.At(p.x, p.y);
  }
  EXPECT_EQ(png.At(5, 990), 0xFFFFFFu);               // outside the frame
  EXPECT_EQ(png.At(cx + 15, cy + 15), 0xFFFFFFu);     // inside the centre disc, off the spokes
  EXPECT_FALSE(Reddish(png.At(cx + r / 2, cy + 7)));  // inside the curve
  std::remove(path.c_str());
}

}  // namespace
}  // namespace lobrix
