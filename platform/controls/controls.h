// The controls of one dialog or page, keyed by control id: all the editor's handlers need to
// read and change in a window, and nothing more. The Windows side implements it over the
// dialog's child windows, the fake side over a map, so the handlers run in native tests.
//
// Texts are UTF-8. A call on an id the dialog does not hold does nothing and reads as empty,
// -1 or false, as the Windows calls behave on a missing child.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "platform/controls/control_row.h"

namespace lobrix {

// Character positions of an edit selection: start inclusive, end exclusive.
struct TextRange {
  int start = 0;
  int end = 0;
};

class Controls {
 public:
  virtual ~Controls() = default;

  // Creates the control of `row` with its text and tooltip in `language`, or destroys one.
  virtual void Create(const ControlRow& row, int language) = 0;
  virtual void Destroy(int id) = 0;
  virtual bool Exists(int id) const = 0;

  // The window text: a button's caption, a label, the text in an edit or in a combo's edit.
  virtual std::string Text(int id) const = 0;
  virtual void SetText(int id, std::string_view text) = 0;

  // Items of a combo box's list or of the tab control; selection -1 is none.
  virtual void ClearItems(int id) = 0;
  virtual void AddItem(int id, std::string_view text) = 0;
  virtual int ItemCount(int id) const = 0;
  virtual std::string ItemText(int id, int index) const = 0;  // empty out of range
  virtual int Selection(int id) const = 0;
  // Selects item `index` (-1: none); a combo box shows the item's text in its edit part.
  virtual void Select(int id, int index) = 0;

  virtual void Enable(int id, bool enabled) = 0;
  virtual bool IsEnabled(int id) const = 0;
  virtual void Show(int id, bool visible) = 0;
  virtual bool IsVisible(int id) const = 0;

  // Keyboard focus; FocusedId is 0 when the focus is in no control of this dialog.
  virtual void Focus(int id) = 0;
  virtual int FocusedId() const = 0;

  // Selection in an edit box or a combo box's edit part.
  virtual TextRange EditSelection(int id) const = 0;
  virtual void SetEditSelection(int id, TextRange range) = 0;

  virtual void SetTooltip(int id, std::string_view text) = 0;

  // Status bar `id`: the right edges of its parts in pixels (-1: to the window edge) and the
  // text of one part.
  virtual void SetStatusParts(int id, std::span<const int> rightEdges) = 0;
  virtual void SetPartText(int id, int part, std::string_view text) = 0;

  // The dialog itself.
  virtual void SetCaption(std::string_view text) = 0;
  virtual void ShowDialog(bool visible) = 0;
  virtual bool DialogVisible() const = 0;
  virtual void StartTimer(int id, int milliseconds) = 0;
  virtual void StopTimer(int id) = 0;
  virtual void EndDialog(int result) = 0;
};

// Creates the controls of `rows` in their order, in `language` (what a dialog template does
// on the Windows side; the fake builds its dialogs with it).
inline void CreateControls(Controls& dialog, std::span<const ControlRow> rows, int language) {
  for (const ControlRow& row : rows) dialog.Create(row, language);
}

// Gives every control of `rows` that has a tooltip its text in `language`.
inline void AddTooltips(Controls& dialog, std::span<const ControlRow> rows, int language) {
  for (const ControlRow& row : rows) {
    const std::string_view text = Pick(row.tooltip, language);
    if (!text.empty()) dialog.SetTooltip(row.id, text);
  }
}

}  // namespace lobrix
