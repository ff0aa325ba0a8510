#include "platform/fake/recording_device.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/gfx/pixel_round.h"
#include "text/text_decode.h"

namespace lobrix {

RecordingDevice::RecordingDevice(int pixelWidth, int pixelHeight)
    : width_(std::max(pixelWidth, 0)),
      height_(std::max(pixelHeight, 0)),
      raster_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), kGfxWhite) {}

std::vector<DrawRecord> RecordingDevice::OfKind(DrawKind kind) const {
  std::vector<DrawRecord> found;
  for (const DrawRecord& r : records) {
    if (r.kind == kind) found.push_back(r);
  }
  return found;
}

std::vector<DrawRecord> RecordingDevice::LinesOfColor(GfxColor color) const {
  std::vector<DrawRecord> found;
  for (const DrawRecord& r : records) {
    if (r.kind == DrawKind::kLine && r.pen.color == color) found.push_back(r);
  }
  return found;
}

std::vector<DrawRecord> RecordingDevice::TextsOfColor(GfxColor color) const {
  std::vector<DrawRecord> found;
  for (const DrawRecord& r : records) {
    if (r.kind == DrawKind::kText && r.font.color == color) found.push_back(r);
  }
  return found;
}

std::vector<std::string> RecordingDevice::Texts() const {
  std::vector<std::string> texts;
  for (const DrawRecord& r : records) {
    if (r.kind == DrawKind::kText) texts.push_back(r.text);
  }
  return texts;
}

const DrawRecord* RecordingDevice::FindText(std::string_view part) const {
  for (const DrawRecord& r : records) {
    if (r.kind == DrawKind::kText && r.text.find(part) != std::string::npos) return &r;
  }
  return nullptr;
}

int RecordingDevice::Count(DrawKind kind) const {
  return static_cast<int>(std::count_if(records.begin(), records.end(),
                                        [kind](const DrawRecord& r) { return r.kind == kind; }));
}

void RecordingDevice::SetMouse(int x, int y) {
  const bool inside = x >= 0 && y >= 0 && x < width_ && y < height_;
  mouseX_ = inside ? x : -1;
  mouseY_ = inside ? y : -1;
}

DrawRecord& RecordingDevice::Record(DrawKind kind) {
  DrawRecord& r = records.emplace_back();
  r.kind = kind;
  r.batchDepth = batchDepth;
  return r;
}

void RecordingDevice::BeginBatch() {
  Record(DrawKind::kBeginBatch);
  ++batchDepth;
}

void RecordingDevice::EndBatch() {
  if (batchDepth > 0) --batchDepth;
  Record(DrawKind::kEndBatch);
}

void RecordingDevice::Refresh() {
  Record(DrawKind::kRefresh);
}

void RecordingDevice::Release() {
  Record(DrawKind::kRelease);
  released = true;
}

void RecordingDevice::Plot(int x, int y, GfxColor color) {
  if (released || x < 0 || y < 0 || x >= width_ || y >= height_) return;
  raster_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
          static_cast<std::size_t>(x)] = color;
}

void RecordingDevice::Fill(int x0, int y0, int x1, int y1, GfxColor color) {
  x0 = std::max(x0, 0), y0 = std::max(y0, 0);
  x1 = std::min(x1, width_), y1 = std::min(y1, height_);
  if (released || x0 >= x1) return;
  for (int y = y0; y < y1; ++y) {
    const auto row = raster_.begin() + static_cast<std::ptrdiff_t>(y) * width_;
    std::fill(row + x0, row + x1, color);
  }
}

// Bresenham's line, both ends included; a dotted pen draws 3 pixels, skips 3. The line is
// first clipped to the raster (Liang-Barsky) so that a far-off end costs nothing.
void RecordingDevice::Trace(int x0, int y0, int x1, int y1, const GfxPen& pen) {
  const double dx = x1 - x0, dy = y1 - y0;
  double t0 = 0, t1 = 1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x0 + 1.0, width_ - x0 + 0.0, y0 + 1.0, height_ - y0 + 0.0};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) t0 = std::max(t0, t);
    if (p[i] > 0) t1 = std::min(t1, t);
  }
  if (t0 > t1) return;
  const long steps = std::lround(std::max(std::abs(dx), std::abs(dy)));
  long phase = std::lround(t0 * static_cast<double>(steps));
  int x = RoundToPixel(x0 + t0 * dx), y = RoundToPixel(y0 + t0 * dy);
  const int xe = RoundToPixel(x0 + t1 * dx), ye = RoundToPixel(y0 + t1 * dy);
  const int sx = x < xe ? 1 : -1, sy = y < ye ? 1 : -1;
  const int ax = std::abs(xe - x), ay = -std::abs(ye - y);
  int error = ax + ay;
  for (;; ++phase) {
    if (pen.style != kPenDotted || phase % 6 < 3) Plot(x, y, pen.color);
    if (x == xe && y == ye) break;
    const int e2 = 2 * error;
    if (e2 >= ay) error += ay, x += sx;
    if (e2 <= ax) error += ax, y += sy;
  }
}

void RecordingDevice::Clear(GfxColor color) {
  Record(DrawKind::kClear).color = color;
  Fill(0, 0, width_, height_, color);
}

void RecordingDevice::Line(double x0, double y0, double x1, double y1, const GfxPen& pen) {
  DrawRecord& r = Record(DrawKind::kLine);
  r.x = x0, r.y = y0, r.x2 = x1, r.y2 = y1, r.pen = pen;
  Trace(RoundToPixel(x0), RoundToPixel(y0), RoundToPixel(x1), RoundToPixel(y1), pen);
}

void RecordingDevice::Rect(double x, double y, double w, double h, const GfxPen& pen,
                           const GfxBrush& brush) {
  DrawRecord& r = Record(DrawKind::kRect);
  r.x = x, r.y = y, r.width = w, r.height = h, r.pen = pen, r.brush = brush;
  const int left = RoundToPixel(x), top = RoundToPixel(y);
  const int right = RoundToPixel(x + w) - 1, bottom = RoundToPixel(y + h) - 1;
  if (right < left || bottom < top) return;
  if (brush.filled) Fill(left, top, right + 1, bottom + 1, brush.color);
  Trace(left, top, right, top, pen);
  Trace(right, top, right, bottom, pen);
  Trace(right, bottom, left, bottom, pen);
  Trace(left, bottom, left, top, pen);
}

void RecordingDevice::Circle(double cx, double cy, double r, const GfxPen& pen,
                             const GfxBrush& brush) {
  DrawRecord& rec = Record(DrawKind::kCircle);
  rec.x = cx, rec.y = cy, rec.radius = r, rec.pen = pen, rec.brush = brush;
  const int x0 = std::max(RoundToPixel(cx - r - 1), 0);
  const int x1 = std::min(RoundToPixel(cx + r + 1), width_ - 1);
  const int y0 = std::max(RoundToPixel(cy - r - 1), 0);
  const int y1 = std::min(RoundToPixel(cy + r + 1), height_ - 1);
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      const double d = std::hypot(x - cx, y - cy);
      if (std::abs(d - r) < 0.5) {
        Plot(x, y, pen.color);
      } else if (brush.filled && d < r) {
        Plot(x, y, brush.color);
      }
    }
  }
}

void RecordingDevice::Pixel(double x, double y, GfxColor color) {
  DrawRecord& r = Record(DrawKind::kPixel);
  r.x = x, r.y = y, r.color = color;
  Plot(RoundToPixel(x), RoundToPixel(y), color);
}

GfxColor RecordingDevice::PixelAt(double x, double y) const {
  const int px = RoundToPixel(x), py = RoundToPixel(y);
  if (released || px < 0 || py < 0 || px >= width_ || py >= height_) return kGfxNoColor;
  return raster_[static_cast<std::size_t>(py) * static_cast<std::size_t>(width_) +
                 static_cast<std::size_t>(px)];
}

double EstimatedTextWidth(std::string_view utf8, const GfxFont& font) {
  const double charWidth = font.width > 0 ? font.width : 0.4 * font.height;
  return static_cast<double>(DecodeText(utf8).size()) * charWidth;
}

void RecordingDevice::Text(double x, double y, std::string_view utf8, int align,
                           const GfxFont& font) {
  DrawRecord& r = Record(DrawKind::kText);
  r.x = x, r.y = y, r.text = utf8, r.align = align, r.font = font;
  const std::u32string chars = DecodeText(utf8);
  const double charWidth = font.width > 0 ? font.width : 0.4 * font.height;
  r.width = static_cast<double>(chars.size()) * charWidth;
  r.height = font.height;
  r.x2 = align == kAlignCenter  ? (width_ - r.width) / 2
         : align == kAlignRight ? width_ - r.width
                                : x;
  r.y2 = y;
  const double left = r.x2;
  if (font.backgroundMode == 0) {
    Fill(RoundToPixel(left), RoundToPixel(y), RoundToPixel(left + r.width),
         RoundToPixel(y + r.height), font.background);
  }
  // Ink where the glyph bodies would be: between a quarter and four fifths of the cell height,
  // a tenth of the character width in from each side.
  for (std::size_t i = 0; i < chars.size(); ++i) {
    if (chars[i] == U' ') continue;
    const double cellLeft = left + static_cast<double>(i) * charWidth;
    Fill(RoundToPixel(cellLeft + 0.1 * charWidth), RoundToPixel(y + 0.25 * font.height),
         RoundToPixel(cellLeft + 0.9 * charWidth), RoundToPixel(y + 0.8 * font.height), font.color);
  }
}

bool RecordingDevice::Save(std::string_view target) {
  Record(DrawKind::kSave).text = target;
  if (!saveSucceeds || released) return false;
  savedPicture = raster_;
  return true;
}

}  // namespace lobrix
