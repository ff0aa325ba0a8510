// lobrix convert --render: the conversion picture read back with cairo (where the fitted
// curves' maxima are drawn), the formats and name clashes, and a picture that cannot be
// written.
#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/convert_command.h"
#include "render/conversion_views.h"
#include "tests/cli/convert_test_files.h"

namespace lobrix::cli {
namespace {

namespace fs = std::filesystem;

// The colour of the pixel (x, y) of an ARGB/RGB24 cairo image as 0xRRGGBB.
unsigned PixelOf(cairo_surface_t* image, int x, int y) {
  const unsigned char* data = cairo_image_surface_get_data(image);
  const int stride = cairo_image_surface_get_stride(image);
  std::uint32_t pixel = 0;
  std::memcpy(&pixel, data + static_cast<std::ptrdiff_t>(y) * stride + 4 * x, sizeof pixel);
  return pixel & 0xFFFFFF;
}

bool IsBlue(unsigned rgb) {
  return (rgb & 0xFF) > 150 && (rgb >> 8 & 0xFF) < 90 && (rgb >> 16 & 0xFF) < 90;
}
bool IsRed(unsigned rgb) {
  return (rgb >> 16 & 0xFF) > 200 && (rgb >> 8 & 0xFF) < 90 && (rgb & 0xFF) < 90;
}

// Whether a pixel of `colour` lies within 2 pixels of (x, y).
template <typename Test>
bool ColourNear(cairo_surface_t* image, double x, double y, Test colour) {
  for (int dy = -2; dy <= 2; ++dy) {
    for (int dx = -2; dx <= 2; ++dx) {
      if (colour(PixelOf(image, static_cast<int>(x) + dx, static_cast<int>(y) + dy))) return true;
    }
  }
  return false;
}

TEST(ConvertCommand, RenderWritesTheConversionPicture) {
  const fs::path folder = TestFolder();
  // Horizontal maximum at azimuth 90 (right of the left frame), vertical at tilt 0 (right of
  // the right frame).
  WriteFile(folder / "in/east.msi", MsiText("East", {"030EA10", 90}, {"030EA10", 0}));
  const CommandRun run = Convert({(folder / "in").string(), kRealFile, "--render",
                                  (folder / "pictures").string(), "--threads", "2"});
  ASSERT_EQ(run.status, 0) << run.err;

  cairo_surface_t* image =
      cairo_image_surface_create_from_png((folder / "pictures/east.png").c_str());
  ASSERT_EQ(cairo_surface_status(image), CAIRO_STATUS_SUCCESS);
  const PixelSize area = ConversionAreaPixels();
  const int width = cairo_image_surface_get_width(image);
  const int height = cairo_image_surface_get_height(image);
  EXPECT_EQ(width, 2 * area.width);
  EXPECT_EQ(height, 2 * area.height);
  EXPECT_EQ(PixelOf(image, 1, height - 2), 0xFFFFFFu);  // below the frames
  // Logical units: 1000 on the shorter side (the height).
  const double scale = height / 1000.0;
  const ConversionFrames f =
      ConversionGeometry(static_cast<int>(std::lround(1000.0 * width / height)));
  const double r = f.r * scale, cy = f.centreY * scale;
  const double hx = f.horizontalX * scale, vx = f.verticalX * scale;
  auto blue = [](unsigned rgb) { return IsBlue(rgb); };
  EXPECT_TRUE(ColourNear(image, hx + r, cy, blue));   // azimuth 90 at full field
  EXPECT_FALSE(ColourNear(image, hx, cy - r, blue));  // not at the top
  EXPECT_TRUE(ColourNear(image, vx + r, cy, blue));   // tilt 0 at full field
  EXPECT_FALSE(ColourNear(image, vx, cy + r, blue));  // not at the bottom
  cairo_surface_destroy(image);

  // The real file's fit differs from its measurement: both colours show.
  image = cairo_image_surface_create_from_png((folder / "pictures/80010465_0791_x_co.png").c_str());
  ASSERT_EQ(cairo_surface_status(image), CAIRO_STATUS_SUCCESS);
  int red = 0, blueCount = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      red += IsRed(PixelOf(image, x, y)) ? 1 : 0;
      blueCount += IsBlue(PixelOf(image, x, y)) ? 1 : 0;
    }
  }
  EXPECT_GT(red, 500);
  EXPECT_GT(blueCount, 500);
  cairo_surface_destroy(image);
}

TEST(ConvertCommand, RenderFormatsAndNameClashes) {
  const fs::path folder = TestFolder();
  const std::string text = MsiText("x", {"030EA10", 45}, {"030EA10", 2});
  WriteFile(folder / "one/x.msi", text);
  WriteFile(folder / "two/X.MSI", text);
  for (const char* format : {"svg", "pdf"}) {
    const CommandRun run = Convert({(folder / "one").string(), (folder / "two").string(),
                                    "--render", (folder / format).string(), "--format", format});
    ASSERT_EQ(run.status, 0) << run.err;
    for (const char* name : {"x.", "X-2."}) {
      std::ifstream picture(folder / format / (name + std::string(format)), std::ios::binary);
      std::string start(5, '\0');
      picture.read(start.data(), 5);
      EXPECT_EQ(start, std::string(format) == "pdf" ? "%PDF-" : "<?xml") << name << format;
    }
  }
}

// A picture that cannot be written fails its file, but the file's codes are still given. The
// message says the system's reason, and shows the folder's ESC escaped.
TEST(ConvertCommand, UnwritablePictureFailsTheFileAndKeepsItsCodes) {
  const fs::path folder = TestFolder();
  WriteFile(folder / "in/x.msi", MsiText("x", {"030EA10", 45}, {"030EA10", 2}));
  fs::create_directories(folder / "p\x1b/x.png");  // a folder where the picture would go
  const CommandRun run =
      Convert({(folder / "in/x.msi").string(), "--json", "--render", (folder / "p\x1b").string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "lobrix: convert: " + (folder / "in/x.msi").string() + ": cannot write " +
                         (folder / "p\\x1B/x.png").string() + ": Is a directory\n");
  const nlohmann::json record = nlohmann::json::parse(run.out).at(0);
  EXPECT_EQ(record["status"], "failed");
  EXPECT_EQ(record["horizontal"], "030EA10");
  EXPECT_TRUE(record["reason"].get<std::string>().starts_with("cannot write")) << record;
}

}  // namespace
}  // namespace lobrix::cli
