// Reading a 360 + 360 pattern file: the Kathrein reader (the baseline) beside the lenient reader
// on the same bytes, and the lenient reader on a file at 0.5 degree that it has to resample.
// Then lobrix convert on a folder of 1000 files written by the exporter (every third one
// rewritten at a 5 degree step with gains, so that it needs the lenient reading): files per
// second with one thread and with two, leniently and with --strict on the files it can read.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "cli/convert_command.h"
#include "pattern_files/lenient_reader.h"
#include "pattern_files/pattern_file_writer.h"
#include "pattern_files/strict_reader.h"
#include "tests/pattern_files/msi_text.h"

namespace {

namespace fs = std::filesystem;

constexpr int kFiles = 1000;

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

// The Kathrein file of `codes` rewritten at a 5 degree step with gains in place of attenuations.
std::string FiveDegreeGains(const std::string& kathrein) {
  lobrix::KathreinPattern pattern;
  lobrix::ReadKathreinFile(kathrein, pattern);
  std::string text = "NAME coarse\nFREQUENCY 0.9 GHz\nGAIN 15\n";
  char line[48];
  for (int plane = 0; plane < 2; ++plane) {
    text += plane == 0 ? "HORIZONTAL 72\n" : "VERTICAL 72\n";
    for (int a = 0; a < 360; a += 5) {
      const double db = -20 * std::log10(pattern.measured[plane][static_cast<std::size_t>(a)]);
      std::snprintf(line, sizeof line, "%d\t%.2f\n", a, -db);
      text += line;
    }
  }
  return text;
}

struct Catalogue {
  fs::path folder;
  Catalogue() {
    folder = fs::temp_directory_path() /
             ("lobrix_pattern_file_bench_" + std::to_string(std::random_device{}()));
    fs::create_directories(folder);
    const char* horizontal[] = {"030EA10", "065EA00", "045EB05", "060LA00", "050KA00",
                                "030DE10", "250WE52", "095KA00", "012EC00", "040CB00"};
    const char* vertical[] = {"010EA00", "007EB00", "100TA00", "015LA00"};
    for (int i = 0; i < kFiles; ++i) {
      lobrix::PatternFileCodes codes;
      codes.hCode = horizontal[i % 10];
      codes.vCode = vertical[i % 4];
      codes.azimuth = static_cast<float>((i * 37) % 360);
      codes.elevation = static_cast<float>(-(i % 7));
      codes.frequency = 900;
      const std::string bytes = lobrix::WritePatternFile(codes).bytes;
      std::ofstream(folder / ("p" + std::to_string(i) + ".msi"), std::ios::binary)
          << (i % 3 == 2 ? FiveDegreeGains(bytes) : bytes);
    }
  }
  ~Catalogue() {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }
};

void ConvertFolder(benchmark::State& state, bool strict) {
  static const Catalogue catalogue;
  const std::string folder = catalogue.folder.string();
  const std::string threads = std::to_string(state.range(0));
  for (auto _ : state) {
    std::ostringstream out, err;
    lobrix::cli::Args args = {folder, "--csv", "--threads", threads};
    if (strict) args.push_back("--strict");
    lobrix::cli::RunConvertCommand(args, out, err);
    benchmark::DoNotOptimize(out.str().size());
  }
  state.counters["files/s"] =
      benchmark::Counter(static_cast<double>(kFiles) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate);
}

void BM_ConvertFolderLenient(benchmark::State& state) {
  ConvertFolder(state, false);
}
BENCHMARK(BM_ConvertFolderLenient)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ConvertFolderStrict(benchmark::State& state) {
  ConvertFolder(state, true);
}
BENCHMARK(BM_ConvertFolderStrict)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
