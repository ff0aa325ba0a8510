// lobrix convert: the options, the batch with its progress line, and the exit status.
#include "cli/convert_command.h"

#include <CLI/CLI.hpp>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "cli/command_line.h"
#include "cli/convert_files.h"
#include "cli/convert_output.h"
#include "cli/file_output.h"
#include "cli/picture_writer.h"
#include "cli/report_html.h"

namespace lobrix::cli {
namespace {

constexpr std::string_view kConvertUsage =
    R"(Usage: lobrix convert PATH... [--csv|--json] [--strict] [--report FILE.html]
                      [--render DIR [--format CHOICE]] [--threads N] [--czech]
                      [--fit classic|db|field|envelope|all] [--direction-tolerance DEG]

Converts measured antenna pattern files (*.MSI) into the nearest horizontal and vertical
antenna codes, with the azimuth (AziMax) and the elevation (EleMax) of maximum radiation.
PATH is a file (always read), or a folder searched, with its subfolders, for files ending in
.msi or .pln in any letter case and other files whose first line starts with a pattern-file
keyword (NAME, FREQUENCY, HORIZONTAL ...), taken in sorted order; other files are passed over.
Files are read leniently: the header in any order, blocks at any step dividing 360 (resampled
to 1 degree), gains or unnormalised attenuations, any line ends; a header value that cannot be
read is kept as text with a note (a frequency or gain that cannot be read is left out). The
"reading" column says whether a file needed that ("lenient") or is in the strict Kathrein
layout ("Kathrein").
A classic code marked "!" is poor: its RMS dB error exceeds the best db fit's (anchored as
below) by more than 3 dB; a line under the table names that fit.
  --strict        read as the conversion window does: the Kathrein layout only
  --csv, --json   one record a file for machines, failed files included with their reason
                  (default: a readable table); --json adds the reading notes, the warnings
                  and the header
  --report FILE   also writes one self-contained HTML page: a summary table a row a file,
                  then a section a file with its codes, directions, gain, reading notes and
                  the conversion picture, every --fit drawn over the measured curves
  --render DIR    also draws each file's conversion picture into DIR, named after the file:
                  the measured curves in red, the fitted codes' curves in blue, the texts
                  of the conversion window; the CSV and JSON name each file's picture
  --format        FORMATS
  --threads N     files converted at once, 1 to 256 (default: one a processor core)
  --czech         Czech texts in the messages and pictures
  --fit WAY       how the codes are found, with how well they match the measured planes:
                  classic   the conversion window's conversion (the default; with --fit
                            given, its figures are shown too)
                  db        the code and direction (in tenths of a degree) of least RMS
                            difference in dB, both attenuations floored at 40 dB
                  field     least sum of squared relative-field differences
                  envelope  least RMS dB among codes whose attenuation nowhere exceeds the
                            measured one by more than 1 dB ("none" when no code does)
                  all       every way side by side, one line (CSV record) each
                  The figures: RMS dB error, and the largest deviation (code minus measured,
                  dB) with its angle in the measured column. A best fit keeps one of its
                  code's maxima near the classic AziMax or EleMax of that plane (the measured
                  direction of maximum radiation) and is never worse than the classic code.
  --direction-tolerance DEG
                  how near, in degrees from 0 to 180 (default 5); 180: anywhere
A file that cannot be read or is no Kathrein antenna file gets one line on standard error,
and the other files are still converted. Exit status: 0 when every file was converted, 1
when some were not, 2 for a wrong argument.
)";

// The usage with the picture formats of this build.
std::string ConvertUsage() {
  std::string usage(kConvertUsage);
  const auto put = [&usage](std::string_view mark, std::string_view text) {
    usage.replace(usage.find(mark), mark.size(), text);
  };
  put("CHOICE", PictureFormatChoice());
  // "png (default), svg or pdf"; in the Windows build "png (default)".
  put("FORMATS", "png (default)" + PictureFormatWords().substr(3));
  return usage + std::string(kPictureFormatsNote) + "\n";
}

constexpr int kExitSomeFailed = 1;

int Refuse(std::ostream& err, const std::string& message) {
  err << "lobrix: convert: " << message << '\n';
  return kExitFailure;
}

// "lobrix: convert: 120 of 500 files, 85.3 files/s", rewritten in place.
class ProgressLine {
 public:
  ProgressLine(std::ostream& err, std::size_t total) : err_(err), total_(total) {}

  void Show(std::size_t done) {
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    char line[128];
    std::snprintf(line, sizeof line, "lobrix: convert: %zu of %zu files, %.1f files/s", done,
                  total_, seconds > 0 ? static_cast<double>(done) / seconds : 0.0);
    Write(line);
  }
  void Clear() { Write(""); }

 private:
  void Write(const std::string& text) {
    err_ << '\r' << text << std::string(shown_ - std::min(shown_, text.size()), ' ') << '\r'
         << std::flush;
    shown_ = text.size();
  }

  std::ostream& err_;
  std::size_t total_;
  std::size_t shown_ = 0;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// The options of one run, as given on the command line.
struct ConvertRequest {
  std::string form = "table";
  std::string renderFolder, format = "png", threadsText, reportPath, fitText, toleranceText;
  bool czech = false, strict = false;
  bool renderGiven = false, formatGiven = false, threadsGiven = false, fitGiven = false;
  bool reportGiven = false, toleranceGiven = false;
  Words paths;
};

// Reads the options into `request`; an exit status when the run ends here (help shown, or a
// wrong option).
std::optional<int> ReadConvertRequest(const Args& args, ConvertRequest& request, std::ostream& out,
                                      std::ostream& err) {
  CLI::App app("", "lobrix convert");
  SetUpCommand(app);
  app.add_flag("--csv{csv},--json{json}", request.form);
  app.add_flag("--strict", request.strict);
  app.add_option("--report", request.reportPath, "an HTML file name");
  app.add_option("--render", request.renderFolder, "a folder for the pictures");
  app.add_option("--format", request.format, "a picture format");
  app.add_option("--threads", request.threadsText, "a number of threads");
  app.add_flag("--czech", request.czech);
  app.add_option("--fit", request.fitText, "classic, db, field, envelope or all");
  app.add_option("--direction-tolerance", request.toleranceText, "a number of degrees");
  if (auto end = ParseCommandWords(app, "convert", ConvertUsage(), args, request.paths, out, err)) {
    return end;
  }
  request.renderGiven = app.count("--render") > 0;
  request.formatGiven = app.count("--format") > 0;
  request.threadsGiven = app.count("--threads") > 0;
  request.fitGiven = app.count("--fit") > 0;
  request.reportGiven = app.count("--report") > 0;
  request.toleranceGiven = app.count("--direction-tolerance") > 0;
  return std::nullopt;
}

// Checks what can be checked before any file is read and turns the request into the batch's
// settings and thread count; an exit status when it is refused.
std::optional<int> SettingsOf(const ConvertRequest& request, ConvertSettings& settings,
                              int& threads, std::ostream& err) {
  if (request.paths.empty()) {
    return Refuse(err, "missing PATH (lobrix convert --help shows the usage)");
  }
  const std::string& format = request.format;
  if (format != "png" && format != "svg" && format != "pdf") {
    return Refuse(err, "unknown format '" + Shown(format) + "' (" + PictureFormatWords() + ")");
  }
  if (const std::string fault = PictureFormatFault(format); !fault.empty()) {
    return Refuse(err, "--format " + format + ": " + fault);
  }
  if (request.formatGiven && !request.renderGiven) {
    return Refuse(err, "--format is for the pictures of --render DIR");
  }
  const std::optional<int> threadCount =
      ThreadCount(request.threadsGiven, request.threadsText, "convert", err);
  if (!threadCount) return kExitFailure;
  threads = *threadCount;
  const std::optional<float> tolerance =
      DirectionTolerance(request.toleranceGiven, request.toleranceText, "convert", err);
  if (!tolerance) return kExitFailure;
  settings.directionTolerance = *tolerance;
  if (request.fitGiven) {
    const std::optional<std::vector<FitChoice>> fits = ParseFitChoices(request.fitText);
    if (!fits) {
      return Refuse(err, "unknown --fit '" + Shown(request.fitText) +
                             "' (classic, db, field, envelope or all)");
    }
    settings.fits = *fits;
  }
  settings.language = request.czech ? kCzech : kEnglish;
  settings.strict = request.strict;
  settings.reportPictures = request.reportGiven;
  if (settings.reportPictures) {
    // Known before the batch runs: a page that cannot be written is a wrong argument.
    const std::string& reportPath = request.reportPath;
    const std::filesystem::path folder = std::filesystem::path(reportPath).parent_path();
    std::error_code error;
    if (reportPath.empty() || reportPath == "-" ||
        std::filesystem::is_directory(reportPath, error) ||
        (!folder.empty() && !std::filesystem::is_directory(folder, error))) {
      return Refuse(
          err, "--report needs a file name in an existing folder, not '" + Shown(reportPath) + "'");
    }
  }
  return std::nullopt;
}

// Makes the folder of --render and names each file's picture in it; an exit status when the
// folder cannot be made.
std::optional<int> NamePictures(const ConvertRequest& request,
                                const std::vector<std::string>& files, ConvertSettings& settings,
                                std::ostream& err) {
  std::error_code error;
  std::filesystem::create_directories(request.renderFolder, error);
  if (error || !std::filesystem::is_directory(request.renderFolder)) {
    return Refuse(err, "cannot make the folder " + Printable(request.renderFolder) + ": " +
                           (error ? error.message() : "a file of that name is in the way"));
  }
  settings.picturePaths = PicturePaths(files, request.renderFolder, "." + request.format);
  return std::nullopt;
}

// The batch, with the progress line on a terminal when there is more than one file.
std::vector<FileConversion> ConvertWithProgress(const std::vector<std::string>& files,
                                                const ConvertSettings& settings, int threads,
                                                bool showProgress, std::ostream& err) {
  ProgressLine progress(err, files.size());
  const bool progressShown = showProgress && files.size() > 1;
  std::vector<FileConversion> results = ConvertFiles(
      files, settings, threads,
      progressShown
          ? std::function<void(std::size_t)>([&](std::size_t done) { progress.Show(done); })
          : nullptr);
  if (progressShown) progress.Clear();
  return results;
}

// The failures on standard error, the report page and the results in the form asked for;
// false when some file failed or the report could not be written.
bool WriteConversionResults(const ConvertRequest& request, const ConvertSettings& settings,
                            const std::vector<FileConversion>& results, std::ostream& out,
                            std::ostream& err) {
  bool complete = true;
  for (const FileConversion& file : results) {
    if (file.failure.empty()) continue;
    err << "lobrix: convert: " << DisplayText(file.path) << ": " << DisplayText(file.failure)
        << '\n';
    complete = false;
  }
  if (settings.reportPictures) {
    std::string error;
    if (!WriteWholeFile(request.reportPath,
                        ConversionReport(results, settings.language, settings.fits), error)) {
      err << "lobrix: convert: --report: " << error << '\n';
      complete = false;
    }
  }
  const bool withPictures = !settings.picturePaths.empty();
  if (request.form == "csv") {
    WriteConversionCsv(results, out, settings.fits, withPictures);
  } else if (request.form == "json") {
    WriteConversionJson(results, out, settings.fits, withPictures);
  } else {
    WriteConversionTable(results, out, settings.fits);
  }
  return complete;
}

}  // namespace

int RunConvertCommand(const Args& args, std::ostream& out, std::ostream& err, bool showProgress) {
  ConvertRequest request;
  if (auto end = ReadConvertRequest(args, request, out, err)) return *end;
  ConvertSettings settings;
  int threads = 1;
  if (auto end = SettingsOf(request, settings, threads, err)) return *end;

  bool complete = true;
  const std::vector<std::string> files = FindPatternFiles(request.paths, complete, err);
  if (request.renderGiven) {
    if (auto end = NamePictures(request, files, settings, err)) return *end;
  }
  // Few files: each search shares the cores; many: the files do.
  settings.fitThreads =
      files.size() < static_cast<std::size_t>(threads)
          ? std::max(1, threads / static_cast<int>(std::max<std::size_t>(files.size(), 1)))
          : 1;

  const std::vector<FileConversion> results =
      ConvertWithProgress(files, settings, threads, showProgress, err);
  const bool written = WriteConversionResults(request, settings, results, out, err);
  return complete && written ? kExitOk : kExitSomeFailed;
}

}  // namespace lobrix::cli
