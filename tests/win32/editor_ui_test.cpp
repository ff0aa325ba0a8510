// The editor end to end, as a calling program uses it: lobrix.dll is loaded by path, EDITANTVA
// runs on the test's thread with a record, and a second thread drives the dialog with window
// messages and reads what the user would see. Expected texts and values are written out here
// from the documented behaviour (the gain from the DLL's own ZISKANTVA, its documented
// source). Screenshots of every page, English and Czech, go to screens/ beside this program.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h, which they need
#include <commctrl.h>
#include <oleauto.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "exports/lobrix.h"
#include "tests/win32/ui_driver.h"

namespace lobrix::test {
namespace {

using EditFunction = int(WINAPI*)(LobrixAntennaRecord*);

// The short number form of the status bar, written out independently: rounded to one decimal
// (halves to even), a blank before values >= 0, no leading zero, no trailing zeros.
std::wstring ShortNumber(double value) {
  double rounded = std::nearbyint(value * 10) / 10;
  if (rounded == 0) rounded = 0;  // no "-0"
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", std::fabs(rounded));
  std::string digits = text;
  if (digits.ends_with(".0")) digits.resize(digits.size() - 2);  // "12.0" -> "12"
  if (digits.starts_with("0.")) digits = digits.substr(1);       // "0.6" -> ".6"
  const std::string s = (rounded < 0 ? "-" : " ") + digits;
  return std::wstring(s.begin(), s.end());
}

std::wstring GainText(float gain) {
  const auto part = [](double v) { return (v < 0 ? L" " : L"") + ShortNumber(v); };
  return L" gaMax =" + part(gain) + L" dBd =" + part(gain + 2.14) + L" dBi";
}

// The calling program's window. Sent kCallEditor with a record, it calls EDITANTVA again from
// its own thread, inside the editor's modal loop, as a careless caller might.
constexpr UINT kCallEditor = WM_APP + 1;

LRESULT CALLBACK OwnerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kCallEditor) {
    return LobrixFunction<EditFunction>("EDITANTVA")(
        reinterpret_cast<LobrixAntennaRecord*>(lParam));
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool ClipboardDibSize(int& width, int& height) {
  if (!OpenClipboard(nullptr)) return false;
  bool ok = false;
  if (const HANDLE data = GetClipboardData(CF_DIB)) {
    if (const auto* header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(data))) {
      width = header->biWidth;
      height = std::abs(header->biHeight);
      ok = true;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return ok;
}

void SaveEveryPage(HWND dialog, const std::string& language, Findings& findings) {
  for (int page = 0; page < 4; ++page) {
    SwitchPage(dialog, page);
    findings.Expect(VisiblePage(dialog) == page, "page " + std::to_string(page) + " on top");
    findings.Expect(
        SaveWindowPng(dialog, ScreenPath("page" + std::to_string(page) + "-" + language)),
        "screenshot of page " + std::to_string(page));
  }
}

class EditorUiTest : public testing::Test {
 protected:
  void SetUp() override { AssertLobrixExports({"EDITANTVA", "ZISKANTVA"}); }
};

TEST_F(EditorUiTest, EnglishRunDrivesEveryPageAndTransfers) {
  OwnerWindow owner(/*visible=*/true, OwnerProcedure);
  // "Zkouška " in code page 1250: š is byte 0x9A.
  LobrixAntennaRecord record = MakeRecord({.hCode = "030EA10",
                                           .vCode = "100TA00",
                                           .aziMax = 30.0f,
                                           .eleMax = -2.5f,
                                           .gain = kNoGain,
                                           .owner = owner.Get(),
                                           .language = 0,
                                           .prefix = "Zkou\x9A"
                                                     "ka ",
                                           .role = 1});
  const LobrixAntennaRecord before = record;
  const std::wstring prefix = L"Zkou\u0161ka ";
  Findings findings;

  const int result = RunEditor(record, findings, [&](DWORD ui, HWND dialog) {
    // A second call while the run is open is refused at once and touches nothing.
    LobrixAntennaRecord other{};
    other.startPage = 4;
    const LobrixAntennaRecord untouched = other;
    findings.Expect(
        SendMessageW(owner.Get(), kCallEditor, 0, reinterpret_cast<LPARAM>(&other)) == 0,
        "a second EDITANTVA during a run returns 0");
    findings.Expect(FirstDifference(other, untouched) == -1, "the second record is untouched");
    findings.Expect(SendMessageW(owner.Get(), kCallEditor, 0, 0) == 0, "a NULL record returns 0");

    findings.Equal(Text(dialog), prefix + L"  HCM Lobrix,  ver.  2010-02-15,  for Tx antenna",
                   "caption");
    // With an owner the window stands at (-2, 11) dialog units of its own font on the screen.
    RECT at{-2, 11, 0, 0}, window{};
    MapDialogRect(dialog, &at);
    GetWindowRect(dialog, &window);
    findings.Expect(window.left == at.left && window.top == at.top,
                    "owned window at (-2, 11) units: " + std::to_string(window.left) + ", " +
                        std::to_string(window.top));
    const HWND tab = GetDlgItem(dialog, 90);
    const wchar_t* tabs[] = {L" Horizontal diagram ", L" Vertical diagram ",
                             L" Azimuth and Elevation of Max. radiation ", L" 3-D ant. diagram "};
    findings.Expect(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0) == 4, "four tabs");
    for (int i = 0; i < 4; ++i) findings.Equal(TabText(tab, i), tabs[i], "tab text");

    const HWND bar = GetDlgItem(dialog, 99);
    findings.Expect(StatusEdges(bar) == std::vector<int>{97, 188, 286, 375, -1}, "status parts");
    findings.Equal(StatusPart(bar, 0), L" H-code: 030EA10", "status part 0");
    findings.Equal(StatusPart(bar, 1), L" AziMax = 30\u00B0", "status part 1");
    findings.Equal(StatusPart(bar, 2), L" V-code: 100TA00", "status part 2");
    findings.Equal(StatusPart(bar, 3), L" EleMax = -2.5\u00B0", "status part 3");
    findings.Equal(StatusPart(bar, 4), GainText(GainOf("030EA10", "100TA00")), "status part 4");

    findings.Expect(IsWindowEnabled(GetDlgItem(dialog, 1)), "Transfer enabled");
    for (const int id : {2, 3, 4, 5})
      findings.Expect(IsWindowEnabled(GetDlgItem(dialog, id)), "button on");
    findings.Expect(ItemText(dialog, 3) == L"C&opy to Clipboard", "Copy caption");
    findings.Expect(ItemText(dialog, 1) == L"&Transfer", "Transfer caption");
    const auto tips = Tooltips(dialog);
    const std::vector<std::pair<int, std::wstring>> wantTips = {
        {4, L"Context help for each Tab-folder"},
        {3, L"Pastes shown Fig./Tab. into Clipboard"},
        {5, L"Coversion of Kathrein data files to VA ant.data"},
        {1, L"Transfers ant.data back to calling window and Close this window"},
        {2, L"Close this window"}};
    findings.Expect(tips == wantTips, "the five tooltips of the main dialog");
    findings.Expect(VisiblePage(dialog) == 0, "opens on the horizontal page");

    SaveEveryPage(dialog, "english", findings);

    // Page 2: a click right of the left frame's centre takes azimuth 90, one up and right of
    // the right frame's centre elevation 45; fields and status bar follow.
    SwitchPage(dialog, 2);
    const HWND page2 = Pages(dialog).at(2);
    const HWND surface2 = Surface(page2);
    findings.Expect(surface2 != nullptr, "page 2 has a surface");
    const auto pageTips = Tooltips(page2);
    findings.Expect(
        pageTips.size() == 2 &&
            pageTips[0] == std::pair<int, std::wstring>{10, L"Setting Azimuth of max. radiation"},
        "the tooltips of page 2's fields");
    findings.Equal(ItemText(page2, 10), L"30.0", "page 2 azimuth field");
    findings.Equal(ItemText(page2, 11), L"-2.5", "page 2 elevation field");
    ClickIn(surface2, FramePoint(surface2, 0.25, 0.5, 0.35, 90, 0.6));
    findings.Equal(StatusPart(bar, 1), L" AziMax = 90\u00B0", "AziMax after the click");
    findings.Equal(ItemText(page2, 10), L"90.0", "azimuth field after the click");
    ClickIn(surface2, FramePoint(surface2, 0.75, 0.5, 0.35, 45, 0.6));
    findings.Equal(StatusPart(bar, 3), L" EleMax = 45\u00B0", "EleMax after the click");
    findings.Equal(ItemText(page2, 11), L"45.0", "elevation field after the click");
    findings.Expect(FocusOf(ui) == GetDlgItem(page2, 11), "the picked field has the focus");

    // Page 3 starts from the beam's direction; its clicks change the test angles only.
    SwitchPage(dialog, 3);
    const HWND page3 = Pages(dialog).at(3);
    findings.Equal(ItemText(page3, 10), L"90", "test azimuth starts at AziMax");
    findings.Equal(ItemText(page3, 11), L"45", "test elevation starts at EleMax");
    const HWND surface3 = Surface(page3);
    ClickIn(surface3, FramePoint(surface3, 0.25, 0.5, 0.35, 180, 0.5));
    findings.Equal(ItemText(page3, 10), L"180.0", "test azimuth after the click");
    findings.Equal(StatusPart(bar, 1), L" AziMax = 90\u00B0", "AziMax stays");

    // Copy: the clipboard holds the graphic area's picture; the focus comes back.
    OpenClipboard(nullptr);
    EmptyClipboard();
    CloseClipboard();
    SendMessageW(GetDlgItem(dialog, 3), BM_CLICK, 0, 0);
    int width = 0, height = 0;
    findings.Expect(ClipboardDibSize(width, height), "a DIB on the clipboard");
    RECT area{};
    GetWindowRect(GetDlgItem(page3, 15), &area);
    findings.Expect(width == area.right - area.left - 6 && height == area.bottom - area.top - 6,
                    "the picture is the graphic area inside its edge: " + std::to_string(width) +
                        " x " + std::to_string(height));
    findings.Expect(FocusOf(ui) == GetDlgItem(page3, 10), "focus back after Copy");

    // Help: the 3-D topic under the prefix; the focus comes back when it closes.
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(4, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, 4)));
    const HWND help = WaitForDialog(ui, L"3-D antenna diagram", 10);
    findings.Expect(help != nullptr, "the help box opened");
    if (help) {
      findings.Equal(Text(help), prefix + L" 3-D antenna diagram", "help caption");
      const std::wstring text = ItemText(help, 0xFFFF);
      findings.Expect(text.rfind(L"The page serves  for 3-D visualisation  of the resulting  "
                                 L"antenna radiation pattern.  \r\n\r\nThe left",
                                 0) == 0,
                      "help text begins with the 3-D topic");
      int lines = 1;
      for (std::size_t at = text.find(L"\r\n"); at != std::wstring::npos;
           at = text.find(L"\r\n", at + 2)) {
        ++lines;
      }
      findings.Expect(lines == 10, "the 3-D topic has 10 lines: " + std::to_string(lines));
      SaveWindowPng(help, ScreenPath("help-english"));
      PostMessageW(help, WM_COMMAND, IDOK, 0);
      findings.Expect(WaitUntilGone(help, 10), "the help box closed");
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
      findings.Expect(FocusOf(ui) == GetDlgItem(page3, 10), "focus back after Help");
    }

    // The owner follows the editor to the task bar and back.
    SendMessageW(dialog, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    findings.Expect(IsIconic(owner.Get()) != FALSE, "minimising the editor minimises the owner");
    SendMessageW(dialog, WM_SYSCOMMAND, SC_RESTORE, 0);
    findings.Expect(IsIconic(owner.Get()) == FALSE, "restoring the editor restores the owner");

    SwitchPage(dialog, 0);
    SendMessageW(GetDlgItem(dialog, 1), BM_CLICK, 0, 0);
  });
  findings.Report();

  EXPECT_EQ(result, 1);
  LobrixAntennaRecord expected = before;
  expected.aziMax = 90.0f;
  expected.eleMax = 45.0f;
  expected.gain = GainOf("030EA10", "100TA00");
  EXPECT_EQ(FirstDifference(record, expected), -1) << "Transfer writes codes, directions, gain";
}

TEST_F(EditorUiTest, CzechRunOpensOnThe3DPageAndEscapeLeavesTheRecord) {
  OwnerWindow owner(/*visible=*/true, OwnerProcedure);
  RecordFields fields{.hCode = "510VE00",
                      .vCode = "120PA05",
                      .aziMax = 359.9f,
                      .eleMax = 90.0f,
                      .gain = kNoGain,
                      .owner = owner.Get(),
                      .language = 1,
                      .role = 2,
                      .startPage = 4};
  LobrixAntennaRecord record = MakeRecord(fields);
  Findings findings;
  const int result = RunEditor(record, findings, [&](DWORD ui, HWND dialog) {
    findings.Equal(Text(dialog), L"  HCM Lobrix,  ver.  2010-02-15,  pro Rx ant\u00E9nu",
                   "caption");
    findings.Expect(VisiblePage(dialog) == 3, "opens on the 3-D page");
    const HWND page3 = Pages(dialog).at(3);
    findings.Equal(ItemText(page3, 10), L"359.9", "test azimuth");
    findings.Equal(ItemText(page3, 11), L"90", "test elevation");
    const HWND tab = GetDlgItem(dialog, 90);
    findings.Equal(TabText(tab, 0), L" Horizont\u00E1ln\u00ED diagram ", "Czech tab");
    findings.Equal(TabText(tab, 2), L" Azimut a Elevace Max.vyza\u0159ov\u00E1n\u00ED ",
                   "Czech tab");
    const HWND bar = GetDlgItem(dialog, 99);
    findings.Equal(StatusPart(bar, 0), L" H-k\u00F3d: 510VE00", "status part 0");
    findings.Equal(StatusPart(bar, 2), L" V-k\u00F3d: 120PA05", "status part 2");
    findings.Equal(ItemText(dialog, 2), L"&Zav\u0159\u00EDt", "Close caption");
    // The help box in Czech, through the wide API whatever the code page.
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(4, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, 4)));
    const HWND help = WaitForDialog(ui, L"ant\u00E9nn\u00ED diagram", 10);
    findings.Expect(help != nullptr, "the Czech help box opened");
    if (help) {
      findings.Equal(Text(help), L" 3-D ant\u00E9nn\u00ED diagram", "Czech help caption");
      findings.Expect(ItemText(help, 0xFFFF)
                              .rfind(L"Str\u00E1nka slou\u017E\u00ED pro 3-D "
                                     L"visualizaci v\u00FDsledn\u00E9ho",
                                     0) == 0,
                      "Czech help text");
      SaveWindowPng(help, ScreenPath("help-czech"));
      PostMessageW(help, WM_COMMAND, IDOK, 0);
      findings.Expect(WaitUntilGone(help, 10), "the Czech help box closed");
    }
    SaveEveryPage(dialog, "czech", findings);
    // Escape, typed where the focus is.
    PostMessageW(FocusOf(ui), WM_KEYDOWN, VK_ESCAPE, 0);
  });
  findings.Report();
  EXPECT_EQ(result, 0);
  fields.startPage = 3;
  const LobrixAntennaRecord expected = MakeRecord(fields);
  EXPECT_EQ(FirstDifference(record, expected), -1) << "only the start page, translated 4 -> 3";
}

TEST_F(EditorUiTest, CloseBoxLeavesTheRecordAndTheFolderSetting) {
  RegDeleteKeyValueA(HKEY_CURRENT_USER, "Software\\Tarvex", "Kathrein");
  // No owner: Transfer is disabled, and Enter must not transfer.
  LobrixAntennaRecord record = MakeRecord({.hCode = "xxxxxxx",
                                           .aziMax = 360.0f,
                                           .eleMax = 90.5f,
                                           .gain = kNoGain,
                                           .role = 3,
                                           .startPage = 2});
  std::memset(record.captionPrefix, 'P', sizeof record.captionPrefix);  // no NUL in the field
  const LobrixAntennaRecord before = record;
  Findings findings;
  const int result = RunEditor(record, findings, [&](DWORD, HWND dialog) {
    findings.Equal(
        Text(dialog),
        std::wstring(255, L'P') + L"  HCM Lobrix,  ver.  2010-02-15,  for Station antenna",
        "a prefix filling its field is read to the field's end, no further");
    findings.Expect(!IsWindowEnabled(GetDlgItem(dialog, 1)), "Transfer disabled without owner");
    findings.Expect(VisiblePage(dialog) == 1, "start page 2 opens the vertical page");
    const HWND bar = GetDlgItem(dialog, 99);
    findings.Equal(StatusPart(bar, 0), L" H-code: 000ND00", "an invalid code loads as 000ND00");
    findings.Equal(StatusPart(bar, 1), L" AziMax = 0\u00B0", "360 loads as 0");
    findings.Equal(StatusPart(bar, 3), L" EleMax = 0\u00B0", "90.5 loads as 0");
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(1, BN_CLICKED), 0);  // Enter
    findings.Expect(IsWindow(dialog), "a disabled Transfer does not end the dialog");
    PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  });
  findings.Report();
  EXPECT_EQ(result, 0);
  LobrixAntennaRecord expected = before;
  expected.startPage = 1;
  EXPECT_EQ(FirstDifference(record, expected), -1) << "only the start page, translated 2 -> 1";
  // The folder was not changed during the run, so it was not written.
  HKEY key = nullptr;
  DWORD size = 0;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Tarvex", 0, KEY_READ, &key) == ERROR_SUCCESS) {
    EXPECT_NE(RegQueryValueExA(key, "Kathrein", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
    RegCloseKey(key);
  }
}

TEST(EditorProgramTest, OpensOnAnEmptyRecordWithTransferDisabled) {
  std::wstring command = L"\"" + ProgramFolder() + L"lobrix.exe\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &process))
      << "lobrix.exe not found beside the test";
  // Its start may be slow under emulation.
  const HWND editor = WaitForProgramDialog(process.dwProcessId, L"HCM Lobrix", 120);
  ASSERT_NE(editor, nullptr) << "lobrix.exe showed no editor";
  EXPECT_EQ(Text(editor), L"  HCM Lobrix,  ver.  2010-02-15");
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(editor, 1)));
  EXPECT_EQ(VisiblePage(editor), 0);
  SaveWindowPng(editor, ScreenPath("program"));
  PostMessageW(editor, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
  DWORD exitCode = 99;
  GetExitCodeProcess(process.hProcess, &exitCode);
  EXPECT_EQ(exitCode, 0u);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

}  // namespace
}  // namespace lobrix::test
