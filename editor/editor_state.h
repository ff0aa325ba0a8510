// The state of one editing run: what the pages edit and the views draw. One instance lives for
// the whole process (the editor is not reset between two runs, only reloaded from the record);
// tests make their own. Plain data, no behaviour: the editor's load and transfer fill it, the
// pages write it, the views read its drawing input and keep their memory in it.
#pragma once

#include <array>
#include <string>

#include "editor/page_handlers_memory.h"
#include "render/drawing_input.h"
#include "render/view_memory.h"

namespace lobrix {

// Shown in the dialog caption after "ver.", two blanks included.
inline constexpr char kVersionDate[] = "  2010-02-15";

// Window handles, opaque here: the portable code never looks inside them.
struct EditorWindows {
  void* mainDialog = nullptr;
  void* tabControl = nullptr;
  std::array<void*, 4> pages{};
  void* statusBar = nullptr;
  void* focusControl = nullptr;  // the input field that had the focus last
};

// Defaults: what the load of an empty record gives (omnidirectional codes, beam at 0/0,
// decibel scale, English, horizontal page). The drawing input is the part the views read
// (passed to them as a `const DrawingInput&`); `views` is the memory they keep.
struct EditorState : DrawingInput {
  int antennaRole = 0;  // 1 Tx, 2 Rx, 3 station, other: none
  void* ownerWindow = nullptr;
  std::string captionPrefix;  // code page 1250, as the record holds it
  std::string versionDate = kVersionDate;
  std::string kathreinFolder;
  bool runOpen = false;  // an editing run is open: the entry is not re-entrant
  int activePage = 0;    // 0 horizontal, 1 vertical, 2 directions, 3 3-D
  EditorWindows windows;
  ViewMemory views;
  PageHandlerMemory pageHandlers;  // what the pages' handlers keep during one opening
};

inline bool Czech(const EditorState& state) {
  return state.language == kCzech;
}

}  // namespace lobrix
