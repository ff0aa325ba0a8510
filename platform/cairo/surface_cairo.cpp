#include "platform/cairo/surface_cairo.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>
#include <system_error>
#include <utility>

#include "platform/gfx/font_family.h"
#include "platform/gfx/pixel_round.h"
#include "text/text_decode.h"

namespace lobrix {
namespace {

// Cairo keeps coordinates in 24.8 fixed point; anything farther out than this is off any
// picture anyway, and NaN would poison the path.
double Clamp(double v) {
  constexpr double kLimit = 1e6;
  return std::isnan(v) ? 0 : std::clamp(v, -kLimit, kLimit);
}

void SetColor(cairo_t* cr, GfxColor c) {
  cairo_set_source_rgb(cr, (c & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0,
                       ((c >> 16) & 0xFF) / 255.0);
}

// A dotted pen draws 3 pixels and skips 3, as GDI's width-1 PS_DOT (both scaled by penScale):
// dashes of 2 with square caps, which add half a pen width at each end, cover exactly 3 whole
// pixels of a level or upright line drawn through the pixel centres.
void SetPen(cairo_t* cr, const GfxPen& pen, double penScale) {
  SetColor(cr, pen.color);
  cairo_set_line_width(cr, penScale);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_SQUARE);
  if (pen.style == kPenDotted) {
    const std::array<double, 2> dash = {2 * penScale, 4 * penScale};
    cairo_set_dash(cr, dash.data(), 2, 0);
  } else {
    cairo_set_dash(cr, nullptr, 0, 0);
  }
}

// Cairo and fontconfig keep their font caches for the life of the process, which leak checks
// report at exit. They are given back when the last surface goes (and built again, a few
// milliseconds, by the next one).
std::atomic<int> liveSurfaces{0};

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// The shapes, each on a fresh path. s is the pen scale, off the offset that puts a line
// through the pixel centres.

// Filled over [x, x + w) x [y, y + h); the outline inside that area, as GDI draws it.
void PaintRect(cairo_t* cr, const CairoOp& op, double s) {
  const double left = std::nearbyint(op.x), top = std::nearbyint(op.y);
  const double w = std::nearbyint(op.x + op.x2) - left, h = std::nearbyint(op.y + op.y2) - top;
  if (w <= 0 || h <= 0) return;
  if (op.brush.filled) {
    SetColor(cr, op.brush.color);
    cairo_rectangle(cr, left, top, w, h);
    cairo_fill(cr);
  }
  SetPen(cr, op.pen, s);
  cairo_rectangle(cr, left + s / 2, top + s / 2, std::max(w - s, 0.0), std::max(h - s, 0.0));
  cairo_stroke(cr);
}

void PaintCircle(cairo_t* cr, const CairoOp& op, double s, double off) {
  if (op.brush.filled) {
    SetColor(cr, op.brush.color);
    cairo_arc(cr, op.x + off, op.y + off, op.x2, 0, 2 * std::numbers::pi);
    cairo_fill(cr);
  }
  SetPen(cr, op.pen, s);
  cairo_arc(cr, op.x + off, op.y + off, op.x2, 0, 2 * std::numbers::pi);
  cairo_stroke(cr);
}

void PaintPixel(cairo_t* cr, const CairoOp& op, double s, double off) {
  SetColor(cr, op.color);
  cairo_rectangle(cr, std::nearbyint(op.x) + off - s / 2, std::nearbyint(op.y) + off - s / 2, s, s);
  cairo_fill(cr);
}

// Cairo's write function for pictures kept in memory: `closure` is the std::string.
cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

SurfaceCairo::SurfaceCairo(int width, int height, double penScale)
    : width_(std::clamp(width, 0, 32767)),
      height_(std::clamp(height, 0, 32767)),
      penScale_(std::isfinite(penScale) && penScale >= 1 ? penScale : 1),
      image_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width_, height_)),
      lineOffset_(penScale_ / 2) {
  if (cairo_surface_status(image_.get()) != CAIRO_STATUS_SUCCESS) width_ = height_ = 0;
  cr_ = NewContext(image_.get());
  Clear(kGfxWhite);
  ++liveSurfaces;
}

SurfaceCairo::~SurfaceCairo() {
  cr_.reset();
  image_.reset();
  if (--liveSurfaces == 0) {
    cairo_debug_reset_static_data();
    FcFini();
  }
}

SurfaceCairo::Context SurfaceCairo::NewContext(cairo_surface_t* target) const {
  Context cr(cairo_create(target));
  // Unhinted metrics: text widths scale with the font size, as the layout assumes.
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr.get(), options);
  cairo_font_options_destroy(options);
  return cr;
}

void SurfaceCairo::Draw(CairoOp op) {
  if (op.kind == CairoOp::kClear) ops_.clear();
  ops_.push_back(std::move(op));
  Paint(cr_.get(), ops_.back(), path_);
  // A context that met an error draws nothing more; start a fresh one on the same picture.
  if (cairo_status(cr_.get()) != CAIRO_STATUS_SUCCESS) {
    cr_ = NewContext(image_.get());
    path_ = {};
  }
}

void SurfaceCairo::StrokePath(cairo_t* cr, OpenPath& path) const {
  if (!path.open) return;
  cairo_stroke(cr);
  path.open = false;
}

// Strokes what is pending on the picture's own context (PixelAt and Save read the image).
void SurfaceCairo::FinishDrawing() const {
  StrokePath(cr_.get(), path_);
  cairo_surface_flush(image_.get());
}

void SurfaceCairo::Paint(cairo_t* cr, const CairoOp& op, OpenPath& path) {
  const double s = penScale_, off = lineOffset_;
  if (op.kind == CairoOp::kLine) {
    const bool continues = path.open && path.pen.color == op.pen.color &&
                           path.pen.style == op.pen.style && path.x == op.x && path.y == op.y;
    if (!continues) {
      StrokePath(cr, path);
      SetPen(cr, op.pen, s);
      cairo_move_to(cr, op.x + off, op.y + off);
      path = {true, op.pen, op.x, op.y};
    }
    cairo_line_to(cr, op.x2 + off, op.y2 + off);
    path.x = op.x2;
    path.y = op.y2;
    return;
  }
  StrokePath(cr, path);
  cairo_new_path(cr);
  switch (op.kind) {
    case CairoOp::kClear:
      SetColor(cr, op.color);
      cairo_paint(cr);
      break;
    case CairoOp::kLine:
      break;
    case CairoOp::kRect:
      PaintRect(cr, op, s);
      break;
    case CairoOp::kCircle:
      PaintCircle(cr, op, s, off);
      break;
    case CairoOp::kPixel:
      PaintPixel(cr, op, s, off);
      break;
    case CairoOp::kText:
      PaintText(cr, op);
      break;
  }
}

// Average character width as the classic TrueType definition has it (and GDI's lfWidth means
// it): the lower-case letters and the blank weighted by their frequency in English text, per
// thousand. For the Arial metrics this gives 0.441 of the em (904 of 2048 units).
SurfaceCairo::FaceMetrics SurfaceCairo::Metrics(cairo_t* cr, const std::string& family, bool bold) {
  const std::string key = family + (bold ? "|bold" : "|normal");
  if (const auto found = faces_.find(key); found != faces_.end()) return found->second;
  constexpr std::array<int, 26> kLetterWeights = {64, 14, 27, 35, 100, 20, 14, 42, 63,
                                                  3,  6,  35, 20, 56,  56, 17, 4,  49,
                                                  56, 71, 31, 10, 18,  3,  18, 2};
  constexpr int kSpaceWeight = 166;
  constexpr double kSize = 1000;
  cairo_set_font_size(cr, kSize);
  cairo_font_extents_t font;
  cairo_font_extents(cr, &font);
  cairo_text_extents_t glyph;
  cairo_text_extents(cr, " ", &glyph);
  double total = kSpaceWeight * glyph.x_advance;
  for (int i = 0; i < 26; ++i) {
    const char letter[2] = {static_cast<char>('a' + i), '\0'};
    cairo_text_extents(cr, letter, &glyph);
    total += kLetterWeights[static_cast<std::size_t>(i)] * glyph.x_advance;
  }
  FaceMetrics m;
  if (font.ascent > 0 && font.descent >= 0 && total > 0) {
    m = {font.ascent / kSize, font.descent / kSize, total / 1000 / kSize};
  }
  faces_[key] = m;
  return m;
}

// Font height is the cell height (ascent + descent) in pixels; a width above 0 stretches the
// face horizontally so that its average character width matches, as GDI's lfWidth does.
void SurfaceCairo::PaintText(cairo_t* cr, const CairoOp& op) {
  const GfxFont& font = op.font;
  if (!(font.height > 0 && font.height < 1e5)) return;
  const std::string family = LiberationFamily(font.name);
  const bool bold = font.weight >= 6;
  cairo_select_font_face(cr, family.c_str(), CAIRO_FONT_SLANT_NORMAL,
                         bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  const FaceMetrics m = Metrics(cr, family, bold);
  const double em = font.height / (m.ascent + m.descent);
  double emX = em;
  if (font.width > 0 && font.width < 1e5) emX = font.width / m.averageWidth;
  cairo_matrix_t matrix;
  cairo_matrix_init_scale(&matrix, emX, em);
  cairo_set_font_matrix(cr, &matrix);

  const std::string text = EncodeUtf8(DecodeText(op.text));
  cairo_text_extents_t extents;
  cairo_text_extents(cr, text.c_str(), &extents);
  const double advance = extents.x_advance;
  const double left = op.align == kAlignCenter  ? (width_ - advance) / 2
                      : op.align == kAlignRight ? width_ - advance
                                                : op.x;
  if (font.backgroundMode == 0) {
    SetColor(cr, font.background);
    cairo_rectangle(cr, left, op.y, advance, font.height);
    cairo_fill(cr);
  }
  SetColor(cr, font.color);
  cairo_move_to(cr, left, op.y + m.ascent * em);
  cairo_show_text(cr, text.c_str());
  cairo_new_path(cr);
}

void SurfaceCairo::Clear(GfxColor color) {
  CairoOp op;
  op.kind = CairoOp::kClear;
  op.color = color;
  Draw(std::move(op));
}

void SurfaceCairo::Line(double x0, double y0, double x1, double y1, const GfxPen& pen) {
  CairoOp op;
  op.kind = CairoOp::kLine;
  op.x = Clamp(x0), op.y = Clamp(y0), op.x2 = Clamp(x1), op.y2 = Clamp(y1), op.pen = pen;
  Draw(std::move(op));
}

void SurfaceCairo::Rect(double x, double y, double w, double h, const GfxPen& pen,
                        const GfxBrush& brush) {
  CairoOp op;
  op.kind = CairoOp::kRect;
  op.x = Clamp(x), op.y = Clamp(y), op.x2 = Clamp(w), op.y2 = Clamp(h);
  op.pen = pen, op.brush = brush;
  Draw(std::move(op));
}

void SurfaceCairo::Circle(double cx, double cy, double r, const GfxPen& pen,
                          const GfxBrush& brush) {
  CairoOp op;
  op.kind = CairoOp::kCircle;
  op.x = Clamp(cx), op.y = Clamp(cy), op.x2 = std::abs(Clamp(r));
  op.pen = pen, op.brush = brush;
  Draw(std::move(op));
}

void SurfaceCairo::Pixel(double x, double y, GfxColor color) {
  CairoOp op;
  op.kind = CairoOp::kPixel;
  op.x = Clamp(x), op.y = Clamp(y), op.color = color;
  Draw(std::move(op));
}

void SurfaceCairo::Text(double x, double y, std::string_view utf8, int align, const GfxFont& font) {
  CairoOp op;
  op.kind = CairoOp::kText;
  op.x = Clamp(x), op.y = Clamp(y), op.text = utf8, op.align = align, op.font = font;
  Draw(std::move(op));
}

GfxColor SurfaceCairo::PixelAt(double x, double y) const {
  const int px = RoundToPixel(x), py = RoundToPixel(y);
  if (px < 0 || py < 0 || px >= width_ || py >= height_) return kGfxNoColor;
  FinishDrawing();
  const unsigned char* data = cairo_image_surface_get_data(image_.get());
  if (data == nullptr) return kGfxNoColor;
  const int stride = cairo_image_surface_get_stride(image_.get());
  std::uint32_t pixel = 0;  // 0x00RRGGBB in the machine's byte order
  std::memcpy(&pixel, data + static_cast<std::ptrdiff_t>(py) * stride + 4 * px, sizeof pixel);
  return GfxRgb(static_cast<int>(pixel >> 16 & 0xFF), static_cast<int>(pixel >> 8 & 0xFF),
                static_cast<int>(pixel & 0xFF));
}

bool SurfaceCairo::Save(std::string_view target) {
  const std::string path(target);
  std::string bytes;
  if (!Encode(target, bytes)) {
    lastError_ = "cannot save the picture as \"" + path + "\": " + lastError_;
    return false;
  }
  std::FILE* file = std::fopen(path.c_str(), "wb");
  bool written =
      file != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  int reason = errno;
  // A full disk may show only when the last block is flushed at the close.
  if (file != nullptr && std::fclose(file) != 0 && written) {
    written = false;
    reason = errno;
  }
  if (!written) {
    lastError_ = "cannot write \"" + path + "\": " + std::generic_category().message(reason);
  }
  return written;
}

bool SurfaceCairo::Encode(std::string_view target, std::string& bytes) {
  lastError_.clear();
  bytes.clear();
  const std::string lower = Lower(target);
  cairo_status_t status = CAIRO_STATUS_SUCCESS;
  if (EndsWith(lower, ".svg") || EndsWith(lower, ".pdf")) {
    Picture file(EndsWith(lower, ".pdf")
                     ? cairo_pdf_surface_create_for_stream(AppendBytes, &bytes, width_, height_)
                     : cairo_svg_surface_create_for_stream(AppendBytes, &bytes, width_, height_));
    status = Replay(file.get());
  } else if (EndsWith(lower, ".png")) {
    FinishDrawing();
    status = cairo_surface_write_to_png_stream(image_.get(), AppendBytes, &bytes);
  } else {
    lastError_ = "use a .png, .svg or .pdf file";
    return false;
  }
  if (status != CAIRO_STATUS_SUCCESS) {
    lastError_ = cairo_status_to_string(status);
    bytes.clear();
    return false;
  }
  return true;
}

// Vector pictures get the drawing replayed from the last Clear on a white page. The status is
// read after the surface is finished: a vector file is written out only then.
cairo_status_t SurfaceCairo::Replay(cairo_surface_t* target) {
  cairo_status_t status = cairo_surface_status(target);
  if (status != CAIRO_STATUS_SUCCESS) return status;
  Context cr = NewContext(target);
  SetColor(cr.get(), kGfxWhite);
  cairo_paint(cr.get());
  OpenPath pending;
  for (const CairoOp& op : ops_) Paint(cr.get(), op, pending);
  StrokePath(cr.get(), pending);
  status = cairo_status(cr.get());
  cr.reset();
  cairo_surface_finish(target);
  return status == CAIRO_STATUS_SUCCESS ? cairo_surface_status(target) : status;
}

std::string SurfaceCairo::SvgText() {
  std::string text;
  Picture svg(cairo_svg_surface_create_for_stream(AppendBytes, &text, width_, height_));
  if (Replay(svg.get()) != CAIRO_STATUS_SUCCESS) return {};
  return text;
}

}  // namespace lobrix
