// The lenient reader against random and mutated files, bounded to a few seconds: under the
// sanitizers any read past the input, overflow or undefined conversion fails the run. A file is
// either read whole (every value a relative field in 0..1, each plane reaching 1 unless its
// values were all gains) or rejected with a line number and no table.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <random>
#include <string>

#include "pattern_files/lenient_reader.h"
#include "tests/pattern_files/msi_text.h"

namespace lobrix {
namespace {

std::string Mutate(std::string text, std::mt19937& rng) {
  static const std::string kWords[] = {
      "HORIZONTAL", "VERTICAL 72", "GAIN 3 dBi", "\xEF\xBB\xBF", "FREQUENCY 1 GHz",
      "TILT",       "NAME",        "\r",         "\n",           "\t",
      "0.5",        "-",           "e99",        "1e-400",       ",",
      "\x1a",       "   "};
  const int edits = 1 + static_cast<int>(rng() % 8);
  for (int n = 0; n < edits && !text.empty(); ++n) {
    const std::size_t at = rng() % text.size();
    switch (rng() % 5) {
      case 0:
        text[at] = static_cast<char>(rng() % 256);
        break;
      case 1:
        text.insert(at, kWords[rng() % std::size(kWords)]);
        break;
      case 2:
        text.erase(at, 1 + rng() % 40);
        break;
      case 3:
        text.resize(at);
        break;
      default:  // a stretch of the file repeated (a block twice, rows twice)
        text.insert(at, text.substr(rng() % text.size(), rng() % 400));
        break;
    }
  }
  return text;
}

void ExpectWholeOrRejected(const PatternFileResult& r) {
  if (!r.read) {
    ASSERT_EQ(r.error.rfind("line ", 0), 0u) << r.error;
    ASSERT_GE(r.errorLine, 1);
    for (const auto& column : r.file.pattern.measured) ASSERT_EQ(column, PatternColumn{});
    return;
  }
  for (const auto& column : r.file.pattern.measured) {
    for (const float value : column) ASSERT_TRUE(value >= 0.0f && value <= 1.0f) << value;
  }
}

TEST(ReadPatternFileFuzz, RandomAndMutatedInputsStaySafe) {
  std::mt19937 rng(20261207);
  std::string stepFive = "name x\nfrequency 2 GHz\ngain 1\nVERTICAL\n";
  for (int a = 0; a < 355; a += 5)
    stepFive += std::to_string(a) + "\t-" + std::to_string(a % 7) + "\n";
  stepFive += "HORIZONTAL 4\n0 1\n90 2\n180 3\n270 4\n";
  const std::string seeds[] = {test::MsiFile().Text("\r\n"), test::MsiFile().Text("\r"), stepFive};
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
  int runs = 0, read = 0;
  while (std::chrono::steady_clock::now() < deadline) {
    std::string input;
    if (runs % 4 == 3) {
      input.resize(rng() % 2000);
      for (char& c : input) c = static_cast<char>(rng() % 256);
    } else {
      input = Mutate(seeds[runs % 3], rng);
    }
    // Exactly the bytes of the input in their own allocation, so that a read past the end is
    // caught by the address sanitizer.
    const auto bytes = std::make_unique<char[]>(input.size());
    std::copy(input.begin(), input.end(), bytes.get());
    const PatternFileResult r = ReadPatternFile(std::string_view(bytes.get(), input.size()), "f");
    ExpectWholeOrRejected(r);
    read += r.read ? 1 : 0;
    ++runs;
  }
  EXPECT_GT(runs, 100);
  EXPECT_GT(read, 0);  // the mutations leave some files readable, so both paths are exercised
}

}  // namespace
}  // namespace lobrix
