// The UI monkey: EDITANTVA of lobrix.dll on a record while a second thread sends random but
// reproducible actions to whatever the editor shows: clicks anywhere on the dialog and in the
// graphs, tab switches, keys and random text in the fields, combo choices, the scale and view
// buttons, help, copy, the conversion window (its file dialog cancelled or given the test
// file) and Escape. It fails on a window that stops answering for 5 s, on GDI or USER objects
// that keep growing, and on a record changed other than by Transfer. A crash ends the process.
//
// LOBRIX_MONKEY_ACTIONS (default 300) and LOBRIX_MONKEY_SEED (default: from the clock) set the
// run; scripts/monkey sets them. On a failure the seed and the last 20 actions are printed.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h, which they need
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <random>
#include <string>
#include <vector>

#include "exports/lobrix.h"
#include "tests/win32/ui_driver.h"

namespace lobrix::test {
namespace {

constexpr int kTransfer = 1, kClose = 2, kKathrein = 5;
constexpr UINT kAnswerMs = 5000;  // a window that takes longer to answer has stopped

unsigned long EnvNumber(const char* name, unsigned long fallback) {
  const char* text = std::getenv(name);
  return text && *text ? std::strtoul(text, nullptr, 10) : fallback;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

// The visible, enabled child controls of `parent` and of its child dialogs (the pages).
void CollectControls(HWND parent, std::vector<HWND>& out) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    if (ClassOf(child) == L"#32770") {
      CollectControls(child, out);
    } else if (IsWindowEnabled(child)) {
      out.push_back(child);
    }
  }
}

struct TopWindows {
  DWORD thread;
  std::vector<HWND> found;
};
BOOL CALLBACK CollectTop(HWND window, LPARAM data) {
  if (IsWindowVisible(window)) reinterpret_cast<TopWindows*>(data)->found.push_back(window);
  return TRUE;
}
std::vector<HWND> VisibleTopWindows(DWORD thread) {
  TopWindows top{thread, {}};
  EnumThreadWindows(thread, CollectTop, reinterpret_cast<LPARAM>(&top));
  return top.found;
}

class Monkey {
 public:
  Monkey(unsigned long seed, DWORD ui, HWND editor) : random_(seed), ui_(ui), editor_(editor) {}

  // One random action on the window on top; false when the editor has gone.
  bool Act(Findings& findings);
  void PrintLast() const {
    for (const std::string& a : last_) std::fprintf(stderr, "  %s\n", a.c_str());
  }

 private:
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  void Log(const std::string& action) {
    last_.push_back(action);
    if (last_.size() > 20) last_.pop_front();
  }
  HWND Main();
  HWND TopDialog();
  void OnDialog(HWND dialog);
  void OnControl(HWND dialog, HWND control);
  void OnFileDialog(HWND dialog);

  std::mt19937 random_;
  DWORD ui_;
  HWND editor_;
  std::deque<std::string> last_;
};

// The editor's main dialog; it gives way to the conversion window and comes back after it,
// as a new window. Nothing while it is away.
HWND Monkey::Main() {
  if (!IsWindow(editor_)) editor_ = WaitForDialog(ui_, L"HCM Lobrix", 0.1);
  return editor_;
}

// The dialog the user would see on top: the last visible top-level dialog of the thread that
// is not the editor, else the editor; nothing when the thread shows no dialog for 5 s (the
// editor has returned).
HWND Monkey::TopDialog() {
  HWND top = nullptr;
  WaitFor(
      [&] {
        top = Main();
        for (HWND window : VisibleTopWindows(ui_)) {
          if (window != editor_ && ClassOf(window) == L"#32770") top = window;
        }
        return top != nullptr;
      },
      5);
  return top;
}

bool Monkey::Act(Findings& findings) {
  const HWND dialog = TopDialog();
  if (dialog == nullptr) return false;
  OnDialog(dialog);
  // Every window of the thread answers within kAnswerMs.
  for (HWND window : VisibleTopWindows(ui_)) {
    DWORD_PTR answer = 0;
    if (IsWindow(window) &&
        !SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs, &answer) &&
        IsWindow(window)) {
      findings.Expect(false, "a window stopped answering for 5 s after: " + last_.back());
      return false;
    }
  }
  return true;
}

void Monkey::OnDialog(HWND dialog) {
  const std::wstring caption = Text(dialog);
  // The common open-file dialog: cancelled, or given the test file.
  if (GetDlgItem(dialog, 0x47C) != nullptr || GetDlgItem(dialog, 0x480) != nullptr) {
    return OnFileDialog(dialog);
  }
  // A message box or the help box: read and closed.
  if (dialog != editor_ && GetDlgItem(dialog, 0xFFFF) != nullptr && Pick(3) == 0) {
    Log("close the box \"" + Ascii(caption) + "\"");
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    return;
  }
  const int kind = Pick(20);
  // Escape closes the box on top; on the editor itself it would end the run, which the last
  // step does.
  if (kind == 0 && dialog != Main()) {
    Log("Escape on \"" + Ascii(caption) + "\"");
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    return;
  }
  if (kind == 1 && dialog == Main()) {
    const int page = Pick(4);
    Log("tab " + std::to_string(page));
    SwitchPage(dialog, page);
    return;
  }
  if (kind == 2) {
    RECT r{};
    GetClientRect(dialog, &r);
    const POINT p{Pick(std::max<int>(1, r.right)), Pick(std::max<int>(1, r.bottom))};
    Log("click on the dialog at " + std::to_string(p.x) + "," + std::to_string(p.y));
    PostMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    PostMessageW(dialog, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    return;
  }
  std::vector<HWND> controls;
  CollectControls(dialog, controls);
  if (controls.empty()) return;
  OnControl(dialog, controls[static_cast<std::size_t>(Pick(static_cast<int>(controls.size())))]);
}

void Monkey::OnControl(HWND dialog, HWND control) {
  const std::wstring kind = ClassOf(control);
  const int id = GetDlgCtrlID(control);
  const HWND parent = GetParent(control);
  const std::string name = Ascii(kind) + " " + std::to_string(id);
  if (kind == L"Button") {
    // Transfer and Close end the editor; the monkey leaves them to Escape and the last step.
    if (parent == Main() && (id == kTransfer || id == kClose)) return;
    if (dialog != editor_ && id == kClose && Pick(4) != 0) return;
    Log("press " + name + " \"" + Ascii(Text(control)) + "\"");
    PostMessageW(parent, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
  } else if (kind == L"ComboBox") {
    const int count = static_cast<int>(SendMessageW(control, CB_GETCOUNT, 0, 0));
    if (count <= 0) return;
    const int index = Pick(count);
    Log("choose " + std::to_string(index) + " in " + name);
    SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    PostMessageW(parent, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(control));
  } else if (kind == L"Edit") {
    static const wchar_t kKeys[] = L"0123456789-+.,eE ax\b\b\x7f";
    std::wstring keys;
    for (int n = Pick(6); n >= 0; --n) keys += kKeys[Pick(static_cast<int>(wcslen(kKeys)))];
    Log("type " + std::to_string(keys.size()) + " keys in " + name);
    PostMessageW(parent, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    for (const wchar_t key : keys) PostMessageW(control, WM_CHAR, key, 1);
  } else if (kind == L"SysTabControl32") {
    const int page = Pick(4);
    Log("tab " + std::to_string(page));
    SwitchPage(dialog, page);
  } else if (id == 0 || kind.find(L"Lobrix") != std::wstring::npos ||
             GetWindow(control, GW_CHILD) == nullptr) {
    // A drawing surface (or any other window): a move and maybe a click at a random point.
    RECT r{};
    GetClientRect(control, &r);
    const POINT p{Pick(std::max<int>(1, r.right)), Pick(std::max<int>(1, r.bottom))};
    Log("mouse at " + std::to_string(p.x) + "," + std::to_string(p.y) + " in " + name);
    if (Pick(2) == 0) {
      ClickIn(control, p);
    } else {
      POINT screen = p;
      ClientToScreen(control, &screen);
      SetCursorPos(screen.x, screen.y);
      PostMessageW(control, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
    }
  }
}

void Monkey::OnFileDialog(HWND dialog) {
  if (Pick(2) == 0) {
    Log("cancel the file dialog");
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return;
  }
  Log("choose the test file in the file dialog");
  const std::wstring file = L"Z:" LOBRIX_TEST_DATA L"/msi/80010465_0791_x_co.msi";
  HWND name = GetDlgItem(dialog, 0x47C);  // the file-name combo box
  if (name) SetWindowTextW(name, file.c_str());
  HWND edit = name ? FindWindowExW(name, nullptr, L"Edit", nullptr) : GetDlgItem(dialog, 0x480);
  if (edit) SetWindowTextW(edit, file.c_str());
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

// Live GDI objects found by their handle's index. Wine answers GetGuiResources with 0, but
// takes a handle without its generation (the high word 0) for whatever object lives at that
// index, so asking every index for its object type counts the process's objects there.
DWORD GdiObjectsByIndex() {
  DWORD count = 0;
  for (ULONG_PTR index = 1; index < 0x10000; ++index) {
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++count;
  }
  return count;
}

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
  ++*reinterpret_cast<DWORD*>(count);
  return TRUE;
}

BOOL CALLBACK CountOwnWindows(HWND window, LPARAM count) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == GetCurrentProcessId()) {
    CountWindow(window, count);
    EnumChildWindows(window, CountWindow, count);
  }
  return TRUE;
}

// The windows of this process, top-level and child: the USER objects the editor makes and must
// destroy, where GetGuiResources cannot tell (Wine).
DWORD WindowsOfThisProcess() {
  DWORD count = 0;
  EnumWindows(CountOwnWindows, reinterpret_cast<LPARAM>(&count));
  return count;
}

// Objects of this process now: GDI and USER. `byIndex` is set when the counts come from the
// scans above rather than from GetGuiResources.
DWORD GuiObjects(DWORD kind, bool& byIndex) {
  const DWORD reported = GetGuiResources(GetCurrentProcess(), kind);
  if (reported != 0) return reported;
  byIndex = true;
  return kind == GR_GDIOBJECTS ? GdiObjectsByIndex() : WindowsOfThisProcess();
}

TEST(Monkey, RandomActionsLeaveTheRecordAndTheObjectsAsTheyWere) {
  AssertLobrixExports({"EDITANTVA"});
  const unsigned long actions = EnvNumber("LOBRIX_MONKEY_ACTIONS", 300);
  const unsigned long seed = EnvNumber(
      "LOBRIX_MONKEY_SEED",
      static_cast<unsigned long>(std::chrono::steady_clock::now().time_since_epoch().count()));
  std::fprintf(stderr, "monkey: %lu actions, seed %lu\n", actions, seed);

  OwnerWindow owner;
  LobrixAntennaRecord record = MakeRecord({.hCode = "030EA10",
                                           .vCode = "100TA00",
                                           .aziMax = 30,
                                           .eleMax = -2.5f,
                                           .gain = kNoGain,
                                           .owner = owner.Get(),
                                           .prefix = "Monkey",
                                           .role = 1});
  const LobrixAntennaRecord before = record;
  Findings findings;
  std::vector<DWORD> gdi, user;
  bool countedByIndex = false;
  unsigned long done = 0;
  const int result = RunEditor(record, findings, [&](DWORD ui, HWND editor) {
    Monkey monkey(seed, ui, editor);
    for (; done < actions; ++done) {
      if (!monkey.Act(findings)) break;
      Sleep(20);
      if (done % 50 == 0) {
        gdi.push_back(GuiObjects(GR_GDIOBJECTS, countedByIndex));
        user.push_back(GuiObjects(GR_USEROBJECTS, countedByIndex));
      }
    }
    if (!findings.Empty() || done < actions) monkey.PrintLast();
    // The end of the run: the editor closed with Escape unless it has gone already.
    const HWND last = WaitForDialog(ui, L"HCM Lobrix", 1);
    if (last) PostMessageW(last, WM_COMMAND, IDCANCEL, 0);
  });

  // Objects may grow while caches fill. A leak: growth at every sample after the first third,
  // or a last third whose fewest objects are well above the most of the first third (what is
  // open at a sample, the conversion window or a help box, moves the count by up to a hundred).
  auto leaks = [](const std::vector<DWORD>& counts) {
    if (counts.size() < 6) return false;
    const std::size_t third = counts.size() / 3;
    bool growing = true;
    for (std::size_t i = third + 1; i < counts.size() && growing; ++i) {
      growing = counts[i] > counts[i - 1];
    }
    if (growing) return true;
    const DWORD firstMost = *std::max_element(counts.begin(), counts.begin() + third);
    const DWORD lastFewest = *std::min_element(counts.end() - third, counts.end());
    return lastFewest > firstMost + 150;
  };
  findings.Expect(!leaks(gdi), "GDI objects kept growing");
  findings.Expect(!leaks(user), "USER objects kept growing");
  // Without Transfer (result 0) not a byte of the record may change.
  if (result == 0) {
    findings.Expect(FirstDifference(record, before) < 0,
                    "the record changed at byte " +
                        std::to_string(FirstDifference(record, before)) + " without Transfer");
  }
  auto range = [](const std::vector<DWORD>& counts) {
    if (counts.empty()) return std::string("none");
    const auto [low, high] = std::minmax_element(counts.begin(), counts.end());
    return std::to_string(counts.front()) + " first, " + std::to_string(*low) + ".." +
           std::to_string(*high) + ", " + std::to_string(counts.back()) + " last";
  };
  std::fprintf(stderr, "monkey: %lu actions done, seed %lu; %zu samples of GDI objects %s; %s %s%s\n",
               done, seed, gdi.size(), range(gdi).c_str(),
               countedByIndex ? "windows" : "USER objects", range(user).c_str(),
               countedByIndex ? " (counted by handle index and window enumeration)" : "");
  auto series = [](const std::vector<DWORD>& counts) {
    std::string text;
    for (const DWORD count : counts) text += " " + std::to_string(count);
    return text;
  };
  std::fprintf(stderr, "monkey: GDI objects every 50 actions:%s\n", series(gdi).c_str());
  std::fprintf(stderr, "monkey: %s every 50 actions:%s\n",
               countedByIndex ? "windows" : "USER objects", series(user).c_str());
  if (!findings.Empty()) std::fprintf(stderr, "monkey: failed with seed %lu\n", seed);
  findings.Report();
}

}  // namespace
}  // namespace lobrix::test
