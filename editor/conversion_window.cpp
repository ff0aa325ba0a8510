#include "editor/conversion_window.h"

#include <algorithm>

#include "model/antenna_pattern.h"
#include "pattern_files/read_messages.h"
#include "pattern_files/strict_reader.h"
#include "text/text_decode.h"

namespace lobrix {
namespace {

constexpr TextPair kCaption{" Conversion of antenna diagrams from Kathrein files to VA-99 format",
                            " Převod anténních diagramů ze souborů Kathrein na VA-99 formát"};
constexpr TextPair kTitleStart{"Selection of antenna file  for ",
                               "Výběr anténního souboru  pro anténu "};
constexpr TextPair kReceiving{"Rx antenna", "příjmače"};
constexpr TextPair kTransmitting{"Tx antenna", "vysílače"};
constexpr TextPair kFilter{" Kathrein antenna files:  (*.MSI)|*.msi",
                           " Anténní soubory Kathrein:  (*.MSI)|*.msi"};
constexpr int kReceivingRole = 2;

// The record's caption prefix is code page 1250; everything shown is UTF-8.
std::string PrefixText(const EditorState& state) {
  return EncodeUtf8(DecodeCp1250(state.captionPrefix));
}

void EnableButtons(Controls& dialog, bool enabled) {
  for (int id = kResultsTransferButton; id <= kFileButton; ++id) dialog.Enable(id, enabled);
}

// After a file was read: the measured curves shown, Conversion and Copy usable.
void ShowLoadedFile(const EditorState& state, const KathreinPattern& pattern, ConversionUi& ui) {
  RepaintConversionWindow(state, pattern, ui, true);
  ui.dialog->Enable(kConversionCopyButton, true);
  ui.dialog->Enable(kConversionButton, true);
  ui.dialog->Focus(kConversionButton);
}

void Clicked(EditorState& state, KathreinPattern& pattern, ConversionUi& ui, int id) {
  Controls& dialog = *ui.dialog;
  switch (id) {
    case kFileButton:
      // A click before the timer fired: one file dialog is enough.
      dialog.StopTimer(kFileTimer);
      if (SelectKathreinFile(state, pattern, ui) == 1) {
        // A new file needs its own conversion before its results can go back.
        dialog.Enable(kResultsTransferButton, false);
        ShowLoadedFile(state, pattern, ui);
      }
      break;
    case kConversionButton:
      if (dialog.IsEnabled(kConversionButton)) RunConversion(state, pattern, ui);
      break;
    case kConversionCopyButton:
      if (dialog.IsEnabled(kConversionCopyButton) && ui.surface) CopyConversionPicture(*ui.surface);
      break;
    case kResultsTransferButton:
      // Enter reaches here as command 1 too: without a conversion there is nothing to hand back.
      if (dialog.IsEnabled(kResultsTransferButton)) dialog.EndDialog(1);
      break;
    case kConversionCloseButton:
      dialog.EndDialog(0);
      break;
  }
}

}  // namespace

std::string ConversionCaption(const EditorState& state) {
  return PrefixText(state) + std::string(Pick(kCaption, state.language));
}

std::string OpenFileTitle(const EditorState& state) {
  std::string title = PrefixText(state);
  title += Pick(kTitleStart, state.language);
  title += Pick(state.antennaRole == kReceivingRole ? kReceiving : kTransmitting, state.language);
  return title;
}

std::string OpenFileFilter(int language) {
  return std::string(Pick(kFilter, language));
}

void StartConversionWindow(EditorState& state, KathreinPattern& pattern, ConversionUi& ui) {
  Controls& dialog = *ui.dialog;
  dialog.SetCaption(ConversionCaption(state));
  dialog.Enable(kConversionButton, false);
  dialog.Enable(kConversionCopyButton, false);
  dialog.Enable(kResultsTransferButton, false);
  pattern.measured = {};
  RepaintConversionWindow(state, pattern, ui, false);
  dialog.StartTimer(kFileTimer, kFileTimerMs);
}

void ConversionWindowEvent(EditorState& state, KathreinPattern& pattern, ConversionUi& ui,
                           const ControlEvent& event) {
  switch (event.kind) {
    case ControlEventKind::kTimer:
      if (event.id != kFileTimer) break;
      ui.dialog->StopTimer(kFileTimer);  // it fires once
      if (SelectKathreinFile(state, pattern, ui) == 1) ShowLoadedFile(state, pattern, ui);
      break;
    case ControlEventKind::kClicked:
      Clicked(state, pattern, ui, event.id);
      break;
    default:
      break;
  }
}

int SelectKathreinFile(EditorState& state, KathreinPattern& pattern, ConversionUi& ui) {
  for (;;) {
    if (pattern.fileSpec.empty()) pattern.fileSpec = "*.msi";
    OpenFileRequest request;
    request.title = OpenFileTitle(state);
    request.fileSpec = pattern.fileSpec;
    request.initialFolder = state.kathreinFolder;
    request.filter = OpenFileFilter(state.language);
    const std::size_t size = pattern.fileSpec.size();
    request.defaultExtension = pattern.fileSpec.substr(size < 3 ? 0 : size - 3);
    request.flags = kKathreinOpenFlags;
    // A cancelled dialog changes nothing, the file-name box text included.
    if (!ui.chooseOpenFile || !ui.chooseOpenFile(request)) return 0;

    const std::string path = request.fileSpec;
    const std::optional<std::string> bytes = ui.readFile ? ui.readFile(path) : std::nullopt;
    // A file that cannot be opened or read is reported as not being a Kathrein file.
    int result = kNotKathreinFile;
    if (bytes) {
      result = ReadKathreinFile(*bytes, pattern);
      // The module-wide current gain follows every read, as the reader leaves it.
      SetCurrentGain(pattern.gain);
    }
    RememberChosenFile(path, pattern, state.kathreinFolder);
    if (result == kKathreinRead) return 1;
    if (ui.showError) {
      ui.showError(ReadFailureTitle(PrefixText(state), pattern.fileName, state.language),
                   ReadFailureText(result, state.kathreinFolder, state.language));
    }
  }
}

void RepaintConversionWindow(const EditorState& state, const KathreinPattern& pattern,
                             ConversionUi& ui, bool measured) {
  ui.surface = ui.newSurface ? ui.newSurface() : nullptr;
  if (ui.surface == nullptr) return;
  ConversionPicture picture =
      ConversionPictureOf(pattern, pattern.fileName, state.kathreinFolder, state.language, nullptr);
  picture.measuredShown = measured;
  PaintConversionWindow(*ui.surface, picture);
}

void RunConversion(EditorState& state, const KathreinPattern& pattern, ConversionUi& ui) {
  Controls& dialog = *ui.dialog;
  EnableButtons(dialog, false);

  const KathreinConversion conversion = ConvertKathreinPattern(pattern);
  state.hCode = conversion.hCode;
  state.aziMax = conversion.aziMax;  // a fit just below 0 plus 360
  state.vCode = conversion.vCode;
  state.eleMax = conversion.eleMax;
  if (ui.surface != nullptr) {
    // The azimuth is shown as the fit gave it, possibly just below 0.
    DrawConversionResults(*ui.surface,
                          ConversionPictureOf(pattern, pattern.fileName, state.kathreinFolder,
                                              state.language, &conversion));
  }

  EnableButtons(dialog, true);
  dialog.Focus(kResultsTransferButton);
}

bool CopyConversionPicture(Gfx& gfx) {
  const GfxColor corner = gfx.PixelColor(0, 0);
  const int width = gfx.GfxMetrics(kGfxExtentX);
  const int height = gfx.GfxMetrics(kGfxExtentY);
  bool saved = false;
  {
    const GfxBatch batch(gfx);
    gfx.BrushStyle(kBrushOutline);
    gfx.PenColor(kGfxBlack);
    gfx.DrawFrom(0, 0);
    gfx.DrawRect(width, height);
    saved = gfx.SaveGfxScreen("CLIPBOARD");
    // A corner outside the surface answers no colour: white is the surface's ground.
    gfx.PenColor(corner == kGfxNoColor ? kGfxWhite : corner);
    gfx.DrawRect(width, height);
  }
  gfx.PenColor(kGfxBlack);
  return saved;
}

}  // namespace lobrix
