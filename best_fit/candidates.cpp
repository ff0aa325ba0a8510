// The candidate sets, the angle grid and the domain values of the best-fit search.
#include "best_fit/candidates.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <tuple>

#include "model/pattern_math.h"

namespace lobrix {

const char* FitCriterionName(FitCriterion criterion) {
  switch (criterion) {
    case FitCriterion::kDb:
      return "db";
    case FitCriterion::kField:
      return "field";
    case FitCriterion::kEnvelope:
      return "envelope";
  }
  return "db";
}

FitCandidates FitCandidates::All() {
  FitCandidates all;
  all.families.fill(true);
  return all;
}

FitCandidates FitCandidates::Sample() {
  FitCandidates sample = All();
  sample.lobeStride = 3;
  sample.zStride = 11;
  return sample;
}

FitCandidates FitCandidates::Only(FitFamily family) {
  return FitCandidates{}.With(family);
}

FitCandidates& FitCandidates::With(FitFamily family) {
  families[static_cast<std::size_t>(family)] = true;
  return *this;
}

FitCandidates& FitCandidates::AnchoredAt(float direction, float tolerance) {
  anchorDegrees = direction;
  toleranceDegrees = tolerance;
  return *this;
}

FitColumn FieldsFromAttenuations(const std::array<float, 360>& decibels) {
  FitColumn fields{};
  for (std::size_t i = 0; i < fields.size(); ++i)
    fields[i] = static_cast<float>(std::pow(10.0, -F(decibels[i]) / 20.0));
  return fields;
}

}  // namespace lobrix

namespace lobrix::fit {

int FoldTenths(int tenths) {
  int folded = tenths % kTenths;
  if (folded < 0) folded += kTenths;
  return folded >= kTenths / 2 ? folded - kTenths : folded;
}

float AngleOfTenths(int tenths) {
  return static_cast<float>(FoldTenths(tenths) / 10.0);
}

Domain DomainOf(FitCriterion criterion) {
  return criterion == FitCriterion::kField ? Domain::kNegativeField : Domain::kDecibel;
}

float DomainOfField(float field, Domain domain) {
  return domain == Domain::kDecibel ? ToDecibel(field) : -field;
}

float MeasuredValue(float e, Domain domain) {
  if (domain == Domain::kNegativeField) return std::isfinite(e) ? -e : -0.01f;
  // The same single-precision conversion as ANT93's, so a plane made from a code matches it.
  const float decibel = e > 0 && std::isfinite(e) ? ToDecibel(e) : 40.0f;
  return decibel < 40.0f ? decibel : 40.0f;
}

std::array<float, 2 * kSamples> MeasuredTwice(const FitColumn& e, Domain domain) {
  std::array<float, 2 * kSamples> twice{};
  for (int i = 0; i < kSamples; ++i) {
    const float value = MeasuredValue(e[static_cast<std::size_t>(i)], domain);
    twice[static_cast<std::size_t>(i)] = value;
    twice[static_cast<std::size_t>(i + kSamples)] = value;
  }
  return twice;
}

bool ComesFirst(const Candidate& a, const Candidate& b) {
  return std::tie(a.family, a.first, a.lobe, a.letter, a.z, a.tenths) <
         std::tie(b.family, b.first, b.lobe, b.letter, b.z, b.tenths);
}

Maxima MaximaOf(const Candidate& c) {
  Maxima maxima;
  const auto add = [&maxima](int tenths) {
    maxima.tenths[static_cast<std::size_t>(maxima.count++)] = tenths % kTenths;
  };
  const auto family = static_cast<FitFamily>(c.family);
  // KA, CA, CB and CC with first number 100 have a field of 1 all round.
  const bool omni = family == FitFamily::kND ||
                    (c.first == 100 && (family == FitFamily::kKA || family == FitFamily::kCA ||
                                        family == FitFamily::kCB || family == FitFamily::kCC));
  if (omni) {
    maxima.everywhere = true;
    return maxima;
  }
  add(0);
  switch (family) {
    case FitFamily::kDE:
    case FitFamily::kCA:
      add(1800);
      break;
    case FitFamily::kCB:
      add(1200);
      add(2400);
      break;
    case FitFamily::kCC:
      add(900);
      add(1800);
      add(2700);
      break;
    case FitFamily::kV:
    case FitFamily::kW:
      // The second lobe, 2L on; with L = 0 (or 180) it falls on the first.
      if ((20 * c.lobe) % kTenths != 0) add(20 * c.lobe);
      break;
    default:
      break;
  }
  return maxima;
}

DirectionWindow::DirectionWindow(const FitCandidates& candidates) {
  if (!(candidates.toleranceDegrees < 180.0f) || !std::isfinite(candidates.anchorDegrees)) return;
  anchored_ = true;
  const double tenths = std::nearbyint(std::fmod(candidates.anchorDegrees * 10.0, kTenths));
  anchor_ = (static_cast<int>(tenths) % kTenths + kTenths) % kTenths;
  // A tolerance written with one decimal (0.3) is that many tenths, though 0.3f is a little less.
  tolerance_ = std::max(0, static_cast<int>(std::floor(candidates.toleranceDegrees * 10.0 + 1e-4)));
}

bool DirectionWindow::Allows(const Maxima& maxima, int tenths) const {
  if (!anchored_ || maxima.everywhere) return true;
  for (int m = 0; m < maxima.count; ++m) {
    const int offset = maxima.tenths[static_cast<std::size_t>(m)];
    if (std::abs(FoldTenths(tenths + offset - anchor_)) <= tolerance_) return true;
  }
  return false;
}

bool DirectionWindow::AllowsAny(const Maxima& maxima, int first, int count) const {
  if (!anchored_ || maxima.everywhere) return true;
  for (int m = 0; m < maxima.count; ++m) {
    // The directions first .. last, seen from the one that puts this maximum on the anchor.
    const int centre = anchor_ - maxima.tenths[static_cast<std::size_t>(m)];
    const int from = FoldTenths(first - centre), to = from + count - 1;
    if (from <= 0 && to >= 0) return true;
    if (std::min(std::abs(from), std::abs(FoldTenths(to))) <= tolerance_) return true;
  }
  return false;
}

void DirectionWindow::MarkBlocks(const Maxima& maxima, int width, bool* marks, int blocks) const {
  if (!anchored_ || maxima.everywhere) {
    std::fill(marks, marks + blocks, true);
    return;
  }
  const auto floorDivide = [width](int t) {
    return t >= 0 ? t / width : -((-t + width - 1) / width);
  };
  for (int m = 0; m < maxima.count; ++m) {
    // The directions that put this maximum on the anchor, give or take the tolerance.
    const int centre = anchor_ - maxima.tenths[static_cast<std::size_t>(m)];
    const int first = floorDivide(centre - tolerance_), last = floorDivide(centre + tolerance_);
    for (int q = first; q <= last && q < first + blocks; ++q)
      marks[(q % blocks + blocks) % blocks] = true;
  }
}

int DirectionWindow::NearestDegree() const {
  return (anchor_ + 5) / 10 % kSamples;
}

FamilyInfo InfoOf(FitFamily family) {
  switch (family) {
    case FitFamily::kND:
      return {"ND", 0, 0};
    case FitFamily::kEA:
      return {"EA", 1, 65};
    case FitFamily::kEB:
      return {"EB", 1, 79};
    case FitFamily::kEC:
      return {"EC", 1, 96};
    case FitFamily::kLA:
      return {"LA", 1, 120};
    case FitFamily::kKA:
      return {"KA", 0, 100};
    case FitFamily::kDE:
      return {"DE", 1, 65};
    case FitFamily::kCA:
      return {"CA", 0, 100};
    case FitFamily::kCB:
      return {"CB", 0, 100};
    case FitFamily::kCC:
      return {"CC", 0, 100};
    case FitFamily::kV:
      return {"V", 0, 9};
    case FitFamily::kW:
      return {"W", 0, 9};
  }
  return {"ND", 0, 0};
}

std::string CandidateCode(const Candidate& c) {
  const auto family = static_cast<FitFamily>(c.family);
  char text[16];
  if (family == FitFamily::kV || family == FitFamily::kW) {
    std::snprintf(text, sizeof text, "%d%02d%s%c%02d", c.first % 10, c.lobe % 100,
                  InfoOf(family).type, 'A' + c.letter % 9, c.z % 100);
  } else {
    std::snprintf(text, sizeof text, "%03d%s%02d", c.first % 1000, InfoOf(family).type, c.z % 100);
  }
  return text;
}

namespace {

std::vector<int> Stepped(int low, int high, int stride) {
  std::vector<int> values;
  for (int v = low; v <= high; v += stride < 1 ? 1 : stride) values.push_back(v);
  return values;
}

}  // namespace

std::vector<int> FirstNumbers(FitFamily family, const FitCandidates& candidates) {
  const FamilyInfo info = InfoOf(family);
  return Stepped(info.firstLow, info.firstHigh, candidates.firstStride);
}

std::vector<int> BeamIndices(const FitCandidates& candidates) {
  return Stepped(0, 9, candidates.beamStride);
}

std::vector<int> LobeHalfAngles(const FitCandidates& candidates) {
  return Stepped(0, 99, candidates.lobeStride);
}

std::vector<int> SecondNumbers(const FitCandidates& candidates) {
  return Stepped(0, 99, candidates.zStride);
}

float EnvelopeLevel(int z, Domain domain) {
  return DomainOfField(ClampField(static_cast<float>(z / 100.0)), domain);
}

float OuterLevel(int e6, Domain domain) {
  return DomainOfField(ClampField(static_cast<float>(e6 / 20.0)), domain);
}

float InnerLevel(int e7, Domain domain) {
  return DomainOfField(ClampField(static_cast<float>(e7 / 20.0 + F(0.35f))), domain);
}

double CriterionError(double sumOfSquares, FitCriterion criterion) {
  const double sum = sumOfSquares > 0 ? sumOfSquares : 0.0;
  return criterion == FitCriterion::kField ? sum : std::sqrt(sum / kSamples);
}

}  // namespace lobrix::fit
