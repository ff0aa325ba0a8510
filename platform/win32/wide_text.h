// Texts across the wide Win32 API: the program keeps UTF-8, the windows take UTF-16.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace lobrix {

// UTF-8 to UTF-16; a byte that is not UTF-8 is read as code page 1250, as the record's texts
// are written.
std::wstring Widen(std::string_view utf8);

// UTF-16 to UTF-8.
std::string Narrow(std::wstring_view wide);

// UTF-8 to the system's ANSI code page, for the …A functions that store texts (the registry):
// nothing when a character has no place in that code page, so that a path is never stored
// changed.
std::optional<std::string> ToAnsi(std::string_view utf8);

// The system's ANSI code page to UTF-8.
std::string FromAnsi(std::string_view ansi);

// The text of a window (a control, a dialog) as UTF-8.
std::string WindowText(HWND window);

}  // namespace lobrix
