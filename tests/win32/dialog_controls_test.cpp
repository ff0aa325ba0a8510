// The Windows side of the control tables under Wine: a dialog made from an in-memory template
// has each row's control with its class, styles, text and place; controls made later through
// the control interface match them; the interface reads and sets combo boxes, edit
// selections, tab items and the focus; and Windows notifications become the right events.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <string>

#include "platform/win32/controls_win32.h"
#include "platform/win32/dialog_procedure.h"
#include "platform/win32/dialog_template.h"

namespace lobrix {
namespace {

constexpr ControlRow kRows[] = {
    {.id = 7,
     .kind = ControlKind::kPushButton,
     .styles = kStyleTabStop,
     .rect = {5, 80, 40, 13},
     .text = {"&Go", "&Jdi"}},
    {.id = 10,
     .kind = ControlKind::kEdit,
     .styles = kStyleDisabled,
     .rect = {5, 5, 30, 11},
     .text = {"12", "12"}},
    {.id = 11,
     .kind = ControlKind::kComboDropDown,
     .styles = kStyleTabStop | kStyleVScroll,
     .rect = {40, 5, 32, 80}},
    {.id = 12,
     .kind = ControlKind::kComboDropDownList,
     .styles = kStyleTabStop,
     .rect = {80, 5, 32, 80}},
    {.id = 50,
     .kind = ControlKind::kLabel,
     .rect = {5, 30, 60, 8},
     .text = {"Transfer", "P\u0159en\u00E9st"}},
    {.id = 15,
     .kind = ControlKind::kGraphicArea,
     .styles = kStyleSunken,
     .rect = {120, 20, 70, 50}},
    {.id = 90, .kind = ControlKind::kTab, .styles = kStyleControlParent, .rect = {5, 45, 100, 30}},
};

INT_PTR CALLBACK PlainProcedure(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

std::wstring TextOf(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

// The control's rectangle in the dialog's client pixels.
RECT PlaceOf(HWND dialog, HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

class DialogControlsTest : public testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    form_ = BuildDialogTemplate(
        {WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, {10, 10, 200, 100}, "Zkou\u0161ka"}, kRows, kCzech);
    dialog_ = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                         reinterpret_cast<LPCDLGTEMPLATEW>(form_.data()), nullptr,
                                         PlainProcedure, 0);
    ASSERT_NE(dialog_, nullptr);
    controls_.Attach(dialog_);
  }
  void TearDown() override {
    controls_.Detach();
    if (dialog_) DestroyWindow(dialog_);
  }

  // A row's rectangle as the dialog manager converts it: each value by itself.
  RECT Expected(const DialogRect& d) const {
    RECT r{d.x, d.y, d.width, d.height};
    MapDialogRect(dialog_, &r);
    return RECT{r.left, r.top, r.left + r.right, r.top + r.bottom};
  }

  std::vector<std::uint16_t> form_;
  HWND dialog_ = nullptr;
  ControlsWin32 controls_;
};

TEST_F(DialogControlsTest, TemplateMakesEveryRowInPlaceWithItsClassStylesAndText) {
  EXPECT_EQ(TextOf(dialog_), L"Zkou\u0161ka");
  const wchar_t* classes[] = {L"Button", L"Edit",   L"ComboBox",       L"ComboBox",
                              L"Static", L"Static", L"SysTabControl32"};
  for (std::size_t i = 0; i < std::size(kRows); ++i) {
    const ControlRow& row = kRows[i];
    SCOPED_TRACE(row.id);
    const HWND control = GetDlgItem(dialog_, row.id);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(_wcsicmp(ClassOf(control).c_str(), classes[i]), 0) << ClassOf(control).c_str();
    const RECT want = Expected(row.rect), got = PlaceOf(dialog_, control);
    EXPECT_EQ(got.left, want.left);
    EXPECT_EQ(got.top, want.top);
    EXPECT_EQ(got.right, want.right);
    if (row.kind != ControlKind::kComboDropDown && row.kind != ControlKind::kComboDropDownList) {
      EXPECT_EQ(got.bottom, want.bottom);  // a combo box is as high as its edit part
    }
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    EXPECT_EQ((style & WS_TABSTOP) != 0, (row.styles & kStyleTabStop) != 0);
    EXPECT_EQ((style & WS_DISABLED) != 0, (row.styles & kStyleDisabled) != 0);
    const bool combo =
        row.kind == ControlKind::kComboDropDown || row.kind == ControlKind::kComboDropDownList;
    // A combo box passes its scroll bar on to its list.
    if (!combo) {
      EXPECT_EQ((style & WS_VSCROLL) != 0, (row.styles & kStyleVScroll) != 0);
    }
    const LONG exStyle = GetWindowLongW(control, GWL_EXSTYLE);
    // An edit box turns its border into a sunken edge.
    const bool sunken = (row.styles & kStyleSunken) != 0 || row.kind == ControlKind::kEdit;
    EXPECT_EQ((exStyle & WS_EX_CLIENTEDGE) != 0, sunken);
    EXPECT_EQ((exStyle & WS_EX_CONTROLPARENT) != 0, (row.styles & kStyleControlParent) != 0);
  }
  EXPECT_EQ(TextOf(GetDlgItem(dialog_, 50)), L"P\u0159en\u00E9st");
  EXPECT_EQ(TextOf(GetDlgItem(dialog_, 7)), L"&Jdi");
  EXPECT_EQ(GetWindowLongW(GetDlgItem(dialog_, 12), GWL_STYLE) & 3, CBS_DROPDOWNLIST);
}

TEST_F(DialogControlsTest, ControlMadeLaterMatchesATemplateControl) {
  const ControlRow label{.id = 51,
                         .kind = ControlKind::kLabel,
                         .rect = {5, 30, 60, 8},
                         .text = {"A", "B"},
                         .tooltip = {"tip", "tip"}};
  controls_.Create(label, kEnglish);
  const HWND made = GetDlgItem(dialog_, 51);
  ASSERT_NE(made, nullptr);
  const RECT a = PlaceOf(dialog_, made), b = PlaceOf(dialog_, GetDlgItem(dialog_, 50));
  EXPECT_TRUE(EqualRect(&a, &b));
  EXPECT_EQ(SendMessageW(made, WM_GETFONT, 0, 0), SendMessageW(dialog_, WM_GETFONT, 0, 0));
  EXPECT_EQ(controls_.Text(51), "A");
  controls_.Destroy(51);
  EXPECT_FALSE(controls_.Exists(51));
}

// A panel label's blanks push its next words onto the next line, and the blanks go with the
// break: two lines, whatever the system's own line breaking does with a run of blanks.
TEST_F(DialogControlsTest, PaddedLabelBreaksWhereItsBlanksPushIt) {
  const std::string padded = " = 1/2 beam              width  1°- 65°";
  const ControlRow label{
      .id = 52, .kind = ControlKind::kLabel, .rect = {22, 80, 57, 18}, .text = {padded, padded}};
  controls_.Create(label, kEnglish);
  EXPECT_EQ(TextOf(GetDlgItem(dialog_, 52)), L" = 1/2 beam\r\nwidth  1°- 65°");
  EXPECT_EQ(controls_.Text(52), padded);  // the handlers read back what they wrote

  controls_.SetText(52, "first\r\nsecond");  // given breaks stay, short lines are not joined
  EXPECT_EQ(TextOf(GetDlgItem(dialog_, 52)), L"first\r\nsecond");
  controls_.SetText(52, "Oversizedwordthatcannotbreakanywhere x");
  EXPECT_EQ(TextOf(GetDlgItem(dialog_, 52)), L"Oversizedwordthatcannotbreakanywhere\r\nx");
  controls_.SetText(50, "no wrap for a template label's read-back");
  EXPECT_EQ(controls_.Text(50), "no wrap for a template label's read-back");
}

TEST_F(DialogControlsTest, CombosEditsTabsAndFocusThroughTheInterface) {
  controls_.AddItem(11, "LA");
  controls_.AddItem(11, "\u010Cesky");
  EXPECT_EQ(controls_.ItemCount(11), 2);
  EXPECT_EQ(controls_.ItemText(11, 1), "\u010Cesky");
  EXPECT_EQ(controls_.ItemText(11, 2), "");
  controls_.Select(11, 1);
  EXPECT_EQ(controls_.Selection(11), 1);
  EXPECT_EQ(controls_.Text(11), "\u010Cesky");
  controls_.SetText(11, "120");
  controls_.SetEditSelection(11, {1, 2});
  EXPECT_EQ(controls_.EditSelection(11).start, 1);
  EXPECT_EQ(controls_.EditSelection(11).end, 2);
  controls_.ClearItems(11);
  EXPECT_EQ(controls_.ItemCount(11), 0);

  controls_.Enable(10, true);
  controls_.SetText(10, "45.0");
  controls_.SetEditSelection(10, {0, 10});
  EXPECT_EQ(controls_.EditSelection(10).end, 4);

  controls_.AddItem(90, " Horizont\u00E1ln\u00ED ");
  controls_.AddItem(90, " B ");
  EXPECT_EQ(controls_.ItemCount(90), 2);
  EXPECT_EQ(controls_.ItemText(90, 0), " Horizont\u00E1ln\u00ED ");
  controls_.Select(90, 1);
  EXPECT_EQ(controls_.Selection(90), 1);

  controls_.Focus(11);  // the focus goes to the combo box's edit part
  EXPECT_EQ(controls_.FocusedId(), 11);
  controls_.Enable(7, false);
  EXPECT_FALSE(controls_.IsEnabled(7));
  EXPECT_FALSE(controls_.IsEnabled(99));  // no such control
  controls_.Show(50, false);
  EXPECT_FALSE(controls_.IsVisible(50));
}

TEST_F(DialogControlsTest, NotificationsBecomeEvents) {
  const auto command = [this](int id, unsigned code) {
    return EventOf(WM_COMMAND, MAKEWPARAM(id, code),
                   reinterpret_cast<LPARAM>(GetDlgItem(dialog_, id)));
  };
  const auto kind = [](const std::optional<ControlEvent>& e) {
    return e ? static_cast<int>(e->kind) : -1;
  };
  EXPECT_EQ(kind(command(7, BN_CLICKED)), static_cast<int>(ControlEventKind::kClicked));
  EXPECT_EQ(kind(command(10, EN_CHANGE)), static_cast<int>(ControlEventKind::kEditChanged));
  EXPECT_EQ(kind(command(10, EN_SETFOCUS)), static_cast<int>(ControlEventKind::kSetFocus));
  EXPECT_EQ(kind(command(10, EN_KILLFOCUS)), static_cast<int>(ControlEventKind::kKillFocus));
  EXPECT_EQ(kind(command(11, CBN_SELCHANGE)),
            static_cast<int>(ControlEventKind::kSelectionChanged));
  EXPECT_EQ(kind(command(11, CBN_EDITUPDATE)),
            static_cast<int>(ControlEventKind::kComboEditChanged));
  EXPECT_EQ(kind(command(11, CBN_SETFOCUS)), static_cast<int>(ControlEventKind::kSetFocus));
  // The same code means something else for another class: 1 from a button is no selection.
  EXPECT_FALSE(command(7, CBN_SELCHANGE));
  EXPECT_FALSE(command(10, CBN_SELCHANGE));
  // Escape and the close box: command 2 without a control.
  const auto escape = EventOf(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  ASSERT_TRUE(escape);
  EXPECT_EQ(escape->id, 2);

  NMHDR header{GetDlgItem(dialog_, 90), 90, static_cast<UINT>(TCN_SELCHANGING)};
  EXPECT_EQ(kind(EventOf(WM_NOTIFY, 90, reinterpret_cast<LPARAM>(&header))),
            static_cast<int>(ControlEventKind::kTabChanging));
  header.code = static_cast<UINT>(TCN_SELCHANGE);
  const auto changed = EventOf(WM_NOTIFY, 90, reinterpret_cast<LPARAM>(&header));
  ASSERT_TRUE(changed);
  EXPECT_EQ(changed->id, 90);
  EXPECT_EQ(changed->kind, ControlEventKind::kTabChanged);

  const auto timer = EventOf(WM_TIMER, 91, 0);
  ASSERT_TRUE(timer);
  EXPECT_EQ(timer->id, 91);
  const auto click = EventOf(WM_PARENTNOTIFY, MAKEWPARAM(WM_LBUTTONDOWN, 0), MAKELPARAM(30, 40));
  ASSERT_TRUE(click);
  EXPECT_EQ(click->id, 15);
  EXPECT_EQ(click->kind, ControlEventKind::kMouseClick);
  EXPECT_EQ(click->x, 30);
  EXPECT_EQ(click->y, 40);
  EXPECT_FALSE(EventOf(WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, 0), 0));
  EXPECT_EQ(kind(EventOf(WM_SETCURSOR, 0, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE))),
            static_cast<int>(ControlEventKind::kMouseMove));
  EXPECT_FALSE(EventOf(WM_SETCURSOR, 0, MAKELPARAM(HTCLIENT, WM_LBUTTONUP)));
}

}  // namespace
}  // namespace lobrix
