// One dialog procedure for every dialog of the editor: it turns the Windows notifications of
// the controls into (id, event) pairs for the portable handlers and leaves the few messages
// only the platform can answer (painting, colours, the system menu) to a hook of the dialog.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>

#include "platform/controls/control_event.h"

namespace lobrix {

struct DialogHandlers {
  // WM_INITDIALOG: the dialog exists with the controls of its template.
  std::function<void(HWND dialog)> init;
  // A control's notification as an event.
  std::function<void(const ControlEvent& event)> event;
  // Any message before it is turned into an event; true when it was answered (`result` is
  // then the dialog procedure's return value).
  std::function<bool(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result)>
      message;
  // WM_DESTROY, before the dialog's controls go.
  std::function<void(HWND dialog)> destroy;
};

// The dialog procedure: pass a DialogHandlers* as the creation parameter (the last argument of
// DialogBoxIndirectParamW or CreateDialogIndirectParamW); it must outlive the dialog.
INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The id of the graphic area, where the mouse events of a page are reported.
inline constexpr int kGraphicAreaId = 15;

// What a message means to the handlers, or nothing:
// - WM_COMMAND: BN_CLICKED of a button (and the commands 1 and 2 of Enter, Escape and the close
//   box), EN_CHANGE / EN_SETFOCUS / EN_KILLFOCUS of an edit box, CBN_SELCHANGE / CBN_EDITUPDATE /
//   CBN_SETFOCUS / CBN_KILLFOCUS of a combo box;
// - WM_NOTIFY: TCN_SELCHANGING and TCN_SELCHANGE of the tab control;
// - WM_TIMER: the timer's id;
// - WM_SETCURSOR for a mouse movement and WM_PARENTNOTIFY for a left button press: a mouse move
//   or click in the graphic area (the drawing surface is a child window of the page).
std::optional<ControlEvent> EventOf(UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace lobrix
