// liblobrix.so called from eight threads at once, as a batch job or a Python pool calls it:
// every thread gets exactly what one thread alone got, bit for bit. Under ThreadSanitizer
// (preset tsan) the same run also shows that no call races with another, the current gain
// that ZISKANTVA stores included.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <latch>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "exports/lobrix.h"
#include "tests/exports/export_cases.h"

namespace {

using namespace lobrix::test;

constexpr int kThreads = 8;

// One call of an exported function with its arguments.
struct Call {
  enum Kind { kVerant, kAnt93, kAnt3d, kGain } kind = kVerant;
  std::string h = {}, v = {};
  float az = 0, azMax = 0, el = 0, elMax = 0;
  int mode = 0;
};

float Evaluate(const Call& c) {
  switch (c.kind) {
    case Call::kVerant:
      return static_cast<float>(VERANT(c.h.c_str()));
    case Call::kAnt93:
      return ANT93(c.h.c_str(), c.az, c.mode);
    case Call::kAnt3d:
      return ANT3D(c.h.c_str(), c.az, c.azMax, c.v.c_str(), c.el, c.elMax, c.mode);
    case Call::kGain:
      return ZISKANTVA(c.h.c_str(), c.v.c_str());
  }
  return 0;
}

std::string Describe(const Call& c) {
  std::ostringstream text;
  constexpr const char* kNames[] = {"VERANT", "ANT93", "ANT3D", "ZISKANTVA"};
  text << kNames[c.kind] << " " << c.h << " " << c.v << " az " << c.az << "/" << c.azMax << " el "
       << c.el << "/" << c.elMax << " mode " << c.mode;
  return text.str();
}

// Every function over the shared case tables: each code checked and evaluated at every angle,
// each code pair's gain and its 3-D attenuation over the directions and maxima.
std::vector<Call> CaseTable() {
  std::vector<Call> calls;
  for (std::string_view code : kCodes) {
    calls.push_back({.kind = Call::kVerant, .h = std::string(code)});
    for (float angle : kAngles) {
      for (int mode : kModes) {
        calls.push_back({.kind = Call::kAnt93, .h = std::string(code), .az = angle, .mode = mode});
      }
    }
  }
  for (std::string_view h : kHorizontalCodes) {
    for (std::string_view v : kVerticalCodes) {
      calls.push_back({.kind = Call::kGain, .h = std::string(h), .v = std::string(v)});
      for (float az : kAzimuths) {
        for (float azMax : kAzimuthMaxima) {
          for (float el : kElevations) {
            for (float elMax : kElevationMaxima) {
              for (int mode : kModes) {
                calls.push_back({.kind = Call::kAnt3d,
                                 .h = std::string(h),
                                 .v = std::string(v),
                                 .az = az,
                                 .azMax = azMax,
                                 .el = el,
                                 .elMax = elMax,
                                 .mode = mode});
              }
            }
          }
        }
      }
    }
  }
  return calls;
}

TEST(ExportsFromThreads, EightThreadsGetTheSingleThreadedResults) {
  const std::vector<Call> calls = CaseTable();
  std::vector<float> alone(calls.size());
  for (std::size_t i = 0; i < calls.size(); ++i) alone[i] = Evaluate(calls[i]);

  // All threads start together; each begins at its own place in the table, so that at any
  // moment different functions (and different gains being stored) run side by side.
  std::vector<std::vector<float>> results(kThreads, std::vector<float>(calls.size()));
  std::latch start(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      start.arrive_and_wait();
      const std::size_t first = calls.size() * static_cast<std::size_t>(t) / kThreads;
      for (std::size_t k = 0; k < calls.size(); ++k) {
        const std::size_t i = (first + k) % calls.size();
        results[static_cast<std::size_t>(t)][i] = Evaluate(calls[i]);
      }
    });
  }
  for (std::thread& thread : threads) thread.join();

  for (int t = 0; t < kThreads; ++t) {
    const std::vector<float>& got = results[static_cast<std::size_t>(t)];
    std::size_t differing = 0;
    for (std::size_t i = 0; i < calls.size(); ++i) {
      if (std::bit_cast<std::uint32_t>(got[i]) == std::bit_cast<std::uint32_t>(alone[i])) {
        continue;
      }
      if (differing++ == 0) {
        ADD_FAILURE() << "thread " << t << ": " << Describe(calls[i]) << " gave " << got[i]
                      << ", alone " << alone[i];
      }
    }
    EXPECT_EQ(differing, 0u) << "of " << calls.size() << " calls in thread " << t;
  }
}

}  // namespace
