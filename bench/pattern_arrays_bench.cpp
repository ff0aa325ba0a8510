// ANT93 over 3600 angles (a full turn in 0.1 degree steps) as an array, beside ANT93 called once
// an angle, and beside the scalar C library functions that one value needs (a cosine of the
// angle and, in dB, a decimal logarithm; TA also a power): the floor of any one-value path.
// ANT3D likewise over 3600 directions. Figures are per value (items_per_second).
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "model/antenna_pattern.h"
#include "model/pattern_arrays.h"
#include "model/vector_math.h"

namespace {

constexpr int kAngles = 3600;

const std::vector<float>& Angles() {
  static const std::vector<float> angles = [] {
    std::vector<float> a(kAngles);
    for (int i = 0; i < kAngles; ++i) a[static_cast<std::size_t>(i)] = -180.0f + 0.1f * i;
    return a;
  }();
  return angles;
}

void PerValue(benchmark::State& state) {
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kAngles);
}

void BM_Ant93PerCall(benchmark::State& state, const char* code, int mode) {
  const std::vector<float>& angles = Angles();
  std::vector<float> out(angles.size());
  for (auto _ : state) {
    for (std::size_t i = 0; i < angles.size(); ++i) out[i] = lobrix::ANT93(code, angles[i], mode);
    benchmark::DoNotOptimize(out.data());
  }
  PerValue(state);
}

void BM_Ant93Many(benchmark::State& state, const char* code, int mode) {
  const std::vector<float>& angles = Angles();
  std::vector<float> out(angles.size());
  for (auto _ : state) {
    lobrix::Ant93Many(code, angles, mode, out);
    benchmark::DoNotOptimize(out.data());
  }
  PerValue(state);
}

#define LOBRIX_BENCH_CODE(name, code)                                    \
  BENCHMARK_CAPTURE(BM_Ant93PerCall, name##_db, code, lobrix::kDecibel); \
  BENCHMARK_CAPTURE(BM_Ant93Many, name##_db, code, lobrix::kDecibel);    \
  BENCHMARK_CAPTURE(BM_Ant93PerCall, name##_field, code, 0);             \
  BENCHMARK_CAPTURE(BM_Ant93Many, name##_field, code, 0)

LOBRIX_BENCH_CODE(EA, "030EA10");
LOBRIX_BENCH_CODE(EB, "030EB05");
LOBRIX_BENCH_CODE(LA, "060LA10");
LOBRIX_BENCH_CODE(KA, "050KA10");
LOBRIX_BENCH_CODE(CB, "050CB05");
LOBRIX_BENCH_CODE(TA, "100TA00");
LOBRIX_BENCH_CODE(VE, "510VE00");
LOBRIX_BENCH_CODE(WE, "510WE12");

// The scalar C library functions alone, as a one-value path needs them for EA in dB: the
// cosine of the angle and the decimal logarithm of the field; and a TA power besides.
void BM_ScalarCosLog10(benchmark::State& state) {
  const std::vector<float>& angles = Angles();
  std::vector<float> out(angles.size());
  for (auto _ : state) {
    for (std::size_t i = 0; i < angles.size(); ++i) {
      const double c = std::cos(angles[i] * 0.017453292f);
      out[i] = static_cast<float>(std::log10(0.5 + 0.25 * c));
    }
    benchmark::DoNotOptimize(out.data());
  }
  PerValue(state);
}
BENCHMARK(BM_ScalarCosLog10);

void BM_ScalarCosPowLog10(benchmark::State& state) {
  const std::vector<float>& angles = Angles();
  std::vector<float> out(angles.size());
  for (auto _ : state) {
    for (std::size_t i = 0; i < angles.size(); ++i) {
      const double c = std::cos(angles[i] * 0.017453292f);
      const double f = std::pow(0.5 + 0.25 * c, 23.4);
      out[i] = static_cast<float>(std::log10(f + 0.01));
    }
    benchmark::DoNotOptimize(out.data());
  }
  PerValue(state);
}
BENCHMARK(BM_ScalarCosPowLog10);

// The same two functions from vector_math.h over the array.
void BM_VectorCosLog10(benchmark::State& state) {
  const std::vector<float>& angles = Angles();
  std::vector<float> out(angles.size());
  for (auto _ : state) {
    for (std::size_t i = 0; i < angles.size(); ++i) {
      const double c = lobrix::vector_math::Cos(angles[i] * 0.017453292f);
      out[i] = static_cast<float>(lobrix::vector_math::Log10(0.5 + 0.25 * c));
    }
    benchmark::DoNotOptimize(out.data());
  }
  PerValue(state);
}
BENCHMARK(BM_VectorCosLog10);

// ANT3D towards 3600 directions: a full turn of azimuth at 5 degrees of elevation.
void BM_Ant3dPerCall(benchmark::State& state, const char* hcode, const char* vcode) {
  const std::vector<float>& az = Angles();
  const std::vector<float> el(az.size(), 5.0f);
  std::vector<float> out(az.size());
  for (auto _ : state) {
    for (std::size_t i = 0; i < az.size(); ++i) {
      out[i] = lobrix::ANT3D(hcode, az[i], 30.0f, vcode, el[i], -3.0f, lobrix::kDecibel);
    }
    benchmark::DoNotOptimize(out.data());
  }
  PerValue(state);
}

void BM_Ant3dMany(benchmark::State& state, const char* hcode, const char* vcode) {
  const std::vector<float>& az = Angles();
  const std::vector<float> el(az.size(), 5.0f);
  std::vector<float> out(az.size());
  for (auto _ : state) {
    lobrix::Ant3dMany(hcode, az, 30.0f, vcode, el, -3.0f, lobrix::kDecibel, out);
    benchmark::DoNotOptimize(out.data());
  }
  PerValue(state);
}

#define LOBRIX_BENCH_PAIR(name, hcode, vcode)             \
  BENCHMARK_CAPTURE(BM_Ant3dPerCall, name, hcode, vcode); \
  BENCHMARK_CAPTURE(BM_Ant3dMany, name, hcode, vcode)

LOBRIX_BENCH_PAIR(tilt_TA, "030EA10", "100TA00");
LOBRIX_BENCH_PAIR(downtilt_P, "030EA10", "120PE05");
LOBRIX_BENCH_PAIR(mechanical_EA, "030EA10", "020EA10");

}  // namespace

BENCHMARK_MAIN();
