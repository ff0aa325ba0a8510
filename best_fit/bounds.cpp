#include "best_fit/bounds.h"

#include <algorithm>
#include <array>

namespace lobrix::fit {

namespace {

// The least error of any curve that lies at or below `top` everywhere, at any direction.
float LeastErrorBelow(const float* m, double top) {
  double sum = 0;
  for (int i = 0; i < kSamples; ++i) {
    const double over = static_cast<double>(m[i]) - top;
    if (over > 0) sum += over * over;
  }
  return static_cast<float>(sum);
}

}  // namespace

std::vector<Band> BandsOf(const LevelList& list, float width, const float* m) {
  std::vector<Band> bands;
  for (float level : list.level) {
    if (bands.empty() || bands.back().high - level > width)
      bands.push_back({level, level});
    else
      bands.back().low = level;
  }
  // Every value of a code cut at a band's level lies at or below its `high`.
  for (Band& band : bands) band.everywhere = LeastErrorBelow(m, band.high);
  return bands;
}

SearchLevels LevelsOfSearch(const std::vector<int>& zs, Domain domain, const float* m) {
  SearchLevels s;
  s.single = SortedLevels(zs, EnvelopeLevel, domain);
  s.nd = SortedLevels({0}, EnvelopeLevel, domain);
  const std::vector<int> digits = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  s.outer = SortedLevels(digits, OuterLevel, domain);
  s.inner = SortedLevels(digits, InnerLevel, domain);
  const float width = domain == Domain::kDecibel ? 3.0f : 0.06f;
  s.bands = BandsOf(s.single, width, m);
  s.ndBands = BandsOf(s.nd, width, m);
  // W's outer levels in bands; a W code lies at or below the larger of a band's top and the
  // largest inner level everywhere.
  s.wBands = BandsOf(s.outer, width, m);
  for (Band& band : s.wBands)
    band.everywhere = LeastErrorBelow(m, std::max(band.high, s.inner.level.front()));
  return s;
}

void SegmentExtremes(const float* low, const float* high, float* segmentLow, float* segmentHigh) {
  const auto segment = [&](int k, int first) {
    float lowest = low[10 * k], highest = high[10 * k];
    for (int t = first; t < first + 9; ++t) {
      lowest = std::min(lowest, low[t]);
      highest = std::max(highest, high[t]);
    }
    segmentLow[k] = lowest;
    segmentHigh[k] = highest;
  };
  segment(0, kTenths - 9);  // 3591 .. 3599 and 0
  for (int k = 1; k < kSamples; ++k) segment(k, 10 * k - 9);
}

// A block's directions reach sample i from the grid at 10 i - 50 q - 49 .. 10 i - 50 q tenths:
// five whole segments of ten tenths, the last ending at 10 (i - 5 q).
void FindExtremes(const float* segmentLow, const float* segmentHigh, GroupExtremes& x) {
  static_assert(kBlockTenths % 10 == 0);
  constexpr int kSegments = kBlockTenths / 10;
  // The segments with the last kSegments - 1 in front, so that no window wraps.
  std::array<float, kSamples + kSegments - 1> low{}, high{};
  std::copy_n(segmentLow + kSamples - (kSegments - 1), kSegments - 1, low.begin());
  std::copy_n(segmentHigh + kSamples - (kSegments - 1), kSegments - 1, high.begin());
  std::copy_n(segmentLow, kSamples, low.begin() + kSegments - 1);
  std::copy_n(segmentHigh, kSamples, high.begin() + kSegments - 1);
  x.windowLow.assign(low.begin() + kSegments - 1, low.end());
  x.windowHigh.assign(high.begin() + kSegments - 1, high.end());
  for (std::size_t back = 1; back < kSegments; ++back)
    for (std::size_t k = 0; k < kSamples; ++k) {
      x.windowLow[k] = std::min(x.windowLow[k], low[k + kSegments - 1 - back]);
      x.windowHigh[k] = std::max(x.windowHigh[k], high[k + kSegments - 1 - back]);
    }
}

// Sample i seen from the directions 0 .. 49 lies at 10 i - 49 .. 10 i tenths from the code's
// maximum; the region between the lobes is 0 .. 2L (at most the half turn, as InnerRegion
// folds): 10 i lies in 0 .. R + 49 for i = 0 .. (R + 49) / 10.
void MaybeInnerTwice(int lobe, float* twice) {
  const int region = std::min(20 * lobe, kTenths / 2 - 1);
  const int last = (region + kBlockTenths - 1) / 10;
  for (int i = 0; i < kSamples; ++i) twice[i] = twice[kSamples + i] = i <= last ? 1.0f : 0.0f;
}

// Direction 10 d + p puts sample d + k at 10 k - p tenths: for p = 0 .. 9 that passes the
// region 0 .. R (InnerRegion folds from 1800 on) when 10 k - 9 <= R, k at most 180.
void MaybeInnerOfDegree(int lobe, float* maybeInner) {
  const int region = std::min(20 * lobe, kTenths / 2 - 1);
  for (int k = 0; k < kSamples; ++k)
    maybeInner[k] = k <= kSamples / 2 && 10 * k - 9 <= region ? 1.0f : 0.0f;
}

void GatherBlock(const GroupExtremes& x, int block, float* sampleLow, float* sampleHigh) {
  // k = i - 5 q brought into 0 .. 359: from 360 - 5 q up to 359, then from 0.
  const int start = (kSamples - (kBlockTenths / 10) * block) % kSamples;
  const int split = kSamples - start;
  std::copy_n(&x.windowLow[static_cast<std::size_t>(start)], split, sampleLow);
  std::copy_n(&x.windowHigh[static_cast<std::size_t>(start)], split, sampleHigh);
  std::copy_n(x.windowLow.data(), start, sampleLow + split);
  std::copy_n(x.windowHigh.data(), start, sampleHigh + split);
}

}  // namespace lobrix::fit
