#include "editor_web/web_app.h"

#include <string>

#include "editor/code_page.h"
#include "editor/editor_run.h"
#include "editor/main_dialog.h"
#include "editor/main_dialog_layout.h"
#include "editor/page_handlers.h"
#include "editor/page_layouts.h"
#include "editor/status_bar.h"
#include "editor_web/page_calls.h"
#include "platform/web/dialog_units.h"
#include "platform/web/web_calls.h"

namespace lobrix {
namespace {

// The graphic area's surface lies inside its sunken edge, as on Windows.
constexpr int kAreaInset = 3;
constexpr char kPageCanvas[] = "page-canvas";

const char* PageName(int page) {
  static constexpr const char* kNames[] = {"p0", "p1", "p2", "p3"};
  return kNames[page];
}

const ControlRow* FindRow(std::span<const ControlRow> rows, int id) {
  for (const ControlRow& row : rows) {
    if (row.id == id) return &row;
  }
  return nullptr;
}

// A new surface over the graphic area of `page`, the previous one given up.
Gfx* NewPageSurface(WebEditor& editor, int page) {
  if (editor.pageSurface) editor.pageSurface->GfxWindow(kGfxRelease);
  editor.pageSurface.reset();
  editor.pageDevice = nullptr;
  editor.ui.surface = nullptr;
  const ControlRow* area = FindRow(PageRows(page), kGraphicArea);
  if (area == nullptr) return nullptr;
  const DialogRect r = DialogToPixels(area->rect);
  lobrix_canvas_place(kPageCanvas, PageName(page), r.x + kAreaInset, r.y + kAreaInset);
  auto device = std::make_unique<SurfaceCanvas>(kPageCanvas, r.width - 2 * kAreaInset,
                                                r.height - 2 * kAreaInset);
  if (!device->Opened()) return nullptr;
  editor.pageDevice = device.get();
  editor.pageSurface = std::make_unique<Gfx>(std::move(device));
  SetUpSurface(*editor.pageSurface);
  return editor.pageSurface.get();
}

// What ends the main dialog on Windows: the Kathrein button opens the conversion panel here;
// Close leaves the page as it is (a browser tab is closed by the browser).
void MainDialogEnded(WebEditor& editor, int result) {
  if (result == kDialogConversion) OpenConversionPanel(editor);
}

// The dialogs' elements: the main dialog at the page's top left, the pages inside the tab
// control as Windows places the page dialogs in it.
void PlaceDialogs() {
  const DialogRect main = DialogToPixels(kMainDialogRect);
  lobrix_dialog_place("main", 0, 0, main.width, main.height);
  const DialogRect tab = DialogToPixels(MainDialogRows()[0].rect);
  const DialogRect page = DialogToPixels(kPageRect);
  for (int p = 0; p < 4; ++p) {
    lobrix_dialog_place(PageName(p), tab.x + page.x, tab.y + page.y, page.width, page.height);
  }
}

void MakeDialogs(WebEditor& editor) {
  editor.main = std::make_unique<ControlsDom>(
      "main", [&editor](int result) { MainDialogEnded(editor, result); });
  editor.ui = EditorUi{};
  editor.ui.main = editor.main.get();
  for (std::size_t p = 0; p < 4; ++p) {
    editor.pages[p] = std::make_unique<ControlsDom>(PageName(static_cast<int>(p)), nullptr);
    editor.ui.pages[p] = editor.pages[p].get();
  }
  editor.ui.newSurface = [&editor](int page) { return NewPageSurface(editor, page); };
  editor.ui.buildPage = [&editor](int page) { BuildPageContent(editor.state, editor.ui, page); };
  editor.ui.showHelp = [](const HelpBox& box) {
    lobrix_show_message(box.caption.c_str(), box.text.c_str());
  };
}

}  // namespace

WebEditor& WebEditorInstance() {
  static WebEditor editor;
  return editor;
}

void StartWebEditor(WebEditor& editor) {
  EditorState& state = editor.state;
  state.pageHandlers = {};
  state.views = {};
  MakeDialogs(editor);
  PlaceDialogs();
  CreateControls(*editor.main, MainDialogRows(), state.language);
  editor.main->Create({.id = kStatusBar, .kind = ControlKind::kStatusBar}, state.language);
  StartMainDialog(state, editor.ui);
  lobrix_status_note(editor.note.c_str());
}

void WebDialogEvent(WebEditor& editor, int dialog, ControlEvent event) {
  if (dialog == kWebConversionDialog) {
    if (!editor.conversion || !editor.conversionOpen) return;
    const bool converts = event.kind == ControlEventKind::kClicked &&
                          event.id == kConversionButton &&
                          editor.conversion->IsEnabled(kConversionButton);
    ConversionWindowEvent(editor.conversionState, editor.pattern, editor.conversionUi, event);
    if (converts) AfterConversion(editor);
    return;
  }
  ControlsDom* controls = dialog == kWebMainDialog
                              ? editor.main.get()
                              : dialog >= 1 && dialog <= 4
                                    ? editor.pages[static_cast<std::size_t>(dialog - 1)].get()
                                    : nullptr;
  if (controls == nullptr) return;
  if (event.kind == ControlEventKind::kComboEditChanged) controls->UserTyped(event.id);
  if (event.kind == ControlEventKind::kSelectionChanged ||
      event.kind == ControlEventKind::kTabChanged) {
    if (event.x >= -1) controls->UserSelected(event.id, event.x);
    event.x = -1;
  }
  if (dialog == kWebMainDialog) {
    const double start = lobrix_now();
    MainDialogEvent(editor.state, editor.ui, event);
    if (event.kind == ControlEventKind::kTabChanged) editor.lastRedrawMs = lobrix_now() - start;
    return;
  }
  PageEvent(editor.state, editor.ui, dialog - 1, event);
}

void WebPageMouse(WebEditor& editor, int kind, int x, int y) {
  if (editor.pageDevice == nullptr) return;
  if (kind < 0) {
    editor.pageDevice->SetMouse(-1, -1);
    return;
  }
  editor.pageDevice->SetMouse(x, y);
  const auto eventKind =
      kind == 1 ? ControlEventKind::kMouseClick : ControlEventKind::kMouseMove;
  PageEvent(editor.state, editor.ui, editor.state.activePage,
            {kGraphicArea, eventKind, x, y});
}

void SwitchWebLanguage(WebEditor& editor, int language) {
  if (!editor.main) return;  // not started yet
  if (editor.conversionOpen) CloseConversionPanel(editor, 0);
  editor.main->StopTimer(kOpeningTimer);
  if (editor.pageSurface) editor.pageSurface->GfxWindow(kGfxRelease);
  editor.pageSurface.reset();
  editor.pageDevice = nullptr;
  editor.conversion.reset();
  lobrix_reset_page();
  editor.state.language = language;
  editor.settings.WriteSetting("Web", "Language", language == kEnglish ? "en" : "cs");
  StartWebEditor(editor);
}

}  // namespace lobrix
