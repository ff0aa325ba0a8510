// The lines of a word-wrapping label, broken as Windows breaks them: as many words on a line as
// fit its width, the blanks at a break dropped. The panel labels rely on that rule (a run of
// blanks pushes the next words onto the next line); Wine keeps those blanks at the start of
// the next line and shows such a label one line too deep, cut off. Given ready-made lines, the
// label shows the same on both.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace lobrix {

// `text` with CR LF where the label of `width` pixels breaks it, measured with the font
// selected into `dc`. Words wider than the label stay whole; CR LF already in the text stays.
std::wstring WrapLabelText(HDC dc, std::wstring_view text, int width);

// True for a static control that wraps its text (SS_LEFT, SS_CENTER, SS_RIGHT).
bool IsWrappingLabel(HWND window);

// Puts `text` into the wrapping label, broken into its lines with the label's own font.
void SetLabelText(HWND label, std::wstring_view text);

}  // namespace lobrix
