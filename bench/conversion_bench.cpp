// Conversion of one measured plane per lobe class: the brute-force evaluation through ANT93
// (the baseline) beside the fast search. Both find the same winner; the ratio of the two times
// in one run is the speed-up.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "conversion/conversion.h"
#include "conversion/reference_conversion.h"
#include "model/antenna_pattern.h"

namespace {

using lobrix::PatternColumn;

// A code's plane with its maximum at `azimuth`, attenuations rounded to 0.01 dB as in the files.
PatternColumn Plane(const char* code, double azimuth) {
  PatternColumn e;
  for (int i = 0; i < 360; ++i) {
    const double d = std::remainder(i - azimuth, 360.0);
    const float field = lobrix::ANT93(code, static_cast<float>(d), lobrix::kRelativeField);
    const double db = std::round(-20.0 * std::log10(field) * 100) / 100;
    e[static_cast<std::size_t>(i)] = static_cast<float>(std::pow(10.0, -db / 20.0));
  }
  return e;
}

// One plane per lobe class: near-omni, 1, 22, 2, 3, 4 (the last with its 90/270 lobes lowered).
PatternColumn ClassPlane(int index) {
  switch (index) {
    case 0:
      return Plane("095KA00", 77);
    case 1:
      return Plane("030EA10", 45.5);
    case 2:
      return Plane("030DE10", 20);
    case 3:
      return Plane("250WE52", 182.5);
    case 4:
      return Plane("040CB00", 45);
    default: {
      PatternColumn e = Plane("040CC00", 30);
      for (int i = 75; i < 165; ++i) e[static_cast<std::size_t>(i)] *= 0.99f;
      for (int i = 255; i < 345; ++i) e[static_cast<std::size_t>(i)] *= 0.99f;
      return e;
    }
  }
}

const char* const kClassNames[] = {"NearOmni", "One", "Opposite", "Two", "Three", "Four"};

void BM_ReferenceConversion(benchmark::State& state) {
  const PatternColumn e = ClassPlane(static_cast<int>(state.range(0)));
  state.SetLabel(kClassNames[state.range(0)]);
  for (auto _ : state) benchmark::DoNotOptimize(lobrix::ReferenceConvertPattern(e));
}
BENCHMARK(BM_ReferenceConversion)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

void BM_Conversion(benchmark::State& state) {
  const PatternColumn e = ClassPlane(static_cast<int>(state.range(0)));
  state.SetLabel(kClassNames[state.range(0)]);
  for (auto _ : state) benchmark::DoNotOptimize(lobrix::ConvertPattern(e));
}
BENCHMARK(BM_Conversion)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

// The analysis alone, for scale.
void BM_AnalysePattern(benchmark::State& state) {
  const PatternColumn e = ClassPlane(1);
  for (auto _ : state) benchmark::DoNotOptimize(lobrix::AnalysePattern(e));
}
BENCHMARK(BM_AnalysePattern)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
