// ANT93 and ANT3D over arrays beside the one-value functions: every family over -360..360
// degrees in 0.01 degree steps equal to the last bit but for at most one value in 10000, and
// never more than one float unit apart; the failure values, angles outside the vector range,
// and results written over their own input.
#include "model/pattern_arrays.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "model/antenna_pattern.h"

namespace lobrix {
namespace {

// Every family, with the ends of the first number's range and envelopes on and off.
constexpr const char* kCodes[] = {
    "000ND00", "123ND45", "001EA00", "030EA10", "065EA00", "001EB00", "030EB05", "079EB00",
    "001EC00", "030EC00", "096EC10", "001DE00", "030DE00", "065DE20", "001LA00", "060LA10",
    "120LA00", "000KA00", "050KA10", "100KA00", "000CA00", "050CA00", "050CB05", "000CC00",
    "050CC00", "001TA00", "100TA00", "300TA00", "890TA10", "120PA05", "001PZ00", "510VE00",
    "000VA00", "999VA99", "099VI00", "015WB35", "510WE12", "999WI99",
};

// Distance in float units of the last place; bit patterns of one sign are ordered like values.
std::int64_t UlpDistance(float a, float b) {
  std::int32_t ia, ib;
  std::memcpy(&ia, &a, sizeof ia);
  std::memcpy(&ib, &b, sizeof ib);
  if ((ia < 0) != (ib < 0)) return a == b ? 1 : std::numeric_limits<std::int64_t>::max();
  return std::llabs(static_cast<std::int64_t>(ia) - ib);
}

struct Agreement {
  std::size_t values = 0, equal = 0;
  std::int64_t largest = 0;
  std::string worst;

  // `where` names the value; called only for a value that differs.
  template <class Where>
  void Add(float many, float one, const Where& where) {
    ++values;
    const std::int64_t d = UlpDistance(many, one);
    if (d == 0 && std::signbit(many) == std::signbit(one)) {
      ++equal;
    } else if (d >= largest) {
      largest = d;
      worst = where() + ": " + std::to_string(many) + " against " + std::to_string(one);
    }
  }
  void Expect() const {
    EXPECT_LE(largest, 1) << worst;
    EXPECT_GE(static_cast<double>(equal), 0.9999 * static_cast<double>(values)) << worst;
    std::printf("%zu of %zu values equal to the last bit, the others %lld unit apart\n", equal,
                values, static_cast<long long>(largest));
  }
};

std::vector<float> SweepAngles() {
  std::vector<float> angles;
  for (int i = -36000; i <= 36000; ++i) angles.push_back(static_cast<float>(i) / 100.0f);
  return angles;
}

TEST(Ant93Many, EqualsAnt93OnEveryFamily) {
  const std::vector<float> angles = SweepAngles();
  std::vector<float> out(angles.size());
  Agreement agreement;
  for (const char* code : kCodes) {
    for (int mode : {kRelativeField, kDecibel}) {
      ASSERT_TRUE(Ant93Many(code, angles, mode, out)) << code;
      for (std::size_t i = 0; i < angles.size(); ++i) {
        agreement.Add(out[i], ANT93(code, angles[i], mode), [&] {
          return std::string(code) + " at " + std::to_string(angles[i]) + " mode " +
                 std::to_string(mode);
        });
      }
    }
  }
  agreement.Expect();
}

TEST(Ant93Many, FailureValuesAndAnglesOutsideTheVectorRange) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  // Beyond a million degrees the values come from ANT93 itself; they must still be its own.
  const std::vector<float> angles = {nan, -inf, 30.0f, inf, 1.5e6f, -3e7f, 3e38f, 0.0f};
  for (const char* code : {"030EA10", "100TA00", "060LA10", "510WE12", "000ND00"}) {
    std::vector<float> out(angles.size());
    ASSERT_TRUE(Ant93Many(code, angles, kDecibel, out));
    for (std::size_t i = 0; i < angles.size(); ++i) {
      EXPECT_EQ(out[i], ANT93(code, angles[i], kDecibel)) << code << " at " << angles[i];
    }
    EXPECT_EQ(out[0], -1.0f);
  }
  for (const char* code : {"066EA00", "510VJ00", "", "030ea10"}) {
    std::vector<float> out(angles.size(), 5.0f);
    EXPECT_FALSE(Ant93Many(code, angles, kRelativeField, out)) << code;
    for (float v : out) EXPECT_EQ(v, -1.0f) << code;
  }
}

TEST(Ant93Many, WritesOverItsOwnInput) {
  // More than one block of the implementation, with an angle it hands to ANT93.
  std::vector<float> angles(1000);
  for (std::size_t i = 0; i < angles.size(); ++i) angles[i] = static_cast<float>(i) * 0.7f - 350;
  angles[777] = 2e6f;
  std::vector<float> values = angles;
  ASSERT_TRUE(Ant93Many("030EB05", values, kDecibel, values));
  for (std::size_t i = 0; i < angles.size(); ++i) {
    EXPECT_EQ(values[i], ANT93("030EB05", angles[i], kDecibel)) << angles[i];
  }
}

// Pairs for every way the vertical code enters: electrical tilt (TA), built-in downtilt (P) and
// mechanical elevation, with back radiation below, equal to and above the vertical code's.
constexpr const char* kPairs[][2] = {
    {"030EA10", "100TA00"}, {"000ND00", "300TA05"}, {"510VE00", "120PA05"},
    {"030EA10", "050PZ00"}, {"030EA10", "020EA10"}, {"000ND00", "510VE00"},
    {"050KA10", "030EC00"}, {"060LA10", "015WB35"}, {"030EB05", "020DE00"},
};

TEST(Ant3dMany, EqualsAnt3dOnEveryKindOfVerticalCode) {
  // Azimuths round the circle at every whole elevation, the planes of the beam (where the
  // combination takes its shortcuts) included.
  std::vector<float> az, el;
  for (int e = -90; e <= 90; ++e) {
    for (int a = 0; a < 360; a += 3) {
      az.push_back(static_cast<float>(a) + 0.25f * static_cast<float>(e % 4));
      el.push_back(static_cast<float>(e));
    }
  }
  std::vector<float> out(az.size());
  Agreement agreement;
  for (const auto& pair : kPairs) {
    for (const float elMax : {0.0f, -7.5f}) {
      for (int mode : {kRelativeField, 1, kDecibel}) {
        ASSERT_TRUE(Ant3dMany(pair[0], az, 30.0f, pair[1], el, elMax, mode, out));
        for (std::size_t i = 0; i < az.size(); ++i) {
          agreement.Add(out[i], ANT3D(pair[0], az[i], 30.0f, pair[1], el[i], elMax, mode), [&] {
            return std::string(pair[0]) + " " + pair[1] + " az " + std::to_string(az[i]) + " el " +
                   std::to_string(el[i]) + " elMax " + std::to_string(elMax) + " mode " +
                   std::to_string(mode);
          });
        }
      }
    }
  }
  agreement.Expect();
}

TEST(Ant3dMany, FailureValuesAndOwnInput) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  std::vector<float> az = {0.0f, nan, 3e38f, 10.0f, 100.0f};
  std::vector<float> el = {0.0f, 0.0f, 0.0f, inf, -30.0f};
  for (const auto& pair : kPairs) {
    std::vector<float> out(az.size());
    ASSERT_TRUE(Ant3dMany(pair[0], az, -3e38f, pair[1], el, 5.0f, kDecibel, out));
    for (std::size_t i = 0; i < az.size(); ++i) {
      EXPECT_EQ(out[i], ANT3D(pair[0], az[i], -3e38f, pair[1], el[i], 5.0f, kDecibel))
          << pair[0] << " " << pair[1] << " direction " << i;
    }
    // Written over the elevations it reads.
    std::vector<float> values = el;
    ASSERT_TRUE(Ant3dMany(pair[0], az, 300.0f, pair[1], values, -5.0f, kDecibel, values));
    for (std::size_t i = 0; i < az.size(); ++i) {
      EXPECT_EQ(values[i], ANT3D(pair[0], az[i], 300.0f, pair[1], el[i], -5.0f, kDecibel));
    }
  }
  // An invalid code, and a P downtilt of 90 degrees (valid, but no pattern in space).
  for (const auto& pair : {std::array<const char*, 2>{"066EA00", "100TA00"},
                           std::array<const char*, 2>{"030EA10", "510VJ00"},
                           std::array<const char*, 2>{"030EA10", "120P\23305"}}) {
    std::vector<float> out(az.size(), 5.0f);
    EXPECT_FALSE(Ant3dMany(pair[0], az, 0.0f, pair[1], el, 0.0f, kDecibel, out));
    for (float v : out) EXPECT_EQ(v, -1.0f) << pair[0] << " " << pair[1];
  }
}

}  // namespace
}  // namespace lobrix
