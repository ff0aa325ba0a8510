#include "resources/code_pictures.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <set>
#include <string>

#include "model/antenna_pattern.h"
#include "platform/fake/recording_device.h"

namespace lobrix {
namespace {

TEST(CodePictures, TwentyFiveNamedPicturesOfValidCodes) {
  const auto pictures = CodePictures();
  ASSERT_EQ(pictures.size(), 25u);
  std::set<std::string> names;
  for (const CodePicture& p : pictures) {
    names.insert(p.name);
    EXPECT_EQ(VERANT(p.code), 1) << p.name;
  }
  EXPECT_EQ(names.size(), 25u);
  for (const char* name :
       {"H_ND",  "H_EA",  "H_EB",  "H_EC",  "H_DE",  "H_LA",  "H_CA",  "H_CB",  "H_CC",
        "H_KA",  "H_V",   "H_W",   "H_TA",  "VC_EA", "VC_EB", "VC_EC", "VC_DE", "VC_LA",
        "VC_CA", "VC_CB", "VC_CC", "VC_KA", "VC_V",  "VC_W",  "V_TA"}) {
    EXPECT_EQ(names.count(name), 1u) << name;
  }
}

// Where the outline colour lies on a drawn picture, in pixels.
struct Extent {
  int left = 1000, right = -1, top = 1000, bottom = -1;
  int rightmostY = 0;  // row of the rightmost outline pixel
};

Extent DrawAndMeasure(const char* name, GfxColor outline) {
  auto device = std::make_unique<RecordingDevice>(kCodePictureWidth, kCodePictureHeight);
  const RecordingDevice& recording = *device;
  Gfx gfx(std::move(device));
  SetUpSurface(gfx);
  for (const CodePicture& p : CodePictures()) {
    if (std::strcmp(p.name, name) == 0) DrawCodePicture(gfx, p);
  }
  Extent e;
  for (int y = 0; y < kCodePictureHeight; ++y) {
    for (int x = 0; x < kCodePictureWidth; ++x) {
      if (recording.PixelAt(x, y) != outline) continue;
      e.left = std::min(e.left, x);
      e.top = std::min(e.top, y);
      e.bottom = std::max(e.bottom, y);
      if (x > e.right) e.rightmostY = y;
      e.right = std::max(e.right, x);
    }
  }
  return e;
}

constexpr GfxColor kRed = GfxRgb(230, 0, 0);
constexpr GfxColor kBlue = GfxRgb(60, 60, 170);

TEST(CodePictures, HorizontalLobesPointUpVerticalOnesToTheHorizon) {
  const Extent h = DrawAndMeasure("H_EA", kRed);
  ASSERT_GE(h.right, 0);
  EXPECT_GT(h.bottom - h.top, 3 * (h.right - h.left));  // a narrow lobe standing upright
  const Extent v = DrawAndMeasure("VC_EA", kBlue);
  ASSERT_GE(v.right, 0);
  EXPECT_GT(v.right - v.left, 3 * (v.bottom - v.top));  // lying on the horizon
  // The omnidirectional picture is a circle: as wide as high.
  const Extent nd = DrawAndMeasure("H_ND", kRed);
  EXPECT_NEAR(nd.right - nd.left, nd.bottom - nd.top, 1);
}

TEST(CodePictures, ElectricalTiltPointsDownOnBothSides) {
  const Extent t = DrawAndMeasure("V_TA", kBlue);
  ASSERT_GE(t.right, 0);
  const int middle = (t.top + t.bottom) / 2;
  EXPECT_GT(t.rightmostY, middle);           // y grows downwards
  EXPECT_LT(t.left, kCodePictureWidth / 4);  // mirrored to the left of the mast
}

TEST(BitmapFile, TwentyFourBitRowsBottomUpPaddedToFourBytes) {
  RecordingDevice device(42, 32);
  device.Clear(kGfxWhite);
  device.Pixel(0, 0, GfxRgb(10, 20, 30));    // top left
  device.Pixel(41, 31, GfxRgb(40, 50, 60));  // bottom right
  const std::vector<std::uint8_t> file = BitmapFile(device);
  const int row = 128;  // 42 x 3 = 126, padded
  ASSERT_EQ(file.size(), 54u + 32u * row);
  const auto u32 = [&](std::size_t at) {
    return file[at] | file[at + 1] << 8 | file[at + 2] << 16 | file[at + 3] << 24;
  };
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[1], 'M');
  EXPECT_EQ(u32(2), 54 + 32 * row);
  EXPECT_EQ(u32(10), 54);
  EXPECT_EQ(u32(14), 40);
  EXPECT_EQ(u32(18), 42);
  EXPECT_EQ(u32(22), 32);
  EXPECT_EQ(file[28], 24);
  EXPECT_EQ(u32(30), 0);  // no compression
  // Bottom row first, blue green red.
  EXPECT_EQ(file[54 + 41 * 3], 60);
  EXPECT_EQ(file[54 + 41 * 3 + 1], 50);
  EXPECT_EQ(file[54 + 41 * 3 + 2], 40);
  EXPECT_EQ(file[54 + 126], 0);  // padding
  const std::size_t top = 54 + 31 * row;
  EXPECT_EQ(file[top], 30);
  EXPECT_EQ(file[top + 1], 20);
  EXPECT_EQ(file[top + 2], 10);
  EXPECT_EQ(file[top + 3], 255);
}

}  // namespace
}  // namespace lobrix
