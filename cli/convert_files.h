// lobrix convert, the work: which files a list of paths names, and the conversion of each
// file (read, convert both planes, optionally draw the conversion window's picture), shared
// out over threads with the results kept in the input order.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "best_fit/best_fit.h"
#include "cli/picture_writer.h"
#include "conversion/conversion.h"
#include "pattern_files/lenient_reader.h"
#include "platform/gfx/gfx.h"

namespace lobrix::cli {

// The files that `paths` name, in order: a file as given (even one that does not exist, so
// that its failure is reported), a folder as the pattern files in it and below it, sorted by
// path: names ending in ".msi" or ".pln" in any letter case, and other files whose first
// non-blank line starts with a pattern-file keyword (NAME, FREQUENCY, HORIZONTAL ...); other
// files are passed over without a word. A folder that cannot be searched, or holds no pattern
// file, is reported on `err` ("lobrix: convert: FOLDER: ...") and `complete` becomes false.
std::vector<std::string> FindPatternFiles(const std::vector<std::string>& paths, bool& complete,
                                          std::ostream& err);

// What --fit asks for: the classic conversion, or a best-fit search under one criterion.
enum class FitChoice { kClassic, kDb, kField, kEnvelope };
// "classic", "db", "field", "envelope".
const char* FitChoiceName(FitChoice choice);
// The colour of a conversion's curves in the report's pictures: the classic one in the
// conversion window's blue, each search in a colour of its own, none of them the measured red.
GfxColor FitColor(FitChoice choice);
// The choices a --fit word names: one of those names, or "all" for every one in that order
// (classic first); nothing for another word.
std::optional<std::vector<FitChoice>> ParseFitChoices(std::string_view text);

// One way of converting a file: the code, direction and figures of each plane (horizontal,
// vertical). The classic conversion's figures are scored like a fit's, its error being the
// sum of squared relative-field differences it minimises. A best fit is anchored: one of its
// code's maxima lies within the run's direction tolerance of the classic conversion's
// direction for that plane, and it is never worse under its criterion than the classic result
// (which lies in that window). An envelope search that found no code that qualifies has
// `found` false in that plane.
struct FileFit {
  FitChoice choice = FitChoice::kClassic;
  std::array<FitResult, 2> planes;
};

// A classic result is poor on a plane when its RMS dB error exceeds the best anchored db fit's
// by more than this.
inline constexpr double kPoorClassicDb = 3.0;

// A plane whose classic code is poor, with the text that says so ("horizontal: the classic
// code 017EB00 is 7.6 dB RMS worse than 003KA00 at 358.9°; consider --fit db"; the vertical
// direction as EleMax), in the run's language.
struct PlaneWarning {
  int plane = 0;  // 0 horizontal, 1 vertical
  std::string text;
  double classicRmsDb = 0;
  FitResult better;  // the best anchored db fit
};

// One file's outcome.
struct FileConversion {
  std::string path;
  bool converted = false;  // read and both planes converted
  // Why the file was not converted (the conversion window's message for a rejected file), or
  // why its picture could not be written; empty when all went well.
  std::string failure;
  std::string antennaName;
  float frequency = 0;                           // MHz
  float gain = 0;                                // dBi
  bool frequencyKnown = true, gainKnown = true;  // the lenient reader may find none
  KathreinConversion result;
  // Which reading the file needed ("Kathrein", "lenient"; every file "Kathrein" under
  // --strict), what the lenient reading normalised, and the rest of its header (read by the
  // lenient reader only: empty, with `headerRead` false, under --strict).
  std::string reading;
  std::vector<std::string> notes;
  PatternFileHeader header;
  bool headerRead = false;
  // The conversion picture as the report holds it (SVG, or PNG in the Windows build), when a
  // report is asked for.
  InlinePicture reportPicture;
  std::string picture;        // the picture file written for it (--render), empty when none
  std::vector<FileFit> fits;  // one for each of ConvertSettings::fits, in that order
  std::vector<PlaneWarning> warnings;  // the planes whose classic result is poor, in order
};

struct ConvertSettings {
  int language = kEnglish;      // of the failure messages and the pictures' texts
  bool strict = false;          // the Kathrein reader only, as the conversion window reads
  bool reportPictures = false;  // draw each picture for the report
  // Where each file's picture goes (the extension picks the format), in the order of the
  // files; empty: no pictures.
  std::vector<std::string> picturePaths;
  // The conversions whose figures are wanted (--fit); empty: the classic conversion alone,
  // without figures.
  std::vector<FitChoice> fits;
  int fitThreads = 1;  // threads of each best-fit search
  // How far one of a best fit's maxima may lie from the classic direction, degrees (180: no
  // limit).
  float directionTolerance = kDefaultDirectionTolerance;
  bool warnings = true;  // look for planes whose classic result is poor
};

// The elevation of maximum radiation for a vertical direction v (as the classic conversion
// gives EleMax): -v below 180, else 360 - v.
float ElevationOfDirection(float v);

// Reads and converts the file at `path`, with the lenient reader unless `settings.strict` (and
// draws picture number `index` when pictures are asked for).
FileConversion ConvertFile(const std::string& path, std::size_t index,
                           const ConvertSettings& settings);

// Converts every file with `threads` threads (at least 1). `progress`, when given, is called
// on the calling thread with the number of files done, a few times a second and once at the
// end. The results are in the order of `files`.
std::vector<FileConversion> ConvertFiles(const std::vector<std::string>& files,
                                         const ConvertSettings& settings, int threads,
                                         const std::function<void(std::size_t)>& progress);

// Picture file names for the files, one each in `folder`: the file's name with `extension`
// in place of its own; a name already taken (two files of the same name in different
// folders) gets "-2", "-3" ... before the extension.
std::vector<std::string> PicturePaths(const std::vector<std::string>& files,
                                      const std::string& folder, const std::string& extension);

}  // namespace lobrix::cli
