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
