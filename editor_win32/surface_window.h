// What the editor's dialogs with a drawing surface (the main dialog and the conversion window)
// do alike: the one surface they show at a time, made over a pixel rectangle of the dialog and
// given back before the next, repainted with the dialog, and an owner window that follows the
// dialog down to the task bar and back.
#pragma once

#include <windows.h>

#include <memory>

#include "platform/gfx/gfx.h"

namespace lobrix {

// A surface as a child window of `parent` at the pixel rectangle (right and bottom exclusive),
// put at `zOrder` among its siblings (HWND_TOP, HWND_BOTTOM) and set up for drawing; nullptr
// when it cannot be made.
std::unique_ptr<Gfx> MakeWindowSurface(HWND parent, const RECT& pixels, HWND zOrder);

// Gives the surface's window back and forgets the surface; nothing when there is none.
void ReleaseWindowSurface(std::unique_ptr<Gfx>& surface);

// WM_PAINT shows `surface` again; WM_SYSCOMMAND minimises or restores `owner` with the dialog.
// Always false: the dialog then handles the message as usual (it paints itself).
bool SurfaceWindowMessage(UINT message, WPARAM wParam, Gfx* surface, HWND owner);

}  // namespace lobrix
