// The reader against random and mutated files, bounded to a few seconds: under the sanitizers
// any read past the input, overflow or undefined conversion fails the run. Every result must be
// one of the three codes and every stored value a number in 0..1.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <random>
#include <string>

#include "pattern_files/strict_reader.h"
#include "tests/pattern_files/msi_text.h"

namespace lobrix {
namespace {

std::string Mutate(std::string text, std::mt19937& rng) {
  static const std::string kAlphabet = " ,\t\r\n\x1a.-+eE0123456789NAMEFREQUENCYGAINdBix";
  std::uniform_int_distribution<int> kind(0, 5);
  const int edits = 1 + static_cast<int>(rng() % 8);
  for (int n = 0; n < edits && !text.empty(); ++n) {
    const std::size_t at = rng() % text.size();
    const char c = kAlphabet[rng() % kAlphabet.size()];
    switch (kind(rng)) {
      case 0:
        text[at] = c;
        break;
      case 1:
        text.insert(at, 1, c);
        break;
      case 2:
        text.erase(at, 1 + rng() % 20);
        break;
      case 3:
        text.resize(at);
        break;  // truncated
      case 4:
        text.insert(at, std::string(1 + rng() % 40, c));
        break;
      default:
        text[at] = static_cast<char>(rng() % 256);
        break;
    }
  }
  return text;
}

void ExpectSane(int result, const KathreinPattern& p) {
  ASSERT_TRUE(result == kKathreinRead || result == kNotKathreinFile ||
              result == kShorterThanKathreinFile);
  for (const auto& column : p.measured) {
    for (const float value : column) {
      ASSERT_TRUE(value >= 0.0f && value <= 1.0f) << value;
    }
  }
}

TEST(ReadKathreinFileFuzz, RandomAndMutatedInputsStaySafe) {
  std::mt19937 rng(20261207);
  const std::string seeds[] = {test::MsiFile().Text("\r\n"), test::MsiFile().Text("\n"),
                               "NAME x\r\nFREQUENCY 1\r\nGAIN 1\r\n\r\n\r\n\r\n0 1\r\n"};
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
  int runs = 0;
  while (std::chrono::steady_clock::now() < deadline) {
    std::string input;
    if (runs % 4 == 3) {
      input.resize(rng() % 2000);
      for (char& c : input) c = static_cast<char>(rng() % 256);
    } else {
      input = Mutate(seeds[runs % 3], rng);
    }
    KathreinPattern p;
    // Exactly the bytes of the input: a copy in its own allocation, so a read past its end is
    // caught by the address sanitizer.
    const auto bytes = std::make_unique<char[]>(input.size());
    std::copy(input.begin(), input.end(), bytes.get());
    ExpectSane(ReadKathreinFile(std::string_view(bytes.get(), input.size()), p), p);
    ++runs;
  }
  EXPECT_GT(runs, 100);
}

}  // namespace
}  // namespace lobrix
