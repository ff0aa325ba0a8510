// The GDI surface: a 32-bit DIB section on a memory DC. In the Windows module it sits in a
// child window of the page: drawing goes off-screen; a batch's end and Refresh show it, WM_PAINT
// copies it to the window. Without a window it draws pictures for files (the command line's
// PNG files), its pixels read with Pixels(). Save("CLIPBOARD") puts the picture on the
// clipboard as CF_DIB, Save("x.bmp") writes a BMP file.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "platform/gfx/gfx.h"
#include "platform/win32/win_handle.h"

namespace lobrix {

class SurfaceGdi final : public GfxDevice {
 public:
  ~SurfaceGdi() override;
  // The window keeps a pointer to its surface: neither is copied nor moved.
  SurfaceGdi(const SurfaceGdi&) = delete;
  SurfaceGdi& operator=(const SurfaceGdi&) = delete;

  HWND Window() const { return window_.Get(); }
  // The picture, width x height pixels 0x00RRGGBB, top row first (nullptr once released).
  const std::uint32_t* Pixels() const;

  int PixelWidth() const override { return width_; }
  int PixelHeight() const override { return height_; }
  void BeginBatch() override;
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
  int MouseX() const override;
  int MouseY() const override;
  bool Save(std::string_view target) override;
  std::string LastError() const override { return lastError_; }

 private:
  friend std::unique_ptr<SurfaceGdi> InitGfx(HWND parent, int left, int top, int right, int bottom);

// Makes a white surface of width x height pixels without a window, for a picture drawn to be
// written; nullptr for an empty or too large size or without memory. `penScale` widens lines,
// dots and outlines (rounded to whole pixels, 2 for a picture at twice the screen's size), as
// the cairo surface does.
std::unique_ptr<SurfaceGdi> MakePictureGdi(int width, int height, double penScale = 1.0);
  friend std::unique_ptr<SurfaceGdi> MakePictureGdi(int width, int height, double penScale);
  SurfaceGdi() = default;
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool CreatePicture(int width, int height);
  bool CreateWindowOn(HWND parent, int left, int top);
  GdiObject MakePen(const GfxPen& pen, bool insideFrame = false) const;
  void Drawn();  // outside a batch: repaint when the window next paints
  void Show();
  POINT Mouse() const;
  std::string PackedDib() const;  // BITMAPINFOHEADER and 24-bit rows, bottom up
  bool SaveBmp(const std::string& path);

  // Declared in the order they are made; Release gives them back in reverse.
  WindowHandle window_;
  DcHandle dc_;
  GdiObject bitmap_;
  SelectedObject bitmapSelection_;
  std::uint32_t* bits_ = nullptr;  // 0x00RRGGBB, top row first
  int width_ = 0, height_ = 0;
  int penWidth_ = 1;  // pixels: lines, dots and outlines of enlarged pictures are wider
  int batchDepth_ = 0;
  std::string lastError_;
};

// Makes the surface as a child window of `parent` at the pixel rectangle (right and bottom
// exclusive); nullptr when it cannot be made (no parent, an empty rectangle, no memory).
std::unique_ptr<SurfaceGdi> InitGfx(HWND parent, int left, int top, int right, int bottom);

// Makes a white surface of width x height pixels without a window, for a picture drawn to be
// written; nullptr for an empty or too large size or without memory. `penScale` widens lines,
// dots and outlines (rounded to whole pixels, 2 for a picture at twice the screen's size), as
// the cairo surface does.
std::unique_ptr<SurfaceGdi> MakePictureGdi(int width, int height, double penScale = 1.0);

}  // namespace lobrix
