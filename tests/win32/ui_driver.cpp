#include "tests/win32/ui_driver.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>

#include "tests/win32/png_file.h"

namespace lobrix::test {
namespace {

std::wstring ClassName(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

struct DialogSearch {
  std::wstring captionPart;
  DWORD process;
  HWND found = nullptr;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<DialogSearch*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == search->process && IsWindowVisible(window) && ClassName(window) == L"#32770" &&
      Text(window).find(search->captionPart) != std::wstring::npos) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

void Pause(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

// Waits up to `seconds` for a visible top-level dialog of `process` whose caption contains
// `captionPart`: among the windows of `thread`, or of the whole desktop when `thread` is 0.
HWND WaitForDialogOf(DWORD process, DWORD thread, const std::wstring& captionPart, double seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (std::chrono::steady_clock::now() < end) {
    DialogSearch search{captionPart, process};
    if (thread != 0) {
      EnumThreadWindows(thread, FindDialog, reinterpret_cast<LPARAM>(&search));
    } else {
      EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
    }
    if (search.found) {
      Pause(300);  // the opening timer's repaint
      return search.found;
    }
    Pause(50);
  }
  return nullptr;
}

BOOL CALLBACK CancelDialog(HWND window, LPARAM) {
  if (IsWindowVisible(window) && ClassName(window) == L"#32770") {
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  }
  return TRUE;
}

}  // namespace

std::string Ascii(const std::wstring& wide) {
  std::string text;
  for (const wchar_t c : wide) text += c < 128 ? static_cast<char>(c) : '?';
  return text;
}

std::string ScreenPath(const std::string& name) {
  const std::wstring folder = ProgramFolder() + L"screens";
  CreateDirectoryW(folder.c_str(), nullptr);
  return Ascii(folder) + "\\" + name + ".png";
}

void Findings::Expect(bool ok, const std::string& what) {
  if (!ok) problems_.push_back(what);
}

void Findings::Equal(const std::wstring& got, const std::wstring& want, const std::string& what) {
  if (got != want)
    problems_.push_back(what + ": got \"" + Ascii(got) + "\", want \"" + Ascii(want) + "\"");
}

void Findings::Report() const {
  for (const std::string& p : problems_) ADD_FAILURE() << p;
}

int RunWithDriver(LobrixAntennaRecord& record, const std::function<void(DWORD)>& drive) {
  using EditFunction = int(WINAPI*)(LobrixAntennaRecord*);
  const auto edit =
      reinterpret_cast<EditFunction>(reinterpret_cast<void*>(LobrixExport("EDITANTVA")));
  if (edit == nullptr) {
    ADD_FAILURE() << "no export EDITANTVA in lobrix.dll beside the test";
    return -1;
  }
  const DWORD uiThread = GetCurrentThreadId();
  std::atomic<bool> returned{false};
  std::thread driver([&drive, &returned, uiThread] {
    drive(uiThread);
    while (!returned) {
      EnumThreadWindows(uiThread, CancelDialog, 0);
      Pause(300);
    }
  });
  const int result = edit(&record);
  returned = true;
  driver.join();
  return result;
}

int RunEditor(LobrixAntennaRecord& record, Findings& findings,
              const std::function<void(DWORD, HWND)>& drive) {
  return RunWithDriver(record, [&findings, &drive](DWORD ui) {
    const HWND editor = WaitForDialog(ui, L"HCM Lobrix");
    if (!editor) return findings.Expect(false, "the editor did not open");
    drive(ui, editor);
  });
}

bool WaitFor(const std::function<bool()>& condition, double seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    Pause(50);
  }
  return true;
}

bool WaitUntilEnabled(HWND dialog, int id, double seconds) {
  return WaitFor([dialog, id] { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; },
                 seconds);
}

void Press(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

POINT FramePoint(HWND surface, double fx, double fy, double fr, double angle, double fraction) {
  RECT r{};
  GetClientRect(surface, &r);
  const double radius = fr * r.bottom * fraction;
  const double a = angle * 3.14159265358979 / 180;
  return POINT{static_cast<LONG>(std::lround(fx * r.right + radius * std::sin(a))),
               static_cast<LONG>(std::lround(fy * r.bottom - radius * std::cos(a)))};
}

HWND WaitForDialog(DWORD thread, const std::wstring& captionPart, double seconds) {
  return WaitForDialogOf(GetCurrentProcessId(), thread, captionPart, seconds);
}

HWND WaitForProgramDialog(DWORD process, const std::wstring& captionPart, double seconds) {
  return WaitForDialogOf(process, 0, captionPart, seconds);
}

bool WaitUntilGone(HWND window, double seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (IsWindow(window)) {
    if (std::chrono::steady_clock::now() > end) return false;
    Pause(50);
  }
  return true;
}

std::wstring Text(HWND window) {
  wchar_t buffer[1024] = {};
  if (window) SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

std::wstring ItemText(HWND dialog, int id) {
  return Text(GetDlgItem(dialog, id));
}

std::wstring StatusPart(HWND bar, int part) {
  wchar_t buffer[256] = {};
  const auto length = LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0));
  if (length >= 256) return L"(too long)";
  SendMessageW(bar, SB_GETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

std::vector<int> StatusEdges(HWND bar) {
  int edges[16] = {};
  const auto count = SendMessageW(bar, SB_GETPARTS, 16, reinterpret_cast<LPARAM>(edges));
  return std::vector<int>(edges, edges + count);
}

std::wstring TabText(HWND tab, int index) {
  wchar_t buffer[256] = {};
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = buffer;
  item.cchTextMax = 256;
  SendMessageW(tab, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  return item.pszText;
}

std::vector<HWND> Pages(HWND dialog) {
  std::vector<HWND> pages;
  const HWND tab = GetDlgItem(dialog, 90);
  for (HWND child = GetWindow(tab, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (ClassName(child) == L"#32770") pages.push_back(child);
  }
  return pages;
}

int VisiblePage(HWND dialog) {
  const std::vector<HWND> pages = Pages(dialog);
  int visible = -1;
  for (std::size_t i = 0; i < pages.size(); ++i) {
    if (GetWindowLongW(pages[i], GWL_STYLE) & WS_VISIBLE) {
      if (visible != -1) return -1;
      visible = static_cast<int>(i);
    }
  }
  return visible;
}

void SwitchPage(HWND dialog, int page) {
  const HWND tab = GetDlgItem(dialog, 90);
  NMHDR header{tab, 90, static_cast<UINT>(TCN_SELCHANGING)};
  SendMessageW(dialog, WM_NOTIFY, 90, reinterpret_cast<LPARAM>(&header));
  SendMessageW(tab, TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
  header.code = static_cast<UINT>(TCN_SELCHANGE);
  SendMessageW(dialog, WM_NOTIFY, 90, reinterpret_cast<LPARAM>(&header));
  Pause(100);
}

HWND Surface(HWND page) {
  for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (GetDlgCtrlID(child) == 0 && IsWindowVisible(child)) return child;
  }
  return nullptr;
}

void ClickIn(HWND surface, POINT point) {
  POINT screen = point;
  ClientToScreen(surface, &screen);
  // The cursor moves through the X server; wait until it reads back where it was sent.
  for (int attempt = 0; attempt < 40; ++attempt) {
    if (attempt % 5 == 0) SetCursorPos(screen.x, screen.y);
    POINT now{};
    if (GetCursorPos(&now) && now.x == screen.x && now.y == screen.y) break;
    Pause(50);
  }
  const HWND page = GetParent(surface);
  POINT inPage = screen;
  ScreenToClient(page, &inPage);
  SendMessageW(page, WM_PARENTNOTIFY, MAKEWPARAM(WM_LBUTTONDOWN, 0),
               MAKELPARAM(inPage.x, inPage.y));
  Pause(50);
}

// A static function: GCC's lambdas do not convert to the 32-bit stdcall callback type.
BOOL CALLBACK CollectTooltipWindows(HWND window, LPARAM data) {
  if (ClassName(window) == TOOLTIPS_CLASSW) {
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
  }
  return TRUE;
}

std::vector<std::pair<int, std::wstring>> Tooltips(HWND dialog) {
  // A tooltip window's owner is the top-level window even when a page made it: the tools
  // tell by their windows whose they are.
  std::vector<HWND> windows;
  EnumThreadWindows(GetWindowThreadProcessId(dialog, nullptr), CollectTooltipWindows,
                    reinterpret_cast<LPARAM>(&windows));
  std::vector<std::pair<int, std::wstring>> tips;
  for (const HWND tooltip : windows) {
    const auto count = SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      wchar_t text[512] = {};
      TOOLINFOW info{};
      info.cbSize = TTTOOLINFOW_V2_SIZE;
      info.lpszText = text;
      if (!SendMessageW(tooltip, TTM_ENUMTOOLSW, static_cast<WPARAM>(i),
                        reinterpret_cast<LPARAM>(&info))) {
        continue;
      }
      const auto control = reinterpret_cast<HWND>(info.uId);
      if (GetParent(control) == dialog) tips.emplace_back(GetDlgCtrlID(control), text);
    }
  }
  return tips;
}

HWND FocusOf(DWORD thread) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

bool SaveWindowPng(HWND window, const std::string& path) {
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
  Pause(200);
  RECT r{};
  GetWindowRect(window, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  if (width <= 0 || height <= 0) return false;
  const HDC source = GetWindowDC(window);
  const HDC memory = CreateCompatibleDC(source);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ old = SelectObject(memory, bitmap);
  const bool copied = BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY) != FALSE;
  GdiFlush();
  std::vector<std::uint8_t> rgb;
  if (copied && bits) {
    const auto* pixels = static_cast<const std::uint8_t*>(bits);
    for (int i = 0; i < width * height; ++i) {
      rgb.push_back(pixels[4 * i + 2]), rgb.push_back(pixels[4 * i + 1]);
      rgb.push_back(pixels[4 * i]);
    }
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window, source);
  return copied && WritePng(path, width, height, rgb);
}

}  // namespace lobrix::test
