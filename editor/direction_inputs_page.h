// The input rows of the direction page (2: AziMax, EleMax) and the 3-D page (3: test azimuth,
// test elevation): filtered number fields that redraw the affected graph at every change, a
// tidy form when a field loses the focus, and a click in a graph shown in its field.
#pragma once

#include "editor/editor_state.h"
#include "editor/editor_ui.h"
#include "platform/controls/control_event.h"
#include "render/direction_views.h"

namespace lobrix {

// Create the page's controls that are not there yet (the Windows side made them from the
// page's template) and their tooltips; forget what the page's handlers kept.
void BuildDirectionPage(EditorState& state, EditorUi& ui);      // page 2
void BuildTestDirectionPage(EditorState& state, EditorUi& ui);  // page 3

// Focus, change and loss of focus of fields 10 and 11.
void DirectionFieldCallback(EditorState& state, EditorUi& ui, const ControlEvent& event);
void TestDirectionCallback(EditorState& state, EditorUi& ui, const ControlEvent& event);

// After a click in a graph of page 2 or 3 has set an angle (`pick`): the angle in its field
// ("0.0"), the affected graph and the status bar brought up to date, the field focused with
// its text selected.
void ShowDirectionPick(EditorState& state, EditorUi& ui, int page, const DirectionPick& pick);

// Every event of page 2's or 3's controls, the mouse over the graphic area included.
void DirectionPageEvent(EditorState& state, EditorUi& ui, int page, const ControlEvent& event);

}  // namespace lobrix
