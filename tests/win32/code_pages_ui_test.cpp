// The code pages and the direction fields end to end, as a user works them: EDITANTVA of
// lobrix.dll runs on the test's thread and a second thread clicks the code-type buttons, picks
// and types in the parameter fields, types directions key by key, clicks in the graphs, toggles
// scale and view and presses Transfer. Expected codes and texts are worked out here by hand
// from the documented rules; the gain comes from the DLL's own ZISKANTVA. Pictures of both code
// pages in every panel group, English and Czech, go to screens/ beside this program.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h, which they need
#include <commctrl.h>
#include <oleauto.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <thread>

#include "exports/lobrix.h"
#include "tests/win32/ui_driver.h"

namespace lobrix::test {
namespace {

constexpr int kTransfer = 1;
constexpr int kField10 = 10, kField11 = 11, kField12 = 12;
constexpr int kScale = 16, kView = 17;
constexpr int kNd = 101, kEa = 102, kLa = 106, kCa = 107, kV = 111, kW = 112, kTa = 113, kPa = 114;

// With an owner, Transfer is enabled.
LobrixAntennaRecord Record(const char* hCode, const char* vCode, int language, HWND owner) {
  return MakeRecord({.hCode = hCode,
                     .vCode = vCode,
                     .gain = kNoGain,
                     .owner = owner,
                     .language = language,
                     .role = 1});
}

// The keyboard focus to `id`, as the Tab key moves it (the dialog sets it on its own thread).
void FocusControl(HWND page, int id) {
  SendMessageW(page, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(page, id)), TRUE);
}

// The edit part of a combo box, or the control itself when it is an edit box.
HWND EditOf(HWND control) {
  const HWND child = GetWindow(control, GW_CHILD);
  return child ? child : control;
}

// Selects the whole text of the field and types `keys` into it one WM_CHAR at a time.
void TypeOver(HWND page, int id, const std::wstring& keys) {
  FocusControl(page, id);
  const HWND edit = EditOf(GetDlgItem(page, id));
  SendMessageW(edit, EM_SETSEL, 0, -1);
  for (const wchar_t key : keys) SendMessageW(edit, WM_CHAR, key, 1);
}

// A choice from a combo box's list, with the notification a real choice sends.
void Choose(HWND page, int id, int index) {
  FocusControl(page, id);
  const HWND combo = GetDlgItem(page, id);
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void Click(HWND page, int id) {
  SendMessageW(GetDlgItem(page, id), BM_CLICK, 0, 0);
}

int Count(HWND page, int id) {
  return static_cast<int>(SendMessageW(GetDlgItem(page, id), CB_GETCOUNT, 0, 0));
}

std::wstring Item(HWND page, int id, int index) {
  wchar_t text[64] = {};
  SendMessageW(GetDlgItem(page, id), CB_GETLBTEXT, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(text));
  return text;
}

// How the combo's edit part shows its text: the text's width in the edit's font against the
// room between its margins. Returns the room left, negative when the text is cut; `how` gets the
// measures.
int RoomLeft(HWND combo, std::string* how = nullptr) {
  const HWND edit = EditOf(combo);
  const std::wstring text = Text(edit);
  RECT client{};
  GetClientRect(edit, &client);
  const DWORD margins = static_cast<DWORD>(SendMessageW(edit, EM_GETMARGINS, 0, 0));
  const HDC dc = GetDC(edit);
  const HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(edit, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(edit, dc);
  if (how)
    *how = "edit " + std::to_string(client.right) + " px, margins " +
           std::to_string(LOWORD(margins)) + " + " + std::to_string(HIWORD(margins)) + ", text " +
           std::to_string(size.cx);
  return client.right - LOWORD(margins) - HIWORD(margins) - size.cx;
}

// Pictures of both code pages with the page's code in each panel group: A (ND), B (EA, and TA
// on the vertical page), C (CA), D (V), E (W).
void SaveEveryPanelGroup(HWND dialog, const std::string& language, Findings& findings) {
  const std::pair<int, const char*> groups[] = {
      {kNd, "A"}, {kEa, "B"}, {kCa, "C"}, {kV, "D"}, {kW, "E"}};
  for (int page = 0; page < 2; ++page) {
    SwitchPage(dialog, page);
    const HWND p = Pages(dialog).at(static_cast<std::size_t>(page));
    for (const auto& [button, group] : groups) {
      Click(p, button);
      // The widest values of the group must show whole in the narrow fields.
      for (const int id : {kField10, kField12}) {
        if (!IsWindowEnabled(GetDlgItem(p, id))) continue;
        Choose(p, id, Count(p, id) - 1);
        std::string how;
        const int room = RoomLeft(GetDlgItem(p, id), &how);
        findings.Expect(room >= 0, how + ": page " + std::to_string(page) + " group " + group +
                                       ": field " + std::to_string(id) + " shows \"" +
                                       Ascii(ItemText(p, id)) + "\" whole");
      }
      std::string name = "code-page";
      name.append(std::to_string(page)).append("-").append(group).append("-").append(language);
      findings.Expect(SaveWindowPng(dialog, ScreenPath(name)), "picture " + name);
    }
    if (page == 1) {
      Click(p, kTa);
      SaveWindowPng(dialog, ScreenPath("code-page1-B-TA-" + language));
    }
  }
}

class CodePagesUiTest : public testing::Test {
 protected:
  void SetUp() override { AssertLobrixExports({"EDITANTVA", "ZISKANTVA"}); }
};

TEST_F(CodePagesUiTest, EnglishCodesDirectionsAndTransfer) {
  OwnerWindow owner(/*visible=*/false);
  LobrixAntennaRecord record = Record("000ND00", "000ND00", 0, owner.Get());
  const LobrixAntennaRecord before = record;
  Findings findings;
  const int result = RunEditor(record, findings, [&](DWORD ui, HWND dialog) {
    const HWND bar = GetDlgItem(dialog, 99);
    const HWND page0 = Pages(dialog).at(0), page1 = Pages(dialog).at(1);

    // The vertical page first, while no parameters are remembered: PA from ND is 060PA00,
    // field 11 offers PA to PZ; PK from the list, 0 and 5 typed into field 12.
    SwitchPage(dialog, 1);
    Click(page1, kPa);
    findings.Equal(StatusPart(bar, 2), L" V-code: 060PA00", "PA after ND");
    findings.Expect(Count(page1, kField11) == 26 && Item(page1, kField11, 0) == L" PA" &&
                        Item(page1, kField11, 25) == L" PZ",
                    "field 11 offers PA to PZ");
    findings.Expect(IsWindowEnabled(GetDlgItem(page1, kField11)) != FALSE, "field 11 enabled");
    findings.Expect(FocusOf(ui) == EditOf(GetDlgItem(page1, kField10)), "field 10 focused");
    Choose(page1, kField11, 10);
    findings.Equal(StatusPart(bar, 2), L" V-code: 060PK00", "PK chosen");
    TypeOver(page1, kField12, L"05");
    findings.Equal(ItemText(page1, kField12), L" 05", "field 12 typed");
    findings.Equal(StatusPart(bar, 2), L" V-code: 060PK05", "Z typed");
    // The view button names the view of the next click.
    findings.Expect(IsWindowEnabled(GetDlgItem(page1, kView)) != FALSE, "view button enabled");
    findings.Equal(ItemText(page1, kView), L"&X ,Y graph", "vertical view button");
    Click(page1, kView);
    findings.Equal(ItemText(page1, kView), L"&Polar graph", "after the X-Y view");
    Click(page1, kView);
    findings.Equal(ItemText(page1, kView), L"&X ,Y graph", "back to the polar view");

    // The horizontal page: EA from ND, LA keeps N, 1 5 0 typed over N clamps at 120, 2 5 over Z.
    SwitchPage(dialog, 0);
    findings.Equal(ItemText(page0, kField10), L" 000", "ND's N");
    findings.Expect(IsWindowEnabled(GetDlgItem(page0, kField10)) == FALSE, "ND's N disabled");
    Click(page0, kEa);
    findings.Equal(StatusPart(bar, 0), L" H-code: 060EA00", "EA after ND");
    findings.Expect(Count(page0, kField10) == 65 && Count(page0, kField11) == 1 &&
                        Count(page0, kField12) == 100,
                    "EA's lists: 1 to 65, EA, 00 to 99");
    findings.Expect(IsWindowEnabled(GetDlgItem(page0, kField11)) == FALSE, "EA's type disabled");
    Click(page0, kLa);
    findings.Equal(StatusPart(bar, 0), L" H-code: 060LA00", "LA keeps N");
    TypeOver(page0, kField10, L"150");
    findings.Equal(ItemText(page0, kField10), L" 120", "1 5 0 typed into LA's N");
    findings.Equal(StatusPart(bar, 0), L" H-code: 120LA00", "N typed");
    TypeOver(page0, kField12, L"25");
    findings.Equal(StatusPart(bar, 0), L" H-code: 120LA25", "Z typed");
    // V: N within 0 to 999 stays; VC and then 510 from the lists.
    Click(page0, kV);
    findings.Equal(StatusPart(bar, 0), L" H-code: 120VA25", "V keeps N and Z");
    findings.Expect(Count(page0, kField11) == 9 && Item(page0, kField11, 8) == L" VI",
                    "field 11 offers VA to VI");
    Choose(page0, kField11, 2);
    findings.Equal(StatusPart(bar, 0), L" H-code: 120VC25", "VC chosen");
    Choose(page0, kField10, 510);
    findings.Equal(StatusPart(bar, 0), L" H-code: 510VC25", "510 chosen");
    // ND remembers N and Z; EA takes them back, N clamped into 1 to 65.
    Click(page0, kNd);
    findings.Equal(StatusPart(bar, 0), L" H-code: 000ND00", "ND");
    findings.Expect(FocusOf(ui) == GetDlgItem(page0, kScale), "ND focuses the scale button");
    Click(page0, kEa);
    findings.Equal(StatusPart(bar, 0), L" H-code: 065EA25", "EA from the remembered 510, 25");

    // Scale on both pages; the table view and back.
    findings.Equal(ItemText(page0, kScale), L"&Lin scale", "scale button");
    Click(page0, kScale);
    findings.Equal(ItemText(page0, kScale), L"&dB scale", "after the linear scale");
    findings.Equal(ItemText(page1, kScale), L"&dB scale", "the other page's scale button");
    Click(page0, kScale);
    findings.Equal(ItemText(page1, kScale), L"&Lin scale", "back to dB");
    findings.Equal(ItemText(page0, kView), L"&Table", "horizontal view button");
    Click(page0, kView);
    findings.Equal(ItemText(page0, kView), L"&Graph", "after the table");
    SaveWindowPng(dialog, ScreenPath("code-page0-table-english"));
    Click(page0, kView);
    findings.Equal(ItemText(page0, kView), L"&Table", "back to the graph");

    // Page 2: a click in the left graph, then typed directions over it.
    SwitchPage(dialog, 2);
    const HWND page2 = Pages(dialog).at(2);
    const HWND surface2 = Surface(page2);
    ClickIn(surface2, FramePoint(surface2, 0.25, 0.5, 0.35, 200, 0.6));
    findings.Equal(StatusPart(bar, 1), L" AziMax = 200\u00B0", "AziMax clicked");
    TypeOver(page2, kField10, L"400");
    findings.Equal(ItemText(page2, kField10), L"359.9", "400 typed");
    findings.Equal(StatusPart(bar, 1), L" AziMax = 359.9\u00B0", "AziMax clamped");
    TypeOver(page2, kField10, L"12x34");
    findings.Equal(ItemText(page2, kField10), L"123.4", "1 2 x 3 4 typed");
    findings.Equal(StatusPart(bar, 1), L" AziMax = 123.4\u00B0", "AziMax typed");
    TypeOver(page2, kField11, L"-95");
    findings.Equal(ItemText(page2, kField11), L"-90.0", "- 9 5 typed");
    findings.Equal(StatusPart(bar, 3), L" EleMax = -90\u00B0", "EleMax clamped");
    FocusControl(page2, kField10);
    findings.Equal(ItemText(page2, kField11), L"-90", "the field left");
    TypeOver(page2, kField11, L"-12.5");
    findings.Equal(StatusPart(bar, 3), L" EleMax = -12.5\u00B0", "EleMax typed");
    FocusControl(page2, kField10);
    findings.Equal(ItemText(page2, kField11), L"-12.5", "a decimal stays when the field is left");

    // Page 3: the test angles start from the beam, change without touching it.
    SwitchPage(dialog, 3);
    const HWND page3 = Pages(dialog).at(3);
    findings.Equal(ItemText(page3, kField10), L"123.4", "test azimuth from AziMax");
    TypeOver(page3, kField10, L"270");
    findings.Equal(ItemText(page3, kField10), L"270.",
                   "test azimuth typed: the point comes after the third digit");
    TypeOver(page3, kField11, L"5");
    findings.Equal(ItemText(page3, kField11), L"5", "test elevation typed");
    const HWND surface3 = Surface(page3);
    ClickIn(surface3, FramePoint(surface3, 0.25, 0.5, 0.35, 90, 0.5));
    findings.Equal(ItemText(page3, kField10), L"90.0", "test azimuth clicked");
    findings.Equal(StatusPart(bar, 1), L" AziMax = 123.4\u00B0", "AziMax stays");
    findings.Equal(StatusPart(bar, 3), L" EleMax = -12.5\u00B0", "EleMax stays");
    SaveWindowPng(dialog, ScreenPath("code-pages-page3-english"));

    SwitchPage(dialog, 0);
    Click(dialog, kTransfer);
  });
  findings.Report();

  EXPECT_EQ(result, 1);
  LobrixAntennaRecord expected = before;
  std::memcpy(expected.hCode, "065EA25", 7);
  std::memcpy(expected.vCode, "060PK05", 7);
  expected.aziMax = 123.4f;
  expected.eleMax = -12.5f;
  expected.gain = GainOf("065EA25", "060PK05");
  EXPECT_EQ(FirstDifference(record, expected), -1)
      << "Transfer writes the codes, directions and gain, nothing else";
}

// Buttons 101 to 113 of both pages carry 42 x 32 pictures, 114 a text; the fields' kinds and
// styles; the tooltips of page 0
// and page 1 in `language`, none on 114.
void CheckButtonsAndTooltips(HWND dialog, int language, Findings& findings) {
  for (int page = 0; page < 2; ++page) {
    const HWND p = Pages(dialog).at(static_cast<std::size_t>(page));
    for (int id = kNd; id <= kTa; ++id) {
      const auto bitmap =
          reinterpret_cast<HBITMAP>(SendMessageW(GetDlgItem(p, id), BM_GETIMAGE, IMAGE_BITMAP, 0));
      BITMAP info{};
      findings.Expect(
          bitmap && GetObjectW(bitmap, sizeof info, &info) == sizeof info && info.bmWidth == 42 &&
              info.bmHeight == 32,
          "a 42 x 32 picture on button " + std::to_string(id) + " of page " + std::to_string(page));
    }
  }
  // Fields 10 and 12 editable, 11 a list, each with its tab stop; the combo box hands its
  // scroll bar on to its list, which shows it when its items do not fit (EA's 65 and 100 here).
  for (int page = 0; page < 2; ++page) {
    const HWND p = Pages(dialog).at(static_cast<std::size_t>(page));
    for (const int id : {kField10, kField11, kField12}) {
      const HWND combo = GetDlgItem(p, id);
      const auto style = static_cast<DWORD>(GetWindowLongW(combo, GWL_STYLE));
      COMBOBOXINFO parts{};
      parts.cbSize = sizeof parts;
      const bool listScrolls =
          GetComboBoxInfo(combo, &parts) &&
          (static_cast<DWORD>(GetWindowLongW(parts.hwndList, GWL_STYLE)) & WS_VSCROLL);
      const DWORD kind = id == kField11 ? CBS_DROPDOWNLIST : CBS_DROPDOWN;
      findings.Expect(
          (style & 3) == kind && (listScrolls || id == kField11) && (style & WS_TABSTOP),
          "the kind and styles of field " + std::to_string(id) + " of page " +
              std::to_string(page));
    }
  }
  const HWND page1 = Pages(dialog).at(1);
  findings.Equal(ItemText(page1, kPa), L"PA-PZ ", "button 114");
  const bool czech = language != 0;
  const std::vector<std::pair<int, std::wstring>> page0Tips = {
      {kNd, czech ? L"Nastaven\u00ED Horiz. ant. k\u00F3du" : L"Setting of Horiz. ant. code"},
      {kField10, czech ? L"Nastaven\u00ED parametr\u016F Ant. k\u00F3du"
                       : L"Setting of parametters of Ant. code"},
      {kScale,
       czech ? L"Volba m\u011B\u0159\u00EDtka dB/Lin" : L"Selection of dB/Lin attenuation scale"},
      {kView, czech ? L"Volba Obr\u00E1zku/Tabulky" : L"Selection of Grapic/Tab view"}};
  const auto tips0 = Tooltips(Pages(dialog).at(0));
  for (const auto& tip : page0Tips) {
    findings.Expect(std::find(tips0.begin(), tips0.end(), tip) != tips0.end(),
                    "page 0 tooltip of " + std::to_string(tip.first) + ": " + Ascii(tip.second));
  }
  const auto tips1 = Tooltips(page1);
  const std::vector<std::pair<int, std::wstring>> page1Tips = {
      {kW, czech ? L"Nastaven\u00ED Vert. ant.k\u00F3du - Mechanick\u00E1 elevace"
                 : L"Setting of Vert. ant.code - Mechanical elevat."},
      {kTa, czech ? L"Nastaven\u00ED Vert. ant.k\u00F3du - Elektick\u00E9 klopen\u00ED"
                  : L"Setting of Vert. ant.code - Eletrical tilting"},
      {kView,
       czech ? L"Volba Polar./Pravo\u016Fhl\u00E9ho diag." : L"Selection of Polar/Rect. diagram"}};
  for (const auto& tip : page1Tips) {
    findings.Expect(std::find(tips1.begin(), tips1.end(), tip) != tips1.end(),
                    "page 1 tooltip of " + std::to_string(tip.first) + ": " + Ascii(tip.second));
  }
  findings.Expect(
      std::none_of(tips1.begin(), tips1.end(), [](const auto& t) { return t.first == kPa; }),
      "no tooltip on button 114");
  findings.Expect(tips0.size() == 18 && tips1.size() == 18,
                  "tooltips: " + std::to_string(tips0.size()) + " on page 0, " +
                      std::to_string(tips1.size()) + " on page 1");
}

// Pictures of every panel group in one language; Escape leaves the record as it was.
void PanelGroupRun(int language, const std::string& name) {
  OwnerWindow owner(/*visible=*/false);
  LobrixAntennaRecord record = Record("045EA10", "100TA00", language, owner.Get());
  const LobrixAntennaRecord before = record;
  Findings findings;
  const int result = RunEditor(record, findings, [&](DWORD ui, HWND dialog) {
    const HWND page0 = Pages(dialog).at(0);
    findings.Equal(ItemText(page0, kField10), L" 045", "045EA10's N");
    findings.Equal(ItemText(page0, kField11), L" EA", "045EA10's type");
    findings.Equal(ItemText(page0, kField12), L" 10", "045EA10's Z");
    findings.Expect(RoomLeft(GetDlgItem(page0, kField12)) >= 0, "\" 10\" shows whole in field 12");
    CheckButtonsAndTooltips(dialog, language, findings);
    SaveEveryPanelGroup(dialog, name, findings);
    PostMessageW(FocusOf(ui), WM_KEYDOWN, VK_ESCAPE, 0);
  });
  findings.Report();
  EXPECT_EQ(result, 0);
  EXPECT_EQ(FirstDifference(record, before), -1) << "Escape leaves the record";
}

TEST_F(CodePagesUiTest, EnglishPanelGroups) {
  PanelGroupRun(0, "english");
}

TEST_F(CodePagesUiTest, CzechPanelGroups) {
  PanelGroupRun(1, "czech");
}

}  // namespace
}  // namespace lobrix::test
