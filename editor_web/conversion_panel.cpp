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
#include "render/page_drawing.h"

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

// The classic result of a plane with its figures, for comparison with the fits.
FitResult ClassicFit(const KathreinPattern& pattern, int plane, const KathreinConversion& c) {
  FitResult result;
  result.found = true;
  result.code = plane == 0 ? c.hCode : c.vCode;
  result.direction = plane == 0 ? c.fittedAzimuth : c.fittedTilt;
  result.figures = ScoreFit(pattern.measured[static_cast<std::size_t>(plane)], result.code,
                            result.direction, FitCriterion::kDb);
  return result;
}

struct Criterion {
  const char* name;
  FitCriterion criterion;
};
constexpr Criterion kCriteria[] = {{"dB", FitCriterion::kDb},
                                   {"field", FitCriterion::kField},
                                   {"envelope", FitCriterion::kEnvelope}};
constexpr int kCriterionCount = 3;

// The line of one criterion: both planes' best fits.
std::string CriterionLine(const KathreinPattern& pattern, const KathreinConversion& classic,
                          const Criterion& c) {
  const FitResult h = PlaneFit(pattern, 0, c.criterion, classic.hCode, classic.fittedAzimuth);
  const FitResult v = PlaneFit(pattern, 1, c.criterion, classic.vCode, classic.fittedTilt);
  return FitLine(c.name, h, v);
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
  editor.bestFits.next = -1;
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
  // The editor comes back on the 3-D page after a transfer, as it reopens in the module: the
  // page switched as the tab control switches it.
  if (!editor.main) return;
  MainDialogEvent(state, editor.ui, {kTabControl, ControlEventKind::kTabChanging});
  editor.main->Select(kTabControl, kThreeDPage);
  MainDialogEvent(state, editor.ui, {kTabControl, ControlEventKind::kTabChanged});
}

void RefusePatternFile(WebEditor& editor, std::string_view name, std::string_view reason) {
  if (!editor.conversionOpen) return;
  const std::string title = std::string(name);
  const std::string text = std::string(reason);
  lobrix_show_message(title.c_str(), text.c_str());
}

void TakePatternFile(WebEditor& editor, std::string_view bytes, std::string_view name) {
  if (!editor.conversionOpen || !editor.conversion) return;
  const int language = editor.state.language;
  PatternFileResult read = ReadPatternFile(bytes, name, language);
  if (!read.read) {
    RefusePatternFile(editor, name, read.error);
    return;
  }
  editor.bestFits.next = -1;  // a search still pending was for the file before
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
  // The searches take a second or two on one thread: the classic result shows first, then one
  // criterion at a time, the page answering in between.
  WebBestFits& fits = editor.bestFits;
  fits.next = 0;
  fits.classic = ConvertKathreinPattern(editor.pattern);
  fits.text = Pick({"The classic result and the best fits under each criterion (within 5° of "
                    "the classic directions), with the RMS of the dB differences:\n",
                    "Klasický výsledek a nejlepší shody podle každého kritéria (do 5° od "
                    "klasických směrů) s RMS rozdílů v dB:\n"},
                   s.language);
  fits.text += FitLine("classic", ClassicFit(editor.pattern, 0, fits.classic),
                       ClassicFit(editor.pattern, 1, fits.classic));
  fits.milliseconds = 0;
  lobrix_conversion_text((fits.text + "...").c_str());
  lobrix_defer_best_fits();
}

void ShowBestFits(WebEditor& editor) {
  WebBestFits& fits = editor.bestFits;
  if (!editor.conversionOpen || fits.next < 0 || fits.next >= kCriterionCount) return;
  const double start = lobrix_now();
  fits.text += CriterionLine(editor.pattern, fits.classic,
                             kCriteria[static_cast<std::size_t>(fits.next)]);
  fits.milliseconds += lobrix_now() - start;
  if (++fits.next < kCriterionCount) {
    lobrix_conversion_text((fits.text + "...").c_str());
    lobrix_defer_best_fits();
    return;
  }
  fits.next = -1;
  editor.lastFitMs = fits.milliseconds;
  lobrix_conversion_text(fits.text.c_str());
}

}  // namespace lobrix
