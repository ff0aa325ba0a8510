// Applying an angle picked with the mouse on the direction or 3-D page to the editor's state.
#pragma once

#include "editor/editor_state.h"
#include "render/direction_views.h"

namespace lobrix {

// A click's pick sets an angle of the active page: on the direction page the azimuth or
// elevation of maximum radiation, on the 3-D page the test azimuth or elevation. On another
// page, or for a pick of nothing, the state stays as it is. True when an angle was set.
bool ApplyDirectionPick(EditorState& state, const DirectionPick& pick);

}  // namespace lobrix
