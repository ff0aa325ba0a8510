// ANT93 over an array of angles: the code read and prepared once, then the same formulas as
// ANT93 (prepared_curve.h, cosine_power.h) with the vector functions of vector_math.h, in a
// loop the compiler turns into vector instructions. Angles beyond a million degrees (outside
// the vector cosine's range) and non-finite ones are handed to ANT93 itself.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

#include "model/antenna_pattern.h"
#include "model/code_fields.h"
#include "model/cosine_power.h"
#include "model/pattern_arrays.h"
#include "model/prepared_code.h"
#include "model/prepared_curve.h"
#include "model/vector_math.h"

namespace lobrix {

namespace {

constexpr float kVectorAngleLimit = 1e6f;
// Angles are copied block by block before the results are written (the output may be the
// input), and the block stays in the first-level cache.
constexpr std::size_t kBlock = 256;

template <bool kDecibels>
float InMode(float field) {
  return kDecibels ? ToDecibel<VectorMath>(field) : field;
}

// The loops, inlined into one function for each instruction set below.
template <CurveKind kKind, bool kDecibels>
inline void CurveLoop(const PreparedCurve& curve, EnvelopeLevels levels, const float* angles,
                      float* out, std::size_t n) {
#pragma GCC ivdep
  for (std::size_t i = 0; i < n; ++i) {
    const SampleAngle a = MakeSampleAngle<VectorMath>(angles[i], TermsOf(kKind));
    out[i] =
        InMode<kDecibels>(FinishField(curve, RawFieldOf<kKind, VectorMath>(curve, a), a, levels));
  }
}

template <bool kDecibels>
inline void CosinePowerLoop(float exponent, float radius, const float* angles, float* out,
                            std::size_t n) {
#pragma GCC ivdep
  for (std::size_t i = 0; i < n; ++i) {
    const auto h = static_cast<float>(CosDeg<VectorMath>(angles[i]));
    out[i] =
        InMode<kDecibels>(ClampField(std::max(CosinePowerLobe<VectorMath>(h, exponent), radius)));
  }
}

// Each loop compiled twice: for the processor the build targets (SSE2 on x86-64: two doubles a
// vector) and, on x86, for AVX2 (four), chosen when the processor has it. Flattened: every
// function the loop calls is inlined into it, so the whole body vectorises, and the AVX2
// instructions stay inside the AVX2 function (no shared inline function is compiled for them).
// Neither enables fused multiply-adds, which would round differently.
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define LOBRIX_AVX2_KERNELS 1
#define LOBRIX_AVX2 [[gnu::flatten, gnu::target("avx2")]]
#else
#define LOBRIX_AVX2_KERNELS 0
#define LOBRIX_AVX2 [[gnu::flatten]]
#endif

bool HasAvx2() {
#if LOBRIX_AVX2_KERNELS
  static const bool has = __builtin_cpu_supports("avx2");
  return has;
#else
  return false;
#endif
}

template <CurveKind kKind, bool kDecibels>
[[gnu::flatten]] void CurveFieldsBase(const PreparedCurve& curve, EnvelopeLevels levels,
                                      const float* angles, float* out, std::size_t n) {
  CurveLoop<kKind, kDecibels>(curve, levels, angles, out, n);
}

template <CurveKind kKind, bool kDecibels>
LOBRIX_AVX2 void CurveFieldsAvx2(const PreparedCurve& curve, EnvelopeLevels levels,
                                 const float* angles, float* out, std::size_t n) {
  CurveLoop<kKind, kDecibels>(curve, levels, angles, out, n);
}

template <CurveKind kKind, bool kDecibels>
void CurveFields(const PreparedCurve& curve, EnvelopeLevels levels, const float* angles, float* out,
                 std::size_t n) {
  if (HasAvx2()) {
    CurveFieldsAvx2<kKind, kDecibels>(curve, levels, angles, out, n);
  } else {
    CurveFieldsBase<kKind, kDecibels>(curve, levels, angles, out, n);
  }
}

template <bool kDecibels>
[[gnu::flatten]] void CosinePowerFieldsBase(float exponent, float radius, const float* angles,
                                            float* out, std::size_t n) {
  CosinePowerLoop<kDecibels>(exponent, radius, angles, out, n);
}

template <bool kDecibels>
LOBRIX_AVX2 void CosinePowerFieldsAvx2(float exponent, float radius, const float* angles,
                                       float* out, std::size_t n) {
  CosinePowerLoop<kDecibels>(exponent, radius, angles, out, n);
}

template <bool kDecibels>
void CosinePowerFields(float exponent, float radius, const float* angles, float* out,
                       std::size_t n) {
  if (HasAvx2()) {
    CosinePowerFieldsAvx2<kDecibels>(exponent, radius, angles, out, n);
  } else {
    CosinePowerFieldsBase<kDecibels>(exponent, radius, angles, out, n);
  }
}

// LA: beyond 1.5 half beam widths the envelope alone gives the value, with no cosine; a
// narrow beam leaves most angles there. The angles inside are gathered, so that the vector loop
// computes its two cosines for them only, and their values put back in place.
template <bool kDecibels>
void LaValues(const PreparedCode& p, const float* angles, float* out, std::size_t n) {
  const SampleAngle outsideAngle{};  // LA reads no angle term when the raw field is -inf
  const float outside = InMode<kDecibels>(
      FinishField(p.curve, -std::numeric_limits<float>::infinity(), outsideAngle, p.levels));
  std::array<float, kBlock> inside;
  std::array<std::uint16_t, kBlock> at;
  std::size_t count = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const SampleAngle a = MakeSampleAngle(angles[i], kLaTerms);
    if (std::fabs(a.laX) > 1.5 * p.curve.laWidth) {
      out[i] = outside;
    } else {
      inside[count] = angles[i];
      at[count++] = static_cast<std::uint16_t>(i);
    }
  }
  CurveFields<CurveKind::LA, kDecibels>(p.curve, p.levels, inside.data(), inside.data(), count);
  for (std::size_t j = 0; j < count; ++j) out[at[j]] = inside[j];
}

// Values at n angles (n at most one block), all within the vector range, in the mode.
template <bool kDecibels>
void VectorValues(const PreparedCode& p, const float* angles, float* out, std::size_t n) {
  using Family = PreparedCode::Family;
  if (p.family == Family::kOmni) {
    std::fill(out, out + n, kDecibels ? 0.0f : 1.0f);
    return;
  }
  if (p.family == Family::kCosinePower) {
    CosinePowerFields<kDecibels>(p.exponent, p.radius, angles, out, n);
    return;
  }
  using enum CurveKind;
  if (p.kind == LA) {
    LaValues<kDecibels>(p, angles, out, n);
    return;
  }
  using Kernel = void (*)(const PreparedCurve&, EnvelopeLevels, const float*, float*, std::size_t);
  static constexpr std::array<Kernel, 11> kKernels = {
      CurveFields<EA, kDecibels>, CurveFields<EB, kDecibels>, CurveFields<EC, kDecibels>,
      CurveFields<DE, kDecibels>, CurveFields<LA, kDecibels>, CurveFields<KA, kDecibels>,
      CurveFields<CA, kDecibels>, CurveFields<CB, kDecibels>, CurveFields<CC, kDecibels>,
      CurveFields<V, kDecibels>,  CurveFields<W, kDecibels>};
  kKernels[static_cast<std::size_t>(p.kind)](p.curve, p.levels, angles, out, n);
}

}  // namespace

std::optional<PreparedCode> PrepareCode(std::string_view code) {
  if (ANT93(code, 0, kRelativeField) == kInvalidPattern) return std::nullopt;
  const int t1 = CodeByte(code, 4);
  const int t2 = CodeByte(code, 5);
  PreparedCode p;
  p.code = code;
  if (t1 == 'N' && t2 == 'D') {
    p.family = PreparedCode::Family::kOmni;
  } else if (t1 == 'P' || (t1 == 'T' && t2 == 'A')) {
    p.family = PreparedCode::Family::kCosinePower;
    p.exponent = CosinePowerExponent(CodeNumber(code, 1, 3));
    p.radius = static_cast<float>(CodeNumber(code, 6, 7) / 100.0);
  } else {
    p.family = PreparedCode::Family::kCurve;
    p.kind = KindOf(code.substr(3, 2));
    p.curve = PrepareCodeCurve(p.kind, code);
    p.levels = CodeEnvelope(p.kind, code);
  }
  return p;
}

void PreparedValues(const PreparedCode& code, const float* angles, std::size_t n, int mode,
                    float* out) {
  std::array<float, kBlock> block;
  for (std::size_t start = 0; start < n; start += kBlock) {
    const std::size_t count = std::min(kBlock, n - start);
    std::copy_n(angles + start, count, block.begin());
    float* const to = out + start;
    if (mode == kDecibel) {
      VectorValues<true>(code, block.data(), to, count);
    } else {
      VectorValues<false>(code, block.data(), to, count);
    }
    for (std::size_t i = 0; i < count; ++i) {
      if (!(std::fabs(block[i]) <= kVectorAngleLimit)) to[i] = ANT93(code.code, block[i], mode);
    }
  }
}

bool Ant93Many(std::string_view code, std::span<const float> angles, int mode,
               std::span<float> out) {
  const std::optional<PreparedCode> prepared = PrepareCode(code);
  if (!prepared) {
    std::fill(out.begin(), out.end(), kInvalidPattern);
    return false;
  }
  PreparedValues(*prepared, angles.data(), angles.size(), mode, out.data());
  return true;
}

}  // namespace lobrix
