// Cost of the pattern model: ANT93 per type beside a baseline of only the transcendental calls
// that one evaluation of that type needs; ANT3D per branch; ZISKANTVA beside the ANT93 calls
// it makes.
#include <benchmark/benchmark.h>

#include <cmath>

#include "model/antenna_pattern.h"

namespace {

using lobrix::ANT3D;
using lobrix::ANT93;
using lobrix::ZISKANTVA;

// Angles as the views pass them: a full turn in 1-degree steps.
float NextAngle(float& angle) {
  angle += 1.0f;
  if (angle >= 360.0f) angle -= 540.0f;
  return angle;
}

void BM_Ant93(benchmark::State& state, const char* code) {
  float angle = 0;
  for (auto _ : state) benchmark::DoNotOptimize(ANT93(code, NextAngle(angle), 0));
}
BENCHMARK_CAPTURE(BM_Ant93, ND, "000ND00");
BENCHMARK_CAPTURE(BM_Ant93, EA, "030EA10");
BENCHMARK_CAPTURE(BM_Ant93, EB, "030EB00");
BENCHMARK_CAPTURE(BM_Ant93, EC, "030EC00");
BENCHMARK_CAPTURE(BM_Ant93, DE, "030DE00");
BENCHMARK_CAPTURE(BM_Ant93, LA, "060LA10");
BENCHMARK_CAPTURE(BM_Ant93, KA, "050KA00");
BENCHMARK_CAPTURE(BM_Ant93, CB, "050CB00");
BENCHMARK_CAPTURE(BM_Ant93, TA, "100TA00");
BENCHMARK_CAPTURE(BM_Ant93, PA, "120PA05");
BENCHMARK_CAPTURE(BM_Ant93, VE, "510VE00");
BENCHMARK_CAPTURE(BM_Ant93, WE, "510WE35");

// Baselines: the transcendental calls of one evaluation, nothing else.
constexpr double kDeg = 3.14159265358979323846 / 180.0;

void BM_Baseline_TwoCosines(benchmark::State& state) {  // EA, DE, LA: cos N, cos angle
  float angle = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(std::cos(30 * kDeg + angle * 1e-9) + std::cos(NextAngle(angle) * kDeg));
  }
}
BENCHMARK(BM_Baseline_TwoCosines);

void BM_Baseline_TwoCosinesRoot(benchmark::State& state) {  // EB, EC: and a square root
  float angle = 0;
  for (auto _ : state) {
    const double c = std::cos(NextAngle(angle) * kDeg);
    benchmark::DoNotOptimize(std::cos(30 * kDeg + c * 1e-9) + std::sqrt(c * c + 0.5));
  }
}
BENCHMARK(BM_Baseline_TwoCosinesRoot);

void BM_Baseline_CosineRoot(benchmark::State& state) {  // KA; CB has one more root
  float angle = 0;
  for (auto _ : state) {
    const double c = std::cos(NextAngle(angle) * kDeg);
    benchmark::DoNotOptimize(std::sqrt(std::sqrt(c * c + 0.5) + 1.0));
  }
}
BENCHMARK(BM_Baseline_CosineRoot);

void BM_Baseline_CosinePower(benchmark::State& state) {  // TA, P: two cosines, log10, pow
  float angle = 0;
  for (auto _ : state) {
    const double h = std::cos(NextAngle(angle) * kDeg);
    const double n = -0.1505 / std::log10(std::cos((10 + h * 1e-9) * kDeg));
    benchmark::DoNotOptimize(h > 0 ? std::pow(h, n) : 0.0);
  }
}
BENCHMARK(BM_Baseline_CosinePower);

void BM_Baseline_TwinLobe(benchmark::State& state) {  // V, W: three cosines, two roots
  float angle = 0;
  for (auto _ : state) {
    const double c1 = std::cos(NextAngle(angle) * kDeg);
    const double c2 = std::cos((angle - 20) * kDeg);
    const double t = std::cos((40 + c1 * 1e-9) * kDeg);
    benchmark::DoNotOptimize(std::sqrt(c1 * c1 * t + 1) + std::sqrt(c2 * c2 * t + 1));
  }
}
BENCHMARK(BM_Baseline_TwinLobe);

void BM_Ant3D(benchmark::State& state, const char* vcode, float elMax) {
  float az = 0;
  float el = -90;
  for (auto _ : state) {
    el = el >= 90 ? -90 : el + 0.7f;
    benchmark::DoNotOptimize(ANT3D("030EA10", NextAngle(az), 30, vcode, el, elMax, 0));
  }
}
BENCHMARK_CAPTURE(BM_Ant3D, TA, "100TA00", -3.0f);
BENCHMARK_CAPTURE(BM_Ant3D, P, "120PE05", 0.0f);
BENCHMARK_CAPTURE(BM_Ant3D, mechanical, "510VE00", 10.0f);

void BM_Gain(benchmark::State& state, const char* hcode, const char* vcode) {
  for (auto _ : state) benchmark::DoNotOptimize(ZISKANTVA(hcode, vcode));
}
// 030EA00: 40 horizontal calls; 100TA00: 39 vertical calls; plus 2 checks = 81 ANT93 calls.
BENCHMARK_CAPTURE(BM_Gain, EA_TA, "030EA00", "100TA00");
// 001TA00 in both planes: 2 + 3009 + 6020 = 9031 ANT93 calls of a TA code.
BENCHMARK_CAPTURE(BM_Gain, TA_worst, "001TA00", "001TA00");

// The same ANT93 calls as one ZISKANTVA, with nothing else: the checks, then the angles of
// both integrals (half-turn intervals n for the vertical code, m for the horizontal code).
void BM_GainCallsOnly(benchmark::State& state, const char* hcode, const char* vcode, int n,
                      int m) {
  for (auto _ : state) {
    float sum = ANT93(hcode, 0, 0) + ANT93(vcode, 0, 0);
    const double hv = 3.14159265358979 / n;
    for (int k = 1; k < n; ++k) sum += ANT93(vcode, static_cast<float>(90 - k * hv / kDeg), 0);
    const double hh = 3.14159265358979 / m;
    for (int k = 0; k < 2 * m; ++k) sum += ANT93(hcode, static_cast<float>(k * hh / kDeg), 0);
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK_CAPTURE(BM_GainCallsOnly, EA_TA, "030EA00", "100TA00", 40, 20);
BENCHMARK_CAPTURE(BM_GainCallsOnly, TA_worst, "001TA00", "001TA00", 3010, 3010);

}  // namespace

BENCHMARK_MAIN();
