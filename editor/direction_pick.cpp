#include "editor/direction_pick.h"

#include "render/page_drawing.h"

namespace lobrix {

bool ApplyDirectionPick(EditorState& state, const DirectionPick& pick) {
  const bool directionPage = state.activePage == kDirectionPage;
  const bool testPage = state.activePage == kThreeDPage;
  if (!(directionPage || testPage) || pick.what == PickedAngle::kNone) return false;
  const auto angle = static_cast<float>(pick.angle);
  if (pick.what == PickedAngle::kAzimuth) {
    (testPage ? state.testAzimuth : state.aziMax) = angle;
  } else {
    (testPage ? state.testElevation : state.eleMax) = angle;
  }
  return true;
}

}  // namespace lobrix
