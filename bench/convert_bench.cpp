// lobrix convert on a folder of 500 generated Kathrein files: files per second with one thread
// (the baseline) and with two, in one run. The files mix the lobe classes a catalogue holds:
// single lobes of every width, two opposite lobes, two lobes apart, near-omni planes; each
// file's vertical plane is a narrow single lobe.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "cli/convert_command.h"
#include "model/antenna_pattern.h"

namespace {

namespace fs = std::filesystem;

constexpr int kFiles = 500;

std::string Pairs(const char* code, double azimuth) {
  std::string lines;
  char line[48];
  for (int i = 0; i < 360; ++i) {
    const auto d = static_cast<float>(std::remainder(i - azimuth, 360.0));
    std::snprintf(line, sizeof line, "%d.0 %.2f\r\n", i,
                  static_cast<double>(lobrix::ANT93(code, d, lobrix::kDecibel)));
    lines += line;
  }
  return lines;
}

const fs::path& Catalogue() {
  static const fs::path folder = [] {
    const fs::path path = fs::temp_directory_path() / "lobrix_convert_bench";
    fs::remove_all(path);
    fs::create_directories(path);
    const char* horizontal[] = {"030EA10", "065EA00", "045EB05", "060LA00", "050KA00",
                                "030DE10", "160VE00", "095KA00", "012EC00", "090LA00"};
    for (int i = 0; i < kFiles; ++i) {
      std::ofstream file(path / ("p" + std::to_string(i) + ".msi"), std::ios::binary);
      file << "NAME bench " << i << "\r\nFREQUENCY 900\r\nGAIN 15.0 dBd\r\nTILT 0\r\n"
           << "COMMENT generated\r\nHORIZONTAL 360\r\n"
           << Pairs(horizontal[i % 10], (i * 37) % 360) << "VERTICAL 360\r\n"
           << Pairs("012EA00", i % 11);
    }
    return path;
  }();
  return folder;
}

void BM_ConvertFolder(benchmark::State& state) {
  const std::string folder = Catalogue().string();
  const std::string threads = std::to_string(state.range(0));
  for (auto _ : state) {
    std::ostringstream out, err;
    const int status =
        lobrix::cli::RunConvertCommand({folder, "--csv", "--threads", threads}, out, err);
    if (status != 0) state.SkipWithError("a file failed");
    benchmark::DoNotOptimize(out.str().size());
  }
  state.counters["files/s"] =
      benchmark::Counter(static_cast<double>(kFiles) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ConvertFolder)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
