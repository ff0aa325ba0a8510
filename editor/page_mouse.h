// The mouse over a page's graphic area, shared by the main dialog (which hands it the events)
// and the direction pages (which show a click's pick in their fields): the read-out of the angle
// under the mouse, and on the direction and 3-D pages a click that takes that angle.
#pragma once

#include "editor/editor_state.h"
#include "editor/editor_ui.h"
#include "platform/controls/control_event.h"
#include "render/direction_views.h"

namespace lobrix {

// The mouse over the graphic area of the page on top: the read-out of the angle under it, and
// on pages 2 and 3 a click takes that angle. Returns the pick of a click (nothing otherwise)
// for the page to show in its field.
DirectionPick PageMouseEvent(EditorState& state, EditorUi& ui, int page, const ControlEvent& event);

}  // namespace lobrix
