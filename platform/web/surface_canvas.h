// The browser's surface: an HTML canvas drawn through Canvas 2D by the page's JavaScript. The
// canvas takes the surface's size in CSS pixels and as many screen pixels as the screen's pixel
// ratio gives, so the drawing is sharp; the views draw in the surface's pixels. The page tells
// the device where the mouse is. Save("CLIPBOARD") copies the picture as a PNG.
#pragma once

#include <string>

#include "platform/gfx/gfx.h"

namespace lobrix {

class SurfaceCanvas final : public GfxDevice {
 public:
  // Opens the canvas with element id `canvas` at width x height pixels.
  SurfaceCanvas(std::string canvas, int width, int height);

  bool Opened() const { return width_ > 0 && height_ > 0; }
  // Where the mouse is over the canvas, in its pixels; (-1, -1) when it is elsewhere.
  void SetMouse(int x, int y) {
    mouseX_ = x;
    mouseY_ = y;
  }

  int PixelWidth() const override { return width_; }
  int PixelHeight() const override { return height_; }
  void EndBatch() override;
  void Refresh() override;
  void Release() override;
  void Clear(GfxColor color) override;
  void Line(double x0, double y0, double x1, double y1, const GfxPen& pen) override;
  void Rect(double x, double y, double w, double h, const GfxPen& pen,
            const GfxBrush& brush) override;
  void Circle(double cx, double cy, double r, const GfxPen& pen, const GfxBrush& brush) override;
  void Pixel(double x, double y, GfxColor color) override;
  GfxColor PixelAt(double x, double y) const override;
  void Text(double x, double y, std::string_view utf8, int align, const GfxFont& font) override;
  int MouseX() const override { return mouseX_; }
  int MouseY() const override { return mouseY_; }
  // Only "CLIPBOARD"; false when the browser cannot copy a picture. The copy itself finishes
  // after the call returns (the browser's clipboard is asynchronous).
  bool Save(std::string_view target) override;
  std::string LastError() const override { return lastError_; }

 private:
  std::string canvas_;
  int width_ = 0, height_ = 0;
  int mouseX_ = -1, mouseY_ = -1;
  std::string lastError_;
};

}  // namespace lobrix
