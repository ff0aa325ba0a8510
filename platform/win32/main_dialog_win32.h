// The editor's main window on Windows: the dialog and its four page dialogs made from the
// control tables, run modally; every notification goes to the portable handlers of the main
// dialog and of the pages.
#pragma once

#include <functional>

#include "editor/editor_state.h"
#include "editor/editor_ui.h"
#include "platform/controls/control_event.h"

namespace lobrix {

// What the pages add to the controls of their tables: their content when the dialog opens
// (after the page's controls exist) and the handling of their controls' events.
struct PageHooks {
  std::function<void(EditorState& state, EditorUi& ui, int page)> build;
  std::function<void(EditorState& state, EditorUi& ui, int page, const ControlEvent& event)> event;
};

// Runs the main dialog on the state just loaded from the record, owned by state.ownerWindow.
// Returns 1 (Transfer), 0 (Close, Escape, the close box, or a dialog that could not be made)
// or -99 (the Kathrein conversion was asked for).
int OpenMainDialog(EditorState& state, const PageHooks& pages = {});

}  // namespace lobrix
