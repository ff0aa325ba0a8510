#include "cli/report_html.h"

#include <cmath>
#include <cstdio>

#include "cli/arguments.h"
#include "cli/convert_output.h"
#include "text/language.h"
#include "cli/version.h"

namespace lobrix::cli {

namespace {

constexpr TextPair kTitle{"Pattern file conversion", "Převod souborů diagramů"};
constexpr TextPair kConverted{" converted, ", " převedeno, "};
constexpr TextPair kFailed{" failed", " selhalo"};
constexpr TextPair kAntenna{"Antenna", "Anténa"};
constexpr TextPair kFrequency{"Frequency", "Kmitočet"};
constexpr TextPair kGain{"Gain", "Zisk"};
constexpr TextPair kHorizontal{"Horizontal", "Horizontální"};
constexpr TextPair kVertical{"Vertical", "Vertikální"};
constexpr TextPair kReading{"Reading", "Čtení"};
constexpr TextPair kNotConverted{"Not converted: ", "Nepřevedeno: "};
constexpr TextPair kPictureFailed{"Picture: ", "Obrázek: "};
constexpr TextPair kFit{"Fit", "Shoda"};
constexpr TextPair kRmsDb{"RMS dB", "RMS dB"};
constexpr TextPair kLargest{"Largest deviation", "Největší odchylka"};

constexpr std::string_view kStyle =
    "body{font-family:sans-serif;margin:1em 2em;color:#222}"
    "section{border-top:1px solid #999;padding:0.5em 0 1em}"
    "h2{font-size:1.1em;word-break:break-all}"
    "table{border-collapse:collapse}th,td{padding:2px 10px 2px 0;text-align:left}"
    ".failed{color:#a00}.notes{color:#555}svg{max-width:100%;height:auto}";

// A text from a file or a path, shown as UTF-8 with &, <, > and " written as entities.
std::string Html(std::string_view text) {
  std::string escaped;
  for (const char c : DisplayText(text)) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

void Row(std::string& page, const TextPair& heading, int language, const std::string& value) {
  page += "<tr><th>" + std::string(Pick(heading, language)) + "</th><td>" + value + "</td></tr>\n";
}

// The codes of each way of converting the file, with how well they match the measured planes.
void FitTable(std::string& page, const FileConversion& file, int language) {
  page += "<table class=\"fits\">\n<tr><th>" + std::string(Pick(kFit, language)) + "</th>";
  for (const TextPair* heading :
       {&kHorizontal, &kRmsDb, &kLargest, &kVertical, &kRmsDb, &kLargest}) {
    page += "<th>" + std::string(Pick(*heading, language)) + "</th>";
  }
  page += "</tr>\n";
  for (const FileFit& fit : file.fits) {
    page += "<tr><td>" + std::string(FitChoiceName(fit.choice)) + "</td>";
    for (int plane = 0; plane < 2; ++plane) {
      const FitCells cells = CellsOf(fit.planes[plane], plane == 1);
      const std::string where =
          cells.direction.empty()
              ? std::string()
              : std::string(plane == 0 ? ", AziMax " : ", EleMax ") + cells.direction + "\u00B0";
      page +=
          "<td>" + Html(cells.code) + where + "</td><td>" + cells.rmsDb + "</td><td>" +
          (cells.largestDb.empty() ? std::string()
                                   : cells.largestDb + " dB, " + cells.largestAngle + "\u00B0") +
          "</td>";
    }
    page += "</tr>\n";
  }
  page += "</table>\n";
}

void Section(std::string& page, const FileConversion& file, std::size_t number, int language) {
  page += "<section class=\"file\" id=\"file-" + std::to_string(number) + "\">\n<h2>" +
          Html(file.path) + "</h2>\n";
  if (!file.converted) {
    page += "<p class=\"failed\">" + std::string(Pick(kNotConverted, language)) +
            Html(file.failure) + "</p>\n</section>\n";
    return;
  }
  const KathreinConversion& r = file.result;
  page += "<table>\n";
  Row(page, kAntenna, language, Html(file.antennaName));
  // A number the file gave beyond the float range is left empty (a reading note says so).
  const auto measured = [](float value, const char* unit) {
    return std::isfinite(value) ? FormatFixed(value, 1) + unit : std::string();
  };
  Row(page, kFrequency, language, measured(file.frequency, " MHz"));
  Row(page, kGain, language, measured(file.gain, " dBi"));
  Row(page, kHorizontal, language,
      Html(r.hCode) + ", AziMax " + FormatFixed(r.aziMax, 1) + "\u00B0");
  Row(page, kVertical, language, Html(r.vCode) + ", EleMax " + FormatFixed(r.eleMax, 1) + "\u00B0");
  Row(page, kReading, language, Html(file.reading));
  page += "</table>\n";
  if (!file.fits.empty()) FitTable(page, file, language);
  if (!file.notes.empty()) {
    page += "<ul class=\"notes\">\n";
    for (const std::string& note : file.notes) page += "<li>" + Html(note) + "</li>\n";
    page += "</ul>\n";
  }
  if (!file.failure.empty()) {
    page += "<p class=\"failed\">" + std::string(Pick(kPictureFailed, language)) +
            Html(file.failure) + "</p>\n";
  }
  if (!file.reportPicture.empty()) {
    std::string prefix = "f";
    prefix += std::to_string(number);
    prefix += '-';
    page += InlineSvg(file.reportPicture, prefix);
    page += "\n";
  }
  page += "</section>\n";
}

}  // namespace

std::string InlineSvg(std::string_view svg, std::string_view prefix) {
  if (svg.starts_with("<?xml")) {
    const std::size_t end = svg.find("?>");
    svg.remove_prefix(end == std::string_view::npos ? svg.size() : end + 2);
    while (!svg.empty() && (svg.front() == '\n' || svg.front() == '\r')) svg.remove_prefix(1);
  }
  static constexpr std::string_view kMarks[] = {"id=\"", "href=\"#", "url(#"};
  std::string text;
  text.reserve(svg.size());
  int decimals = -1;  // digits after a decimal point so far; -1 outside a fraction
  for (std::size_t i = 0; i < svg.size();) {
    // Coordinates to two decimals: a hundredth of a point is finer than any screen shows, and
    // the curves' six-decimal coordinates would make the page of a large folder three times
    // as long.
    const char c = svg[i];
    if (c >= '0' && c <= '9') {
      if (decimals >= 2) {
        ++i;
        continue;
      }
      if (decimals >= 0) ++decimals;
    } else {
      const bool point = c == '.' && i > 0 && svg[i - 1] >= '0' && svg[i - 1] <= '9';
      decimals = point ? 0 : -1;
    }
    bool marked = false;
    for (const std::string_view mark : kMarks) {
      // An attribute name starts after a blank, so "xml:id" or "grid" do not count.
      if (svg.substr(i, mark.size()) == mark && (mark[0] != 'i' || (i > 0 && svg[i - 1] == ' '))) {
        text += mark;
        text += prefix;
        i += mark.size();
        marked = true;
        break;
      }
    }
    if (!marked) text += svg[i++];
  }
  return text;
}

std::string ConversionReport(const std::vector<FileConversion>& files, int language) {
  std::size_t converted = 0;
  for (const FileConversion& file : files) converted += file.converted ? 1 : 0;
  const std::string title(Pick(kTitle, language));
  std::string page = "<!DOCTYPE html>\n<html lang=\"";
  page += language == kCzech ? "cs" : "en";
  page += "\">\n<head>\n<meta charset=\"utf-8\"/>\n<title>" + title + "</title>\n<style>" +
          std::string(kStyle) + "</style>\n</head>\n<body>\n<h1>" + title + "</h1>\n<p>" +
          std::to_string(converted) + std::string(Pick(kConverted, language)) +
          std::to_string(files.size() - converted) + std::string(Pick(kFailed, language)) +
          " (Lobrix " + std::string(ProgramVersion()) + ")</p>\n";
  for (std::size_t i = 0; i < files.size(); ++i) Section(page, files[i], i + 1, language);
  page += "</body>\n</html>\n";
  return page;
}

}  // namespace lobrix::cli
