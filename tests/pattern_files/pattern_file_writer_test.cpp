// Codes written as a pattern file: the layout the Kathrein reader reads back, the values of both
// blocks, the refusals, and the round trip through the Kathrein reader and the conversion.
//
// What does not come back, and why (the conversion's candidates and the analysis decide):
//   - TA and P vertical codes: the conversion has no TA or P candidates;
//   - CC codes: four equal lobes are class 2 for the analysis, so a V code comes back;
//   - V codes whose two lobes overlap into one (510VE00, 120VA05): class 1, an E code comes back;
//   - narrow codes with a raised envelope (010LA10, 010EA10): the search compares the "00"
//     candidates over the main lobe first, and a narrower EB wins there;
//   - a vertical code beside a horizontal code of other back radiation: the cut's back half is
//     the matched back lobe of the 3-D pattern, so the last digits (or, beside an omni
//     horizontal code, the type: DE for an E code) change with it;
//   - the direction of an omni code (000ND00 comes back at 0) and of symmetric lobes (DE and CA
//     repeat every 180 degrees, CB every 120: any one of the lobes may come back).
#include "pattern_files/pattern_file_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "conversion/conversion.h"
#include "model/antenna_pattern.h"
#include "pattern_files/strict_reader.h"

namespace lobrix {
namespace {

PatternFileCodes Codes(const char* h, const char* v, float azimuth = 0, float elevation = 0) {
  PatternFileCodes codes;
  codes.hCode = h;
  codes.vCode = v;
  codes.azimuth = azimuth;
  codes.elevation = elevation;
  codes.frequency = 900;
  return codes;
}

std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(bytes.substr(start, end - start));
  }
  EXPECT_EQ(start, bytes.size()) << "every line ends with CR LF";
  return lines;
}

TEST(WritePatternFile, KathreinLayoutWithHeaderAndTwoDecimals) {
  PatternFileCodes codes = Codes("030EA10", "010EA00", 45, -5);
  codes.name = "sector 1";
  const WrittenPatternFile w = WritePatternFile(codes);
  ASSERT_TRUE(w.written) << w.error;
  const std::vector<std::string> lines = Lines(w.bytes);
  ASSERT_EQ(lines.size(), 6u + 360 + 1 + 360);
  EXPECT_EQ(lines[0], "NAME sector 1");
  EXPECT_EQ(lines[1], "FREQUENCY 900");
  EXPECT_EQ(lines[3], "TILT MECHANICAL 5.0");
  EXPECT_EQ(lines[4], "COMMENT 030EA10 010EA00 AziMax 45.0 EleMax -5.0");
  EXPECT_EQ(lines[5], "HORIZONTAL 360");
  EXPECT_EQ(lines[6 + 45], "45 0.00");     // the horizontal maximum at the azimuth
  EXPECT_EQ(lines[6 + 75], "75 3.01");     // 30 degrees off: the half beam width, 3.01 dB
  EXPECT_EQ(lines[6 + 225], "225 20.00");  // behind: the envelope 0.10
  EXPECT_EQ(lines[366], "VERTICAL 360");
  EXPECT_EQ(lines[367 + 5], "5 0.00");    // the vertical maximum 5 degrees down
  EXPECT_EQ(lines[367 + 15], "15 3.01");  // 10 degrees below it: the half beam width

  // The gain is ZISKANTVA's unless given, in dBd; the Kathrein reader adds 2.1 for dBi.
  const float gain = ZISKANTVA("030EA10", "010EA00");
  char expected[32];
  std::snprintf(expected, sizeof expected, "GAIN %.2f dBd", gain);
  EXPECT_EQ(lines[2], expected);
  codes.gainDbd = 12.345f;
  codes.name.clear();
  const std::vector<std::string> given = Lines(WritePatternFile(codes).bytes);
  EXPECT_EQ(given[2], "GAIN 12.35 dBd");
  EXPECT_EQ(given[0], "NAME 030EA10 010EA00");

  KathreinPattern p;
  ASSERT_EQ(ReadKathreinFile(w.bytes, p), kKathreinRead);
  EXPECT_EQ(p.antennaName, "sector 1");
  EXPECT_NEAR(p.gain, std::round(gain * 100) / 100 + 2.1, 1e-4);
}

TEST(WritePatternFile, ElectricalTiltAndNoNegativeZero) {
  const WrittenPatternFile w = WritePatternFile(Codes("000ND00", "100TA00", 0, -4));
  ASSERT_TRUE(w.written) << w.error;
  EXPECT_NE(w.bytes.find("TILT ELECTRICAL 4.0\r\n"), std::string::npos);
  EXPECT_EQ(w.bytes.find("-0.00"), std::string::npos);
  EXPECT_NE(w.bytes.find("\r\n4 0.00\r\n"), std::string::npos);  // the tilted maximum
}

TEST(WritePatternFile, InvalidInputIsRefusedWithOneLine) {
  struct Case {
    PatternFileCodes codes;
    const char* says;
  };
  PatternFileCodes named = Codes("030EA10", "010EA00");
  named.name = "two\nlines";
  PatternFileCodes noGain = Codes("030EA10", "010EA00");
  noGain.gainDbd = std::nanf("");
  const Case cases[] = {
      {Codes("066EA00", "010EA00"), "horizontal code 066EA00"},
      {Codes("030EA10", "030XX00"), "vertical code 030XX00"},
      {Codes("030EA10", "010EA00", 360), "azimuth"},
      {Codes("030EA10", "010EA00", -0.5f), "azimuth"},
      {Codes("030EA10", "010EA00", std::nanf("")), "azimuth"},
      {Codes("030EA10", "010EA00", 0, 90.5f), "elevation"},
      {named, "one line"},
      {noGain, "gain"},
  };
  for (const Case& c : cases) {
    const WrittenPatternFile w = WritePatternFile(c.codes);
    EXPECT_FALSE(w.written) << c.says;
    EXPECT_TRUE(w.bytes.empty());
    EXPECT_NE(w.error.find(c.says), std::string::npos) << w.error;
    EXPECT_EQ(w.error.find('\n'), std::string::npos);
  }
}

KathreinConversion RoundTrip(const PatternFileCodes& codes) {
  const WrittenPatternFile w = WritePatternFile(codes);
  EXPECT_TRUE(w.written) << w.error;
  KathreinPattern p;
  EXPECT_EQ(ReadKathreinFile(w.bytes, p), kKathreinRead);
  return ConvertKathreinPattern(p);
}

TEST(WritePatternFile, HorizontalCodesComeBackWithTheirAzimuth) {
  struct Case {
    const char* code;
    float period;  // the lobes repeat every `period` degrees
  };
  const Case cases[] = {{"030EA10", 360}, {"010EA00", 360}, {"060EB00", 360}, {"020LA10", 360},
                        {"060LA10", 360}, {"120LA00", 360}, {"030KA00", 360}, {"050KA00", 360},
                        {"250WE52", 360}, {"030DE10", 180}, {"050CA00", 180}, {"040CB00", 120}};
  for (const Case& c : cases) {
    for (const float azimuth : {0.0f, 45.0f, 200.5f, 359.0f}) {
      const KathreinConversion r = RoundTrip(Codes(c.code, "030EA10", azimuth));
      EXPECT_EQ(r.hCode, c.code) << azimuth;
      // The same direction, up to the turn that maps the lobes onto each other.
      const double turns = (r.aziMax - azimuth) / c.period;
      EXPECT_NEAR(turns, std::round(turns), 1e-6)
          << c.code << " at " << azimuth << ": " << r.aziMax;
    }
  }
  const KathreinConversion omni = RoundTrip(Codes("000ND00", "030EA10", 123));
  EXPECT_EQ(omni.hCode, "000ND00");
  EXPECT_EQ(omni.aziMax, 0);
}

// Codes whose last digits do not change the curve come back as the first such digits.
TEST(WritePatternFile, HorizontalCodesWithoutEffectiveEnvelopeComeBackAsTheSameCurve) {
  const std::pair<const char*, const char*> cases[] = {{"045EC05", "045EC00"},
                                                       {"095KA00", "095KA90"}};
  for (const auto& [written, back] : cases) {
    const KathreinConversion r = RoundTrip(Codes(written, "030EA10", 45));
    EXPECT_EQ(r.hCode, back);
    EXPECT_FLOAT_EQ(r.aziMax, 45);
    for (int a = -180; a < 180; ++a) {
      EXPECT_FLOAT_EQ(ANT93(written, static_cast<float>(a), kRelativeField),
                      ANT93(back, static_cast<float>(a), kRelativeField));
    }
  }
}

TEST(WritePatternFile, VerticalCodesComeBackBesideAHorizontalCodeOfTheSameBackRadiation) {
  const std::pair<const char*, const char*> pairs[] = {
      {"030EA00", "010EA00"}, {"030EA00", "005EA00"}, {"030EA00", "065EA00"},
      {"030EA00", "015LA00"}, {"030EA10", "030EA10"}, {"030EA10", "030LA10"},
      {"030EA10", "020LA10"}, {"060EB00", "007EB00"}, {"045EC00", "007EC00"},
      {"000ND00", "010DE00"}};
  for (const auto& [h, v] : pairs) {
    for (const float elevation : {0.0f, -3.0f, 5.0f}) {
      const KathreinConversion r = RoundTrip(Codes(h, v, 45, elevation));
      EXPECT_EQ(r.hCode, h);
      EXPECT_EQ(r.vCode, v) << h << " at " << elevation;
      EXPECT_FLOAT_EQ(r.eleMax, elevation) << h << " " << v;
    }
  }
  const KathreinConversion omni = RoundTrip(Codes("000ND00", "000ND00", 0, -7));
  EXPECT_EQ(omni.vCode, "000ND00");
}

// Beside an omni horizontal code the cut holds the vertical lobe on both sides: DE, the E lobe
// mirrored to the back, comes back with the same first number.
TEST(WritePatternFile, VerticalECodeBesideAnOmniCodeComesBackMirrored) {
  const KathreinConversion r = RoundTrip(Codes("000ND00", "010EA00", 0, -3));
  EXPECT_EQ(r.vCode, "010DE00");
  EXPECT_FLOAT_EQ(r.eleMax, -3);
}

}  // namespace
}  // namespace lobrix
