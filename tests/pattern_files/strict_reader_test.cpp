// The Kathrein reader: header tests, the two blocks of pairs, the field rules, the result codes
// and what a rejected or short file leaves behind; the real measured file.
#include "pattern_files/strict_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "pattern_files/read_messages.h"
#include "tests/pattern_files/msi_text.h"
#include "text/text_number.h"

namespace lobrix {
namespace {

using test::HorizontalDb;
using test::MsiFile;
using test::VerticalDb;

// Relative field of an attenuation, computed here in double: 10^(-dB/20), at most 1.
double Field(double db) {
  return std::min(1.0, std::pow(10.0, -db / 20.0));
}

KathreinPattern Prefilled(float value) {
  KathreinPattern p;
  for (auto& column : p.measured) column.fill(value);
  return p;
}

TEST(ReadKathreinFile, ReadsHeaderAndBothBlocks) {
  KathreinPattern p;
  ASSERT_EQ(ReadKathreinFile(MsiFile().Text(), p), kKathreinRead);
  EXPECT_EQ(p.antennaName, "742 215 test panel");
  EXPECT_FLOAT_EQ(p.frequency, 900.0f);  // the unit after the number is ignored
  EXPECT_NEAR(p.gain, 17.1, 1e-5);       // 15.0 dBd + 2.1
  for (int i = 0; i < 360; ++i) {
    EXPECT_NEAR(p.measured[0][i], Field(HorizontalDb(i)), 1e-6) << i;
    EXPECT_NEAR(p.measured[1][i], Field(VerticalDb(i)), 1e-6) << i;
  }
}

TEST(ReadKathreinFile, HeaderKeywordsInAnyCase) {
  MsiFile file;
  file.header[0] = "nAmE x";
  file.header[1] = "Frequency 1800.5";
  KathreinPattern p;
  EXPECT_EQ(ReadKathreinFile(file.Text(), p), kKathreinRead);
  EXPECT_EQ(p.antennaName, "x");
  EXPECT_FLOAT_EQ(p.frequency, 1800.5f);

  file.header[0] = "NAME";  // no name after the keyword
  EXPECT_EQ(ReadKathreinFile(file.Text(), p), kKathreinRead);
  EXPECT_EQ(p.antennaName, "");
}

TEST(ReadKathreinFile, WrongKeywordsAreNotKathreinFiles) {
  for (const char* first : {"ANTENNA NAME x", "NAM", "", " NAME x"}) {
    MsiFile file;
    file.header[0] = first;
    KathreinPattern p = Prefilled(0.5f);
    EXPECT_EQ(ReadKathreinFile(file.Text(), p), kNotKathreinFile) << first;
    // The other header lines were still read; the pairs were not.
    EXPECT_FLOAT_EQ(p.frequency, 900.0f);
    EXPECT_NEAR(p.gain, 17.1, 1e-5);
    EXPECT_EQ(p.measured[0][0], 0.5f);
  }
  MsiFile file;
  file.header[1] = "FREQ 900";
  KathreinPattern p;
  p.frequency = 123;
  EXPECT_EQ(ReadKathreinFile(file.Text(), p), kNotKathreinFile);
  EXPECT_EQ(p.frequency, 123.0f);
  EXPECT_EQ(p.antennaName, "742 215 test panel");
}

TEST(ReadKathreinFile, ShortFiles) {
  KathreinPattern p;
  EXPECT_EQ(ReadKathreinFile("", p), kNotKathreinFile);
  // Fewer than six header lines: result 1, and the lines that were there are taken.
  EXPECT_EQ(ReadKathreinFile("NAME a\r\nFREQUENCY 400\r\nGAIN 1\r\nX\r\nY\r\n", p),
            kNotKathreinFile);
  EXPECT_EQ(p.antennaName, "a");
  EXPECT_FLOAT_EQ(p.frequency, 400.0f);
  // Six header lines and nothing else: the vertical block's header is missing.
  EXPECT_EQ(ReadKathreinFile("NAME a\r\nFREQUENCY 400\r\nGAIN 1\r\nX\r\nY\r\nZ\r\n", p),
            kShorterThanKathreinFile);

  // Ending inside the horizontal block: result 2, the rows read so far are kept.
  const std::string full = MsiFile().Text();
  const std::string cut = full.substr(0, full.find("100.0 "));
  p = Prefilled(0.5f);
  EXPECT_EQ(ReadKathreinFile(cut, p), kShorterThanKathreinFile);
  EXPECT_NEAR(p.measured[0][99], Field(HorizontalDb(99)), 1e-6);
  EXPECT_EQ(p.measured[0][100], 0.5f);
}

// A file cut off anywhere inside the vertical block (a partial download) is shorter than a
// Kathrein file: accepted, its missing rows would stay zeros and convert to a wrong EleMax.
TEST(ReadKathreinFile, EndingInsideTheVerticalBlockIsShorter) {
  const std::string full = MsiFile().Text();
  const std::size_t vertical = full.find("VERTICAL");
  const std::size_t row200 = full.find("\r\n200.0 ", vertical) + 2;
  const std::size_t row359 = full.find("\r\n359.0 ", vertical) + 2;
  const struct {
    const char* what;
    std::string text;
  } cases[] = {
      {"after the header line", full.substr(0, full.find("\r\n", vertical) + 2)},
      {"before row 200", full.substr(0, row200)},
      {"after the angle 200", full.substr(0, full.find(" ", row200))},
      {"before the last row", full.substr(0, row359)},
      {"after the last angle", full.substr(0, full.find(" ", row359))},
  };
  for (const auto& c : cases) {
    KathreinPattern p = Prefilled(0.5f);
    EXPECT_EQ(ReadKathreinFile(c.text, p), kShorterThanKathreinFile) << c.what;
  }
  // The whole last pair without a line end is still a whole file.
  KathreinPattern p;
  EXPECT_EQ(ReadKathreinFile(full.substr(0, full.size() - 2), p), kKathreinRead);
}

TEST(ReadKathreinFile, AnglesMustBeTheRowNumbers) {
  MsiFile startsAtOne;
  startsAtOne.horizontal.erase(startsAtOne.horizontal.begin());
  startsAtOne.horizontal.push_back(test::Pair(360, 0));
  KathreinPattern p;
  EXPECT_EQ(ReadKathreinFile(startsAtOne.Text(), p), kShorterThanKathreinFile);

  MsiFile everySecond;
  for (int i = 0; i < 360; ++i) everySecond.horizontal[i] = test::Pair(2 * i, 0);
  EXPECT_EQ(ReadKathreinFile(everySecond.Text(), p), kShorterThanKathreinFile);

  MsiFile repeated;  // 0 1 2 3 4 5 5 7 ...
  repeated.horizontal[6] = test::Pair(5, 0);
  EXPECT_EQ(ReadKathreinFile(repeated.Text(), p), kShorterThanKathreinFile);
  MsiFile fraction;
  fraction.horizontal[6] = test::Pair(6.5, 0);
  EXPECT_EQ(ReadKathreinFile(fraction.Text(), p), kShorterThanKathreinFile);

  MsiFile verticalGap;
  verticalGap.vertical[180] = test::Pair(181, 0);
  p = Prefilled(0.5f);
  EXPECT_EQ(ReadKathreinFile(verticalGap.Text(), p), kShorterThanKathreinFile);
  EXPECT_NEAR(p.measured[1][179], Field(VerticalDb(179)), 1e-6);  // read up to the gap
  EXPECT_EQ(p.measured[1][181], 0.5f);
}

TEST(ReadKathreinFile, AttenuationToRelativeField) {
  MsiFile file;
  file.horizontal[0] = "0 -1";     // above the maximum: stored as 1
  file.horizontal[1] = "1 20";     // 0.1
  file.horizontal[2] = "2 40";     // 0.01
  file.horizontal[3] = "3 6.02";   // about 0.5
  file.horizontal[4] = "4 1e999";  // not a finite number: the 40 dB floor
  file.horizontal[5] = "5 -1e999";
  file.horizontal[6] = "6 x";  // no number reads as 0 dB
  KathreinPattern p;
  ASSERT_EQ(ReadKathreinFile(file.Text(), p), kKathreinRead);
  EXPECT_EQ(p.measured[0][0], 1.0f);
  EXPECT_FLOAT_EQ(p.measured[0][1], 0.1f);
  EXPECT_FLOAT_EQ(p.measured[0][2], 0.01f);
  EXPECT_NEAR(p.measured[0][3], 0.50003, 1e-5);
  EXPECT_FLOAT_EQ(p.measured[0][4], 0.01f);
  EXPECT_FLOAT_EQ(p.measured[0][5], 0.01f);
  EXPECT_EQ(p.measured[0][6], 1.0f);
}

TEST(ReadKathreinFile, GainUnit) {
  const struct {
    const char* line;
    double dbi;
  } cases[] = {
      {"GAIN 15.0 dBd", 17.1}, {"GAIN 15.0", 17.1},    {"GAIN 17.6 dBd", 19.7},
      {"GAIN 17.1 dBi", 17.1}, {"GAIN 17.1dBi", 17.1}, {"gain 9 DBI", 9.0},
      {"GAIN -3 dBd", -0.9},   {"GAIN", 2.1},          {"GAIN 12 dB", 14.1},
  };
  for (const auto& c : cases) {
    MsiFile file;
    file.header[2] = c.line;
    KathreinPattern p;
    ASSERT_EQ(ReadKathreinFile(file.Text(), p), kKathreinRead) << c.line;
    EXPECT_NEAR(p.gain, c.dbi, 1e-5) << c.line;
  }
}

TEST(ReadKathreinFile, FieldSeparators) {
  MsiFile commas;
  for (int i = 0; i < 360; ++i) commas.horizontal[i] = test::Pair(i, HorizontalDb(i), ",");
  KathreinPattern p;
  EXPECT_EQ(ReadKathreinFile(commas.Text(), p), kKathreinRead);
  EXPECT_NEAR(p.measured[0][7], Field(HorizontalDb(7)), 1e-6);

  // A tab inside a field is ignored, so it does not separate the angle from the attenuation:
  // "0<tab>1.50" reads as the angle 01.50.
  MsiFile tabs;
  for (int i = 0; i < 360; ++i) tabs.horizontal[i] = test::Pair(i, HorizontalDb(i), "\t");
  EXPECT_EQ(ReadKathreinFile(tabs.Text(), p), kShorterThanKathreinFile);

  // After a blank a tab is simply skipped; blanks before a field too.
  MsiFile blankTab;
  for (int i = 0; i < 360; ++i) blankTab.horizontal[i] = "  " + test::Pair(i, 3.0, " \t");
  EXPECT_EQ(ReadKathreinFile(blankTab.Text(), p), kKathreinRead);
  EXPECT_NEAR(p.measured[0][359], Field(3.0), 1e-6);
}

TEST(ReadKathreinFile, LineEnds) {
  KathreinPattern crlf, lf, cr;
  ASSERT_EQ(ReadKathreinFile(MsiFile().Text("\r\n"), crlf), kKathreinRead);
  ASSERT_EQ(ReadKathreinFile(MsiFile().Text("\n"), lf), kKathreinRead);
  ASSERT_EQ(ReadKathreinFile(MsiFile().Text("\r"), cr), kKathreinRead);
  EXPECT_EQ(lf.antennaName, crlf.antennaName);
  EXPECT_EQ(lf.measured, crlf.measured);
  EXPECT_EQ(cr.measured, crlf.measured);
  EXPECT_EQ(lf.gain, crlf.gain);

  // The last pair without a line end is still read.
  std::string text = MsiFile().Text("\n");
  text.pop_back();
  KathreinPattern noEnd;
  EXPECT_EQ(ReadKathreinFile(text, noEnd), kKathreinRead);
  EXPECT_EQ(noEnd.measured, crlf.measured);
}

TEST(ReadKathreinFile, Character26EndsTheFile) {
  const std::string full = MsiFile().Text();
  KathreinPattern p;
  EXPECT_EQ(ReadKathreinFile(full + "\x1a" + "garbage 1 2 3", p), kKathreinRead);

  const std::size_t vertical = full.find("VERTICAL");
  std::string cut = full;
  cut.insert(full.find("\r\n300.0 ", vertical) + 2, "\x1a");
  EXPECT_EQ(ReadKathreinFile(cut, p), kShorterThanKathreinFile);  // the file ends at row 300

  // In the header it ends the file there: fewer than six lines.
  EXPECT_EQ(ReadKathreinFile("NAME a\x1a\r\nFREQUENCY 1\r\n", p), kNotKathreinFile);
  EXPECT_EQ(p.antennaName, "a");
}

TEST(ReadKathreinPath, UnreadableFilesAreNotKathreinFiles) {
  KathreinPattern p;
  EXPECT_EQ(ReadKathreinPath(LOBRIX_TEST_DATA "/msi/does-not-exist.msi", p), kNotKathreinFile);
  EXPECT_EQ(ReadKathreinPath(LOBRIX_TEST_DATA "/msi", p), kNotKathreinFile);  // a folder
}

TEST(ReadKathreinPath, RealMeasuredFile) {
  KathreinPattern p;
  ASSERT_EQ(ReadKathreinPath(LOBRIX_TEST_DATA "/msi/80010465_0791_x_co.msi", p), kKathreinRead);
  EXPECT_EQ(p.antennaName, "80010465");
  EXPECT_FLOAT_EQ(p.frequency, 791.0f);
  EXPECT_NEAR(p.gain, 5.2, 1e-5);  // GAIN 3.10 dBd
  // First and last rows of both blocks, as the file states them.
  EXPECT_EQ(p.measured[0][0], 1.0f);
  EXPECT_NEAR(p.measured[0][2], Field(0.01), 1e-7);
  EXPECT_NEAR(p.measured[0][359], Field(0.01), 1e-7);
  EXPECT_EQ(p.measured[1][2], 1.0f);
  EXPECT_NEAR(p.measured[1][359], Field(0.08), 1e-7);
  for (const auto& column : p.measured) {
    for (const float value : column) {
      EXPECT_GT(value, 0.0f);
      EXPECT_LE(value, 1.0f);
    }
  }
}

TEST(TextNumber, DecimalNumberFromTheStart) {
  std::size_t end = 99;
  EXPECT_EQ(TextNumber("  -12.5e1x", &end), -125.0);
  EXPECT_EQ(end, 9u);
  EXPECT_EQ(TextNumber(".5"), 0.5);
  EXPECT_EQ(TextNumber("+3 dB"), 3.0);
  EXPECT_EQ(TextNumber("\t7.25"), 7.25);
  EXPECT_EQ(TextNumber("1e", &end), 1.0);  // an exponent without digits is not read
  EXPECT_EQ(end, 1u);
  EXPECT_EQ(TextNumber("abc", &end), 0.0);
  EXPECT_EQ(end, 0u);
  EXPECT_EQ(TextNumber("-."), 0.0);
  EXPECT_EQ(TextNumber("1e400"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(TextNumber("1e-400"), 0.0);
}

TEST(RememberChosenFile, SplitsAtTheLastBackslash) {
  KathreinPattern p;
  EXPECT_EQ(p.fileSpec, "*.msi");
  std::string folder = "old";
  RememberChosenFile("C:\\data\\ant\\742215.MSI", p, folder);
  EXPECT_EQ(p.fileName, "742215.MSI");
  EXPECT_EQ(p.fileSpec, "742215.MSI");
  EXPECT_EQ(folder, "C:\\data\\ant");
  RememberChosenFile("plain.msi", p, folder);
  EXPECT_EQ(p.fileName, "plain.msi");
  EXPECT_EQ(folder, "");
}

TEST(ReadFailureTexts, BothLanguages) {
  EXPECT_EQ(ReadFailureTitle("Tx:", "a.msi", kEnglish), "Tx: Error in file  a.msi");
  EXPECT_EQ(ReadFailureTitle("", "a.msi", kCzech), " Chyba v souboru  a.msi");
  EXPECT_EQ(ReadFailureText(1, "C:\\data", kEnglish),
            "in directory:  C:\\data\r\n\r\nSelected file  isn't  Kathrein antenna file  !!");
  EXPECT_EQ(ReadFailureText(2, "C:\\data", kCzech),
            "v adresáři:  C:\\data\r\n\r\nVybraný soubor  je kratší,  než by měl být  !!");
}

}  // namespace
}  // namespace lobrix
