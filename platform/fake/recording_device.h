// A device for tests: remembers every call in `records` and keeps a plain in-memory raster
// (white at first) so that PixelAt answers as a real surface would. Lines are one pixel wide
// with both ends drawn; text is drawn as one ink box per non-blank character over its cell.
//
// Typical use:
//   auto device = std::make_unique<RecordingDevice>(1404, 1000);  // logical units = pixels
//   RecordingDevice& recording = *device;
//   Gfx gfx(std::move(device));
//   SetUpSurface(gfx);
//   ... draw ...
//   EXPECT_EQ(recording.LinesOfColor(0x0000E6).size(), 360u);
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/gfx/gfx.h"

namespace lobrix {

enum class DrawKind {
  kClear,
  kLine,
  kRect,
  kCircle,
  kPixel,
  kText,
  kBeginBatch,
  kEndBatch,
  kRefresh,
  kRelease,
  kSave
};

// One call as the device received it, in pixels.
struct DrawRecord {
  DrawKind kind = DrawKind::kClear;
  double x = 0, y = 0;    // line start, rect top left, circle centre, pixel, text point passed
  double x2 = 0, y2 = 0;  // line end; text: top left of the cell after alignment
  double width = 0, height = 0;  // rect size; text: estimated cell size
  double radius = 0;             // circle
  GfxColor color = 0;            // clear and pixel colour
  GfxPen pen;
  GfxBrush brush;
  GfxFont font;
  std::string text;  // text drawn; save target
  int align = kAlignLeft;
  int batchDepth = 0;  // batches open when the call came
};

class RecordingDevice final : public GfxDevice {
 public:
  RecordingDevice(int pixelWidth, int pixelHeight);

  // What the calls recorded so far; tests may also read `records` directly.
  std::vector<DrawRecord> OfKind(DrawKind kind) const;
  std::vector<DrawRecord> LinesOfColor(GfxColor color) const;
  std::vector<DrawRecord> TextsOfColor(GfxColor color) const;
  std::vector<std::string> Texts() const;
  const DrawRecord* FindText(std::string_view part) const;  // first text containing part
  int Count(DrawKind kind) const;
  void ClearRecords() { records.clear(); }

  void SetMouse(int x, int y);  // pixels; -1 for "elsewhere"

  std::vector<DrawRecord> records;
  bool saveSucceeds = true;            // what Save answers
  std::vector<GfxColor> savedPicture;  // the raster as it was at the last successful Save
  int batchDepth = 0;
  bool released = false;

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
  int MouseX() const override { return mouseX_; }
  int MouseY() const override { return mouseY_; }
  bool Save(std::string_view target) override;
  std::string LastError() const override { return saveSucceeds ? "" : "save refused by the test"; }

 private:
  DrawRecord& Record(DrawKind kind);
  void Plot(int x, int y, GfxColor color);
  void Fill(int x0, int y0, int x1, int y1, GfxColor color);  // [x0, x1) x [y0, y1)
  void Trace(int x0, int y0, int x1, int y1, const GfxPen& pen);

  int width_, height_;
  std::vector<GfxColor> raster_;
  int mouseX_ = -1, mouseY_ = -1;
};

// Estimated text cell width: the font's average character width (or 0.4 of the cell height
// when it is 0, about Arial's) per character.
double EstimatedTextWidth(std::string_view utf8, const GfxFont& font);

}  // namespace lobrix
