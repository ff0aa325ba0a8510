// The Horizontal and Vertical pages' handlers on fake controls: code-type buttons, the
// parameter fields and panel, typing over, and the scale and view buttons.
#include "editor/code_page.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/editor/page_fixture.h"

namespace lobrix {
namespace {

using enum ControlEventKind;

std::vector<std::string> Letters(char first, char last, char family) {
  std::vector<std::string> items;
  for (char c = first; c <= last; ++c) items.push_back(std::string(" ") + family + c);
  return items;
}

bool Logged(const FakeControls& c, const std::string& line) {
  return std::find(c.log.begin(), c.log.end(), line) != c.log.end();
}

TEST(BuildCodePage, FieldsAndPanelOfTheCode) {
  PagesFixture d("045EA10");
  const FakeControls& p = d.pages[0];
  EXPECT_EQ(d.Items(0, kField10).size(), 65u);
  EXPECT_EQ(p.Selection(kField10), 44);
  EXPECT_EQ(d.Text(0, kField10), " 045");
  EXPECT_EQ(d.Items(0, kField11), std::vector<std::string>{" EA"});
  EXPECT_FALSE(p.IsEnabled(kField11));
  EXPECT_EQ(d.Text(0, kField12), " 10");
  EXPECT_TRUE(p.IsEnabled(kField12));
  // Group B for EA: six controls from 50, the range in the first label.
  for (int id = 50; id <= 55; ++id) EXPECT_TRUE(p.Exists(id)) << id;
  EXPECT_FALSE(p.Exists(56));
  EXPECT_TRUE(d.Text(0, 50).ends_with("1°- 65°"));
  EXPECT_TRUE(p.IsEnabled(kViewButton));
  EXPECT_EQ(p.Find(kField10)->tooltip, "Setting of parametters of Ant. code");
  EXPECT_EQ(p.Find(101)->tooltip, "Setting of Horiz. ant. code");
  // Page 1 shows the omnidirectional vertical code: group A, fields disabled.
  EXPECT_EQ(d.Text(1, 50), "Omnidirect. diagram  000ND00");
  EXPECT_FALSE(d.pages[1].Exists(51));
  EXPECT_FALSE(d.pages[1].IsEnabled(kField10));
  EXPECT_EQ(d.Text(1, kField11), " ND");
}

TEST(BuildCodePage, PanelTextsInCzech) {
  PagesFixture d("000KA30", "510WC12", kHorizontalPage, kCzech);
  EXPECT_EQ(d.Text(0, 50), " = poloměr minima       0 - 100 [%]");
  EXPECT_EQ(d.Text(0, 53), " = poloměr                   obálky  0-99 [%]");
  EXPECT_EQ(d.Text(1, 56), " = velikost přední         a  zadní obálky");
  EXPECT_TRUE(d.pages[1].Exists(59));
  EXPECT_EQ(d.Items(1, kField11), Letters('A', 'I', 'W'));
  EXPECT_EQ(d.pages[1].Selection(kField11), 2);
  EXPECT_EQ(d.pages[1].Find(101)->tooltip, "Nastavení Vert. ant.kódu - Mechanická elevace");
}

TEST(ChooseCodeType, OmniAndBackGivesTheCodeBack) {
  PagesFixture d("045EA10");
  d.Click(0, 101);
  EXPECT_EQ(d.state.hCode, "000ND00");
  EXPECT_FALSE(d.pages[0].IsEnabled(kField10));
  EXPECT_FALSE(d.pages[0].Exists(51));  // group A: one label
  EXPECT_EQ(d.pages[0].FocusedId(), kScaleButton);
  EXPECT_EQ(d.Status(0), " H-code: 000ND00");
  d.Click(0, 102);
  EXPECT_EQ(d.state.hCode, "045EA10");
  EXPECT_EQ(d.pages[0].FocusedId(), kField10);
  d.Click(0, 101);
  d.Click(0, 101);  // ND again keeps what ND remembered
  d.Click(0, 102);
  EXPECT_EQ(d.state.hCode, "045EA10");
  EXPECT_EQ(d.Status(0), " H-code: 045EA10");
}

TEST(ChooseCodeType, FromOmniWithNothingRememberedAndAcrossPages) {
  PagesFixture d;
  d.Click(0, 102);
  EXPECT_EQ(d.state.hCode, "060EA00");
  // What page 0 remembers serves page 1 too: the parameters live beyond one page.
  d.Click(0, 101);
  d.SwitchTo(1);
  d.Click(1, 113);
  EXPECT_EQ(d.state.vCode, "060TA00");
  EXPECT_EQ(d.state.hCode, "000ND00");
}

TEST(ChooseCodeType, RememberedParametersOutliveTheDialog) {
  {
    PagesFixture d("120LA07");
    d.Click(0, 101);
  }
  // A second opening of the dialog in the same process (without the fixture's reset).
  RememberedParameters kept = ProcessRememberedParameters();
  PagesFixture d;
  ProcessRememberedParameters() = kept;
  d.Click(0, 106);
  EXPECT_EQ(d.state.hCode, "120LA07");
}

TEST(ChooseCodeType, ClampsIntoTheRangeOfTheNewType) {
  PagesFixture d("096EC05");
  d.Click(0, 103);
  EXPECT_EQ(d.state.hCode, "079EB05");
  EXPECT_EQ(d.Items(0, kField10).size(), 79u);
  EXPECT_TRUE(d.Text(0, 50).ends_with("1°- 79°"));
}

TEST(ChooseCodeType, LetterFamiliesOnTheVerticalPage) {
  PagesFixture d("000ND00", "000ND00", kVerticalPage);
  d.Click(1, 114);
  EXPECT_EQ(d.state.vCode, "060PA00");
  EXPECT_EQ(d.Items(1, kField11), Letters('A', 'Z', 'P'));
  EXPECT_TRUE(d.pages[1].IsEnabled(kField11));
  EXPECT_EQ(d.Text(1, 50), " = 10 x 1/2 beam      width  1°- 890°");
  d.state.vCode = "999VC20";
  BuildParameterPanel(d.state, d.ui, 1, d.state.vCode);
  d.Click(1, 112);
  EXPECT_EQ(d.state.vCode, "999WA20");
  EXPECT_EQ(d.Items(1, kField11), Letters('A', 'I', 'W'));
  EXPECT_EQ(d.Status(2), " V-code: 999WA20");
  EXPECT_EQ(d.state.hCode, "000ND00");
}

TEST(ChooseCodeType, PanelRebuiltOnlyWhenItsTextsChange) {
  PagesFixture d("030CA10");
  d.ClearLogs();
  d.Click(0, 108);  // CA -> CB: group C either way
  EXPECT_EQ(d.state.hCode, "030CB10");
  EXPECT_FALSE(Logged(d.pages[0], "Destroy 50"));
  d.Click(0, 102);  // -> EA: group B
  EXPECT_TRUE(Logged(d.pages[0], "Destroy 55"));
  EXPECT_TRUE(d.Text(0, 50).ends_with("1°- 65°"));
  d.ClearLogs();
  d.Click(0, 106);  // EA -> LA: group B with another range
  EXPECT_TRUE(Logged(d.pages[0], "Destroy 50"));
  EXPECT_TRUE(d.Text(0, 50).ends_with("1°- 120°"));
}

TEST(ParameterFields, ListChoiceChangesTheCode) {
  PagesFixture d("000VB05", "000ND00", kHorizontalPage);
  d.FocusField(0, kField11);
  EXPECT_EQ(d.ui.focusPage, 0);
  EXPECT_EQ(d.ui.focusId, kField11);
  d.pages[0].Select(kField11, 4);
  d.Event(0, kField11, kSelectionChanged);
  EXPECT_EQ(d.state.hCode, "000VE05");
  d.ClearLogs();
  // The same item again: nothing to compose, nothing redrawn.
  d.Event(0, kField11, kSelectionChanged);
  EXPECT_EQ(d.Drawn(), 0u);
  d.FocusField(0, kField12);
  d.pages[0].Select(kField12, 99);
  d.Event(0, kField12, kSelectionChanged);
  EXPECT_EQ(d.state.hCode, "000VE99");
  EXPECT_GT(d.Drawn(), 0u);
  EXPECT_EQ(d.Status(0), " H-code: 000VE99");
}

TEST(ParameterFields, TypingOverKeepsTheNumberInRange) {
  PagesFixture d("060LA00");
  d.FocusField(0, kField10);
  d.SelectAll(0, kField10);
  d.TypeKey(0, kField10, '1');
  EXPECT_EQ(d.Text(0, kField10), " 100");
  EXPECT_EQ(d.state.hCode, "100LA00");
  d.TypeKey(0, kField10, '5');
  EXPECT_EQ(d.Text(0, kField10), " 120");
  d.TypeKey(0, kField10, '0');
  EXPECT_EQ(d.Text(0, kField10), " 120");
  EXPECT_EQ(d.state.hCode, "120LA00");
  // At the end the caret stays before the last digit: the next key overtypes it.
  EXPECT_EQ(d.pages[0].EditSelection(kField10).start, 3);
  d.TypeKey(0, kField10, '5');
  EXPECT_EQ(d.Text(0, kField10), " 120");  // 125 is beyond the range
  EXPECT_EQ(d.Status(0), " H-code: 120LA00");
}

TEST(ParameterFields, TypedDigitRedrawsWithTheNewCode) {
  PagesFixture d("045EA10");
  d.FocusField(0, kField10);
  d.SelectAll(0, kField10);
  d.ClearLogs();
  d.TypeKey(0, kField10, '7');
  EXPECT_EQ(d.Text(0, kField10), " 060");
  EXPECT_EQ(d.state.hCode, "060EA10");
  EXPECT_GT(d.Drawn(), 100u);
  // The caret stands after the typed digit with the rest selected.
  EXPECT_EQ(d.pages[0].EditSelection(kField10).start, 3);
  // A type button now reads the typed text (no list item is selected any more).
  d.Click(0, 103);
  EXPECT_EQ(d.state.hCode, "060EB10");
}

TEST(ParameterFields, TypingTheSecondNumber) {
  PagesFixture d("045EA10");
  d.FocusField(0, kField12);
  d.SelectAll(0, kField12);
  d.TypeKeys(0, kField12, "57");
  EXPECT_EQ(d.Text(0, kField12), " 57");
  EXPECT_EQ(d.state.hCode, "045EA57");
  d.TypeKey(0, kField12, 'x');  // over the selected 7: the letter dropped, 0 filled in
  EXPECT_EQ(d.Text(0, kField12), " 50");
}

TEST(ParameterFields, TypingOnTheVerticalPageChangesVCode) {
  PagesFixture d("045EA10", "100TA00", kVerticalPage);
  d.FocusField(1, kField10);
  d.SelectAll(1, kField10);
  d.TypeKeys(1, kField10, "95");
  EXPECT_EQ(d.state.vCode, "095TA00");
  EXPECT_EQ(d.state.hCode, "045EA10");
  EXPECT_EQ(d.Status(2), " V-code: 095TA00");
}

TEST(ToggleScale, BothPagesNameTheNextScale) {
  PagesFixture d("045EA10");
  d.ClearLogs();
  d.Click(0, kScaleButton);
  EXPECT_EQ(d.state.scaleMode, kScaleLinear);
  EXPECT_EQ(d.Text(0, kScaleButton), "&dB scale");
  EXPECT_EQ(d.Text(1, kScaleButton), "&dB scale");
  EXPECT_EQ(d.pages[0].FocusedId(), kField10);
  EXPECT_GT(d.Drawn(), 100u);
  d.Click(0, kScaleButton);
  EXPECT_EQ(d.state.scaleMode, kScaleDecibel);
  EXPECT_EQ(d.Text(1, kScaleButton), "&Lin scale");
}

TEST(ToggleScale, CzechAndOmniKeepsTheFocus) {
  PagesFixture d("000ND00", "000ND00", kVerticalPage, kCzech);
  d.pages[1].Focus(kScaleButton);
  d.Click(1, kScaleButton);
  EXPECT_EQ(d.Text(0, kScaleButton), "&dB meřítko");
  EXPECT_EQ(d.pages[1].FocusedId(), kScaleButton);
  d.Click(1, kScaleButton);
  EXPECT_EQ(d.Text(1, kScaleButton), "&Lin meřítko");
}

TEST(ToggleView, TableAndGraphOnTheHorizontalPage) {
  PagesFixture d("045EA10");
  EXPECT_EQ(d.Text(0, kViewButton), "&Table");
  d.ClearLogs();
  d.Click(0, kViewButton);
  EXPECT_EQ(d.state.alternateView, 1);
  EXPECT_EQ(d.Text(0, kViewButton), "&Graph");
  EXPECT_TRUE(d.recording->FindText("045EA10") != nullptr);
  d.Click(0, kViewButton);
  EXPECT_EQ(d.state.alternateView, 0);
  EXPECT_EQ(d.Text(0, kViewButton), "&Table");
  // A page change returns to the graph and its button text.
  d.Click(0, kViewButton);
  d.SwitchTo(1);
  d.SwitchTo(0);
  EXPECT_EQ(d.state.alternateView, 0);
  EXPECT_EQ(d.Text(0, kViewButton), "&Table");
}

TEST(ToggleView, PolarAndXYOnTheVerticalPage) {
  PagesFixture d("045EA10", "010EA00", kVerticalPage, kCzech);
  EXPECT_EQ(d.Text(1, kViewButton), "&X ,Y graf");
  d.Click(1, kViewButton);
  EXPECT_EQ(d.state.alternateView, 1);
  EXPECT_EQ(d.Text(1, kViewButton), "&Polární graf");
  d.Click(1, kViewButton);
  EXPECT_EQ(d.state.alternateView, 0);
  EXPECT_EQ(d.Text(1, kViewButton), "&X ,Y graf");
}

}  // namespace
}  // namespace lobrix
