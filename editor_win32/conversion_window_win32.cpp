#include "editor_win32/conversion_window_win32.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor/conversion_window.h"
#include "editor_win32/surface_window.h"
#include "pattern_files/whole_file.h"
#include "platform/win32/controls_win32.h"
#include "platform/win32/dialog_procedure.h"
#include "platform/win32/dialog_template.h"
#include "platform/win32/module_handle.h"
#include "platform/win32/open_file_dialog.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win_handle.h"

namespace lobrix {
namespace {

// A caption, a system menu and a minimise box; centred on the screen when it has no owner.
constexpr DWORD kWindowStyle =
    WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE | DS_MODALFRAME | DS_3DLOOK;
// With an owner, the window goes this far below the owner's top left corner.
constexpr int kOwnedOffsetDialogUnits = 14;
// The message box of a rejected file: task-modal, exclamation icon, OK (0x2030).
constexpr UINT kErrorBoxStyle = MB_TASKMODAL | MB_ICONEXCLAMATION | MB_OK;

// What the last file left: its texts, numbers and the file-name box text the open-file dialog shows
// next time stay for the life of the process, across openings of the window.
KathreinPattern& LastKathreinPattern() {
  static KathreinPattern pattern;
  return pattern;
}

// The chosen file's bytes through the one whole-file reader, opened by its wide name so that
// any path the open-file dialog gives reads; nothing when it cannot be opened or read.
std::optional<std::string> ReadChosenFile(const std::string& path) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(_wfopen(Widen(path).c_str(), L"rb"),
                                                       std::fclose);
  if (!file) return std::nullopt;
  std::string reason;
  return ReadOpenedFile(file.get(), reason);
}

// One opening of the window: the dialog, its controls and the surface.
class ConversionWindowRun {
 public:
  explicit ConversionWindowRun(EditorState& state);
  ConversionWindowRun(const ConversionWindowRun&) = delete;
  ConversionWindowRun& operator=(const ConversionWindowRun&) = delete;
  int Run();

 private:
  void Init(HWND dialog);
  void LayOut(HWND dialog);
  bool Message(UINT message, WPARAM wParam);
  Gfx* NewSurface();
  void ReleaseSurface();

  EditorState& state_;
  KathreinPattern& pattern_;
  ControlsWin32 controls_;
  ConversionUi ui_;
  DialogHandlers handlers_;
  std::unique_ptr<Gfx> surface_;
  RECT picture_{};  // where the surface goes, in client pixels
};

ConversionWindowRun::ConversionWindowRun(EditorState& state)
    : state_(state), pattern_(LastKathreinPattern()) {
  ui_.dialog = &controls_;
  ui_.newSurface = [this] { return NewSurface(); };
  ui_.chooseOpenFile = [this](OpenFileRequest& request) {
    return ChooseOpenFile(controls_.Dialog(), request.title, request.fileSpec,
                          request.initialFolder, request.filter, request.defaultExtension,
                          request.flags) != 0;
  };
  ui_.readFile = ReadChosenFile;
  ui_.showError = [](const std::string& title, const std::string& text) {
    MessageBoxW(nullptr, Widen(text).c_str(), Widen(title).c_str(), kErrorBoxStyle);
  };

  handlers_.init = [this](HWND dialog) { Init(dialog); };
  handlers_.event = [this](const ControlEvent& event) {
    ConversionWindowEvent(state_, pattern_, ui_, event);
  };
  handlers_.message = [this](HWND, UINT message, WPARAM wParam, LPARAM, INT_PTR&) {
    return Message(message, wParam);
  };
  handlers_.destroy = [this](HWND) {
    ReleaseSurface();
    controls_.Detach();
  };
}

int ConversionWindowRun::Run() {
  const HWND owner = static_cast<HWND>(state_.ownerWindow);
  const DWORD style = kWindowStyle | (owner == nullptr ? DS_CENTER : 0);
  const std::vector<std::uint16_t> form = BuildDialogTemplate(
      {style, 0, kConversionWindowRect, ""}, ConversionWindowRows(), state_.language);
  const INT_PTR result =
      DialogBoxIndirectParamW(ThisModule(), reinterpret_cast<LPCDLGTEMPLATEW>(form.data()), owner,
                              DialogProcedure, reinterpret_cast<LPARAM>(&handlers_));
  // The measured table lives while the window is open.
  pattern_.measured = {};
  return result == 1 ? 1 : 0;
}

void ConversionWindowRun::Init(HWND dialog) {
  controls_.Attach(dialog);
  LayOut(dialog);
  if (const HWND owner = static_cast<HWND>(state_.ownerWindow)) {
    RECT ownerRect{};
    RECT offset{0, kOwnedOffsetDialogUnits, 0, 0};
    GetWindowRect(owner, &ownerRect);
    MapDialogRect(dialog, &offset);
    SetWindowPos(dialog, nullptr, ownerRect.left, ownerRect.top + offset.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  StartConversionWindow(state_, pattern_, ui_);
}

bool ConversionWindowRun::Message(UINT message, WPARAM wParam) {
  return SurfaceWindowMessage(message, wParam, ui_.surface, static_cast<HWND>(state_.ownerWindow));
}

// The picture in the shape it has under Windows' own dialog font, the button row right below
// it and the window as tall as that needs (ConversionWindowLayout): under another font, such as
// Wine's, the texts under the frames stay whole. Under Windows' own font nothing moves.
void ConversionWindowRun::LayOut(HWND dialog) {
  RECT client{};
  GetClientRect(dialog, &client);
  RECT below{0, 0, 0, ConversionButtonsToBottom()};
  MapDialogRect(dialog, &below);
  const ConversionWindowPixels pixels = ConversionWindowLayout(client.right, below.bottom);
  picture_ = {pixels.pictureLeft, 0, pixels.pictureRight, pixels.pictureBottom};
  for (const ControlRow& row : ConversionWindowRows()) {
    const HWND button = GetDlgItem(dialog, row.id);
    RECT rect{};
    GetWindowRect(button, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    SetWindowPos(button, nullptr, rect.left, pixels.buttonTop, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  const int grow = pixels.clientHeight - client.bottom;
  if (grow == 0) return;
  // Taller or shorter by as much as the client area, and still centred where it was centred.
  RECT window{};
  GetWindowRect(dialog, &window);
  const int top = window.top - (static_cast<HWND>(state_.ownerWindow) == nullptr ? grow / 2 : 0);
  SetWindowPos(dialog, nullptr, window.left, std::max(top, 0), window.right - window.left,
               window.bottom - window.top + grow, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The surface covers the picture's place, from x = 2 to the right edge less one pixel and from
// the top down to the button row.
Gfx* ConversionWindowRun::NewSurface() {
  ReleaseSurface();
  const HWND dialog = controls_.Dialog();
  if (dialog == nullptr) return nullptr;
  // Below the buttons in the z-order, so that no part of it ever hides one.
  surface_ = MakeWindowSurface(dialog, picture_, HWND_BOTTOM);
  return surface_.get();
}

void ConversionWindowRun::ReleaseSurface() {
  ReleaseWindowSurface(surface_);
  ui_.surface = nullptr;
}

}  // namespace

int ShowConversionWindow(EditorState& state) {
  ConversionWindowRun run(state);
  return run.Run();
}

}  // namespace lobrix
