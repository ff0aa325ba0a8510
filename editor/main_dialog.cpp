#include "editor/main_dialog.h"

#include "editor/caption.h"
#include "editor/direction_pick.h"
#include "editor/editor_run.h"
#include "editor/main_dialog_layout.h"
#include "editor/page_layouts.h"
#include "editor/status_bar.h"
#include "render/horizontal_views.h"
#include "render/number_format.h"
#include "render/page_drawing.h"
#include "render/vertical_views.h"

namespace lobrix {
namespace {

constexpr TextPair kTableView{"&Table", "&Tabulka"};
constexpr TextPair kXYView{"&X ,Y graph", "&X ,Y graf"};

bool IsPage(int page) {
  return page >= 0 && page < 4;
}

Controls* PageControls(EditorUi& ui, int page) {
  return IsPage(page) ? ui.pages[static_cast<std::size_t>(page)] : nullptr;
}

void ShowPage(EditorUi& ui, int page, bool visible) {
  if (Controls* controls = PageControls(ui, page)) controls->ShowDialog(visible);
}

// The page's fields and buttons after a full redraw, and the focus on its first field.
void SetPageControls(const EditorState& state, Controls& page, int number) {
  switch (number) {
    case kHorizontalPage:
    case kVerticalPage:
      page.SetText(kViewButton,
                   Pick(number == kHorizontalPage ? kTableView : kXYView, state.language));
      page.Focus(page.IsEnabled(kField10) ? kField10 : kFirstPanelControl);
      break;
    case kDirectionPage:
      page.SetText(kField10, FormatMask(state.aziMax, "0.0"));
      page.SetText(kField11, FormatMask(state.eleMax, "0.0"));
      page.Focus(kField10);
      break;
    case kThreeDPage:
      page.SetText(kField10, PlainNumberText(state.testAzimuth, 1));
      page.SetText(kField11, PlainNumberText(state.testElevation, 1));
      page.Focus(kField10);
      break;
  }
}

// The tab control's page: activePage follows it.
void TakeTabSelection(EditorState& state, const EditorUi& ui) {
  const int selected = ui.main->Selection(kTabControl);
  if (IsPage(selected)) state.activePage = selected;
}

void Clicked(EditorState& state, EditorUi& ui, int id) {
  Controls& main = *ui.main;
  switch (id) {
    case kTransferButton:
      // Enter reaches here as Transfer too; a disabled Transfer must not end the dialog with 1.
      if (main.IsEnabled(kTransferButton)) main.EndDialog(kDialogTransfer);
      break;
    case kCloseButton:
      main.EndDialog(kDialogClosed);
      break;
    case kCopyButton:
      if (ui.surface) CopySurfaceToClipboard(*ui.surface);
      GiveFocusBack(state, ui);
      break;
    case kHelpButton:
      if (const auto box = ContextHelp(state); box && ui.showHelp) ui.showHelp(*box);
      GiveFocusBack(state, ui);
      break;
    case kKathreinButton:
      if (main.IsEnabled(kKathreinButton)) main.EndDialog(kDialogConversion);
      break;
  }
}

}  // namespace

void StartMainDialog(EditorState& state, EditorUi& ui) {
  Controls& main = *ui.main;
  main.SetCaption(MainCaption(state));
  main.SetStatusParts(kStatusBar, kStatusParts);
  RefreshStatus("ini", state, main, kStatusBar);

  main.ClearItems(kTabControl);
  for (int page = 0; page < 4; ++page) {
    main.AddItem(kTabControl, Pick(kPageTabs[static_cast<std::size_t>(page)], state.language));
    if (ui.buildPage) ui.buildPage(page);
    ShowPage(ui, page, false);
  }

  main.Enable(kTransferButton, state.ownerWindow != nullptr && state.antennaRole != 0);

  if (!IsPage(state.activePage)) state.activePage = kHorizontalPage;
  main.Select(kTabControl, state.activePage);
  RedrawPage(state, ui, state.activePage);
  ShowPage(ui, state.activePage, true);

  AddTooltips(main, MainDialogRows(), state.language);
  main.StartTimer(kOpeningTimer, kOpeningTimerMs);
}

void MainDialogEvent(EditorState& state, EditorUi& ui, const ControlEvent& event) {
  switch (event.kind) {
    case ControlEventKind::kClicked:
      Clicked(state, ui, event.id);
      break;
    case ControlEventKind::kTabChanging:
      // The tab control still shows the old page: hide it.
      if (event.id != kTabControl) break;
      TakeTabSelection(state, ui);
      ShowPage(ui, state.activePage, false);
      break;
    case ControlEventKind::kTabChanged:
      if (event.id != kTabControl) break;
      TakeTabSelection(state, ui);
      RedrawPage(state, ui, state.activePage);
      ShowPage(ui, state.activePage, true);
      break;
    case ControlEventKind::kTimer:
      // One repaint a quarter second after opening, when the window has settled.
      if (event.id != kOpeningTimer) break;
      if (ui.surface) ui.surface->GfxRefresh(0);
      ui.main->StopTimer(kOpeningTimer);
      break;
    default:
      break;
  }
}

void RedrawPage(EditorState& state, EditorUi& ui, int page) {
  if (!IsPage(page)) return;
  state.alternateView = 0;
  if (page == kThreeDPage) {
    state.testAzimuth = state.aziMax;
    state.testElevation = state.eleMax;
  }
  ui.surface = ui.newSurface ? ui.newSurface(page) : nullptr;
  if (ui.surface) DrawPage(*ui.surface, state, state.views, page);
  if (Controls* controls = PageControls(ui, page)) SetPageControls(state, *controls, page);
  if (ui.surface) ui.surface->GfxRefresh(0);
}

void GiveFocusBack(const EditorState& state, EditorUi& ui) {
  const int page = state.activePage;
  Controls* active = PageControls(ui, page);
  if ((page == kHorizontalPage || page == kVerticalPage) && active &&
      !active->IsEnabled(kField10)) {
    ui.focusPage = page;
    ui.focusId = kScaleButton;
  }
  if (Controls* remembered = PageControls(ui, ui.focusPage)) remembered->Focus(ui.focusId);
}

}  // namespace lobrix
