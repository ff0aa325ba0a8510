// Controls for native tests: a map from id to the state a real control would hold, and a log
// of every call that changed something, so a test can drive a handler and then read the
// dialog as the user would see it, or check what was done in which order.
//
// Positions in texts are bytes here (the fields the handlers edit hold ASCII digits).
#pragma once

#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls/controls.h"

namespace lobrix {

struct FakeControl {
  ControlRow row;  // as created; texts of the row are not kept up to date
  std::string text;
  std::vector<std::string> items;
  int selection = -1;
  bool enabled = true;
  bool visible = true;
  TextRange editSelection;
  std::string tooltip;
  std::vector<int> partEdges;
  std::map<int, std::string> partTexts;
};

// The keyboard focus is one per program: fakes that share one of these see a focus given to
// a control of another dialog take it away from theirs.
struct FakeFocus {
  const void* dialog = nullptr;
  int id = 0;
};

class FakeControls final : public Controls {
 public:
  explicit FakeControls(FakeFocus* sharedFocus = nullptr)
      : focus_(sharedFocus ? sharedFocus : &ownFocus_) {}

  std::map<int, FakeControl> controls;
  std::vector<std::string> log;  // e.g. "SetText 10  045", "Focus 16", "EndDialog 1"
  std::string caption;
  bool dialogVisible = true;
  std::map<int, int> timers;  // id -> milliseconds, while running
  std::optional<int> endResult;

  // The control `id`, or nullptr.
  const FakeControl* Find(int id) const;
  // What a user's typing leaves: the text, the caret (or selection) and, in a combo box, no
  // current list item any more (a Windows drop-down combo box has none once the user edited
  // its text). SetText, the program's own change, keeps the list selection.
  void Type(int id, std::string_view text, TextRange caret);
  std::string PartText(int id, int part) const;

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
  bool DialogVisible() const override { return dialogVisible; }
  void StartTimer(int id, int milliseconds) override;
  void StopTimer(int id) override;
  void EndDialog(int result) override;

 private:
  FakeControl* Get(int id);
  void Log(std::string_view call, int id, std::string_view detail = {});

  FakeFocus ownFocus_;
  FakeFocus* focus_;
};

}  // namespace lobrix
