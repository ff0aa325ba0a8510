// What a user waits for on the code and direction pages: from an event handed to the page's
// handler until its redraw is finished, on the recording surface at the editor's size, beside
// the drawing alone of the same page in the same run. The handlers run on fake controls, so
// the numbers hold the handler's own work (fields, panel, status bar) and the drawing.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "editor/main_dialog.h"
#include "editor/main_dialog_layout.h"
#include "editor/page_handlers.h"
#include "editor/page_layouts.h"
#include "editor/parameter_fields.h"
#include "platform/fake/fake_controls.h"
#include "platform/fake/recording_device.h"
#include "render/page_drawing.h"

namespace lobrix {
namespace {

// The main dialog on fakes, opened on `page` with a directional pair.
struct Editor {
  explicit Editor(int page) {
    state.hCode = "030EB00";
    state.vCode = "510VE00";
    state.aziMax = 30;
    state.eleMax = -5;
    state.activePage = page;
    CreateControls(main, MainDialogRows(), state.language);
    main.Create({.id = kStatusBar, .kind = ControlKind::kStatusBar}, state.language);
    ui.main = &main;
    for (int p = 0; p < 4; ++p) ui.pages[static_cast<std::size_t>(p)] = &pages[p];
    ui.newSurface = [this](int p) {
      const PixelSize size = GraphicAreaPixels(p);
      auto device = std::make_unique<RecordingDevice>(size.width, size.height);
      recording = device.get();
      surface = std::make_unique<Gfx>(std::move(device));
      SetUpSurface(*surface);
      return surface.get();
    };
    ui.buildPage = [this](int p) { BuildPageContent(state, ui, p); };
    StartMainDialog(state, ui);
  }

  // Keeps the fakes' logs and the recording from growing over the iterations.
  void Forget() {
    main.log.clear();
    for (FakeControls& p : pages) p.log.clear();
    recording->ClearRecords();
  }

  void Event(int id, ControlEventKind kind) { PageEvent(state, ui, state.activePage, {id, kind}); }

  // The user types `key` over the whole text of field `id`.
  void TypeOver(int id, char key, ControlEventKind kind) {
    FakeControls& c = pages[state.activePage];
    c.Type(id, std::string(1, key), {1, 1});
    Event(id, kind);
  }

  EditorState state;
  FakeFocus focus;
  FakeControls main{&focus};
  FakeControls pages[4]{FakeControls(&focus), FakeControls(&focus), FakeControls(&focus),
                        FakeControls(&focus)};
  EditorUi ui;
  std::unique_ptr<Gfx> surface;
  RecordingDevice* recording = nullptr;
};

// The page's full drawing alone, as the baseline.
void BM_DrawingAlone(benchmark::State& st) {
  const int page = static_cast<int>(st.range(0));
  Editor e(page);
  for (auto _ : st) {
    e.Forget();
    DrawPage(*e.surface, e.state, e.state.views, page);
  }
}

// A click on a code-type button, alternating between two types so that every click changes
// the code, its fields and its panel.
void BM_CodeTypeClick(benchmark::State& st) {
  const int page = static_cast<int>(st.range(0));
  Editor e(page);
  int button = 102;
  for (auto _ : st) {
    e.Forget();
    button = button == 102 ? 103 : 102;
    e.Event(button, ControlEventKind::kClicked);
  }
}

// A digit typed over field 10 (the first number), alternating between two digits.
void BM_TypedFirstNumber(benchmark::State& st) {
  const int page = static_cast<int>(st.range(0));
  Editor e(page);
  e.Event(kNumberField, ControlEventKind::kSetFocus);
  char digit = '3';
  for (auto _ : st) {
    e.Forget();
    digit = digit == '3' ? '4' : '3';
    e.TypeOver(kNumberField, digit, ControlEventKind::kComboEditChanged);
  }
}

// A digit typed over the azimuth field of page 2 (AziMax) or 3 (test azimuth).
void BM_TypedAzimuth(benchmark::State& st) {
  const int page = static_cast<int>(st.range(0));
  Editor e(page);
  e.pages[page].Focus(kAzimuthField);
  e.Event(kAzimuthField, ControlEventKind::kSetFocus);
  char digit = '3';
  for (auto _ : st) {
    e.Forget();
    digit = digit == '3' ? '4' : '3';
    e.TypeOver(kAzimuthField, digit, ControlEventKind::kEditChanged);
  }
}

BENCHMARK(BM_DrawingAlone)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CodeTypeClick)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypedFirstNumber)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypedAzimuth)->DenseRange(2, 3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lobrix

BENCHMARK_MAIN();
