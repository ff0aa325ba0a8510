// The direction page: cuts, heading and the mouse pick shared with the 3-D page.
#include "render/direction_views.h"

#include <gtest/gtest.h>

#include "model/antenna_pattern.h"
#include "tests/render/render_fixture.h"

namespace lobrix {
namespace {

// Frames as the direction page puts them on a 1404 x 1000 surface.
DirectionMouse Frames() {
  return {351, 500, 1053, 500, 350, 702, 144};
}

TEST(DirectionPick, AzimuthSide) {
  const DirectionMouse m = Frames();
  EXPECT_EQ(ReadDirection(m, 351, 300).angle, 0);
  EXPECT_EQ(ReadDirection(m, 351, 300).text, "Azi = 0°");
  EXPECT_EQ(ReadDirection(m, 551, 500).angle, 90);
  EXPECT_EQ(ReadDirection(m, 351, 500).angle, 270);             // the centre
  const DirectionPick near_north = ReadDirection(m, 349, 200);  // 359.6 degrees
  EXPECT_EQ(near_north.what, PickedAngle::kAzimuth);
  EXPECT_EQ(near_north.angle, 0);                                  // within 0 .. <360
  EXPECT_EQ(ReadDirection(m, 351, 868).what, PickedAngle::kNone);  // 1.051 R
  EXPECT_EQ(DirectionReadoutLine(ReadDirection(m, 351, 868)), std::string(18, ' '));
}

TEST(DirectionPick, ElevationSideFoldsTheBackwardHalf) {
  const DirectionMouse m = Frames();
  EXPECT_EQ(ReadDirection(m, 1203, 500).angle, 0);    // right: forward horizon
  EXPECT_EQ(ReadDirection(m, 903, 500).angle, 0);     // left: backward horizon, folded
  EXPECT_EQ(ReadDirection(m, 1053, 700).angle, -90);  // below
  EXPECT_EQ(ReadDirection(m, 1053, 300).angle, 90);   // above
  EXPECT_EQ(ReadDirection(m, 903, 413).angle, 30);    // upper left: 30 above the back horizon
  const DirectionPick below = ReadDirection(m, 1153, 600);
  EXPECT_EQ(below.what, PickedAngle::kElevation);
  EXPECT_EQ(below.text, "Ele = -45°");
  EXPECT_EQ(DirectionReadoutLine(below), "    Ele = -45°   ");
  EXPECT_EQ(ReadDirection(m, 1153, 400).text, "Ele = 45°");
  EXPECT_EQ(ReadDirection(DirectionMouse{}, 1153, 400).what, PickedAngle::kNone);
}

TEST(TrackDirectionMouse, ShowsAndReturnsThePickWithoutSettingAnAngle) {
  TestSurface s(1404, 1000);
  ViewMemory views;
  EXPECT_EQ(TrackDirectionMouse(*s.gfx, views, 551, 500, kMouseClick, 0, 0).what,
            PickedAngle::kNone);  // before the set-up: nothing
  TrackDirectionMouse(*s.gfx, views, 351, 500, 350, 1053, 500);
  EXPECT_TRUE(s.device->records.empty());  // neither draws
  EXPECT_EQ(views.directionMouse.divideX, 702);

  const DirectionPick move = TrackDirectionMouse(*s.gfx, views, 551, 500, kMouseMove, 0, 0);
  EXPECT_EQ(move.what, PickedAngle::kAzimuth);
  EXPECT_EQ(move.angle, 90);
  const DrawRecord* line = s.device->FindText("Azi = 90°");
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->align, kAlignCenter);
  EXPECT_EQ(line->y, 144);  // 0.41 R
  EXPECT_EQ(line->font.weight, 9);

  const DirectionPick click = TrackDirectionMouse(*s.gfx, views, 1153, 600, kMouseClick, 0, 0);
  EXPECT_EQ(click.what, PickedAngle::kElevation);
  EXPECT_EQ(click.angle, -45);
  const DirectionPick outside = TrackDirectionMouse(*s.gfx, views, 351, 900, kMouseClick, 0, 0);
  EXPECT_EQ(outside.what, PickedAngle::kNone);
  EXPECT_EQ(s.device->Texts().back(), std::string(18, ' '));  // erases the last read-out
}

TEST(DirectionHeading, NumbersCentredByLeadingBlanks) {
  TestSurface s(1404, 1000);
  DrawingInput input;
  input.aziMax = 7.5f;
  input.eleMax = -2.5f;
  input.hCode = "030EA10";
  DrawDirectionHeading(*s.gfx, input);
  const auto texts = s.device->Texts();
  ASSERT_EQ(texts.size(), 4u);
  EXPECT_EQ(texts[0], "   Azimuth of Max.radiation = 7.5°      ");
  EXPECT_EQ(texts[1], "  Elevation of Max.radiation = -2.5°      ");
  EXPECT_EQ(texts[2], "Horizontal ant.code: 030EA10");
  EXPECT_EQ(texts[3], "Vertical ant.code: 000ND00");
  input.aziMax = 127.5f;
  input.language = kCzech;
  TestSurface cz(1404, 1000);
  DrawDirectionHeading(*cz.gfx, input);
  EXPECT_EQ(cz.device->Texts()[0], "  Azimut  Max.vyzařování = 127.5°      ");
  EXPECT_TRUE(At(cz.device->OfKind(DrawKind::kText)[0], {74, 25}));  // 0.053 X
}

TEST(DirectionViews, CutsTurnedToTheBeam) {
  TestSurface s(1404, 1000);
  DrawingInput input;
  ViewMemory views;
  input.hCode = "030EB00";
  input.aziMax = 90;
  DrawAzimuthView(*s.gfx, input, views, 351, 500, 350);
  const auto radius = s.device->LinesOfColor(0xFF0000);
  ASSERT_EQ(radius.size(), 1u);
  EXPECT_TRUE(At(radius[0], {701, 500}));
  EXPECT_EQ(radius[0].pen.style, kPenDotted);
  const auto cut = s.device->LinesOfColor(0x0000D2);
  ASSERT_EQ(cut.size(), 360u);
  EXPECT_TRUE(EndsAt(cut[89], {701, 500}));  // the beam, at full radius, points east
  EXPECT_EQ(cut[0].pen.style, kPenSolid);

  TestSurface bad(1404, 1000);
  input.vCode = "x";
  DrawElevationView(*bad.gfx, input, views, 1053, 500, 350);
  EXPECT_EQ(bad.device->Count(DrawKind::kLine), 1);  // only the dotted radius
}

// 510VE00 has its second lobe 20 degrees from the main one in the positive sense of its angle:
// clockwise in azimuth as a horizontal code, below the beam as a vertical code (which is read at
// minus the elevation). Drawn turned to AziMax 300 and tilted down to EleMax -7, each lobe must
// appear where its direction points; a mirrored or upturned drawing puts them elsewhere.
constexpr GfxColor kDirectionBlue = 0xFF0000, kCutRed = 0x0000D2;
const PolarFrame kLeft{351, 500, 350}, kRight{1053, 500, 350};

DrawingInput TurnedVeePair() {
  DrawingInput input;
  input.hCode = "510VE00";
  input.vCode = "510VE00";
  input.aziMax = 300;
  input.eleMax = -7;
  return input;
}

TEST(DirectionViews, AzimuthCutIsTheHorizontalCodeTurnedClockwiseToAziMax) {
  TestSurface s(1404, 1000);
  ViewMemory views;
  DrawAzimuthView(*s.gfx, TurnedVeePair(), views, kLeft.cx, kLeft.cy, kLeft.r);
  EXPECT_TRUE(StartsNear(s.device->LinesOfColor(kDirectionBlue).at(0), AzimuthSpot(kLeft, 300, 1)));
  const auto cut = s.device->LinesOfColor(kCutRed);
  ASSERT_EQ(cut.size(), 360u);
  // On the horizon the cut is the horizontal code itself, at the azimuth less AziMax.
  for (int a = 1; a <= 360; ++a) {
    const float v = ANT93("510VE00", static_cast<float>(a - 300), kRelativeField);
    EXPECT_TRUE(EndsNear(cut[a - 1], AzimuthSpot(kLeft, a, v))) << "azimuth " << a;
  }
  EXPECT_TRUE(EndsNear(cut[299], AzimuthSpot(kLeft, 300, 1)));  // main lobe on the rim
  EXPECT_TRUE(EndsNear(cut[319], AzimuthSpot(kLeft, 320, 1)));  // second lobe, clockwise
  EXPECT_FALSE(EndsNear(cut[279], AzimuthSpot(kLeft, 280, 1)));
}

TEST(DirectionViews, ElevationCutShowsTheDowntiltBelowTheHorizon) {
  TestSurface s(1404, 1000);
  ViewMemory views;
  const DrawingInput input = TurnedVeePair();
  DrawElevationView(*s.gfx, input, views, kRight.cx, kRight.cy, kRight.r);
  EXPECT_TRUE(
      StartsNear(s.device->LinesOfColor(kDirectionBlue).at(0), ElevationSpot(kRight, -7, 1)));
  const auto cut = s.device->LinesOfColor(kCutRed);
  ASSERT_EQ(cut.size(), 361u);
  // Forward half, e = -89 .. 90: up to 90 degrees above the tilted beam (e = 83) it is the
  // vertical code at the angle below the beam, -7 - e.
  for (int e = -89; e <= 83; ++e) {
    const float v = ANT93("510VE00", static_cast<float>(-7 - e), kRelativeField);
    EXPECT_TRUE(EndsNear(cut[e + 89], ElevationSpot(kRight, e, v))) << "elevation " << e;
  }
  EXPECT_TRUE(EndsNear(cut[-7 + 89], ElevationSpot(kRight, -7, 1)));    // main lobe
  EXPECT_TRUE(EndsNear(cut[-27 + 89], ElevationSpot(kRight, -27, 1)));  // second lobe below
  EXPECT_FALSE(EndsNear(cut[7 + 89], ElevationSpot(kRight, 7, 1)));     // not tilted up
  // Backward half, e = 89 .. -90, towards azimuth 180.
  for (int e = 89; e >= -90; --e) {
    const float v = ANT3D("510VE00", 180, 0, "510VE00", static_cast<float>(e), -7, kRelativeField);
    EXPECT_TRUE(EndsNear(cut[180 + 89 - e], ElevationSpot(kRight, e, v, true)))
        << "elevation " << e;
  }
}

}  // namespace
}  // namespace lobrix
