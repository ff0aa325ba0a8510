#include "platform/win32/dialog_procedure.h"

#include <commctrl.h>

namespace lobrix {
namespace {

enum class SenderClass { kNone, kButton, kEdit, kCombo };

SenderClass ClassOf(HWND window) {
  wchar_t name[32] = {};
  if (window == nullptr || GetClassNameW(window, name, 32) == 0) return SenderClass::kNone;
  if (lstrcmpiW(name, L"Button") == 0) return SenderClass::kButton;
  if (lstrcmpiW(name, L"Edit") == 0) return SenderClass::kEdit;
  if (lstrcmpiW(name, L"ComboBox") == 0) return SenderClass::kCombo;
  return SenderClass::kNone;
}

std::optional<ControlEventKind> CommandKind(SenderClass sender, unsigned code) {
  switch (sender) {
    case SenderClass::kNone:    // Enter, Escape and the close box come without a control
    case SenderClass::kButton:  // when the dialog has no button with their id
      if (code == BN_CLICKED) return ControlEventKind::kClicked;
      break;
    case SenderClass::kEdit:
      if (code == EN_CHANGE) return ControlEventKind::kEditChanged;
      if (code == EN_SETFOCUS) return ControlEventKind::kSetFocus;
      if (code == EN_KILLFOCUS) return ControlEventKind::kKillFocus;
      break;
    case SenderClass::kCombo:
      if (code == CBN_SELCHANGE) return ControlEventKind::kSelectionChanged;
      if (code == CBN_EDITUPDATE) return ControlEventKind::kComboEditChanged;
      if (code == CBN_SETFOCUS) return ControlEventKind::kSetFocus;
      if (code == CBN_KILLFOCUS) return ControlEventKind::kKillFocus;
      break;
  }
  return std::nullopt;
}

}  // namespace

std::optional<ControlEvent> EventOf(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      const auto kind = CommandKind(ClassOf(reinterpret_cast<HWND>(lParam)), HIWORD(wParam));
      if (!kind) return std::nullopt;
      return ControlEvent{LOWORD(wParam), *kind};
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header == nullptr) return std::nullopt;
      const int id = static_cast<int>(header->idFrom);
      if (header->code == static_cast<UINT>(TCN_SELCHANGING)) {
        return ControlEvent{id, ControlEventKind::kTabChanging};
      }
      if (header->code == static_cast<UINT>(TCN_SELCHANGE)) {
        return ControlEvent{id, ControlEventKind::kTabChanged};
      }
      return std::nullopt;
    }
    case WM_TIMER:
      return ControlEvent{static_cast<int>(wParam), ControlEventKind::kTimer};
    case WM_SETCURSOR:
      if (HIWORD(lParam) != WM_MOUSEMOVE) return std::nullopt;
      return ControlEvent{kGraphicAreaId, ControlEventKind::kMouseMove};
    case WM_PARENTNOTIFY:
      if (LOWORD(wParam) != WM_LBUTTONDOWN) return std::nullopt;
      return ControlEvent{kGraphicAreaId, ControlEventKind::kMouseClick,
                          static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    default:
      return std::nullopt;
  }
}

INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
  }
  auto* handlers = reinterpret_cast<DialogHandlers*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (handlers == nullptr) return FALSE;

  if (message == WM_INITDIALOG) {
    if (handlers->init) handlers->init(dialog);
    return FALSE;  // the handlers have put the focus where it belongs
  }
  INT_PTR result = FALSE;
  if (handlers->message && handlers->message(dialog, message, wParam, lParam, result)) {
    return result;
  }
  if (message == WM_DESTROY) {
    if (handlers->destroy) handlers->destroy(dialog);
    SetWindowLongPtrW(dialog, DWLP_USER, 0);
    return FALSE;
  }
  if (const auto event = EventOf(message, wParam, lParam); event && handlers->event) {
    handlers->event(*event);
    return message == WM_COMMAND || message == WM_TIMER ? TRUE : FALSE;
  }
  return FALSE;
}

}  // namespace lobrix
