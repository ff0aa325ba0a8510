// Move-only owners of Win32 handles: each frees its handle once, when it goes or is reset.
#pragma once

#include <windows.h>

#include <utility>

namespace lobrix {

template <typename T, typename Free>
class WinHandle {
 public:
  WinHandle() = default;
  explicit WinHandle(T handle) : handle_(handle) {}
  WinHandle(WinHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  WinHandle& operator=(WinHandle&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  WinHandle(const WinHandle&) = delete;
  WinHandle& operator=(const WinHandle&) = delete;
  ~WinHandle() { Reset(); }

  T Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  T Release() { return std::exchange(handle_, nullptr); }  // the caller owns it from now on
  void Reset(T handle = nullptr) {
    if (handle_ != nullptr) Free{}(handle_);
    handle_ = handle;
  }

 private:
  T handle_ = nullptr;
};

struct DestroyWindowFn {
  void operator()(HWND h) const { DestroyWindow(h); }
};
struct DeleteDcFn {
  void operator()(HDC h) const { DeleteDC(h); }
};
struct DeleteObjectFn {
  void operator()(HGDIOBJ h) const { DeleteObject(h); }
};
struct CloseHandleFn {
  void operator()(HANDLE h) const { CloseHandle(h); }
};
struct GlobalFreeFn {
  void operator()(HGLOBAL h) const { GlobalFree(h); }
};
struct RegCloseKeyFn {
  void operator()(HKEY h) const { RegCloseKey(h); }
};

using WindowHandle = WinHandle<HWND, DestroyWindowFn>;
using DcHandle = WinHandle<HDC, DeleteDcFn>;
using GdiObject = WinHandle<HGDIOBJ, DeleteObjectFn>;  // pens, brushes, fonts, bitmaps
using FileHandle = WinHandle<HANDLE, CloseHandleFn>;   // nullptr, never INVALID_HANDLE_VALUE
using GlobalMemory = WinHandle<HGLOBAL, GlobalFreeFn>;
using RegistryKey = WinHandle<HKEY, RegCloseKeyFn>;

// An object selected into a device context for as long as this lives; the object that was
// there before is put back at the end, so the selected one may then be deleted.
class SelectedObject {
 public:
  SelectedObject() = default;
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  SelectedObject(SelectedObject&& other) noexcept
      : dc_(std::exchange(other.dc_, nullptr)),
        previous_(std::exchange(other.previous_, nullptr)) {}
  SelectedObject& operator=(SelectedObject&& other) noexcept {
    if (this != &other) {
      Restore();
      dc_ = std::exchange(other.dc_, nullptr);
      previous_ = std::exchange(other.previous_, nullptr);
    }
    return *this;
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  ~SelectedObject() { Restore(); }

  void Restore() {
    if (dc_ != nullptr && previous_ != nullptr && previous_ != HGDI_ERROR) {
      SelectObject(dc_, previous_);
    }
    dc_ = nullptr;
    previous_ = nullptr;
  }

 private:
  HDC dc_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

// The device context of a WM_PAINT, from BeginPaint to EndPaint.
class PaintScope {
 public:
  explicit PaintScope(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  ~PaintScope() { EndPaint(window_, &paint_); }
  HDC Dc() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// The device context of a window's client area, from GetDC to ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// The clipboard, open for as long as this lives. Another program may hold it for a moment,
// so opening is tried a few times.
class ClipboardLock {
 public:
  explicit ClipboardLock(HWND owner) {
    for (int attempt = 0; attempt < 10 && !open_; ++attempt) {
      open_ = OpenClipboard(owner) != FALSE;
      if (!open_) Sleep(10);
    }
  }
  ClipboardLock(const ClipboardLock&) = delete;
  ClipboardLock& operator=(const ClipboardLock&) = delete;
  ~ClipboardLock() {
    if (open_) CloseClipboard();
  }
  bool IsOpen() const { return open_; }

 private:
  bool open_ = false;
};

}  // namespace lobrix
