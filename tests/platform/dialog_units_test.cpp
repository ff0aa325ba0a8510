// Dialog units to pixels for the browser's controls, against MapDialogRect's arithmetic worked
// by hand for the dialog font's base units 6 x 13: x * 6 / 4 and y * 13 / 8, each field by
// itself, halves away from zero.
#include "platform/web/dialog_units.h"

#include <gtest/gtest.h>

namespace lobrix {
namespace {

TEST(DialogUnits, MapAsTheDialogManager) {
  struct Case {
    DialogRect units, pixels;
  };
  const Case cases[] = {
      {{0, 0, 357, 278}, {0, 0, 536, 452}},       // the main dialog: 535.5 and 451.75 round up
      {{1, 13, 343, 212}, {2, 21, 515, 345}},     // a page: 1.5, 21.125, 514.5, 344.5
      {{4, 3, 345, 226}, {6, 5, 518, 367}},       // the tab control: 4.875, 367.25
      {{137, 25, 202, 184}, {206, 41, 303, 299}}, // a code page's graphic area
      {{0, 0, 368, 229}, {0, 0, 552, 372}},       // the conversion window: 552 wide
      {{-2, 11, -3, -4}, {-3, 18, -5, -7}},       // negative: -4.5 and -6.5 away from zero
  };
  for (const Case& c : cases) {
    const DialogRect got = DialogToPixels(c.units);
    EXPECT_EQ(got.x, c.pixels.x) << c.units.x;
    EXPECT_EQ(got.y, c.pixels.y) << c.units.y;
    EXPECT_EQ(got.width, c.pixels.width) << c.units.width;
    EXPECT_EQ(got.height, c.pixels.height) << c.units.height;
  }
}

TEST(DialogUnits, MulDivEdges) {
  EXPECT_EQ(MulDivRound(7, 1, 0), -1);
  EXPECT_EQ(MulDivRound(5, 1, -2), -3);  // -2.5 away from zero
  EXPECT_EQ(MulDivRound(2000000000, 13, 8), -1);  // beyond an int: MulDiv's -1
  EXPECT_EQ(MulDivRound(2000000000, 6, 4), -1);
}

}  // namespace
}  // namespace lobrix
