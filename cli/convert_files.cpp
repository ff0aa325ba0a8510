// lobrix convert: finding the pattern files, converting each one, and sharing the files out
// over threads.
#include "cli/convert_files.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <system_error>
#include <thread>

#include "cli/arguments.h"
#include "cli/file_output.h"
#include "cli/picture_writer.h"
#include "pattern_files/read_messages.h"
#include "pattern_files/strict_reader.h"
#include "pattern_files/whole_file.h"
#include "render/conversion_picture.h"
#include "render/conversion_views.h"

namespace lobrix::cli {
namespace {

namespace fs = std::filesystem;

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// A pattern file by its name (*.msi, *.pln), or else by its first line.
bool IsPatternFile(const fs::directory_entry& entry) {
  std::error_code error;
  if (!entry.is_regular_file(error)) return false;
  const std::string extension = Lower(entry.path().extension().string());
  if (extension == ".msi" || extension == ".pln") return true;
  // A few kilobytes hold the first line of any pattern file; a file that cannot be opened is
  // passed over like any other that is no pattern file.
  std::ifstream file(entry.path(), std::ios::binary);
  char start[4096];
  file.read(start, sizeof start);
  return StartsLikePatternFile(std::string_view(start, static_cast<std::size_t>(file.gcount())));
}

// Adds the pattern files in `folder` and its subfolders to `found` (symbolic links to folders
// are not followed, so a link back up cannot loop). A folder that cannot be listed is reported on
// `err` and makes `complete` false; the others are still searched.
void SearchFolder(const fs::path& folder, std::vector<std::string>& found, bool& complete,
                  std::ostream& err) {
  std::error_code error;
  std::vector<fs::path> subfolders;
  fs::directory_iterator it(folder, error);
  for (; !error && it != fs::directory_iterator(); it.increment(error)) {
    std::error_code entryError;
    if (it->is_directory(entryError) && !it->is_symlink(entryError)) {
      subfolders.push_back(it->path());
    } else if (IsPatternFile(*it)) {
      found.push_back(it->path().string());
    }
  }
  if (error) {
    err << "lobrix: convert: " << Printable(folder.string())
        << ": cannot search the folder: " << error.message() << '\n';
    complete = false;
  }
  for (const fs::path& subfolder : subfolders) SearchFolder(subfolder, found, complete, err);
}

// The picture of a converted file: its name, folder and maker as the user and the file give
// them (the maker "Kathrein" where the file names none, as the window shows every file), and
// the curves of every search asked for over the classic conversion's.
ConversionPicture PictureOf(const FileConversion& file, const KathreinPattern& pattern,
                            int language) {
  const fs::path path(file.path);
  ConversionPicture picture = ConversionPictureOf(
      pattern, path.filename().string(), path.parent_path().string(), language, &file.result);
  if (!file.header.make.empty()) picture.maker = file.header.make;
  for (const FileFit& fit : file.fits) {
    if (fit.choice == FitChoice::kClassic) continue;
    ConversionOverlay overlay;
    overlay.color = FitColor(fit.choice);
    if (fit.planes[0].found) overlay.hCode = fit.planes[0].code;
    if (fit.planes[1].found) overlay.vCode = fit.planes[1].code;
    overlay.azimuth = fit.planes[0].direction;
    overlay.tilt = fit.planes[1].direction;
    picture.overlays.push_back(overlay);
  }
  return picture;
}

// Draws the picture into `target`, written as the other outputs are (whole or not at all, an
// older picture kept when the new one cannot be written); empty on success, else why not.
std::string WritePicture(const ConversionPicture& picture, const std::string& target) {
  // Twice the window's graphic area on a 96 dpi screen, lines as wide relative to the picture.
  const PixelSize area = ConversionAreaPixels();
  std::string bytes, error;
  const auto draw = [&picture](Gfx& gfx) { DrawConversionPicture(gfx, picture); };
  if (!EncodePicture(2 * area.width, 2 * area.height, 2.0, draw, target, bytes, error) ||
      !WriteWholeFile(target, bytes, error)) {
    return error;
  }
  return {};
}

// The picture as the report holds it inline, at the window's size.
InlinePicture ReportPicture(const ConversionPicture& picture) {
  const PixelSize area = ConversionAreaPixels();
  return DrawInlinePicture(area.width, area.height,
                           [&picture](Gfx& gfx) { DrawConversionPicture(gfx, picture); });
}

FitResult ClassicFit(const PatternColumn& column, const std::string& code, float direction) {
  FitResult result;
  result.found = true;
  result.code = code;
  result.direction = direction;
  result.figures = ScoreFit(column, code, direction, FitCriterion::kField);
  return result;
}

FitCriterion CriterionOf(FitChoice choice) {
  switch (choice) {
    case FitChoice::kField:
      return FitCriterion::kField;
    case FitChoice::kEnvelope:
      return FitCriterion::kEnvelope;
    default:
      return FitCriterion::kDb;
  }
}

// The classic conversion's code and direction for each plane (the vertical one as the angle
// of the measured column, as the fits give theirs).
struct ClassicPlanes {
  std::array<std::string, 2> code;
  std::array<float, 2> direction;
};

ClassicPlanes ClassicOf(const KathreinConversion& result) {
  return {{result.hCode, result.vCode}, {result.fittedAzimuth, result.fittedTilt}};
}

constexpr FitPlane kPlanes[2] = {FitPlane::kHorizontal, FitPlane::kVertical};

// The best fit of one plane under `criterion`, anchored at the classic direction and never
// worse than the classic result; with `errorBelow`, only one better than that.
FitResult AnchoredFit(const PatternColumn& column, int plane, FitCriterion criterion,
                      const ClassicPlanes& classic, const ConvertSettings& settings,
                      double errorBelow = std::numeric_limits<double>::infinity()) {
  const std::size_t p = static_cast<std::size_t>(plane);
  const FitResult found = FindBestFit(
      column, kPlanes[p], criterion,
      FitCandidates::All().AnchoredAt(classic.direction[p], settings.directionTolerance),
      settings.fitThreads, errorBelow);
  if (errorBelow < std::numeric_limits<double>::infinity()) return found;
  return BetterFit(column, found, classic.code[p], classic.direction[p], criterion);
}

FileFit FitOf(FitChoice choice, const KathreinPattern& pattern, const KathreinConversion& result,
              const ConvertSettings& settings) {
  FileFit fit;
  fit.choice = choice;
  if (choice == FitChoice::kClassic) {
    fit.planes[0] = ClassicFit(pattern.measured[0], result.hCode, result.fittedAzimuth);
    fit.planes[1] = ClassicFit(pattern.measured[1], result.vCode, result.fittedTilt);
    return fit;
  }
  for (int p = 0; p < 2; ++p) {
    fit.planes[static_cast<std::size_t>(p)] =
        AnchoredFit(pattern.measured[static_cast<std::size_t>(p)], p, CriterionOf(choice),
                    ClassicOf(result), settings);
  }
  return fit;
}

// "horizontal: the classic code 017EB00 is 7.6 dB RMS worse than 003KA00 at 358.9°; consider
// --fit db", the vertical direction as EleMax.
std::string WarningText(int plane, const std::string& classicCode, double worseDb,
                        const FitResult& better, int language) {
  static constexpr TextPair kPlane[2] = {{"horizontal", "horizontální"},
                                         {"vertical", "vertikální"}};
  static constexpr TextPair kText{
      "%s: the classic code %s is %.1f dB RMS worse than %s at %s°; "
      "consider --fit db",
      "%s: klasický kód %s je o %.1f dB RMS horší než %s na %s°; "
      "zvažte --fit db"};
  const float azimuth = better.direction < 0 ? better.direction + 360.0f : better.direction;
  const std::string direction =
      FormatFixed(plane == 1 ? ElevationOfDirection(better.direction) : azimuth, 1);
  char text[256];
  std::snprintf(text, sizeof text, std::string(Pick(kText, language)).c_str(),
                std::string(Pick(kPlane[plane], language)).c_str(), classicCode.c_str(), worseDb,
                better.code.c_str(), direction.c_str());
  return text;
}

// The planes whose classic result is poor. The best anchored db fit is taken from the fits
// when one was made; else searched for only below the classic error less kPoorClassicDb, which
// cannot be when the classic error is no more than that.
std::vector<PlaneWarning> WarningsOf(const KathreinPattern& pattern,
                                     const KathreinConversion& result,
                                     const std::vector<FileFit>& fits,
                                     const ConvertSettings& settings) {
  const ClassicPlanes classic = ClassicOf(result);
  const auto db = std::find_if(fits.begin(), fits.end(),
                               [](const FileFit& f) { return f.choice == FitChoice::kDb; });
  std::vector<PlaneWarning> warnings;
  for (int p = 0; p < 2; ++p) {
    const auto at = static_cast<std::size_t>(p);
    const PatternColumn& column = pattern.measured[at];
    const double classicRms =
        ScoreFit(column, classic.code[at], classic.direction[at], FitCriterion::kDb).rmsDb;
    if (!(classicRms > kPoorClassicDb)) continue;
    const FitResult better = db != fits.end() ? db->planes[at]
                                              : AnchoredFit(column, p, FitCriterion::kDb, classic,
                                                            settings, classicRms - kPoorClassicDb);
    if (!better.found || !(classicRms - better.figures.rmsDb > kPoorClassicDb)) continue;
    warnings.push_back({p,
                        WarningText(p, classic.code[at], classicRms - better.figures.rmsDb, better,
                                    settings.language),
                        classicRms, better});
  }
  return warnings;
}

}  // namespace

const char* FitChoiceName(FitChoice choice) {
  return choice == FitChoice::kClassic ? "classic" : FitCriterionName(CriterionOf(choice));
}

std::optional<std::vector<FitChoice>> ParseFitChoices(std::string_view text) {
  constexpr FitChoice kAll[] = {FitChoice::kClassic, FitChoice::kDb, FitChoice::kField,
                                FitChoice::kEnvelope};
  if (text == "all") return std::vector<FitChoice>(std::begin(kAll), std::end(kAll));
  for (const FitChoice choice : kAll) {
    if (text == FitChoiceName(choice)) return std::vector<FitChoice>{choice};
  }
  return std::nullopt;
}

GfxColor FitColor(FitChoice choice) {
  switch (choice) {
    case FitChoice::kDb:
      return GfxRgb(0, 150, 110);
    case FitChoice::kField:
      return GfxRgb(230, 150, 0);
    case FitChoice::kEnvelope:
      return GfxRgb(200, 70, 170);
    default:
      return kFittedColor;
  }
}

float ElevationOfDirection(float v) {
  return v < 180 ? -v : 360.0f - v;
}

std::vector<std::string> FindPatternFiles(const std::vector<std::string>& paths, bool& complete,
                                          std::ostream& err) {
  std::vector<std::string> files;
  for (const std::string& path : paths) {
    std::error_code error;
    if (!fs::is_directory(path, error)) {
      files.push_back(path);
      continue;
    }
    const std::size_t before = files.size();
    SearchFolder(path, files, complete, err);
    // Sorted by path, so the order does not depend on the file system's.
    std::sort(files.begin() + static_cast<std::ptrdiff_t>(before), files.end());
    if (files.size() == before) {
      err << "lobrix: convert: " << Printable(path) << ": no pattern files in the folder\n";
      complete = false;
    }
  }
  return files;
}

FileConversion ConvertFile(const std::string& path, std::size_t index,
                           const ConvertSettings& settings) {
  FileConversion file;
  file.path = path;
  std::string reason;
  const std::optional<std::string> bytes = ReadWholeFile(path, reason);
  KathreinPattern pattern;
  if (settings.strict) {
    // A file that cannot be read is reported like one that is no Kathrein file, with the
    // system's reason after it.
    const int read = bytes ? ReadKathreinFile(*bytes, pattern) : kNotKathreinFile;
    if (read != kKathreinRead) {
      file.failure = std::string(Pick(ReadFailureMessage(read), settings.language));
      if (!bytes) file.failure += " (cannot be read: " + reason + ")";
      return file;
    }
    file.reading = ReadingName(PatternReading::kKathrein);
  } else {
    if (!bytes) {
      file.failure = "cannot be read: " + reason;
      return file;
    }
    PatternFileResult read =
        ReadPatternFile(*bytes, fs::path(path).filename().string(), settings.language);
    if (!read.read) {
      file.failure = read.error;
      return file;
    }
    pattern = std::move(read.file.pattern);
    file.reading = ReadingName(read.file.reading);
    file.notes = ReadingNotes(read.file, settings.language);
    file.header = std::move(read.file.header);
    file.headerRead = true;
    file.frequencyKnown = read.file.frequencyKnown;
    file.gainKnown = read.file.gainKnown;
  }
  file.converted = true;
  file.antennaName = pattern.antennaName;
  file.frequency = pattern.frequency;
  file.gain = pattern.gain;
  file.result = ConvertKathreinPattern(pattern);
  for (const FitChoice choice : settings.fits) {
    file.fits.push_back(FitOf(choice, pattern, file.result, settings));
  }
  if (settings.warnings) file.warnings = WarningsOf(pattern, file.result, file.fits, settings);
  if (settings.reportPictures || index < settings.picturePaths.size()) {
    const ConversionPicture picture = PictureOf(file, pattern, settings.language);
    if (settings.reportPictures) file.reportPicture = ReportPicture(picture);
    if (index < settings.picturePaths.size()) {
      file.failure = WritePicture(picture, settings.picturePaths[index]);
      if (file.failure.empty()) file.picture = settings.picturePaths[index];
    }
  }
  return file;
}

std::vector<FileConversion> ConvertFiles(const std::vector<std::string>& files,
                                         const ConvertSettings& settings, int threads,
                                         const std::function<void(std::size_t)>& progress) {
  std::vector<FileConversion> results(files.size());
  // What every picture's surface would set up again stays for the batch.
  const std::shared_ptr<void> keepPictureResources =
      !settings.picturePaths.empty() || settings.reportPictures ? KeepPictureResources()
                                                                : nullptr;
  std::atomic<std::size_t> next{0};
  std::atomic<std::size_t> done{0};
  std::mutex mutex;
  std::condition_variable allDone;
  auto work = [&] {
    for (std::size_t i = next++; i < files.size(); i = next++) {
      results[i] = ConvertFile(files[i], i, settings);
      if (++done == files.size()) {
        const std::lock_guard lock(mutex);
        allDone.notify_all();
      }
    }
  };
  const auto count = std::min(static_cast<std::size_t>(std::max(threads, 1)),
                              std::max<std::size_t>(files.size(), 1));
  std::vector<std::thread> workers;
  // Without a progress line the calling thread works too; with one it keeps the line fresh.
  // Where the system gives fewer threads than asked, the batch runs on those it gave.
  for (std::size_t t = progress ? 0 : 1; t < count; ++t) {
    try {
      workers.emplace_back(work);
    } catch (const std::system_error&) {
      break;
    }
  }
  if (progress && !workers.empty()) {
    std::unique_lock lock(mutex);
    while (!allDone.wait_for(lock, std::chrono::milliseconds(250),
                             [&] { return done == files.size(); })) {
      progress(done);
    }
    progress(done);
  } else {
    work();
  }
  for (std::thread& worker : workers) worker.join();
  return results;
}

std::vector<std::string> PicturePaths(const std::vector<std::string>& files,
                                      const std::string& folder, const std::string& extension) {
  std::vector<std::string> paths;
  // Compared in lower case: on a file system that ignores case, A.MSI and a.msi would meet.
  std::set<std::string> taken;
  for (const std::string& file : files) {
    const std::string stem = fs::path(file).stem().string();
    std::string name = stem + extension;
    for (int n = 2; !taken.insert(Lower(name)).second; ++n) {
      name = stem + "-" + std::to_string(n) + extension;
    }
    paths.push_back((fs::path(folder) / name).string());
  }
  return paths;
}

}  // namespace lobrix::cli
