// ANT3D: the attenuation of a horizontal/vertical code pair in any direction of space.
//
// The vertical code chooses how elevation enters: TA is an electrical tilt (the same elevation
// of maximum radiation in every azimuth), P a built-in downtilt, every other type a mechanical
// elevation, for which the direction is turned into the antenna's own frame first.
#include <algorithm>
#include <cmath>
#include <limits>

#include "model/antenna_pattern.h"
#include "model/code_fields.h"
#include "model/pattern_math.h"

namespace lobrix {

namespace {

// ToAntennaAngles works in double precision with its own double degree factor.
constexpr double kDegreeD = 3.14159265358979323846 / 180.0;

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

double AtanDeg(double x) { return std::atan(x) / kDegreeD; }

// Rounding to 7 decimals keeps directions on the beam's planes exact (halves to even).
double Round7(double x) { return std::nearbyint(x * 1e7) / 1e7; }

struct BeamAngles {
  double theta;  // angle from the beam axis
  double phi;    // angle around the axis, from the beam's upward side
};

BeamAngles ToBeamAngles(double alpha, double eps, double tau) {
  const double st = std::sin(tau * kDegreeD);
  const double ct = std::cos(tau * kDegreeD);
  if (ct < 1e-15) {  // beam straight up or down
    return {90 - st * eps, FoldAzimuth(st > 0 ? 180 - alpha : alpha)};
  }
  const double ca = std::cos(alpha * kDegreeD);
  if (ca == 1) {
    const double theta = eps - tau;
    return theta < 0 ? BeamAngles{-theta, 180} : BeamAngles{theta, 0};
  }
  if (ca == -1) {
    const double theta = 180 - eps - tau;
    return theta >= 180 ? BeamAngles{360 - theta, 180} : BeamAngles{theta, 0};
  }
  const double se = std::sin(eps * kDegreeD);
  const double c = se * st + std::cos(eps * kDegreeD) * ct * ca;  // cosine to the beam
  const double s2 = 1 - c * c;
  if (s2 <= 0) return {c > 0 ? 0.0 : 180.0, eps < tau ? 180.0 : 0.0};
  const double s = std::sqrt(s2);
  const double theta = 90 - AtanDeg(c / s);
  const double d = (se - c * st) / (s * ct);
  double phi;
  if (1 - d * d > 0) {
    phi = 90 - AtanDeg(d / std::sqrt(1 - d * d));
  } else {
    // Rounding put the direction just past the beam's vertical plane: d = +1 is its upward
    // side, d = -1 its downward side, wherever the direction lies relative to the beam.
    phi = d > 0 ? 0 : 180;
  }
  if (std::sin(alpha * kDegreeD) <= 0) phi = -phi;
  return {theta, phi};
}

}  // namespace

AntennaAngles ToAntennaAngles(float az, float azMax, float el, float elMax) {
  const double alpha = WithoutWholeTurns(F(az) - F(azMax));
  if (elMax == 0) return {static_cast<float>(FoldAzimuth(alpha)), el};

  const BeamAngles beam = ToBeamAngles(alpha, el, elMax);
  const double p = std::sin(beam.theta * kDegreeD);
  const double x = std::cos(beam.phi * kDegreeD) * p;
  const double y2 = 1 - x * x;
  if (y2 <= 1e-14) return {0.0f, x > 0 ? 90.0f : -90.0f};

  const double r = std::sqrt(y2);
  const double elevation = Round7(AtanDeg(x / r));
  const double q = std::sin(beam.phi * kDegreeD) * p / r;
  double azimuth;
  if (1 - q * q > 1e-14) {
    azimuth = Round7(AtanDeg(q / std::sqrt(1 - q * q)));
    if (beam.theta > 90) azimuth = azimuth >= 0 ? 180 - azimuth : -180 - azimuth;
  } else {
    azimuth = q > 0 ? 90 : -90;
  }
  return {static_cast<float>(azimuth), static_cast<float>(elevation)};
}

float CombinePlanes(std::string_view hcode, float a, std::string_view vcode, float e, int mode) {
  // Every positive mode is dB, as in the other branches; ANT93 gives dB only for mode 2.
  const int planeMode = mode > 0 ? kDecibel : kRelativeField;
  // The vertical code is read at -e, so that its positive angles lie below the beam.
  if (e == 0) return ANT93(hcode, a, planeMode);
  if (a == 0) return ANT93(vcode, -e, planeMode);

  const float vf = ANT93(vcode, -e, kRelativeField);
  float vb = ANT93(vcode, 180 + e, kRelativeField);
  const float hb = ANT93(hcode, 180, kRelativeField);
  const float vbk = ANT93(vcode, 180, kRelativeField);
  const float hf = ANT93(hcode, a, kRelativeField);
  if (vf < 0 || vb < 0 || hb < 0 || vbk < 0 || hf < 0) return kInvalidPattern;

  const auto se = static_cast<float>(SinDeg(e));
  const auto ce = static_cast<float>(CosDeg(e));
  // Back-lobe matching: the vertical back lobe follows the horizontal back radiation.
  if (hb < vbk) {
    vb = static_cast<float>(F(vb) * std::sqrt(F(se) * se + std::pow(F(ce) * hb / vbk, 2)));
    vb = std::max(vb, 0.01f);
  } else if (hb > vbk && vf > vb) {
    vb = static_cast<float>(F(vb) + (F(vf) - vb) * (F(hb) - vbk) / (1.0 - vbk));
    vb = std::min(vb, 1.0f);
  }

  // Weight of the back (0 front, 1 back), judged by the horizontal pattern.
  const auto angleWeight = static_cast<float>(std::fabs(F(a)) / 180.0);
  float w;
  if (hb == 1) {
    w = angleWeight;
  } else {
    const float fieldWeight = std::min(1.0f, static_cast<float>((1.0 - hf) / (1.0 - hb)));
    if (hb < 0.9f) {
      w = fieldWeight;
    } else {
      const float k = std::min(1.0f, static_cast<float>((1.0 - hb) / F(0.1f)));
      w = static_cast<float>(F(angleWeight) * (1.0 - k) + F(fieldWeight) * k);
    }
  }
  const float vm = ClampField(static_cast<float>(F(vb) * w + F(vf) * (1.0 - w)));
  const float hm = ClampField(static_cast<float>(F(hb) * w + (1.0 - w)));
  const auto q = static_cast<float>(F(hf) / hm);
  float r = vm;
  if (q != 1) {
    r = ClampField(static_cast<float>(F(vm) * std::sqrt(F(se) * se + std::pow(F(ce) * q, 2))));
  }
  return mode > 0 ? ToDecibel(r) : r;
}

namespace {

float ElectricalTilt(std::string_view hcode, float az, float azMax, std::string_view vcode,
                     float el, float elMax, int mode) {
  const float alpha = FoldAzimuth(static_cast<float>(F(az) - azMax));
  const float h = ANT93(hcode, alpha, kRelativeField);
  const float v =
      ANT93(vcode, static_cast<float>(WithoutWholeTurns(F(el) - elMax)), kRelativeField);
  if (h < 0 || v < 0) return kInvalidPattern;
  // Towards the zenith and the nadir the horizontal pattern fades out (cos^2 of el itself).
  const auto w = static_cast<float>((CosDeg(2.0 * el) + 1.0) / 2.0);
  const float r = std::max(static_cast<float>(F(v) * (F(w) * h + (1.0 - w))), 0.01f);
  return mode > 0 ? ToDecibel(r) : r;
}

float BuiltInDowntilt(std::string_view hcode, float az, float azMax, std::string_view vcode,
                      float el, float elMax, int mode) {
  // Position 5 is the downtilt in degrees, A = 0 .. Z = 25. Without it, or with a tilt of 90
  // degrees or more (the scaling below would divide by zero or turn over), there is no pattern.
  const int tiltLetter = CodeByte(vcode, 5);
  const int tilt = tiltLetter - 'A';
  const auto s = static_cast<float>((90.0 - tilt) / 90.0);
  if (tiltLetter == 0 || s <= 0) return kInvalidPattern;

  const AntennaAngles antenna = ToAntennaAngles(az, azMax, el, elMax);
  const float h = ANT93(hcode, antenna.azimuth, kRelativeField);
  const auto e1 = static_cast<float>(F(antenna.elevation) + tilt);
  const float v = ANT93(vcode, e1, kRelativeField);
  if (h < 0 || v < 0) return kInvalidPattern;
  const auto e2 = static_cast<float>(e1 > 0 ? F(e1) * s : F(e1) / s);
  const auto w = static_cast<float>(std::pow((CosDeg(2.0 * e2) + 1.0) / 2.0, 6));
  const auto envelope =
      static_cast<float>(CodeNumber(vcode, 6, 7) * (F(w) * h + (1.0 - w)) / 100.0);
  const float r = std::max(std::max(static_cast<float>(F(v) * h), envelope), 0.01f);
  return mode > 0 ? ToDecibel(r) : r;
}

}  // namespace

float ANT3D(std::string_view hcode, float az, float azMax, std::string_view vcode, float el,
            float elMax, int mode) {
  if (!std::isfinite(az) || !std::isfinite(azMax) || !std::isfinite(el) ||
      !std::isfinite(elMax)) {
    return kInvalidPattern;
  }
  switch (CodeByte(vcode, 4)) {
    case 'T':
      return ElectricalTilt(hcode, az, azMax, vcode, el, elMax, mode);
    case 'P':
      return BuiltInDowntilt(hcode, az, azMax, vcode, el, elMax, mode);
    default:
      break;
  }
  if (ANT93(hcode, 0, kRelativeField) < 0 || ANT93(vcode, 0, kRelativeField) < 0) {
    return kInvalidPattern;
  }
  const AntennaAngles antenna = ToAntennaAngles(az, azMax, el, elMax);
  return CombinePlanes(hcode, antenna.azimuth, vcode, antenna.elevation, mode);
}

}  // namespace lobrix
