// The Kathrein conversion end to end, as a calling program's user goes through it: EDITANTVA
// of lobrix.dll runs on the test's thread; a second thread presses the editor's button 5, works
// the common open-file dialog (typing a path, pressing Open), answers the message box of a
// rejected file, presses Conversion, Copy and Results transfer, and reads the editor that opens
// again. The test files are made here from codes through the DLL's own ANT93: a plane made from
// a code comes back as that code. Pictures go to screens/ beside this program.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h, which they need
#include <commctrl.h>
#include <oleauto.h>

#include <atomic>
#include <chrono>
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

using PatternFunction = float(WINAPI*)(BSTR, float, int);

// Ids of the conversion window's buttons and of the common dialogs' controls.
constexpr int kTransfer = 1, kClose = 2, kCopy = 3, kConvert = 4, kFile = 5;
constexpr int kFileNameCombo = 0x47C;  // cmb13: the file name box of the Explorer-style dialog
constexpr int kFileNameEdit = 0x480;   // edt1: the same in the older form
constexpr int kMessageText = 0xFFFF;   // the static text of a message box

// A Kathrein file whose planes are the codes' curves with their maxima at `azimuth` and `tilt`
// (attenuations in dB from ANT93, four decimals).
std::string MsiText(const char* hCode, double azimuth, const char* vCode, double tilt) {
  std::string text =
      "NAME 742 215 test panel\r\nFREQUENCY 900 MHz\r\nGAIN 15.0 dBd\r\nTILT ELECTRICAL\r\n"
      "COMMENT made by the test\r\nHORIZONTAL 360\r\n";
  const auto pattern = LobrixFunction<PatternFunction>("ANT93");
  const auto plane = [&text, pattern](const char* code, double maximum) {
    for (int i = 0; i < 360; ++i) {
      const double d = std::remainder(i - maximum, 360.0);
      const float db = pattern(SysAllocStringByteLen(code, 7), static_cast<float>(d), 2);
      char line[64];
      std::snprintf(line, sizeof line, "%d %.4f\r\n", i, db);
      text += line;
    }
  };
  plane(hCode, azimuth);
  text += "VERTICAL 360\r\n";
  plane(vCode, tilt);
  return text;
}

bool WriteFileText(const std::wstring& path, const std::string& text) {
  FILE* file = _wfopen(path.c_str(), L"wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  return std::fclose(file) == 0 && written;
}

LobrixAntennaRecord Record(int language, const char* prefix, int role, HWND owner) {
  return MakeRecord(
      {.hCode = "030EB00", .owner = owner, .language = language, .prefix = prefix, .role = role});
}

std::vector<int> EnabledButtons(HWND dialog) {
  std::vector<int> ids;
  for (int id = 1; id <= 5; ++id) {
    if (IsWindowEnabled(GetDlgItem(dialog, id))) ids.push_back(id);
  }
  return ids;
}

// In the open-file dialog titled `title`: types `path` into the file name box and presses
// Open (or Cancel when `path` is empty). False when no such dialog came or it did not close.
bool ChooseInFileDialog(DWORD ui, const std::wstring& title, const std::wstring& path,
                        Findings& findings) {
  const HWND dialog = WaitForDialog(ui, title);
  if (!dialog) {
    findings.Expect(false, "no open-file dialog titled \"" + Ascii(title) + "\"");
    return false;
  }
  findings.Equal(Text(dialog), title, "open-file dialog title");
  if (path.empty()) {
    Press(dialog, IDCANCEL);
  } else {
    HWND name = GetDlgItem(dialog, kFileNameCombo);
    if (!name) name = GetDlgItem(dialog, kFileNameEdit);
    findings.Expect(name != nullptr, "the open-file dialog has a file name box");
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    Press(dialog, IDOK);
  }
  const bool gone = WaitUntilGone(dialog, 20);
  findings.Expect(gone, "the open-file dialog closed");
  return gone;
}

// The message box of a rejected file: its text, then OK.
std::wstring AnswerMessageBox(DWORD ui, const std::wstring& captionPart, const std::string& png,
                              Findings& findings) {
  const HWND box = WaitForDialog(ui, captionPart);
  if (!box) {
    findings.Expect(false, "no message box \"" + Ascii(captionPart) + "\"");
    return {};
  }
  const std::wstring text = ItemText(box, kMessageText);
  findings.Expect(SaveWindowPng(box, ScreenPath(png)), "picture of the message box");
  Press(box, IDOK);
  findings.Expect(WaitUntilGone(box, 20), "the message box closed");
  return text;
}

// Pixels of the clipboard's CF_DIB (24 or 32 bits a pixel) with the colour (r, g, b); -1 when
// there is no picture. `corner` gets the colour of the top left pixel as 0xRRGGBB.
int ClipboardPixels(int r, int g, int b, unsigned& corner) {
  if (!OpenClipboard(nullptr)) return -1;
  int count = -1;
  if (const HANDLE data = GetClipboardData(CF_DIB)) {
    if (const auto* header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(data))) {
      const int width = header->biWidth, height = std::abs(header->biHeight);
      const int bytes = header->biBitCount / 8;
      const int stride = (width * bytes + 3) & ~3;
      const auto* bits = reinterpret_cast<const std::uint8_t*>(header) + header->biSize +
                         (header->biCompression == BI_BITFIELDS ? 12 : 0);
      count = 0;
      if (bytes == 3 || bytes == 4) {
        for (int y = 0; y < height; ++y) {
          for (int x = 0; x < width; ++x) {
            const std::uint8_t* p = bits + y * stride + x * bytes;
            if (p[2] == r && p[1] == g && p[0] == b) ++count;
          }
        }
        // Bottom-up rows unless the height is negative.
        const std::uint8_t* top = bits + (header->biHeight > 0 ? (height - 1) * stride : 0);
        corner = static_cast<unsigned>(top[2] << 16 | top[1] << 8 | top[0]);
      }
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return count;
}

class ConversionWindowUiTest : public testing::Test {
 protected:
  void SetUp() override {
    AssertLobrixExports({"EDITANTVA", "ANT93"});
    folder_ = ProgramFolder() + L"msi";
    CreateDirectoryW(folder_.c_str(), nullptr);
    good_ = folder_ + L"\\panel.msi";
    bad_ = folder_ + L"\\bad.msi";
    ASSERT_TRUE(WriteFileText(good_, MsiText("030EA10", 45, "160VE00", 358)));
    ASSERT_TRUE(WriteFileText(bad_, "ANTENNA NAME panel\r\nFREQUENCY 900\r\n"));
    // The editor starts the file choice in the remembered folder; the test's own value goes
    // again at the end, so that the other editor tests find none.
    RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Tarvex", "Kathrein", REG_SZ,
                    Ascii(folder_).c_str(), static_cast<DWORD>(Ascii(folder_).size() + 1));
  }
  void TearDown() override {
    RegDeleteKeyValueA(HKEY_CURRENT_USER, "Software\\Tarvex", "Kathrein");
  }

  std::wstring folder_, good_, bad_;
};

// English, a transmitting antenna with an owner: the whole way from button 5 back to the 3-D
// page with the converted codes, and Transfer.
TEST_F(ConversionWindowUiTest, FileChosenConvertedAndTransferredToTheEditor) {
  OwnerWindow owner;
  LobrixAntennaRecord record = Record(0, "Test:", 1, owner.Get());
  const std::wstring caption =
      L"Test: Conversion of antenna diagrams from Kathrein files to VA-99 format";
  const std::wstring title = L"Test:Selection of antenna file  for Tx antenna";
  // The real measured file of the repository; Wine sees the machine's root as drive Z:.
  std::wstring real = L"Z:" LOBRIX_TEST_DATA L"/msi/80010465_0791_x_co.msi";
  for (wchar_t& c : real) c = c == L'/' ? L'\\' : c;
  Findings findings;

  const int result = RunEditor(record, findings, [&](DWORD ui, HWND editor) {
    findings.Expect(IsWindowEnabled(GetDlgItem(editor, 5)) != FALSE, "button 5 enabled");
    Press(editor, 5);
    findings.Expect(WaitUntilGone(editor), "the editor closed for the conversion");

    const HWND window = WaitForDialog(ui, L"Conversion of antenna diagrams");
    if (!window) return findings.Expect(false, "the conversion window did not open");
    findings.Equal(Text(window), caption, "caption");
    findings.Equal(ItemText(window, kFile), L"&File", "File button");
    findings.Equal(ItemText(window, kConvert), L"Con&version", "Conversion button");
    findings.Equal(ItemText(window, kTransfer), L"&Results transfer", "Results transfer button");
    findings.Expect(GetWindow(window, GW_OWNER) == owner.Get(), "owned by the caller's window");

    // The timer's file dialog, cancelled: empty frames, only File and Close.
    if (!ChooseInFileDialog(ui, title, L"", findings)) return;
    findings.Expect(EnabledButtons(window) == std::vector<int>{kClose, kFile},
                    "waiting for a file");
    findings.Expect(SaveWindowPng(window, ScreenPath("conversion-empty")), "picture (empty)");

    // A rejected file: its message, then the dialog again; then the real measured file.
    Press(window, kFile);
    if (!ChooseInFileDialog(ui, title, bad_, findings)) return;
    const std::wstring message =
        AnswerMessageBox(ui, L"Test: Error in file  bad.msi", "conversion-rejected", findings);
    findings.Equal(
        message,
        L"in directory:  " + folder_ + L"\r\n\r\nSelected file  isn't  Kathrein antenna file  !!",
        "message of a rejected file");
    if (!ChooseInFileDialog(ui, title, real, findings)) return;
    findings.Expect(WaitUntilEnabled(window, kConvert), "Conversion enabled after a file was read");
    findings.Expect(EnabledButtons(window) == std::vector<int>{kClose, kCopy, kConvert, kFile},
                    "file loaded");
    findings.Expect(SaveWindowPng(window, ScreenPath("conversion-measured")), "picture (measured)");
    Press(window, kConvert);
    findings.Expect(WaitUntilEnabled(window, kTransfer),
                    "Results transfer enabled after the conversion");
    findings.Expect(SaveWindowPng(window, ScreenPath("conversion-fitted-real")),
                    "picture (real file fitted)");
    // The picture on the clipboard: red measured and blue fitted curves, the black outline.
    if (OpenClipboard(nullptr)) {  // nothing left from before
      EmptyClipboard();
      CloseClipboard();
    }
    Press(window, kCopy);
    unsigned corner = 0;
    int blue = -1;
    WaitFor([&] { return (blue = ClipboardPixels(0, 0, 200, corner)) > 0; }, 10);
    findings.Expect(blue > 200, "fitted curves on the clipboard: " + std::to_string(blue));
    findings.Expect(ClipboardPixels(255, 0, 0, corner) > 200, "measured curves on the clipboard");
    findings.Expect(corner == 0, "the copy is outlined in black");

    // The file made from known codes: Results transfer waits for its own conversion.
    Press(window, kFile);
    if (!ChooseInFileDialog(ui, title, good_, findings)) return;
    findings.Expect(WaitUntilEnabled(window, kConvert), "Conversion enabled for the second file");
    findings.Expect(!IsWindowEnabled(GetDlgItem(window, kTransfer)),
                    "Results transfer disabled for a new file");
    Press(window, kConvert);
    findings.Expect(WaitUntilEnabled(window, kTransfer),
                    "Results transfer enabled after the second conversion");
    findings.Expect(EnabledButtons(window) == std::vector<int>{1, 2, 3, 4, 5}, "converted");
    findings.Expect(SaveWindowPng(window, ScreenPath("conversion-fitted")), "picture (fitted)");

    // The caller's window goes down to the task bar with the conversion window and back.
    SendMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    findings.Expect(WaitFor([&] { return IsIconic(owner.Get()) != 0; }, 10),
                    "the owner minimised with the window");
    SendMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    findings.Expect(WaitFor([&] { return IsIconic(owner.Get()) == 0; }, 10),
                    "the owner restored with the window");

    Press(window, kTransfer);
    findings.Expect(WaitUntilGone(window), "Results transfer closed the window");

    const HWND again = WaitForDialog(ui, L"HCM Lobrix");
    if (!again) return findings.Expect(false, "the editor did not open again");
    findings.Expect(VisiblePage(again) == 3, "the editor reopens on the 3-D page");
    const HWND bar = GetDlgItem(again, 99);
    findings.Equal(StatusPart(bar, 0), L" H-code: 030EA10", "converted horizontal code");
    findings.Equal(StatusPart(bar, 1), L" AziMax = 45\u00B0", "converted azimuth");
    findings.Equal(StatusPart(bar, 2), L" V-code: 160VE00", "converted vertical code");
    findings.Equal(StatusPart(bar, 3), L" EleMax = 2\u00B0", "converted elevation");
    findings.Expect(SaveWindowPng(again, ScreenPath("editor-after-conversion")),
                    "picture of the editor");
    Press(again, 1);
  });
  findings.Report();
  EXPECT_EQ(result, 1);
  EXPECT_EQ(std::string(record.hCode, 7), "030EA10");
  EXPECT_EQ(std::string(record.vCode, 7), "160VE00");
  EXPECT_EQ(record.aziMax, 45.0f);
  EXPECT_EQ(record.eleMax, 2.0f);
  EXPECT_EQ(record.startPage, 3) << "start page 4 after the conversion, translated to page 3";
}

// Czech, a receiving antenna without an owner: the Czech dialog title and message, and Close
// after a conversion still leaves the converted codes in the record.
TEST_F(ConversionWindowUiTest, CzechRejectedFileThenCloseKeepsTheConvertedCodes) {
  LobrixAntennaRecord record = Record(1, "", 2, nullptr);
  const std::wstring title =
      L"V\u00FDb\u011Br ant\u00E9nn\u00EDho souboru  pro ant\u00E9nu "
      L"p\u0159\u00EDjma\u010De";
  Findings findings;
  const int result = RunEditor(record, findings, [&](DWORD ui, HWND editor) {
    Press(editor, 5);
    const HWND window = WaitForDialog(ui, L"P\u0159evod ant\u00E9nn\u00EDch diagram\u016F");
    if (!window) return findings.Expect(false, "the conversion window did not open");
    findings.Equal(ItemText(window, kFile), L"&Soubor", "File button");
    if (!ChooseInFileDialog(ui, title, bad_, findings)) return;
    const std::wstring message =
        AnswerMessageBox(ui, L" Chyba v souboru  bad.msi", "conversion-rejected-cz", findings);
    findings.Equal(message,
                   L"v adres\u00E1\u0159i:  " + folder_ +
                       L"\r\n\r\nVybran\u00FD soubor  nen\u00ED  ant\u00E9nn\u00ED soubor "
                       L"Kathrein  !!",
                   "Czech message");
    if (!ChooseInFileDialog(ui, title, good_, findings)) return;
    findings.Expect(WaitUntilEnabled(window, kConvert), "Conversion enabled");
    Press(window, kConvert);
    findings.Expect(WaitUntilEnabled(window, kTransfer), "converted");
    findings.Expect(SaveWindowPng(window, ScreenPath("conversion-fitted-cz")), "picture (Czech)");
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    findings.Expect(WaitUntilGone(window), "the close box closed the window");

    const HWND again = WaitForDialog(ui, L"HCM Lobrix");
    if (!again) return findings.Expect(false, "the editor did not open again");
    findings.Expect(VisiblePage(again) == 0, "closed without transfer: the page of before");
    findings.Equal(StatusPart(GetDlgItem(again, 99), 0), L" H-k\u00F3d: 030EA10",
                   "the converted code is in the editor all the same");
    PostMessageW(again, WM_SYSCOMMAND, SC_CLOSE, 0);
  });
  findings.Report();
  EXPECT_EQ(result, 0);
  EXPECT_EQ(std::string(record.hCode, 7), "030EA10");
  EXPECT_EQ(record.aziMax, 45.0f);
}

}  // namespace
}  // namespace lobrix::test
