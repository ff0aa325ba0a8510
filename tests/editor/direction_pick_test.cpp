// A mouse pick sets the angles of the page it was made on, and nothing else.
#include "editor/direction_pick.h"

#include <gtest/gtest.h>

#include "render/page_drawing.h"

namespace lobrix {
namespace {

const DirectionPick kAzimuth90{PickedAngle::kAzimuth, 90, "Azi = 90°"};
const DirectionPick kElevationMinus45{PickedAngle::kElevation, -45, "Ele = -45°"};

TEST(ApplyDirectionPick, DirectionPageSetsTheBeam) {
  EditorState state;
  state.activePage = kDirectionPage;
  EXPECT_TRUE(ApplyDirectionPick(state, kAzimuth90));
  EXPECT_TRUE(ApplyDirectionPick(state, kElevationMinus45));
  EXPECT_EQ(state.aziMax, 90);
  EXPECT_EQ(state.eleMax, -45);
  EXPECT_EQ(state.testAzimuth, 0);
  EXPECT_EQ(state.testElevation, 0);
}

TEST(ApplyDirectionPick, ThreeDPageSetsTheTestDirection) {
  EditorState state;
  state.activePage = kThreeDPage;
  state.aziMax = 10;
  state.eleMax = 5;
  EXPECT_TRUE(ApplyDirectionPick(state, kAzimuth90));
  EXPECT_TRUE(ApplyDirectionPick(state, kElevationMinus45));
  EXPECT_EQ(state.testAzimuth, 90);
  EXPECT_EQ(state.testElevation, -45);
  EXPECT_EQ(state.aziMax, 10);
  EXPECT_EQ(state.eleMax, 5);
}

TEST(ApplyDirectionPick, NothingPickedOrOtherPageChangesNothing) {
  EditorState state;
  state.activePage = kThreeDPage;
  EXPECT_FALSE(ApplyDirectionPick(state, DirectionPick{}));
  for (int page : {kHorizontalPage, kVerticalPage, 7}) {
    state.activePage = page;
    EXPECT_FALSE(ApplyDirectionPick(state, kAzimuth90));
    EXPECT_FALSE(ApplyDirectionPick(state, kElevationMinus45));
  }
  EXPECT_EQ(state.aziMax, 0);
  EXPECT_EQ(state.eleMax, 0);
  EXPECT_EQ(state.testAzimuth, 0);
  EXPECT_EQ(state.testElevation, 0);
}

}  // namespace
}  // namespace lobrix
