#include "best_fit/bounds.h"

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

// Pointwise minimum (or maximum) of a circular grid over the window t - width + 1 .. t, in
// linear time (running extremes inside blocks of the window's width, forwards and backwards).
template <typename Pick>
void WindowExtreme(const float* grid, int width, float* out, Pick pick) {
  const int n = kTenths + width - 1;
  std::vector<float> ext(static_cast<std::size_t>(n)), forward(ext.size()), backward(ext.size());
  for (int x = 0; x < n; ++x)
    ext[static_cast<std::size_t>(x)] = grid[(x - width + 1 + kTenths) % kTenths];
  for (int x = 0; x < n; ++x) {
    const auto at = static_cast<std::size_t>(x);
    forward[at] = x % width == 0 ? ext[at] : pick(forward[at - 1], ext[at]);
  }
  for (int x = n - 1; x >= 0; --x) {
    const auto at = static_cast<std::size_t>(x);
    backward[at] = (x == n - 1 || (x + 1) % width == 0) ? ext[at] : pick(backward[at + 1], ext[at]);
  }
  for (int t = 0; t < kTenths; ++t)
    out[t] = pick(backward[static_cast<std::size_t>(t)],
                  forward[static_cast<std::size_t>(t + width - 1)]);
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

void FindExtremes(const float* grids, int count, GroupExtremes& x) {
  x.low.assign(grids, grids + kTenths);
  x.high = x.low;
  for (int b = 1; b < count; ++b)
    for (std::size_t t = 0; t < kTenths; ++t) {
      const float v = grids[static_cast<std::size_t>(b) * kTenths + t];
      x.low[t] = std::min(x.low[t], v);
      x.high[t] = std::max(x.high[t], v);
    }
  x.windowLow.resize(kTenths);
  x.windowHigh.resize(kTenths);
  WindowExtreme(x.low.data(), kBlockTenths, x.windowLow.data(),
                [](float a, float b) { return std::min(a, b); });
  WindowExtreme(x.high.data(), kBlockTenths, x.windowHigh.data(),
                [](float a, float b) { return std::max(a, b); });
}

// Sample i of a direction 10 k + p in block q sees the grid between 10 i - 50 q - 49 and
// 10 i - 50 q tenths, so the windowed extremes at 10 i - 50 q hold it.
void GatherBlock(const GroupExtremes& x, int block, float* sampleLow, float* sampleHigh) {
  const int start = kTenths - kBlockTenths * block;  // 10 i - 50 q, brought into 0 .. 3599
  for (int i = 0; i < kSamples; ++i) {
    const auto u = static_cast<std::size_t>((start + 10 * i) % kTenths);
    sampleLow[i] = x.windowLow[u];
    sampleHigh[i] = x.windowHigh[u];
  }
}

}  // namespace lobrix::fit
