// Lower bounds on the error of a set of candidates, so that the best-fit search can discard
// groups of bases, blocks of directions and bands of envelope levels before it evaluates them.
//
// A code's value at a sample lies between the lowest and highest curve value the set takes
// there, cut by its envelope level; the squared distance of the measured value from that range,
// summed over the samples, is at most the code's error. The envelope levels are cut into bands
// of similar level, and one bound serves a whole band.
//
// Internal to the best-fit search; the sums run for every direction of every base and stay
// inline.
#pragma once

#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

#include "best_fit/levels.h"

namespace lobrix::fit {

// Envelope levels of a list (sorted, largest first) cut into bands of similar level; a band's
// bound holds for every level in it.
struct Band {
  float high, low;
  float everywhere = 0;  // the least error of any code cut at `high` or lower, at any direction
};

std::vector<Band> BandsOf(const LevelList& list, float width, const float* m);

// The envelope levels a search uses, sorted, and their bands.
struct SearchLevels {
  LevelList single, nd;    // z of the single-curve families; ND's only level, 00
  LevelList outer, inner;  // W's digits e6 and e7
  std::vector<Band> bands, ndBands, wBands;
};

// For the second numbers `zs` and the measured values m (kSamples of them).
SearchLevels LevelsOfSearch(const std::vector<int>& zs, Domain domain, const float* m);

// Sum over the samples of the squared distance from m to [min(low, a), min(high, b)]: the
// least error any curve between `low` and `high`, cut by any level between a and b, can make.
// The sum stops early, at a partial sum, once it exceeds `limit`. For the envelope criterion
// `cap` is the largest excess of the code over the measured value a qualifying code may have:
// where even the lowest value of the set lies higher than that above the measured value, no
// code of the set qualifies and the bound is infinite.
inline constexpr int kChunk = 40;
#if defined(__x86_64__) && defined(__linux__) && defined(__GNUC__) && !defined(__SANITIZE_THREAD__)
// Wider vectors where the processor has them; the sum is the same lane by lane. Not under
// ThreadSanitizer: the resolver that picks the variant runs before its runtime starts.
#define LOBRIX_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define LOBRIX_VECTOR_CLONES
#endif

// The sum itself, for the range range(j) = {lower, upper} each sample j may take. Both ends
// are formed before the distance, so that RegionBound's choice of levels becomes a select on
// whole vectors (chosen inside the distance, the loop stayed scalar, and a search over every
// family took 1.7 times as long).
template <typename Range>
inline float RangeDistance(const float* m, float limit, float cap, Range range) {
  float lanes[8] = {}, rise[8] = {};
  float sum = 0;
  for (int chunk = 0; chunk < kSamples; chunk += kChunk) {
    for (int j = chunk; j < chunk + kChunk; j += 8)
      for (int l = 0; l < 8; ++l) {
        // The range is never empty: at most one side is positive.
        const auto [lower, upper] = range(j + l);
        const float over = m[j + l] - upper;
        const float under = lower - m[j + l];
        const float d = std::max(over, 0.0f) + std::max(under, 0.0f);
        lanes[l] += d * d;
        rise[l] = std::max(rise[l], under);
      }
    sum = 0;
    for (float lane : lanes) sum += lane;
    for (float r : rise)
      if (r > cap) return std::numeric_limits<float>::infinity();
    if (sum > limit) break;  // already enough to discard: the rest only adds
  }
  return sum;
}

LOBRIX_VECTOR_CLONES
inline float IntervalBound(const float* m, const float* low, const float* high, float a, float b,
                           float limit, float cap) {
  // low <= high and a <= b keep the range ordered.
  return RangeDistance(m, limit, cap, [=](int j) {
    return std::pair{std::min(low[j], a), std::min(high[j], b)};
  });
}

// IntervalBound for W: levels between a and b outside the lobes, between innerA and innerB
// between them (inner[j] = 1, else 0; floats so that the choice vectorises).
LOBRIX_VECTOR_CLONES
inline float RegionBound(const float* m, const float* c, const float* innerMask, float a, float b,
                         float innerA, float innerB, float limit, float cap) {
  return RangeDistance(m, limit, cap, [=](int j) {
    const bool inner = innerMask[j] > 0.5f;
    return std::pair{std::min(c[j], inner ? innerA : a), std::min(c[j], inner ? innerB : b)};
  });
}

// The directions of a group are bounded in blocks of this many tenths: 5 degrees.
inline constexpr int kBlockTenths = 50;
inline constexpr int kBlocks = kTenths / kBlockTenths;

// For W codes of lobe half-angle `lobe` at the directions of block 0: 1 at the samples that
// some direction puts between the lobes (0 .. 2L from it), else 0; written twice (kSamples
// values, then the same again), so that block q's are the kSamples values from
// kSamples - 5 q on.
void MaybeInnerTwice(int lobe, float* twice);

// IntervalBound for W over a block of directions: the outer levels between a and b, and where
// some direction of the block puts the sample between the lobes (maybeInner[j] = 1) the inner
// levels between innerA and innerB too.
LOBRIX_VECTOR_CLONES
inline float BlockRegionBound(const float* m, const float* low, const float* high,
                              const float* maybeInner, float a, float b, float innerA, float innerB,
                              float limit, float cap) {
  const float eitherLow = std::min(a, innerA), eitherHigh = std::max(b, innerB);
  return RangeDistance(m, limit, cap, [=](int j) {
    const bool inner = maybeInner[j] > 0.5f;
    return std::pair{std::min(low[j], inner ? eitherLow : a),
                     std::min(high[j], inner ? eitherHigh : b)};
  });
}

// The lowest of `low` and the highest of `high` (grids of kTenths values) over each segment of
// ten tenths 10 k - 9 .. 10 k, k = 0 .. 359. The directions 10 d .. 10 d + 9 reach sample
// d + k from segment k of a curve's grid: one bound on the segments holds for all ten.
void SegmentExtremes(const float* low, const float* high, float* segmentLow, float* segmentHigh);

// W's region between the lobes over the ten directions of one whole degree: 1 at the samples
// k (from the degree) where some of them puts the sample 0 .. 2L from the code's maximum.
void MaybeInnerOfDegree(int lobe, float* maybeInner);

// The range of a group's curves over every block of directions (reused from group to group):
// over the tenths 10 k - kBlockTenths + 1 .. 10 k, for k = 0 .. 359, all a block's directions
// need (a direction of block q reaches sample i from the window at k = i - 5 q).
struct GroupExtremes {
  std::vector<float> windowLow, windowHigh;
};

// The windows from the group's segment extremes (see SegmentExtremes).
void FindExtremes(const float* segmentLow, const float* segmentHigh, GroupExtremes& x);

// The lowest and highest value any curve of the group takes at each sample (kSamples values)
// at any direction of a block.
void GatherBlock(const GroupExtremes& x, int block, float* sampleLow, float* sampleHigh);

}  // namespace lobrix::fit
