#include "editor/code_type.h"

#include <gtest/gtest.h>

namespace lobrix {
namespace {

TEST(TypeClass, PairsThenFirstLetterThenOmni) {
  const struct {
    const char* letters;
    int typeClass;
  } cases[] = {
      {"ND", 1},
      {"EA", 2},
      {"DE", 2},
      {"EB", 3},
      {"EC", 4},
      {"LA", 5},
      {"CA", 6},
      {"CB", 6},
      {"CC", 6},
      {"KA", 6},
      {"VA", 7},
      {"VI", 7},
      {"VZ", 7},
      {"WA", 8},
      {"WB", 8},
      {"TA", 9},
      {"PA", 10},
      {"PZ", 10},
      {"P5", 10},
      // Not listed: the omnidirectional class.
      {"ED", 1},
      {"TB", 1},
      {"KB", 1},
      {"XA", 1},
      {"ea", 1},
      {"va", 1},
      {"", 1},
      {"E", 1},
  };
  for (const auto& c : cases) EXPECT_EQ(TypeClass(c.letters), c.typeClass) << c.letters;
}

TEST(TypeClass, RangeOfTheFirstNumberPerClass) {
  const struct {
    int typeClass, first, last;
  } cases[] = {{1, 0, 0},   {2, 1, 65},  {3, 1, 79},  {4, 1, 96},  {5, 1, 120},
               {6, 0, 100}, {7, 0, 999}, {8, 0, 999}, {9, 1, 890}, {10, 1, 890}};
  for (const auto& c : cases) {
    EXPECT_EQ(FirstNumberRange(c.typeClass).first, c.first) << c.typeClass;
    EXPECT_EQ(FirstNumberRange(c.typeClass).last, c.last) << c.typeClass;
  }
}

TEST(TypeClass, PanelGroupAndLetterChoice) {
  EXPECT_EQ(PanelGroupOf(TypeClass("ND")), PanelGroup::kA);
  for (const char* type : {"EA", "DE", "EB", "EC", "LA", "TA", "PC"}) {
    EXPECT_EQ(PanelGroupOf(TypeClass(type)), PanelGroup::kB) << type;
  }
  EXPECT_EQ(PanelGroupOf(TypeClass("KA")), PanelGroup::kC);
  EXPECT_EQ(PanelGroupOf(TypeClass("VC")), PanelGroup::kD);
  EXPECT_EQ(PanelGroupOf(TypeClass("WC")), PanelGroup::kE);
  EXPECT_EQ(LastTypeLetter(TypeClass("VA")), 'I');
  EXPECT_EQ(LastTypeLetter(TypeClass("WA")), 'I');
  EXPECT_EQ(LastTypeLetter(TypeClass("PA")), 'Z');
  EXPECT_EQ(LastTypeLetter(TypeClass("TA")), 0);
}

TEST(ButtonType, OneTypePerButtonInIdOrder) {
  const char* types[] = {"ND", "EA", "EB", "EC", "DE", "LA", "CA",
                         "CB", "CC", "KA", "VA", "WA", "TA", "PA"};
  for (int id = 101; id <= 114; ++id) EXPECT_EQ(ButtonType(id), types[id - 101]) << id;
  EXPECT_TRUE(ButtonType(100).empty());
  EXPECT_TRUE(ButtonType(115).empty());
}

}  // namespace
}  // namespace lobrix
