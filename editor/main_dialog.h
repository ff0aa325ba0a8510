// The main dialog's portable behaviour: what it sets up when it opens, how it answers its
// buttons, the tab control and its timer, the full redraw of a page, and the mouse over a
// page's graphic area. The Windows side creates the windows and hands the events here.
#pragma once

#include "editor/editor_state.h"
#include "editor/editor_ui.h"
#include "platform/controls/control_event.h"

namespace lobrix {

// After the dialog's controls exist: caption, status bar, tab items, the four pages built and
// hidden, Transfer disabled without an owner window or a role,
// the page of activePage selected, drawn and shown, tooltips, and the opening timer started.
void StartMainDialog(EditorState& state, EditorUi& ui);

// An event of the main dialog's own controls: Transfer, Close, Copy, Help and the Kathrein
// button, the tab control's page change and the opening timer.
void MainDialogEvent(EditorState& state, EditorUi& ui, const ControlEvent& event);

// The full redraw of page 0 to 3: back to the graph view, a new surface with the page's
// frames and views, its mouse read-out set up, its fields and buttons set, the focus on its
// first field.
void RedrawPage(EditorState& state, EditorUi& ui, int page);

// Gives the focus back to the input field that had it last; on the code pages the scale
// button stands in for a disabled field 10 (the omnidirectional code has no parameters).
void GiveFocusBack(const EditorState& state, EditorUi& ui);

}  // namespace lobrix
