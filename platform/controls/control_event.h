// What a dialog procedure hands to the portable handlers: the control id and what happened to
// it. The Windows side turns WM_COMMAND with its BN_, EN_ and CBN_ codes, the tab control's
// TCN_ notifications, WM_TIMER and the mouse messages of the graphic area into these.
#pragma once

namespace lobrix {

enum class ControlEventKind {
  kClicked,           // a button; also the close box and Escape (id 2) and Enter (id 1)
  kEditChanged,       // an edit box's text changed (EN_CHANGE)
  kComboEditChanged,  // typing in a combo box's edit part, before it shows (CBN_EDITUPDATE)
  kSelectionChanged,  // a combo box's list selection changed (CBN_SELCHANGE)
  kTabChanging,       // the tab control is about to change page (TCN_SELCHANGING)
  kTabChanged,        // the tab control changed page (TCN_SELCHANGE)
  kSetFocus,          // an edit or combo box got the focus
  kKillFocus,         // an edit or combo box lost the focus
  kTimer,             // the timer `id` fired
  kMouseMove,         // the mouse moved over the graphic area `id`
  kMouseClick,        // the left button went down in the graphic area `id`
};

struct ControlEvent {
  int id = 0;
  ControlEventKind kind = ControlEventKind::kClicked;
  int x = -1;  // mouse events: pixels inside the control; -1 otherwise
  int y = -1;
};

}  // namespace lobrix
