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
#include "model/three_d_terms.h"

namespace lobrix {

namespace {

// ToAntennaAngles works in double precision with its own double degree factor.
constexpr double kDegreeD = 3.14159265358979323846 / 180.0;

double AtanDeg(double x) {
  return std::atan(x) / kDegreeD;
}

// Rounding to 7 decimals keeps directions on the beam's planes exact (halves to even).
double Round7(double x) {
  return std::nearbyint(x * 1e7) / 1e7;
}

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

  const PlaneFields p{.hf = ANT93(hcode, a, kRelativeField),
                      .hb = ANT93(hcode, 180, kRelativeField),
                      .vf = ANT93(vcode, -e, kRelativeField),
                      .vb = ANT93(vcode, 180 + e, kRelativeField),
                      .vbk = ANT93(vcode, 180, kRelativeField)};
  if (p.vf < 0 || p.vb < 0 || p.hb < 0 || p.vbk < 0 || p.hf < 0) return kInvalidPattern;
  return SpaceResult(CombinedField(p, a, e), mode);
}

namespace {

float ElectricalTilt(std::string_view hcode, float az, float azMax, std::string_view vcode,
                     float el, float elMax, int mode) {
  const float alpha = lobrix::FoldAzimuth(static_cast<float>(F(az) - azMax));
  const float h = ANT93(hcode, alpha, kRelativeField);
  const float v =
      ANT93(vcode, static_cast<float>(WithoutWholeTurns(F(el) - elMax)), kRelativeField);
  if (h < 0 || v < 0) return kInvalidPattern;
  return SpaceResult(TiltedField(h, v, el), mode);
}

float BuiltInDowntilt(std::string_view hcode, float az, float azMax, std::string_view vcode,
                      float el, float elMax, int mode) {
  const std::optional<int> tilt = DowntiltOf(vcode);
  if (!tilt) return kInvalidPattern;
  const AntennaAngles antenna = ToAntennaAngles(az, azMax, el, elMax);
  const float h = ANT93(hcode, antenna.azimuth, kRelativeField);
  const auto e1 = static_cast<float>(F(antenna.elevation) + *tilt);
  const float v = ANT93(vcode, e1, kRelativeField);
  if (h < 0 || v < 0) return kInvalidPattern;
  return SpaceResult(DowntiltField(h, v, e1, *tilt, CodeNumber(vcode, 6, 7)), mode);
}

}  // namespace

float ANT3D(std::string_view hcode, float az, float azMax, std::string_view vcode, float el,
            float elMax, int mode) {
  if (!std::isfinite(az) || !std::isfinite(azMax) || !std::isfinite(el) || !std::isfinite(elMax)) {
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
