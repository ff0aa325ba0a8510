// Drawing cost of each editor page, into the recording device and into a cairo image, beside
// the cost of just the model calls that page makes, in the same run. Pictures at the size of
// the page's graphic area on a 96 dpi screen (scale 1, the editor's) and twice that (scale 2,
// the command line's default).
#include <benchmark/benchmark.h>

#include <memory>

#include "model/antenna_pattern.h"
#include "platform/cairo/surface_cairo.h"
#include "platform/fake/recording_device.h"
#include "render/drawing_input.h"
#include "render/page_drawing.h"
#include "render/view_memory.h"

namespace lobrix {
namespace {

// A directional pair turned away from the axes, so that every branch of the model is used.
DrawingInput BenchState() {
  DrawingInput s;
  s.hCode = "030EB00";
  s.vCode = "510VE00";
  s.aziMax = 30;
  s.eleMax = -5;
  s.testAzimuth = 60;
  s.testElevation = -10;
  s.gainDbd = ZISKANTVA(s.hCode, s.vCode);
  return s;
}

PixelSize BenchSize(const benchmark::State& st) {
  const PixelSize area = GraphicAreaPixels(static_cast<int>(st.range(0)));
  const auto scale = static_cast<int>(st.range(1));
  return {area.width * scale, area.height * scale};
}

void BM_PageRecording(benchmark::State& st) {
  const int page = static_cast<int>(st.range(0));
  const PixelSize size = BenchSize(st);
  auto owned = std::make_unique<RecordingDevice>(size.width, size.height);
  RecordingDevice& device = *owned;
  Gfx gfx(std::move(owned));
  SetUpSurface(gfx);
  DrawingInput input = BenchState();
  ViewMemory views;
  for (auto _ : st) {
    device.ClearRecords();
    DrawPage(gfx, input, views, page);
  }
  st.counters["records"] = static_cast<double>(device.records.size());
}

void BM_PageCairo(benchmark::State& st) {
  const int page = static_cast<int>(st.range(0));
  const PixelSize size = BenchSize(st);
  Gfx gfx(
      std::make_unique<SurfaceCairo>(size.width, size.height, static_cast<double>(st.range(1))));
  SetUpSurface(gfx);
  DrawingInput input = BenchState();
  ViewMemory views;
  for (auto _ : st) DrawPage(gfx, input, views, page);
}

// The model calls of one page's drawing, in the same numbers, with the same arguments.
float ModelCallsOfPage(const DrawingInput& s, int page) {
  const std::string& h = s.hCode;
  const std::string& v = s.vCode;
  float sum = 0;
  auto closed = [&](const std::string& code) {
    for (int a = 0; a <= 360; ++a) sum += ANT93(code, static_cast<float>(a), kRelativeField);
  };
  switch (page) {
    case kHorizontalPage:  // matched dots, coded vertical curve, horizontal curve
      sum += static_cast<float>(VERANT(h) + VERANT(v));
      sum += ANT3D(h, 0, 0, v, -90, 0, kRelativeField);
      for (float el = -88.5f; el <= 88.5f; el += 1.5f) {
        sum +=
            ANT3D(h, 0, 0, v, el, 0, kRelativeField) + ANT3D(h, 180, 0, v, el, 0, kRelativeField);
      }
      closed(v);
      closed(h);
      break;
    case kVerticalPage:  // matched curve, coded curve, heading
      for (int e = -90; e <= 90; ++e) sum += ANT3D(h, 0, 0, v, static_cast<float>(e), 0, 0);
      for (int e = 89; e >= -89; --e) sum += ANT3D(h, 180, 0, v, static_cast<float>(e), 0, 0);
      closed(v);
      sum += ANT93(h, 180, 0) + ANT93(v, 180, 0);
      break;
    default: {
      const bool three_d = page == kThreeDPage;
      const float el = three_d ? s.testElevation : 0;
      const float em = three_d ? s.eleMax : 0;
      const float az = three_d ? s.testAzimuth : 0;
      const float am = three_d ? s.aziMax : 0;
      for (int a = 0; a <= 360; ++a) sum += ANT3D(h, static_cast<float>(a), s.aziMax, v, el, em, 0);
      for (int e = -90; e <= 90; ++e)
        sum += ANT3D(h, az, am, v, static_cast<float>(e), s.eleMax, 0);
      for (int e = 89; e >= -90; --e) {
        sum += ANT3D(h, az - 180, am, v, static_cast<float>(e), s.eleMax, 0);
      }
      if (three_d) sum += ANT3D(h, az, s.aziMax, v, s.testElevation, s.eleMax, kDecibel);
      break;
    }
  }
  return sum;
}

void BM_PageModelCalls(benchmark::State& st) {
  const int page = static_cast<int>(st.range(0));
  const DrawingInput input = BenchState();
  for (auto _ : st) benchmark::DoNotOptimize(ModelCallsOfPage(input, page));
}

void PagesAndScales(benchmark::internal::Benchmark* b) {
  for (int page = 0; page < 4; ++page) {
    for (int scale : {1, 2}) b->Args({page, scale});
  }
}

BENCHMARK(BM_PageModelCalls)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PageRecording)->Apply(PagesAndScales)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PageCairo)->Apply(PagesAndScales)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace lobrix

BENCHMARK_MAIN();
