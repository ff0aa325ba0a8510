// The conversion window as a panel of the page: the file comes from the file input or a drop
// (read by the lenient reader, the bytes never leave the browser), the Conversion button runs
// the classic conversion through the window's own handlers, and the best fits of both planes
// are listed under the picture. "Results transfer" writes the codes and directions into the
// editor's state.
#include <cstdio>
#include <string>

#include "best_fit/best_fit.h"
#include "editor/code_page.h"
#include "editor/main_dialog.h"
#include "editor/main_dialog_layout.h"
#include "editor/status_bar.h"
#include "editor_web/page_calls.h"
#include "editor_web/web_app.h"
#include "model/antenna_pattern.h"
#include "pattern_files/lenient_reader.h"
#include "platform/web/dialog_units.h"
#include "platform/web/web_calls.h"

namespace lobrix {
namespace {

constexpr char kConversionCanvas[] = "conversion-canvas";

// The picture's place, as the Windows window lays it out under its own dialog font.
ConversionWindowPixels PanelPixels() {
  const DialogRect window = DialogToPixels(kConversionWindowRect);
  const int below = DialogToPixels({0, 0, 0, ConversionButtonsToBottom()}).height;
  return ConversionWindowLayout(window.width, below);
}

Gfx* NewConversionSurface(WebEditor& editor) {
  if (editor.conversionSurface) editor.conversionSurface->GfxWindow(kGfxRelease);
  editor.conversionSurface.reset();
  editor.conversionUi.surface = nullptr;
  const ConversionWindowPixels px = PanelPixels();
  lobrix_canvas_place(kConversionCanvas, "conv", px.pictureLeft, 0);
  auto device = std::make_unique<SurfaceCanvas>(
      kConversionCanvas, px.pictureRight - px.pictureLeft, px.pictureBottom);
  if (!device->Opened()) return nullptr;
  editor.conversionSurface = std::make_unique<Gfx>(std::move(device));
  SetUpSurface(*editor.conversionSurface);
  return editor.conversionSurface.get();
}

void MakePanel(WebEditor& editor) {
  editor.conversion = std::make_unique<ControlsDom>(
      "conv", [&editor](int result) { CloseConversionPanel(editor, result); });
  ConversionUi& ui = editor.conversionUi;
  ui = ConversionUi{};
  ui.dialog = editor.conversion.get();
  ui.newSurface = [&editor] { return NewConversionSurface(editor); };
  // The browser's file chooser answers later, through the file input's change event.
  ui.chooseOpenFile = [](OpenFileRequest&) {
    lobrix_pick_file();
    return false;
  };
  ui.showError = [](const std::string& title, const std::string& text) {
    lobrix_show_message(title.c_str(), text.c_str());
  };
  const DialogRect window = DialogToPixels(kConversionWindowRect);
  lobrix_dialog_place("conv", 0, 0, window.width, window.height);
  CreateControls(*editor.conversion, ConversionWindowRows(), editor.state.language);
}

// The vertical plane's direction of maximum as an elevation, as the conversion gives EleMax.
float ElevationOf(float direction) {
  return direction < 180 ? -direction : 360.0f - direction;
}

std::string FitLine(const char* name, const FitResult& h, const FitResult& v) {
  char line[200];
  if (!h.found || !v.found) {
    std::snprintf(line, sizeof line, "%-9s no code qualifies\n", name);
    return line;
  }
  const float azimuth = h.direction < 0 ? h.direction + 360.0f : h.direction;
  std::snprintf(line, sizeof line,
                "%-9s H %s at %5.1f° (%.2f dB RMS)   V %s at %5.1f° (%.2f dB RMS)\n", name,
                h.code.c_str(), static_cast<double>(azimuth), h.figures.rmsDb, v.code.c_str(),
                static_cast<double>(ElevationOf(v.direction)), v.figures.rmsDb);
  return line;
}

// The best code of a plane under `criterion`, anchored at the classic direction and never
// worse than the classic result, as the command line's fits.
FitResult PlaneFit(const KathreinPattern& pattern, int plane, FitCriterion criterion,
                   const std::string& classicCode, float classicDirection) {
  const auto& column = pattern.measured[static_cast<std::size_t>(plane)];
  const FitResult found = FindBestFit(
      column, plane == 0 ? FitPlane::kHorizontal : FitPlane::kVertical, criterion,
      FitCandidates::All().AnchoredAt(classicDirection, kDefaultDirectionTolerance), 1);
  return BetterFit(column, found, classicCode, classicDirection, criterion);
}

std::string BestFitsText(const KathreinPattern& pattern, const KathreinConversion& classic,
                         int language) {
  std::string text(Pick({"Best fits (anchored at the classic directions, ±5°):\n",
                         "Nejlepší shody (u klasických směrů, ±5°):\n"},
                        language));
  const struct {
    const char* name;
    FitCriterion criterion;
  } kCriteria[] = {{"dB", FitCriterion::kDb},
                   {"field", FitCriterion::kField},
                   {"envelope", FitCriterion::kEnvelope}};
  for (const auto& c : kCriteria) {
    const FitResult h = PlaneFit(pattern, 0, c.criterion, classic.hCode, classic.fittedAzimuth);
    const FitResult v = PlaneFit(pattern, 1, c.criterion, classic.vCode, classic.fittedTilt);
    text += FitLine(c.name, h, v);
  }
  return text;
}

}  // namespace

void OpenConversionPanel(WebEditor& editor) {
  if (editor.conversionOpen) return;
  editor.conversionState = editor.state;
  editor.pattern.measured = {};
  if (!editor.conversion) MakePanel(editor);
  editor.conversionOpen = true;
  lobrix_dialog_show("conv", 1);
  lobrix_conversion_text("");
  StartConversionWindow(editor.conversionState, editor.pattern, editor.conversionUi);
  // The panel waits for a file from the input or a drop; no chooser opens by itself.
  editor.conversion->StopTimer(kFileTimer);
}

void CloseConversionPanel(WebEditor& editor, int result) {
  if (!editor.conversionOpen) return;
  editor.conversionOpen = false;
  lobrix_dialog_show("conv", 0);
  if (editor.conversion) editor.conversion->StopTimer(kFileTimer);
  if (editor.conversionSurface) editor.conversionSurface->GfxWindow(kGfxRelease);
  editor.conversionSurface.reset();
  editor.conversionUi.surface = nullptr;
  editor.pattern.measured = {};
  if (result != 1) return;
  // Results transfer: the codes and directions into the editor, its pages brought up to date.
  EditorState& state = editor.state;
  state.hCode = editor.conversionState.hCode;
  state.vCode = editor.conversionState.vCode;
  state.aziMax = editor.conversionState.aziMax;
  state.eleMax = editor.conversionState.eleMax;
  BuildParameterPanel(state, editor.ui, 0, state.hCode);
  BuildParameterPanel(state, editor.ui, 1, state.vCode);
  if (editor.main) RefreshStatus("ini", state, *editor.main, kStatusBar);
  RedrawPage(state, editor.ui, state.activePage);
}

void TakePatternFile(WebEditor& editor, std::string_view bytes, std::string_view name) {
  if (!editor.conversionOpen || !editor.conversion) return;
  const int language = editor.state.language;
  PatternFileResult read = ReadPatternFile(bytes, name, language);
  if (!read.read) {
    const std::string title = std::string(name);
    lobrix_show_message(title.c_str(), read.error.c_str());
    return;
  }
  const std::string fileSpec = editor.pattern.fileSpec;
  editor.pattern = read.file.pattern;
  editor.pattern.fileSpec = fileSpec;
  editor.pattern.fileName = std::string(name);
  // The module-wide current gain follows every read, as in the conversion window.
  SetCurrentGain(editor.pattern.gain);
  std::string notes;
  for (const std::string& line : ReadingNotes(read.file, language)) notes += line + "\n";
  lobrix_conversion_text(notes.c_str());
  // As after the window's File button: a new file needs its own conversion before its results
  // can go back.
  Controls& dialog = *editor.conversion;
  dialog.Enable(kResultsTransferButton, false);
  RepaintConversionWindow(editor.conversionState, editor.pattern, editor.conversionUi, true);
  dialog.Enable(kConversionCopyButton, true);
  dialog.Enable(kConversionButton, true);
  dialog.Focus(kConversionButton);
}

void AfterConversion(WebEditor& editor) {
  const EditorState& s = editor.conversionState;
  editor.lastConversion = WebConversionResult{s.hCode, s.vCode, s.aziMax, s.eleMax};
  // The search takes a second or two on one thread: the classic result shows first.
  lobrix_conversion_text(std::string(Pick({"Searching the best fits...",
                                           "Hledání nejlepších shod..."},
                                          s.language))
                             .c_str());
  lobrix_defer_best_fits();
}

void ShowBestFits(WebEditor& editor) {
  if (!editor.conversionOpen || !editor.lastConversion) return;
  const double start = lobrix_now();
  const KathreinConversion classic = ConvertKathreinPattern(editor.pattern);
  const std::string text = BestFitsText(editor.pattern, classic, editor.conversionState.language);
  editor.lastFitMs = lobrix_now() - start;
  lobrix_conversion_text(text.c_str());
}

}  // namespace lobrix
