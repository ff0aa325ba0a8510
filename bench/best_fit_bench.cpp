// Best-fit search: one measured file's two planes under the dB criterion with every family,
// round the circle and anchored at the classic conversion's directions, the fast search beside
// its exhaustive reference on the sampled set, and two checks run by hand:
//   best_fit_bench --verify FAMILY COUNT [TOLERANCE]
//       fast and reference agree on COUNT realistic planes made from codes of FAMILY (EA .. CC,
//       V, W), round the circle or anchored at the classic direction within TOLERANCE degrees;
//   best_fit_bench --figures COUNT
//       RMS dB errors of the classic conversion, the anchored dB fit and the dB fit round the
//       circle on realistic planes and on the measured file, with the time per plane, and
//       how often an anchored fit breaks its window or is worse than the classic result.
// The measured file is LOBRIX_MSI_FILE (environment) or the one named at build time.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "best_fit/best_fit.h"
#include "best_fit/reference.h"
#include "conversion/conversion.h"
#include "model/antenna_pattern.h"
#include "tests/best_fit/best_fit_patterns.h"

namespace {

using namespace lobrix;

// The two planes of a Kathrein-style text file: after "HORIZONTAL 360" and "VERTICAL 360",
// 360 lines of angle and attenuation in dB. Only what this benchmark needs.
bool ReadPlanes(const std::string& path, FitColumn& horizontal, FitColumn& vertical) {
  std::ifstream file(path);
  if (!file) return false;
  std::string line;
  std::array<float, 360>* target = nullptr;
  std::array<float, 360> h{}, v{};
  int row = 0, rows = 0;
  while (std::getline(file, line)) {
    if (line.rfind("HORIZONTAL", 0) == 0 || line.rfind("VERTICAL", 0) == 0) {
      target = line[0] == 'H' ? &h : &v;
      row = 0;
      continue;
    }
    float angle = 0, attenuation = 0;
    if (target && row < 360 && std::sscanf(line.c_str(), "%f %f", &angle, &attenuation) == 2) {
      (*target)[static_cast<std::size_t>(row++)] = attenuation;
      ++rows;
    }
  }
  horizontal = FieldsFromAttenuations(h);
  vertical = FieldsFromAttenuations(v);
  return rows == 720;
}

std::string MeasuredFile() {
  if (const char* path = std::getenv("LOBRIX_MSI_FILE")) return path;
  return LOBRIX_DEFAULT_MSI_FILE;
}

void BM_FileBothPlanesDb(benchmark::State& state) {
  FitColumn h{}, v{};
  if (!ReadPlanes(MeasuredFile(), h, v)) {
    state.SkipWithError("measured file not found (set LOBRIX_MSI_FILE)");
    return;
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(FindBestFit(h, FitPlane::kHorizontal, FitCriterion::kDb));
    benchmark::DoNotOptimize(FindBestFit(v, FitPlane::kVertical, FitCriterion::kDb));
  }
}
BENCHMARK(BM_FileBothPlanesDb)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

// The classic conversion of one plane: its code and direction.
struct Classic {
  std::string code;
  float direction;
};
Classic ClassicOf(const FitColumn& plane) {
  const std::string text = ConvertPattern(plane);
  return {ResultCode(text), ResultAngle(text)};
}

// The anchored dB fit as lobrix convert makes it: within the tolerance of the classic
// direction, and never worse than the classic result.
FitResult AnchoredFit(const FitColumn& plane, const Classic& classic, int threads = 0,
                      float tolerance = kDefaultDirectionTolerance) {
  const FitResult found =
      FindBestFit(plane, FitPlane::kHorizontal, FitCriterion::kDb,
                  FitCandidates::All().AnchoredAt(classic.direction, tolerance), threads);
  return BetterFit(plane, found, classic.code, classic.direction, FitCriterion::kDb);
}

// The anchored fits of both planes with the classic conversions they need, as convert runs
// them by default on one thread.
void BM_FileBothPlanesDbAnchored(benchmark::State& state) {
  FitColumn h{}, v{};
  if (!ReadPlanes(MeasuredFile(), h, v)) {
    state.SkipWithError("measured file not found (set LOBRIX_MSI_FILE)");
    return;
  }
  const int threads = static_cast<int>(state.range(0));
  for (auto _ : state) {
    benchmark::DoNotOptimize(AnchoredFit(h, ClassicOf(h), threads));
    benchmark::DoNotOptimize(AnchoredFit(v, ClassicOf(v), threads));
  }
}
// What convert does by default for its warnings: is any anchored code 3 dB RMS better than the
// classic result? A search only below that error.
void BM_FileBothPlanesWarningCheck(benchmark::State& state) {
  FitColumn h{}, v{};
  if (!ReadPlanes(MeasuredFile(), h, v)) {
    state.SkipWithError("measured file not found (set LOBRIX_MSI_FILE)");
    return;
  }
  for (auto _ : state) {
    for (const FitColumn* plane : {&h, &v}) {
      const Classic classic = ClassicOf(*plane);
      const double rms = ScoreFit(*plane, classic.code, classic.direction, FitCriterion::kDb).rmsDb;
      if (rms <= 3) continue;
      benchmark::DoNotOptimize(FindBestFit(*plane, FitPlane::kHorizontal, FitCriterion::kDb,
                                           FitCandidates::All().AnchoredAt(classic.direction), 1,
                                           rms - 3));
    }
  }
}
BENCHMARK(BM_FileBothPlanesWarningCheck)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK(BM_FileBothPlanesDbAnchored)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(3.0);

// A realistic plane made from a random code of `family` at a random direction: noise 0.5 to
// 2 dB, ripple, two asymmetric side lobes, nulls, front-to-back 15 to 35 dB.
std::string RandomCode(FitFamily family, std::mt19937& random) {
  auto pick = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  char text[16];
  switch (family) {
    case FitFamily::kV:
    case FitFamily::kW:
      std::snprintf(text, sizeof text, "%d%02d%c%c%02d", pick(0, 9), pick(5, 60),
                    family == FitFamily::kV ? 'V' : 'W', 'A' + pick(0, 8), pick(0, 40));
      return text;
    default: {
      static const char* types[] = {"ND", "EA", "EB", "EC", "LA", "KA", "DE", "CA", "CB", "CC"};
      static const int highs[] = {0, 65, 79, 96, 120, 100, 65, 100, 100, 100};
      const auto f = static_cast<std::size_t>(family);
      const int low = f == 5 || f >= 7 ? 0 : 1;  // KA and CA .. CC start at 0
      const int n = f == 5 || f >= 7 ? pick(0, 90) : pick(low, std::min(highs[f], 90));
      std::snprintf(text, sizeof text, "%03d%s%02d", std::max(n, low), types[f], pick(0, 20));
      return text;
    }
  }
}

FitColumn RandomPlane(FitFamily family, std::mt19937& random) {
  std::uniform_real_distribution<double> uniform(0.0, 1.0);
  testing::Disturbance how;
  how.noiseDb = 0.5 + 1.5 * uniform(random);
  how.rippleDb = 1.0 * uniform(random);
  how.sideLobeDb = 13.0 + 12.0 * uniform(random);
  how.frontToBackDb = 15.0 + 20.0 * uniform(random);
  how.nulls = uniform(random) < 0.7;
  const int tenths = std::uniform_int_distribution<int>(0, 3599)(random);
  return testing::RealisticPlane(RandomCode(family, random), tenths, how, random);
}

FitCandidates ReferenceSet(FitFamily family) {
  FitCandidates set = family == FitFamily::kV || family == FitFamily::kW ? FitCandidates::Sample()
                                                                         : FitCandidates::All();
  set.families.fill(false);
  set.families[static_cast<std::size_t>(family)] = true;
  return set;
}

// The sampled set of every family, one plane: the fast search beside the reference.
const FitColumn& SampledPlane() {
  static const FitColumn plane = [] {
    std::mt19937 random(77);
    return RandomPlane(FitFamily::kEB, random);
  }();
  return plane;
}

void BM_SampledSetFast(benchmark::State& state) {
  for (auto _ : state)
    benchmark::DoNotOptimize(FindBestFit(SampledPlane(), FitPlane::kHorizontal, FitCriterion::kDb,
                                         FitCandidates::Sample()));
}
BENCHMARK(BM_SampledSetFast)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

void BM_SampledSetReference(benchmark::State& state) {
  for (auto _ : state)
    benchmark::DoNotOptimize(
        FindBestFitsReference({SampledPlane()}, FitCriterion::kDb, FitCandidates::Sample()));
}
BENCHMARK(BM_SampledSetReference)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

FitFamily FamilyNamed(const std::string& name) {
  static const char* names[] = {"ND", "EA", "EB", "EC", "LA", "KA",
                                "DE", "CA", "CB", "CC", "V",  "W"};
  for (int f = 0; f < kFitFamilyCount; ++f)
    if (name == names[f]) return static_cast<FitFamily>(f);
  std::fprintf(stderr, "unknown family %s\n", name.c_str());
  std::exit(2);
}

// Fast and reference on COUNT planes of one family; prints every disagreement and a summary.
int Verify(const std::string& familyName, int count, float tolerance) {
  const FitFamily family = FamilyNamed(familyName);
  std::mt19937 random(1000 + static_cast<unsigned>(family));
  int disagreements = 0;
  double worst = 0, fastSeconds = 0, referenceSeconds = 0;
  constexpr int kBatch = 10;
  for (int done = 0; done < count; done += kBatch) {
    std::vector<FitColumn> planes;
    for (int i = done; i < std::min(count, done + kBatch); ++i)
      planes.push_back(RandomPlane(family, random));
    // Each plane with its own anchor: the reference searches one plane at a time then.
    std::vector<FitCandidates> sets;
    std::vector<ReferenceFit> reference;
    auto start = std::chrono::steady_clock::now();
    for (const FitColumn& plane : planes) {
      sets.push_back(ReferenceSet(family));
      if (tolerance < 180) sets.back().AnchoredAt(ClassicOf(plane).direction, tolerance);
    }
    if (tolerance < 180) {
      for (std::size_t i = 0; i < planes.size(); ++i)
        reference.push_back(FindBestFitsReference({planes[i]}, FitCriterion::kDb, sets[i])[0]);
    } else {
      reference = FindBestFitsReference(planes, FitCriterion::kDb, sets[0]);
    }
    referenceSeconds +=
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    for (std::size_t i = 0; i < planes.size(); ++i) {
      start = std::chrono::steady_clock::now();
      const FitResult fast =
          FindBestFit(planes[i], FitPlane::kHorizontal, FitCriterion::kDb, sets[i]);
      fastSeconds +=
          std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      const double a = fast.figures.criterionError, b = reference[i].criterionError;
      const double relative = std::fabs(a - b) / std::max(b, 1e-9);
      worst = std::max(worst, relative);
      if (relative > 1e-6) {
        ++disagreements;
        std::printf("DISAGREE %s plane %zu: fast %s %.1f %.9g, reference %s %.1f %.9g\n",
                    familyName.c_str(), done + i, fast.code.c_str(), fast.direction, a,
                    reference[i].code.c_str(), reference[i].direction, b);
      }
    }
    std::printf(
        "%s %d/%d planes, %d disagreements, worst relative difference %.2e, "
        "reference %.3f s/plane, fast %.4f s/plane\n",
        familyName.c_str(), std::min(count, done + kBatch), count, disagreements, worst,
        referenceSeconds / std::min(count, done + kBatch),
        fastSeconds / std::min(count, done + kBatch));
    std::fflush(stdout);
  }
  return disagreements == 0 ? 0 : 1;
}

// The value at quantile q of a list of errors.
double Quantile(std::vector<double> errors, double q) {
  std::sort(errors.begin(), errors.end());
  return errors[static_cast<std::size_t>(q * static_cast<double>(errors.size() - 1) + 0.5)];
}

// The errors and times of one way of converting.
struct Way {
  const char* name;
  std::vector<double> errors;
  double seconds = 0;
};

void PrintWays(const std::vector<Way>& ways, std::size_t planes) {
  std::printf("%zu planes, RMS dB error median / 90th percentile / time per plane:\n", planes);
  for (const Way& way : ways)
    std::printf("  %-22s %.3f / %.3f / %.4f s\n", way.name, Quantile(way.errors, 0.5),
                Quantile(way.errors, 0.9), way.seconds / static_cast<double>(planes));
}

// Whether one of the fitted code's maxima lies within the tolerance of the classic direction,
// checked here from the code's own curve: every direction whose field is within 1e-6 of 1.
bool MaximumNear(const FitResult& fit, float direction, float tolerance) {
  for (int t = 0; t < 3600; ++t) {
    const float field =
        ANT93(fit.code, static_cast<float>(std::remainder(t / 10.0, 360.0)), kRelativeField);
    if (field < 1.0f - 1e-6f) continue;
    const double at = fit.direction + t / 10.0;
    if (std::fabs(std::remainder(at - direction, 360.0)) <= tolerance + 0.05) return true;
  }
  return false;
}

// One plane the three ways; counts the anchored fits that break their window or are worse than
// the classic result.
void FigureOne(const FitColumn& plane, std::vector<Way>& ways, int& outside, int& worse) {
  auto start = std::chrono::steady_clock::now();
  const Classic classic = ClassicOf(plane);
  const auto lap = [&start] {
    const auto now = std::chrono::steady_clock::now();
    const double seconds = std::chrono::duration<double>(now - start).count();
    start = now;
    return seconds;
  };
  ways[0].seconds += lap();
  const double classicRms =
      ScoreFit(plane, classic.code, classic.direction, FitCriterion::kDb).rmsDb;
  ways[0].errors.push_back(classicRms);
  const FitResult anchored = AnchoredFit(plane, classic, 1);
  ways[1].seconds += lap();
  ways[1].errors.push_back(anchored.figures.rmsDb);
  const FitResult free = FindBestFit(plane, FitPlane::kHorizontal, FitCriterion::kDb);
  ways[2].seconds += lap();
  ways[2].errors.push_back(free.figures.rmsDb);
  if (!MaximumNear(anchored, classic.direction, kDefaultDirectionTolerance)) {
    ++outside;
    std::printf("OUTSIDE %s at %.1f, classic %s at %.1f\n", anchored.code.c_str(),
                anchored.direction, classic.code.c_str(), classic.direction);
  }
  if (anchored.figures.rmsDb > classicRms) ++worse;
}

// RMS dB errors of the classic conversion, the anchored dB fit (one thread, as convert runs it
// on each file) and the dB fit round the circle (every core) on COUNT realistic planes of mixed
// families, side by side with the time per plane of each; then the same for the measured file.
int Figures(int count) {
  std::mt19937 random(4242);
  std::vector<Way> ways = {
      {"classic", {}}, {"anchored db (1 thread)", {}}, {"unrestricted db", {}}};
  int outside = 0, worse = 0;
  for (int i = 0; i < count; ++i) {
    const auto family = static_cast<FitFamily>(1 + i % (kFitFamilyCount - 1));
    FigureOne(RandomPlane(family, random), ways, outside, worse);
  }
  PrintWays(ways, static_cast<std::size_t>(count));
  std::printf("  anchored fits outside their window: %d, worse than the classic: %d\n", outside,
              worse);
  FitColumn h{}, v{};
  if (!ReadPlanes(MeasuredFile(), h, v)) return 0;
  const char* names[2] = {"horizontal", "vertical"};
  const FitColumn* planes[2] = {&h, &v};
  for (int p = 0; p < 2; ++p) {
    std::vector<Way> file = {{"classic", {}}, {"anchored db", {}}, {"unrestricted db", {}}};
    outside = worse = 0;
    FigureOne(*planes[p], file, outside, worse);
    std::printf(
        "measured file, %s plane: classic %.2f, anchored db %.2f, unrestricted db %.2f "
        "dB RMS%s\n",
        names[p], file[0].errors[0], file[1].errors[0], file[2].errors[0],
        outside + worse > 0 ? " (anchoring broken)" : "");
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if ((argc == 4 || argc == 5) && std::strcmp(argv[1], "--verify") == 0)
    return Verify(argv[2], std::atoi(argv[3]),
                  argc == 5 ? static_cast<float>(std::atof(argv[4])) : 180.0f);
  if (argc == 3 && std::strcmp(argv[1], "--figures") == 0) return Figures(std::atoi(argv[2]));
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
