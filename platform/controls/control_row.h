// One control of a dialog or page described as data: the dialog and page tables are arrays of
// these rows. Native tests check the tables; the Windows side builds its in-memory dialog
// templates from them, so the geometry and texts are written once.
#pragma once

#include <string_view>

#include "text/language.h"

namespace lobrix {

// What a row creates. The kind fixes the window class and its usual styles; ControlStyle adds
// the few bits that differ between rows of one kind.
enum class ControlKind {
  kPushButton,         // a button with a text
  kPictureButton,      // a push button showing the bitmap named by `picture`
  kLabel,              // a static text; its background is transparent on the pages
  kBlackFrame,         // a black frame static: the panel frames and connector lines
  kGraphicArea,        // an empty static with a sunken edge: where a page is drawn
  kEdit,               // a one-line edit box
  kComboDropDown,      // an editable drop-down combo box
  kComboDropDownList,  // a drop-down list (no typing)
  kTab,                // the tab control of the main dialog
  kStatusBar,          // a status bar along the dialog's bottom edge; its rectangle is unused
};

// Style bits beyond the kind's own, combined with |.
enum ControlStyle : unsigned {
  kStyleNone = 0,
  kStyleDisabled = 1u << 0,       // created disabled
  kStyleTabStop = 1u << 1,        // reached by Tab
  kStyleVScroll = 1u << 2,        // a vertical scroll bar in the combo's list
  kStyleSunken = 1u << 3,         // a sunken client edge
  kStyleClipSiblings = 1u << 4,   // does not paint over its siblings
  kStyleControlParent = 1u << 5,  // Tab moves into the control's own children
};

// A rectangle in dialog units. For the combo boxes the height is that of the dropped list, as
// a dialog template holds it; the edit part takes the height of the dialog font.
struct DialogRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

struct ControlRow {
  int id = 0;
  ControlKind kind = ControlKind::kLabel;
  unsigned styles = kStyleNone;
  DialogRect rect{};
  TextPair text{};             // caption, label or initial text; empty for none
  TextPair tooltip{};          // empty for none
  std::string_view picture{};  // bitmap resource name (picture buttons only)
};

}  // namespace lobrix
