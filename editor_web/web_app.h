// The editor on the page: the main dialog with its four pages and the conversion panel, run by
// the same portable handlers as the Windows dialogs, on the DOM controls and canvas surfaces of
// platform/web. One instance lives for the page's life (WebEditor()).
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "editor/conversion_window.h"
#include "editor/editor_state.h"
#include "editor/editor_ui.h"
#include "platform/controls/control_event.h"
#include "platform/web/controls_dom.h"
#include "platform/web/settings_local_storage.h"
#include "platform/web/surface_canvas.h"

namespace lobrix {

// Dialog numbers of the page's events: 0 the main dialog, 1 to 4 pages 0 to 3, 5 the
// conversion panel.
inline constexpr int kWebMainDialog = 0;
inline constexpr int kWebConversionDialog = 5;

// The codes and directions of the last conversion on the page.
struct WebConversionResult {
  std::string hCode, vCode;
  float aziMax = 0, eleMax = 0;
};

// The best-fit searches after a conversion, one criterion a step.
struct WebBestFits {
  int next = -1;  // the criterion searched next; -1: none pending
  KathreinConversion classic;
  std::string text;
  double milliseconds = 0;
};

struct WebEditor {
  EditorState state;
  EditorUi ui;
  std::unique_ptr<ControlsDom> main;
  std::array<std::unique_ptr<ControlsDom>, 4> pages;
  std::unique_ptr<Gfx> pageSurface;
  SurfaceCanvas* pageDevice = nullptr;  // the device of pageSurface

  // The conversion panel works on its own state: only "Results transfer" changes the editor's.
  EditorState conversionState;
  KathreinPattern pattern;
  ConversionUi conversionUi;
  std::unique_ptr<ControlsDom> conversion;
  std::unique_ptr<Gfx> conversionSurface;
  bool conversionOpen = false;
  std::optional<WebConversionResult> lastConversion;
  WebBestFits bestFits;

  SettingsLocalStorage settings;
  std::string note;  // what the address did not give, kept across a change of language
  double lastRedrawMs = 0;
  double lastFitMs = 0;
};

WebEditor& WebEditorInstance();

// Builds the main dialog and its pages in state.language and draws the page on top.
void StartWebEditor(WebEditor& editor);
// A DOM event of dialog `dialog` (kWebMainDialog .. kWebConversionDialog); for a list choice
// or a tab, event.x is the chosen item.
void WebDialogEvent(WebEditor& editor, int dialog, ControlEvent event);
// The mouse over the page's canvas at (x, y) in its pixels; kind -1: it left the canvas.
void WebPageMouse(WebEditor& editor, int kind, int x, int y);
// Everything built again in `language`, the antenna kept; the conversion panel closes.
void SwitchWebLanguage(WebEditor& editor, int language);

// The conversion panel (editor_web/conversion_panel.cpp).
void OpenConversionPanel(WebEditor& editor);
void CloseConversionPanel(WebEditor& editor, int result);
// The bytes of a pattern file the user chose or dropped, read by the lenient reader.
void TakePatternFile(WebEditor& editor, std::string_view bytes, std::string_view name);
// A file that is not read, with the reason shown in the message box.
void RefusePatternFile(WebEditor& editor, std::string_view name, std::string_view reason);
// After the Conversion button: the result kept, the best fits asked for.
void AfterConversion(WebEditor& editor);
// The next criterion's best fits of both planes, listed under the picture.
void ShowBestFits(WebEditor& editor);

}  // namespace lobrix
