// The antenna an address opens: what is taken, what is refused and named, what is ignored.
#include "editor_web/query_string.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace lobrix {
namespace {

struct Expected {
  std::optional<std::string> h, v;
  std::optional<float> azi, ele;
  std::optional<int> page, language;
  std::vector<std::string> rejected;
};

TEST(AntennaQuery, TakesValidValuesAndNamesTheRest) {
  struct Case {
    const char* query;
    Expected expected;
  };
  const Case cases[] = {
      {"?h=030EA10&v=100TA00&azi=30&ele=-2.5",
       {"030EA10", "100TA00", 30.0f, -2.5f, {}, {}, {}}},
      {"h=030ea10&V=120pa05", {"030EA10", "120PA05", {}, {}, {}, {}, {}}},
      {"h=%30%33%30EA10", {"030EA10", {}, {}, {}, {}, {}, {}}},
      {"h=123XY45&v=030EA1&h=", {{}, {}, {}, {}, {}, {}, {"h=123XY45", "v=030EA1", "h="}}},
      {"h=999EA10", {{}, {}, {}, {}, {}, {}, {"h=999EA10"}}},  // beyond EA's range
      {"azi=0&ele=90", {{}, {}, 0.0f, 90.0f, {}, {}, {}}},
      {"azi=359.9&ele=-90", {{}, {}, 359.9f, -90.0f, {}, {}, {}}},
      {"azi=360&ele=-90.5", {{}, {}, {}, {}, {}, {}, {"azi=360", "ele=-90.5"}}},
      {"azi=-1&ele=1e1&azi=nan&ele=inf&azi=",
       {{}, {}, {}, {}, {}, {}, {"azi=-1", "ele=1e1", "azi=nan", "ele=inf", "azi="}}},
      {"AZI=.5&ele=-.5", {{}, {}, 0.5f, -0.5f, {}, {}, {}}},
      {"page=3&lang=CS", {{}, {}, {}, {}, 3, kCzech, {}}},
      {"page=4&page=-1&lang=de", {{}, {}, {}, {}, {}, {}, {"page=4", "page=-1", "lang=de"}}},
      {"lang=en&page=0", {{}, {}, {}, {}, 0, kEnglish, {}}},
      {"utm=x&&h=000ND00&flag", {"000ND00", {}, {}, {}, {}, {}, {}}},
      {"h=030EA10&h=bad", {"030EA10", {}, {}, {}, {}, {}, {"h=bad"}}},
      {"", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.query);
    const AntennaQuery q = ParseAntennaQuery(c.query);
    const Expected& e = c.expected;
    EXPECT_EQ(q.hCode, e.h);
    EXPECT_EQ(q.vCode, e.v);
    EXPECT_EQ(q.aziMax, e.azi);
    EXPECT_EQ(q.eleMax, e.ele);
    EXPECT_EQ(q.page, e.page);
    EXPECT_EQ(q.language, e.language);
    EXPECT_EQ(q.rejected, e.rejected);
  }
}

TEST(AntennaQuery, DecodesPercentAndPlus) {
  EXPECT_EQ(PercentDecode("a%20b+c"), "a b c");
  EXPECT_EQ(PercentDecode("%C3%A9"), "\xC3\xA9");
  EXPECT_EQ(PercentDecode("100%"), "100%");
  EXPECT_EQ(PercentDecode("%zz%4"), "%zz%4");
}

TEST(AntennaQuery, AppliedOverTheDefaultsWithANote) {
  DrawingInput input;
  int page = 0;
  const AntennaQuery q = ParseAntennaQuery("h=510VE00&azi=400&ele=3&page=2&v=" +
                                           std::string(40, 'x'));
  ApplyAntennaQuery(q, input, page);
  EXPECT_EQ(input.hCode, "510VE00");
  EXPECT_EQ(input.vCode, "000ND00");  // the default stands
  EXPECT_EQ(input.aziMax, 0.0f);
  EXPECT_EQ(input.eleMax, 3.0f);
  EXPECT_EQ(page, 2);
  // A long value is cut in the note.
  EXPECT_EQ(RejectedQueryNote(q, kEnglish),
            " Not taken from the address: azi=400, v=" + std::string(24, 'x'));
  EXPECT_EQ(RejectedQueryNote(ParseAntennaQuery("h=030EA10"), kCzech), "");
}

}  // namespace
}  // namespace lobrix
