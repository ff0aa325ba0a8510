// The cairo file surface: pixels where the contract puts them, text that renders, files that
// are written or fail with a message.
#include "platform/cairo/surface_cairo.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace lobrix {
namespace {

namespace fs = std::filesystem;

struct CairoGfx {
  CairoGfx(int width, int height, double penScale = 1) {
    auto device = std::make_unique<SurfaceCairo>(width, height, penScale);
    surface = device.get();
    gfx = std::make_unique<Gfx>(std::move(device));
    SetUpSurface(*gfx);
  }
  SurfaceCairo* surface;
  std::unique_ptr<Gfx> gfx;
};

// A file name of this process in the temporary folder, so parallel runs do not collide.
std::string TempFile(const std::string& name) {
  return (fs::temp_directory_path() / ("lobrix_" + std::to_string(::getpid()) + "_" + name))
      .string();
}

std::string FileStart(const std::string& path, std::size_t length) {
  std::ifstream in(path, std::ios::binary);
  std::string start(length, '\0');
  in.read(start.data(), static_cast<std::streamsize>(length));
  start.resize(static_cast<std::size_t>(in.gcount()));
  return start;
}

bool Reddish(GfxColor c) {
  return (c & 0xFF) > 200 && (c >> 8 & 0xFF) < 80 && (c >> 16) < 80;
}

TEST(SurfaceCairo, PngProbeFindsTheCircleAtItsRadiusAndWhiteElsewhere) {
  CairoGfx c(600, 400);  // 1500 x 1000 units, 0.4 pixels a unit
  Gfx& g = *c.gfx;
  g.PenColor(GfxRgb(255, 0, 0));
  g.BrushStyle(kBrushOutline);
  g.DrawFrom(750, 500);
  g.DrawCircle(250);  // 100 pixels around (300, 200)
  const std::string path = TempFile("probe.png");
  ASSERT_TRUE(g.SaveGfxScreen(path)) << c.surface->LastError();

  cairo_surface_t* png = cairo_image_surface_create_from_png(path.c_str());
  ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
  EXPECT_EQ(cairo_image_surface_get_width(png), 600);
  EXPECT_EQ(cairo_image_surface_get_height(png), 400);
  auto filePixel = [png](int x, int y) {
    const unsigned char* row =
        cairo_image_surface_get_data(png) + y * cairo_image_surface_get_stride(png);
    const auto* p = reinterpret_cast<const std::uint32_t*>(row) + x;
    return GfxRgb(static_cast<int>(*p >> 16 & 0xFF), static_cast<int>(*p >> 8 & 0xFF),
                  static_cast<int>(*p & 0xFF));
  };
  for (const auto& [x, y] :
       {std::pair{400, 200}, std::pair{200, 200}, std::pair{300, 100}, std::pair{300, 300}}) {
    EXPECT_TRUE(Reddish(filePixel(x, y))) << x << "," << y;
    EXPECT_TRUE(Reddish(c.surface->PixelAt(x, y))) << x << "," << y;
  }
  EXPECT_EQ(filePixel(300, 200), kGfxWhite);  // outline only
  EXPECT_EQ(filePixel(403, 200), kGfxWhite);
  EXPECT_EQ(filePixel(5, 5), kGfxWhite);
  EXPECT_EQ(g.PixelColor(1499, 999), kGfxWhite);
  EXPECT_EQ(g.PixelColor(1500, 0), kGfxNoColor);
  cairo_surface_destroy(png);
  fs::remove(path);
}

TEST(SurfaceCairo, DottedPenDraws3On3OffAndPixelsAreExact) {
  for (const double scale : {1.0, 2.0}) {
    CairoGfx c(static_cast<int>(200 * scale), static_cast<int>(100 * scale), scale);
    Gfx& g = *c.gfx;  // 2000 x 1000 units: 10 units a screen pixel
    g.PenStyle(kPenDotted);
    g.DrawFrom(0, 500);
    g.DrawTo(300, 500);
    for (int x = 0; x < 30 * scale; ++x) {
      const bool on = static_cast<int>(x / scale) % 6 < 3;
      EXPECT_EQ(c.surface->PixelAt(x, 50 * scale), on ? kGfxBlack : kGfxWhite)
          << "scale " << scale << " x " << x;
    }
    g.DrawPixel(1000, 200, 0x123456);
    EXPECT_EQ(g.PixelColor(1000, 200), 0x123456u);
  }
}

TEST(SurfaceCairo, TextRendersDegreeSignAndCzechLetters) {
  CairoGfx c(700, 500);
  Gfx& g = *c.gfx;
  g.GfxFontName("MS Sans Serif");
  g.GfxFontHeight(60);
  g.DrawFrom(0, 100);
  g.DrawTextRow("Přizpůsobený 45°", kAlignLeft);
  int ink = 0;
  for (int y = 100; y < 160; ++y) {  // logical units, half a pixel each
    for (int x = 0; x < 1400; ++x) ink += g.PixelColor(x, y) != kGfxWhite;
  }
  EXPECT_GT(ink, 2000);
  // Stray single-byte text neither stops the surface nor is dropped.
  g.DrawFrom(0, 300);
  g.DrawTextRow(
      "P\xF8"
      "en\xE9st \xB0",
      kAlignLeft);
  g.DrawFrom(0, 450);
  g.DrawTo(100, 450);
  EXPECT_EQ(g.PixelColor(50, 450), kGfxBlack);
  int strayInk = 0;
  for (int x = 0; x < 600; ++x) strayInk += g.PixelColor(x, 330) != kGfxWhite;
  EXPECT_GT(strayInk, 10);
}

// Measures the ink of one text row: its left and right end on the row at y.
std::pair<int, int> InkSpan(const SurfaceCairo& s, int y) {
  int left = -1, right = -1;
  for (int x = 0; x < s.PixelWidth(); ++x) {
    if (s.PixelAt(x, y) != kGfxWhite && s.PixelAt(x, y) != GfxRgb(0, 255, 0)) {
      if (left < 0) left = x;
      right = x;
    }
  }
  return {left, right};
}

TEST(SurfaceCairo, FontCellHeightWidthAndAlignment) {
  SurfaceCairo s(1000, 400);
  GfxFont font;
  font.height = 100;
  font.backgroundMode = 0;
  font.background = GfxRgb(0, 255, 0);
  s.Text(10, 20, "Hg", kAlignLeft, font);
  // The opaque cell is exactly the font height tall.
  EXPECT_EQ(s.PixelAt(12, 20), font.background);
  EXPECT_EQ(s.PixelAt(12, 119), font.background);
  EXPECT_EQ(s.PixelAt(12, 121), kGfxWhite);
  EXPECT_EQ(s.PixelAt(12, 18), kGfxWhite);

  // Width: twice the average character width, twice the run of the same text.
  font.backgroundMode = 1;
  font.width = 20;
  s.Text(0, 150, "nnnnnnnnnn", kAlignLeft, font);
  const auto narrow = InkSpan(s, 190);
  font.width = 40;
  s.Text(0, 270, "nnnnnnnnnn", kAlignLeft, font);
  const auto wide = InkSpan(s, 310);
  EXPECT_NEAR(wide.second - wide.first, 2.0 * (narrow.second - narrow.first), 4);

  SurfaceCairo aligned(1000, 200);
  aligned.Text(0, 0, "Azi", kAlignCenter, font);
  const auto centred = InkSpan(aligned, 50);
  EXPECT_NEAR(centred.first + centred.second, 1000, 8);
  aligned.Text(0, 100, "Azi", kAlignRight, font);
  EXPECT_GT(InkSpan(aligned, 150).second, 990);
}

TEST(SurfaceCairo, SvgAndPdfFilesAreWritten) {
  CairoGfx c(300, 200);
  Gfx& g = *c.gfx;
  g.PenColor(0x0000E6);
  g.DrawFrom(0, 0);
  g.DrawTo(1000, 1000);
  g.GfxFontHeight(80);
  g.DrawTextRow("Vertikální 90°", kAlignCenter);
  for (const auto& [name, magic] :
       {std::pair{"picture.svg", "<?xml"}, std::pair{"picture.PDF", "%PDF"}}) {
    const std::string path = TempFile(name);
    ASSERT_TRUE(g.SaveGfxScreen(path)) << c.surface->LastError();
    EXPECT_GT(fs::file_size(path), 200u) << name;
    EXPECT_EQ(FileStart(path, std::string(magic).size()), magic);
    fs::remove(path);
  }
}

TEST(SurfaceCairo, SavesThatCannotSucceedFailWithAMessage) {
  CairoGfx c(100, 100);
  for (const std::string target :
       {"/nonexistent-lobrix-folder/x.png", "/nonexistent-lobrix-folder/x.svg",
        "/nonexistent-lobrix-folder/x.pdf"}) {
    EXPECT_FALSE(c.gfx->SaveGfxScreen(target));
    EXPECT_NE(c.surface->LastError().find(target), std::string::npos) << c.surface->LastError();
  }
  EXPECT_FALSE(c.gfx->SaveGfxScreen(TempFile("x.gif")));
  EXPECT_NE(c.surface->LastError().find(".png"), std::string::npos);
  EXPECT_FALSE(CopySurfaceToClipboard(*c.gfx));
}

TEST(SurfaceCairo, OddInputDrawsNothingWrongAndKeepsTheSurfaceWorking) {
  SurfaceCairo s(100, 100);
  GfxFont font;
  font.height = -5;
  s.Text(0, 0, "x", kAlignLeft, font);
  font.height = 1e300;
  s.Text(0, 0, "x", kAlignLeft, font);
  s.Line(std::nan(""), 0, 1e300, -1e300, GfxPen{});
  s.Circle(50, 50, -1e9, GfxPen{}, GfxBrush{0x00FF00, false});
  s.Rect(0, 0, -10, 5, GfxPen{}, GfxBrush{});
  s.Pixel(10, 10, 0x0000FF);
  EXPECT_EQ(s.PixelAt(10, 10), 0x0000FFu);
}

}  // namespace
}  // namespace lobrix
