#include "editor_win32/main_dialog_win32.h"

#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <array>
#include <memory>
#include <vector>

#include "editor/main_dialog.h"
#include "editor/main_dialog_layout.h"
#include "editor/page_handlers.h"
#include "editor/page_layouts.h"
#include "editor_win32/surface_window.h"
#include "platform/win32/controls_win32.h"
#include "platform/win32/dialog_procedure.h"
#include "platform/win32/dialog_template.h"
#include "platform/win32/message_box.h"
#include "platform/win32/module_handle.h"
#include "platform/win32/win_handle.h"

namespace lobrix {
namespace {

// An overlapped window with a caption, a system menu and a minimise box, centred on the screen.
constexpr DWORD kMainStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX |
                             WS_CLIPCHILDREN | WS_VISIBLE | DS_CENTER | DS_3DLOOK;
constexpr DWORD kPageStyle = WS_CHILD | DS_CONTROL | DS_3DLOOK;
// The status bar's styles, bit 0x10 included as the window always had it.
constexpr DWORD kStatusStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | 0x10;
// With an owner, the window goes to this screen position (dialog units of its own font).
constexpr DialogRect kOwnedPosition{-2, 11, 0, 0};
// The graphic area's surface lies inside its sunken edge.
constexpr int kAreaInset = 3;

const ControlRow* FindRow(std::span<const ControlRow> rows, int id) {
  for (const ControlRow& row : rows) {
    if (row.id == id) return &row;
  }
  return nullptr;
}

// One opening of the main dialog: its windows, their control interfaces and the surface.
class MainDialogRun {
 public:
  explicit MainDialogRun(EditorState& state);
  MainDialogRun(const MainDialogRun&) = delete;
  MainDialogRun& operator=(const MainDialogRun&) = delete;
  int Run();

 private:
  void Init(HWND dialog);
  bool MainMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Destroy();
  void BuildPage(int page);
  bool PageMessage(int page, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);
  Gfx* NewSurface(int page);
  void ReleaseSurface();

  EditorState& state_;
  EditorUi ui_;
  ControlsWin32 main_;
  std::array<ControlsWin32, 4> pages_;
  std::array<WindowHandle, 4> pageWindows_;
  std::array<DialogHandlers, 4> pageHandlers_;
  std::array<std::vector<std::uint16_t>, 4> pageTemplates_;
  WindowHandle statusBar_;
  DialogHandlers mainHandlers_;
  std::unique_ptr<Gfx> surface_;
};

MainDialogRun::MainDialogRun(EditorState& state) : state_(state) {
  ui_.main = &main_;
  for (std::size_t page = 0; page < 4; ++page) ui_.pages[page] = &pages_[page];
  ui_.newSurface = [this](int page) { return NewSurface(page); };
  ui_.buildPage = [this](int page) { BuildPage(page); };
  ui_.showHelp = [](const HelpBox& box) { ShowInformationBox(box.caption, box.text); };

  mainHandlers_.init = [this](HWND dialog) { Init(dialog); };
  mainHandlers_.event = [this](const ControlEvent& event) { MainDialogEvent(state_, ui_, event); };
  mainHandlers_.message = [this](HWND, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR&) {
    return MainMessage(message, wParam, lParam);
  };
  mainHandlers_.destroy = [this](HWND) { Destroy(); };

  for (int page = 0; page < 4; ++page) {
    DialogHandlers& handlers = pageHandlers_[static_cast<std::size_t>(page)];
    handlers.init = [this, page](HWND dialog) {
      ControlsWin32& controls = pages_[static_cast<std::size_t>(page)];
      controls.Attach(dialog);
      controls.LoadPictures(PageRows(page));  // the page's handlers add the tooltips
    };
    handlers.event = [this, page](const ControlEvent& event) {
      PageEvent(state_, ui_, page, event);
    };
    handlers.message = [this, page](HWND, UINT message, WPARAM wParam, LPARAM lParam,
                                    INT_PTR& result) {
      return PageMessage(page, message, wParam, lParam, result);
    };
    handlers.destroy = [this, page](HWND) { pages_[static_cast<std::size_t>(page)].Detach(); };
  }
}

int MainDialogRun::Run() {
  INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_TAB_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&classes);
  const std::vector<std::uint16_t> form = BuildDialogTemplate(
      {kMainStyle, WS_EX_CONTROLPARENT, kMainDialogRect, ""}, MainDialogRows(), state_.language);
  const INT_PTR result =
      DialogBoxIndirectParamW(ThisModule(), reinterpret_cast<LPCDLGTEMPLATEW>(form.data()),
                              static_cast<HWND>(state_.ownerWindow), DialogProcedure,
                              reinterpret_cast<LPARAM>(&mainHandlers_));
  // -1: the dialog could not be made; the caller sees a closed dialog.
  return result == -1 ? 0 : static_cast<int>(result);
}

void MainDialogRun::Init(HWND dialog) {
  main_.Attach(dialog);
  main_.LoadPictures(MainDialogRows());
  state_.windows.mainDialog = dialog;
  state_.windows.tabControl = main_.Item(kTabControl);

  const HINSTANCE module = ThisModule();
  for (const auto& [size, which] : {std::pair{SM_CXICON, ICON_BIG}, {SM_CXSMICON, ICON_SMALL}}) {
    const int side = GetSystemMetrics(size);
    const HANDLE icon = LoadImageW(module, L"trx4", IMAGE_ICON, side, side, LR_SHARED);
    if (icon)
      SendMessageW(dialog, WM_SETICON, static_cast<WPARAM>(which), reinterpret_cast<LPARAM>(icon));
  }
  if (state_.ownerWindow != nullptr) {
    RECT at{kOwnedPosition.x, kOwnedPosition.y, 0, 0};
    MapDialogRect(dialog, &at);
    SetWindowPos(dialog, nullptr, at.left, at.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  statusBar_.Reset(CreateStatusWindowW(static_cast<LONG>(kStatusStyle), L"", dialog,
                                       static_cast<UINT>(kStatusBar)));
  state_.windows.statusBar = statusBar_.Get();

  StartMainDialog(state_, ui_);
}

bool MainDialogRun::MainMessage(UINT message, WPARAM wParam, LPARAM) {
  return SurfaceWindowMessage(message, wParam, ui_.surface, static_cast<HWND>(state_.ownerWindow));
}

void MainDialogRun::Destroy() {
  ReleaseSurface();
  for (std::size_t page = 0; page < 4; ++page) {
    pageWindows_[page].Reset();
    state_.windows.pages[page] = nullptr;
  }
  statusBar_.Reset();
  main_.Detach();
  state_.windows = {};
}

void MainDialogRun::BuildPage(int page) {
  const auto index = static_cast<std::size_t>(page);
  pageTemplates_[index] = BuildDialogTemplate({kPageStyle, WS_EX_CONTROLPARENT, kPageRect, ""},
                                              PageRows(page), state_.language);
  pageWindows_[index].Reset(CreateDialogIndirectParamW(
      ThisModule(), reinterpret_cast<LPCDLGTEMPLATEW>(pageTemplates_[index].data()),
      main_.Item(kTabControl), DialogProcedure, reinterpret_cast<LPARAM>(&pageHandlers_[index])));
  state_.windows.pages[index] = pageWindows_[index].Get();
  if (pageWindows_[index]) BuildPageContent(state_, ui_, page);
}

bool MainDialogRun::PageMessage(int, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR&) {
  if (message == WM_CTLCOLORSTATIC) {
    // The panel's labels and lines show the page through their text cells.
    const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
    if (id >= kFirstPanelControl && id <= kLastPanelControl) {
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
    }
  }
  return false;
}

Gfx* MainDialogRun::NewSurface(int page) {
  ReleaseSurface();
  const HWND window = pageWindows_[static_cast<std::size_t>(page)].Get();
  const ControlRow* area = FindRow(PageRows(page), kGraphicArea);
  if (window == nullptr || area == nullptr) return nullptr;
  // Position and size converted each by itself, as the dialog manager placed the control.
  RECT r{area->rect.x, area->rect.y, area->rect.width, area->rect.height};
  MapDialogRect(window, &r);
  // The surface lies over the graphic area's frame: the frame must neither come first in the
  // z-order nor paint over its sibling when it repaints.
  if (const HWND frame = GetDlgItem(window, kGraphicArea)) {
    SetWindowLongW(frame, GWL_STYLE, GetWindowLongW(frame, GWL_STYLE) | WS_CLIPSIBLINGS);
  }
  surface_ = MakeWindowSurface(window,
                               {r.left + kAreaInset, r.top + kAreaInset,
                                r.left + r.right - kAreaInset, r.top + r.bottom - kAreaInset},
                               HWND_TOP);
  return surface_.get();
}

void MainDialogRun::ReleaseSurface() {
  ReleaseWindowSurface(surface_);
  ui_.surface = nullptr;
}

}  // namespace

int OpenMainDialog(EditorState& state) {
  MainDialogRun run(state);
  return run.Run();
}

}  // namespace lobrix
