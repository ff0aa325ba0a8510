// The direction page's and the 3-D page's number fields on fake controls: filtering and
// clamping while typing, redraws and status bar, the tidy form on leaving, and a click in a
// graph shown in its field.
#include "editor/direction_inputs_page.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/editor/page_fixture.h"

namespace lobrix {
namespace {

using enum ControlEventKind;

TEST(DirectionFields, AzimuthTypedClampedAndDrawn) {
  PagesFixture d("045EA10", "000ND00", kDirectionPage);
  d.FocusField(2, kField10);
  EXPECT_EQ(d.pages[2].EditSelection(kField10).end, 3);  // all of "0.0" selected
  d.ClearLogs();
  d.TypeKeys(2, kField10, "4");
  EXPECT_EQ(d.state.aziMax, 4.0f);
  EXPECT_EQ(d.Status(1), " AziMax = 4°");
  EXPECT_EQ(d.recording->Count(DrawKind::kBeginBatch), 1);
  EXPECT_GT(d.recording->LinesOfColor(0x0000D2).size(), 300u);  // the azimuth cut again
  const auto texts = d.recording->Texts();  // on its frame with the compass letters
  EXPECT_NE(std::find(texts.begin(), texts.end(), "N"), texts.end());
  d.TypeKeys(2, kField10, "00");
  EXPECT_EQ(d.Text(2, kField10), "359.9");
  EXPECT_EQ(d.pages[2].EditSelection(kField10).start, 0);
  EXPECT_EQ(d.pages[2].EditSelection(kField10).end, 1);
  EXPECT_FLOAT_EQ(d.state.aziMax, 359.9f);
  EXPECT_EQ(d.Status(1), " AziMax = 359.9°");
}

TEST(DirectionFields, PointInsertedAndCaretStepsOverIt) {
  PagesFixture d("045EA10", "000ND00", kDirectionPage);
  d.FocusField(2, kField10);
  d.TypeKeys(2, kField10, "123");
  EXPECT_EQ(d.Text(2, kField10), "123.");
  EXPECT_EQ(d.pages[2].EditSelection(kField10).start, 4);
  d.TypeKey(2, kField10, '4');
  EXPECT_EQ(d.Text(2, kField10), "123.4");
  EXPECT_FLOAT_EQ(d.state.aziMax, 123.4f);
}

TEST(DirectionFields, ElevationSignAndClamp) {
  PagesFixture d("045EA10", "010EA00", kDirectionPage);
  d.FocusField(2, kField11);
  d.TypeKey(2, kField11, '-');
  EXPECT_EQ(d.Text(2, kField11), "-");
  EXPECT_EQ(d.state.eleMax, 0.0f);
  d.TypeKeys(2, kField11, "95");
  EXPECT_EQ(d.Text(2, kField11), "-90.0");
  EXPECT_EQ(d.state.eleMax, -90.0f);
  EXPECT_EQ(d.Status(3), " EleMax = -90°");
  d.SelectAll(2, kField11);
  d.TypeKeys(2, kField11, "95");
  EXPECT_EQ(d.Text(2, kField11), "90.0");
  EXPECT_EQ(d.state.eleMax, 90.0f);
}

TEST(DirectionFields, LeavingShowsTheTidyForm) {
  PagesFixture d("045EA10", "000ND00", kDirectionPage);
  d.FocusField(2, kField10);
  d.SelectAll(2, kField10);
  d.TypeKeys(2, kField10, "45.0");
  d.LeaveField(2, kField10);
  EXPECT_EQ(d.Text(2, kField10), "45");
  EXPECT_EQ(d.state.aziMax, 45.0f);
  d.FocusField(2, kField11);
  d.SelectAll(2, kField11);
  d.TypeKeys(2, kField11, "7.5");
  d.LeaveField(2, kField11);
  EXPECT_EQ(d.Text(2, kField11), "7.5");
  EXPECT_EQ(d.Status(3), " EleMax = 7.5°");
  // A lone minus leaves as 0.
  d.FocusField(2, kField11);
  d.SelectAll(2, kField11);
  d.TypeKey(2, kField11, '-');
  d.LeaveField(2, kField11);
  EXPECT_EQ(d.Text(2, kField11), "0");
  EXPECT_EQ(d.state.eleMax, 0.0f);
}

TEST(DirectionFields, ChangesWithoutTheFocusAreNotHandled) {
  PagesFixture d("045EA10", "000ND00", kDirectionPage);
  d.FocusField(2, kField10);
  d.LeaveField(2, kField10);
  d.ClearLogs();
  d.pages[2].Type(kField10, "200", {3, 3});
  d.Event(2, kField10, kEditChanged);
  EXPECT_EQ(d.Text(2, kField10), "200");
  EXPECT_EQ(d.state.aziMax, 0.0f);
  EXPECT_EQ(d.Drawn(), 0u);
}

TEST(TestDirectionFields, NeverTouchAziMaxNorTheStatusBar) {
  PagesFixture d("045EA10", "010EA00", kThreeDPage);
  d.state.aziMax = 30;
  d.SwitchTo(2);
  d.SwitchTo(3);
  const std::string azimuthStatus = d.Status(1);
  d.FocusField(3, kField10);
  d.SelectAll(3, kField10);
  d.ClearLogs();
  d.TypeKeys(3, kField10, "120");
  EXPECT_EQ(d.state.testAzimuth, 120.0f);
  EXPECT_EQ(d.state.aziMax, 30.0f);
  EXPECT_EQ(d.Status(1), azimuthStatus);
  EXPECT_TRUE(d.main.log.empty());
  EXPECT_EQ(d.recording->Count(DrawKind::kBeginBatch), 3);  // a batch per key
  d.FocusField(3, kField11);
  d.SelectAll(3, kField11);
  d.TypeKeys(3, kField11, "-12");
  EXPECT_EQ(d.state.testElevation, -12.0f);
  EXPECT_EQ(d.state.eleMax, 0.0f);
  // The page coming back starts again from AziMax and EleMax.
  d.SwitchTo(0);
  d.SwitchTo(3);
  EXPECT_EQ(d.state.testAzimuth, 30.0f);
  EXPECT_EQ(d.state.testElevation, 0.0f);
  EXPECT_EQ(d.Text(3, kField10), "30");
}

TEST(DirectionPick, AClickShowsTheAngleInItsFieldAndRedraws) {
  PagesFixture d("045EA10", "010EA00", kDirectionPage);
  // The focus is not in a field of the page: the click must still bring the graphs and the
  // status bar up to date.
  d.LeaveField(2, kField10);
  d.pages[2].Focus(0);
  d.ClearLogs();
  ShowDirectionPick(d.state, d.ui, kDirectionPage, {PickedAngle::kElevation, -30, "Ele = -30°"});
  EXPECT_EQ(d.state.eleMax, -30.0f);
  EXPECT_EQ(d.Text(2, kField11), "-30.0");
  EXPECT_EQ(d.Status(3), " EleMax = -30°");
  EXPECT_EQ(d.pages[2].FocusedId(), kField11);
  EXPECT_EQ(d.pages[2].EditSelection(kField11).end, 5);  // all of it selected
  EXPECT_GT(d.Drawn(), 100u);
  // Armed by the click: typing goes on from there.
  d.SelectAll(2, kField11);
  d.TypeKey(2, kField11, '5');
  EXPECT_EQ(d.state.eleMax, 5.0f);
}

TEST(DirectionPick, ClickInTheGraphThroughThePageEvent) {
  PagesFixture d("045EA10", "010EA00", kDirectionPage);
  const DirectionMouse& m = d.state.views.directionMouse;
  ASSERT_GT(m.r, 0);
  // Straight right of the horizontal frame's centre, near the rim (where a pixel's rounding
  // moves the angle least): azimuth 90.
  d.SetMouse(m.hx + m.r * 9 / 10, m.hy);
  d.Event(2, kGraphicArea, kMouseClick);
  EXPECT_EQ(d.state.aziMax, 90.0f);
  EXPECT_EQ(d.Text(2, kField10), "90.0");
  EXPECT_EQ(d.Status(1), " AziMax = 90°");
  // The read-out is drawn again after the graph it overlaps, so it is the last text drawn.
  ASSERT_FALSE(d.recording->Texts().empty());
  EXPECT_EQ(d.recording->Texts().back(), "    Azi = 90°   ");
  // So does a typed azimuth, whose redraw covers it too.
  d.SelectAll(2, kField10);
  d.TypeKey(2, kField10, '4');
  EXPECT_EQ(d.state.aziMax, 4.0f);
  EXPECT_EQ(d.recording->Texts().back(), "    Azi = 90°   ");
  // On the 3-D page the same click sets the test azimuth only.
  d.SwitchTo(3);
  d.SetMouse(m.hx, m.hy + m.r * 9 / 10);
  d.Event(3, kGraphicArea, kMouseClick);
  EXPECT_EQ(d.state.testAzimuth, 180.0f);
  EXPECT_EQ(d.state.aziMax, 4.0f);
  EXPECT_EQ(d.Text(3, kField10), "180.0");
}

}  // namespace
}  // namespace lobrix
