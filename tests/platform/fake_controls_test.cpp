// The in-memory controls behave as the Windows controls the handlers are written for: a
// handler tested on them must see what it would see in the real dialog.
#include "platform/fake/fake_controls.h"

#include <gtest/gtest.h>

namespace lobrix {
namespace {

constexpr ControlRow kButton{.id = 3,
                             .kind = ControlKind::kPushButton,
                             .styles = kStyleDisabled,
                             .rect = {68, 234, 71, 13},
                             .text = {"C&opy to Clipboard", "O&br. do Clipboardu"},
                             .tooltip = {"Pastes", "Vloží"}};
constexpr ControlRow kCombo{.id = 10,
                            .kind = ControlKind::kComboDropDown,
                            .styles = kStyleTabStop | kStyleVScroll,
                            .rect = {20, 145, 32, 115}};
constexpr ControlRow kEdit{
    .id = 11, .kind = ControlKind::kEdit, .rect = {298, 195, 26, 11}, .text = {"0", "0"}};

TEST(FakeControls, CreatesFromTheRowInTheRunsLanguage) {
  FakeControls english, czech;
  english.Create(kButton, kEnglish);
  czech.Create(kButton, kCzech);
  EXPECT_EQ(english.Text(3), "C&opy to Clipboard");
  EXPECT_EQ(czech.Text(3), "O&br. do Clipboardu");
  EXPECT_EQ(czech.Find(3)->tooltip, "Vloží");
  EXPECT_FALSE(english.IsEnabled(3));
  english.Destroy(3);
  EXPECT_FALSE(english.Exists(3));
}

TEST(FakeControls, ComboEditPartFollowsTheListAndTheUser) {
  FakeControls d;
  d.Create(kCombo, kEnglish);
  for (const char* item : {" 000", " 001", " 002"}) d.AddItem(10, item);
  d.Select(10, 2);
  EXPECT_EQ(d.Text(10), " 002");
  EXPECT_EQ(d.Selection(10), 2);
  d.Type(10, " 1", {2, 2});
  EXPECT_EQ(d.Selection(10), -1);  // typed text is no list choice
  EXPECT_EQ(d.Text(10), " 1");
  d.Select(10, 7);  // out of range: nothing selected, edit part empty
  EXPECT_EQ(d.Selection(10), -1);
  EXPECT_EQ(d.Text(10), "");
  d.Select(10, 0);
  d.ClearItems(10);
  EXPECT_EQ(d.ItemCount(10), 0);
  EXPECT_EQ(d.Text(10), "");
  EXPECT_EQ(d.ItemText(10, 0), "");
}

TEST(FakeControls, EditSelectionStaysInsideTheText) {
  FakeControls d;
  d.Create(kEdit, kEnglish);
  d.SetText(11, "-90.0");
  d.SetEditSelection(11, {0, 1});
  EXPECT_EQ(d.EditSelection(11).start, 0);
  EXPECT_EQ(d.EditSelection(11).end, 1);
  d.SetEditSelection(11, {4, 99});
  EXPECT_EQ(d.EditSelection(11).end, 5);
}

TEST(FakeControls, OneFocusAcrossDialogs) {
  FakeFocus focus;
  FakeControls page(&focus), main(&focus);
  page.Create(kCombo, kEnglish);
  main.Create({.id = 2, .kind = ControlKind::kPushButton}, kEnglish);
  main.Create(kButton, kEnglish);
  page.Focus(10);
  EXPECT_EQ(page.FocusedId(), 10);
  main.Focus(3);  // disabled: the focus stays where it was
  EXPECT_EQ(page.FocusedId(), 10);
  main.Focus(2);
  EXPECT_EQ(page.FocusedId(), 0);
  EXPECT_EQ(main.FocusedId(), 2);
  main.Destroy(2);
  EXPECT_EQ(main.FocusedId(), 0);
}

TEST(FakeControls, MissingIdsReadEmptyAndChangeNothing) {
  FakeControls d;
  d.SetText(42, "x");
  d.Select(42, 0);
  d.Focus(42);
  EXPECT_TRUE(d.log.empty());
  EXPECT_EQ(d.Text(42), "");
  EXPECT_EQ(d.Selection(42), -1);
  EXPECT_FALSE(d.IsVisible(42));
  EXPECT_EQ(d.FocusedId(), 0);
}

TEST(FakeControls, LogsChangesInOrder) {
  FakeControls d;
  d.Create({.id = 95, .kind = ControlKind::kStatusBar}, kEnglish);
  d.SetPartText(95, 1, " AziMax = 45°");
  d.StartTimer(91, 250);
  d.StopTimer(91);
  d.EndDialog(1);
  EXPECT_EQ(d.PartText(95, 1), " AziMax = 45°");
  const std::vector<std::string> expected{"Create 95", "SetPartText 95 1  AziMax = 45°",
                                          "StartTimer 91 250", "StopTimer 91", "EndDialog 1"};
  EXPECT_EQ(d.log, expected);
  EXPECT_EQ(d.endResult, 1);
  EXPECT_TRUE(d.timers.empty());
}

}  // namespace
}  // namespace lobrix
