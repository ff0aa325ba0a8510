// Driving the editor's windows from a second thread of the test program, with window messages
// (and the cursor position, which the graphic areas read): finding the dialog, reading its
// controls, switching pages, clicking in a graph, capturing a window as a picture.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "exports/lobrix.h"
#include "tests/win32/caller.h"

namespace lobrix::test {

// The wide text with every character beyond ASCII as "?", for failure messages and paths.
std::string Ascii(const std::wstring& wide);
// The path of the picture `name`.png in screens/ beside the program (the folder made on use).
std::string ScreenPath(const std::string& name);

// What the driver thread found wrong; reported on the test's thread when the run is over.
class Findings {
 public:
  void Expect(bool ok, const std::string& what);
  void Equal(const std::wstring& got, const std::wstring& want, const std::string& what);
  void Report() const;
  bool Empty() const { return problems_.empty(); }

 private:
  std::vector<std::string> problems_;
};

// Runs EDITANTVA of lobrix.dll on `record` on this thread while `drive` works the windows from
// another. When the driver stops early (something it waited for did not come), whatever is
// still open is cancelled until EDITANTVA returns, so that a fault fails the test instead of
// hanging it.
int RunWithDriver(LobrixAntennaRecord& record, const std::function<void(DWORD)>& drive);

// RunWithDriver for a driver that starts from the editor's main dialog: `drive` gets the
// thread of the dialogs and the dialog once it is shown; a finding when it never came.
int RunEditor(LobrixAntennaRecord& record, Findings& findings,
              const std::function<void(DWORD, HWND)>& drive);

// Polls `condition` every 50 ms for up to `seconds`.
bool WaitFor(const std::function<bool()>& condition, double seconds = 30);
// Waits until control `id` of `dialog` is enabled.
bool WaitUntilEnabled(HWND dialog, int id, double seconds = 30);
// A button click as the dialog hears it, posted.
void Press(HWND dialog, int id);

// The pixel of a polar frame's point: centre (fx, fy) and radius fr as fractions of the surface
// (width for x, height for y and the radius, as the pages' frames are placed), the point at
// `fraction` of the radius in the compass direction `angle`.
POINT FramePoint(HWND surface, double fx, double fy, double fr, double angle, double fraction);

// Waits up to `seconds` for a visible top-level dialog of `thread` (this process) whose
// caption contains `captionPart`; nullptr when none came.
HWND WaitForDialog(DWORD thread, const std::wstring& captionPart, double seconds = 30);
// The same for a visible top-level dialog of another process, such as lobrix.exe.
HWND WaitForProgramDialog(DWORD process, const std::wstring& captionPart, double seconds = 30);
// Waits until `window` is gone.
bool WaitUntilGone(HWND window, double seconds = 30);

std::wstring Text(HWND window);
std::wstring ItemText(HWND dialog, int id);
std::wstring StatusPart(HWND bar, int part);
std::vector<int> StatusEdges(HWND bar);
std::wstring TabText(HWND tab, int index);

// The page dialogs of the main dialog in their order (children of the tab control).
std::vector<HWND> Pages(HWND dialog);
// The index of the one visible page; -1 when none or several are visible.
int VisiblePage(HWND dialog);
// What the user's click on a tab does: TCN_SELCHANGING, the new selection, TCN_SELCHANGE.
void SwitchPage(HWND dialog, int page);

// The drawing surface on a page (its child window without a control id); nullptr if none.
HWND Surface(HWND page);
// A left click at `point` (client pixels of `surface`): the cursor goes there and the page
// hears of the button press as from a real click.
void ClickIn(HWND surface, POINT point);

// The tooltip texts of the dialog's controls, by control id, in the order they were added.
std::vector<std::pair<int, std::wstring>> Tooltips(HWND dialog);

// The window that has the keyboard focus on `thread`.
HWND FocusOf(DWORD thread);

// The whole window (frame included) written as a PNG file; false when it could not be.
bool SaveWindowPng(HWND window, const std::string& path);

}  // namespace lobrix::test
