// The Kathrein conversion window's behaviour, written against the control interface so that it
// runs on fakes in native tests and on the real dialog in the module: choosing and reading a
// file, painting the measured patterns, the conversion with its fitted curves, the clipboard
// copy, the states of the five buttons and the results written into the editor's state.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "conversion/conversion.h"
#include "editor/editor_state.h"
#include "platform/controls/control_event.h"
#include "platform/controls/controls.h"
#include "platform/gfx/gfx.h"
#include "render/conversion_picture.h"
#include "render/conversion_views.h"

namespace lobrix {

// Control ids of the window; they are also its end values' commands (1 ends with 1, 2 with 0).
inline constexpr int kResultsTransferButton = 1;
inline constexpr int kConversionCloseButton = 2;
inline constexpr int kConversionCopyButton = 3;
inline constexpr int kConversionButton = 4;
inline constexpr int kFileButton = 5;
// The one-shot timer that opens the file dialog once the window has shown.
inline constexpr int kFileTimer = 1;
inline constexpr int kFileTimerMs = 300;

// Dialog units; the button row along the bottom stays free of the picture.
inline constexpr DialogRect kConversionWindowRect{0, 0, 368, 229};

// The five buttons in creation order (5, 4, 3, 1, 2).
std::span<const ControlRow> ConversionWindowRows();

// The window in pixels for the dialog font it got. The picture's drawing follows its width to
// height ratio, so the picture keeps the shape it has under Windows' own dialog font (6 x 13
// base units: 549 x 315 pixels from x = 2 in a client area 552 wide), whatever the font: a
// flatter one (Wine's substitute font has units less tall for their width) would cut the codes
// and angles under the frames in half. The button row goes right below the picture, as far
// from the window's bottom as in dialog units, and the window is as tall as that needs. Under
// Windows' own font everything stays where the dialog units put it.
struct ConversionWindowPixels {
  int pictureLeft = 0;
  int pictureRight = 0;   // exclusive
  int pictureBottom = 0;  // exclusive; the picture starts at the top
  int buttonTop = 0;
  int clientHeight = 0;
};
// `clientWidth`: the client area's width in pixels; `buttonsToBottom`: the dialog units from
// the button row's top to the window's bottom, in pixels as the dialog maps them.
ConversionWindowPixels ConversionWindowLayout(int clientWidth, int buttonsToBottom);
// The dialog units from the button row's top to the window's bottom.
int ConversionButtonsToBottom();

// captionPrefix + " Conversion of antenna diagrams from Kathrein files to VA-99 format".
std::string ConversionCaption(const EditorState& state);

// The open-file dialog flags the window asks for: hide read-only, do not change the current
// directory, the file must exist, long names.
inline constexpr unsigned kKathreinOpenFlags = 0x0020100C;

// What the open-file dialog is asked to show. On return with a chosen file, `fileSpec` holds
// its full path and `flags` what the dialog gave back.
struct OpenFileRequest {
  std::string title;
  std::string fileSpec;
  std::string initialFolder;
  std::string filter;  // description|pattern
  std::string defaultExtension;
  unsigned flags = 0;
};

// The window as the handlers see it: its controls, its surface, and what only the platform can
// do. The Windows side fills it when the window opens; tests fill it with fakes.
struct ConversionUi {
  Controls* dialog = nullptr;
  // The surface painted last; nullptr before the first painting or when none could be made.
  Gfx* surface = nullptr;
  // Releases the previous surface and makes a new one over the window above the button row,
  // set up (extents with 1000 on the shorter side, cleared white); nullptr when it cannot.
  std::function<Gfx*()> newSurface;
  // Shows the open-file dialog; true when the user chose a file.
  std::function<bool(OpenFileRequest& request)> chooseOpenFile;
  // The bytes of the file at `path`; nothing when it cannot be opened or read.
  std::function<std::optional<std::string>(const std::string& path)> readFile;
  // The message box of a rejected file; returns when the user has closed it.
  std::function<void(const std::string& title, const std::string& text)> showError;
};

// Title and filter of the open-file dialog, by language and antenna role (2: receiving).
std::string OpenFileTitle(const EditorState& state);
std::string OpenFileFilter(int language);

// Opening: the caption, buttons 4, 3 and 1 disabled, the measured table emptied, the empty
// frames painted, timer 1 started.
void StartConversionWindow(EditorState& state, KathreinPattern& pattern, ConversionUi& ui);

// A control's event: timer 1 and the File button choose a file, 4 converts, 3 copies the
// picture, 1 ends with 1 (only while enabled), 2 ends with 0.
void ConversionWindowEvent(EditorState& state, KathreinPattern& pattern, ConversionUi& ui,
                           const ControlEvent& event);

// The open-file dialog until a file is read (1) or the user cancels (0). A rejected file shows
// its message and the dialog opens again in the same folder.
int SelectKathreinFile(EditorState& state, KathreinPattern& pattern, ConversionUi& ui);

// Paints the window anew on a new surface: frames, texts and, with `measured`, the measured
// curves (the window's PaintConversionWindow; the drawing itself is render's).
void RepaintConversionWindow(const EditorState& state, const KathreinPattern& pattern,
                             ConversionUi& ui, bool measured);

// The Conversion command: both planes converted, the codes and directions written into the
// state, the fitted curves drawn; all buttons disabled while it runs, enabled after.
void RunConversion(EditorState& state, const KathreinPattern& pattern, ConversionUi& ui);

// The clipboard copy: a black outline round the whole surface while it is copied, then the
// outline painted over in the colour the corner pixel had. False when the copy failed.
bool CopyConversionPicture(Gfx& gfx);

}  // namespace lobrix
