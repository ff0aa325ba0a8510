// The control interface over a real dialog: each call finds the child window with the id and
// sends it the message of its class (edit, combo box, tab control, status bar, button). Texts
// go through the wide API, so Czech shows right whatever the system code page is.
#pragma once

#include <windows.h>

#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls/controls.h"
#include "platform/win32/win_handle.h"

namespace lobrix {

class ControlsWin32 final : public Controls {
 public:
  ControlsWin32() = default;
  ControlsWin32(const ControlsWin32&) = delete;
  ControlsWin32& operator=(const ControlsWin32&) = delete;

  // The dialog whose controls these are; calls before Attach, or after Detach, do nothing.
  void Attach(HWND dialog) { dialog_ = dialog; }
  // When the dialog goes: its tooltip window and the pictures of its buttons go with it.
  void Detach();
  HWND Dialog() const { return dialog_; }
  HWND Item(int id) const;

  // Puts the bitmap resource named by each picture row onto its button, and gives the edit
  // part of each editable combo box the slim margins its text needs.
  void LoadPictures(std::span<const ControlRow> rows);

  void Create(const ControlRow& row, int language) override;
  void Destroy(int id) override;
  bool Exists(int id) const override;
  std::string Text(int id) const override;
  void SetText(int id, std::string_view text) override;
  void ClearItems(int id) override;
  void AddItem(int id, std::string_view text) override;
  int ItemCount(int id) const override;
  std::string ItemText(int id, int index) const override;
  int Selection(int id) const override;
  void Select(int id, int index) override;
  void Enable(int id, bool enabled) override;
  bool IsEnabled(int id) const override;
  void Show(int id, bool visible) override;
  bool IsVisible(int id) const override;
  void Focus(int id) override;
  int FocusedId() const override;
  TextRange EditSelection(int id) const override;
  void SetEditSelection(int id, TextRange range) override;
  void SetTooltip(int id, std::string_view text) override;
  void SetStatusParts(int id, std::span<const int> rightEdges) override;
  void SetPartText(int id, int part, std::string_view text) override;
  void SetCaption(std::string_view text) override;
  void ShowDialog(bool visible) override;
  bool DialogVisible() const override;
  void StartTimer(int id, int milliseconds) override;
  void StopTimer(int id) override;
  void EndDialog(int result) override;

 private:
  void SetPicture(HWND button, std::string_view picture);

  HWND dialog_ = nullptr;
  WindowHandle tooltip_;             // one tooltip window serves every control of the dialog
  std::vector<GdiObject> pictures_;  // the bitmaps on the picture buttons
  // The texts of wrapping labels as given: the windows hold them broken into lines.
  std::map<int, std::string> labelTexts_;
};

// Gives control `id` of `dialog` a tooltip: the dialog's tooltip window (made on first use,
// style TTS_ALWAYSTIP, owned by the dialog) gets the control's window as a tool with the text.
// Nothing when the dialog is 0 or the tooltip window cannot be made.
void AddTooltip(HWND dialog, WindowHandle& tooltip, int id, std::string_view text);

}  // namespace lobrix
