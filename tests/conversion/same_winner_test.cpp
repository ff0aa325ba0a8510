// The fast conversion finds the same code and azimuth as the brute-force evaluation through
// ANT93, on a corpus of generated planes of every lobe class: codes of every family at random
// azimuths, quantised like measured files, with noise, with extra lobes, flat ones.
//
// The brute-force side costs about a fifth of a second per plane under the sanitizers, so the
// sanitizer build checks a slice of the corpus; optimised builds check all 2000 planes.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <string_view>

#include "conversion/conversion.h"
#include "conversion/reference_conversion.h"
#include "tests/conversion/pattern_columns.h"

namespace lobrix {
namespace {

#if defined(NDEBUG) && !defined(_WIN32)
constexpr int kCorpusSize = 2000;
#else
constexpr int kCorpusSize = 60;
#endif

// The single-curve families the conversion returns, with the range of their first number;
// TA takes no envelope.
struct FamilyRange {
  const char* type;
  int low, high;
};
constexpr FamilyRange kSingleFamilies[] = {
    {"EA", 1, 65}, {"EB", 1, 79},  {"EC", 1, 96},  {"LA", 1, 120}, {"KA", 0, 100},
    {"DE", 1, 65}, {"CA", 0, 100}, {"CB", 0, 100}, {"CC", 0, 100}, {"TA", 10, 890},
};

std::string RandomCode(std::mt19937& rng) {
  const auto pick = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(rng);
  };
  char code[16];
  const int last = pick(0, 3) == 0 ? pick(0, 99) : 0;
  const int kind = pick(0, 11);
  if (kind < 10) {
    const FamilyRange& family = kSingleFamilies[kind];
    const int second = std::string_view(family.type) == "TA" ? 0 : last;
    std::snprintf(code, sizeof code, "%03d%s%02d", pick(family.low, family.high), family.type,
                  second);
  } else {
    std::snprintf(code, sizeof code, "%d%02d%c%c%02d", pick(0, 9), pick(0, 99),
                  pick(0, 1) ? 'V' : 'W', 'A' + pick(0, 8), pick(0, 99));
  }
  return code;
}

PatternColumn RandomPlane(std::mt19937& rng) {
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  const auto azimuth = [&] {
    return unit(rng) < 0.5 ? std::floor(unit(rng) * 1440) / 4 : unit(rng) * 360;
  };
  PatternColumn e = test::CodeColumn(RandomCode(rng), azimuth());
  const double kind = unit(rng);
  if (kind < 0.02) {
    e.fill(static_cast<float>(0.1 + 0.9 * unit(rng)));  // flat
    return e;
  }
  if (kind < 0.15) {
    // A second, weaker lobe of another code: two, three or four lobes.
    const PatternColumn other = test::CodeColumn(RandomCode(rng), azimuth());
    const auto height = static_cast<float>(0.6 + 0.4 * unit(rng));
    for (int i = 0; i < 360; ++i) e[i] = std::max(e[i], height * other[i]);
  } else if (kind < 0.2) {
    for (float& value : e) value = static_cast<float>(0.9 + 0.1 * value);  // nearly omni
  }
  const double finish = unit(rng);
  if (finish < 0.3) {
    for (float& value : e) {
      const double db = std::round(-20.0 * std::log10(value) * 100) / 100;  // 0.01 dB steps
      value = static_cast<float>(std::pow(10.0, -db / 20.0));
    }
  } else if (finish < 0.6) {
    e = test::WithNoise(e, 0.002 + 0.03 * unit(rng), rng);
  }
  return e;
}

const char* ClassName(LobeClass c) {
  switch (c) {
    case LobeClass::Flat:
      return "flat";
    case LobeClass::NearOmni:
      return "near-omni";
    case LobeClass::One:
      return "1";
    case LobeClass::Two:
      return "2";
    case LobeClass::Three:
      return "3";
    case LobeClass::Four:
      return "4";
    case LobeClass::Opposite:
      return "22";
  }
  return "?";
}

TEST(ConvertPattern, SameWinnerAsTheBruteForceEvaluation) {
  std::mt19937 rng(4242);
  std::map<std::string, int> classes;
  int differences = 0;
  for (int n = 0; n < kCorpusSize; ++n) {
    const PatternColumn e = RandomPlane(rng);
    ++classes[ClassName(AnalysePattern(e).lobeClass)];
    const std::string fast = ConvertPattern(e);
    const std::string reference = ReferenceConvertPattern(e);
    if (fast != reference) {
      ++differences;
      ADD_FAILURE() << "plane " << n << ": " << fast << " vs " << reference;
    }
  }
  EXPECT_EQ(differences, 0);
  std::string counts;
  for (const auto& [name, count] : classes) counts += " " + name + ":" + std::to_string(count);
  std::printf("%d planes by lobe class:%s\n", kCorpusSize, counts.c_str());
  if (kCorpusSize >= 2000) {
    for (const char* name : {"flat", "near-omni", "1", "2", "3", "4", "22"}) {
      EXPECT_GE(classes[name], 10) << name << counts;
    }
  }
}

}  // namespace
}  // namespace lobrix
