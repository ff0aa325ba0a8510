// In-memory dialog templates built from the control tables: the dialog's frame (styles,
// rectangle in dialog units, caption, font) and one item a control row, so the geometry and
// the texts are written once, in the tables.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/controls/control_row.h"

namespace lobrix {

// The window class and styles a control row is created with.
struct ControlWindowKind {
  const wchar_t* className = L"STATIC";
  DWORD style = 0;
  DWORD exStyle = 0;
};

// The class and styles of `row`: WS_CHILD and WS_VISIBLE, the kind's own styles and the
// row's extra bits (disabled, tab stop, scroll bar, sunken edge, clip siblings, control parent).
ControlWindowKind ControlWindowFor(const ControlRow& row);

// The dialog itself: styles, extended styles, rectangle and caption (UTF-8). Every dialog of
// the editor uses the same font, so its dialog units measure the same everywhere.
struct DialogFrame {
  DWORD style = 0;
  DWORD exStyle = 0;
  DialogRect rect{};
  std::string_view caption{};
};

inline constexpr wchar_t kDialogFontName[] = L"MS Sans Serif";
inline constexpr WORD kDialogFontPoints = 8;

// A DLGTEMPLATE with DS_SETFONT and one DLGITEMTEMPLATE per row (the status bar has none: it is
// made with its own call), texts in `language`. The words are DWORD-aligned where the format
// wants them; pass data() to DialogBoxIndirectParamW or CreateDialogIndirectParamW.
std::vector<std::uint16_t> BuildDialogTemplate(const DialogFrame& frame,
                                               std::span<const ControlRow> rows, int language);

}  // namespace lobrix
