#include "resources/code_pictures.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "model/antenna_pattern.h"

namespace lobrix {

namespace {

using enum PicturePlane;

// Representative codes: moderate widths that show each family's character (back field,
// second lobe, minima) at a button's size. Vertical codes are narrower, as vertical patterns
// are.
constexpr std::array<CodePicture, 25> kPictures = {{
    {"H_ND", "000ND00", kHorizontal}, {"H_EA", "012EA00", kHorizontal},
    {"H_EB", "012EB00", kHorizontal}, {"H_EC", "012EC00", kHorizontal},
    {"H_DE", "015DE00", kHorizontal}, {"H_LA", "030LA00", kHorizontal},
    {"H_CA", "020CA00", kHorizontal}, {"H_CB", "020CB00", kHorizontal},
    {"H_CC", "030CC00", kHorizontal}, {"H_KA", "040KA00", kHorizontal},
    {"H_V", "330VA00", kHorizontal},  {"H_W", "330WA40", kHorizontal},
    {"H_TA", "120TA00", kHorizontal}, {"VC_EA", "006EA00", kVertical},
    {"VC_EB", "006EB00", kVertical},  {"VC_EC", "006EC00", kVertical},
    {"VC_DE", "006DE00", kVertical},  {"VC_LA", "012LA00", kVertical},
    {"VC_CA", "030CA00", kVertical},  {"VC_CB", "030CB00", kVertical},
    {"VC_CC", "030CC00", kVertical},  {"VC_KA", "040KA00", kVertical},
    {"VC_V", "015VA00", kVertical},   {"VC_W", "015WA40", kVertical},
    {"V_TA", "060TA00", kTilted},
}};

constexpr double kTiltDegrees = 10;  // the tilted picture's downtilt, enough to be seen

constexpr GfxColor kHorizontalOutline = GfxRgb(230, 0, 0);  // as the horizontal curve
constexpr GfxColor kHorizontalFill = GfxRgb(255, 200, 200);
constexpr GfxColor kVerticalOutline = GfxRgb(60, 60, 170);  // as the vertical curve
constexpr GfxColor kVerticalFill = GfxRgb(200, 205, 255);
constexpr GfxColor kAxisGrey = GfxRgb(190, 190, 190);
constexpr GfxColor kMastGrey = GfxRgb(80, 80, 80);

struct Vec {
  double x = 0;
  double y = 0;  // down
};

// A point at frame angle `angle` (degrees clockwise from up) and distance f.
Vec Polar(double angle, double f) {
  const double a = angle * std::numbers::pi / 180;
  return {std::sin(a) * f, -std::cos(a) * f};
}

// Distance of the curve from the centre: the relative field, as the pages draw it.
double Field(const char* code, double angle) {
  return std::max(0.0f, ANT93(code, static_cast<float>(angle), kRelativeField));
}

// The shape's outline at unit radius, closed, in drawing order.
std::vector<Vec> Outline(const CodePicture& picture) {
  std::vector<Vec> points;
  constexpr int kSteps = 720;
  if (picture.plane == kTilted) {
    // Elevation e on the right, beam at -tilt, from below up; then its mirror on the left.
    for (int i = 0; i <= kSteps / 2; ++i) {
      const double e = -90.0 + 360.0 * i / kSteps;
      points.push_back(Polar(90 - e, Field(picture.code, e + kTiltDegrees)));
    }
    for (int i = kSteps / 2; i >= 0; --i) {
      const Vec right = points[static_cast<std::size_t>(i)];
      points.push_back({-right.x, right.y});
    }
    return points;
  }
  for (int i = 0; i <= kSteps; ++i) {
    const double t = -180.0 + 360.0 * i / kSteps;
    // Horizontal: azimuth t at frame angle t; vertical: elevation t at frame angle 90 - t.
    const double angle = picture.plane == kHorizontal ? t : 90 - t;
    points.push_back(Polar(angle, Field(picture.code, t)));
  }
  return points;
}

}  // namespace

std::span<const CodePicture> CodePictures() {
  return kPictures;
}

void DrawCodePicture(Gfx& gfx, const CodePicture& picture) {
  const std::vector<Vec> outline = Outline(picture);
  const bool horizontal = picture.plane == kHorizontal;

  // Fit the shape and its centre into the picture with a margin, centred.
  Vec low, high;
  for (const Vec& p : outline) {
    low = {std::min(low.x, p.x), std::min(low.y, p.y)};
    high = {std::max(high.x, p.x), std::max(high.y, p.y)};
  }
  const double width = gfx.GfxMetrics(kGfxExtentX);
  const double height = gfx.GfxMetrics(kGfxExtentY);
  const double margin = 0.08 * height;
  const double scale = std::min((width - 2 * margin) / std::max(high.x - low.x, 1e-6),
                                (height - 2 * margin) / std::max(high.y - low.y, 1e-6));
  const double cx = width / 2 - scale * (low.x + high.x) / 2;
  const double cy = height / 2 - scale * (low.y + high.y) / 2;
  const auto at = [&](const Vec& p) {
    return std::array<int, 2>{static_cast<int>(std::lround(cx + scale * p.x)),
                              static_cast<int>(std::lround(cy + scale * p.y))};
  };
  const int centreX = static_cast<int>(std::lround(cx));
  const int centreY = static_cast<int>(std::lround(cy));

  gfx.GfxCLS();
  gfx.PenStyle(kPenSolid);
  gfx.PenColor(kAxisGrey);
  gfx.DrawFrom(0, centreY);
  gfx.DrawTo(static_cast<int>(width), centreY);
  if (horizontal) {
    gfx.DrawFrom(centreX, 0);
    gfx.DrawTo(centreX, static_cast<int>(height));
  }

  // The area: spokes from the centre to every outline point, then the outline over them.
  gfx.PenColor(horizontal ? kHorizontalFill : kVerticalFill);
  for (const Vec& p : outline) {
    const auto [x, y] = at(p);
    gfx.DrawFrom(centreX, centreY);
    gfx.DrawTo(x, y);
  }
  if (!horizontal) {
    gfx.PenColor(kMastGrey);
    gfx.DrawFrom(centreX, static_cast<int>(0.1 * height));
    gfx.DrawTo(centreX, static_cast<int>(height));
  }
  gfx.PenColor(horizontal ? kHorizontalOutline : kVerticalOutline);
  const auto [x0, y0] = at(outline.front());
  gfx.DrawFrom(x0, y0);
  for (const Vec& p : outline) {
    const auto [x, y] = at(p);
    gfx.DrawTo(x, y);
  }
}

std::vector<std::uint8_t> BitmapFile(const GfxDevice& device) {
  const int width = device.PixelWidth();
  const int height = device.PixelHeight();
  const int rowBytes = (width * 3 + 3) / 4 * 4;
  const int pixelBytes = rowBytes * height;
  std::vector<std::uint8_t> file;
  const auto put = [&file](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) file.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  };
  const auto u = [](int value) { return static_cast<std::uint32_t>(value); };
  // BITMAPFILEHEADER
  put('B' | 'M' << 8, 2);
  put(u(54 + pixelBytes), 4);
  put(0, 4);
  put(54, 4);
  // BITMAPINFOHEADER: positive height, rows bottom-up; 24 bits, no compression; 96 dpi.
  put(40, 4);
  put(u(width), 4);
  put(u(height), 4);
  put(1, 2);
  put(24, 2);
  put(0, 4);
  put(u(pixelBytes), 4);
  put(3780, 4);
  put(3780, 4);
  put(0, 4);
  put(0, 4);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const GfxColor c = device.PixelAt(x, y);  // 0x00BBGGRR; the file wants B, G, R
      file.push_back(static_cast<std::uint8_t>(c >> 16));
      file.push_back(static_cast<std::uint8_t>(c >> 8));
      file.push_back(static_cast<std::uint8_t>(c));
    }
    file.resize(file.size() + static_cast<std::size_t>(rowBytes - width * 3), 0);
  }
  return file;
}

}  // namespace lobrix
