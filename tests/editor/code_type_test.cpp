#include "editor/code_type.h"

#include <gtest/gtest.h>

namespace lobrix {
namespace {

// Pairs first, then the first letter alone, everything else omnidirectional; the class fixes
// the range of the first number.
TEST(TypeClass, PairsThenFirstLetterThenOmni) {
  const struct {
    const char* letters;
    int typeClass;
    int last;  // of the first number's range
  } cases[] = {
      {"ND", 1, 0},
      {"EA", 2, 65},
      {"DE", 2, 65},
      {"EB", 3, 79},
      {"EC", 4, 96},
      {"LA", 5, 120},
      {"CA", 6, 100},
      {"CB", 6, 100},
      {"CC", 6, 100},
      {"KA", 6, 100},
      {"VA", 7, 999},
      {"VZ", 7, 999},
      {"WB", 8, 999},
      {"TA", 9, 890},
      {"PA", 10, 890},
      {"P5", 10, 890},
      // Not listed: the omnidirectional class.
      {"ED", 1, 0},
      {"TB", 1, 0},
      {"KB", 1, 0},
      {"XA", 1, 0},
      {"ea", 1, 0},
      {"va", 1, 0},
      {"", 1, 0},
      {"E", 1, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TypeClass(c.letters), c.typeClass) << c.letters;
    EXPECT_EQ(FirstNumberRange(TypeClass(c.letters)).last, c.last) << c.letters;
  }
}

}  // namespace
}  // namespace lobrix
