// Base curves of the fast best-fit search. A base is a code without its envelope: the code with
// second number 00 for ND .. CC, and the two V lobes (d, L, letter) shared by V and W. Every
// code of the base is min(base, its envelope level) in domain values.
#pragma once

#include <array>
#include <vector>

#include "best_fit/candidates.h"

namespace lobrix::fit {

struct BaseShape {
  FitFamily family = FitFamily::kND;  // kV stands for the V/W lobes
  int first = 0, lobe = 0, letter = 0;
};

// The V/W main lobe on the tenth-degree grid for every beam index d and letter, in domain
// values.
class LobeTables {
 public:
  explicit LobeTables(Domain domain);
  const float* Table(int d, int letter) const;

 private:
  std::vector<float> values_;
};

// The bases of a candidate set in search order: the single-curve families' first numbers, then,
// when V or W is searched, the lobes by beam index, lobe half-angle and letter.
std::vector<BaseShape> BaseShapes(const FitCandidates& candidates);

// The base's curve on the tenth-degree grid (kTenths values, index = angle in tenths).
void BaseGrid(const BaseShape& base, Domain domain, const LobeTables& lobes, float* grid);

// The lobe tables and the grids of every single-curve base (ND .. CC, every first number, one
// after another in search order) in one domain. They depend on the domain alone: made once, on
// first use, and then shared by every search of the process (the grids take 1.5 million calls
// of ANT93, more than an anchored search itself).
const LobeTables& SharedLobeTables(Domain domain);
const std::vector<float>& SingleGrids(Domain domain);
// Where a single-curve base's grid starts in them, in grids.
int SingleGridIndex(const BaseShape& base);

// The lowest and highest value of a curve over each segment of ten tenths (see
// SegmentExtremes in bounds.h): kSamples lows, then kSamples highs.
using Segments = std::array<float, 2 * kSamples>;

// The segments of every single-curve base's grid (indexed as SingleGrids) and of every V/W
// lobe table (10 beam indices by 9 letters), and each single-curve grid at the whole degrees,
// in one domain; made once, like the grids.
struct SharedSegmentTables {
  std::vector<Segments> single, lobe;
  std::vector<std::array<float, kSamples>> singleDegrees;
};
const SharedSegmentTables& SharedSegments(Domain domain);

// The segments of a V/W base (beam index d, lobe half-angle L, letter): the lows exact, the
// highs at or above the true ones (the smaller of the two lobes' highest values). The second
// lobe, 2L degrees on, is a whole number of segments away.
void TwinSegments(const SharedSegmentTables& tables, const BaseShape& base, Segments& segments);

// Phase p of a grid: phases[p * kSamples + j] = grid at 10 j - p tenths, so that a code at
// direction 10 k + p tenths gives at sample i the phase-p value at j = i - k (mod 360).
void SplitPhases(const float* grid, float* phases);

}  // namespace lobrix::fit
