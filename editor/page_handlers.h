// The four pages' handlers behind one entry each, for the main dialog and the Windows side:
// building a page's content when the dialog opens, and handing a page's events (its controls
// and the mouse over its graphic area) to the handler they belong to.
#pragma once

#include "editor/editor_state.h"
#include "editor/editor_ui.h"
#include "platform/controls/control_event.h"

namespace lobrix {

// Page 0 to 3: BuildCodePage, BuildDirectionPage or BuildTestDirectionPage.
void BuildPageContent(EditorState& state, EditorUi& ui, int page);

// An event of page 0 to 3.
void PageEvent(EditorState& state, EditorUi& ui, int page, const ControlEvent& event);

}  // namespace lobrix
