// lobrix convert --report: the page is well-formed, holds one section a file (the failed ones
// too) with the codes, directions, gain, reading and notes, fetches nothing, and keeps the
// inline pictures' ids apart.
#include "cli/report_html.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/convert_command.h"
#include "cli/export_command.h"

namespace lobrix::cli {
namespace {

namespace fs = std::filesystem;

// Empty when `page` is well-formed markup: every tag closed in order (or closing itself),
// attribute quotes paired, every & an entity; otherwise what is wrong where.
std::string WellFormed(const std::string& page) {
  std::vector<std::string> open;
  static const std::regex entity("^&(amp|lt|gt|quot|apos|#[0-9]+);");
  for (std::size_t i = 0; (i = page.find_first_of("<&", i)) != std::string::npos;) {
    if (page[i] == '&') {
      if (!std::regex_search(page.substr(i, 8), entity)) return "bare & at " + std::to_string(i);
      ++i;
      continue;
    }
    if (page.compare(i, 4, "<!--") == 0) {
      i = page.find("-->", i);
      if (i == std::string::npos) return "open comment";
      continue;
    }
    const std::size_t end = page.find('>', i);
    if (end == std::string::npos) return "open tag at " + std::to_string(i);
    const std::string tag = page.substr(i + 1, end - i - 1);
    i = end + 1;
    if (tag.starts_with("!DOCTYPE") || tag.starts_with("?")) continue;
    if (std::count(tag.begin(), tag.end(), '"') % 2 != 0) return "unpaired quote in <" + tag;
    if (tag.starts_with("/")) {
      if (open.empty() || open.back() != tag.substr(1)) return "</" + tag.substr(1) + "> unopened";
      open.pop_back();
    } else if (!tag.ends_with("/")) {
      open.push_back(tag.substr(0, tag.find_first_of(" \n/")));
    }
  }
  return open.empty() ? "" : "<" + open.back() + "> never closed";
}

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

TEST(ConversionReport, OneWellFormedSelfContainedSectionPerFile) {
  const fs::path folder = fs::path(::testing::TempDir()) / "lobrix_report";
  fs::remove_all(folder);
  fs::create_directories(folder);
  const std::string exported = (folder / "a&b.msi").string();
  const std::vector<std::string> exportWords = {
      "030EA10", "030EA10", "--azimuth", "45", "--name", "Panel <A> & \"B\"", "-o", exported};
  std::ostringstream sink;
  ASSERT_EQ(RunExportCommand(Args(exportWords.begin(), exportWords.end()), sink, sink), 0);
  // A lenient file: gains at a 10 degree step, no NAME.
  std::string lenient = "FREQUENCY 900\nGAIN 10\nHORIZONTAL\n";
  for (int a = 0; a < 360; a += 10)
    lenient += std::to_string(a) + " -" + std::to_string(a / 10) + "\n";
  lenient += "VERTICAL\n";
  for (int a = 0; a < 360; a += 10)
    lenient += std::to_string(a) + " " + std::to_string(a / 20) + "\n";
  std::ofstream(folder / "gains.msi", std::ios::binary) << lenient;
  std::ofstream(folder / "bad.msi", std::ios::binary) << "NAME x\nFREQUENCY 9 kHz\n";

  const std::string report = (folder / "report.html").string();
  const std::vector<std::string> words = {folder.string(), "--report", report, "--csv"};
  std::ostringstream out, err;
  EXPECT_EQ(RunConvertCommand(Args(words.begin(), words.end()), out, err), 1);
  std::ifstream file(report, std::ios::binary);
  const std::string page(std::istreambuf_iterator<char>(file), {});

  EXPECT_EQ(WellFormed(page), "");
  EXPECT_TRUE(page.starts_with("<!DOCTYPE html>"));
  EXPECT_EQ(Count(page, "<section class=\"file\""), 3u);
  EXPECT_EQ(Count(page, "<svg"), 2u);  // the failed file has no picture
  EXPECT_NE(page.find("<td>Panel &lt;A&gt; &amp; &quot;B&quot;</td>"), std::string::npos);
  EXPECT_NE(page.find("<td>030EA10, AziMax 45.0°</td>"), std::string::npos);
  EXPECT_NE(page.find("<td>lenient</td>"), std::string::npos);
  EXPECT_NE(page.find("<li>horizontal: gains turned into attenuations</li>"), std::string::npos);
  EXPECT_NE(page.find("<li>vertical: rows every 10° resampled to 1°</li>"), std::string::npos);
  EXPECT_NE(page.find("line 3: expected a block"), std::string::npos);
  // Nothing fetched: no scripts, no links or sources out (the SVG namespaces are names only).
  for (const char* outside : {"<script", "src=", "href=\"http", "url(http", "@import"}) {
    EXPECT_EQ(page.find(outside), std::string::npos) << outside;
  }
  // Every id once in the page: each picture's glyphs and clip paths are its own.
  std::set<std::string> ids;
  const std::regex id(" id=\"([^\"]+)\"");
  for (auto it = std::sregex_iterator(page.begin(), page.end(), id); it != std::sregex_iterator();
       ++it) {
    EXPECT_TRUE(ids.insert((*it)[1]).second) << "id twice: " << (*it)[1];
  }
  EXPECT_GT(ids.size(), 10u);
}

FitResult Plane(std::string code, float direction, double rmsDb) {
  FitResult plane;
  plane.found = !code.empty();
  plane.code = std::move(code);
  plane.direction = direction;
  plane.figures.rmsDb = rmsDb;
  return plane;
}

// The summary's rows, each a list of its cells' texts (tags dropped, a line break as " / "),
// with the section each row links to in front.
std::vector<std::vector<std::string>> SummaryRows(const std::string& page) {
  const std::size_t begin = page.find("<table class=\"summary\">");
  const std::string table = page.substr(begin, page.find("</table>", begin) - begin);
  std::vector<std::vector<std::string>> rows;
  static const std::regex row("<tr class=\"file[^\"]*\">(.*?)</tr>");
  static const std::regex cell("<td[^>]*>(.*?)</td>");
  static const std::regex link("href=\"#([^\"]+)\"");
  for (auto r = std::sregex_iterator(table.begin(), table.end(), row); r != std::sregex_iterator();
       ++r) {
    const std::string cells = (*r)[1];
    std::smatch target;
    std::regex_search(cells, target, link);
    std::vector<std::string> texts{target[1]};
    for (auto c = std::sregex_iterator(cells.begin(), cells.end(), cell);
         c != std::sregex_iterator(); ++c) {
      std::string text = std::regex_replace((*c)[1].str(), std::regex("<br/>|</div><div>"), " / ");
      texts.push_back(std::regex_replace(text, std::regex("<[^>]*>"), ""));
    }
    rows.push_back(texts);
  }
  return rows;
}

TEST(ConversionReport, SummaryRowsGiveEveryFileAndEachFitShownWithItsWarnings) {
  FileConversion panel;
  panel.path = "measured/panel.msi";
  panel.converted = true;
  panel.antennaName = "Panel <A>";
  panel.header.make = "Acme";
  panel.frequency = 791;
  panel.fits.push_back(
      {FitChoice::kClassic, {Plane("017EB00", 359.2f, 10.04), Plane("025EC00", 2.6f, 6.55)}});
  panel.fits.push_back({FitChoice::kEnvelope, {Plane("003KA00", 358.9f, 2.4), Plane("", 0, 0)}});
  panel.warnings.resize(2);
  panel.warnings[0].text = "horizontal: the classic code is poor";
  panel.warnings[1].plane = 1;
  panel.warnings[1].text = "vertical: also";
  FileConversion bad;
  bad.path = "bad.msi";
  bad.failure = "line 2: expected a frequency";
  FileConversion omni;
  omni.path = "omni.msi";
  omni.converted = true;
  omni.antennaName = "Omni";
  omni.frequency = 2140;
  omni.result.hCode = "000ND00";
  omni.result.vCode = "030EA10";
  omni.result.eleMax = -4;

  const std::string page =
      ConversionReport({panel, bad}, kEnglish, {FitChoice::kClassic, FitChoice::kEnvelope});
  EXPECT_EQ(WellFormed(page), "");
  using Row = std::vector<std::string>;
  const std::vector<Row> rows = SummaryRows(page);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0],
            (Row{"file-1", "1", "measured/panel.msi", "Panel &lt;A&gt;", "Acme", "791.0",
                 "017EB00 359.2° / 10.04 dB", "025EC00 -2.6° / 6.55 dB", "003KA00 358.9° / 2.40 dB",
                 "none", "horizontal: the classic code is poor / vertical: also"}));
  EXPECT_EQ(rows[1],
            (Row{"file-2", "2", "bad.msi", "Not converted: line 2: expected a frequency"}));
  // Each row links to its file's section; the failed file's row is marked, as are warnings.
  for (const Row& row : rows) EXPECT_NE(page.find("id=\"" + row[0] + "\""), std::string::npos);
  EXPECT_EQ(Count(page, "<tr class=\"file warned\">"), 2u);
  EXPECT_NE(page.find("<li>vertical: also</li>"), std::string::npos);

  // Without --fit, the classic conversion's codes and directions alone, without figures.
  const std::vector<Row> plain = SummaryRows(ConversionReport({omni}, kEnglish));
  ASSERT_EQ(plain.size(), 1u);
  EXPECT_EQ(plain[0], (Row{"file-1", "1", "omni.msi", "Omni", "", "2140.0", "000ND00 0.0°",
                           "030EA10 -4.0°", ""}));
}

TEST(ConversionReport, AReportThatCannotBeWrittenIsAWrongArgument) {
  const std::string folder = ::testing::TempDir();
  for (const std::string& target : {folder + "/no/such/folder/r.html", folder}) {
    const std::vector<std::string> words = {"x.msi", "--report", target};
    std::ostringstream out, err;
    EXPECT_EQ(RunConvertCommand(Args(words.begin(), words.end()), out, err), 2);
    EXPECT_TRUE(err.str().starts_with("lobrix: convert: --report needs a file name")) << err.str();
  }
}

TEST(ConversionReport, InlineSvgPrefixesIdsAndShortensCoordinates) {
  const std::string svg =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg width=\"549pt\" viewBox=\"0 0 549 340\">"
      "<symbol id=\"glyph0-1\"><path d=\"M 411.144531 86.859375 L 3 -7.515625\"/></symbol>"
      "<clipPath id=\"clip1\"/><use xlink:href=\"#glyph0-1\" x=\"12.5\" clip-path=\"url(#clip1)\"/>"
      "</svg>";
  EXPECT_EQ(InlineSvg(svg, "f7-"),
            "<svg width=\"549pt\" viewBox=\"0 0 549 340\">"
            "<symbol id=\"f7-glyph0-1\"><path d=\"M 411.14 86.85 L 3 -7.51\"/></symbol>"
            "<clipPath id=\"f7-clip1\"/><use xlink:href=\"#f7-glyph0-1\" x=\"12.5\" "
            "clip-path=\"url(#f7-clip1)\"/></svg>");
}

// The Windows report holds its PNG pictures in base 64: the test vectors of RFC 4648, and
// bytes above 127 (which a sign-extended char would spoil).
TEST(ConversionReport, Base64AsTheStandardGivesIt) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},         {"f", "Zg=="},         {"fo", "Zm8="},
      {"foo", "Zm9v"},  {"foob", "Zm9vYg=="},  {"foobar", "Zm9vYmFy"},
      {"\x89PNG", "iVBORw=="}, {"\xff\xfe\xfd", "//79"},
  };
  for (const auto& [bytes, text] : cases) EXPECT_EQ(Base64(bytes), text) << text;
}

}  // namespace
}  // namespace lobrix::cli
