// The main dialog with its four pages on fake controls and recording surfaces, opened the way
// the Windows side opens it, for the page handlers' tests.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "editor/main_dialog.h"
#include "editor/main_dialog_layout.h"
#include "editor/page_handlers.h"
#include "editor/page_layouts.h"
#include "editor/parameter_fields.h"
#include "platform/fake/fake_controls.h"
#include "platform/fake/recording_device.h"
#include "render/page_drawing.h"

namespace lobrix {

struct PagesFixture {
  explicit PagesFixture(std::string hCode = "000ND00", std::string vCode = "000ND00", int page = 0,
                        int language = kEnglish) {
    ProcessRememberedParameters() = {};
    state.hCode = std::move(hCode);
    state.vCode = std::move(vCode);
    state.activePage = page;
    state.language = language;
    CreateControls(main, MainDialogRows(), language);
    main.Create({.id = kStatusBar, .kind = ControlKind::kStatusBar}, language);
    ui.main = &main;
    for (int p = 0; p < 4; ++p) ui.pages[static_cast<std::size_t>(p)] = &pages[p];
    ui.newSurface = [this](int p) {
      const PixelSize size = GraphicAreaPixels(p);
      auto device = std::make_unique<RecordingDevice>(size.width, size.height);
      recording = device.get();
      surfaces.push_back(std::make_unique<Gfx>(std::move(device)));
      SetUpSurface(*surfaces.back());
      return surfaces.back().get();
    };
    ui.buildPage = [this](int p) { BuildPageContent(state, ui, p); };
    StartMainDialog(state, ui);
    ClearLogs();
  }

  void ClearLogs() {
    main.log.clear();
    for (FakeControls& p : pages) p.log.clear();
    if (recording) recording->ClearRecords();
  }

  void Event(int page, int id, ControlEventKind kind) { PageEvent(state, ui, page, {id, kind}); }
  void Click(int page, int id) { Event(page, id, ControlEventKind::kClicked); }

  void SwitchTo(int page) {
    MainDialogEvent(state, ui, {kTabControl, ControlEventKind::kTabChanging});
    main.Select(kTabControl, page);
    MainDialogEvent(state, ui, {kTabControl, ControlEventKind::kTabChanged});
  }

  // The user puts the focus into a field (by Tab or a click).
  void FocusField(int page, int id) {
    pages[page].Focus(id);
    Event(page, id, ControlEventKind::kSetFocus);
  }

  void LeaveField(int page, int id) { Event(page, id, ControlEventKind::kKillFocus); }

  // One key typed into field `id` as its edit box takes it: the key replaces the selection and
  // the caret stands after it; then the field's change notification.
  void TypeKey(int page, int id, char key) {
    FakeControls& c = pages[page];
    const FakeControl* field = c.Find(id);
    ASSERT_NE(field, nullptr);
    const std::string& text = field->text;
    const auto start = static_cast<std::size_t>(
        std::min<int>(field->editSelection.start, static_cast<int>(text.size())));
    const auto end = static_cast<std::size_t>(std::clamp<int>(
        field->editSelection.end, static_cast<int>(start), static_cast<int>(text.size())));
    const std::string typed = text.substr(0, start) + key + text.substr(end);
    const int caret = static_cast<int>(start) + 1;
    c.Type(id, typed, {caret, caret});
    const bool combo = field->row.kind == ControlKind::kComboDropDown;
    Event(page, id, combo ? ControlEventKind::kComboEditChanged : ControlEventKind::kEditChanged);
  }

  void TypeKeys(int page, int id, const std::string& keys) {
    for (char key : keys) TypeKey(page, id, key);
  }

  // The user selects the whole text of a field, so that the next key replaces it.
  void SelectAll(int page, int id) {
    pages[page].SetEditSelection(id, {0, static_cast<int>(Text(page, id).size())});
  }

  // The mouse over the surface of the page drawn last, at logical (x, y).
  void SetMouse(int x, int y) {
    const Gfx& gfx = *surfaces.back();
    recording->SetMouse(static_cast<int>(std::lround(x * gfx.GfxMetrics(kGfxPixelWidth) /
                                                     double(gfx.GfxMetrics(kGfxExtentX)))),
                        static_cast<int>(std::lround(y * gfx.GfxMetrics(kGfxPixelHeight) /
                                                     double(gfx.GfxMetrics(kGfxExtentY)))));
  }

  std::string Text(int page, int id) const { return pages[page].Text(id); }
  std::vector<std::string> Items(int page, int id) const {
    const FakeControl* c = pages[page].Find(id);
    return c ? c->items : std::vector<std::string>{};
  }
  std::string Status(int part) const { return main.PartText(kStatusBar, part); }
  // Drawing calls on the surface of the page drawn last since the last ClearLogs.
  std::size_t Drawn() const { return recording ? recording->records.size() : 0; }

  EditorState state;
  FakeFocus focus;
  FakeControls main{&focus};
  FakeControls pages[4]{FakeControls(&focus), FakeControls(&focus), FakeControls(&focus),
                        FakeControls(&focus)};
  EditorUi ui;
  std::vector<std::unique_ptr<Gfx>> surfaces;
  RecordingDevice* recording = nullptr;
};

}  // namespace lobrix
