#include "editor/page_handlers.h"

#include "editor/code_page.h"
#include "editor/direction_inputs_page.h"
#include "editor/page_mouse.h"
#include "render/page_drawing.h"

namespace lobrix {

void BuildPageContent(EditorState& state, EditorUi& ui, int page) {
  switch (page) {
    case kHorizontalPage:
    case kVerticalPage:
      BuildCodePage(state, ui, page);
      break;
    case kDirectionPage:
      BuildDirectionPage(state, ui);
      break;
    case kThreeDPage:
      BuildTestDirectionPage(state, ui);
      break;
    default:
      break;
  }
}

void PageEvent(EditorState& state, EditorUi& ui, int page, const ControlEvent& event) {
  switch (page) {
    case kHorizontalPage:
    case kVerticalPage:
      // The mouse over a code page's graph moves its read-out only.
      if (event.kind == ControlEventKind::kMouseMove ||
          event.kind == ControlEventKind::kMouseClick) {
        PageMouseEvent(state, ui, page, event);
      } else {
        CodePageEvent(state, ui, page, event);
      }
      break;
    case kDirectionPage:
    case kThreeDPage:
      DirectionPageEvent(state, ui, page, event);
      break;
    default:
      break;
  }
}

}  // namespace lobrix
