// One editing run, as EDITANTVA performs it: take over the record's prefix, owner and
// language, read the remembered Kathrein folder, open the main dialog until it ends with
// Transfer or Close (running the conversion window in between when the dialog asks for it),
// write the folder back when it changed, and return 1 after Transfer, else 0.
#pragma once

#include <functional>
#include <string>

#include "editor/antenna_record.h"
#include "editor/editor_state.h"
#include "platform/settings/settings_store.h"

namespace lobrix {

// The dialog's end values.
inline constexpr int kDialogTransfer = 1;
inline constexpr int kDialogClosed = 0;
inline constexpr int kDialogConversion = -99;

// Settings value of the Kathrein folder: empty sub-key, this name.
inline constexpr char kKathreinSetting[] = "Kathrein";

struct EditorRunHooks {
  SettingsStore* settings = nullptr;              // none: nothing remembered
  std::function<std::string()> currentDirectory;  // the folder when none is remembered
  // Runs the main dialog on the state just loaded from the record; returns its end value.
  std::function<int(EditorState&)> mainDialog;
  // Runs the conversion window; it writes its codes and directions into the state. Returns 1
  // when it produced a result.
  std::function<int(EditorState&)> conversionWindow;
};

// The run on `record`. The record is written by the load (the start page), by Transfer on
// result 1 and by the copy after each conversion run, nothing else. A null record, or a call
// while a run is open on `state`, returns 0 and touches nothing.
int RunEditor(AntennaRecord* record, EditorState& state, const EditorRunHooks& hooks);

}  // namespace lobrix
