#include "platform/web/controls_dom.h"

#include <cstdlib>
#include <utility>

#include "platform/web/dialog_units.h"
#include "platform/web/web_calls.h"

namespace lobrix {
namespace {

bool HasEdit(ControlKind kind) {
  return kind == ControlKind::kEdit || kind == ControlKind::kComboDropDown;
}

bool HasItems(ControlKind kind) {
  return kind == ControlKind::kComboDropDown || kind == ControlKind::kComboDropDownList ||
         kind == ControlKind::kTab;
}

}  // namespace

std::string TakeWebText(char* text) {
  if (text == nullptr) return {};
  std::string copy(text);
  std::free(text);
  return copy;
}

ControlsDom::ControlsDom(std::string dialog, std::function<void(int)> onEnd)
    : dialog_(std::move(dialog)), onEnd_(std::move(onEnd)) {}

ControlsDom::Control* ControlsDom::Get(int id) {
  const auto found = controls_.find(id);
  return found == controls_.end() ? nullptr : &found->second;
}

const ControlsDom::Control* ControlsDom::Get(int id) const {
  const auto found = controls_.find(id);
  return found == controls_.end() ? nullptr : &found->second;
}

void ControlsDom::UserTyped(int id) {
  if (Control* c = Get(id); c && c->kind == ControlKind::kComboDropDown) c->selection = -1;
}

void ControlsDom::UserSelected(int id, int index) {
  Control* c = Get(id);
  if (c == nullptr || index < -1 || index >= static_cast<int>(c->items.size())) return;
  c->selection = index;
}

void ControlsDom::Create(const ControlRow& row, int language) {
  if (Exists(row.id)) Destroy(row.id);
  const DialogRect px = DialogToPixels(row.rect);
  const std::string text(Pick(row.text, language));
  const std::string picture(row.picture);
  const bool disabled = (row.styles & kStyleDisabled) != 0;
  lobrix_control_create(dialog_.c_str(), row.id, static_cast<int>(row.kind), px.x, px.y,
                        px.width, px.height, text.c_str(), picture.c_str(), disabled ? 1 : 0);
  controls_[row.id] = Control{row.kind, {}, -1, !disabled, true};
}

void ControlsDom::Destroy(int id) {
  if (controls_.erase(id) == 0) return;
  lobrix_control_destroy(dialog_.c_str(), id);
}

bool ControlsDom::Exists(int id) const {
  return Get(id) != nullptr;
}

std::string ControlsDom::Text(int id) const {
  const Control* c = Get(id);
  if (c == nullptr) return {};
  // A drop-down list shows its chosen item, which is kept here.
  if (c->kind == ControlKind::kComboDropDownList) return ItemText(id, c->selection);
  return TakeWebText(lobrix_control_text(dialog_.c_str(), id));
}

void ControlsDom::SetText(int id, std::string_view text) {
  if (!Exists(id)) return;
  const std::string value(text);
  lobrix_control_set_text(dialog_.c_str(), id, value.c_str());
}

void ControlsDom::ClearItems(int id) {
  Control* c = Get(id);
  if (c == nullptr || !HasItems(c->kind)) return;
  c->items.clear();
  c->selection = -1;
  lobrix_control_set_items(dialog_.c_str(), id, "");
  lobrix_control_select(dialog_.c_str(), id, -1);
  // Emptying a combo box empties its edit part too.
  if (c->kind == ControlKind::kComboDropDown) SetText(id, "");
}

void ControlsDom::AddItem(int id, std::string_view text) {
  Control* c = Get(id);
  if (c == nullptr || !HasItems(c->kind)) return;
  c->items.emplace_back(text);
  lobrix_control_add_item(dialog_.c_str(), id, c->items.back().c_str());
}

int ControlsDom::ItemCount(int id) const {
  const Control* c = Get(id);
  return c ? static_cast<int>(c->items.size()) : 0;
}

std::string ControlsDom::ItemText(int id, int index) const {
  const Control* c = Get(id);
  if (c == nullptr || index < 0 || index >= static_cast<int>(c->items.size())) return {};
  return c->items[static_cast<std::size_t>(index)];
}

int ControlsDom::Selection(int id) const {
  const Control* c = Get(id);
  return c ? c->selection : -1;
}

void ControlsDom::Select(int id, int index) {
  Control* c = Get(id);
  if (c == nullptr || !HasItems(c->kind)) return;
  c->selection = index >= 0 && index < static_cast<int>(c->items.size()) ? index : -1;
  lobrix_control_select(dialog_.c_str(), id, c->selection);
  // A drop-down combo box shows the chosen item in its edit part, or nothing without one.
  if (c->kind == ControlKind::kComboDropDown) {
    SetText(id, c->selection >= 0 ? c->items[static_cast<std::size_t>(c->selection)] : "");
  }
}

void ControlsDom::Enable(int id, bool enabled) {
  Control* c = Get(id);
  if (c == nullptr) return;
  c->enabled = enabled;
  lobrix_control_enable(dialog_.c_str(), id, enabled ? 1 : 0);
}

bool ControlsDom::IsEnabled(int id) const {
  const Control* c = Get(id);
  return c != nullptr && c->enabled;
}

void ControlsDom::Show(int id, bool visible) {
  Control* c = Get(id);
  if (c == nullptr) return;
  c->visible = visible;
  lobrix_control_show(dialog_.c_str(), id, visible ? 1 : 0);
}

bool ControlsDom::IsVisible(int id) const {
  const Control* c = Get(id);
  return c != nullptr && c->visible && visible_;
}

void ControlsDom::Focus(int id) {
  if (Exists(id)) lobrix_control_focus(dialog_.c_str(), id);
}

int ControlsDom::FocusedId() const {
  const int id = lobrix_control_focused(dialog_.c_str());
  return Exists(id) ? id : 0;
}

TextRange ControlsDom::EditSelection(int id) const {
  const Control* c = Get(id);
  if (c == nullptr || !HasEdit(c->kind)) return {};
  return {lobrix_control_edit_selection(dialog_.c_str(), id, 0),
          lobrix_control_edit_selection(dialog_.c_str(), id, 1)};
}

void ControlsDom::SetEditSelection(int id, TextRange range) {
  const Control* c = Get(id);
  if (c == nullptr || !HasEdit(c->kind)) return;
  lobrix_control_set_edit_selection(dialog_.c_str(), id, range.start, range.end);
}

void ControlsDom::SetTooltip(int id, std::string_view text) {
  if (!Exists(id)) return;
  const std::string value(text);
  lobrix_control_tooltip(dialog_.c_str(), id, value.c_str());
}

void ControlsDom::SetStatusParts(int id, std::span<const int> rightEdges) {
  std::string edges;
  for (int edge : rightEdges) {
    if (!edges.empty()) edges += ',';
    edges += std::to_string(edge);
  }
  lobrix_status_parts(dialog_.c_str(), id, edges.c_str());
}

void ControlsDom::SetPartText(int id, int part, std::string_view text) {
  const std::string value(text);
  lobrix_status_text(dialog_.c_str(), id, part, value.c_str());
}

void ControlsDom::SetCaption(std::string_view text) {
  const std::string value(text);
  lobrix_dialog_caption(dialog_.c_str(), value.c_str());
}

void ControlsDom::ShowDialog(bool visible) {
  visible_ = visible;
  lobrix_dialog_show(dialog_.c_str(), visible ? 1 : 0);
}

void ControlsDom::StartTimer(int id, int milliseconds) {
  lobrix_timer_start(dialog_.c_str(), id, milliseconds);
}

void ControlsDom::StopTimer(int id) {
  lobrix_timer_stop(dialog_.c_str(), id);
}

void ControlsDom::EndDialog(int result) {
  if (onEnd_) onEnd_(result);
}

}  // namespace lobrix
