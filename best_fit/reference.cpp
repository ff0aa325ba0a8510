// The exhaustive reference of the best-fit search (tests and benchmarks only).
#include "best_fit/reference.h"

#include <algorithm>
#include <limits>

#include "best_fit/candidates.h"
#include "model/antenna_pattern.h"

namespace lobrix {

namespace {

using namespace fit;

struct PlaneBest {
  std::array<float, 2 * kSamples> m{};
  bool found = false;
  double sum = std::numeric_limits<double>::infinity();
  Candidate best;
};

// The envelope of one code: one level everywhere, or W's inner level between the lobes and its
// outer level elsewhere.
struct Envelope {
  int z;
  float outer, inner;
};

struct Scan {
  const std::vector<float>& curve;  // domain values at 0 .. 3599 tenths from the maximum
  Candidate base;
  const std::vector<Envelope>& envelopes;
  bool envelopeCriterion;
  // For one level everywhere: the envelopes by level, largest first, and for each phase the
  // samples by curve value, largest first.
  std::vector<Envelope> byLevel;
  std::vector<std::vector<int>> byValue;
  std::vector<float> phases;  // phase p, sample j: the curve at 10 j - p tenths
};

void Consider(PlaneBest& plane, double sum, const Candidate& candidate) {
  if (!plane.found || sum < plane.sum || (sum == plane.sum && ComesFirst(candidate, plane.best))) {
    plane.found = true;
    plane.sum = sum;
    plane.best = candidate;
  }
}

// W: the inner level between the lobes, the outer level elsewhere, sample by sample.
void ScanTwoLevels(const Scan& scan, int tenths, PlaneBest& plane) {
  const int p = tenths % kPhases, k = tenths / kPhases;
  for (const Envelope& envelope : scan.envelopes) {
    double sum = 0;
    bool holds = true;
    for (int j = 0; j < kSamples && holds && sum <= plane.sum; ++j) {
      const bool inner = InnerRegion(10 * j - p, scan.base.lobe);
      const float curve = scan.curve[static_cast<std::size_t>((10 * j - p + kTenths) % kTenths)];
      const float value = std::min(curve, inner ? envelope.inner : envelope.outer);
      const double d = static_cast<double>(plane.m[static_cast<std::size_t>(j + k)]) - value;
      sum += d * d;
      if (scan.envelopeCriterion && -d > kEnvelopeSlackDb) holds = false;
    }
    if (!holds || sum > plane.sum) continue;
    Candidate candidate = scan.base;
    candidate.z = envelope.z;
    candidate.tenths = tenths;
    Consider(plane, sum, candidate);
  }
}

// An envelope only lowers the curve: where the measured value lies above the curve the
// difference stays at least as large for every envelope of this base. True when that part of the
// error alone already exceeds the plane's best sum, so no envelope of this base can win here.
bool ExceedsBestBeforeEnvelope(const Scan& scan, int tenths, const PlaneBest& plane) {
  const int p = tenths % kPhases, k = tenths / kPhases;
  const float* c = &scan.phases[static_cast<std::size_t>(p * kSamples)];
  const float* m = &plane.m[static_cast<std::size_t>(k)];
  double lanes[4] = {};
  for (int chunk = 0; chunk < kSamples; chunk += 40) {
    for (int j = chunk; j < chunk + 40; j += 4)
      for (int l = 0; l < 4; ++l) {
        const double d = static_cast<double>(m[j + l]) - c[j + l];
        lanes[l] += d > 0 ? d * d : 0.0;
      }
    if (lanes[0] + lanes[1] + lanes[2] + lanes[3] > plane.sum) return true;
  }
  return false;
}

// One level everywhere. A level cuts the samples whose curve value lies above it: a leading run
// of the samples in order of value. Its error is the uncut samples' own squared differences plus
// the cut samples' squared distances to the level, summed from running totals along that order.
void ScanOneLevel(const Scan& scan, int tenths, PlaneBest& plane) {
  const int p = tenths % kPhases, k = tenths / kPhases;
  const auto curveAt = [&](int j) {
    return scan.curve[static_cast<std::size_t>((10 * j - p + kTenths) % kTenths)];
  };
  const auto measuredAt = [&](int j) { return plane.m[static_cast<std::size_t>(j + k)]; };
  const std::vector<int>& order = scan.byValue[static_cast<std::size_t>(p)];
  std::array<double, kSamples + 1> uncutExcess{};  // largest c - m from position r on
  uncutExcess[kSamples] = -std::numeric_limits<double>::infinity();
  double total = 0;
  for (int r = kSamples - 1; r >= 0; --r) {
    const int j = order[static_cast<std::size_t>(r)];
    const double d = static_cast<double>(measuredAt(j)) - curveAt(j);
    total += d * d;
    uncutExcess[static_cast<std::size_t>(r)] =
        std::max(uncutExcess[static_cast<std::size_t>(r) + 1], -d);
  }
  int cut = 0;
  double cutSum = 0, cutSquares = 0, cutOwn = 0;
  double cutLowest = std::numeric_limits<double>::infinity();
  for (const Envelope& envelope : scan.byLevel) {
    const double level = envelope.outer;
    for (; cut < kSamples && curveAt(order[static_cast<std::size_t>(cut)]) > envelope.outer;
         ++cut) {
      const int j = order[static_cast<std::size_t>(cut)];
      const double measured = measuredAt(j), d = measured - curveAt(j);
      cutSum += measured;
      cutSquares += measured * measured;
      cutOwn += d * d;
      cutLowest = std::min(cutLowest, measured);
    }
    const double sum = (total - cutOwn) + cutSquares - 2 * level * cutSum + cut * level * level;
    if (sum > plane.sum) continue;
    if (scan.envelopeCriterion && (uncutExcess[static_cast<std::size_t>(cut)] > kEnvelopeSlackDb ||
                                   level - cutLowest > kEnvelopeSlackDb))
      continue;
    Candidate candidate = scan.base;
    candidate.z = envelope.z;
    candidate.tenths = tenths;
    Consider(plane, sum, candidate);
  }
}

void ScanDirection(const Scan& scan, int tenths, PlaneBest& plane) {
  if (ExceedsBestBeforeEnvelope(scan, tenths, plane)) return;
  if (scan.base.family == static_cast<int>(FitFamily::kW))
    ScanTwoLevels(scan, tenths, plane);
  else
    ScanOneLevel(scan, tenths, plane);
}

// Every direction the window allows the base's codes at.
void ScanBase(Scan scan, const DirectionWindow& window, std::vector<PlaneBest>& planes) {
  scan.byLevel = scan.envelopes;
  std::stable_sort(scan.byLevel.begin(), scan.byLevel.end(),
                   [](const Envelope& a, const Envelope& b) { return a.outer > b.outer; });
  for (int p = 0; p < kPhases; ++p) {
    std::vector<int> order(kSamples);
    for (int j = 0; j < kSamples; ++j) order[static_cast<std::size_t>(j)] = j;
    const auto value = [&](int j) {
      return scan.curve[static_cast<std::size_t>((10 * j - p + kTenths) % kTenths)];
    };
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return value(a) > value(b); });
    scan.byValue.push_back(std::move(order));
  }
  scan.phases.resize(kTenths);
  for (int p = 0; p < kPhases; ++p)
    for (int j = 0; j < kSamples; ++j)
      scan.phases[static_cast<std::size_t>(p * kSamples + j)] =
          scan.curve[static_cast<std::size_t>((10 * j - p + kTenths) % kTenths)];
  const int directions = scan.base.family == static_cast<int>(FitFamily::kND) ? 1 : kTenths;
  const Maxima maxima = MaximaOf(scan.base);
  for (PlaneBest& plane : planes)
    for (int tenths = 0; tenths < directions; ++tenths)
      if (window.Allows(maxima, tenths)) ScanDirection(scan, tenths, plane);
}

std::vector<float> CurveOf(const std::string& code, Domain domain) {
  std::vector<float> curve(kTenths);
  for (int t = 0; t < kTenths; ++t) {
    const float field = ANT93(code, AngleOfTenths(t), kRelativeField);
    curve[static_cast<std::size_t>(t)] = DomainOfField(field, domain);
  }
  return curve;
}

}  // namespace

std::vector<ReferenceFit> FindBestFitsReference(const std::vector<FitColumn>& planes,
                                                FitCriterion criterion,
                                                const FitCandidates& candidates) {
  const Domain domain = DomainOf(criterion);
  const bool envelopeCriterion = criterion == FitCriterion::kEnvelope;
  std::vector<PlaneBest> bests(planes.size());
  for (std::size_t i = 0; i < planes.size(); ++i) bests[i].m = MeasuredTwice(planes[i], domain);
  const auto wanted = [&](FitFamily f) { return candidates.families[static_cast<std::size_t>(f)]; };
  const DirectionWindow window(candidates);
  const std::vector<int> zs = SecondNumbers(candidates);

  std::vector<Envelope> single, nd{{0, EnvelopeLevel(0, domain), EnvelopeLevel(0, domain)}};
  for (int z : zs) single.push_back({z, EnvelopeLevel(z, domain), EnvelopeLevel(z, domain)});
  std::vector<Envelope> twin;
  for (int z : zs) twin.push_back({z, OuterLevel(z / 10, domain), InnerLevel(z % 10, domain)});

  for (int f = 0; f < static_cast<int>(FitFamily::kV); ++f) {
    const auto family = static_cast<FitFamily>(f);
    if (!wanted(family)) continue;
    for (int first : FirstNumbers(family, candidates)) {
      Candidate base;
      base.family = f;
      base.first = first;
      const std::vector<float> curve = CurveOf(CandidateCode(base), domain);
      ScanBase({curve, base, family == FitFamily::kND ? nd : single, envelopeCriterion, {}, {}, {}},
               window, bests);
    }
  }
  if (wanted(FitFamily::kV) || wanted(FitFamily::kW)) {
    for (int d : BeamIndices(candidates))
      for (int lobe : LobeHalfAngles(candidates))
        for (int letter = 0; letter < 9; ++letter) {
          Candidate base;
          base.family = static_cast<int>(FitFamily::kV);
          base.first = d;
          base.lobe = lobe;
          base.letter = letter;
          // The V code with second number 00 is the two lobes alone.
          const std::vector<float> curve = CurveOf(CandidateCode(base), domain);
          if (wanted(FitFamily::kV))
            ScanBase({curve, base, single, envelopeCriterion, {}, {}, {}}, window, bests);
          base.family = static_cast<int>(FitFamily::kW);
          if (wanted(FitFamily::kW))
            ScanBase({curve, base, twin, envelopeCriterion, {}, {}, {}}, window, bests);
        }
  }

  std::vector<ReferenceFit> results(planes.size());
  for (std::size_t i = 0; i < planes.size(); ++i) {
    if (!bests[i].found) continue;
    results[i].found = true;
    results[i].code = CandidateCode(bests[i].best);
    results[i].direction = static_cast<float>(bests[i].best.tenths / 10.0);
    results[i].criterionError = CriterionError(bests[i].sum, criterion);
  }
  return results;
}

}  // namespace lobrix
