#include "platform/gfx/gfx.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "platform/gfx/pixel_round.h"

namespace lobrix {
namespace {

// Stands in when a surface could not be made: zero pixels, draws nothing, saves nothing, so a
// view drawing on it does no harm.
class DetachedDevice final : public GfxDevice {
 public:
  int PixelWidth() const override { return 0; }
  int PixelHeight() const override { return 0; }
  void Clear(GfxColor) override {}
  void Line(double, double, double, double, const GfxPen&) override {}
  void Rect(double, double, double, double, const GfxPen&, const GfxBrush&) override {}
  void Circle(double, double, double, const GfxPen&, const GfxBrush&) override {}
  void Pixel(double, double, GfxColor) override {}
  GfxColor PixelAt(double, double) const override { return kGfxNoColor; }
  void Text(double, double, std::string_view, int, const GfxFont&) override {}
  bool Save(std::string_view) override { return false; }
  std::string LastError() const override { return "no drawing surface"; }
};

// The pixel of a logical point. Rounding alone would put the last units of a surface with
// fewer pixels than units (x * scale = 299.8 of 300) one pixel outside it; a point inside the
// extents always reads and writes a pixel inside the surface.
double PointPixel(int logical, int extent, int pixels, double scale) {
  const double p = std::nearbyint(logical * scale);
  return logical >= 0 && logical < extent ? std::min(p, pixels - 1.0) : p;
}

}  // namespace

Gfx::Gfx(std::unique_ptr<GfxDevice> device)
    : device_(device ? std::move(device) : std::make_unique<DetachedDevice>()) {}

double Gfx::ScaleX() const {
  return static_cast<double>(device_->PixelWidth()) / extentX_;
}
double Gfx::ScaleY() const {
  return static_cast<double>(device_->PixelHeight()) / extentY_;
}

int Gfx::GfxWindow(int command) {
  switch (command) {
    case kGfxReady:
      return device_->PixelWidth() > 0 && device_->PixelHeight() > 0 ? 1 : 0;
    case kGfxOpenBatch:
      device_->BeginBatch();
      return 1;
    case kGfxShowBatch:
      device_->EndBatch();
      return 1;
    case kGfxRelease:
      device_->Release();
      return 1;
    default:
      return 0;
  }
}

int Gfx::GfxMetrics(int what) const {
  switch (what) {
    case kGfxExtentX:
      return extentX_;
    case kGfxExtentY:
      return extentY_;
    case kGfxPixelWidth:
      return device_->PixelWidth();
    case kGfxPixelHeight:
      return device_->PixelHeight();
    default:
      return 0;
  }
}

void Gfx::GfxOption(int what, int value) {
  if (what == kGfxExtentX) pendingX_ = value;
  if (what == kGfxExtentY) pendingY_ = value;
  // Extents below 1 would divide by zero or mirror the picture: they are not taken.
  if (what == kGfxApplyOptions && pendingX_ > 0 && pendingY_ > 0) {
    extentX_ = pendingX_;
    extentY_ = pendingY_;
  }
}

void Gfx::GfxCLS() {
  device_->Clear(brush_.color);
}
void Gfx::GfxRefresh(int) {
  device_->Refresh();
}

void Gfx::BrushColor(GfxColor color) {
  brush_.color = color;
}
void Gfx::BrushStyle(int style) {
  brush_.filled = style == 0;
}
void Gfx::PenColor(GfxColor color) {
  pen_.color = color;
}
void Gfx::PenStyle(int style) {
  pen_.style = style == kPenDotted ? kPenDotted : kPenSolid;
}

void Gfx::DrawFrom(int x, int y) {
  x_ = x;
  y_ = y;
}

void Gfx::DrawTo(int x, int y) {
  device_->Line(x_ * ScaleX(), y_ * ScaleY(), x * ScaleX(), y * ScaleY(), pen_);
  x_ = x;
  y_ = y;
}

void Gfx::DrawAngle(double angle, int length) {
  int x = x_, y = y_;
  CalcPoint(x, y, angle, length);
  DrawTo(x, y);
}

void Gfx::DrawCircle(int radius) {
  device_->Circle(x_ * ScaleX(), y_ * ScaleY(), std::abs(static_cast<double>(radius)) * ScaleY(),
                  pen_, brush_);
}

void Gfx::DrawRect(int width, int height) {
  // A negative size reaches left or up from the current point, as GDI's Rectangle takes it.
  const double x = width < 0 ? static_cast<double>(x_) + width : x_;
  const double y = height < 0 ? static_cast<double>(y_) + height : y_;
  device_->Rect(x * ScaleX(), y * ScaleY(), std::abs(static_cast<double>(width)) * ScaleX(),
                std::abs(static_cast<double>(height)) * ScaleY(), pen_, brush_);
}

void Gfx::DrawPixel(int x, int y, GfxColor color) {
  device_->Pixel(PointPixel(x, extentX_, device_->PixelWidth(), ScaleX()),
                 PointPixel(y, extentY_, device_->PixelHeight(), ScaleY()), color);
}

GfxColor Gfx::PixelColor(int x, int y) const {
  return device_->PixelAt(PointPixel(x, extentX_, device_->PixelWidth(), ScaleX()),
                          PointPixel(y, extentY_, device_->PixelHeight(), ScaleY()));
}

void Gfx::CalcPoint(int& x, int& y, double angle, double distance) {
  const double radians = angle * std::numbers::pi / 180.0;
  const double px = x + distance * std::sin(radians);
  const double py = y - distance * std::cos(radians);
  if (!std::isfinite(px) || !std::isfinite(py)) return;
  x = RoundToPixel(px);
  y = RoundToPixel(py);
}

void Gfx::GfxFontName(std::string_view name) {
  font_.name = name;
}
void Gfx::GfxFontHeight(double height) {
  font_.height = height;
}
void Gfx::GfxFontWidth(double width) {
  font_.width = width;
}
void Gfx::GfxFontWeight(int weight) {
  font_.weight = weight;
}
void Gfx::GfxFontColor(GfxColor color) {
  font_.color = color;
}
void Gfx::GfxBkgdColor(GfxColor color) {
  font_.background = color;
}
void Gfx::GfxBkgdMode(int mode) {
  font_.backgroundMode = mode == 0 ? 0 : 1;
}

void Gfx::DrawTextRow(std::string_view utf8, int align) {
  GfxFont font = font_;
  font.height = std::isfinite(font.height) ? std::abs(font.height) * ScaleY() : 0;
  font.width = std::isfinite(font.width) ? std::abs(font.width) * ScaleX() : 0;
  device_->Text(x_ * ScaleX(), y_ * ScaleY(), utf8, align, font);
}

int Gfx::MouseOverX() const {
  const int x = device_->MouseX();
  const double scale = ScaleX();
  return x < 0 || scale <= 0 ? -1 : RoundToPixel(x / scale);
}

int Gfx::MouseOverY() const {
  const int y = device_->MouseY();
  const double scale = ScaleY();
  return y < 0 || scale <= 0 ? -1 : RoundToPixel(y / scale);
}

bool Gfx::SaveGfxScreen(std::string_view target) {
  return device_->Save(target);
}

void SetUpSurface(Gfx& gfx) {
  gfx.GfxWindow(kGfxReady);
  const int width = gfx.GfxMetrics(kGfxPixelWidth);
  const int height = gfx.GfxMetrics(kGfxPixelHeight);
  int extentX = 1000, extentY = 1000;
  if (width > 0 && height > 0) {
    // ratio = width / height; the shorter side gets 1000 units, the longer 1000 * its share.
    if (width <= height) {
      extentY = RoundToPixel(1000.0 * height / width);
    } else {
      extentX = RoundToPixel(1000.0 * width / height);
    }
  }
  gfx.GfxOption(kGfxExtentX, extentX);
  gfx.GfxOption(kGfxExtentY, extentY);
  gfx.GfxOption(kGfxApplyOptions, 12);
  gfx.BrushColor(kGfxWhite);
  gfx.BrushStyle(kBrushFilled);
  gfx.GfxCLS();
}

bool CopySurfaceToClipboard(Gfx& gfx) {
  const int width = gfx.GfxMetrics(kGfxExtentX);
  const int height = gfx.GfxMetrics(kGfxExtentY);
  gfx.BrushStyle(kBrushOutline);
  gfx.PenColor(kGfxBlack);
  gfx.DrawFrom(0, 0);
  gfx.DrawRect(width, height);
  const bool saved = gfx.SaveGfxScreen("CLIPBOARD");
  gfx.PenColor(kGfxWhite);
  gfx.DrawFrom(0, 0);
  gfx.DrawRect(width, height);
  gfx.PenColor(kGfxBlack);
  gfx.BrushStyle(kBrushFilled);
  return saved;
}

}  // namespace lobrix
