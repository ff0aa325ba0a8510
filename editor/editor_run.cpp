#include "editor/editor_run.h"

namespace lobrix {
namespace {

// Marks the run open for as long as it lasts.
class OpenRun {
 public:
  explicit OpenRun(bool& flag) : flag_(flag) { flag_ = true; }
  ~OpenRun() { flag_ = false; }
  OpenRun(const OpenRun&) = delete;
  OpenRun& operator=(const OpenRun&) = delete;

 private:
  bool& flag_;
};

}  // namespace

int RunEditor(AntennaRecord* record, EditorState& state, const EditorRunHooks& hooks) {
  if (record == nullptr || state.runOpen || !hooks.mainDialog) return 0;
  const OpenRun open(state.runOpen);

  state.versionDate = kVersionDate;
  state.captionPrefix = CaptionPrefixOf(*record);
  state.ownerWindow = OwnerWindowOf(*record);
  state.kathreinFolder =
      hooks.settings ? hooks.settings->ReadSetting("", kKathreinSetting) : std::string();
  if (state.kathreinFolder.empty() && hooks.currentDirectory) {
    state.kathreinFolder = hooks.currentDirectory();
  }
  const std::string folderAtStart = state.kathreinFolder;
  state.language = record->language == 0 ? kEnglish : kCzech;

  int result = kDialogClosed;
  for (;;) {
    LoadRecord(*record, state);
    result = hooks.mainDialog(state);
    if (result == kDialogTransfer) Transfer(state, *record);
    if (result > -2) break;
    // The conversion was asked for. After a successful one the dialog reopens on the 3-D
    // page; otherwise the start-page byte still holds the page of the last opening and is read
    // again as a start-page code.
    if (hooks.conversionWindow && hooks.conversionWindow(state) == 1) record->startPage = 4;
    CopyConversionResult(state, *record);
  }

  if (hooks.settings && state.kathreinFolder != folderAtStart) {
    hooks.settings->WriteSetting("", kKathreinSetting, state.kathreinFolder);
  }
  // The caller tests for 1; a dialog that could not open (-1) is reported as closed.
  return result == kDialogTransfer ? kDialogTransfer : kDialogClosed;
}

}  // namespace lobrix
