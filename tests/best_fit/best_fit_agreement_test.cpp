// The fast search against its exhaustive reference on realistic planes of every family (noise,
// ripple, asymmetric side lobes, nulls), on thinned candidate sets that the sanitizer build can
// afford; the full-size agreement (300 planes a family) is the benchmark's --verify run. And
// the reference itself against plain ANT93 sums, code by code.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "best_fit/best_fit.h"
#include "best_fit/candidates.h"
#include "best_fit/reference.h"
#include "model/antenna_pattern.h"
#include "tests/best_fit/best_fit_patterns.h"

namespace lobrix {
namespace {

using testing::RealisticPlane;

FitCandidates Thinned(FitFamily family) {
  FitCandidates set = FitCandidates::Only(family);
  set.firstStride = 3;
  set.beamStride = 3;
  set.lobeStride = 12;
  set.zStride = 11;
  return set;
}

void ExpectAgreement(const std::vector<FitColumn>& planes, FitCriterion criterion,
                     const FitCandidates& set) {
  const std::vector<ReferenceFit> reference = FindBestFitsReference(planes, criterion, set);
  for (std::size_t i = 0; i < planes.size(); ++i) {
    const FitResult fast = FindBestFit(planes[i], FitPlane::kHorizontal, criterion, set);
    ASSERT_EQ(fast.found, reference[i].found) << "plane " << i;
    if (!fast.found) continue;
    const double a = fast.figures.criterionError, b = reference[i].criterionError;
    EXPECT_NEAR(a, b, 1e-6 * std::max(b, 1e-6))
        << "plane " << i << ": fast " << fast.code << " at " << fast.direction << ", reference "
        << reference[i].code << " at " << reference[i].direction;
  }
}

std::vector<FitColumn> PlanesOf(const std::vector<const char*>& codes, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<FitColumn> planes;
  int tenths = 17;
  for (const char* code : codes) {
    testing::Disturbance how;
    how.noiseDb = 0.5 + 0.5 * static_cast<double>(planes.size() % 4);
    how.frontToBackDb = 15.0 + 7.0 * static_cast<double>(planes.size() % 3);
    planes.push_back(RealisticPlane(code, tenths, how, random));
    tenths = (tenths + 1337) % 3600;
  }
  return planes;
}

// Planes made from codes of one family, searched over that family's thinned set.
struct FamilyCase {
  const char* name;
  FitFamily family;
  std::vector<const char*> codes;
  unsigned seed;
};

const FamilyCase kFamilyCases[] = {
    {"EA", FitFamily::kEA, {"030EA10", "007EA00", "061EA25"}, 1},
    {"EB", FitFamily::kEB, {"045EB00", "012EB05", "078EB30"}, 2},
    {"EC", FitFamily::kEC, {"090EC00", "020EC10", "055EC02"}, 3},
    {"LA", FitFamily::kLA, {"060LA00", "011LA15", "110LA03"}, 4},
    {"KA", FitFamily::kKA, {"035KA00", "080KA20", "005KA10"}, 5},
    {"DE", FitFamily::kDE, {"045DE08", "020DE00", "060DE30"}, 6},
    {"CA", FitFamily::kCA, {"020CA00", "070CA40"}, 7},
    {"CB", FitFamily::kCB, {"010CB00", "050CB20"}, 8},
    {"CC", FitFamily::kCC, {"030CC00", "060CC35"}, 9},
    {"V", FitFamily::kV, {"512VE00", "345VB10"}, 10},
    {"W", FitFamily::kW, {"632WD35", "230WA52"}, 11},
};

class BestFitAgreementPerFamily : public ::testing::TestWithParam<FamilyCase> {};

TEST_P(BestFitAgreementPerFamily, FastMatchesReference) {
  const FamilyCase& c = GetParam();
  ExpectAgreement(PlanesOf(c.codes, c.seed), FitCriterion::kDb, Thinned(c.family));
}

INSTANTIATE_TEST_SUITE_P(EveryFamily, BestFitAgreementPerFamily, ::testing::ValuesIn(kFamilyCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Several families at once: the blocks of all of them in one order of bounds.
TEST(BestFitAgreement, FamiliesTogether) {
  FitCandidates set = Thinned(FitFamily::kEA)
                          .With(FitFamily::kND)
                          .With(FitFamily::kEC)
                          .With(FitFamily::kKA)
                          .With(FitFamily::kCB);
  set.firstStride = 5;
  ExpectAgreement(PlanesOf({"030EA10", "040KA05", "050CB20"}, 12), FitCriterion::kDb, set);
}

std::vector<FitColumn> SinglePlanes() {
  return PlanesOf({"045EB00", "060LA10", "020EB20"}, 13);
}
std::vector<FitColumn> TwinPlanes() {
  return PlanesOf({"512VE00", "632WD35"}, 14);
}

FitCandidates SingleSet() {
  FitCandidates set = Thinned(FitFamily::kEB).With(FitFamily::kLA);
  set.firstStride = 5;
  return set;
}

FitCandidates TwinSet() {
  FitCandidates set = Thinned(FitFamily::kV).With(FitFamily::kW);
  set.beamStride = 4;
  set.lobeStride = 20;
  return set;
}

TEST(BestFitAgreement, FieldCriterion) {
  ExpectAgreement(SinglePlanes(), FitCriterion::kField, SingleSet());
  ExpectAgreement(TwinPlanes(), FitCriterion::kField, TwinSet());
}

TEST(BestFitAgreement, EnvelopeCriterion) {
  ExpectAgreement(SinglePlanes(), FitCriterion::kEnvelope, SingleSet());
  ExpectAgreement(TwinPlanes(), FitCriterion::kEnvelope, TwinSet());
}

// The reference against the plainest evaluation: each code's own ANT93 values at every
// tenth-degree direction, summed sample by sample.
TEST(BestFitReference, MatchesPlainSumsOverEveryCodeAndDirection) {
  FitCandidates set = FitCandidates::Only(FitFamily::kLA).With(FitFamily::kW);
  set.firstStride = 29;
  set.beamStride = 5;
  set.lobeStride = 45;
  set.zStride = 33;
  std::mt19937 random(21);
  const FitColumn plane = RealisticPlane("060LA10", 3590, {}, random);
  const auto domain = fit::Domain::kDecibel;
  const auto measured = fit::MeasuredTwice(plane, domain);
  double best = INFINITY;
  std::vector<std::string> codes;
  for (int n : fit::FirstNumbers(FitFamily::kLA, set))
    for (int z : fit::SecondNumbers(set)) codes.push_back(fit::CandidateCode({4, n, 0, 0, z, 0}));
  for (int d : fit::BeamIndices(set))
    for (int lobe : fit::LobeHalfAngles(set))
      for (int letter = 0; letter < 9; ++letter)
        for (int z : fit::SecondNumbers(set))
          codes.push_back(fit::CandidateCode({11, d, lobe, letter, z, 0}));
  for (const std::string& code : codes) {
    std::vector<float> curve(fit::kTenths);
    for (int t = 0; t < fit::kTenths; ++t)
      curve[static_cast<std::size_t>(t)] = ANT93(code, fit::AngleOfTenths(t), kDecibel);
    for (int a = 0; a < fit::kTenths; ++a) {
      double sum = 0;
      for (int i = 0; i < fit::kSamples; ++i) {
        const double d =
            static_cast<double>(measured[static_cast<std::size_t>(i)]) -
            curve[static_cast<std::size_t>((10 * i - a + fit::kTenths) % fit::kTenths)];
        sum += d * d;
      }
      best = std::min(best, sum);
    }
  }
  const ReferenceFit reference = FindBestFitsReference({plane}, FitCriterion::kDb, set)[0];
  EXPECT_NEAR(reference.criterionError, std::sqrt(best / fit::kSamples), 1e-9);
  EXPECT_NEAR(
      FindBestFit(plane, FitPlane::kHorizontal, FitCriterion::kDb, set).figures.criterionError,
      std::sqrt(best / fit::kSamples), 1e-6);
}

}  // namespace
}  // namespace lobrix
