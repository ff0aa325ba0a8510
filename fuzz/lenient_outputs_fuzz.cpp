// Fuzz target: bytes as a pattern file given to lobrix convert, read by the lenient reader,
// converted, and written as the table, CSV, JSON and the HTML report, as a user's file would be.
// The file goes through the file system because the command reads files by their names.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "cli/convert_files.h"
#include "cli/convert_output.h"
#include "cli/report_html.h"

namespace {

// One file of this process under /dev/shm (memory) when there is one, else the temporary folder.
std::string InputPath() {
  const char* folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
  return std::string(folder) + "/lobrix-fuzz-" + std::to_string(getpid()) + ".msi";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = InputPath();
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return 0;
  std::fwrite(data, 1, size, file);
  std::fclose(file);

  lobrix::cli::ConvertSettings settings;
  // The search behind the warnings is a best fit of each plane, seconds under the fuzzer's
  // instrumentation; the best-fit target covers it.
  settings.warnings = false;
  // The first byte picks the language and whether the classic figures are asked for.
  if (size > 0) {
    settings.language = data[0] & 1;
    if (data[0] & 2) settings.fits = {lobrix::cli::FitChoice::kClassic};
  }
  std::vector<lobrix::cli::FileConversion> files = {lobrix::cli::ConvertFile(path, 0, settings)};
  std::ostringstream out;
  lobrix::cli::WriteConversionTable(files, out, settings.fits);
  lobrix::cli::WriteConversionCsv(files, out, settings.fits);
  lobrix::cli::WriteConversionJson(files, out, settings.fits);
  out << lobrix::cli::ConversionReport(files, settings.language);
  return 0;
}
