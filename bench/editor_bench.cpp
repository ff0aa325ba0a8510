// Page switch in the editor, from the tab control's notification to the redraw finished, on
// fake controls and the recording surface, beside the drawing of that page alone in the same
// run. The switch includes what the real one does around the drawing: a new surface at the
// size of the page's graphic area (96 dpi), the page's fields and focus, the read-out set-up.
// Each switch makes a fresh recording device, as the real switch makes a new surface; the
// drawing alone reuses one device, cleared.
#include <benchmark/benchmark.h>

#include <array>
#include <memory>

#include "editor/main_dialog.h"
#include "editor/main_dialog_layout.h"
#include "editor/page_layouts.h"
#include "model/antenna_pattern.h"
#include "platform/fake/fake_controls.h"
#include "platform/fake/recording_device.h"
#include "render/page_drawing.h"

namespace lobrix {
namespace {

// A directional pair turned away from the axes, as in the drawing benchmark.
EditorState BenchState() {
  EditorState s;
  s.hCode = "030EB00";
  s.vCode = "510VE00";
  s.aziMax = 30;
  s.eleMax = -5;
  s.gainDbd = ZISKANTVA(s.hCode, s.vCode);
  return s;
}

struct BenchDialog {
  BenchDialog() {
    CreateControls(main, MainDialogRows(), kEnglish);
    for (int page = 0; page < 4; ++page) {
      CreateControls(pages[page], PageRows(page), kEnglish);
      ui.pages[page] = &pages[page];
    }
    ui.main = &main;
    ui.newSurface = [this](int page) {
      const PixelSize size = GraphicAreaPixels(page);
      surface = std::make_unique<Gfx>(std::make_unique<RecordingDevice>(size.width, size.height));
      SetUpSurface(*surface);
      return surface.get();
    };
    for (const TextPair& tab : kPageTabs) main.AddItem(kTabControl, tab.english);
  }

  void SwitchTo(int page) {
    MainDialogEvent(state, ui, {kTabControl, ControlEventKind::kTabChanging});
    main.Select(kTabControl, page);
    MainDialogEvent(state, ui, {kTabControl, ControlEventKind::kTabChanged});
  }

  EditorState state = BenchState();
  FakeFocus focus;
  FakeControls main{&focus};
  std::array<FakeControls, 4> pages{FakeControls(&focus), FakeControls(&focus),
                                    FakeControls(&focus), FakeControls(&focus)};
  EditorUi ui;
  std::unique_ptr<Gfx> surface;
};

void BM_PageSwitch(benchmark::State& st) {
  const int page = static_cast<int>(st.range(0));
  BenchDialog d;
  const int other = page == 0 ? 1 : 0;
  for (auto _ : st) {
    st.PauseTiming();
    d.SwitchTo(other);
    for (auto& controls : d.pages) controls.log.clear();
    d.main.log.clear();
    st.ResumeTiming();
    d.SwitchTo(page);
  }
}

void BM_DrawPageAlone(benchmark::State& st) {
  const int page = static_cast<int>(st.range(0));
  const PixelSize size = GraphicAreaPixels(page);
  auto owned = std::make_unique<RecordingDevice>(size.width, size.height);
  RecordingDevice& device = *owned;
  Gfx gfx(std::move(owned));
  SetUpSurface(gfx);
  EditorState state = BenchState();
  state.activePage = page;
  if (page == kThreeDPage) {
    state.testAzimuth = state.aziMax;
    state.testElevation = state.eleMax;
  }
  for (auto _ : st) {
    device.ClearRecords();
    DrawPage(gfx, state, state.views, page);
  }
}

BENCHMARK(BM_DrawPageAlone)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PageSwitch)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lobrix

BENCHMARK_MAIN();
