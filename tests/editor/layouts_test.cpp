// The dialog and page tables: what the Windows side builds its templates from.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "editor/main_dialog_layout.h"
#include "editor/page_layouts.h"

namespace lobrix {
namespace {

const ControlRow* Row(std::span<const ControlRow> rows, int id) {
  for (const ControlRow& row : rows)
    if (row.id == id) return &row;
  return nullptr;
}

bool Inside(const DialogRect& r, const DialogRect& outer) {
  return r.x >= 0 && r.y >= 0 && r.x + r.width <= outer.width && r.y + r.height <= outer.height;
}

TEST(MainDialogRows, CreationOrderGeometryAndStates) {
  const auto rows = MainDialogRows();
  std::vector<int> ids;
  for (const ControlRow& row : rows) ids.push_back(row.id);
  EXPECT_EQ(ids, (std::vector<int>{90, 4, 3, 5, 1, 2}));
  for (const ControlRow& row : rows) {
    EXPECT_TRUE(Inside(row.rect, kMainDialogRect)) << row.id;
    if (row.id != kTabControl) {
      EXPECT_EQ(row.rect.y, 234) << row.id;
      EXPECT_EQ(row.rect.height, 13) << row.id;
      EXPECT_FALSE(row.tooltip.english.empty() || row.tooltip.czech.empty()) << row.id;
    }
  }
  EXPECT_EQ(Row(rows, 5)->styles & kStyleDisabled, 0u);
  EXPECT_EQ(Row(rows, 1)->styles & kStyleDisabled, 0u);
  EXPECT_EQ(Row(rows, 4)->picture, "kniha");
  EXPECT_EQ(Row(rows, 1)->text.czech, "&Přenést");
  EXPECT_EQ(Row(rows, 5)->text.english, "from  &Kathrein files");
  // The pages fit in the tab control.
  const DialogRect tab = Row(rows, kTabControl)->rect;
  EXPECT_LE(kPageRect.x + kPageRect.width, tab.width);
  EXPECT_LE(kPageRect.y + kPageRect.height, tab.height);
}

TEST(PageRows, EveryControlFitsItsPageOnce) {
  for (int page = 0; page < 4; ++page) {
    std::set<int> ids;
    for (const ControlRow& row : PageRows(page)) {
      EXPECT_TRUE(ids.insert(row.id).second) << page << ": " << row.id;
      // A combo box's height is its dropped list, which may reach past the page.
      if (row.kind == ControlKind::kComboDropDown || row.kind == ControlKind::kComboDropDownList)
        continue;
      EXPECT_TRUE(Inside(row.rect, kPageRect)) << page << ": " << row.id;
    }
    const bool codePage = page < 2;
    EXPECT_TRUE(ids.count(kGraphicArea) && ids.count(codePage ? kNumberField : kAzimuthField) &&
                ids.count(codePage ? kTypeField : kElevationField))
        << page;
  }
  EXPECT_TRUE(PageRows(4).empty());
}

TEST(PageRows, CodeButtonsOfBothCodePages) {
  const auto horizontal = PageRows(0);
  const auto vertical = PageRows(1);
  for (int id = 101; id <= 112; ++id) {
    const ControlRow* h = Row(horizontal, id);
    const ControlRow* v = Row(vertical, id);
    ASSERT_TRUE(h && v) << id;
    EXPECT_EQ(h->rect.x, 3 + 28 * (id - 101));
    EXPECT_EQ(v->rect.x, h->rect.x);
    EXPECT_EQ(h->rect.width, 28);
  }
  EXPECT_EQ(Row(horizontal, 101)->picture, "H_ND");
  EXPECT_EQ(Row(vertical, 101)->picture, "H_ND");  // the same picture on both pages
  EXPECT_EQ(Row(horizontal, 111)->picture, "H_V");
  EXPECT_EQ(Row(vertical, 112)->picture, "VC_W");
  EXPECT_EQ(Row(horizontal, 113)->picture, "H_TA");
  EXPECT_EQ(Row(vertical, 113)->picture, "V_TA");
  EXPECT_EQ(Row(vertical, 113)->tooltip.english, "Setting of Vert. ant.code - Eletrical tilting");
  EXPECT_EQ(Row(horizontal, 114), nullptr);
  EXPECT_EQ(Row(vertical, 114)->text.english, "PA-PZ ");
  EXPECT_TRUE(Row(vertical, 114)->tooltip.english.empty());
  EXPECT_EQ(Row(horizontal, kTypeField)->kind, ControlKind::kComboDropDownList);
  EXPECT_EQ(Row(horizontal, kSecondField)->rect.height, 115);
  EXPECT_EQ(Row(horizontal, kViewButton)->rect.x, 78);
  EXPECT_EQ(Row(vertical, kViewButton)->rect.width, 46);
}

TEST(PageRows, DirectionRowsAndLabels) {
  const auto direction = PageRows(2);
  const auto threeD = PageRows(3);
  std::vector<int> ids;
  for (const ControlRow& row : threeD) ids.push_back(row.id);
  EXPECT_EQ(ids, (std::vector<int>{15, 50, 10, 51, 52, 11}));
  EXPECT_EQ(std::string(Row(direction, 50)->text.english), "Azimuth Max  =                °");
  EXPECT_EQ(std::string(Row(threeD, 52)->text.czech), "  test Elevace  =                °");
  EXPECT_EQ(Row(direction, kElevationField)->rect.x, 298);
  EXPECT_EQ(Row(threeD, kAzimuthField)->text.english, "0");
  EXPECT_EQ(Row(threeD, kElevationField)->tooltip.czech,
            "Nastavení Test elevačního kuželu pro Levý diagram");
}

}  // namespace
}  // namespace lobrix
