// The drawing contract shared by every picture of the program: one state machine over
// logical units (1000 on the shorter side, square units, origin top left, y down), angles in
// degrees clockwise from up, colours 0x00BBGGRR. Three devices sit behind it: GDI in the
// Windows module, cairo for files, and a recording device for tests.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace lobrix {

using GfxColor = std::uint32_t;  // 0x00BBGGRR

constexpr GfxColor GfxRgb(int r, int g, int b) {
  auto clamp = [](int v) { return static_cast<GfxColor>(v < 0 ? 0 : v > 255 ? 255 : v); };
  return clamp(r) | clamp(g) << 8 | clamp(b) << 16;
}

inline constexpr GfxColor kGfxWhite = 0xFFFFFF;
inline constexpr GfxColor kGfxBlack = 0x000000;
// What PixelColor answers outside the surface (or after release): no colour can equal it, so a
// scan for "a colour other than c0" must stop on it rather than take it for a drawn pixel.
inline constexpr GfxColor kGfxNoColor = 0xFFFFFFFF;

// The numbers the contract's operations take, by name.
// GfxWindow: is the surface ready, open a batch, show what the batch drew, release.
inline constexpr int kGfxReady = 5;
inline constexpr int kGfxOpenBatch = 2;
inline constexpr int kGfxShowBatch = 3;
inline constexpr int kGfxRelease = 1;
// GfxMetrics: the logical extents and the pixel size; GfxOption also sets the extents, then
// applies them.
inline constexpr int kGfxExtentX = 1;
inline constexpr int kGfxExtentY = 6;
inline constexpr int kGfxPixelWidth = 2;
inline constexpr int kGfxPixelHeight = 7;
inline constexpr int kGfxApplyOptions = 11;
// BrushStyle: filled or outline only. GfxBkgdMode: text cells painted in the background colour,
// or left as they are.
inline constexpr int kBrushFilled = 0;
inline constexpr int kBrushOutline = -1;
inline constexpr int kBkgdOpaque = 0;
inline constexpr int kBkgdTransparent = 1;

enum GfxPenStyle : int { kPenSolid = 0, kPenDotted = 2 };
enum GfxTextAlign : int { kAlignLeft = 0, kAlignCenter = 1, kAlignRight = 2 };

struct GfxPen {
  GfxColor color = kGfxBlack;
  int style = kPenSolid;  // kPenDotted: 3 pixels on, 3 off; any other value draws solid
};

struct GfxBrush {
  GfxColor color = kGfxWhite;
  bool filled = true;  // BrushStyle 0: filled; any other value (-1, 1): outline only
};

// Font as the views set it; sizes in the unit of the call that carries it (logical units on
// the Gfx side, pixels on the device side).
struct GfxFont {
  std::string name = "Arial/1";
  double height = 0;  // cell height
  double width = 0;   // average character width; 0 lets the face choose
  int weight = 4;     // 1 light .. 9 heavy (x 100 as a Windows font weight); 6 and up draw bold
  GfxColor color = kGfxBlack;
  GfxColor background = kGfxWhite;
  int backgroundMode = 1;  // 0: text cells painted in the background colour; else transparent
};

// One surface's device. Coordinates are pixels (fractional, the device rounds); texts UTF-8.
// Rectangles follow the Windows convention: the outline of Rect(x, y, w, h) runs along the
// pixels x .. x + w - 1 and y .. y + h - 1, so a rectangle of the surface's size outlines it.
class GfxDevice {
 public:
  virtual ~GfxDevice() = default;
  virtual int PixelWidth() const = 0;
  virtual int PixelHeight() const = 0;
  virtual void BeginBatch() {}
  virtual void EndBatch() {}  // shows what the batch drew
  virtual void Refresh() {}   // repaints the window from the off-screen picture
  virtual void Release() {}   // gives up the window and picture; later calls draw nothing
  virtual void Clear(GfxColor color) = 0;
  virtual void Line(double x0, double y0, double x1, double y1, const GfxPen& pen) = 0;
  virtual void Rect(double x, double y, double w, double h, const GfxPen& pen,
                    const GfxBrush& brush) = 0;
  virtual void Circle(double cx, double cy, double r, const GfxPen& pen, const GfxBrush& brush) = 0;
  virtual void Pixel(double x, double y, GfxColor color) = 0;
  // kGfxNoColor outside the surface.
  virtual GfxColor PixelAt(double x, double y) const = 0;
  // (x, y) is the top left of the text cell for kAlignLeft; kAlignCenter centres the text on
  // the surface's width, kAlignRight ends it at the right edge (x is then not used).
  virtual void Text(double x, double y, std::string_view utf8, int align, const GfxFont& font) = 0;
  virtual int MouseX() const { return -1; }  // pixels, -1 when the mouse is elsewhere
  virtual int MouseY() const { return -1; }
  // "CLIPBOARD" or a file name; false when the picture could not be saved, LastError() then
  // says why.
  virtual bool Save(std::string_view target) = 0;
  virtual std::string LastError() const { return {}; }
};

// The contract the views draw through, named as the drawing library's operations.
class Gfx {
 public:
  explicit Gfx(std::unique_ptr<GfxDevice> device);

  GfxDevice& Device() { return *device_; }

  int GfxWindow(int command);           // 5 ready, 2 open batch, 3 show batch, 1 release
  int GfxMetrics(int what) const;       // 1, 6: logical x, y extent; 2, 7: pixel width, height
  void GfxOption(int what, int value);  // 1, 6: logical x, y extent; 11: apply
  void GfxCLS();
  void GfxRefresh(int);

  void BrushColor(GfxColor color);
  void BrushStyle(int style);  // 0 filled, -1 outline only
  void PenColor(GfxColor color);
  void PenStyle(int style);  // 0 solid, 2 dotted

  void DrawFrom(int x, int y);
  void DrawTo(int x, int y);
  void DrawAngle(double angle, int length);  // the current point moves to the line's end
  void DrawCircle(int radius);
  void DrawRect(int width, int height);
  void DrawPixel(int x, int y, GfxColor color);
  GfxColor PixelColor(int x, int y) const;  // kGfxNoColor outside the surface
  // In: the centre; out: the point at `angle` and `distance` from it, rounded (halves to
  // even). A non-finite angle or distance leaves the centre unchanged.
  static void CalcPoint(int& x, int& y, double angle, double distance);

  void GfxFontName(std::string_view name);
  void GfxFontHeight(double height);
  void GfxFontWidth(double width);
  void GfxFontWeight(int weight);
  void GfxFontColor(GfxColor color);
  void GfxBkgdColor(GfxColor color);
  void GfxBkgdMode(int mode);
  void DrawTextRow(std::string_view utf8, int align);  // the current point does not move

  int MouseOverX() const;  // logical units, -1 outside
  int MouseOverY() const;
  bool SaveGfxScreen(std::string_view target);

  // Current point, for views that continue a path.
  int CurrentX() const { return x_; }
  int CurrentY() const { return y_; }

 private:
  double ScaleX() const;  // pixels per logical unit
  double ScaleY() const;

  std::unique_ptr<GfxDevice> device_;
  int extentX_ = 1000, extentY_ = 1000, pendingX_ = 1000, pendingY_ = 1000;
  int x_ = 0, y_ = 0;
  GfxPen pen_;
  GfxBrush brush_;
  GfxFont font_;
};

// One batch for the life of a scope: opened when made, shown when the scope ends (an early
// return included), so a view's drawing appears at once.
class GfxBatch {
 public:
  explicit GfxBatch(Gfx& gfx) : gfx_(gfx) { gfx_.GfxWindow(kGfxOpenBatch); }
  ~GfxBatch() { gfx_.GfxWindow(kGfxShowBatch); }
  GfxBatch(const GfxBatch&) = delete;
  GfxBatch& operator=(const GfxBatch&) = delete;

 private:
  Gfx& gfx_;
};

// Set-up of a fresh surface: logical extents with 1000 on the shorter side, white filled
// brush, cleared.
void SetUpSurface(Gfx& gfx);

// Clipboard copy of the whole surface with the black outline the picture carries.
bool CopySurfaceToClipboard(Gfx& gfx);

}  // namespace lobrix
