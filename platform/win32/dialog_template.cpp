#include "platform/win32/dialog_template.h"

#include <commctrl.h>

#include <string>

#include "platform/win32/wide_text.h"

namespace lobrix {
namespace {

DWORD KindStyle(ControlKind kind) {
  switch (kind) {
    case ControlKind::kPushButton:
      return BS_PUSHBUTTON;
    case ControlKind::kPictureButton:
      return BS_PUSHBUTTON | BS_BITMAP;
    case ControlKind::kLabel:
      return SS_LEFT;
    case ControlKind::kBlackFrame:
      return SS_BLACKFRAME;
    case ControlKind::kGraphicArea:
      return SS_LEFT;
    case ControlKind::kEdit:
      return WS_BORDER | ES_LEFT | ES_AUTOHSCROLL;
    case ControlKind::kComboDropDown:
      return CBS_DROPDOWN | CBS_AUTOHSCROLL;
    case ControlKind::kComboDropDownList:
      return CBS_DROPDOWNLIST;
    case ControlKind::kTab:
    case ControlKind::kStatusBar:
      return 0;
  }
  return 0;
}

const wchar_t* KindClass(ControlKind kind) {
  switch (kind) {
    case ControlKind::kPushButton:
    case ControlKind::kPictureButton:
      return L"BUTTON";
    case ControlKind::kEdit:
      return L"EDIT";
    case ControlKind::kComboDropDown:
    case ControlKind::kComboDropDownList:
      return L"COMBOBOX";
    case ControlKind::kTab:
      return WC_TABCONTROLW;
    case ControlKind::kStatusBar:
      return STATUSCLASSNAMEW;
    case ControlKind::kLabel:
    case ControlKind::kBlackFrame:
    case ControlKind::kGraphicArea:
      return L"STATIC";
  }
  return L"STATIC";
}

// Appends words; texts as NUL-terminated UTF-16.
class TemplateWriter {
 public:
  std::vector<std::uint16_t> words;

  void Word(unsigned value) { words.push_back(static_cast<std::uint16_t>(value)); }
  void Dword(DWORD value) {
    Word(value & 0xFFFFu);
    Word(value >> 16);
  }
  void Text(std::wstring_view text) {
    for (const wchar_t c : text) Word(static_cast<std::uint16_t>(c));
    Word(0);
  }
  // Items start on a DWORD boundary.
  void AlignDword() {
    if (words.size() % 2 != 0) Word(0);
  }
  void Rect(const DialogRect& r) {
    Word(static_cast<std::uint16_t>(static_cast<std::int16_t>(r.x)));
    Word(static_cast<std::uint16_t>(static_cast<std::int16_t>(r.y)));
    Word(static_cast<std::uint16_t>(static_cast<std::int16_t>(r.width)));
    Word(static_cast<std::uint16_t>(static_cast<std::int16_t>(r.height)));
  }
};

}  // namespace

ControlWindowKind ControlWindowFor(const ControlRow& row) {
  ControlWindowKind kind;
  kind.className = KindClass(row.kind);
  kind.style = WS_CHILD | WS_VISIBLE | KindStyle(row.kind);
  if (row.styles & kStyleDisabled) kind.style |= WS_DISABLED;
  if (row.styles & kStyleTabStop) kind.style |= WS_TABSTOP;
  if (row.styles & kStyleVScroll) kind.style |= WS_VSCROLL;
  if (row.styles & kStyleClipSiblings) kind.style |= WS_CLIPSIBLINGS;
  if (row.styles & kStyleSunken) kind.exStyle |= WS_EX_CLIENTEDGE;
  if (row.styles & kStyleControlParent) kind.exStyle |= WS_EX_CONTROLPARENT;
  return kind;
}

std::vector<std::uint16_t> BuildDialogTemplate(const DialogFrame& frame,
                                               std::span<const ControlRow> rows, int language) {
  TemplateWriter out;
  std::size_t items = 0;
  for (const ControlRow& row : rows) {
    if (row.kind != ControlKind::kStatusBar) ++items;
  }
  out.Dword(frame.style | DS_SETFONT);
  out.Dword(frame.exStyle);
  out.Word(static_cast<unsigned>(items));
  out.Rect(frame.rect);
  out.Word(0);  // no menu
  out.Word(0);  // the standard dialog class
  out.Text(Widen(frame.caption));
  out.Word(kDialogFontPoints);
  out.Text(kDialogFontName);

  for (const ControlRow& row : rows) {
    if (row.kind == ControlKind::kStatusBar) continue;
    const ControlWindowKind kind = ControlWindowFor(row);
    out.AlignDword();
    out.Dword(kind.style);
    out.Dword(kind.exStyle);
    out.Rect(row.rect);
    out.Word(static_cast<unsigned>(row.id));
    out.Text(kind.className);
    out.Text(Widen(Pick(row.text, language)));
    out.Word(0);  // no creation data
  }
  return std::move(out.words);
}

}  // namespace lobrix
