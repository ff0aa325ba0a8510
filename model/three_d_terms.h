// The steps of ANT3D after its single-plane values are known: how each kind of vertical code
// combines the horizontal and vertical fields. ANT3D computes those fields one at a time, its
// array form (three_d_arrays.cpp) for many directions at once; both then run these functions.
#pragma once

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <string_view>

#include "model/code_fields.h"
#include "model/pattern_math.h"

namespace lobrix {

// An angle difference beyond one and a half turns loses its whole turns first (exactly:
// fmod does not round), so that one direction gives one value however many turns its angles
// hold; within one and a half turns the angle is left as it is, and every value stays as it
// was. A difference beyond the float range is no direction: it stays, and gives the failure
// value.
template <typename Angle>
Angle WithoutWholeTurns(Angle a) {
  constexpr auto kLargestFloat = static_cast<Angle>(std::numeric_limits<float>::max());
  return std::fabs(a) > 540 && std::fabs(a) <= kLargestFloat ? std::fmod(a, Angle{360}) : a;
}

// An azimuth difference in -180..180.
template <typename Angle>
Angle FoldAzimuth(Angle a) {
  a = WithoutWholeTurns(a);
  if (a > 180) return a - 360;
  if (a < -180) return a + 360;
  return a;
}

// Relative field to the result of ANT3D: any positive mode is dB. Math: pattern_math.h.
template <class Math = LibraryMath>
float SpaceResult(float field, int mode) {
  return mode > 0 ? ToDecibel<Math>(field) : field;
}

// Electrical tilt (TA): the horizontal field h fades out towards the zenith and the nadir
// (the weight is cos^2 of the elevation el itself); v is the vertical field.
template <class Math = LibraryMath>
float TiltedField(float h, float v, float el) {
  const auto w = static_cast<float>((CosDeg<Math>(2.0 * el) + 1.0) / 2.0);
  return std::max(static_cast<float>(F(v) * (F(w) * h + (1.0 - w))), 0.01f);
}

// Built-in downtilt (P): the downtilt in degrees from position 5 (A = 0 .. Z = 25). None for a
// missing letter or a tilt of 90 degrees or more, where the scaling below would divide by zero
// or turn over: such a code has no pattern in space.
inline std::optional<int> DowntiltOf(std::string_view vcode) {
  const int letter = CodeByte(vcode, 5);
  const int tilt = letter - 'A';
  if (letter == 0 || (90.0 - tilt) / 90.0 <= 0) return std::nullopt;
  return tilt;
}

// The P combination: h the horizontal field, v the vertical field at the antenna elevation
// plus the tilt (e1), z the envelope radius of positions 6-7.
template <class Math = LibraryMath>
float DowntiltField(float h, float v, float e1, int tilt, int z) {
  const auto s = static_cast<float>((90.0 - tilt) / 90.0);
  const auto e2 = static_cast<float>(e1 > 0 ? F(e1) * s : F(e1) / s);
  const auto w = static_cast<float>(Math::Pow((CosDeg<Math>(2.0 * e2) + 1.0) / 2.0, 6));
  const auto envelope = static_cast<float>(z * (F(w) * h + (1.0 - w)) / 100.0);
  return std::max(std::max(static_cast<float>(F(v) * h), envelope), 0.01f);
}

// The single-plane fields the mechanical combination reads, all valid (0.01 .. 1).
struct PlaneFields {
  float hf;   // horizontal code at the antenna azimuth a
  float hb;   // horizontal code at 180 (its back radiation)
  float vf;   // vertical code at -e (front)
  float vb;   // vertical code at 180 + e (back)
  float vbk;  // vertical code at 180
};

// Mechanical elevation away from the beam's planes (a and e both non-zero): the vertical back
// lobe matched to the horizontal back radiation, then front and back weighted by the
// horizontal pattern.
inline float CombinedField(PlaneFields p, float a, float e) {
  const auto se = static_cast<float>(SinDeg(e));
  const auto ce = static_cast<float>(CosDeg(e));
  float vb = p.vb;
  // Back-lobe matching: the vertical back lobe follows the horizontal back radiation.
  if (p.hb < p.vbk) {
    vb = static_cast<float>(F(vb) * std::sqrt(F(se) * se + std::pow(F(ce) * p.hb / p.vbk, 2)));
    vb = std::max(vb, 0.01f);
  } else if (p.hb > p.vbk && p.vf > vb) {
    vb = static_cast<float>(F(vb) + (F(p.vf) - vb) * (F(p.hb) - p.vbk) / (1.0 - p.vbk));
    vb = std::min(vb, 1.0f);
  }

  // Weight of the back (0 front, 1 back), judged by the horizontal pattern.
  const auto angleWeight = static_cast<float>(std::fabs(F(a)) / 180.0);
  float w;
  if (p.hb == 1) {
    w = angleWeight;
  } else {
    const float fieldWeight = std::min(1.0f, static_cast<float>((1.0 - p.hf) / (1.0 - p.hb)));
    if (p.hb < 0.9f) {
      w = fieldWeight;
    } else {
      const float k = std::min(1.0f, static_cast<float>((1.0 - p.hb) / F(0.1f)));
      w = static_cast<float>(F(angleWeight) * (1.0 - k) + F(fieldWeight) * k);
    }
  }
  const float vm = ClampField(static_cast<float>(F(vb) * w + F(p.vf) * (1.0 - w)));
  const float hm = ClampField(static_cast<float>(F(p.hb) * w + (1.0 - w)));
  const auto q = static_cast<float>(F(p.hf) / hm);
  if (q == 1) return vm;
  return ClampField(static_cast<float>(F(vm) * std::sqrt(F(se) * se + std::pow(F(ce) * q, 2))));
}

}  // namespace lobrix
