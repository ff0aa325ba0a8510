// The file surface of the native build: draws into a cairo image (so PixelAt always answers)
// and saves it as PNG, or replays the drawing into an SVG or PDF file, chosen by the file's
// extension. Fonts come through fontconfig, the Liberation faces standing in for the Windows
// ones ("Arial", "Arial/1", "MS Sans Serif" -> Liberation Sans).
#pragma once

#include <cairo.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/gfx.h"

namespace lobrix {

// One drawing call, kept for the replay into vector files.
struct CairoOp {
  enum Kind { kClear, kLine, kRect, kCircle, kPixel, kText } kind = kClear;
  double x = 0, y = 0, x2 = 0, y2 = 0;  // line ends; rect x, y, width, height; circle x, y, r
  GfxColor color = 0;
  GfxPen pen;
  GfxBrush brush;
  GfxFont font;
  std::string text;
  int align = kAlignLeft;
};

class SurfaceCairo final : public GfxDevice {
 public:
  // A white picture of width x height pixels. penScale widens lines, dots and pixels for
  // enlarged pictures (2 for a picture at twice the screen's size).
  SurfaceCairo(int width, int height, double penScale = 1.0);
  ~SurfaceCairo() override;
  SurfaceCairo(const SurfaceCairo&) = delete;
  SurfaceCairo& operator=(const SurfaceCairo&) = delete;

  int PixelWidth() const override { return width_; }
  int PixelHeight() const override { return height_; }
  void Clear(GfxColor color) override;
  void Line(double x0, double y0, double x1, double y1, const GfxPen& pen) override;
  void Rect(double x, double y, double w, double h, const GfxPen& pen,
            const GfxBrush& brush) override;
  void Circle(double cx, double cy, double r, const GfxPen& pen, const GfxBrush& brush) override;
  void Pixel(double x, double y, GfxColor color) override;
  GfxColor PixelAt(double x, double y) const override;
  void Text(double x, double y, std::string_view utf8, int align, const GfxFont& font) override;
  // "name.png", "name.svg" or "name.pdf" (any case); false with LastError() otherwise or when
  // the file cannot be written (the system's reason: a full disk is no success).
  bool Save(std::string_view target) override;
  // The picture as the bytes of a PNG, SVG or PDF file, chosen by the extension of `target`
  // (any case), for a caller that writes the file its own way; false with LastError() for
  // another extension or when cairo fails.
  bool Encode(std::string_view target, std::string& bytes);
  // The drawing as the text of an SVG file (empty when cairo fails), for pages that hold their
  // pictures inline.
  std::string SvgText();
  std::string LastError() const override { return lastError_; }

 private:
  struct CairoDeleter {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
  };
  using Context = std::unique_ptr<cairo_t, CairoDeleter>;
  using Picture = std::unique_ptr<cairo_surface_t, CairoDeleter>;

  // A face's vertical metrics and average character width, per unit of its em size.
  struct FaceMetrics {
    double ascent = 0.9, descent = 0.2, averageWidth = 0.44;
  };

  // A polyline being built on one context: consecutive lines of one pen that continue each
  // other are stroked as one path, not segment by segment (a ring is 360 segments).
  struct OpenPath {
    bool open = false;
    GfxPen pen;
    double x = 0, y = 0;  // where the path ends
  };

  Context NewContext(cairo_surface_t* target) const;
  void Draw(CairoOp op);
  void Paint(cairo_t* cr, const CairoOp& op, OpenPath& path);
  void StrokePath(cairo_t* cr, OpenPath& path) const;
  void FinishDrawing() const;
  void PaintText(cairo_t* cr, const CairoOp& op);
  cairo_status_t Replay(cairo_surface_t* target);
  FaceMetrics Metrics(cairo_t* cr, const std::string& family, bool bold);

  int width_, height_;
  double penScale_;
  Picture image_;
  Context cr_;
  mutable OpenPath path_;     // on cr_; stroked before anything reads or saves the picture
  double lineOffset_;         // from a pixel's corner to the middle of a pen drawn on it
  std::vector<CairoOp> ops_;  // since the last Clear, which covers all before it
  std::map<std::string, FaceMetrics> faces_;  // measured once per family and weight
  std::string lastError_;
};

}  // namespace lobrix
