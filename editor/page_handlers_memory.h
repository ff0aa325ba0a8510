// What the handlers of the four pages keep between two events, for one opening of the main
// dialog: each page's build resets its part. Held in the editor state.
#pragma once

#include <array>
#include <string>

#include "editor/number_filter.h"

namespace lobrix {

// A code page (Horizontal or Vertical diagram).
struct CodePageMemory {
  bool panelBuilt = false;  // the parameter panel has been built on this page
  int lastPanelId = 0;      // last control of the panel group shown
  std::string focusItem;    // the focused field's selected item when it got the focus
  bool rewriting = false;   // the handler itself is writing a field: its notices are ignored
};

// The direction page or the 3-D page.
struct DirectionPageMemory {
  bool armed = false;  // a field has the focus and the handler is not rewriting it
  NumberFilterMemory filter;
};

struct PageHandlerMemory {
  std::array<CodePageMemory, 2> codePages;            // pages 0 and 1
  std::array<DirectionPageMemory, 2> directionPages;  // pages 2 and 3
};

}  // namespace lobrix
