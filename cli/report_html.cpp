#include "cli/report_html.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cmath>
#include <cstdio>
#include <utility>

#include "cli/arguments.h"
#include "cli/convert_output.h"
#include "cli/version.h"
#include "render/conversion_views.h"
#include "text/language.h"

namespace lobrix::cli {

namespace {

constexpr TextPair kTitle{"Pattern file conversion", "Převod souborů diagramů"};
constexpr TextPair kConverted{" converted, ", " převedeno, "};
constexpr TextPair kFailed{" failed", " selhalo"};
constexpr TextPair kSummary{"Summary", "Přehled"};
constexpr TextPair kFile{"File", "Soubor"};
constexpr TextPair kAntenna{"Antenna", "Anténa"};
constexpr TextPair kMaker{"Maker", "Výrobce"};
constexpr TextPair kFrequency{"Frequency", "Kmitočet"};
constexpr TextPair kGain{"Gain", "Zisk"};
constexpr TextPair kHorizontal{"Horizontal", "Horizontální"};
constexpr TextPair kVertical{"Vertical", "Vertikální"};
constexpr TextPair kWarnings{"Warnings", "Upozornění"};
constexpr TextPair kReading{"Reading", "Čtení"};
constexpr TextPair kNotConverted{"Not converted: ", "Nepřevedeno: "};
constexpr TextPair kPictureFailed{"Picture: ", "Obrázek: "};
constexpr TextPair kFit{"Fit", "Shoda"};
constexpr TextPair kRmsDb{"RMS dB", "RMS dB"};
constexpr TextPair kLargest{"Largest deviation", "Největší odchylka"};
constexpr TextPair kMeasured{"measured", "naměřeno"};
constexpr TextPair kToSummary{"summary", "přehled"};

constexpr std::string_view kStyle =
    "body{font-family:sans-serif;margin:1em 2em;color:#222}"
    "section{border-top:1px solid #999;padding:0.5em 0 1em}"
    "h2{font-size:1.1em;word-break:break-all}h2 a.up{font-size:0.8em;font-weight:normal}"
    "table{border-collapse:collapse}th,td{padding:2px 10px 2px 0;text-align:left}"
    "table.summary{font-size:0.95em}"
    "table.summary th,table.summary td{border-bottom:1px solid #ddd;padding:3px 6px;"
    "vertical-align:top}table.summary td.path{overflow-wrap:anywhere;min-width:9em;max-width:20em}"
    "table.summary tr.warned{background:#fff6d6}.rms{color:#555;font-size:0.9em}"
    ".number{text-align:right}.failed{color:#a00}.notes{color:#555}.warnings{color:#850}"
    ".swatch{display:inline-block;width:1.6em;height:3px;vertical-align:middle;"
    "margin-right:0.4em}.legend .key{margin-right:1.5em;white-space:nowrap}"
    "figure{margin:0.5em 0}svg,img{max-width:100%;height:auto}";

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

std::string Text(const TextPair& text, int language) {
  return std::string(Pick(text, language));
}

// A short line in the colour of a curve, as the legend and the headings show it.
std::string Swatch(GfxColor color) {
  char css[8];
  std::snprintf(css, sizeof css, "#%02x%02x%02x", static_cast<unsigned>(color & 0xFF),
                static_cast<unsigned>((color >> 8) & 0xFF),
                static_cast<unsigned>((color >> 16) & 0xFF));
  return "<span class=\"swatch\" style=\"background:" + std::string(css) + "\"></span>";
}

std::string SectionId(std::size_t number) {
  return "file-" + std::to_string(number);
}

// One plane of one conversion as the summary and the legend show it: the code, where it
// points (AziMax, EleMax) and, when figures were asked for, its RMS dB error.
struct PlaneText {
  std::string code, direction, rmsDb;
};

// The planes of `choice` in `file`: from its fits when --fit asked for figures, else the
// classic conversion's codes and directions.
std::array<PlaneText, 2> PlanesOf(const FileConversion& file, FitChoice choice) {
  std::array<PlaneText, 2> planes;
  for (const FileFit& fit : file.fits) {
    if (fit.choice != choice) continue;
    for (int p = 0; p < 2; ++p) {
      const FitCells cells = CellsOf(fit.planes[p], p == 1);
      planes[p] = {Html(cells.code), cells.direction, cells.rmsDb};
    }
    return planes;
  }
  if (choice == FitChoice::kClassic) {
    planes[0] = {Html(file.result.hCode), FormatFixed(file.result.aziMax, 1), {}};
    planes[1] = {Html(file.result.vCode), FormatFixed(file.result.eleMax, 1), {}};
  }
  return planes;
}

// The conversions the report shows: those of --fit, else the classic one alone.
std::vector<FitChoice> ShownFits(const std::vector<FitChoice>& fits) {
  return fits.empty() ? std::vector<FitChoice>{FitChoice::kClassic} : fits;
}

void SummaryHead(std::string& page, const std::vector<FitChoice>& shown, int language) {
  page += "<table class=\"summary\">\n<thead>\n<tr><th rowspan=\"2\">#</th>";
  for (const TextPair* heading : {&kFile, &kAntenna, &kMaker}) {
    page += "<th rowspan=\"2\">" + Text(*heading, language) + "</th>";
  }
  page += "<th rowspan=\"2\" class=\"number\">MHz</th>";
  for (const FitChoice choice : shown) {
    page += "<th colspan=\"2\">" + Swatch(FitColor(choice)) + FitChoiceName(choice) + "</th>";
  }
  page += "<th rowspan=\"2\">" + Text(kWarnings, language) + "</th></tr>\n<tr>";
  // Under each conversion its horizontal code with AziMax, and its vertical one with EleMax.
  for (std::size_t i = 0; i < shown.size(); ++i) page += "<th>AziMax</th><th>EleMax</th>";
  page += "</tr>\n</thead>\n<tbody>\n";
}

// One row a file: where it is (a link to its section), what it is, each conversion's codes
// and directions with their RMS errors, and its warnings.
void SummaryRow(std::string& page, const FileConversion& file, std::size_t number,
                const std::vector<FitChoice>& shown, int language) {
  const std::string link = "<a href=\"#" + SectionId(number) + "\">";
  const bool warned = !file.warnings.empty() || !file.failure.empty();
  page += std::string("<tr class=\"file") + (warned ? " warned" : "") + "\"><td class=\"number\">" +
          link + std::to_string(number) + "</a></td><td class=\"path\">" + link + Html(file.path) +
          "</a></td>";
  if (!file.converted) {
    page += "<td class=\"failed\" colspan=\"" + std::to_string(4 + 2 * shown.size()) + "\">" +
            Text(kNotConverted, language) + Html(file.failure) + "</td></tr>\n";
    return;
  }
  page += "<td>" + Html(file.antennaName) + "</td><td>" + Html(file.header.make) +
          "</td><td class=\"number\">" + FormatFixed(file.frequency, 1) + "</td>";
  for (const FitChoice choice : shown) {
    for (const PlaneText& plane : PlanesOf(file, choice)) {
      page += "<td class=\"plane\">" + plane.code;
      if (!plane.direction.empty()) page += " " + plane.direction + "\u00B0";
      if (!plane.rmsDb.empty()) page += "<br/><span class=\"rms\">" + plane.rmsDb + " dB</span>";
      page += "</td>";
    }
  }
  page += "<td class=\"warnings\">";
  for (const PlaneWarning& warning : file.warnings) {
    page += "<div>" + Html(warning.text) + "</div>";
  }
  if (!file.failure.empty()) {
    page +=
        "<div class=\"failed\">" + Text(kPictureFailed, language) + Html(file.failure) + "</div>";
  }
  page += "</td></tr>\n";
}

void Summary(std::string& page, const std::vector<FileConversion>& files,
             const std::vector<FitChoice>& shown, int language) {
  page += "<h2 id=\"summary\">" + Text(kSummary, language) + "</h2>\n";
  SummaryHead(page, shown, language);
  for (std::size_t i = 0; i < files.size(); ++i) {
    SummaryRow(page, files[i], i + 1, shown, language);
  }
  page += "</tbody>\n</table>\n";
}

void Row(std::string& page, const TextPair& heading, int language, const std::string& value) {
  page += "<tr><th>" + Text(heading, language) + "</th><td>" + value + "</td></tr>\n";
}

// The codes of each way of converting the file, with how well they match the measured planes.
void FitTable(std::string& page, const FileConversion& file, int language) {
  page += "<table class=\"fits\">\n<tr><th>" + Text(kFit, language) + "</th>";
  for (const TextPair* heading :
       {&kHorizontal, &kRmsDb, &kLargest, &kVertical, &kRmsDb, &kLargest}) {
    page += "<th>" + Text(*heading, language) + "</th>";
  }
  page += "</tr>\n";
  for (const FileFit& fit : file.fits) {
    page += "<tr><td>" + Swatch(FitColor(fit.choice)) + FitChoiceName(fit.choice) + "</td>";
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

// The picture with its legend: the measured curves, then each conversion drawn over them.
void Picture(std::string& page, const FileConversion& file, std::size_t number,
             const std::vector<FitChoice>& shown, int language) {
  const InlinePicture& picture = file.reportPicture;
  page += "<figure>\n" +
          (picture.type == "image/png"
               ? "<img src=\"data:image/png;base64," + Base64(picture.bytes) + "\" width=\"" +
                     std::to_string(picture.width) + "\" height=\"" +
                     std::to_string(picture.height) + "\" alt=\"\">"
               : InlineSvg(picture.bytes, "f" + std::to_string(number) + "-")) +
          "\n<figcaption class=\"legend\"><span class=\"key\">" + Swatch(kMeasuredColor) +
          Text(kMeasured, language) + "</span>";
  // The classic conversion is always drawn: it gives the window's codes below the frames.
  std::vector<FitChoice> drawn{FitChoice::kClassic};
  for (const FitChoice choice : shown) {
    if (choice != FitChoice::kClassic) drawn.push_back(choice);
  }
  for (const FitChoice choice : drawn) {
    const std::array<PlaneText, 2> planes = PlanesOf(file, choice);
    page += " <span class=\"key\">" + Swatch(FitColor(choice)) + FitChoiceName(choice) + ": " +
            planes[0].code + ", " + planes[1].code + "</span>";
  }
  page += "</figcaption>\n</figure>\n";
}

void Section(std::string& page, const FileConversion& file, std::size_t number,
             const std::vector<FitChoice>& shown, int language) {
  page += "<section class=\"file\" id=\"" + SectionId(number) + "\">\n<h2>" +
          std::to_string(number) + ". " + Html(file.path) + " <a class=\"up\" href=\"#summary\">" +
          Text(kToSummary, language) + "</a></h2>\n";
  if (!file.converted) {
    page += "<p class=\"failed\">" + Text(kNotConverted, language) + Html(file.failure) +
            "</p>\n</section>\n";
    return;
  }
  const KathreinConversion& r = file.result;
  page += "<table>\n";
  Row(page, kAntenna, language, Html(file.antennaName));
  if (!file.header.make.empty()) Row(page, kMaker, language, Html(file.header.make));
  // A frequency or gain the file does not give (or gives beyond the float range) is left empty;
  // a reading note says why.
  const auto measured = [](bool known, float value, const char* unit) {
    return known && std::isfinite(value) ? FormatFixed(value, 1) + unit : std::string();
  };
  Row(page, kFrequency, language, measured(file.frequencyKnown, file.frequency, " MHz"));
  Row(page, kGain, language, measured(file.gainKnown, file.gain, " dBi"));
  Row(page, kHorizontal, language,
      Html(r.hCode) + ", AziMax " + FormatFixed(r.aziMax, 1) + "\u00B0");
  Row(page, kVertical, language, Html(r.vCode) + ", EleMax " + FormatFixed(r.eleMax, 1) + "\u00B0");
  Row(page, kReading, language, Html(file.reading));
  page += "</table>\n";
  std::vector<std::string> warningTexts;
  for (const PlaneWarning& warning : file.warnings) warningTexts.push_back(warning.text);
  const std::vector<std::string>& warnings = warningTexts;
  for (const auto& [lines, kind] : {std::pair{&warnings, "warnings"}, {&file.notes, "notes"}}) {
    if (lines->empty()) continue;
    page += "<ul class=\"" + std::string(kind) + "\">\n";
    for (const std::string& line : *lines) page += "<li>" + Html(line) + "</li>\n";
    page += "</ul>\n";
  }
  if (!file.fits.empty()) FitTable(page, file, language);
  if (!file.failure.empty()) {
    page += "<p class=\"failed\">" + Text(kPictureFailed, language) + Html(file.failure) + "</p>\n";
  }
  if (!file.reportPicture.type.empty()) Picture(page, file, number, shown, language);
  page += "</section>\n";
}

}  // namespace

std::string Base64(std::string_view bytes) {
  static constexpr char kDigits[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string text;
  text.reserve((bytes.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
    std::uint32_t group = 0;
    for (std::size_t k = 0; k < 3; ++k) {
      const auto byte = k < n ? static_cast<unsigned char>(bytes[i + k]) : 0u;
      group = group << 8 | byte;
    }
    for (std::size_t k = 0; k < 4; ++k) {
      text += k <= n ? kDigits[group >> (18 - 6 * k) & 0x3F] : '=';
    }
  }
  return text;
}

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

std::string ConversionReport(const std::vector<FileConversion>& files, int language,
                             const std::vector<FitChoice>& fits) {
  std::size_t converted = 0;
  for (const FileConversion& file : files) converted += file.converted ? 1 : 0;
  const std::string title = Text(kTitle, language);
  std::string page = "<!DOCTYPE html>\n<html lang=\"";
  page += language == kCzech ? "cs" : "en";
  page += "\">\n<head>\n<meta charset=\"utf-8\"/>\n<title>" + title + "</title>\n<style>" +
          std::string(kStyle) + "</style>\n</head>\n<body>\n<h1>" + title + "</h1>\n<p>" +
          std::to_string(converted) + Text(kConverted, language) +
          std::to_string(files.size() - converted) + Text(kFailed, language) + " (Lobrix " +
          std::string(ProgramVersion()) + ")</p>\n";
  const std::vector<FitChoice> shown = ShownFits(fits);
  Summary(page, files, shown, language);
  for (std::size_t i = 0; i < files.size(); ++i) Section(page, files[i], i + 1, shown, language);
  page += "</body>\n</html>\n";
  return page;
}

}  // namespace lobrix::cli
