// ANT3D and its two steps: the turn into the antenna frame and the combination of the planes.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "model/antenna_pattern.h"

namespace lobrix {
namespace {

constexpr double kRad = 3.14159265358979323846 / 180;

// The direction (az, el) turned into the frame of a beam at (azMax, elMax) by rotating its
// unit vector: first about the vertical by -azMax, then about the new y axis by -elMax.
AntennaAngles RotateIntoBeamFrame(double az, double azMax, double el, double elMax) {
  const double a = (az - azMax) * kRad, e = el * kRad, t = elMax * kRad;
  const double x = std::cos(e) * std::cos(a), y = std::cos(e) * std::sin(a), z = std::sin(e);
  const double xb = x * std::cos(t) + z * std::sin(t);
  const double zb = -x * std::sin(t) + z * std::cos(t);
  return {static_cast<float>(std::atan2(y, xb) / kRad),
          static_cast<float>(std::asin(std::max(-1.0, std::min(1.0, zb))) / kRad)};
}

double AzimuthGap(double a, double b) {
  const double d = std::fmod(std::fabs(a - b), 360.0);
  return std::min(d, 360 - d);
}

TEST(ToAntennaAngles, PublishedDirections) {
  const struct {
    float az, azMax, el, elMax, antennaAz, antennaEl;
  } cases[] = {{30, 0, 0, 10, 30.38f, -8.65f},
               {180, 0, 20, 10, 180, 30},
               {10, 300, 5, 0, 70, 5},
               {90, 0, 0, 90, 90, 0},
               // Just past the beam's vertical plane behind the antenna: above it, not below.
               {180, 1e-6f, 1, 30, 180, 31}};
  for (const auto& c : cases) {
    const AntennaAngles got = ToAntennaAngles(c.az, c.azMax, c.el, c.elMax);
    EXPECT_NEAR(AzimuthGap(got.azimuth, c.antennaAz), 0, 0.006) << c.az << " " << c.el;
    EXPECT_NEAR(got.elevation, c.antennaEl, 0.006) << c.az << " " << c.el;
  }
}

TEST(ToAntennaAngles, AgreesWithRotationOfTheDirectionVector) {
  std::mt19937 random(5);
  std::uniform_real_distribution<> azimuth(0, 360), elevation(-89.9, 89.9);
  for (int i = 0; i < 20000; ++i) {
    const auto az = static_cast<float>(azimuth(random));
    const auto azMax = static_cast<float>(azimuth(random));
    const auto el = static_cast<float>(elevation(random));
    const auto elMax = static_cast<float>(elevation(random));
    const AntennaAngles got = ToAntennaAngles(az, azMax, el, elMax);
    const AntennaAngles want = RotateIntoBeamFrame(az, azMax, el, elMax);
    ASSERT_NEAR(got.elevation, want.elevation, 1e-3) << az << " " << azMax << " " << el << " " << elMax;
    if (std::fabs(want.elevation) < 89.9) {
      ASSERT_NEAR(AzimuthGap(got.azimuth, want.azimuth), 0, 1e-2)
          << az << " " << azMax << " " << el << " " << elMax;
    }
    ASSERT_GE(got.azimuth, -180.0f);
    ASSERT_LE(got.azimuth, 180.0f);
  }
}

TEST(Ant3D, PublishedValues) {
  // TA vertical code: no horizontal influence at the zenith, 0 dB on the tilted beam.
  EXPECT_FLOAT_EQ(ANT3D("030EB10", 77, 0, "100TA00", 90, -5, kDecibel),
                  ANT3D("000ND00", 77, 0, "100TA00", 90, -5, kDecibel));
  EXPECT_NEAR(ANT3D("030EB10", 40, 40, "100TA00", -5, -5, kDecibel), 0, 1e-6);
  // Omnidirectional horizontal code raises the vertical back lobe towards the front lobe.
  EXPECT_NEAR(ANT3D("000ND00", 180, 0, "510VE00", 10, 0, kDecibel), 0.23, 0.005);
  // The mended frame turn behind the antenna: the same as with azMax = 0.
  EXPECT_NEAR(ANT3D("000ND00", 180, 1e-6f, "120PJ10", 1, 30, kDecibel), 20.0, 0.005);
  EXPECT_NEAR(ANT3D("000ND00", 180, 0, "120PJ10", 1, 30, kDecibel), 20.0, 0.005);
}

TEST(Ant3D, AzimuthDifferenceIsFoldedInEveryBranch) {
  for (const char* vcode : {"100TA00", "120PA05", "510VE00"}) {
    EXPECT_FLOAT_EQ(ANT3D("030EA05", 10, 300, vcode, 0, 0, kRelativeField),
                    ANT3D("030EA05", 70, 0, vcode, 0, 0, kRelativeField))
        << vcode;
  }
  EXPECT_FLOAT_EQ(ANT3D("030EA05", 10, 300, "510VE00", 0, 0, kRelativeField),
                  ANT93("030EA05", 70, kRelativeField));
}

// One direction, one value: the azimuth written with any number of whole turns (angles that
// are exact in binary, so the turns come off exactly). The values without turns are the
// reference: within one and a half turns they are what they always were.
TEST(Ant3D, WholeTurnsOfTheAzimuthGiveTheSameValue) {
  const struct {
    const char* hcode;
    const char* vcode;
    float el, elMax;
  } cases[] = {
      {"050LA10", "029VA00", 7.75f, 0},  {"050LA10", "029VA00", 7.75f, 6.5f},
      {"050LA10", "100TA00", 7.75f, -3}, {"050LA10", "120PA05", 7.75f, 2},
      {"030EB10", "030EA10", -4.5f, 0},  {"072WA09", "510VE00", 12.25f, 10},
  };
  for (const auto& c : cases) {
    for (const float az : {4.25f, 170.5f, 250.0f}) {
      const float once = ANT3D(c.hcode, az, 343.375f, c.vcode, c.el, c.elMax, kDecibel);
      for (const float turns : {-3.0f, -2.0f, -1.0f, 1.0f, 2.0f, 5.0f}) {
        EXPECT_FLOAT_EQ(
            ANT3D(c.hcode, az + 360 * turns, 343.375f, c.vcode, c.el, c.elMax, kDecibel), once)
            << c.hcode << " " << c.vcode << " az " << az << " turns " << turns;
        EXPECT_FLOAT_EQ(
            ANT3D(c.hcode, az, 343.375f - 360 * turns, c.vcode, c.el, c.elMax, kDecibel), once)
            << c.hcode << " " << c.vcode << " azMax turned " << turns;
      }
    }
  }
  // The direction of the fault found by hand: 4.35 and -355.65 were 1.01 and 20.83 dB apart.
  EXPECT_NEAR(ANT3D("050LA10", -355.65f, 343.37f, "029VA00", 7.8f, 0, kDecibel),
              ANT3D("050LA10", 4.35f, 343.37f, "029VA00", 7.8f, 0, kDecibel), 1e-3);
}

// Every positive mode is dB and every other one the relative field, in each branch and on the
// mechanical shortcuts (on the horizon, and towards the beam's azimuth) alike.
TEST(Ant3D, EveryPositiveModeIsDecibels) {
  const struct {
    const char* vcode;
    float az, el, elMax;
  } cases[] = {
      {"510VE00", 30, 0, 0},   // the horizon: the horizontal code alone
      {"510VE00", 0, 12, 0},   // the beam's azimuth: the vertical code alone
      {"510VE00", 30, 12, 5},  // the general mechanical case
      {"100TA00", 30, 12, -3}, {"120PA05", 30, 12, 0},
  };
  for (const auto& c : cases) {
    const float db = ANT3D("030EA10", c.az, 0, c.vcode, c.el, c.elMax, kDecibel);
    const float field = ANT3D("030EA10", c.az, 0, c.vcode, c.el, c.elMax, kRelativeField);
    ASSERT_GT(db, 0.1f) << c.vcode;
    EXPECT_FLOAT_EQ(-20 * std::log10(field), db) << c.vcode;
    for (const int mode : {1, 3, 1000}) {
      EXPECT_EQ(ANT3D("030EA10", c.az, 0, c.vcode, c.el, c.elMax, mode), db)
          << c.vcode << " mode " << mode;
    }
    EXPECT_EQ(ANT3D("030EA10", c.az, 0, c.vcode, c.el, c.elMax, -1), field) << c.vcode;
  }
}

TEST(Ant3D, MechanicalCaseReducesToThePlanes) {
  std::mt19937 random(9);
  for (int i = 0; i < 500; ++i) {
    const auto az = static_cast<float>(std::uniform_real_distribution<>(0, 360)(random));
    const auto azMax = static_cast<float>(std::uniform_real_distribution<>(0, 360)(random));
    const auto el = static_cast<float>(std::uniform_real_distribution<>(-90, 90)(random));
    // On the horizon with no elevation: the horizontal pattern at az - azMax.
    double diff = static_cast<double>(az) - azMax;  // the frame turn works in double
    if (diff > 180) diff -= 360;
    if (diff < -180) diff += 360;
    ASSERT_FLOAT_EQ(ANT3D("045EB05", az, azMax, "510VE00", 0, 0, kDecibel),
                    ANT93("045EB05", static_cast<float>(diff), kDecibel));
    // Towards the beam's azimuth: the vertical pattern at -el, unchanged.
    ASSERT_FLOAT_EQ(ANT3D("045EB05", azMax, azMax, "510VE00", el, 0, kDecibel),
                    ANT93("510VE00", -el, kDecibel));
  }
}

TEST(Ant3D, FailureValues) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  for (const char* vcode : {"100TA00", "120PA05", "510VE00"}) {
    EXPECT_EQ(ANT3D("066EA00", 10, 0, vcode, 5, 0, kDecibel), -1.0f) << vcode;
    EXPECT_EQ(ANT3D("030EA00", nan, 0, vcode, 5, 0, kDecibel), -1.0f) << vcode;
    EXPECT_EQ(ANT3D("030EA00", 10, inf, vcode, 5, 0, kDecibel), -1.0f) << vcode;
    EXPECT_EQ(ANT3D("030EA00", 10, 0, vcode, -inf, 0, kDecibel), -1.0f) << vcode;
    EXPECT_EQ(ANT3D("030EA00", 10, 0, vcode, 5, nan, kDecibel), -1.0f) << vcode;
  }
  EXPECT_EQ(ANT3D("030EA00", 10, 0, "891TA00", 5, 0, kDecibel), -1.0f);
  EXPECT_EQ(ANT3D("030EA00", 10, 0, "510VJ00", 5, 0, kDecibel), -1.0f);
  // A P code needs its downtilt letter, and a downtilt below 90 degrees.
  EXPECT_EQ(ANT3D("030EA00", 10, 0, "120P", 5, 0, kDecibel), -1.0f);
  EXPECT_EQ(ANT3D("030EA00", 10, 0, "120P\xB0" "00", 5, 0, kDecibel), -1.0f);
  EXPECT_EQ(ANT3D("030EA00", 10, 0, "120P\x9B" "00", 5, 0, kDecibel), -1.0f);  // exactly 90
  EXPECT_GT(ANT3D("030EA00", 10, 0, "120P\x9A" "00", 5, 0, kDecibel), 0.0f);   // 89 degrees
}

// Random valid pairs in random directions: always a value in range, never NaN.
TEST(Ant3D, AlwaysInRange) {
  std::mt19937 random(3);
  const char* hcodes[] = {"000ND00", "030EA10", "065DE00", "079EB05", "120LA00", "100KA00",
                          "030CB00", "001TA00", "890TA00", "999VI99", "510WE35"};
  const char* vcodes[] = {"100TA00", "001TA00", "120PA05", "120PZ00", "010EA00", "510VE00",
                          "000ND00", "030KA00", "999WA00", "060LA10"};
  std::uniform_real_distribution<> azimuth(-360, 360), elevation(-90, 90);
  for (int i = 0; i < 20000; ++i) {
    const char* h = hcodes[random() % std::size(hcodes)];
    const char* v = vcodes[random() % std::size(vcodes)];
    const auto az = static_cast<float>(azimuth(random));
    const auto azMax = static_cast<float>(azimuth(random));
    const auto el = static_cast<float>(elevation(random));
    const auto elMax = static_cast<float>(elevation(random));
    const float f = ANT3D(h, az, azMax, v, el, elMax, kRelativeField);
    const float db = ANT3D(h, az, azMax, v, el, elMax, kDecibel);
    ASSERT_TRUE(f >= 0.01f && f <= 1.0f) << h << " " << v << " " << az << " " << azMax << " "
                                         << el << " " << elMax << " -> " << f;
    ASSERT_TRUE(db >= 0.0f && db <= 40.0f) << h << " " << v << " -> " << db;
  }
}

}  // namespace
}  // namespace lobrix
