#include "editor_win32/surface_window.h"

#include <utility>

#include "platform/win32/surface_gdi.h"

namespace lobrix {

std::unique_ptr<Gfx> MakeWindowSurface(HWND parent, const RECT& pixels, HWND zOrder) {
  auto device = InitGfx(parent, pixels.left, pixels.top, pixels.right, pixels.bottom);
  if (!device) return nullptr;
  SetWindowPos(device->Window(), zOrder, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  auto surface = std::make_unique<Gfx>(std::move(device));
  SetUpSurface(*surface);
  return surface;
}

void ReleaseWindowSurface(std::unique_ptr<Gfx>& surface) {
  if (surface) surface->GfxWindow(kGfxRelease);
  surface.reset();
}

bool SurfaceWindowMessage(UINT message, WPARAM wParam, Gfx* surface, HWND owner) {
  switch (message) {
    case WM_PAINT:
      if (surface) surface->GfxRefresh(0);
      return false;
    case WM_SYSCOMMAND:
      if (owner) {
        if ((wParam & 0xFFF0) == SC_MINIMIZE) ShowWindow(owner, SW_MINIMIZE);
        if ((wParam & 0xFFF0) == SC_RESTORE) ShowWindow(owner, SW_RESTORE);
      }
      return false;
    default:
      return false;
  }
}

}  // namespace lobrix
