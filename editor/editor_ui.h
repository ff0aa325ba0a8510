// The windows of one opening of the main dialog as the portable handlers see them: the
// controls of the main dialog and of the four pages, the drawing surface of the page drawn
// last, and the few things only the platform can do. The Windows side fills it when the dialog
// opens; tests fill it with fakes.
#pragma once

#include <array>
#include <functional>

#include "editor/editor_state.h"
#include "editor/help_topics.h"
#include "platform/controls/controls.h"
#include "platform/gfx/gfx.h"

namespace lobrix {

struct EditorUi {
  Controls* main = nullptr;
  std::array<Controls*, 4> pages{};

  // The surface of the page drawn last (nullptr before the first drawing). Partial redraws
  // and the clipboard copy use it.
  Gfx* surface = nullptr;
  // Releases the previous surface and sets up a new one on the graphic area of `page`
  // (extents with 1000 on the shorter side, cleared white); nullptr when none can be made.
  std::function<Gfx*(int page)> newSurface;
  // Builds the content of page 0 to 3 once, when the dialog opens.
  std::function<void(int page)> buildPage;
  // Shows the context help box and returns when the user has closed it.
  std::function<void(const HelpBox& box)> showHelp;

  // The input field that had the focus last, set by the fields' focus handlers: its page and
  // id; page -1 for none. The focus goes back there after Copy and Help.
  int focusPage = -1;
  int focusId = 0;
};

}  // namespace lobrix
