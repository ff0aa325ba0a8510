#include "platform/win32/surface_gdi.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string_view>

#include "platform/gfx/pixel_round.h"
#include "platform/win32/module_handle.h"
#include "text/text_decode.h"

namespace lobrix {
namespace {

constexpr wchar_t kClassName[] = L"LobrixGfxSurface";
constexpr int kMaxSide = 16384;  // a page's graphic area is a few hundred pixels

std::wstring Wide(std::string_view utf8) {
  const std::u16string text = EncodeUtf16(DecodeText(utf8));
  return std::wstring(text.begin(), text.end());
}

// Registers the surface's window class. A class left behind by an earlier load of the DLL at
// another address would call a stale window procedure: it is replaced.
bool RegisterSurfaceClass(HINSTANCE module, WNDPROC procedure) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(module, kClassName, &existing)) {
    if (existing.lpfnWndProc == procedure) return true;
    UnregisterClassW(kClassName, module);
  }
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = procedure;
  wc.hInstance = module;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.lpszClassName = kClassName;
  return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// The brush of a filled shape, or the stock hollow brush (which is never deleted).
HGDIOBJ BrushFor(const GfxBrush& brush, GdiObject& made) {
  if (!brush.filled) return GetStockObject(NULL_BRUSH);
  made.Reset(CreateSolidBrush(brush.color));
  return made.Get();
}

// "Arial/1" names the face "Arial"; a face name holds at most 31 characters.
std::wstring FaceName(std::string_view name) {
  std::wstring face = Wide(name.substr(0, name.find('/')));
  if (face.size() >= LF_FACESIZE) face.resize(LF_FACESIZE - 1);
  return face;
}

}  // namespace

std::unique_ptr<SurfaceGdi> InitGfx(HWND parent, int left, int top, int right, int bottom) {
  const long long width = static_cast<long long>(right) - left;
  const long long height = static_cast<long long>(bottom) - top;
  if (parent == nullptr || !IsWindow(parent) || width <= 0 || height <= 0 || width > kMaxSide ||
      height > kMaxSide) {
    return nullptr;
  }
  std::unique_ptr<SurfaceGdi> surface(new SurfaceGdi());
  if (!surface->CreatePicture(static_cast<int>(width), static_cast<int>(height)) ||
      !surface->CreateWindowOn(parent, left, top)) {
    return nullptr;
  }
  return surface;
}

std::unique_ptr<SurfaceGdi> MakePictureGdi(int width, int height, double penScale) {
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return nullptr;
  std::unique_ptr<SurfaceGdi> surface(new SurfaceGdi());
  if (!surface->CreatePicture(width, height)) return nullptr;
  surface->penWidth_ = std::isfinite(penScale) && penScale >= 1
                           ? static_cast<int>(std::lround(std::min(penScale, 64.0)))
                           : 1;
  return surface;
}

// The picture: a top-down 32-bit DIB section selected into a memory DC, cleared white.
bool SurfaceGdi::CreatePicture(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  dc_.Reset(CreateCompatibleDC(nullptr));
  if (!bitmap_ || !dc_ || bits == nullptr) return false;
  bitmapSelection_ = SelectedObject(dc_.Get(), bitmap_.Get());
  bits_ = static_cast<std::uint32_t*>(bits);
  width_ = width;
  height_ = height;
  SetBkMode(dc_.Get(), TRANSPARENT);  // the gaps of dotted lines stay as they are
  Clear(kGfxWhite);
  return true;
}

// The child window that shows the picture on the page.
bool SurfaceGdi::CreateWindowOn(HWND parent, int left, int top) {
  const HINSTANCE module = ThisModule();
  if (!RegisterSurfaceClass(module, &SurfaceGdi::WindowProc)) return false;
  window_.Reset(CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, left,
                                top, width_, height_, parent, nullptr, module, nullptr));
  if (!window_) return false;
  SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  Show();
  return true;
}

// A pen one pixel wide, or for an enlarged picture a geometric pen of its width: solid with
// round ends, so that the short lines of a curve join without corners standing out; dotted 3
// widths on and 3 off, as PS_DOT's pixels scaled up. `insideFrame`: a solid outline kept
// inside the shape's rectangle.
GdiObject SurfaceGdi::MakePen(const GfxPen& pen, bool insideFrame) const {
  const bool dotted = pen.style == kPenDotted;
  if (penWidth_ <= 1) return GdiObject(CreatePen(dotted ? PS_DOT : PS_SOLID, 1, pen.color));
  const LOGBRUSH brush{BS_SOLID, pen.color, 0};
  const DWORD width = static_cast<DWORD>(penWidth_);
  if (dotted) {
    const DWORD dashes[2] = {3 * width, 3 * width};
    return GdiObject(ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT | PS_JOIN_MITER,
                                  width, &brush, 2, dashes));
  }
  return GdiObject(ExtCreatePen(PS_GEOMETRIC | (insideFrame ? PS_INSIDEFRAME : PS_SOLID) |
                                    PS_ENDCAP_ROUND | PS_JOIN_ROUND,
                                width, &brush, 0, nullptr));
}

SurfaceGdi::~SurfaceGdi() {
  Release();
}

void SurfaceGdi::Release() {
  if (window_) SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, 0);
  window_.Reset();
  bitmapSelection_.Restore();
  dc_.Reset();
  bitmap_.Reset();
  bits_ = nullptr;
  width_ = height_ = 0;
}

LRESULT CALLBACK SurfaceGdi::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* surface = reinterpret_cast<SurfaceGdi*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the picture covers the whole window
    case WM_PAINT: {
      const PaintScope paint(window);
      if (surface != nullptr && surface->dc_) {
        GdiFlush();
        BitBlt(paint.Dc(), 0, 0, surface->width_, surface->height_, surface->dc_.Get(), 0, 0,
               SRCCOPY);
      }
      return 0;
    }
    default:
      // Mouse messages go on to the default handling, which passes WM_SETCURSOR to the page and
      // tells it of clicks with WM_PARENTNOTIFY.
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

void SurfaceGdi::BeginBatch() {
  ++batchDepth_;
}

void SurfaceGdi::EndBatch() {
  batchDepth_ = std::max(batchDepth_ - 1, 0);
  Show();
}

void SurfaceGdi::Refresh() {
  Show();
}

void SurfaceGdi::Show() {
  if (!window_) return;
  InvalidateRect(window_.Get(), nullptr, FALSE);
  UpdateWindow(window_.Get());
}

void SurfaceGdi::Drawn() {
  if (window_ && batchDepth_ == 0) InvalidateRect(window_.Get(), nullptr, FALSE);
}

void SurfaceGdi::Clear(GfxColor color) {
  if (!dc_) return;
  GdiObject brush(CreateSolidBrush(color));
  const RECT all{0, 0, width_, height_};
  FillRect(dc_.Get(), &all, static_cast<HBRUSH>(brush.Get()));
  Drawn();
}

void SurfaceGdi::Line(double x0, double y0, double x1, double y1, const GfxPen& pen) {
  if (!dc_) return;
  GdiObject gdiPen = MakePen(pen);
  SelectedObject selected(dc_.Get(), gdiPen.Get());
  MoveToEx(dc_.Get(), RoundToPixel(x0), RoundToPixel(y0), nullptr);
  LineTo(dc_.Get(), RoundToPixel(x1), RoundToPixel(y1));
  Drawn();
}

void SurfaceGdi::Rect(double x, double y, double w, double h, const GfxPen& pen,
                      const GfxBrush& brush) {
  if (!dc_) return;
  GdiObject gdiPen = MakePen(pen, true), made;
  SelectedObject selectedPen(dc_.Get(), gdiPen.Get());
  SelectedObject selectedBrush(dc_.Get(), BrushFor(brush, made));
  Rectangle(dc_.Get(), RoundToPixel(x), RoundToPixel(y), RoundToPixel(x + w), RoundToPixel(y + h));
  Drawn();
}

void SurfaceGdi::Circle(double cx, double cy, double r, const GfxPen& pen, const GfxBrush& brush) {
  if (!dc_) return;
  GdiObject gdiPen = MakePen(pen), made;
  SelectedObject selectedPen(dc_.Get(), gdiPen.Get());
  SelectedObject selectedBrush(dc_.Get(), BrushFor(brush, made));
  const int x = RoundToPixel(cx), y = RoundToPixel(cy), radius = RoundToPixel(std::abs(r));
  // GDI leaves out the right and bottom edge of the bounding box: one more keeps the circle
  // centred on its pixel.
  Ellipse(dc_.Get(), x - radius, y - radius, x + radius + 1, y + radius + 1);
  Drawn();
}

void SurfaceGdi::Pixel(double x, double y, GfxColor color) {
  if (!dc_) return;
  const int px = RoundToPixel(x), py = RoundToPixel(y);
  if (penWidth_ <= 1) {
    SetPixelV(dc_.Get(), px, py, color);
  } else {
    // A dot as wide as the pens, from the pixel right and down, as the cairo surface puts it.
    GdiObject brush(CreateSolidBrush(color));
    const RECT dot{px, py, px + penWidth_, py + penWidth_};
    FillRect(dc_.Get(), &dot, static_cast<HBRUSH>(brush.Get()));
  }
  Drawn();
}

const std::uint32_t* SurfaceGdi::Pixels() const {
  GdiFlush();
  return bits_;
}

GfxColor SurfaceGdi::PixelAt(double x, double y) const {
  const int px = RoundToPixel(x), py = RoundToPixel(y);
  if (bits_ == nullptr || px < 0 || py < 0 || px >= width_ || py >= height_) return kGfxNoColor;
  GdiFlush();
  const std::uint32_t pixel = bits_[static_cast<std::size_t>(py) * width_ + px];
  return GfxRgb(static_cast<int>(pixel >> 16 & 0xFF), static_cast<int>(pixel >> 8 & 0xFF),
                static_cast<int>(pixel & 0xFF));
}

// Font height is the cell height (a positive lfHeight), width the average character width.
void SurfaceGdi::Text(double x, double y, std::string_view utf8, int align, const GfxFont& font) {
  const int height = RoundToPixel(font.height);
  if (!dc_ || height < 1) return;
  const std::wstring face = FaceName(font.name);
  GdiObject gdiFont(CreateFontW(height, std::max(RoundToPixel(font.width), 0), 0, 0,
                                std::clamp(font.weight, 0, 9) * 100, FALSE, FALSE, FALSE,
                                DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, face.c_str()));
  if (!gdiFont) return;
  SelectedObject selected(dc_.Get(), gdiFont.Get());
  const std::wstring text = Wide(utf8);
  const int length = static_cast<int>(std::min<std::size_t>(text.size(), 8192));
  SIZE extent{};
  GetTextExtentPoint32W(dc_.Get(), text.c_str(), length, &extent);
  int left = RoundToPixel(x);
  if (align == kAlignCenter) left = (width_ - extent.cx) / 2;
  if (align == kAlignRight) left = width_ - extent.cx;
  SetTextAlign(dc_.Get(), TA_LEFT | TA_TOP | TA_NOUPDATECP);
  SetTextColor(dc_.Get(), font.color);
  SetBkColor(dc_.Get(), font.background);
  SetBkMode(dc_.Get(), font.backgroundMode == 0 ? OPAQUE : TRANSPARENT);
  TextOutW(dc_.Get(), left, RoundToPixel(y), text.c_str(), length);
  SetBkMode(dc_.Get(), TRANSPARENT);
  Drawn();
}

POINT SurfaceGdi::Mouse() const {
  POINT p{-1, -1};
  if (!window_ || !GetCursorPos(&p) || !ScreenToClient(window_.Get(), &p) || p.x < 0 || p.y < 0 ||
      p.x >= width_ || p.y >= height_) {
    return POINT{-1, -1};
  }
  return p;
}

int SurfaceGdi::MouseX() const {
  return static_cast<int>(Mouse().x);
}
int SurfaceGdi::MouseY() const {
  return static_cast<int>(Mouse().y);
}

std::string SurfaceGdi::PackedDib() const {
  GdiFlush();
  const std::size_t stride = (static_cast<std::size_t>(width_) * 3 + 3) & ~std::size_t{3};
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width_;
  header.biHeight = height_;  // bottom row first
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biSizeImage = static_cast<DWORD>(stride * static_cast<std::size_t>(height_));
  std::string dib(sizeof header + header.biSizeImage, '\0');
  std::memcpy(dib.data(), &header, sizeof header);
  for (int row = 0; row < height_; ++row) {
    const std::uint32_t* source = bits_ + static_cast<std::size_t>(height_ - 1 - row) * width_;
    char* target = dib.data() + sizeof header + static_cast<std::size_t>(row) * stride;
    for (int x = 0; x < width_; ++x) {
      std::memcpy(target + 3 * x, &source[x], 3);  // blue, green, red
    }
  }
  return dib;
}

bool SurfaceGdi::Save(std::string_view target) {
  lastError_.clear();
  if (!dc_) {
    lastError_ = "the drawing surface has been released";
    return false;
  }
  if (target == "CLIPBOARD") {
    const std::string dib = PackedDib();
    GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, dib.size()));
    void* locked = memory ? GlobalLock(memory.Get()) : nullptr;
    if (locked == nullptr) {
      lastError_ = "not enough memory for the clipboard picture";
      return false;
    }
    std::memcpy(locked, dib.data(), dib.size());
    GlobalUnlock(memory.Get());
    ClipboardLock clipboard(window_.Get());
    if (!clipboard.IsOpen() || !EmptyClipboard() ||
        SetClipboardData(CF_DIB, memory.Get()) == nullptr) {
      lastError_ = "the clipboard cannot be written (error " + std::to_string(GetLastError()) + ")";
      return false;
    }
    memory.Release();  // the clipboard owns it now
    return true;
  }
  const std::string path(target);
  if (path.size() < 4 || _stricmp(path.c_str() + path.size() - 4, ".bmp") != 0) {
    lastError_ = "cannot save the picture as \"" + path + "\": use CLIPBOARD or a .bmp file";
    return false;
  }
  return SaveBmp(path);
}

bool SurfaceGdi::SaveBmp(const std::string& path) {
  const std::string dib = PackedDib();
  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;  // "BM"
  header.bfOffBits = sizeof header + sizeof(BITMAPINFOHEADER);
  header.bfSize = static_cast<DWORD>(sizeof header + dib.size());
  const std::wstring widePath = Wide(path);
  const HANDLE created = CreateFileW(widePath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
  FileHandle file(created == INVALID_HANDLE_VALUE ? nullptr : created);
  DWORD written = 0, writtenDib = 0;
  const bool ok =
      file && WriteFile(file.Get(), &header, sizeof header, &written, nullptr) &&
      WriteFile(file.Get(), dib.data(), static_cast<DWORD>(dib.size()), &writtenDib, nullptr) &&
      written == sizeof header && writtenDib == dib.size();
  if (!ok) {
    lastError_ = "cannot write \"" + path + "\" (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  return true;
}

}  // namespace lobrix
