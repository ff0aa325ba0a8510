#include "platform/fake/fake_controls.h"

#include <algorithm>

namespace lobrix {
namespace {

bool IsCombo(const FakeControl& c) {
  return c.row.kind == ControlKind::kComboDropDown || c.row.kind == ControlKind::kComboDropDownList;
}

int Clamp(int value, int low, int high) {
  return std::max(low, std::min(value, high));
}

}  // namespace

const FakeControl* FakeControls::Find(int id) const {
  const auto it = controls.find(id);
  return it == controls.end() ? nullptr : &it->second;
}

FakeControl* FakeControls::Get(int id) {
  const auto it = controls.find(id);
  return it == controls.end() ? nullptr : &it->second;
}

void FakeControls::Log(std::string_view call, int id, std::string_view detail) {
  std::string line(call);
  line += ' ';
  line += std::to_string(id);
  if (!detail.empty()) {
    line += ' ';
    line += detail;
  }
  log.push_back(std::move(line));
}

void FakeControls::Type(int id, std::string_view text, TextRange caret) {
  FakeControl* c = Get(id);
  if (!c) return;
  c->text = text;
  if (IsCombo(*c)) c->selection = -1;
  const int size = static_cast<int>(c->text.size());
  c->editSelection = {Clamp(caret.start, 0, size), Clamp(caret.end, 0, size)};
  Log("Type", id, text);
}

std::string FakeControls::PartText(int id, int part) const {
  const FakeControl* c = Find(id);
  if (!c) return {};
  const auto it = c->partTexts.find(part);
  return it == c->partTexts.end() ? std::string() : it->second;
}

void FakeControls::Create(const ControlRow& row, int language) {
  FakeControl c;
  c.row = row;
  c.text = Pick(row.text, language);
  c.tooltip = Pick(row.tooltip, language);
  c.enabled = (row.styles & kStyleDisabled) == 0;
  controls[row.id] = std::move(c);
  Log("Create", row.id);
}

void FakeControls::Destroy(int id) {
  if (controls.erase(id) == 0) return;
  if (focus_->dialog == this && focus_->id == id) *focus_ = {};
  Log("Destroy", id);
}

bool FakeControls::Exists(int id) const {
  return Find(id) != nullptr;
}

std::string FakeControls::Text(int id) const {
  const FakeControl* c = Find(id);
  return c ? c->text : std::string();
}

void FakeControls::SetText(int id, std::string_view text) {
  FakeControl* c = Get(id);
  if (!c) return;
  c->text = text;
  c->editSelection = {};
  Log("SetText", id, text);
}

void FakeControls::ClearItems(int id) {
  FakeControl* c = Get(id);
  if (!c) return;
  c->items.clear();
  c->selection = -1;
  if (IsCombo(*c)) c->text.clear();  // emptying a combo box empties its edit part too
  Log("ClearItems", id);
}

void FakeControls::AddItem(int id, std::string_view text) {
  FakeControl* c = Get(id);
  if (!c) return;
  c->items.emplace_back(text);
  Log("AddItem", id, text);
}

int FakeControls::ItemCount(int id) const {
  const FakeControl* c = Find(id);
  return c ? static_cast<int>(c->items.size()) : 0;
}

std::string FakeControls::ItemText(int id, int index) const {
  const FakeControl* c = Find(id);
  if (!c || index < 0 || index >= static_cast<int>(c->items.size())) return {};
  return c->items[static_cast<std::size_t>(index)];
}

int FakeControls::Selection(int id) const {
  const FakeControl* c = Find(id);
  return c ? c->selection : -1;
}

void FakeControls::Select(int id, int index) {
  FakeControl* c = Get(id);
  if (!c) return;
  const bool inRange = index >= 0 && index < static_cast<int>(c->items.size());
  c->selection = inRange ? index : -1;
  if (IsCombo(*c)) c->text = inRange ? c->items[static_cast<std::size_t>(index)] : std::string();
  Log("Select", id, std::to_string(c->selection));
}

void FakeControls::Enable(int id, bool enabled) {
  FakeControl* c = Get(id);
  if (!c) return;
  c->enabled = enabled;
  Log(enabled ? "Enable" : "Disable", id);
}

bool FakeControls::IsEnabled(int id) const {
  const FakeControl* c = Find(id);
  return c && c->enabled;
}

void FakeControls::Show(int id, bool visible) {
  FakeControl* c = Get(id);
  if (!c) return;
  c->visible = visible;
  Log(visible ? "Show" : "Hide", id);
}

bool FakeControls::IsVisible(int id) const {
  const FakeControl* c = Find(id);
  return c && c->visible;
}

void FakeControls::Focus(int id) {
  const FakeControl* c = Find(id);
  // A disabled or missing window does not take the keyboard focus.
  if (!c || !c->enabled) return;
  *focus_ = {this, id};
  Log("Focus", id);
}

int FakeControls::FocusedId() const {
  return focus_->dialog == this ? focus_->id : 0;
}

TextRange FakeControls::EditSelection(int id) const {
  const FakeControl* c = Find(id);
  return c ? c->editSelection : TextRange{};
}

void FakeControls::SetEditSelection(int id, TextRange range) {
  FakeControl* c = Get(id);
  if (!c) return;
  const int size = static_cast<int>(c->text.size());
  c->editSelection = {Clamp(range.start, 0, size), Clamp(range.end, 0, size)};
  Log("SetEditSelection", id,
      std::to_string(c->editSelection.start) + "," + std::to_string(c->editSelection.end));
}

void FakeControls::SetTooltip(int id, std::string_view text) {
  FakeControl* c = Get(id);
  if (!c) return;
  c->tooltip = text;
  Log("SetTooltip", id, text);
}

void FakeControls::SetStatusParts(int id, std::span<const int> rightEdges) {
  FakeControl* c = Get(id);
  if (!c) return;
  c->partEdges.assign(rightEdges.begin(), rightEdges.end());
  Log("SetStatusParts", id, std::to_string(rightEdges.size()));
}

void FakeControls::SetPartText(int id, int part, std::string_view text) {
  FakeControl* c = Get(id);
  if (!c) return;
  c->partTexts[part] = text;
  Log("SetPartText", id, std::to_string(part) + " " + std::string(text));
}

void FakeControls::SetCaption(std::string_view text) {
  caption = text;
  Log("SetCaption", 0, text);
}

void FakeControls::ShowDialog(bool visible) {
  dialogVisible = visible;
  Log(visible ? "ShowDialog" : "HideDialog", 0);
}

void FakeControls::StartTimer(int id, int milliseconds) {
  timers[id] = milliseconds;
  Log("StartTimer", id, std::to_string(milliseconds));
}

void FakeControls::StopTimer(int id) {
  if (timers.erase(id) != 0) Log("StopTimer", id);
}

void FakeControls::EndDialog(int result) {
  endResult = result;
  Log("EndDialog", result);
}

}  // namespace lobrix
