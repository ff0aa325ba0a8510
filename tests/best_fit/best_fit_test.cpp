// Best-fit search: the envelope identity both searches stand on, the figures of one code and
// direction, round trips of exact planes, the envelope criterion and determinism.
#include "best_fit/best_fit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <tuple>

#include "best_fit/candidates.h"
#include "model/antenna_pattern.h"
#include "tests/best_fit/best_fit_patterns.h"

namespace lobrix {
namespace {

using testing::PlaneOfCode;

// Every code is its base (second number 00) cut by its envelope level, exactly, in dB and in
// relative field: the searches evaluate whole envelope families from one base curve.
TEST(BestFitEnvelope, CodeIsBaseCutByItsLevel) {
  const char* codes[] = {"030EA37", "012EB21", "090EC55", "045DE08", "060LA10", "120LA99",
                         "035KA60", "020CA45", "070CB81", "010CC99", "510VE33", "099VA01",
                         "937VI70", "420WB57", "099WA00", "512WI99"};
  for (const char* code : codes) {
    std::string base(code);
    base[5] = base[6] = '0';
    if (base[3] == 'W') base[3] = 'V';
    const int z = (code[5] - '0') * 10 + (code[6] - '0');
    const int lobe = (code[1] - '0') * 10 + (code[2] - '0');
    for (auto domain : {fit::Domain::kDecibel, fit::Domain::kNegativeField}) {
      for (int t = 0; t < fit::kTenths; ++t) {
        const float angle = fit::AngleOfTenths(t);
        float level = fit::EnvelopeLevel(z, domain);
        if (code[3] == 'W')
          level = fit::InnerRegion(t, lobe) ? fit::InnerLevel(z % 10, domain)
                                            : fit::OuterLevel(z / 10, domain);
        const float viaBase =
            std::min(fit::DomainOfField(ANT93(base, angle, kRelativeField), domain), level);
        const float direct = fit::DomainOfField(ANT93(code, angle, kRelativeField), domain);
        ASSERT_EQ(viaBase, direct) << code << " at " << angle;
      }
    }
  }
}

TEST(BestFitScore, FlatPlaneAgainstOmnidirectionalCode) {
  FitColumn half;
  half.fill(0.5f);
  half[200] = 0.25f;
  const FitFigures db = ScoreFit(half, "000ND00", 0.0f, FitCriterion::kDb);
  // 359 samples 6.0206 dB below the code, one 12.0412 dB below.
  const double a = 20 * std::log10(2.0), b = 20 * std::log10(4.0);
  EXPECT_NEAR(db.rmsDb, std::sqrt((359 * a * a + b * b) / 360), 1e-5);
  EXPECT_NEAR(db.criterionError, db.rmsDb, 1e-12);
  EXPECT_NEAR(db.largestDeviationDb, -b, 1e-5);
  EXPECT_EQ(db.largestDeviationAngle, 200);
  EXPECT_NEAR(db.largestExcessDb, -a, 1e-5);
  EXPECT_TRUE(db.envelopeHolds);
  const FitFigures field = ScoreFit(half, "000ND00", 0.0f, FitCriterion::kField);
  EXPECT_NEAR(field.criterionError, 359 * 0.25 + 0.75 * 0.75, 1e-5);
}

TEST(BestFitScore, ExactPlaneScoresZeroOnAndOffTheGrid) {
  const FitColumn onGrid = PlaneOfCode("030EA10", 3585);  // 358.5 degrees
  for (float direction : {358.5f, -1.5f}) {
    const FitFigures f = ScoreFit(onGrid, "030EA10", direction, FitCriterion::kDb);
    EXPECT_EQ(f.rmsDb, 0.0) << direction;
    EXPECT_EQ(f.largestDeviationDb, 0.0f);
  }
  // An azimuth off the grid, as the classic conversion's offsets give: i - a in single
  // precision, folded.
  FitColumn offGrid{};
  const float azimuth = 355.55f;  // near 360: unfolded, LA would see angles down to -355
  for (int i = 0; i < 360; ++i) {
    float d = static_cast<float>(i) - azimuth;
    if (d < -180.0f) d += 360.0f;
    if (d > 180.0f) d -= 360.0f;
    offGrid[static_cast<std::size_t>(i)] = ANT93("060LA00", d, kRelativeField);
  }
  EXPECT_EQ(ScoreFit(offGrid, "060LA00", azimuth, FitCriterion::kField).criterionError, 0.0);
  EXPECT_GT(ScoreFit(offGrid, "060LA00", 355.5f, FitCriterion::kDb).rmsDb, 0.01);
}

TEST(BestFitScore, InvalidCodeOrDirectionGivesNaN) {
  FitColumn e;
  e.fill(1.0f);
  EXPECT_TRUE(std::isnan(ScoreFit(e, "066EA00", 0, FitCriterion::kDb).rmsDb));
  EXPECT_TRUE(std::isnan(ScoreFit(e, "030EA1", 0, FitCriterion::kDb).criterionError));
  EXPECT_TRUE(std::isnan(ScoreFit(e, "030EA10", NAN, FitCriterion::kDb).rmsDb));
}

TEST(BestFitScore, UnusableMeasuredValuesCountAsFortyDecibels) {
  FitColumn clean = PlaneOfCode("030EA10", 900);
  FitColumn broken = clean;
  for (std::size_t i : {3u, 4u, 5u, 6u, 7u}) clean[i] = 0.01f;
  broken[3] = NAN;
  broken[4] = INFINITY;
  broken[5] = 0.0f;
  broken[6] = -0.5f;
  broken[7] = 1e-9f;  // far below the floor
  const FitFigures a = ScoreFit(clean, "045EB00", 80.0f, FitCriterion::kDb);
  const FitFigures b = ScoreFit(broken, "045EB00", 80.0f, FitCriterion::kDb);
  EXPECT_EQ(a.rmsDb, b.rmsDb);
  EXPECT_EQ(a.largestExcessDb, b.largestExcessDb);
}

struct RoundTrip {
  const char* code;
  int tenths;
};

// Codes whose curves no other candidate of equal or earlier order repeats, inside the sample
// set (V/W lobe half-angles in steps of 3, second numbers in steps of 11); directions inside
// the code's own period (DE and CA repeat every 180 degrees, CB every 120, CC every 90).
const RoundTrip kRoundTrips[] = {
    {"000ND00", 0},    {"030EA11", 453},  {"033EB00", 1207}, {"055EC00", 3599}, {"060LA00", 3590},
    {"030LA11", 3500}, {"035KA66", 2000}, {"045DE22", 1234}, {"020CA44", 901},  {"070CB88", 17},
    {"030CC55", 455},  {"512VE33", 2718}, {"860WB88", 3333}, {"324VC00", 5},
};

class BestFitRoundTrip : public ::testing::TestWithParam<std::tuple<RoundTrip, FitCriterion>> {};

TEST_P(BestFitRoundTrip, ExactPlaneComesBackAsItsCodeAndDirection) {
  const auto [trip, criterion] = GetParam();
  const FitColumn e = PlaneOfCode(trip.code, trip.tenths);
  const FitResult r = FindBestFit(e, FitPlane::kHorizontal, criterion, FitCandidates::Sample());
  ASSERT_TRUE(r.found);
  EXPECT_EQ(r.code, trip.code);
  EXPECT_FLOAT_EQ(r.direction, static_cast<float>(trip.tenths / 10.0));
  EXPECT_NEAR(r.figures.criterionError, 0.0, 1e-6);
  EXPECT_NEAR(r.figures.rmsDb, 0.0, 1e-5);
}

INSTANTIATE_TEST_SUITE_P(EveryCriterion, BestFitRoundTrip,
                         ::testing::Combine(::testing::ValuesIn(kRoundTrips),
                                            ::testing::Values(FitCriterion::kDb,
                                                              FitCriterion::kField,
                                                              FitCriterion::kEnvelope)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).code) + "_" +
                                  FitCriterionName(std::get<1>(info.param));
                         });

// The whole candidate set, with digits the sample leaves out.
TEST(BestFitRoundTripAll, WCodeOutsideTheSample) {
  const FitColumn e = PlaneOfCode("137WB97", 1799);
  const FitResult r = FindBestFit(e, FitPlane::kHorizontal, FitCriterion::kDb);
  EXPECT_EQ(r.code, "137WB97");
  EXPECT_FLOAT_EQ(r.direction, 179.9f);
  EXPECT_NEAR(r.figures.rmsDb, 0.0, 1e-5);
}

class BestFitEnvelopeHeld : public ::testing::TestWithParam<const char*> {};

TEST_P(BestFitEnvelopeHeld, NeverUnderEstimatesAndCostsAtLeastTheFreeFit) {
  std::mt19937 random(11);
  const FitColumn e = testing::RealisticPlane(GetParam(), 1500, {}, random);
  const FitResult free =
      FindBestFit(e, FitPlane::kHorizontal, FitCriterion::kDb, FitCandidates::Sample());
  const FitResult held =
      FindBestFit(e, FitPlane::kHorizontal, FitCriterion::kEnvelope, FitCandidates::Sample());
  ASSERT_TRUE(held.found);
  EXPECT_TRUE(held.figures.envelopeHolds);
  EXPECT_LE(held.figures.largestExcessDb, 1.0f);
  EXPECT_GE(held.figures.rmsDb, free.figures.rmsDb * (1 - 1e-9));
}

INSTANTIATE_TEST_SUITE_P(Codes, BestFitEnvelopeHeld,
                         ::testing::Values("030EA10", "065EB00", "840VE00"));

TEST(BestFitEnvelope, NoneQualifiesWhenThePlaneRisesAboveItsMaximum) {
  FitColumn e = PlaneOfCode("030EA10", 0);
  e[90] = 1.2f;  // -1.58 dB: every code is more than 1 dB more attenuated there
  const FitResult r = FindBestFit(e, FitPlane::kVertical, FitCriterion::kEnvelope);
  EXPECT_FALSE(r.found);
  EXPECT_TRUE(r.code.empty());
  // The other criteria still give a fit.
  EXPECT_TRUE(
      FindBestFit(e, FitPlane::kVertical, FitCriterion::kDb, FitCandidates::Sample()).found);
}

TEST(BestFitSearch, SameResultOnOneThreadAndOnTwo) {
  std::mt19937 random(5);
  const FitColumn e = testing::RealisticPlane("632WD35", 600, {}, random);
  const FitResult one =
      FindBestFit(e, FitPlane::kHorizontal, FitCriterion::kDb, FitCandidates::Sample(), 1);
  const FitResult two =
      FindBestFit(e, FitPlane::kHorizontal, FitCriterion::kDb, FitCandidates::Sample(), 2);
  EXPECT_EQ(one.code, two.code);
  EXPECT_EQ(one.direction, two.direction);
  EXPECT_EQ(one.figures.criterionError, two.figures.criterionError);
}

TEST(BestFitSearch, FiguresAreTheScoreOfTheResult) {
  std::mt19937 random(9);
  const FitColumn e = testing::RealisticPlane("045KA20", 2222, {}, random);
  for (auto criterion : {FitCriterion::kDb, FitCriterion::kField}) {
    const FitResult r = FindBestFit(e, FitPlane::kHorizontal, criterion, FitCandidates::Sample());
    const FitFigures s = ScoreFit(e, r.code, r.direction, criterion);
    EXPECT_EQ(r.figures.criterionError, s.criterionError);
    EXPECT_EQ(r.figures.largestDeviationAngle, s.largestDeviationAngle);
  }
}

TEST(BestFitSearch, EmptyCandidateSetFindsNothing) {
  FitColumn e;
  e.fill(1.0f);
  EXPECT_FALSE(FindBestFit(e, FitPlane::kHorizontal, FitCriterion::kDb, FitCandidates{}).found);
}

}  // namespace
}  // namespace lobrix
