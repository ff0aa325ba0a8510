// The editor's main window on Windows: the dialog and its four page dialogs made from the
// control tables, run modally; every notification goes to the portable handlers of the main
// dialog and of the pages (their content is built by the pages' own handlers too).
#pragma once

#include "editor/editor_state.h"

namespace lobrix {

// Runs the main dialog on the state just loaded from the record, owned by state.ownerWindow.
// Returns 1 (Transfer), 0 (Close, Escape, the close box, or a dialog that could not be made)
// or -99 (the Kathrein conversion was asked for).
int OpenMainDialog(EditorState& state);

}  // namespace lobrix
