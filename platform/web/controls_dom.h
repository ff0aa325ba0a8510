// The Controls contract on the page's DOM elements: every control of a dialog is an element
// with the id "ctl-<dialog>-<control id>", placed where the control table puts it (dialog
// units mapped as Windows maps them). Buttons and picture buttons are <button>s, edit boxes
// and the edit part of a combo box <input>s, a drop-down list a <select>, the tab control a
// row of <button>s; tooltips are title attributes. The items and the list selection are kept
// here, the texts, edit selections and focus are read from the page, so what the user typed
// is what the handlers see.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/controls/controls.h"

namespace lobrix {

class ControlsDom final : public Controls {
 public:
  // `dialog`: the short name in the element ids ("main", "p0", "conv"); `onEnd` receives
  // EndDialog's result.
  ControlsDom(std::string dialog, std::function<void(int)> onEnd);

  const std::string& Name() const { return dialog_; }
  // The user typed in the edit part of combo box `id`: a drop-down combo box then has no
  // current list item any more, as on Windows.
  void UserTyped(int id);
  // The user chose item `index` of combo box or tab control `id` on the page.
  void UserSelected(int id, int index);

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
  bool DialogVisible() const override { return visible_; }
  void StartTimer(int id, int milliseconds) override;
  void StopTimer(int id) override;
  void EndDialog(int result) override;

 private:
  struct Control {
    ControlKind kind = ControlKind::kLabel;
    std::vector<std::string> items;
    int selection = -1;
    bool enabled = true;
    bool visible = true;
  };
  Control* Get(int id);
  const Control* Get(int id) const;

  std::string dialog_;
  std::function<void(int)> onEnd_;
  std::map<int, Control> controls_;
  bool visible_ = true;
};

// The text a JavaScript function returned, its memory given back; empty for none.
std::string TakeWebText(char* text);

}  // namespace lobrix
