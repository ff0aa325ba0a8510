#include "platform/web/surface_canvas.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/gfx/font_family.h"
#include "platform/gfx/pixel_round.h"
#include "platform/web/web_calls.h"
#include "text/text_decode.h"

namespace lobrix {
namespace {

// Coordinates far off any canvas are held to this, and NaN to 0, so the page never sees them.
double Clamp(double v) {
  constexpr double kLimit = 1e6;
  return std::isnan(v) ? 0 : std::clamp(v, -kLimit, kLimit);
}

int Dotted(const GfxPen& pen) {
  return pen.style == kPenDotted ? 1 : 0;
}

}  // namespace

SurfaceCanvas::SurfaceCanvas(std::string canvas, int width, int height)
    : canvas_(std::move(canvas)) {
  width = std::clamp(width, 0, 8192);
  height = std::clamp(height, 0, 8192);
  if (width > 0 && height > 0 && lobrix_canvas_open(canvas_.c_str(), width, height) != 0) {
    width_ = width;
    height_ = height;
  }
}

void SurfaceCanvas::EndBatch() {
  if (Opened()) lobrix_canvas_flush(canvas_.c_str());
}

void SurfaceCanvas::Refresh() {
  EndBatch();
}

void SurfaceCanvas::Release() {
  EndBatch();
  width_ = height_ = 0;
  mouseX_ = mouseY_ = -1;
}

void SurfaceCanvas::Clear(GfxColor color) {
  if (Opened()) lobrix_canvas_clear(canvas_.c_str(), color);
}

void SurfaceCanvas::Line(double x0, double y0, double x1, double y1, const GfxPen& pen) {
  if (!Opened()) return;
  lobrix_canvas_line(canvas_.c_str(), Clamp(x0), Clamp(y0), Clamp(x1), Clamp(y1), pen.color,
                     Dotted(pen));
}

void SurfaceCanvas::Rect(double x, double y, double w, double h, const GfxPen& pen,
                         const GfxBrush& brush) {
  if (!Opened()) return;
  lobrix_canvas_rect(canvas_.c_str(), Clamp(x), Clamp(y), Clamp(w), Clamp(h), pen.color,
                     Dotted(pen), brush.color, brush.filled ? 1 : 0);
}

void SurfaceCanvas::Circle(double cx, double cy, double r, const GfxPen& pen,
                           const GfxBrush& brush) {
  if (!Opened()) return;
  lobrix_canvas_circle(canvas_.c_str(), Clamp(cx), Clamp(cy), std::abs(Clamp(r)), pen.color,
                       Dotted(pen), brush.color, brush.filled ? 1 : 0);
}

void SurfaceCanvas::Pixel(double x, double y, GfxColor color) {
  if (Opened()) lobrix_canvas_pixel(canvas_.c_str(), Clamp(x), Clamp(y), color);
}

GfxColor SurfaceCanvas::PixelAt(double x, double y) const {
  const int px = RoundToPixel(x), py = RoundToPixel(y);
  if (!Opened() || px < 0 || py < 0 || px >= width_ || py >= height_) return kGfxNoColor;
  const int color = lobrix_canvas_pixel_at(canvas_.c_str(), px, py);
  return color < 0 ? kGfxNoColor : static_cast<GfxColor>(color);
}

void SurfaceCanvas::Text(double x, double y, std::string_view utf8, int align,
                         const GfxFont& font) {
  if (!Opened() || !(font.height > 0 && font.height < 1e5)) return;
  // Views hand over UTF-8 or single-byte text (the record's prefix): the page takes UTF-8.
  const std::string text = EncodeUtf8(DecodeText(utf8));
  const std::string family = LiberationFamily(font.name);
  const double width = font.width > 0 && font.width < 1e5 ? font.width : 0;
  lobrix_canvas_text(canvas_.c_str(), Clamp(x), Clamp(y), text.c_str(), align, family.c_str(),
                     font.height, width, font.weight >= 6 ? 1 : 0, font.color, font.background,
                     font.backgroundMode == 0 ? 1 : 0);
}

bool SurfaceCanvas::Save(std::string_view target) {
  lastError_.clear();
  if (target != "CLIPBOARD") {
    lastError_ = "the browser's surface copies to the clipboard only";
    return false;
  }
  if (!Opened() || lobrix_canvas_copy(canvas_.c_str()) == 0) {
    lastError_ = "the browser offers no clipboard for pictures here";
    return false;
  }
  return true;
}

}  // namespace lobrix
