// The fast best-fit search: branch and bound over groups of base curves and blocks of
// directions, best bound first.
//
// A base is a code without its envelope (second number 00, or the V/W lobes); every code of
// the base is min(base, level) in domain values. Bases are grouped (four neighbouring first
// numbers, or one V/W beam index and lobe half-angle with three neighbouring letters), and the
// 3600 directions cut into blocks of 50 tenths. Each base's curve is computed once on the
// tenth-degree grid and split into ten phases, so every direction is a circular shift of one
// phase (exact, no interpolation).
//  1. A seed: the single-curve bases on the measured maximum give a first best error.
//  2. For every group and block: the pointwise lowest and highest curve value of the group
//     over the block's directions bound the value any code of the set takes at each sample;
//     with the envelope levels cut into bands of similar level, the squared distance of the
//     measured value from that range, summed, bounds the error of every code and direction of
//     the set (infinite when, for the envelope criterion, no code of the set can stay within
//     1 dB above the measured values).
//  3. Blocks in order of their bounds, until a bound exceeds the best error: each direction of
//     each base is bounded with its own curve, band by band, and what is left is evaluated
//     exactly for every level at once (samples bucketed by the first level that cuts them,
//     errors from running sums of the buckets).
// Both cores share the work through counters and the best error through one atomic value.
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <limits>
#include <thread>
#include <tuple>

#include "best_fit_curves.h"

namespace lobrix {

namespace {

using namespace fit;

constexpr double kInfinity = std::numeric_limits<double>::infinity();
// The bounds are summed in single precision; shrinking them by this much keeps them below the
// exact error of every candidate they stand for (360 terms, each rounded by 2^-24 at most).
constexpr double kBoundMargin = 1e-4;
constexpr int kSingleGroupSize = 8;
constexpr int kTwinGroupSize = 36;  // four lobe half-angles with every letter
constexpr int kMaxLevels = 100;
constexpr float kNoLimit = std::numeric_limits<float>::infinity();

struct Best {
  bool found = false;
  double error = kInfinity;
  Candidate candidate;
};

void Offer(Best& best, double error, const Candidate& candidate) {
  if (!best.found || error < best.error ||
      (error == best.error && ComesFirst(candidate, best.candidate))) {
    best = {true, error, candidate};
  }
}

// Envelope levels sorted by domain value, largest first (equal levels keep search order).
struct LevelList {
  std::vector<float> level;
  std::vector<int> value;  // z, or the digit e6 / e7 of W
};

template <typename LevelOf>
LevelList SortedLevels(const std::vector<int>& values, LevelOf levelOf) {
  std::vector<std::pair<float, int>> pairs;
  for (int v : values) pairs.emplace_back(levelOf(v), v);
  std::stable_sort(pairs.begin(), pairs.end(),
                   [](const auto& a, const auto& b) { return a.first > b.first; });
  LevelList list;
  for (const auto& [level, value] : pairs) {
    list.level.push_back(level);
    list.value.push_back(value);
  }
  return list;
}

// The first level (in sorted order) that cuts a curve value c: every later level cuts it too.
std::uint8_t RankOf(const LevelList& list, float c) {
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
void LevelErrors(const float* m, const float* c, const std::uint8_t* rank,
                 const std::uint8_t* region, std::uint8_t which, const LevelList& list,
                 bool envelope, double* error, bool* qualifies) {
  const int levels = static_cast<int>(list.level.size());
  Bucket buckets[kMaxLevels + 1];
  std::fill_n(buckets, levels + 1, Bucket{});
  double kept = 0;
  double lowestViolated = kInfinity;  // smallest measured value where the curve is > 1 dB above
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

// Envelope levels of a list (sorted, largest first) cut into bands of similar level; a band's
// bound holds for every level in it.
struct Band {
  float high, low;
  float everywhere = 0;  // the least error of any code cut at `high` or lower, at any direction
};

std::vector<Band> BandsOf(const LevelList& list, float width, const float* m) {
  std::vector<Band> bands;
  for (float level : list.level) {
    if (bands.empty() || bands.back().high - level > width)
      bands.push_back({level, level});
    else
      bands.back().low = level;
  }
  for (Band& band : bands) {
    double sum = 0;  // every value of such a code lies at or below `high`
    for (int i = 0; i < kSamples; ++i) {
      const double over = static_cast<double>(m[i]) - band.high;
      if (over > 0) sum += over * over;
    }
    band.everywhere = static_cast<float>(sum);
  }
  return bands;
}

// Sum over the samples of the squared distance from m to [min(low, a), min(high, b)]: the
// least error any curve between `low` and `high`, cut by any level between a and b, can make.
// The sum stops early, at a partial sum, once it exceeds `limit`. For the envelope criterion
// `cap` is the largest excess of the code over the measured value a qualifying code may have:
// where even the lowest value of the set lies higher than that above the measured value, no
// code of the set qualifies and the bound is infinite.
constexpr int kChunk = 40;
#if defined(__x86_64__) && defined(__linux__) && defined(__GNUC__)
// Wider vectors where the processor has them; the sum is the same lane by lane.
#define LOBRIX_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define LOBRIX_VECTOR_CLONES
#endif

LOBRIX_VECTOR_CLONES
float IntervalBound(const float* m, const float* low, const float* high, float a, float b,
                    float limit, float cap) {
  float lanes[8] = {}, rise[8] = {};
  float sum = 0;
  for (int chunk = 0; chunk < kSamples; chunk += kChunk) {
    for (int j = chunk; j < chunk + kChunk; j += 8)
      for (int l = 0; l < 8; ++l) {
        // The interval is never empty (low <= high, a <= b): at most one side is positive.
        const float over = m[j + l] - std::min(high[j + l], b);
        const float under = std::min(low[j + l], a) - m[j + l];
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

// IntervalBound for W: levels between a and b outside the lobes, between innerA and innerB
// between them (inner[j] = 1, else 0; floats so that the choice vectorises).
LOBRIX_VECTOR_CLONES
float RegionBound(const float* m, const float* c, const float* innerMask, float a, float b,
                  float innerA, float innerB, float limit, float cap) {
  float lanes[8] = {}, rise[8] = {};
  float sum = 0;
  for (int chunk = 0; chunk < kSamples; chunk += kChunk) {
    for (int j = chunk; j < chunk + kChunk; j += 8)
      for (int l = 0; l < 8; ++l) {
        const bool inner = innerMask[j + l] > 0.5f;
        const float over = m[j + l] - std::min(c[j + l], inner ? innerB : b);
        const float under = std::min(c[j + l], inner ? innerA : a) - m[j + l];
        const float d = std::max(over, 0.0f) + std::max(under, 0.0f);
        lanes[l] += d * d;
        rise[l] = std::max(rise[l], under);
      }
    sum = 0;
    for (float lane : lanes) sum += lane;
    for (float r : rise)
      if (r > cap) return std::numeric_limits<float>::infinity();
    if (sum > limit) break;
  }
  return sum;
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

constexpr int kBlockTenths = 50;  // directions per block: 5 degrees
constexpr int kBlocks = kTenths / kBlockTenths;

struct Group {
  FitFamily family;  // kV for the V/W lobes
  int firstBase, baseCount;
};

// A block of directions of a group, with the least error any of its candidates can make.
struct Item {
  float bound;
  int group, block;
};

class Search {
 public:
  Search(const FitColumn& e, FitCriterion criterion, const FitCandidates& candidates)
      : envelope_(criterion == FitCriterion::kEnvelope),
        // Single-precision sums: a little above the slack, so rounding never drops a code.
        cap_(envelope_ ? static_cast<float>(kEnvelopeSlackDb) + 1e-3f : kNoLimit),
        domain_(DomainOf(criterion)),
        m_(MeasuredTwice(e, domain_)),
        lobes_(domain_) {
    const std::vector<int> zs = SecondNumbers(candidates);
    levels_ = SortedLevels(zs, [&](int z) { return EnvelopeLevel(z, domain_); });
    ndLevels_ = SortedLevels({0}, [&](int z) { return EnvelopeLevel(z, domain_); });
    const std::vector<int> digits = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    outer_ = SortedLevels(digits, [&](int e6) { return OuterLevel(e6, domain_); });
    inner_ = SortedLevels(digits, [&](int e7) { return InnerLevel(e7, domain_); });
    wPairs_ = zs;
    const float width = domain_ == Domain::kDecibel ? 3.0f : 0.06f;
    bands_ = BandsOf(levels_, width, m_.data());
    ndBands_ = BandsOf(ndLevels_, width, m_.data());
    // W's outer levels in bands; a W code lies at or below the larger of a band's top and the
    // largest inner level everywhere.
    wBands_ = BandsOf(outer_, width, m_.data());
    for (Band& band : wBands_) {
      double sum = 0;
      const double top = std::max(band.high, inner_.level.front());
      for (int i = 0; i < kSamples; ++i) {
        const double over = static_cast<double>(m_[static_cast<std::size_t>(i)]) - top;
        if (over > 0) sum += over * over;
      }
      band.everywhere = static_cast<float>(sum);
    }

    const auto wanted = [&](FitFamily f) {
      return candidates.families[static_cast<std::size_t>(f)];
    };
    wantV_ = wanted(FitFamily::kV);
    wantW_ = wanted(FitFamily::kW);
    for (int f = 0; f < static_cast<int>(FitFamily::kV); ++f) {
      const auto family = static_cast<FitFamily>(f);
      if (!wanted(family)) continue;
      for (int first : FirstNumbers(family, candidates)) bases_.push_back({family, first, 0, 0});
    }
    singleCount_ = static_cast<int>(bases_.size());
    if (wantV_ || wantW_)
      for (int d : BeamIndices(candidates))
        for (int lobe : LobeHalfAngles(candidates))
          for (int letter = 0; letter < 9; ++letter)
            bases_.push_back({FitFamily::kV, d, lobe, letter});
    // Groups: neighbouring first numbers of one family; V/W: one beam index and lobe
    // half-angle with three neighbouring letters.
    for (int b = 0; b < static_cast<int>(bases_.size());) {
      const FitFamily family = bases_[static_cast<std::size_t>(b)].family;
      const int size = family == FitFamily::kV ? 3 : 4;
      int count = 0;
      while (count < size && b + count < static_cast<int>(bases_.size()) &&
             bases_[static_cast<std::size_t>(b + count)].family == family)
        ++count;
      groups_.push_back({family, b, count});
      b += count;
    }
    singleGrids_.resize(static_cast<std::size_t>(singleCount_) * kTenths);
  }

  Best Run(int threads) {
    // Pass 1: the curves of the single-curve families, and a bound for every block of every
    // group. Pass 2: blocks in order of their bounds until the bound exceeds the best error.
    Parallel(threads, [this](int) {
      for (int b = nextBase_++; b < singleCount_; b = nextBase_++)
        BaseGrid(bases_[static_cast<std::size_t>(b)], domain_, lobes_,
                 &singleGrids_[static_cast<std::size_t>(b) * kTenths]);
    });
    std::vector<Best> bests(static_cast<std::size_t>(threads));
    Seed(bests[0]);
    std::vector<std::vector<Item>> found(static_cast<std::size_t>(threads));
    Parallel(threads, [&](int t) {
      Scratch scratch;
      for (std::size_t g = nextGroup_++; g < groups_.size(); g = nextGroup_++)
        BoundBlocks(static_cast<int>(g), scratch, found[static_cast<std::size_t>(t)]);
    });
    for (auto& part : found) items_.insert(items_.end(), part.begin(), part.end());
    std::sort(items_.begin(), items_.end(), [](const Item& a, const Item& b) {
      return std::tie(a.bound, a.group, a.block) < std::tie(b.bound, b.group, b.block);
    });
    Parallel(threads, [&](int t) {
      Scratch scratch;
      for (std::size_t i = nextItem_++; i < items_.size(); i = nextItem_++) {
        if (Pruned(items_[i].bound)) break;  // every later block is bounded higher still
        ScanBlock(items_[i], scratch, bests[static_cast<std::size_t>(t)]);
      }
    });
    Best best;
    for (const Best& b : bests)
      if (b.found) Offer(best, b.error, b.candidate);
    return best;
  }

 private:
  struct Scratch {
    std::vector<float> grids, low, high, windowLow, windowHigh, phases;
    std::vector<float> sampleLow = std::vector<float>(kSamples),
                       sampleHigh = std::vector<float>(kSamples);
  };

  template <typename Work>
  static void Parallel(int threads, Work work) {
    std::vector<std::thread> workers;
    for (int t = 1; t < threads; ++t) workers.emplace_back(work, t);
    work(0);
    for (auto& worker : workers) worker.join();
  }

  // A bound above this discards its candidates.
  float Limit() const {
    return static_cast<float>(bound_.load(std::memory_order_relaxed) / (1.0 - kBoundMargin));
  }

  // An infinite bound (no code of the set qualifies) is discarded even before any best.
  bool Pruned(float bound) const {
    return bound == kNoLimit ||
           bound * (1.0 - kBoundMargin) > bound_.load(std::memory_order_relaxed);
  }

  void Accept(Best& best, double error, const Candidate& candidate) {
    Offer(best, error, candidate);
    double current = bound_.load(std::memory_order_relaxed);
    while (error < current && !bound_.compare_exchange_weak(current, error)) {
    }
  }

  // The grids of a group's bases, one after another.
  void GroupGrids(const Group& group, Scratch& s) {
    s.grids.resize(static_cast<std::size_t>(group.baseCount) * kTenths);
    for (int b = 0; b < group.baseCount; ++b) {
      float* grid = &s.grids[static_cast<std::size_t>(b) * kTenths];
      const int index = group.firstBase + b;
      if (index < singleCount_)
        std::copy_n(&singleGrids_[static_cast<std::size_t>(index) * kTenths], kTenths, grid);
      else
        BaseGrid(bases_[static_cast<std::size_t>(index)], domain_, lobes_, grid);
    }
  }

  const std::vector<Band>& BandsFor(const Group& group) const {
    return group.family == FitFamily::kND ? ndBands_ : bands_;
  }

  // The least error of a block's candidates for any of the levels the group's codes take.
  // A bound that already exceeds the best error stays a partial sum: the block is dropped
  // either way.
  float BlockBound(const Group& group, const float* low, const float* high) const {
    float least = std::numeric_limits<float>::infinity();
    const bool single = group.family != FitFamily::kV || wantV_;
    if (single)
      for (const Band& band : BandsFor(group))
        least = std::min(least, IntervalBound(&m_[0], low, high, band.low, band.high,
                                              std::min(least, Limit()), cap_));
    if (group.family == FitFamily::kV && wantW_)
      for (const Band& band : wBands_)
        least = std::min(least,
                         IntervalBound(&m_[0], low, high, std::min(band.low, inner_.level.back()),
                                       std::max(band.high, inner_.level.front()),
                                       std::min(least, Limit()), cap_));
    return least;
  }

  // A first best error before the blocks are bounded, so their sums can stop early: every
  // single-curve base with its maximum on the measured maximum.
  void Seed(Best& best) {
    int peak = 0;
    for (int i = 1; i < kSamples; ++i)
      if (m_[static_cast<std::size_t>(i)] < m_[static_cast<std::size_t>(peak)]) peak = i;
    std::vector<float> c(kSamples);
    for (int b = 0; b < singleCount_; ++b) {
      const BaseShape& shape = bases_[static_cast<std::size_t>(b)];
      for (int j = 0; j < kSamples; ++j)
        c[static_cast<std::size_t>(j)] =
            singleGrids_[static_cast<std::size_t>(b) * kTenths + static_cast<std::size_t>(10 * j)];
      Candidate candidate;
      candidate.family = static_cast<int>(shape.family);
      candidate.first = shape.first;
      candidate.tenths = shape.family == FitFamily::kND ? 0 : 10 * peak;
      const int shift = shape.family == FitFamily::kND ? 0 : peak;
      BaseRanks ranks;
      EvaluateLevels(ranks, 0, c.data(), &m_[static_cast<std::size_t>(shift)],
                     shape.family == FitFamily::kND ? ndLevels_ : levels_, candidate, best);
    }
  }

  // Samples of a block: sample i of a direction 10 k + p in block q sees the grid between
  // 10 i - 50 q - 49 and 10 i - 50 q tenths, so the windowed extremes at 10 i - 50 q hold it.
  void GatherBlock(const float* windowLow, const float* windowHigh, int block, Scratch& s) const {
    const int start = kTenths - kBlockTenths * block;  // 10 i - 50 q, brought into 0 .. 3599
    for (int i = 0; i < kSamples; ++i) {
      const int u = (start + 10 * i) % kTenths;
      s.sampleLow[static_cast<std::size_t>(i)] = windowLow[u];
      s.sampleHigh[static_cast<std::size_t>(i)] = windowHigh[u];
    }
  }

  void Extremes(const Group& group, Scratch& s) {
    GroupGrids(group, s);
    s.low.assign(s.grids.begin(), s.grids.begin() + kTenths);
    s.high = s.low;
    for (int b = 1; b < group.baseCount; ++b)
      for (std::size_t t = 0; t < kTenths; ++t) {
        const float v = s.grids[static_cast<std::size_t>(b) * kTenths + t];
        s.low[t] = std::min(s.low[t], v);
        s.high[t] = std::max(s.high[t], v);
      }
    s.windowLow.resize(kTenths);
    s.windowHigh.resize(kTenths);
    WindowExtreme(s.low.data(), kBlockTenths, s.windowLow.data(),
                  [](float a, float b) { return std::min(a, b); });
    WindowExtreme(s.high.data(), kBlockTenths, s.windowHigh.data(),
                  [](float a, float b) { return std::max(a, b); });
  }

  void BoundBlocks(int g, Scratch& s, std::vector<Item>& items) {
    const Group& group = groups_[static_cast<std::size_t>(g)];
    Extremes(group, s);
    // ND has no direction: it is tried once, at 0.
    const int blocks = group.family == FitFamily::kND ? 1 : kBlocks;
    for (int q = 0; q < blocks; ++q) {
      GatherBlock(s.windowLow.data(), s.windowHigh.data(), q, s);
      items.push_back({BlockBound(group, s.sampleLow.data(), s.sampleHigh.data()), g, q});
    }
  }

  // Every direction of a block, for every base of the group: a bound with the base's own
  // curve, then the exact errors where the bound leaves a chance.
  void ScanBlock(const Item& item, Scratch& s, Best& best) {
    const Group& group = groups_[static_cast<std::size_t>(item.group)];
    GroupGrids(group, s);
    s.phases.resize(kTenths);
    const int directions = group.family == FitFamily::kND ? 1 : kBlockTenths;
    const bool twin = group.family == FitFamily::kV;
    // Bands that cannot beat the best so far at any direction are left out.
    std::vector<Band> single, outer;
    if (!twin || wantV_)
      for (const Band& band : BandsFor(group))
        if (!Pruned(band.everywhere)) single.push_back(band);
    if (twin && wantW_)
      for (const Band& band : wBands_)
        if (!Pruned(band.everywhere)) outer.push_back(band);
    if (single.empty() && outer.empty()) return;
    for (int base = 0; base < group.baseCount; ++base) {
      SplitPhases(&s.grids[static_cast<std::size_t>(base) * kTenths], s.phases.data());
      const BaseShape& shape = bases_[static_cast<std::size_t>(group.firstBase + base)];
      BaseRanks ranks;
      for (int d = 0; d < directions; ++d) {
        const int tenths = kBlockTenths * item.block + d;
        const int p = tenths % kPhases, k = tenths / kPhases;
        const float* c = &s.phases[static_cast<std::size_t>(p * kSamples)];
        const float* m = &m_[static_cast<std::size_t>(k)];
        Candidate candidate;
        candidate.family = static_cast<int>(shape.family);
        candidate.first = shape.first;
        candidate.lobe = shape.lobe;
        candidate.letter = shape.letter;
        candidate.tenths = tenths;
        const float limit = Limit();
        const auto open = [&](const Band& band) {
          return !Pruned(IntervalBound(m, c, c, band.low, band.high, limit, cap_));
        };
        // All bands together first: most directions end there.
        if (!single.empty() &&
            !Pruned(IntervalBound(m, c, c, single.back().low, single.front().high, limit, cap_)) &&
            std::any_of(single.begin(), single.end(), open)) {
          EvaluateLevels(ranks, p, c, m, group.family == FitFamily::kND ? ndLevels_ : levels_,
                         candidate, best);
        }
        if (!outer.empty()) {
          Regions(ranks, p, shape.lobe);
          const float* region = &ranks.innerMask[static_cast<std::size_t>(p * kSamples)];
          const float innerLow = inner_.level.back(), innerHigh = inner_.level.front();
          const auto openW = [&](const Band& band) {
            return !Pruned(
                RegionBound(m, c, region, band.low, band.high, innerLow, innerHigh, limit, cap_));
          };
          if (!Pruned(RegionBound(m, c, region, outer.back().low, outer.front().high, innerLow,
                                  innerHigh, limit, cap_)) &&
              std::any_of(outer.begin(), outer.end(), openW))
            EvaluateW(ranks, p, c, m, shape.lobe, candidate, best);
        }
      }
    }
  }

  // Ranks of a base's samples against the level lists, and W's regions, made on first use for
  // each phase.
  struct BaseRanks {
    std::vector<std::uint8_t> single, twin, region;
    std::vector<float> innerMask;
    std::array<bool, kPhases> singleDone{}, twinDone{}, regionDone{};
  };

  const std::uint8_t* Regions(BaseRanks& ranks, int p, int lobe) {
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

  void EvaluateLevels(BaseRanks& ranks, int p, const float* c, const float* m,
                      const LevelList& list, Candidate candidate, Best& best) {
    if (!ranks.singleDone[static_cast<std::size_t>(p)]) {
      ranks.single.resize(kTenths);
      for (int j = 0; j < kSamples; ++j)
        ranks.single[static_cast<std::size_t>(p * kSamples + j)] = RankOf(list, c[j]);
      ranks.singleDone[static_cast<std::size_t>(p)] = true;
    }
    double error[kMaxLevels];
    bool qualifies[kMaxLevels];
    LevelErrors(m, c, &ranks.single[static_cast<std::size_t>(p * kSamples)], nullptr, 0, list,
                envelope_, error, qualifies);
    int chosen = -1;
    for (int t = 0; t < static_cast<int>(list.level.size()); ++t) {
      if (!qualifies[t]) continue;
      if (chosen < 0 || error[t] < error[chosen] ||
          (error[t] == error[chosen] &&
           list.value[static_cast<std::size_t>(t)] < list.value[static_cast<std::size_t>(chosen)]))
        chosen = t;
    }
    if (chosen < 0) return;
    candidate.z = list.value[static_cast<std::size_t>(chosen)];
    Accept(best, error[chosen], candidate);
  }

  // W: the inner level applies between the lobes (0 .. 2L), the outer level elsewhere, so the
  // error of a pair e6 e7 is the outer region's error for e6 plus the inner region's for e7.
  void EvaluateW(BaseRanks& ranks, int p, const float* c, const float* m, int lobe,
                 Candidate candidate, Best& best) {
    if (!ranks.twinDone[static_cast<std::size_t>(p)]) {
      ranks.twin.resize(kTenths);
      const std::uint8_t* region = Regions(ranks, p, lobe);
      for (int j = 0; j < kSamples; ++j)
        ranks.twin[static_cast<std::size_t>(p * kSamples + j)] =
            RankOf(region[j] ? inner_ : outer_, c[j]);
      ranks.twinDone[static_cast<std::size_t>(p)] = true;
    }
    const auto at = static_cast<std::size_t>(p * kSamples);
    double outerError[10], innerError[10], sorted[kMaxLevels];
    bool outerOk[10], innerOk[10], sortedOk[kMaxLevels];
    LevelErrors(m, c, &ranks.twin[at], &ranks.region[at], 0, outer_, envelope_, sorted, sortedOk);
    for (int t = 0; t < 10; ++t) {
      outerError[outer_.value[static_cast<std::size_t>(t)]] = sorted[t];
      outerOk[outer_.value[static_cast<std::size_t>(t)]] = sortedOk[t];
    }
    LevelErrors(m, c, &ranks.twin[at], &ranks.region[at], 1, inner_, envelope_, sorted, sortedOk);
    for (int t = 0; t < 10; ++t) {
      innerError[inner_.value[static_cast<std::size_t>(t)]] = sorted[t];
      innerOk[inner_.value[static_cast<std::size_t>(t)]] = sortedOk[t];
    }
    bool any = false;
    double chosenError = 0;
    for (int z : wPairs_) {
      const int e6 = z / 10, e7 = z % 10;
      if (!outerOk[e6] || !innerOk[e7]) continue;
      const double error = outerError[e6] + innerError[e7];
      if (!any || error < chosenError) {
        any = true;
        chosenError = error;
        candidate.z = z;
      }
    }
    if (!any) return;
    candidate.family = static_cast<int>(FitFamily::kW);
    Accept(best, chosenError, candidate);
  }

  bool envelope_;
  float cap_;
  Domain domain_;
  std::array<float, 2 * kSamples> m_;
  LobeTables lobes_;
  LevelList levels_, ndLevels_, outer_, inner_;
  std::vector<Band> bands_, ndBands_, wBands_;
  std::vector<int> wPairs_;
  bool wantV_ = false, wantW_ = false;
  std::vector<BaseShape> bases_;
  int singleCount_ = 0;
  std::vector<float> singleGrids_;
  std::vector<Group> groups_;
  std::vector<Item> items_;
  std::atomic<int> nextBase_{0};
  std::atomic<std::size_t> nextGroup_{0}, nextItem_{0};
  std::atomic<double> bound_{kInfinity};
};

}  // namespace

FitResult FindBestFit(const FitColumn& e, FitPlane /*plane*/, FitCriterion criterion,
                      const FitCandidates& candidates, int threads) {
  // Both planes search the same families: the classic conversion treats the horizontal and the
  // vertical column alike, round the whole circle.
  if (threads <= 0) threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  Search search(e, criterion, candidates);
  const Best best = search.Run(threads);
  FitResult result;
  if (!best.found) return result;
  result.found = true;
  result.code = CandidateCode(best.candidate);
  result.direction = static_cast<float>(best.candidate.tenths / 10.0);
  result.figures = ScoreFit(e, result.code, result.direction, criterion);
  return result;
}

}  // namespace lobrix
