// Exact errors of a base curve at one direction for every envelope level at once.
//
// Every code of a base is min(base, level) in domain values. Sorting the levels largest first,
// a curve value c is cut by every level from the first one below it on (its rank). Samples are
// bucketed by rank, and running sums over the buckets give the error of each level in one pass:
// the cut samples contribute (m - level)^2, the others (m - c)^2.
//
// Internal to the best-fit search; the functions here run for every surviving direction of every
// base and stay inline. BaseRanks keeps the ranks of one base while its directions are scanned.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <vector>

#include "best_fit/candidates.h"

namespace lobrix::fit {

inline constexpr int kMaxLevels = 100;

// Envelope levels sorted by domain value, largest first (equal levels keep search order).
struct LevelList {
  std::vector<float> level;
  std::vector<int> value;  // z, or the digit e6 / e7 of W
};

LevelList SortedLevels(const std::vector<int>& values, float (*levelOf)(int, Domain),
                       Domain domain);

// The first level (in sorted order) that cuts a curve value c: every later level cuts it too.
inline std::uint8_t RankOf(const LevelList& list, float c) {
  const auto first = std::partition_point(list.level.begin(), list.level.end(),
                                          [c](float level) { return level >= c; });
  return static_cast<std::uint8_t>(first - list.level.begin());
}

struct Bucket {
  double count, sum, squares, kept;
};

// Exact errors of every level of `list` over the samples of one region (all samples when
// `region` is null): error[t] and, for the envelope criterion, whether level t keeps the code
// within 1 dB above the measured values.
inline void LevelErrors(const float* m, const float* c, const std::uint8_t* rank,
                        const std::uint8_t* region, std::uint8_t which, const LevelList& list,
                        bool envelope, double* error, bool* qualifies) {
  const int levels = static_cast<int>(list.level.size());
  Bucket buckets[kMaxLevels + 1];
  std::fill_n(buckets, levels + 1, Bucket{});
  double kept = 0;
  // The smallest measured value where the curve is more than 1 dB above it.
  double lowestViolated = std::numeric_limits<double>::infinity();
  for (int j = 0; j < kSamples; ++j) {
    if (region && region[j] != which) continue;
    const double mj = m[j], cj = c[j];
    const double d = mj - cj;
    Bucket& b = buckets[rank[j]];
    b.count += 1;
    b.sum += mj;
    b.squares += mj * mj;
    b.kept += d * d;
    kept += d * d;
    if (envelope && cj - mj > kEnvelopeSlackDb) lowestViolated = std::min(lowestViolated, mj);
  }
  Bucket cut{0, 0, 0, 0};
  for (int t = 0; t < levels; ++t) {
    const Bucket& b = buckets[t];
    cut.count += b.count;
    cut.sum += b.sum;
    cut.squares += b.squares;
    cut.kept += b.kept;
    const double a = list.level[static_cast<std::size_t>(t)];
    error[t] = (kept - cut.kept) + cut.squares - 2.0 * a * cut.sum + cut.count * a * a;
    qualifies[t] = !envelope || a - lowestViolated <= kEnvelopeSlackDb;
  }
}

// Ranks of a base's samples against the level lists, and W's regions, made on first use for
// each phase (kSamples values a phase, phase p from p * kSamples).
struct BaseRanks {
  std::vector<std::uint8_t> single, twin, region;
  std::vector<float> innerMask;  // region as 1 or 0, for the vectorised bounds
  std::array<bool, kPhases> singleDone{}, twinDone{}, regionDone{};
};

// W's regions of a base at phase p: 1 where sample j lies between the lobes (0 .. 2L).
inline const std::uint8_t* Regions(BaseRanks& ranks, int p, int lobe) {
  const auto at = static_cast<std::size_t>(p * kSamples);
  if (!ranks.regionDone[static_cast<std::size_t>(p)]) {
    ranks.region.resize(kTenths);
    ranks.innerMask.resize(kTenths);
    // 10 j - p runs from -9 to 3590: only the upper half turn folds below zero.
    for (int j = 0; j < kSamples; ++j) {
      const int t = 10 * j - p;
      const int folded = t >= kTenths / 2 ? t - kTenths : t;
      const bool inner = folded >= 0 && folded <= 20 * lobe;
      ranks.region[at + static_cast<std::size_t>(j)] = inner;
      ranks.innerMask[at + static_cast<std::size_t>(j)] = inner ? 1.0f : 0.0f;
    }
    ranks.regionDone[static_cast<std::size_t>(p)] = true;
  }
  return &ranks.region[at];
}

// The best envelope level for a base at one direction: its error and second number z.
struct LevelChoice {
  double error = 0;
  int z = 0;
};

// The qualifying level of `list` with the least error (the smaller z on equal errors) for the
// phase-p curve c against the measured values m; false when none qualifies.
inline bool BestLevel(BaseRanks& ranks, int p, const float* c, const float* m,
                      const LevelList& list, bool envelope, LevelChoice& choice) {
  if (!ranks.singleDone[static_cast<std::size_t>(p)]) {
    ranks.single.resize(kTenths);
    for (int j = 0; j < kSamples; ++j)
      ranks.single[static_cast<std::size_t>(p * kSamples + j)] = RankOf(list, c[j]);
    ranks.singleDone[static_cast<std::size_t>(p)] = true;
  }
  double error[kMaxLevels];
  bool qualifies[kMaxLevels];
  LevelErrors(m, c, &ranks.single[static_cast<std::size_t>(p * kSamples)], nullptr, 0, list,
              envelope, error, qualifies);
  int chosen = -1;
  for (int t = 0; t < static_cast<int>(list.level.size()); ++t) {
    if (!qualifies[t]) continue;
    if (chosen < 0 || error[t] < error[chosen] ||
        (error[t] == error[chosen] &&
         list.value[static_cast<std::size_t>(t)] < list.value[static_cast<std::size_t>(chosen)]))
      chosen = t;
  }
  if (chosen < 0) return false;
  choice = {error[chosen], list.value[static_cast<std::size_t>(chosen)]};
  return true;
}

// LevelErrors of W's ten digits over one region, indexed by the digit rather than by rank.
inline void DigitErrors(const float* m, const float* c, const std::uint8_t* rank,
                        const std::uint8_t* region, std::uint8_t which, const LevelList& digits,
                        bool envelope, double* error, bool* qualifies) {
  double sorted[kMaxLevels];
  bool sortedOk[kMaxLevels];
  LevelErrors(m, c, rank, region, which, digits, envelope, sorted, sortedOk);
  for (int t = 0; t < 10; ++t) {
    const auto digit = static_cast<std::size_t>(digits.value[static_cast<std::size_t>(t)]);
    error[digit] = sorted[t];
    qualifies[digit] = sortedOk[t];
  }
}

// The best W pair e6 e7 of `pairs` (the first in order on equal errors) for a base of lobe
// half-angle `lobe`. The inner level applies between the lobes (0 .. 2L), the outer level
// elsewhere, so the error of a pair is the outer region's error for e6 plus the inner
// region's for e7.
inline bool BestPair(BaseRanks& ranks, int p, const float* c, const float* m, int lobe,
                     const LevelList& outer, const LevelList& inner, const std::vector<int>& pairs,
                     bool envelope, LevelChoice& choice) {
  if (!ranks.twinDone[static_cast<std::size_t>(p)]) {
    ranks.twin.resize(kTenths);
    const std::uint8_t* region = Regions(ranks, p, lobe);
    for (int j = 0; j < kSamples; ++j)
      ranks.twin[static_cast<std::size_t>(p * kSamples + j)] =
          RankOf(region[j] ? inner : outer, c[j]);
    ranks.twinDone[static_cast<std::size_t>(p)] = true;
  }
  const auto at = static_cast<std::size_t>(p * kSamples);
  double outerError[10], innerError[10];
  bool outerOk[10], innerOk[10];
  DigitErrors(m, c, &ranks.twin[at], &ranks.region[at], 0, outer, envelope, outerError, outerOk);
  DigitErrors(m, c, &ranks.twin[at], &ranks.region[at], 1, inner, envelope, innerError, innerOk);
  bool any = false;
  for (int z : pairs) {
    const int e6 = z / 10, e7 = z % 10;
    if (!outerOk[e6] || !innerOk[e7]) continue;
    const double error = outerError[e6] + innerError[e7];
    if (!any || error < choice.error) {
      any = true;
      choice = {error, z};
    }
  }
  return any;
}

}  // namespace lobrix::fit
