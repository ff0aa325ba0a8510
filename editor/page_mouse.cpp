#include "editor/page_mouse.h"

#include "editor/direction_pick.h"
#include "render/horizontal_views.h"
#include "render/page_drawing.h"
#include "render/vertical_views.h"

namespace lobrix {

DirectionPick PageMouseEvent(EditorState& state, EditorUi& ui, int page,
                             const ControlEvent& event) {
  const bool click = event.kind == ControlEventKind::kMouseClick;
  if (!ui.surface || page != state.activePage ||
      (!click && event.kind != ControlEventKind::kMouseMove)) {
    return {};
  }
  Gfx& gfx = *ui.surface;
  const int x = gfx.MouseOverX();
  const int y = gfx.MouseOverY();
  if (x < 0 || y < 0) return {};
  switch (page) {
    case kHorizontalPage:
      if (state.alternateView == 0) ShowAzimuthReadout(gfx, state, state.views, x, y);
      return {};
    case kVerticalPage:
      if (state.alternateView == 0) ShowElevationReadout(gfx, state, state.views, x, y);
      return {};
    default:
      if (!click) {
        ShowDirectionReadout(gfx, state.views, x, y);
        return {};
      }
      const DirectionPick pick = PickDirection(gfx, state.views, x, y);
      ApplyDirectionPick(state, pick);
      return pick;
  }
}

}  // namespace lobrix
