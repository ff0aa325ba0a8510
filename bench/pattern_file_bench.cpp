// Reading a 360 + 360 pattern file: the Kathrein reader (the baseline) beside the lenient reader
// on the same bytes, and the lenient reader on a file at 0.5 degree that it has to resample.
#include <benchmark/benchmark.h>

#include <string>

#include "kathrein.h"
#include "msi_text.h"
#include "pattern_file_reader.h"

namespace {

const std::string& KathreinBytes() {
  static const std::string bytes = lobrix::test::MsiFile().Text("\r\n");
  return bytes;
}

const std::string& HalfDegreeBytes() {
  static const std::string bytes = [] {
    std::string text = "NAME x\nFREQUENCY 900\nGAIN 15 dBd\n";
    for (const char* block : {"HORIZONTAL 720\n", "VERTICAL 720\n"}) {
      text += block;
      for (int k = 0; k < 720; ++k) {
        text += lobrix::test::Pair(k * 0.5, lobrix::test::HorizontalDb(k / 2)) + "\n";
      }
    }
    return text;
  }();
  return bytes;
}

void BM_KathreinReader(benchmark::State& state) {
  for (auto _ : state) {
    lobrix::KathreinPattern pattern;
    benchmark::DoNotOptimize(lobrix::ReadKathreinFile(KathreinBytes(), pattern));
  }
}
BENCHMARK(BM_KathreinReader)->Unit(benchmark::kMicrosecond);

void BM_LenientReader(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(lobrix::ReadPatternFile(KathreinBytes(), "x"));
}
BENCHMARK(BM_LenientReader)->Unit(benchmark::kMicrosecond);

void BM_LenientReaderHalfDegree(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(lobrix::ReadPatternFile(HalfDegreeBytes(), "x"));
}
BENCHMARK(BM_LenientReaderHalfDegree)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
