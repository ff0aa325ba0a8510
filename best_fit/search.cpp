// The fast best-fit search: branch and bound over groups of base curves and blocks of
// directions, best bound first.
//
// A base is a code without its envelope (second number 00, or the V/W lobes); every code of
// the base is min(base, level) in domain values. Bases are grouped (four neighbouring first
// numbers, or one V/W beam index and lobe half-angle with three neighbouring letters), and the
// 3600 directions cut into blocks of 50 tenths. Each base's curve is computed once on the
// tenth-degree grid and split into ten phases, so every direction is a circular shift of one
// phase (exact, no interpolation).
//  1. A seed: some single-curve bases on the measured maximum (anchored: on the anchor) give a
//     first best error.
//  2. For every group and block: the lowest and highest curve value of the group over the
//     block's directions (from each base's extremes over segments of ten tenths, kept in
//     tables made once a process) bound the value any code of the set takes at each sample;
//     with the envelope levels cut into bands of similar level, the squared distance of the
//     measured value from that range, summed, bounds the error of every code and direction of
//     the set (infinite when, for the envelope criterion, no code of the set can stay within
//     1 dB above the measured values).
//  3. Blocks in order of their bounds, until a bound exceeds the best error: each whole degree
//     (ten directions) of each base is bounded with the base's own segment extremes, each
//     direction left with its own curve, band by band, and what is left is evaluated
//     exactly for every level at once (samples bucketed by the first level that cuts them,
//     errors from running sums of the buckets).
// An anchored search bounds only the blocks where some base of the group may point, and scans
// only the directions the window allows each base: the same exact search on fewer candidates.
// Both cores share the work through counters and the best error through one atomic value.
// The bounds' arithmetic is in bounds.h, the exact errors in levels.h.
#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <limits>
#include <thread>
#include <tuple>
#include <vector>

#include "best_fit/bounds.h"
#include "best_fit/curves.h"
#include "best_fit/levels.h"

namespace lobrix {

namespace {

using namespace fit;

constexpr double kInfinity = std::numeric_limits<double>::infinity();
// The bounds are summed in single precision; shrinking them by this much keeps them below the
// exact error of every candidate they stand for (360 terms, each rounded by 2^-24 at most).
constexpr double kBoundMargin = 1e-4;
constexpr int kSingleGroupSize = 4;  // neighbouring first numbers of one family
constexpr int kTwinGroupSize = 3;    // neighbouring letters of one V/W beam index and lobe
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

Candidate CandidateOf(const BaseShape& shape, int tenths) {
  Candidate candidate;
  candidate.family = static_cast<int>(shape.family);
  candidate.first = shape.first;
  candidate.lobe = shape.lobe;
  candidate.letter = shape.letter;
  candidate.tenths = tenths;
  return candidate;
}

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
  // `below`: only sums of squares below it are wanted.
  Search(const FitColumn& e, FitCriterion criterion, const FitCandidates& candidates, double below)
      : below_(below),
        envelope_(criterion == FitCriterion::kEnvelope),
        // Single-precision sums: a little above the slack, so rounding never drops a code.
        cap_(envelope_ ? static_cast<float>(kEnvelopeSlackDb) + 1e-3f : kNoLimit),
        domain_(DomainOf(criterion)),
        m_(MeasuredTwice(e, domain_)),
        lobes_(SharedLobeTables(domain_)),
        wPairs_(SecondNumbers(candidates)),
        levels_(LevelsOfSearch(wPairs_, domain_, m_.data())),
        wantV_(candidates.families[static_cast<std::size_t>(FitFamily::kV)]),
        wantW_(candidates.families[static_cast<std::size_t>(FitFamily::kW)]),
        window_(candidates),
        bases_(BaseShapes(candidates)) {
    for (const BaseShape& base : bases_) maxima_.push_back(MaximaOf(CandidateOf(base, 0)));
    singleCount_ = static_cast<int>(
        std::find_if(bases_.begin(), bases_.end(),
                     [](const BaseShape& b) { return b.family == FitFamily::kV; }) -
        bases_.begin());
    // Groups: neighbouring first numbers of one family; V/W: one beam index and lobe
    // half-angle with three neighbouring letters.
    for (int b = 0; b < static_cast<int>(bases_.size());) {
      const FitFamily family = bases_[static_cast<std::size_t>(b)].family;
      const int size = family == FitFamily::kV ? kTwinGroupSize : kSingleGroupSize;
      int count = 0;
      while (count < size && b + count < static_cast<int>(bases_.size()) &&
             bases_[static_cast<std::size_t>(b + count)].family == family)
        ++count;
      groups_.push_back({family, b, count});
      b += count;
    }
    for (int b = 0; b < singleCount_; ++b)
      singleIndex_.push_back(SingleGridIndex(bases_[static_cast<std::size_t>(b)]));
  }

  Best Run(int threads) {
    // Pass 1: a bound for every block of every group. Pass 2: blocks in order of their bounds
    // until the bound exceeds the best error.
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
    std::vector<float> grids, phases;
    GroupExtremes extremes;
    Segments segments;
    std::vector<float> sampleLow = std::vector<float>(kSamples),
                       sampleHigh = std::vector<float>(kSamples),
                       maybeInner = std::vector<float>(kSamples),
                       maybeInnerTwice = std::vector<float>(2 * kSamples);
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
    if (!(error < below_)) return;
    Offer(best, error, candidate);
    double current = bound_.load(std::memory_order_relaxed);
    while (error < current && !bound_.compare_exchange_weak(current, error)) {
    }
  }

  const float* SingleGrid(int b) const {
    return &singleGrids_[static_cast<std::size_t>(singleIndex_[static_cast<std::size_t>(b)]) *
                         kTenths];
  }

  // The grids of a group's bases, one after another.
  void GroupGrids(const Group& group, Scratch& s) {
    s.grids.resize(static_cast<std::size_t>(group.baseCount) * kTenths);
    for (int b = 0; b < group.baseCount; ++b) {
      float* grid = &s.grids[static_cast<std::size_t>(b) * kTenths];
      const int index = group.firstBase + b;
      if (index < singleCount_)
        std::copy_n(SingleGrid(index), kTenths, grid);
      else
        BaseGrid(bases_[static_cast<std::size_t>(index)], domain_, lobes_, grid);
    }
  }

  const std::vector<Band>& BandsFor(FitFamily family) const {
    return family == FitFamily::kND ? levels_.ndBands : levels_.bands;
  }
  const LevelList& LevelsFor(FitFamily family) const {
    return family == FitFamily::kND ? levels_.nd : levels_.single;
  }

  // The least error of a block's candidates for any of the levels the group's codes take.
  // A bound that already exceeds the best error stays a partial sum: the block is dropped
  // either way. W's inner levels are allowed only where some direction of the block puts the
  // sample between the lobes (`maybeInner`, see MaybeInnerTwice).
  float BlockBound(const Group& group, const float* low, const float* high,
                   const float* maybeInner) const {
    float least = std::numeric_limits<float>::infinity();
    const bool single = group.family != FitFamily::kV || wantV_;
    // Each kind of level with all its bands together first: most blocks end there.
    if (single) {
      const std::vector<Band>& bands = BandsFor(group.family);
      least = IntervalBound(&m_[0], low, high, bands.back().low, bands.front().high, Limit(), cap_);
      if (!Pruned(least)) {
        least = std::numeric_limits<float>::infinity();
        for (const Band& band : bands)
          least = std::min(least, IntervalBound(&m_[0], low, high, band.low, band.high,
                                                std::min(least, Limit()), cap_));
      }
    }
    if (group.family == FitFamily::kV && wantW_) {
      const float innerLow = levels_.inner.level.back(), innerHigh = levels_.inner.level.front();
      const std::vector<Band>& bands = levels_.wBands;
      float w = BlockRegionBound(&m_[0], low, high, maybeInner, bands.back().low,
                                 bands.front().high, innerLow, innerHigh, Limit(), cap_);
      if (!Pruned(w)) {
        w = std::numeric_limits<float>::infinity();
        for (const Band& band : bands)
          w = std::min(w, BlockRegionBound(&m_[0], low, high, maybeInner, band.low, band.high,
                                           innerLow, innerHigh, std::min(w, Limit()), cap_));
      }
      least = std::min(least, w);
    }
    return least;
  }

  // A first best error before the blocks are bounded, so their sums can stop early: the first
  // base of every group of single-curve bases (every fourth first number; all of them cost
  // more than they save) with its maximum on the measured maximum (anchored: on the anchor).
  void Seed(Best& best) {
    int peak = 0;
    for (int i = 1; i < kSamples; ++i)
      if (m_[static_cast<std::size_t>(i)] < m_[static_cast<std::size_t>(peak)]) peak = i;
    if (window_.Anchored()) peak = window_.NearestDegree();
    for (const Group& group : groups_) {
      const int b = group.firstBase;
      if (b >= singleCount_) break;  // the V/W groups come last
      const BaseShape& shape = bases_[static_cast<std::size_t>(b)];
      const int shift = shape.family == FitFamily::kND ? 0 : peak;
      if (!window_.Allows(maxima_[static_cast<std::size_t>(b)], 10 * shift)) continue;
      const float* c =
          segments_
              .singleDegrees[static_cast<std::size_t>(singleIndex_[static_cast<std::size_t>(b)])]
              .data();
      BaseRanks ranks;
      EvaluateLevels(ranks, 0, c, &m_[static_cast<std::size_t>(shift)], LevelsFor(shape.family),
                     CandidateOf(shape, 10 * shift), best);
    }
  }

  void BoundBlocks(int g, Scratch& s, std::vector<Item>& items) {
    const Group& group = groups_[static_cast<std::size_t>(g)];
    GroupSegments(group, s.segments);
    FindExtremes(s.segments.data(), s.segments.data() + kSamples, s.extremes);
    if (group.family == FitFamily::kV && wantW_)
      MaybeInnerTwice(bases_[static_cast<std::size_t>(group.firstBase)].lobe,
                      s.maybeInnerTwice.data());
    std::array<bool, kBlocks> open{};
    for (int b = group.firstBase; b < group.firstBase + group.baseCount; ++b)
      window_.MarkBlocks(maxima_[static_cast<std::size_t>(b)], kBlockTenths, open.data(), kBlocks);
    // ND has no direction: it is tried once, at 0.
    const int blocks = group.family == FitFamily::kND ? 1 : kBlocks;
    for (int q = 0; q < blocks; ++q) {
      if (!open[static_cast<std::size_t>(q)]) continue;
      GatherBlock(s.extremes, q, s.sampleLow.data(), s.sampleHigh.data());
      const float bound = BlockBound(
          group, s.sampleLow.data(), s.sampleHigh.data(),
          &s.maybeInnerTwice[static_cast<std::size_t>(kSamples - kBlockTenths / 10 * q)]);
      // The best error only falls: a block that cannot beat it now never will.
      if (!Pruned(bound)) items.push_back({bound, g, q});
    }
  }

  // The segment extremes of one base, from the shared tables.
  void BaseSegments(int b, Segments& segments) const {
    const BaseShape& base = bases_[static_cast<std::size_t>(b)];
    if (base.family == FitFamily::kV)
      TwinSegments(segments_, base, segments);
    else
      segments =
          segments_.single[static_cast<std::size_t>(singleIndex_[static_cast<std::size_t>(b)])];
  }

  // The segment extremes of a group: over its bases, the lowest of the lows and the highest of
  // the highs.
  void GroupSegments(const Group& group, Segments& segments) const {
    BaseSegments(group.firstBase, segments);
    Segments more;
    for (int b = group.firstBase + 1; b < group.firstBase + group.baseCount; ++b) {
      BaseSegments(b, more);
      for (int k = 0; k < kSamples; ++k) {
        const auto low = static_cast<std::size_t>(k), high = static_cast<std::size_t>(kSamples + k);
        segments[low] = std::min(segments[low], more[low]);
        segments[high] = std::max(segments[high], more[high]);
      }
    }
  }

  // The bands of a group whose codes can still beat the best so far at some direction.
  struct OpenBands {
    std::vector<Band> single, outer;  // levels of every family but W; W's outer levels
  };

  // Every direction of a block, for every base of the group: bounds with the base's own curve,
  // then the exact errors where the bounds leave a chance.
  void ScanBlock(const Item& item, Scratch& s, Best& best) {
    const Group& group = groups_[static_cast<std::size_t>(item.group)];
    const bool twin = group.family == FitFamily::kV;
    // Bands that cannot beat the best so far at any direction are left out.
    OpenBands bands;
    if (!twin || wantV_)
      for (const Band& band : BandsFor(group.family))
        if (!Pruned(band.everywhere)) bands.single.push_back(band);
    if (twin && wantW_)
      for (const Band& band : levels_.wBands)
        if (!Pruned(band.everywhere)) bands.outer.push_back(band);
    if (bands.single.empty() && bands.outer.empty()) return;
    GroupGrids(group, s);
    for (int base = 0; base < group.baseCount; ++base)
      ScanBase(group.firstBase + base, item.block, bands,
               &s.grids[static_cast<std::size_t>(base) * kTenths], s, best);
  }

  // One base over a block, a whole degree (ten directions) at a time: a bound on the base's
  // extremes over the degree's directions first, then each direction.
  void ScanBase(int b, int block, const OpenBands& bands, const float* grid, Scratch& s,
                Best& best) {
    const BaseShape& shape = bases_[static_cast<std::size_t>(b)];
    const Maxima& maxima = maxima_[static_cast<std::size_t>(b)];
    s.phases.resize(kTenths);
    SplitPhases(grid, s.phases.data());
    BaseSegments(b, s.segments);
    if (!bands.outer.empty()) MaybeInnerOfDegree(shape.lobe, s.maybeInner.data());
    // ND has no direction: it is tried once, at 0.
    const bool nd = shape.family == FitFamily::kND;
    const int firstDegree = kBlockTenths / kPhases * block;
    const int degrees = nd ? 1 : kBlockTenths / kPhases, phases = nd ? 1 : kPhases;
    BaseRanks ranks;
    for (int k = firstDegree; k < firstDegree + degrees; ++k) {
      if (!window_.AllowsAny(maxima, kPhases * k, phases)) continue;
      const float* m = &m_[static_cast<std::size_t>(k)];
      const float limit = Limit();
      const bool singleOpen =
          !bands.single.empty() &&
          !Pruned(IntervalBound(m, s.segments.data(), s.segments.data() + kSamples,
                                bands.single.back().low, bands.single.front().high, limit, cap_));
      const bool outerOpen =
          !bands.outer.empty() &&
          !Pruned(BlockRegionBound(m, s.segments.data(), s.segments.data() + kSamples,
                                   s.maybeInner.data(), bands.outer.back().low,
                                   bands.outer.front().high, levels_.inner.level.back(),
                                   levels_.inner.level.front(), limit, cap_));
      for (int p = 0; p < phases && (singleOpen || outerOpen); ++p) {
        if (!window_.Allows(maxima, kPhases * k + p)) continue;
        ScanDirection(shape, kPhases * k + p, bands, singleOpen, outerOpen, s, ranks, best);
      }
    }
  }

  // One direction of one base: all bands together first (most directions end there), then
  // band by band, and the exact errors of every level where a band is left open.
  void ScanDirection(const BaseShape& shape, int tenths, const OpenBands& bands, bool singleOpen,
                     bool outerOpen, Scratch& s, BaseRanks& ranks, Best& best) {
    const std::vector<Band>& single = bands.single;
    const std::vector<Band>& outer = bands.outer;
    const int p = tenths % kPhases, k = tenths / kPhases;
    const float* c = &s.phases[static_cast<std::size_t>(p * kSamples)];
    const float* m = &m_[static_cast<std::size_t>(k)];
    const Candidate candidate = CandidateOf(shape, tenths);
    const float limit = Limit();
    const auto open = [&](const Band& band) {
      return !Pruned(IntervalBound(m, c, c, band.low, band.high, limit, cap_));
    };
    if (singleOpen &&
        !Pruned(IntervalBound(m, c, c, single.back().low, single.front().high, limit, cap_)) &&
        std::any_of(single.begin(), single.end(), open)) {
      EvaluateLevels(ranks, p, c, m, LevelsFor(shape.family), candidate, best);
    }
    if (!outerOpen) return;
    Regions(ranks, p, shape.lobe);
    const float* region = &ranks.innerMask[static_cast<std::size_t>(p * kSamples)];
    const float innerLow = levels_.inner.level.back();
    const float innerHigh = levels_.inner.level.front();
    const auto openW = [&](const Band& band) {
      return !Pruned(
          RegionBound(m, c, region, band.low, band.high, innerLow, innerHigh, limit, cap_));
    };
    if (!Pruned(RegionBound(m, c, region, outer.back().low, outer.front().high, innerLow, innerHigh,
                            limit, cap_)) &&
        std::any_of(outer.begin(), outer.end(), openW))
      EvaluateW(ranks, p, c, m, shape.lobe, candidate, best);
  }

  void EvaluateLevels(BaseRanks& ranks, int p, const float* c, const float* m,
                      const LevelList& list, Candidate candidate, Best& best) {
    LevelChoice choice;
    if (!BestLevel(ranks, p, c, m, list, envelope_, choice)) return;
    candidate.z = choice.z;
    Accept(best, choice.error, candidate);
  }

  void EvaluateW(BaseRanks& ranks, int p, const float* c, const float* m, int lobe,
                 Candidate candidate, Best& best) {
    LevelChoice choice;
    if (!BestPair(ranks, p, c, m, lobe, levels_.outer, levels_.inner, wPairs_, envelope_, choice))
      return;
    candidate.family = static_cast<int>(FitFamily::kW);
    candidate.z = choice.z;
    Accept(best, choice.error, candidate);
  }

  double below_;
  bool envelope_;
  float cap_;
  Domain domain_;
  std::array<float, 2 * kSamples> m_;
  const LobeTables& lobes_;
  std::vector<int> wPairs_;  // the second numbers searched, W's pairs e6 e7 among them
  SearchLevels levels_;
  bool wantV_, wantW_;
  DirectionWindow window_;
  std::vector<BaseShape> bases_;
  std::vector<Maxima> maxima_;  // of each base
  int singleCount_ = 0;
  const std::vector<float>& singleGrids_ = SingleGrids(domain_);  // of every single-curve base
  std::vector<int> singleIndex_;  // where each of this search's single-curve bases is in them
  const SharedSegmentTables& segments_ = SharedSegments(domain_);
  std::vector<Group> groups_;
  std::vector<Item> items_;
  std::atomic<std::size_t> nextGroup_{0}, nextItem_{0};
  std::atomic<double> bound_{below_};  // the best error so far, or `below_` before any
};

}  // namespace

FitResult FindBestFit(const FitColumn& e, FitPlane /*plane*/, FitCriterion criterion,
                      const FitCandidates& candidates, int threads, double errorBelow) {
  // Both planes search the same families: the classic conversion treats the horizontal and the
  // vertical column alike.
  if (threads <= 0) threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  // The sum of squares that gives `errorBelow`.
  const double below = !(errorBelow < kInfinity)           ? kInfinity
                       : !(errorBelow > 0)                 ? 0.0
                       : criterion == FitCriterion::kField ? errorBelow
                                                           : errorBelow * errorBelow * kSamples;
  Search search(e, criterion, candidates, below);
  const Best best = search.Run(threads);
  FitResult result;
  if (!best.found) return result;
  result.found = true;
  result.code = CandidateCode(best.candidate);
  result.direction = static_cast<float>(best.candidate.tenths / 10.0);
  result.figures = ScoreFit(e, result.code, result.direction, criterion);
  return result;
}

FitResult BetterFit(const FitColumn& e, const FitResult& found, std::string_view code,
                    float direction, FitCriterion criterion) {
  const FitFigures given = ScoreFit(e, code, direction, criterion);
  // An invalid code or direction has NaN figures and never qualifies.
  const bool qualifies = std::isfinite(given.criterionError) &&
                         (criterion != FitCriterion::kEnvelope || given.envelopeHolds);
  if (!qualifies || (found.found && !(given.criterionError < found.figures.criterionError)))
    return found;
  FitResult result;
  result.found = true;
  result.code = std::string(code);
  result.direction = direction;
  result.figures = given;
  return result;
}

}  // namespace lobrix
