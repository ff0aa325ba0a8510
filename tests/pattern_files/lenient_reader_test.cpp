// The lenient pattern-file reader: every variant it accepts, built from small files of our own,
// what it reports having normalised, which reading a file needed, and the rejections with their
// line numbers.
#include "pattern_files/lenient_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

#include "pattern_files/strict_reader.h"
#include "tests/pattern_files/msi_text.h"

namespace lobrix {
namespace {

using test::HorizontalDb;
using test::MsiFile;
using test::VerticalDb;

// Relative field of an attenuation, computed here in double: 10^(-dB/20), at most 1.
double Field(double db) {
  return std::min(1.0, std::pow(10.0, -db / 20.0));
}

// A block of rows "angle value" at `step` degrees, the value given by `db(angle)`.
std::vector<std::string> Rows(double step, const std::function<double(double)>& db,
                              const char* format = "%g %.2f") {
  std::vector<std::string> rows;
  const int n = static_cast<int>(std::lround(360 / step));
  for (int k = 0; k < n; ++k) {
    char text[64];
    std::snprintf(text, sizeof text, format, k * step, db(k * step));
    rows.push_back(text);
  }
  return rows;
}

std::string Join(const std::vector<std::string>& lines, const std::string& eol = "\n") {
  std::string text;
  for (const std::string& line : lines) text += line + eol;
  return text;
}

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const std::vector<std::string> kHeader = {"NAME panel", "FREQUENCY 900", "GAIN 15 dBd"};

std::string TwoBlocks(double hStep, double vStep,
                      const std::vector<std::string>& header = kHeader) {
  return Join(header + std::vector<std::string>{"HORIZONTAL"} + Rows(hStep, HorizontalDb) +
              std::vector<std::string>{"VERTICAL"} + Rows(vStep, VerticalDb));
}

PatternFileResult Read(const std::string& text) {
  return ReadPatternFile(text, "panel_900.msi");
}

void ExpectColumn(const PatternColumn& column, const std::function<double(int)>& db) {
  for (int i = 0; i < 360; ++i) EXPECT_NEAR(column[i], Field(db(i)), 2e-6) << "row " << i;
}

TEST(ReadPatternFile, KathreinLayoutReadsAsTheKathreinReaderDoes) {
  for (const char* eol : {"\r\n", "\n"}) {
    const std::string text = MsiFile().Text(eol);
    const PatternFileResult r = Read(text);
    ASSERT_TRUE(r.read) << r.error;
    KathreinPattern strict;
    ASSERT_EQ(ReadKathreinFile(text, strict), kKathreinRead);
    EXPECT_EQ(r.file.pattern.measured, strict.measured);
    EXPECT_EQ(r.file.pattern.gain, strict.gain);
    EXPECT_EQ(r.file.pattern.antennaName, "742 215 test panel");
    EXPECT_EQ(r.file.header.tiltKind, "ELECTRICAL");
    EXPECT_EQ(r.file.reading, PatternReading::kKathrein);
    EXPECT_TRUE(ReadingNotes(r.file).empty());
  }
}

TEST(ReadPatternFile, RealMeasuredFileNeedsOnlyTheKathreinReading) {
  const PatternFileResult r =
      ReadPatternPath(std::string(LOBRIX_TEST_DATA) + "/msi/80010465_0791_x_co.msi");
  ASSERT_TRUE(r.read) << r.error;
  EXPECT_EQ(r.file.reading, PatternReading::kKathrein);
  EXPECT_EQ(r.file.pattern.antennaName, "80010465");
  EXPECT_FLOAT_EQ(r.file.pattern.frequency, 791);
  EXPECT_EQ(r.file.header.comment, "DATE 01.07.2010");
}

TEST(ReadPatternFile, HeaderInAnyOrderAndCaseWithUnitsAndUnknownKeywords) {
  const std::vector<std::string> header = {
      "comment  measured 2024  ", "Gain 17.15 dBi", "tilt mechanical 4", "MAKE Acme\tAntennas",
      "frequency 1.8 GHz",        "H_WIDTH 65 deg", "V_width 7.5",       "FRONT_TO_BACK 25 dB",
      "POLARIZATION +45",         "X_SERIAL 12 34", "Name  sector A "};
  const PatternFileResult r = Read(TwoBlocks(1, 1, header));
  ASSERT_TRUE(r.read) << r.error;
  const PatternFileHeader& h = r.file.header;
  EXPECT_EQ(r.file.pattern.antennaName, "sector A");
  EXPECT_FLOAT_EQ(r.file.pattern.frequency, 1800);
  EXPECT_FLOAT_EQ(r.file.pattern.gain, 17.15f);  // dBi as stated, nothing added
  EXPECT_EQ(h.gainUnit, "dBi");
  EXPECT_EQ(h.make, "Acme\tAntennas");
  EXPECT_EQ(h.comment, "measured 2024");
  EXPECT_EQ(h.tiltKind, "MECHANICAL");
  EXPECT_FLOAT_EQ(h.tilt.value(), 4);
  EXPECT_FLOAT_EQ(h.hWidth.value(), 65);
  EXPECT_FLOAT_EQ(h.vWidth.value(), 7.5);
  EXPECT_FLOAT_EQ(h.frontToBack.value(), 25);
  EXPECT_EQ(h.polarization, "+45");
  ASSERT_EQ(h.otherKeywords.size(), 1u);
  EXPECT_EQ(h.otherKeywords[0].first, "X_SERIAL");
  EXPECT_EQ(h.otherKeywords[0].second, "12 34");
  EXPECT_EQ(r.file.reading, PatternReading::kLenient);
}

TEST(ReadPatternFile, GainWithoutUnitIsDbdAndTiltAloneIsANumber) {
  const PatternFileResult r = Read(TwoBlocks(1, 1, {"FREQUENCY 900 MHz", "GAIN 15", "TILT -2"}));
  ASSERT_TRUE(r.read) << r.error;
  EXPECT_NEAR(r.file.pattern.gain, 17.1, 1e-5);
  EXPECT_EQ(r.file.header.gainUnit, "dBd");
  EXPECT_EQ(r.file.header.tiltKind, "");
  EXPECT_FLOAT_EQ(r.file.header.tilt.value(), -2);
  // No NAME: the file name stands in, and the notes say so.
  EXPECT_EQ(r.file.pattern.antennaName, "panel_900.msi");
  EXPECT_TRUE(r.file.nameFromFileName);
  ASSERT_EQ(ReadingNotes(r.file).size(), 1u);
  EXPECT_EQ(ReadingNotes(r.file)[0], "no NAME: the file name is used");
}

TEST(ReadPatternFile, LineEndsByteOrderMarkEndCharacterAndBlanksGiveTheSameTable) {
  const PatternFileResult plain = Read(TwoBlocks(1, 1));
  ASSERT_TRUE(plain.read) << plain.error;
  std::string cr = TwoBlocks(1, 1);
  for (char& c : cr) c = c == '\n' ? '\r' : c;
  std::string padded;  // trailing blanks and tabs, tabs between the numbers, blank lines
  for (const char c : TwoBlocks(1, 1))
    padded += c == '\n' ? " \t \r\n\r\n" : c == ' ' ? std::string("\t") : std::string(1, c);
  const std::string variants[] = {cr, "\xEF\xBB\xBF" + TwoBlocks(1, 1),
                                  TwoBlocks(1, 1) + "\x1a\x1a garbage after the end", padded};
  for (const std::string& text : variants) {
    const PatternFileResult r = Read(text);
    ASSERT_TRUE(r.read) << r.error;
    EXPECT_EQ(r.file.pattern.measured, plain.file.pattern.measured);
    EXPECT_EQ(r.file.pattern.antennaName, "panel");
  }
}

TEST(ReadPatternFile, BlocksInEitherOrderWithOrWithoutCountAndWholeOrDecimalAngles) {
  const std::string text =
      Join(kHeader + std::vector<std::string>{"vertical 360"} + Rows(1, VerticalDb, "%.1f\t%.2f") +
           std::vector<std::string>{"Horizontal"} + Rows(1, HorizontalDb, "%.0f %.2f"));
  const PatternFileResult r = Read(text);
  ASSERT_TRUE(r.read) << r.error;
  ExpectColumn(r.file.pattern.measured[0], HorizontalDb);
  ExpectColumn(r.file.pattern.measured[1], VerticalDb);
}

// Attenuation at angle a of a smooth test plane, 0 dB at 0 degrees.
double Smooth(double a) {
  return 20 * (1 - std::cos(a * std::numbers::pi / 180));
}

TEST(ReadPatternFile, OtherStepsAreResampledLinearlyInDbRoundTheCircle) {
  for (const double step : {0.5, 2.0, 5.0, 10.0}) {
    const int count = static_cast<int>(360 / step);
    const std::string text =
        Join(kHeader + std::vector<std::string>{"HORIZONTAL " + std::to_string(count)} +
             Rows(step, Smooth, "%g %.4f") + std::vector<std::string>{"VERTICAL"} +
             Rows(step, Smooth, "%g %.4f"));
    const PatternFileResult r = Read(text);
    ASSERT_TRUE(r.read) << step << ": " << r.error;
    for (int plane = 0; plane < 2; ++plane) {
      // Expected: the straight line in dB between the neighbouring rows, 360 wrapping to 0.
      ExpectColumn(r.file.pattern.measured[plane], [step](int d) {
        const double below = std::floor(d / step) * step;
        const double t = (d - below) / step;
        const double a = std::round(Smooth(below) * 1e4) / 1e4;
        const double b = std::round(Smooth(std::fmod(below + step, 360)) * 1e4) / 1e4;
        return a + (b - a) * t;
      });
      EXPECT_EQ(r.file.normalised[plane].stepDegrees, step);
    }
    EXPECT_EQ(r.file.reading, PatternReading::kLenient);
  }
}

TEST(ReadPatternFile, MissingLastRowIsFilledByInterpolation) {
  std::vector<std::string> h = Rows(1, HorizontalDb), v = Rows(5, VerticalDb);
  h.pop_back();  // no 359
  v.pop_back();  // no 355
  const PatternFileResult r = Read(Join(kHeader + std::vector<std::string>{"HORIZONTAL 360"} + h +
                                        std::vector<std::string>{"VERTICAL"} + v));
  ASSERT_TRUE(r.read) << r.error;
  EXPECT_NEAR(r.file.pattern.measured[0][359], Field((HorizontalDb(358) + HorizontalDb(0)) / 2),
              1e-6);
  // 355 is halfway between 350 and 0; 357 two fifths of the way from 355 to 0.
  const double v355 = (VerticalDb(350) + VerticalDb(0)) / 2;
  EXPECT_NEAR(r.file.pattern.measured[1][357], Field(v355 + (VerticalDb(0) - v355) * 0.4), 1e-6);
  EXPECT_TRUE(r.file.normalised[0].lastRowFilled);
  EXPECT_TRUE(r.file.normalised[1].lastRowFilled);
  const std::vector<std::string> notes = ReadingNotes(r.file);
  ASSERT_EQ(notes.size(), 3u);
  EXPECT_EQ(notes[0], "horizontal: last row (359°) filled by interpolation");
  EXPECT_EQ(notes[1], "vertical: rows every 5° resampled to 1°");
}

TEST(ReadPatternFile, UnnormalisedAttenuationsAreShiftedAndGainsTurned) {
  const auto shifted = [](double a) { return HorizontalDb(static_cast<int>(a)) + 3; };
  const auto gains = [](double a) { return -VerticalDb(static_cast<int>(a)) - 1.5; };
  const PatternFileResult r =
      Read(Join(kHeader + std::vector<std::string>{"HORIZONTAL"} + Rows(1, shifted) +
                std::vector<std::string>{"VERTICAL"} + Rows(1, gains)));
  ASSERT_TRUE(r.read) << r.error;
  ExpectColumn(r.file.pattern.measured[0], HorizontalDb);
  ExpectColumn(r.file.pattern.measured[1], VerticalDb);
  EXPECT_DOUBLE_EQ(r.file.normalised[0].shiftDb, -3);
  EXPECT_FALSE(r.file.normalised[0].gainsTurned);
  EXPECT_TRUE(r.file.normalised[1].gainsTurned);
  EXPECT_DOUBLE_EQ(r.file.normalised[1].shiftDb, -1.5);
  const std::vector<std::string> notes = ReadingNotes(r.file);
  ASSERT_EQ(notes.size(), 3u);
  EXPECT_EQ(notes[0], "horizontal: attenuations shifted by -3.00 dB to a maximum of 0 dB");
  EXPECT_EQ(notes[1], "vertical: gains turned into attenuations");
  // The Kathrein reader would read this file, but not as meant.
  EXPECT_EQ(r.file.reading, PatternReading::kLenient);
}

// A file made from the standard one by replacing the line with number `line` (1-based).
std::string WithLine(int line, const std::string& replacement) {
  std::vector<std::string> lines = kHeader + std::vector<std::string>{"HORIZONTAL 360"} +
                                   Rows(1, HorizontalDb) + std::vector<std::string>{"VERTICAL"} +
                                   Rows(1, VerticalDb);
  lines[static_cast<std::size_t>(line - 1)] = replacement;
  return Join(lines);
}

TEST(ReadPatternFile, RejectsWithTheLineAndWhatWasExpectedAndNoPartialTable) {
  struct Case {
    std::string text;
    int line;
    const char* expected;
  };
  const std::vector<std::string> noFrequency = {"NAME x", "GAIN 1"};
  const Case cases[] = {
      {WithLine(3, "0 0.00"), 3, "a header keyword"},
      {WithLine(4, "HORIZONTAL 0"), 4, "row count"},
      {WithLine(4, "HORIZONTAL 360 rows"), 4, "row count"},
      {WithLine(5, "0,0 0,00"), 5, "separated by blanks or tabs"},
      {WithLine(7, "2,5 3.00"), 7, "separated by blanks or tabs"},
      {WithLine(7, "2 3.00 1.00"), 7, "separated by blanks or tabs"},
      {WithLine(7, "2"), 7, "separated by blanks or tabs"},  // one number: found by the fuzz run
      {WithLine(7, "2 nan"), 7, "separated by blanks or tabs"},
      {WithLine(7, "2 1e308"), 7, "a value within 1000 dB"},  // would shift to infinity
      {WithLine(7, "2 -1e308"), 7, "a value within 1000 dB"},
      {WithLine(369, "3 1000.5"), 369, "a value within 1000 dB"},  // the vertical block
      {WithLine(7, "3 1.00"), 7, "the angle 2"},
      {WithLine(5, "1 0.00"), 5, "the angle 0"},
      {WithLine(100, "GAIN 3"), 100, "a row"},
      {WithLine(365, "HORIZONTAL"), 365, "each block once, and this one is repeated: HORIZONTAL"},
      {Join(kHeader + std::vector<std::string>{"HORIZONTAL"} + Rows(7, HorizontalDb)), 6,
       "a constant step"},
      {Join(kHeader + std::vector<std::string>{"HORIZONTAL"} + Rows(1, HorizontalDb)), 365,
       "before the end of the file: VERTICAL"},
      {Join(noFrequency + std::vector<std::string>{"HORIZONTAL"}), 4, "the angle 0"},
      {"", 1, "a block before the end of the file: HORIZONTAL"},
      {Join(noFrequency), 3, "a block before the end of the file: HORIZONTAL"},
  };
  for (const Case& c : cases) {
    const PatternFileResult r = Read(c.text);
    EXPECT_FALSE(r.read) << c.expected;
    EXPECT_EQ(r.errorLine, c.line) << r.error;
    EXPECT_NE(r.error.find("line " + std::to_string(c.line) + ": expected"), std::string::npos)
        << r.error;
    EXPECT_NE(r.error.find(c.expected), std::string::npos) << r.error;
    for (const PatternColumn& column : r.file.pattern.measured) {
      EXPECT_EQ(column, PatternColumn{}) << "partial table left by: " << r.error;
    }
  }
}

// Nothing in the header is needed to convert a file: a value that cannot be read, or a keyword
// given again after one that was read, is kept as written with a note, and the file reads. A
// FREQUENCY or GAIN that cannot be read, or none at all, leaves that value unknown.
TEST(ReadPatternFile, HeaderValuesThatCannotBeReadAreKeptAsTextWithANote) {
  struct Case {
    std::vector<std::string> header;
    const char* note;  // the file's first reading note
    bool frequencyKnown = true, gainKnown = true;
  };
  const std::vector<std::string> nameOnly = {"NAME panel"};
  const Case cases[] = {
      {kHeader + std::vector<std::string>{"TILT fixed"},
       "line 4: \"TILT fixed\" kept as text: no tilt (a number, or MECHANICAL or ELECTRICAL "
       "with a number)"},
      {kHeader + std::vector<std::string>{"tilt Electrical down 4"},
       "line 4: \"TILT Electrical down 4\" kept as text: no tilt (a number, or MECHANICAL or "
       "ELECTRICAL with a number)"},
      {kHeader + std::vector<std::string>{"H_WIDTH wide"},
       "line 4: \"H_WIDTH wide\" kept as text: no number"},
      {kHeader + std::vector<std::string>{"V_WIDTH"},
       "line 4: \"V_WIDTH\" kept as text: no number"},
      {kHeader + std::vector<std::string>{"FRONT_TO_BACK >25 dB"},
       "line 4: \"FRONT_TO_BACK >25 dB\" kept as text: no number"},
      {kHeader + std::vector<std::string>{"NAME again"},
       "line 4: \"NAME again\" kept as text: given before; the first one stands"},
      {{"NAME panel", "FREQUENCY 790-862", "GAIN 15 dBd"},
       "line 2: \"FREQUENCY 790-862\" kept as text: no frequency (a number with MHz or GHz)",
       false},
      // A FREQUENCY that reads after one that does not is taken.
      {{"NAME panel", "FREQUENCY 900 kHz", "GAIN 15 dBd", "FREQUENCY 900"},
       "line 2: \"FREQUENCY 900 kHz\" kept as text: no frequency (a number with MHz or GHz)"},
      {{"NAME panel", "FREQUENCY 900", "GAIN 15 dB"},
       "line 3: \"GAIN 15 dB\" kept as text: no gain (a number with dBd or dBi)",
       true,
       false},
      {{"NAME panel", "GAIN 15 dBd"}, "the frequency is unknown (no FREQUENCY that reads)", false},
      {{"NAME panel", "FREQUENCY 900"}, "the gain is unknown (no GAIN that reads)", true, false},
  };
  for (const Case& c : cases) {
    const PatternFileResult r = Read(TwoBlocks(1, 1, c.header));
    ASSERT_TRUE(r.read) << c.note << ": " << r.error;
    ExpectColumn(r.file.pattern.measured[0], HorizontalDb);
    ExpectColumn(r.file.pattern.measured[1], VerticalDb);
    const std::vector<std::string> notes = ReadingNotes(r.file);
    ASSERT_GE(notes.size(), 1u) << c.note;
    EXPECT_EQ(notes[0], c.note);
    EXPECT_EQ(r.file.frequencyKnown, c.frequencyKnown) << c.note;
    EXPECT_EQ(r.file.gainKnown, c.gainKnown) << c.note;
    EXPECT_EQ(r.file.pattern.frequency, c.frequencyKnown ? 900.0f : 0.0f) << c.note;
    EXPECT_EQ(r.file.header.gainUnit.empty(), !c.gainKnown) << c.note;
    EXPECT_EQ(r.file.pattern.antennaName, "panel");  // the first NAME stands
  }
  // The text kept as written, and the note in Czech.
  const PatternFileResult tilt =
      Read(TwoBlocks(1, 1, kHeader + std::vector<std::string>{"TILT fixed"}));
  ASSERT_EQ(tilt.file.header.unread.size(), 1u);
  EXPECT_EQ(tilt.file.header.unread[0].keyword, "TILT");
  EXPECT_EQ(tilt.file.header.unread[0].text, "fixed");
  EXPECT_FALSE(tilt.file.header.tilt.has_value());
  EXPECT_EQ(ReadingNotes(tilt.file, kCzech)[0],
            "řádek 4: \"TILT fixed\" ponecháno jako text: není sklon (číslo, nebo MECHANICAL či "
            "ELECTRICAL s číslem)");
}

// A note quotes the file's text as valid UTF-8 (code page 1250 bytes read as such, control
// characters shown as '?') and cut after 60 characters.
TEST(ReadPatternFile, NotesQuoteTheFileTextSafely) {
  const std::string odd = "TILT pevn\xFD\x01" + std::string(80, 'x');
  const PatternFileResult r = Read(TwoBlocks(1, 1, kHeader + std::vector<std::string>{odd}));
  ASSERT_TRUE(r.read) << r.error;
  EXPECT_EQ(ReadingNotes(r.file)[0], "line 4: \"TILT pevný?" + std::string(49, 'x') +
                                         "...\" kept as text: no tilt (a number, or MECHANICAL "
                                         "or ELECTRICAL with a number)");
}

// A header number beyond the float range is left out with a note (a FREQUENCY or GAIN is then
// unknown); the file still reads.
TEST(ReadPatternFile, HeaderNumbersBeyondTheFloatRangeAreLeftOut) {
  const struct {
    const char* line;
    const char* note;
  } cases[] = {
      {"FREQUENCY 1e308 GHz", "line 2: FREQUENCY is beyond the range of a float: left out"},
      {"GAIN -1e39", "line 2: GAIN is beyond the range of a float: left out"},
      {"H_WIDTH 1e39 deg", "line 2: H_WIDTH is beyond the range of a float: left out"},
      {"TILT MECHANICAL -4e38", "line 2: TILT is beyond the range of a float: left out"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> header = {"NAME x", c.line, "FREQUENCY 900", "GAIN 15"};
    // The keyword of the case replaces the ordinary line of that keyword.
    const std::string keyword = std::string(c.line).substr(0, std::string(c.line).find(' '));
    if (keyword == "FREQUENCY" || keyword == "GAIN") {
      header.erase(header.begin() + (keyword == "FREQUENCY" ? 2 : 3));
    }
    const PatternFileResult r = Read(TwoBlocks(1, 1, header));
    ASSERT_TRUE(r.read) << c.line << ": " << r.error;
    const std::vector<std::string> notes = ReadingNotes(r.file);
    ASSERT_GE(notes.size(), 1u) << c.line;
    EXPECT_EQ(notes[0], c.note);
    EXPECT_EQ(r.file.frequencyKnown, keyword != "FREQUENCY") << c.line;
    EXPECT_EQ(r.file.gainKnown, keyword != "GAIN") << c.line;
    EXPECT_TRUE(std::isfinite(r.file.pattern.frequency) && std::isfinite(r.file.pattern.gain));
    EXPECT_FALSE(r.file.header.hWidth.has_value()) << c.line;
    EXPECT_FALSE(r.file.header.tilt.has_value()) << c.line;
    EXPECT_EQ(r.file.reading, PatternReading::kLenient) << c.line;
  }
}

// A file of junk header lines keeps a bounded part of them: memory stays near the file's size.
TEST(ReadPatternFile, UnknownKeywordsAreBoundedAndCounted) {
  std::vector<std::string> header = {"X_LONG " + std::string(5000, 'x'),
                                     "Y" + std::string(2000, 'y')};
  for (int i = 0; i < 10000; ++i) header.push_back("a");
  const PatternFileResult r = Read(TwoBlocks(1, 1, kHeader + header));
  ASSERT_TRUE(r.read) << r.error;
  const PatternFileHeader& h = r.file.header;
  ASSERT_EQ(h.otherKeywords.size(), kMostOtherKeywords);
  EXPECT_EQ(h.otherKeywordsLeftOut, 10002 - kMostOtherKeywords);
  EXPECT_EQ(h.otherKeywords[0].first, "X_LONG");
  EXPECT_EQ(h.otherKeywords[0].second, std::string(1024, 'x'));
  EXPECT_EQ(h.otherKeywords[1].first, "Y" + std::string(1023, 'y'));
  EXPECT_EQ(h.otherKeywords[63].first, "a");
  const std::vector<std::string> notes = ReadingNotes(r.file);
  ASSERT_EQ(notes.size(), 2u);
  EXPECT_EQ(notes[0], "9938 more unknown header keywords left out (64 kept)");
  EXPECT_EQ(notes[1], "unknown header keywords cut to 1024 bytes");
}

TEST(ReadPatternFile, ShortBlocksAreRejectedAtTheirEnd) {
  std::vector<std::string> h = Rows(1, HorizontalDb);
  h.resize(300);
  const PatternFileResult counted =
      Read(Join(kHeader + std::vector<std::string>{"HORIZONTAL 360"} + h +
                std::vector<std::string>{"VERTICAL"} + Rows(1, VerticalDb)));
  EXPECT_EQ(counted.errorLine, 305);
  EXPECT_NE(counted.error.find("expected the angle 300"), std::string::npos) << counted.error;

  // Too many rows for the stated count, and a vertical block cut short at the end of the file.
  const PatternFileResult over =
      Read(Join(kHeader + std::vector<std::string>{"HORIZONTAL 72"} + Rows(1, HorizontalDb)));
  EXPECT_NE(over.error.find("line 6: expected the angle 5"), std::string::npos) << over.error;
  std::vector<std::string> v = Rows(1, VerticalDb);
  v.resize(10);
  const PatternFileResult cut =
      Read(Join(kHeader + std::vector<std::string>{"HORIZONTAL"} + Rows(1, HorizontalDb) +
                std::vector<std::string>{"VERTICAL"} + v));
  EXPECT_EQ(cut.errorLine, 376);
  EXPECT_NE(cut.error.find("expected the angle 10"), std::string::npos) << cut.error;
}

}  // namespace
}  // namespace lobrix
