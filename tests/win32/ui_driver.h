// Driving the editor's windows from a second thread of the test program, with window messages
// (and the cursor position, which the graphic areas read): finding the dialog, reading its
// controls, switching pages, clicking in a graph, capturing a window as a picture.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace lobrix::test {

// Waits up to `seconds` for a visible top-level dialog of `thread` (this process) whose
// caption contains `captionPart`; nullptr when none came.
HWND WaitForDialog(DWORD thread, const std::wstring& captionPart, double seconds = 30);
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
