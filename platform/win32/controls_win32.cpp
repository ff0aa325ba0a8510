#include "platform/win32/controls_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "platform/win32/dialog_template.h"
#include "platform/win32/label_wrap.h"
#include "platform/win32/module_handle.h"
#include "platform/win32/wide_text.h"

namespace lobrix {
namespace {

enum class ItemClass { kOther, kCombo, kTab, kEdit, kStatusBar };

ItemClass ClassOf(HWND window) {
  wchar_t name[64] = {};
  if (window == nullptr || GetClassNameW(window, name, 64) == 0) return ItemClass::kOther;
  if (lstrcmpiW(name, L"ComboBox") == 0) return ItemClass::kCombo;
  if (lstrcmpiW(name, WC_TABCONTROLW) == 0) return ItemClass::kTab;
  if (lstrcmpiW(name, L"Edit") == 0) return ItemClass::kEdit;
  if (lstrcmpiW(name, STATUSCLASSNAMEW) == 0) return ItemClass::kStatusBar;
  return ItemClass::kOther;
}

LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return window ? SendMessageW(window, message, wParam, lParam) : 0;
}

// A dialog-unit rectangle in pixels of `dialog`, each value converted by itself as the dialog
// manager converts a template item's position and size.
RECT ToPixels(HWND dialog, const DialogRect& r) {
  RECT pixels{r.x, r.y, r.width, r.height};
  MapDialogRect(dialog, &pixels);
  return pixels;
}

// Margins of one pixel each side in the edit part of an editable combo box. The edit takes its
// margins from the font (EC_USEFONTINFO): none to speak of for the bitmap "MS Sans Serif" the
// fields were laid out with, 3 pixels a side for the TrueType face that stands in for it where
// that font is missing (Wine's prefixes map it to Liberation Sans). The narrow fields of the code
// pages have room for " 000" or " 00" only without those 6 pixels: with them the text scrolls
// and shows cut (" 10" as "1"). One pixel a side keeps the caret clear of the border.
void SetSlimEditMargins(HWND combo) {
  const HWND edit = combo ? GetWindow(combo, GW_CHILD) : nullptr;
  if (edit == nullptr) return;
  SendMessageW(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(1, 1));
}

}  // namespace

void ControlsWin32::Detach() {
  tooltip_.Reset();
  pictures_.clear();
  labelTexts_.clear();
  dialog_ = nullptr;
}

HWND ControlsWin32::Item(int id) const {
  return dialog_ ? GetDlgItem(dialog_, id) : nullptr;
}

void ControlsWin32::SetPicture(HWND button, std::string_view picture) {
  if (button == nullptr || picture.empty()) return;
  GdiObject bitmap(static_cast<HGDIOBJ>(
      LoadImageW(ThisModule(), Widen(picture).c_str(), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
  if (!bitmap) return;
  SendMessageW(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap.Get()));
  pictures_.push_back(std::move(bitmap));
}

void ControlsWin32::LoadPictures(std::span<const ControlRow> rows) {
  for (const ControlRow& row : rows) {
    if (row.kind == ControlKind::kPictureButton) SetPicture(Item(row.id), row.picture);
    if (row.kind == ControlKind::kComboDropDown) SetSlimEditMargins(Item(row.id));
  }
}

void ControlsWin32::Create(const ControlRow& row, int language) {
  if (dialog_ == nullptr || Item(row.id) != nullptr) return;
  const ControlWindowKind kind = ControlWindowFor(row);
  const RECT r = ToPixels(dialog_, row.rect);
  const HWND window =
      CreateWindowExW(kind.exStyle, kind.className, Widen(Pick(row.text, language)).c_str(),
                      kind.style, r.left, r.top, r.right, r.bottom, dialog_,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), ThisModule(), nullptr);
  if (window == nullptr) return;
  // The dialog's own font, as the controls of its template have.
  SendMessageW(window, WM_SETFONT, static_cast<WPARAM>(Send(dialog_, WM_GETFONT)), FALSE);
  if (row.kind == ControlKind::kPictureButton) SetPicture(window, row.picture);
  if (row.kind == ControlKind::kComboDropDown) SetSlimEditMargins(window);
  if (IsWrappingLabel(window)) SetText(row.id, Pick(row.text, language));
  const std::string_view tip = Pick(row.tooltip, language);
  if (!tip.empty()) SetTooltip(row.id, tip);
}

void ControlsWin32::Destroy(int id) {
  if (const HWND window = Item(id)) DestroyWindow(window);
  labelTexts_.erase(id);
}

bool ControlsWin32::Exists(int id) const {
  return Item(id) != nullptr;
}

std::string ControlsWin32::Text(int id) const {
  const HWND window = Item(id);
  const auto label = labelTexts_.find(id);
  if (window != nullptr && label != labelTexts_.end()) return label->second;
  return WindowText(window);
}

void ControlsWin32::SetText(int id, std::string_view text) {
  const HWND window = Item(id);
  if (window == nullptr) return;
  if (IsWrappingLabel(window)) {
    SetLabelText(window, Widen(text));
    labelTexts_[id] = std::string(text);
  } else {
    SetWindowTextW(window, Widen(text).c_str());
  }
}

void ControlsWin32::ClearItems(int id) {
  const HWND window = Item(id);
  switch (ClassOf(window)) {
    case ItemClass::kCombo:
      Send(window, CB_RESETCONTENT);
      break;
    case ItemClass::kTab:
      Send(window, TCM_DELETEALLITEMS);
      break;
    default:
      break;
  }
}

void ControlsWin32::AddItem(int id, std::string_view text) {
  const HWND window = Item(id);
  std::wstring wide = Widen(text);
  switch (ClassOf(window)) {
    case ItemClass::kCombo:
      Send(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
      break;
    case ItemClass::kTab: {
      TCITEMW item{};
      item.mask = TCIF_TEXT | TCIF_IMAGE;
      item.pszText = wide.data();
      item.iImage = -1;
      Send(window, TCM_INSERTITEMW, static_cast<WPARAM>(Send(window, TCM_GETITEMCOUNT)),
           reinterpret_cast<LPARAM>(&item));
      break;
    }
    default:
      break;
  }
}

int ControlsWin32::ItemCount(int id) const {
  const HWND window = Item(id);
  switch (ClassOf(window)) {
    case ItemClass::kCombo:
      return std::max(static_cast<int>(Send(window, CB_GETCOUNT)), 0);
    case ItemClass::kTab:
      return static_cast<int>(Send(window, TCM_GETITEMCOUNT));
    default:
      return 0;
  }
}

std::string ControlsWin32::ItemText(int id, int index) const {
  const HWND window = Item(id);
  if (index < 0 || index >= ItemCount(id)) return {};
  switch (ClassOf(window)) {
    case ItemClass::kCombo: {
      const auto length = Send(window, CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
      if (length <= 0) return {};
      std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1);
      Send(window, CB_GETLBTEXT, static_cast<WPARAM>(index),
           reinterpret_cast<LPARAM>(buffer.data()));
      return Narrow(buffer.data());
    }
    case ItemClass::kTab: {
      wchar_t buffer[256] = {};
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = buffer;
      item.cchTextMax = 256;
      Send(window, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
      return Narrow(item.pszText);
    }
    default:
      return {};
  }
}

int ControlsWin32::Selection(int id) const {
  const HWND window = Item(id);
  switch (ClassOf(window)) {
    case ItemClass::kCombo:
      return static_cast<int>(Send(window, CB_GETCURSEL));
    case ItemClass::kTab:
      return static_cast<int>(Send(window, TCM_GETCURSEL));
    default:
      return -1;
  }
}

void ControlsWin32::Select(int id, int index) {
  const HWND window = Item(id);
  switch (ClassOf(window)) {
    case ItemClass::kCombo:
      Send(window, CB_SETCURSEL, static_cast<WPARAM>(index));
      break;
    case ItemClass::kTab:
      Send(window, TCM_SETCURSEL, static_cast<WPARAM>(index));
      break;
    default:
      break;
  }
}

void ControlsWin32::Enable(int id, bool enabled) {
  if (const HWND window = Item(id)) EnableWindow(window, enabled ? TRUE : FALSE);
}

bool ControlsWin32::IsEnabled(int id) const {
  const HWND window = Item(id);
  return window != nullptr && IsWindowEnabled(window) != FALSE;
}

void ControlsWin32::Show(int id, bool visible) {
  if (const HWND window = Item(id)) ShowWindow(window, visible ? SW_SHOW : SW_HIDE);
}

bool ControlsWin32::IsVisible(int id) const {
  const HWND window = Item(id);
  return window != nullptr && (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

void ControlsWin32::Focus(int id) {
  if (const HWND window = Item(id)) SetFocus(window);
}

int ControlsWin32::FocusedId() const {
  // The focus may sit in a child of the control, as in a combo box's edit part.
  HWND window = GetFocus();
  while (window != nullptr && GetParent(window) != dialog_) window = GetParent(window);
  return window ? GetDlgCtrlID(window) : 0;
}

TextRange ControlsWin32::EditSelection(int id) const {
  const HWND window = Item(id);
  DWORD start = 0, end = 0;
  switch (ClassOf(window)) {
    case ItemClass::kEdit:
      Send(window, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
      break;
    case ItemClass::kCombo:
      Send(window, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
      break;
    default:
      break;
  }
  return {static_cast<int>(start), static_cast<int>(end)};
}

void ControlsWin32::SetEditSelection(int id, TextRange range) {
  const HWND window = Item(id);
  switch (ClassOf(window)) {
    case ItemClass::kEdit:
      Send(window, EM_SETSEL, static_cast<WPARAM>(range.start), range.end);
      break;
    case ItemClass::kCombo:
      Send(window, CB_SETEDITSEL, 0, MAKELPARAM(range.start, range.end));
      break;
    default:
      break;
  }
}

void ControlsWin32::SetTooltip(int id, std::string_view text) {
  AddTooltip(dialog_, tooltip_, id, text);
}

void ControlsWin32::SetStatusParts(int id, std::span<const int> rightEdges) {
  std::vector<int> edges(rightEdges.begin(), rightEdges.end());
  Send(Item(id), SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

void ControlsWin32::SetPartText(int id, int part, std::string_view text) {
  const std::wstring wide = Widen(text);
  Send(Item(id), SB_SETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(wide.c_str()));
}

void ControlsWin32::SetCaption(std::string_view text) {
  if (dialog_) SetWindowTextW(dialog_, Widen(text).c_str());
}

void ControlsWin32::ShowDialog(bool visible) {
  if (dialog_) ShowWindow(dialog_, visible ? SW_SHOW : SW_HIDE);
}

bool ControlsWin32::DialogVisible() const {
  return dialog_ != nullptr && IsWindowVisible(dialog_) != FALSE;
}

void ControlsWin32::StartTimer(int id, int milliseconds) {
  if (dialog_)
    SetTimer(dialog_, static_cast<UINT_PTR>(id), static_cast<UINT>(milliseconds), nullptr);
}

void ControlsWin32::StopTimer(int id) {
  if (dialog_) KillTimer(dialog_, static_cast<UINT_PTR>(id));
}

void ControlsWin32::EndDialog(int result) {
  if (dialog_) ::EndDialog(dialog_, result);
}

void AddTooltip(HWND dialog, WindowHandle& tooltip, int id, std::string_view text) {
  if (dialog == nullptr) return;
  const HWND control = GetDlgItem(dialog, id);
  if (control == nullptr) return;
  if (!tooltip) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE));
    tooltip.Reset(CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, TTS_ALWAYSTIP, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr,
                                  instance, nullptr));
    if (!tooltip) return;
  }
  std::wstring wide = Widen(text);
  TOOLINFOW info{};
  info.cbSize = TTTOOLINFOW_V2_SIZE;  // understood by every version of the common controls
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS | TTF_DI_SETITEM;
  info.hwnd = dialog;
  info.uId = reinterpret_cast<UINT_PTR>(control);
  info.lpszText = wide.data();
  // A control given a new text keeps one tool.
  SendMessageW(tooltip.Get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  SendMessageW(tooltip.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace lobrix
