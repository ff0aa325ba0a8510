// The Horizontal and Vertical diagram pages (0 and 1): the code-type buttons, the three
// parameter fields with their panel, and the scale and view buttons. Page 0 edits hCode and
// redraws the horizontal view, page 1 vCode and the vertical view; every change of a code
// refreshes the status bar.
#pragma once

#include <string>
#include <string_view>

#include "editor/editor_state.h"
#include "editor/editor_ui.h"
#include "platform/controls/control_event.h"

namespace lobrix {

// Where ComposeCode reads fields 10 and 12: the chosen list items, or the typed texts.
enum class CodeSource { kLists, kTyped };

// The code the page edits: hCode on page 0, vCode on page 1.
std::string& PageCode(EditorState& state, int page);

// Creates the page's controls that are not there yet (the Windows side made them from the
// page's template), the parameter panel for the page's code after field 12, the view button
// enabled, and the tooltips. Forgets what the page's handlers kept from an earlier opening.
void BuildCodePage(EditorState& state, EditorUi& ui, int page);

// Fills fields 10 to 12 for `code` and shows its panel group (kept when the group and its texts
// stay the same).
void BuildParameterPanel(EditorState& state, EditorUi& ui, int page, std::string_view code);

// Click on code-type button 101 to 114.
void ChooseCodeType(EditorState& state, EditorUi& ui, int page, int buttonId);

// Focus, list choice and typing in fields 10 to 12.
void ParameterFieldCallback(EditorState& state, EditorUi& ui, int page, const ControlEvent& event);

// The page's code from its three fields; ignored while shorter than 7 characters.
void ComposeCode(EditorState& state, EditorUi& ui, int page, CodeSource source);

// Button 16 of the page on top: decibel <-> linear scale, the text of both pages' buttons
// naming the scale of the next click.
void ToggleScale(EditorState& state, EditorUi& ui);

// Button 17 of the page on top: graph <-> table (page 0), polar <-> X-Y graph (page 1), the
// text naming the view of the next click.
void ToggleView(EditorState& state, EditorUi& ui);

// Every event of a code page's controls, handed to the handler it belongs to.
void CodePageEvent(EditorState& state, EditorUi& ui, int page, const ControlEvent& event);

}  // namespace lobrix
