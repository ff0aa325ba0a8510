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
#include "conversion/conversion.h"
#include "pattern_files/lenient_reader.h"
#include "platform/gfx/gfx.h"

namespace lobrix::cli {

// The files that `paths` name, in order: a file as given (even one that does not exist, so
// that its failure is reported), a folder as the files in it and below it whose names end in
// ".msi" in any letter case, sorted by path. A folder that cannot be searched, or holds no
// such file, is reported on `err` ("lobrix: convert: FOLDER: ...") and `complete` becomes
// false.
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
// sum of squared relative-field differences it minimises. An envelope search that found no
// code that qualifies has `found` false in that plane.
struct FileFit {
  FitChoice choice = FitChoice::kClassic;
  std::array<FitResult, 2> planes;
};

// One file's outcome.
struct FileConversion {
  std::string path;
  bool converted = false;  // read and both planes converted
  // Why the file was not converted (the conversion window's message for a rejected file), or
  // why its picture could not be written; empty when all went well.
  std::string failure;
  std::string antennaName;
  float frequency = 0;  // MHz
  float gain = 0;       // dBi
  KathreinConversion result;
  // Which reading the file needed ("Kathrein", "lenient"; every file "Kathrein" under
  // --strict), what the lenient reading normalised, and the rest of its header.
  std::string reading;
  std::vector<std::string> notes;
  PatternFileHeader header;
  std::string reportPicture;  // the conversion picture as SVG text, when a report is asked for
  std::vector<FileFit> fits;  // one for each of ConvertSettings::fits, in that order
  // What the user should know about the result, one sentence each (none: nothing to say).
  std::vector<std::string> warnings;
};

struct ConvertSettings {
  int language = kEnglish;      // of the failure messages and the pictures' texts
  bool strict = false;          // the Kathrein reader only, as the conversion window reads
  bool reportPictures = false;  // draw each picture as SVG text for the report
  // Where each file's picture goes (the extension picks PNG, SVG or PDF), in the order of the
  // files; empty: no pictures.
  std::vector<std::string> picturePaths;
  // The conversions whose figures are wanted (--fit); empty: the classic conversion alone,
  // without figures.
  std::vector<FitChoice> fits;
  int fitThreads = 1;  // threads of each best-fit search
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
