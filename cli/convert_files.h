// lobrix convert, the work: which files a list of paths names, and the conversion of each
// file (read, convert both planes, optionally draw the conversion window's picture), shared
// out over threads with the results kept in the input order.
#pragma once

#include <cstddef>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "kathrein.h"

namespace lobrix::cli {

// The files that `paths` name, in order: a file as given (even one that does not exist, so
// that its failure is reported), a folder as the files in it and below it whose names end in
// ".msi" in any letter case, sorted by path. A folder that cannot be searched, or holds no
// such file, is reported on `err` ("lobrix: convert: FOLDER: ...") and `complete` becomes
// false.
std::vector<std::string> FindPatternFiles(const std::vector<std::string>& paths, bool& complete,
                                          std::ostream& err);

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
};

struct ConvertSettings {
  int language = kEnglish;  // of the failure messages and the pictures' texts
  // Where each file's picture goes (the extension picks PNG, SVG or PDF), in the order of the
  // files; empty: no pictures.
  std::vector<std::string> picturePaths;
};

// Reads and converts the file at `path` (and draws picture number `index` when pictures are
// asked for).
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
