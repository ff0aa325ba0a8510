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
      if (state.alternateView == 0) ShowAzimuthReadout(gfx, state, state.views, x, y, 0);
      return {};
    case kVerticalPage:
      if (state.alternateView == 0) ShowElevationReadout(gfx, state, state.views, x, y, 0);
      return {};
    default:
      TrackDirectionMouse(gfx, state.views, x, y, kMouseMove, 0, 0);
      if (!click) return {};
      const DirectionPick pick = TrackDirectionMouse(gfx, state.views, x, y, kMouseClick, 0, 0);
      ApplyDirectionPick(state, pick);
      return pick;
  }
}

}  // namespace lobrix
