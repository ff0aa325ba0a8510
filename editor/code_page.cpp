#include "editor/code_page.h"

#include "editor/code_type.h"
#include "editor/main_dialog_layout.h"
#include "editor/page_layouts.h"
#include "editor/parameter_fields.h"
#include "editor/parameter_panel.h"
#include "editor/status_bar.h"
#include "render/horizontal_views.h"
#include "render/vertical_views.h"

namespace lobrix {

namespace {

constexpr TextPair kDecibelScaleText{"&dB scale", "&dB meřítko"};
constexpr TextPair kLinearScaleText{"&Lin scale", "&Lin meřítko"};
constexpr TextPair kGraphText{"&Graph", "&Graf"};
constexpr TextPair kTableText{"&Table", "&Tabulka"};
constexpr TextPair kXYGraphText{"&X ,Y graph", "&X ,Y graf"};
constexpr TextPair kPolarGraphText{"&Polar graph", "&Polární graf"};

bool IsCodePage(int page) {
  return page == 0 || page == 1;
}

CodePageMemory& Memory(EditorState& state, int page) {
  return state.pageHandlers.codePages[static_cast<std::size_t>(page)];
}

Controls* PageControls(EditorUi& ui, int page) {
  return ui.pages[static_cast<std::size_t>(page)];
}

std::string SelectedItem(const Controls& c, int id) {
  return c.ItemText(id, c.Selection(id));
}

// A field's text as a list choice sees it: the selected item, or the edit text without one.
std::string ListText(const Controls& c, int id) {
  return c.Selection(id) >= 0 ? SelectedItem(c, id) : c.Text(id);
}

// As typing sees it: the edit text, or the selected item while the edit part is empty.
std::string TypedText(const Controls& c, int id) {
  std::string text = c.Text(id);
  return text.empty() ? SelectedItem(c, id) : text;
}

void Fill(Controls& c, int id, const ComboContent& content) {
  c.ClearItems(id);
  for (const std::string& item : content.items) c.AddItem(id, item);
  c.Select(id, content.selected);
  c.Enable(id, content.enabled);
}

// The page's view at the geometry of its last full drawing. The surface is the one of the
// page drawn last: a page that is not on top has nothing to redraw.
void RedrawCodeView(EditorState& state, EditorUi& ui, int page) {
  if (ui.surface == nullptr || state.activePage != page) return;
  if (page == 0) {
    ShowHorizontalView(*ui.surface, state, state.views);
  } else {
    ShowVerticalView(*ui.surface, state, state.views);
  }
}

void CodeChanged(EditorState& state, EditorUi& ui, int page) {
  RedrawCodeView(state, ui, page);
  if (ui.main != nullptr) RefreshStatus("dia", state, *ui.main, kStatusBar);
}

// After a toggle: field 10 takes the focus unless the code has no parameters.
void FocusFieldUnlessOmni(EditorState& state, EditorUi& ui, int page) {
  Controls* c = PageControls(ui, page);
  if (c != nullptr && PageCode(state, page) != kOmniCode) c->Focus(kNumberField);
}

}  // namespace

std::string& PageCode(EditorState& state, int page) {
  return page == 1 ? state.vCode : state.hCode;
}

void BuildCodePage(EditorState& state, EditorUi& ui, int page) {
  Controls* c = IsCodePage(page) ? PageControls(ui, page) : nullptr;
  if (c == nullptr) return;
  Memory(state, page) = {};
  // A panel left from an earlier build goes: the page's panel is built anew for its code.
  for (int id = kFirstPanelControl; id <= kLastPanelControl; ++id) {
    if (c->Exists(id)) c->Destroy(id);
  }
  for (const ControlRow& row : PageRows(page)) {
    if (!c->Exists(row.id)) c->Create(row, state.language);
    if (row.id == kSecondField) BuildParameterPanel(state, ui, page, PageCode(state, page));
  }
  // The table and X-Y views are complete: the view button is in use.
  c->Enable(kViewButton, true);
  AddTooltips(*c, PageRows(page), state.language);
}

void BuildParameterPanel(EditorState& state, EditorUi& ui, int page, std::string_view code) {
  Controls* c = IsCodePage(page) ? PageControls(ui, page) : nullptr;
  if (c == nullptr) return;
  CodePageMemory& memory = Memory(state, page);
  const int oldClass = TypeClass(FieldValue(SelectedItem(*c, kTypeField)));

  const ParameterFieldContents fields = ParameterFieldsFor(code);
  memory.rewriting = true;
  Fill(*c, kNumberField, fields.number);
  Fill(*c, kTypeField, fields.type);
  Fill(*c, kSecondField, fields.second);
  memory.rewriting = false;

  const int newClass = TypeClass(code.substr(std::min<std::size_t>(3, code.size()), 2));
  if (memory.panelBuilt && PanelUnchanged(oldClass, newClass)) return;
  for (int id = kFirstPanelControl; id <= memory.lastPanelId; ++id) c->Destroy(id);
  const auto rows = PanelRows(newClass);
  for (const ControlRow& row : rows) c->Create(row, state.language);
  memory.lastPanelId = rows.back().id;
  memory.panelBuilt = true;
}

void ChooseCodeType(EditorState& state, EditorUi& ui, int page, int buttonId) {
  Controls* c = IsCodePage(page) ? PageControls(ui, page) : nullptr;
  if (c == nullptr) return;
  const std::string previous(FieldValue(SelectedItem(*c, kTypeField)));
  const std::string code =
      CodeForTypeButton(buttonId, previous, FieldValue(ListText(*c, kNumberField)),
                        FieldValue(ListText(*c, kSecondField)), ProcessRememberedParameters());
  if (code.empty()) return;
  PageCode(state, page) = code;
  BuildParameterPanel(state, ui, page, code);
  CodeChanged(state, ui, page);
  c->Focus(buttonId > kFirstCodeButton ? kNumberField : kScaleButton);
}

void ParameterFieldCallback(EditorState& state, EditorUi& ui, int page, const ControlEvent& event) {
  Controls* c = IsCodePage(page) ? PageControls(ui, page) : nullptr;
  const int f = event.id;
  if (c == nullptr || f < kNumberField || f > kSecondField) return;
  CodePageMemory& memory = Memory(state, page);
  switch (event.kind) {
    case ControlEventKind::kSetFocus:
      memory.focusItem = SelectedItem(*c, f);
      ui.focusPage = page;
      ui.focusId = f;
      break;
    case ControlEventKind::kSelectionChanged: {
      if (memory.rewriting) break;
      std::string item = SelectedItem(*c, f);
      if (item == memory.focusItem) break;
      ComposeCode(state, ui, page, CodeSource::kLists);
      memory.focusItem = std::move(item);
      break;
    }
    case ControlEventKind::kComboEditChanged: {
      if (memory.rewriting || f == kTypeField) break;
      const OvertypeResult r = OvertypeEntry(f, c->Text(f), c->EditSelection(f).start,
                                             FieldValue(SelectedItem(*c, kTypeField)));
      memory.rewriting = true;
      c->SetText(f, r.text);
      c->SetEditSelection(f, {r.selectionStart, r.selectionEnd});
      memory.rewriting = false;
      ComposeCode(state, ui, page, CodeSource::kTyped);
      break;
    }
    default:
      break;
  }
}

void ComposeCode(EditorState& state, EditorUi& ui, int page, CodeSource source) {
  Controls* c = IsCodePage(page) ? PageControls(ui, page) : nullptr;
  if (c == nullptr) return;
  const auto text = [&](int id) {
    return source == CodeSource::kLists ? ListText(*c, id) : TypedText(*c, id);
  };
  const auto code =
      ComposedCode(text(kNumberField), SelectedItem(*c, kTypeField), text(kSecondField));
  if (!code) return;
  PageCode(state, page) = *code;
  CodeChanged(state, ui, page);
}

void ToggleScale(EditorState& state, EditorUi& ui) {
  const bool toLinear = state.scaleMode == kScaleDecibel;
  state.scaleMode = toLinear ? kScaleLinear : kScaleDecibel;
  const TextPair& text = toLinear ? kDecibelScaleText : kLinearScaleText;
  for (int page : {0, 1}) {
    if (Controls* c = PageControls(ui, page)) c->SetText(kScaleButton, Pick(text, state.language));
  }
  if (!IsCodePage(state.activePage)) return;
  RedrawCodeView(state, ui, state.activePage);
  FocusFieldUnlessOmni(state, ui, state.activePage);
}

void ToggleView(EditorState& state, EditorUi& ui) {
  const int page = state.activePage;
  if (!IsCodePage(page)) return;
  const TextPair* text = nullptr;
  if (page == 0) {
    text = state.alternateView == 0 ? &kGraphText : &kTableText;
    state.alternateView = state.alternateView == 0 ? 1 : 0;
  } else {
    text = state.alternateView == 1 ? &kXYGraphText : &kPolarGraphText;
    state.alternateView = state.alternateView == 1 ? 0 : 1;
  }
  if (Controls* c = PageControls(ui, page)) c->SetText(kViewButton, Pick(*text, state.language));
  RedrawCodeView(state, ui, page);
  FocusFieldUnlessOmni(state, ui, page);
}

void CodePageEvent(EditorState& state, EditorUi& ui, int page, const ControlEvent& event) {
  if (event.kind == ControlEventKind::kClicked) {
    if (event.id >= kFirstCodeButton && event.id <= kLastCodeButton) {
      ChooseCodeType(state, ui, page, event.id);
    } else if (event.id == kScaleButton) {
      ToggleScale(state, ui);
    } else if (event.id == kViewButton) {
      ToggleView(state, ui);
    }
    return;
  }
  ParameterFieldCallback(state, ui, page, event);
}

}  // namespace lobrix
