// ANT3D over arrays of directions, a block at a time: the single-plane arguments of every
// direction of the block (through ToAntennaAngles where the vertical code asks for the antenna
// frame), then each code's fields at all of them through the array form of ANT93, then the
// combination of three_d_terms.h. The codes are read once and the back radiation of the
// mechanical case computed once.
#include <algorithm>
#include <array>
#include <cmath>

#include "model/antenna_pattern.h"
#include "model/code_fields.h"
#include "model/pattern_arrays.h"
#include "model/prepared_code.h"
#include "model/three_d_terms.h"
#include "model/vector_math.h"

namespace lobrix {

namespace {

constexpr std::size_t kBlock = 256;
using Block = std::array<float, kBlock>;

// One block of directions, copied before any result is written (the output may be an input).
struct Directions {
  Block az, el;
  std::size_t n = 0;
};

struct Pair {
  PreparedCode h, v;
  float azMax, elMax;
  int mode;
};

void Fields(const PreparedCode& code, const Block& angles, std::size_t n, Block& fields) {
  PreparedValues(code, angles.data(), n, kRelativeField, fields.data());
}

// Electrical tilt (TA): the horizontal code at the azimuth difference, the vertical code at
// the elevation difference.
[[gnu::flatten]] void TiltBlock(const Pair& p, const Directions& d, float* out) {
  Block hArg, vArg, h, v;
  for (std::size_t i = 0; i < d.n; ++i) {
    hArg[i] = FoldAzimuth(static_cast<float>(F(d.az[i]) - p.azMax));
    vArg[i] = static_cast<float>(WithoutWholeTurns(F(d.el[i]) - p.elMax));
  }
  Fields(p.h, hArg, d.n, h);
  Fields(p.v, vArg, d.n, v);
  for (std::size_t i = 0; i < d.n; ++i) {
    const float r = SpaceResult<VectorMath>(TiltedField<VectorMath>(h[i], v[i], d.el[i]), p.mode);
    out[i] = h[i] < 0 || v[i] < 0 ? kInvalidPattern : r;
  }
}

// Built-in downtilt (P): both codes in the antenna frame, the vertical one tilted.
[[gnu::flatten]] void DowntiltBlock(const Pair& p, const Directions& d, int tilt, float* out) {
  Block a, e1, h, v;
  for (std::size_t i = 0; i < d.n; ++i) {
    const AntennaAngles antenna = ToAntennaAngles(d.az[i], p.azMax, d.el[i], p.elMax);
    a[i] = antenna.azimuth;
    e1[i] = static_cast<float>(F(antenna.elevation) + tilt);
  }
  Fields(p.h, a, d.n, h);
  Fields(p.v, e1, d.n, v);
  const int z = CodeNumber(p.v.code, 6, 7);
  for (std::size_t i = 0; i < d.n; ++i) {
    const float r =
        SpaceResult<VectorMath>(DowntiltField<VectorMath>(h[i], v[i], e1[i], tilt, z), p.mode);
    out[i] = h[i] < 0 || v[i] < 0 ? kInvalidPattern : r;
  }
}

// What CombinePlanes returns on the beam's planes from the relative field of the same code at
// the same angle: ANT93's result, in dB for every positive mode as in the other branches.
float Ant93Result(const PreparedCode& code, float field, int mode) {
  if (field < 0 || mode <= 0) return field;
  return code.family == PreparedCode::Family::kOmni ? 0.0f : ToDecibel(field);
}

// Mechanical elevation: CombinePlanes at the antenna angles of each direction.
void MechanicalBlock(const Pair& p, const Directions& d, float hb, float vbk, float* out) {
  Block a, e, front, back, hf, vf, vb;
  for (std::size_t i = 0; i < d.n; ++i) {
    const AntennaAngles antenna = ToAntennaAngles(d.az[i], p.azMax, d.el[i], p.elMax);
    a[i] = antenna.azimuth;
    e[i] = antenna.elevation;
    front[i] = -e[i];  // the vertical code is read at -e: its positive angles lie below the beam
    back[i] = 180 + e[i];
  }
  Fields(p.h, a, d.n, hf);
  Fields(p.v, front, d.n, vf);
  Fields(p.v, back, d.n, vb);
  for (std::size_t i = 0; i < d.n; ++i) {
    if (e[i] == 0) {
      out[i] = Ant93Result(p.h, hf[i], p.mode);
    } else if (a[i] == 0) {
      out[i] = Ant93Result(p.v, vf[i], p.mode);
    } else if (hf[i] < 0 || vf[i] < 0 || vb[i] < 0) {
      out[i] = kInvalidPattern;
    } else {
      const PlaneFields fields{.hf = hf[i], .hb = hb, .vf = vf[i], .vb = vb[i], .vbk = vbk};
      out[i] = SpaceResult(CombinedField(fields, a[i], e[i]), p.mode);
    }
  }
}

}  // namespace

bool Ant3dMany(std::string_view hcode, std::span<const float> az, float azMax,
               std::string_view vcode, std::span<const float> el, float elMax, int mode,
               std::span<float> out) {
  // What ANT3D checks is the codes alone: invalid here, invalid for every direction.
  if (ANT3D(hcode, 0, 0, vcode, 0, 0, mode) == kInvalidPattern) {
    std::fill(out.begin(), out.end(), kInvalidPattern);
    return false;
  }
  const Pair pair{*PrepareCode(hcode), *PrepareCode(vcode), azMax, elMax, mode};
  const float hb = ANT93(hcode, 180, kRelativeField);
  const float vbk = ANT93(vcode, 180, kRelativeField);
  const bool beamFinite = std::isfinite(azMax) && std::isfinite(elMax);
  Directions d;
  for (std::size_t start = 0; start < az.size(); start += kBlock) {
    d.n = std::min(kBlock, az.size() - start);
    std::copy_n(az.begin() + static_cast<std::ptrdiff_t>(start), d.n, d.az.begin());
    std::copy_n(el.begin() + static_cast<std::ptrdiff_t>(start), d.n, d.el.begin());
    float* const to = out.data() + start;
    switch (CodeByte(vcode, 4)) {
      case 'T':
        TiltBlock(pair, d, to);
        break;
      case 'P':
        DowntiltBlock(pair, d, *DowntiltOf(vcode), to);
        break;
      default:
        MechanicalBlock(pair, d, hb, vbk, to);
    }
    for (std::size_t i = 0; i < d.n; ++i) {
      if (!beamFinite || !std::isfinite(d.az[i]) || !std::isfinite(d.el[i])) {
        to[i] = kInvalidPattern;
      }
    }
  }
  return true;
}

}  // namespace lobrix
