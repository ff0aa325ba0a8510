// ConvertPattern: the antenna code whose curve fits one measured plane best, found by trying
// every candidate of the family that the pattern's shape calls for.
//
// The search visits the candidates, azimuth offsets and last digits in the fixed order of the
// brute-force evaluation and keeps the first of equal errors. It is fast because
//   - each candidate's curve is prepared once (prepared_curve.h), each sample set's angles and
//     cosines once, and no code text is built or parsed while sampling;
//   - the last two digits only move the envelope, so a digit sweep reuses the raw curve values;
//   - an error sum never decreases, so a candidate is dropped as soon as its running sum reaches
//     the best error so far: it could no longer be strictly smaller.
// The values and the order of the additions are exactly those of the brute-force evaluation, so
// the winner is the same.
#include "conversion/conversion.h"

#include <algorithm>
#include <array>
#include <span>
#include <vector>

#include "conversion/search_terms.h"
#include "model/antenna_pattern.h"
#include "model/pattern_math.h"
#include "model/prepared_curve.h"

namespace lobrix {

namespace {

enum class Weighting { kNone, kRoot, kField };

struct Sample {
  float measured;
  float weight;
  SampleAngle angle;
};
using Samples = std::vector<Sample>;

Samples MakeSamples(const PatternColumn& e, const std::vector<int>& indices, float azimuth,
                    Weighting weighting, unsigned terms) {
  Samples samples;
  samples.reserve(indices.size());
  for (const int i : indices) {
    const float measured = e[static_cast<std::size_t>(i)];
    const float weight = weighting == Weighting::kRoot    ? SingleLobeWeight(measured)
                         : weighting == Weighting::kField ? measured
                                                          : 1.0f;
    samples.push_back({measured, weight, MakeSampleAngle(AngleFromMaximum(i, azimuth), terms)});
  }
  return samples;
}

// The error of a curve with the given last digits, or some value at least `bound` as soon as
// the running sum reaches it.
float BoundedError(const PreparedCurve& curve, const Samples& samples, int lastDigits,
                   float bound) {
  float error = 0;
  for (const Sample& s : samples) {
    error = AddSquare(error, s.weight, s.measured, CurveField(curve, s.angle, lastDigits));
    if (error >= bound) break;
  }
  return error;
}

struct Best {
  float error = kNoFitYet;
  std::string code = "000ND00";
  float azimuth = 0;
};

// Tries the last digits low..high of one prepared curve in that order; returns the winning
// digits or -1. The digits only move the envelope, so the raw curve is computed once. Ten digits
// at a time run side by side, each sum still adding its samples in order; a group stops once all
// its sums have reached the best error, as none of them could win any more.
int BestLastDigits(const PreparedCurve& curve, const Samples& samples, int low, int high,
                   Best& best) {
  const std::size_t n = samples.size();
  std::vector<float> raw(n);
  std::vector<char> between(n);
  for (std::size_t j = 0; j < n; ++j) {
    raw[j] = RawField(curve, samples[j].angle);
    between[j] = BetweenLobes(curve, samples[j].angle);
  }
  constexpr int kGroup = 10;
  constexpr std::size_t kCheckEvery = 8;
  int winner = -1;
  for (int first = low; first <= high; first += kGroup) {
    const auto count = static_cast<std::size_t>(std::min(kGroup, high - first + 1));
    std::array<EnvelopeLevels, kGroup> levels{};
    for (std::size_t d = 0; d < count; ++d) {
      levels[d] = EnvelopeOf(curve, first + static_cast<int>(d));
    }
    std::array<float, kGroup> errors{};
    for (std::size_t j = 0; j < n; ++j) {
      const Sample& s = samples[j];
      for (std::size_t d = 0; d < count; ++d) {
        const float level = between[j] ? levels[d].inner : levels[d].outer;
        errors[d] = AddSquare(errors[d], s.weight, s.measured, ClampField(std::max(raw[j], level)));
      }
      if ((j + 1) % kCheckEvery == 0 &&
          std::all_of(errors.begin(), errors.begin() + static_cast<std::ptrdiff_t>(count),
                      [&](float error) { return error >= best.error; })) {
        break;
      }
    }
    for (std::size_t d = 0; d < count; ++d) {
      if (errors[d] < best.error) {
        best.error = errors[d];
        winner = first + static_cast<int>(d);
      }
    }
  }
  return winner;
}

// Candidates "NNN" + type + "00" of the families, each at every swept azimuth.
void SweepFamilies(std::span<const CodeFamily> families, const PatternColumn& e,
                   const PatternShape& shape, const std::vector<int>& window, Weighting weighting,
                   Best& best) {
  unsigned terms = 0;
  for (const CodeFamily& family : families) terms |= TermsOf(KindOf(family.type));
  std::vector<float> azimuths;
  std::vector<Samples> plans;
  for (const float s : SweepOffsets(shape.halfWidth)) {
    azimuths.push_back(TriedAzimuth(shape.mainAzimuth, s));
    plans.push_back(MakeSamples(e, window, azimuths.back(), weighting, terms));
  }
  for (const CodeFamily& family : families) {
    for (int first = family.low; first <= family.high; ++first) {
      const PreparedCurve curve = PrepareCurve(family.type, first);
      for (std::size_t k = 0; k < plans.size(); ++k) {
        const float error = BoundedError(curve, plans[k], 0, best.error);
        if (error < best.error) {
          best = {error, CandidateCode(first, family.type, 0), azimuths[k]};
        }
      }
    }
  }
}

// The last two digits of the best code, tried 00..99 at the best azimuth.
void RefineDigits(const PatternColumn& e, const std::vector<int>& indices, Best& best) {
  const std::string_view type = std::string_view(best.code).substr(3, 2);
  const int first = std::stoi(best.code.substr(0, 3));
  const Samples samples =
      MakeSamples(e, indices, best.azimuth, Weighting::kNone, TermsOf(KindOf(type)));
  best.error = kNoFitYet;
  const int last = BestLastDigits(PrepareCurve(type, first), samples, 0, 99, best);
  best.code = CandidateCode(first, type, last);
}

void FitNearOmni(const PatternColumn& e, const PatternShape& shape, Best& best) {
  const Samples samples = MakeSamples(e, EveryNthDegree(3), shape.mainAzimuth, Weighting::kNone,
                                      kCosineTerm | kCosine2Term | kCosine3Term | kCosine4Term);
  best.azimuth = shape.mainAzimuth;
  for (const std::string_view type : kNearOmniTypes) {
    for (int first = kNearOmniFirstLow; first <= kNearOmniFirstHigh; ++first) {
      const int last = BestLastDigits(PrepareCurve(type, first), samples, kNearOmniLastLow,
                                      kNearOmniLastHigh, best);
      if (last >= 0) best.code = CandidateCode(first, type, last);
    }
  }
}

void FitTwoLobes(const PatternColumn& e, const PatternShape& shape, const std::vector<int>& window,
                 Best& best) {
  const int q0 = std::min(99, RoundEven(shape.separation / 2.0));
  std::vector<float> azimuths;
  std::vector<Samples> plans;
  for (const float s : SweepOffsets(shape.halfWidth)) {
    azimuths.push_back(TriedAzimuth(shape.mainAzimuth, s));
    plans.push_back(MakeSamples(e, window, azimuths.back(), Weighting::kField, kCosineTerm));
  }
  int bestP = 0;
  for (int p = 0; p <= 9; ++p) {
    const PreparedCurve curve = PrepareTwinCurve(p, q0, 'E', false);
    for (std::size_t k = 0; k < plans.size(); ++k) {
      const float error = BoundedError(curve, plans[k], 0, best.error);
      if (error < best.error) {
        best = {error, TwinLobeCode(p, q0, "VE", 0), azimuths[k]};
        bestP = p;
      }
    }
  }

  // The half separation, fitted on a window around the second lobe.
  const int k = RoundEven(shape.secondaryAzimuth);
  const int start = k - shape.halfWidth, end = k + shape.halfWidth;
  const Samples second = MakeSamples(e, WindowIndices(start, end, WindowStep(start, end)),
                                     best.azimuth, Weighting::kField, kCosineTerm);
  const int q1 =
      RoundEven((shape.separation - (static_cast<double>(best.azimuth) - shape.mainAzimuth)) / 2.0);
  const int low = std::max(0, q1 - 5), high = std::min(99, q1 + 5);
  best.error = kNoFitYet;
  int bestQ = 0;
  if (high > low) {
    for (int q = low; q <= high; ++q) {
      const float error =
          BoundedError(PrepareTwinCurve(bestP, q, 'E', false), second, 0, best.error);
      if (error < best.error) {
        best.error = error;
        best.code = TwinLobeCode(bestP, q, "VE", 0);
        bestQ = q;
      }
    }
  }

  // Back level, envelope and V or W at the fitted lobes.
  const Samples coarse =
      MakeSamples(e, EveryNthDegree(6), best.azimuth, Weighting::kNone, kCosineTerm);
  best.error = kNoFitYet;
  for (const std::string_view type : kTwinLobeTypes) {
    const PreparedCurve curve = PrepareTwinCurve(bestP, bestQ, type[1], type[0] == 'W');
    const int last = BestLastDigits(curve, coarse, 0, 99, best);
    if (last >= 0) best.code = TwinLobeCode(bestP, bestQ, type, last);
  }
}

void FitEqualLobes(const PatternColumn& e, const PatternShape& shape,
                   const std::vector<int>& window, std::string_view type, Best& best) {
  const Samples samples =
      MakeSamples(e, window, shape.mainAzimuth, Weighting::kNone, TermsOf(KindOf(type)));
  best.azimuth = shape.mainAzimuth;
  for (int first = 0; first <= 100; ++first) {
    const float error = BoundedError(PrepareCurve(type, first), samples, 0, best.error);
    if (error < best.error) {
      best.error = error;
      best.code = CandidateCode(first, type, 0);
    }
  }
  RefineDigits(e, EveryNthDegree(2), best);
}

}  // namespace

std::string ConvertPattern(PatternColumn e) {
  e = MeasuredRange(e);
  const PatternShape shape = AnalysePattern(e);
  if (shape.lobeClass == LobeClass::Flat) return ResultText("000ND00", 0.0f);

  Best best;
  best.azimuth = shape.mainAzimuth;
  const std::vector<int> window =
      WindowIndices(shape.windowStart, shape.windowEnd, shape.windowStep);
  switch (shape.lobeClass) {
    case LobeClass::NearOmni:
      FitNearOmni(e, shape, best);
      break;
    case LobeClass::One:
      SweepFamilies(kSingleLobeFamilies, e, shape, window, Weighting::kRoot, best);
      RefineDigits(e, EveryNthDegree(1), best);
      break;
    case LobeClass::Opposite:
      SweepFamilies(kOppositeLobeFamilies, e, shape, window, Weighting::kField, best);
      RefineDigits(e, EveryNthDegree(1), best);
      break;
    case LobeClass::Two:
      FitTwoLobes(e, shape, window, best);
      break;
    case LobeClass::Three:
      FitEqualLobes(e, shape, window, "CB", best);
      break;
    case LobeClass::Four:
      FitEqualLobes(e, shape, window, "CC", best);
      break;
    case LobeClass::Flat:
      break;
  }
  return ResultText(best.code, best.azimuth);
}

KathreinConversion ConvertKathreinPattern(const KathreinPattern& pattern) {
  KathreinConversion result;
  result.horizontalText = ConvertPattern(pattern.measured[0]);
  result.hCode = ResultCode(result.horizontalText);
  result.fittedAzimuth = ResultAngle(result.horizontalText);
  // A fit just left of 0 degrees is stored as the same direction within 0..360: the editor
  // turns a negative azimuth into 0 when it loads it.
  result.aziMax = result.fittedAzimuth < 0 ? result.fittedAzimuth + 360.0f : result.fittedAzimuth;

  result.verticalText = ConvertPattern(pattern.measured[1]);
  result.vCode = ResultCode(result.verticalText);
  const float v = ResultAngle(result.verticalText);
  result.fittedTilt = v;
  // The vertical column counts clockwise from the horizon with 90 at the bottom: a maximum at
  // v = 2 lies 2 degrees below the horizon, one at 358 two degrees above.
  result.eleMax = v < 180 ? -v : 360.0f - v;
  return result;
}

}  // namespace lobrix
