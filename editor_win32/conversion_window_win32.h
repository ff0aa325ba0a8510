// The Kathrein conversion window on Windows: a modal dialog made from the window's control
// rows, its notifications handed to the portable handlers, the picture on a GDI surface.
#pragma once

#include "editor/editor_state.h"

namespace lobrix {

// Runs the window modally, owned by state.ownerWindow; the conversion writes the codes and
// directions into `state`. Returns 1 after "Results transfer", 0 after Close, the close box,
// or when the window could not be made.
int ShowConversionWindow(EditorState& state);

}  // namespace lobrix
