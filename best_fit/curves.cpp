// Base curves of the best-fit search: each family's curve without its envelope, on the
// tenth-degree grid and split into the ten phases a direction can take.
#include "best_fit/curves.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "best_fit/bounds.h"
#include "model/antenna_pattern.h"
#include "model/pattern_math.h"
#include "model/prepared_curve.h"

namespace lobrix::fit {

LobeTables::LobeTables(Domain domain) : values_(10 * 9 * kTenths) {
  for (int d = 0; d < 10; ++d)
    for (int letter = 0; letter < 9; ++letter) {
      // One lobe of the model's V/W curve for this beam index and back letter (the half angle
      // between the two lobes does not enter it).
      const PreparedCurve lobe = PrepareTwinCurve(d, 0, 'A' + letter, false);
      float* table = &values_[static_cast<std::size_t>((d * 9 + letter) * kTenths)];
      for (int t = 0; t < kTenths; ++t) {
        const auto c = static_cast<float>(CosDeg(AngleOfTenths(t)));
        table[t] = DomainOfField(ClampField(curve_terms::TwinLobe(lobe, c)), domain);
      }
    }
}

const float* LobeTables::Table(int d, int letter) const {
  return &values_[static_cast<std::size_t>((d * 9 + letter) * kTenths)];
}

std::vector<BaseShape> BaseShapes(const FitCandidates& candidates) {
  const auto wanted = [&](FitFamily f) { return candidates.families[static_cast<std::size_t>(f)]; };
  std::vector<BaseShape> bases;
  for (int f = 0; f < static_cast<int>(FitFamily::kV); ++f) {
    const auto family = static_cast<FitFamily>(f);
    if (!wanted(family)) continue;
    for (int first : FirstNumbers(family, candidates)) bases.push_back({family, first, 0, 0});
  }
  if (wanted(FitFamily::kV) || wanted(FitFamily::kW))
    for (int d : BeamIndices(candidates))
      for (int lobe : LobeHalfAngles(candidates))
        for (int letter = 0; letter < 9; ++letter)
          bases.push_back({FitFamily::kV, d, lobe, letter});
  return bases;
}

void SplitPhases(const float* grid, float* phases) {
  for (int p = 0; p < kPhases; ++p) {
    phases[p * kSamples] = grid[(kTenths - p) % kTenths];
    for (int j = 1; j < kSamples; ++j) phases[p * kSamples + j] = grid[10 * j - p];
  }
}

void BaseGrid(const BaseShape& base, Domain domain, const LobeTables& lobes, float* grid) {
  if (base.family == FitFamily::kND) {
    std::fill(grid, grid + kTenths, DomainOfField(1.0f, domain));
    return;
  }
  if (base.family == FitFamily::kV || base.family == FitFamily::kW) {
    // The larger of the main lobe and the same lobe turned by 2L: the smaller domain value.
    const float* table = lobes.Table(base.first, base.letter);
    const int turn = (20 * base.lobe) % kTenths;
    for (int t = 0; t < turn; ++t) grid[t] = std::min(table[t], table[t - turn + kTenths]);
    for (int t = turn; t < kTenths; ++t) grid[t] = std::min(table[t], table[t - turn]);
    return;
  }
  // The other families are even in the angle (cosines, and LA's |x|): half a turn of ANT93
  // calls on the code with second number 00, mirrored.
  Candidate c;
  c.family = static_cast<int>(base.family);
  c.first = base.first;
  const std::string code = CandidateCode(c);
  const int mode = domain == Domain::kDecibel ? kDecibel : kRelativeField;
  for (int t = 0; t <= kTenths / 2; ++t) {
    const float value = ANT93(code, AngleOfTenths(t), mode);
    grid[t] = domain == Domain::kDecibel ? value : -value;
    grid[(kTenths - t) % kTenths] = grid[t];
  }
}

int SingleGridIndex(const BaseShape& base) {
  int index = 0;
  for (int f = 0; f < static_cast<int>(base.family); ++f) {
    const FamilyInfo info = InfoOf(static_cast<FitFamily>(f));
    index += info.firstHigh - info.firstLow + 1;
  }
  return index + base.first - InfoOf(base.family).firstLow;
}

namespace {

std::vector<float> MakeSingleGrids(Domain domain) {
  std::vector<float> grids;
  for (const BaseShape& base : BaseShapes(FitCandidates::All())) {
    if (base.family == FitFamily::kV) break;
    grids.resize(grids.size() + kTenths);
    BaseGrid(base, domain, SharedLobeTables(domain), &grids[grids.size() - kTenths]);
  }
  return grids;
}

Segments SegmentsOf(const float* grid) {
  Segments segments{};
  SegmentExtremes(grid, grid, segments.data(), segments.data() + kSamples);
  return segments;
}

SharedSegmentTables MakeSegments(Domain domain) {
  SharedSegmentTables tables;
  const std::vector<float>& grids = SingleGrids(domain);
  for (std::size_t at = 0; at < grids.size(); at += kTenths) {
    tables.single.push_back(SegmentsOf(&grids[at]));
    std::array<float, kSamples> degrees{};
    for (std::size_t j = 0; j < degrees.size(); ++j) degrees[j] = grids[at + 10 * j];
    tables.singleDegrees.push_back(degrees);
  }
  const LobeTables& lobes = SharedLobeTables(domain);
  for (int d = 0; d < 10; ++d)
    for (int letter = 0; letter < 9; ++letter)
      tables.lobe.push_back(SegmentsOf(lobes.Table(d, letter)));
  return tables;
}

}  // namespace

// Each made on first use; C++ makes a local static once even when several threads ask at once.
const LobeTables& SharedLobeTables(Domain domain) {
  if (domain == Domain::kDecibel) {
    static const LobeTables decibel(Domain::kDecibel);
    return decibel;
  }
  static const LobeTables field(Domain::kNegativeField);
  return field;
}

const std::vector<float>& SingleGrids(Domain domain) {
  if (domain == Domain::kDecibel) {
    static const std::vector<float> decibel = MakeSingleGrids(Domain::kDecibel);
    return decibel;
  }
  static const std::vector<float> field = MakeSingleGrids(Domain::kNegativeField);
  return field;
}

const SharedSegmentTables& SharedSegments(Domain domain) {
  if (domain == Domain::kDecibel) {
    static const SharedSegmentTables decibel = MakeSegments(Domain::kDecibel);
    return decibel;
  }
  static const SharedSegmentTables field = MakeSegments(Domain::kNegativeField);
  return field;
}

void TwinSegments(const SharedSegmentTables& tables, const BaseShape& base, Segments& segments) {
  // The curve at t is the smaller of the lobe at t and at t - 2L: segment k meets segment
  // k - 2L of the lobe table.
  const Segments& table = tables.lobe[static_cast<std::size_t>(base.first * 9 + base.letter)];
  const int turn = (2 * base.lobe) % kSamples;
  const auto pair = [&](int k, int back) {
    const auto here = static_cast<std::size_t>(k), there = static_cast<std::size_t>(back);
    segments[here] = std::min(table[here], table[there]);
    segments[kSamples + here] = std::min(table[kSamples + here], table[kSamples + there]);
  };
  for (int k = 0; k < turn; ++k) pair(k, k - turn + kSamples);
  for (int k = turn; k < kSamples; ++k) pair(k, k - turn);
}

}  // namespace lobrix::fit
