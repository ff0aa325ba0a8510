#include "editor/direction_inputs_page.h"

#include "editor/direction_inputs.h"
#include "editor/main_dialog_layout.h"
#include "editor/page_layouts.h"
#include "editor/page_mouse.h"
#include "editor/status_bar.h"
#include "render/number_format.h"
#include "render/page_drawing.h"
#include "render/polar_frame.h"
#include "render/three_d_views.h"

namespace lobrix {

namespace {

bool IsDirectionPage(int page) {
  return page == kDirectionPage || page == kThreeDPage;
}

DirectionPageMemory& Memory(EditorState& state, int page) {
  return state.pageHandlers.directionPages[static_cast<std::size_t>(page - kDirectionPage)];
}

float& Target(EditorState& state, int page, int field) {
  if (page == kDirectionPage) return field == kAzimuthField ? state.aziMax : state.eleMax;
  return field == kAzimuthField ? state.testAzimuth : state.testElevation;
}

void RefreshDirectionStatus(EditorState& state, EditorUi& ui, int field) {
  if (ui.main != nullptr) {
    RefreshStatus(field == kAzimuthField ? "azi" : "ele", state, *ui.main, kStatusBar);
  }
}

// The graphs a changed field affects, at the geometry of the page's last full drawing, in one
// batch: on page 2 the azimuth or the elevation graph and the heading (and the status bar), on
// page 3 both cuts and the heading.
void RedrawAfterField(EditorState& state, EditorUi& ui, int page, int field) {
  const bool drawn = ui.surface != nullptr && state.activePage == page;
  if (!drawn) {
    if (page == kDirectionPage) RefreshDirectionStatus(state, ui, field);
    return;
  }
  {
    Gfx& gfx = *ui.surface;
    ViewMemory& views = state.views;
    GfxBatch batch(gfx);
    if (page == kDirectionPage) {
      if (field == kAzimuthField) {
        DrawHorizontalFrame(gfx, views, 0, 0, 0, state.scaleMode + 1);
        DrawAzimuthView(gfx, state, views, 0, 0, 0);
        DrawDirectionHeading(gfx, state);
        RefreshDirectionStatus(state, ui, field);
      } else {
        DrawVerticalFrame(gfx, views, 0, 0, 0, state.scaleMode);
        DrawElevationView(gfx, state, views, 0, 0, 0);
        RefreshDirectionStatus(state, ui, field);
        DrawDirectionHeading(gfx, state);
      }
    } else {
      DrawHorizontalFrame(gfx, views, 0, 0, 0, state.scaleMode + 1);
      DrawConeCut(gfx, state, views, 0, 0, 0);
      DrawVerticalFrame(gfx, views, 0, 0, 0, state.scaleMode);
      DrawVerticalCut(gfx, state, views, 0, 0, 0);
      Draw3DHeading(gfx, state);
    }
  }
  // The redrawn graphs cover part of the mouse read-out between the frames: show it again
  // whole (nothing when the mouse is not over the graphs).
  PageMouseEvent(state, ui, page, {kGraphicArea, ControlEventKind::kMouseMove});
}

void BuildPage(EditorState& state, EditorUi& ui, int page) {
  Controls* c = ui.pages[static_cast<std::size_t>(page)];
  if (c == nullptr) return;
  Memory(state, page) = {};
  for (const ControlRow& row : PageRows(page)) {
    if (!c->Exists(row.id)) c->Create(row, state.language);
  }
  AddTooltips(*c, PageRows(page), state.language);
}

void FieldGotFocus(EditorState& state, EditorUi& ui, int page, int field) {
  Controls& c = *ui.pages[static_cast<std::size_t>(page)];
  c.SetEditSelection(field, {0, 10});
  ui.focusPage = page;
  ui.focusId = field;
  Memory(state, page).armed = true;
}

void FieldChanged(EditorState& state, EditorUi& ui, int page, int field) {
  DirectionPageMemory& memory = Memory(state, page);
  if (!memory.armed) return;
  Controls& c = *ui.pages[static_cast<std::size_t>(page)];
  const TextRange typed = c.EditSelection(field);
  const FieldEdit edit = FilterDirectionEdit(field, {c.Text(field), typed.start, typed.end},
                                             memory.filter, c.FocusedId());
  memory.armed = false;
  c.SetText(field, edit.text);
  Target(state, page, field) = DirectionValue(edit.text);
  RedrawAfterField(state, ui, page, field);
  memory.armed = true;
  c.SetEditSelection(field, {edit.selectionStart, edit.selectionEnd});
}

void FieldLostFocus(EditorState& state, EditorUi& ui, int page, int field) {
  Controls& c = *ui.pages[static_cast<std::size_t>(page)];
  const std::string text = TidyDirectionText(DirectionValue(c.Text(field)));
  Memory(state, page).armed = false;
  c.SetText(field, text);
  Target(state, page, field) = DirectionValue(text);
  if (page == kDirectionPage) RefreshDirectionStatus(state, ui, field);
}

void FieldEvent(EditorState& state, EditorUi& ui, int page, const ControlEvent& event) {
  const int field = event.id;
  if (field != kAzimuthField && field != kElevationField) return;
  if (ui.pages[static_cast<std::size_t>(page)] == nullptr) return;
  switch (event.kind) {
    case ControlEventKind::kSetFocus:
      FieldGotFocus(state, ui, page, field);
      break;
    case ControlEventKind::kEditChanged:
      FieldChanged(state, ui, page, field);
      break;
    case ControlEventKind::kKillFocus:
      FieldLostFocus(state, ui, page, field);
      break;
    default:
      break;
  }
}

}  // namespace

void BuildDirectionPage(EditorState& state, EditorUi& ui) {
  BuildPage(state, ui, kDirectionPage);
}

void BuildTestDirectionPage(EditorState& state, EditorUi& ui) {
  BuildPage(state, ui, kThreeDPage);
}

void DirectionFieldCallback(EditorState& state, EditorUi& ui, const ControlEvent& event) {
  FieldEvent(state, ui, kDirectionPage, event);
}

void TestDirectionCallback(EditorState& state, EditorUi& ui, const ControlEvent& event) {
  FieldEvent(state, ui, kThreeDPage, event);
}

void ShowDirectionPick(EditorState& state, EditorUi& ui, int page, const DirectionPick& pick) {
  if (!IsDirectionPage(page) || pick.what == PickedAngle::kNone) return;
  Controls* c = ui.pages[static_cast<std::size_t>(page)];
  if (c == nullptr) return;
  const int field = pick.what == PickedAngle::kAzimuth ? kAzimuthField : kElevationField;
  // The field's own change handling would redraw only while a field of the page has the
  // focus; the graphs and the status bar follow a click whichever control has it.
  DirectionPageMemory& memory = Memory(state, page);
  memory.armed = false;
  c->SetText(field, FormatMask(pick.angle, "0.0"));
  Target(state, page, field) = static_cast<float>(pick.angle);
  RedrawAfterField(state, ui, page, field);
  c->Focus(field);
  FieldGotFocus(state, ui, page, field);
}

void DirectionPageEvent(EditorState& state, EditorUi& ui, int page, const ControlEvent& event) {
  if (!IsDirectionPage(page)) return;
  if (event.kind == ControlEventKind::kMouseMove || event.kind == ControlEventKind::kMouseClick) {
    ShowDirectionPick(state, ui, page, PageMouseEvent(state, ui, page, event));
    return;
  }
  FieldEvent(state, ui, page, event);
}

}  // namespace lobrix
