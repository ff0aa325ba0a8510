#include "cli/file_output.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

#include "cli/arguments.h"

namespace lobrix::cli {

namespace fs = std::filesystem;

bool WriteWholeFile(const std::string& path, std::string_view bytes, std::string& error) {
  // Beside the target, so that the rename stays on one file system; a random number keeps two
  // runs writing the same file apart.
  const std::string temporary = path + "." + std::to_string(std::random_device{}()) + ".tmp";
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (file == nullptr) {
    error = "cannot write " + Printable(path) + ": " + std::generic_category().message(errno);
    return false;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const int writeErrno = errno;
  const bool closed = std::fclose(file) == 0;
  std::error_code renameError;
  if (written && closed) {
    fs::rename(temporary, path, renameError);
    // Some C runtimes (Windows) rename only onto a free name: the old file goes first.
    std::error_code ignored;
    if (renameError && fs::is_regular_file(path, ignored) && fs::remove(path, ignored)) {
      renameError.clear();
      fs::rename(temporary, path, renameError);
    }
  }
  if (!written || !closed || renameError) {
    error = "cannot write " + Printable(path) + ": " +
            (renameError ? renameError.message() : std::generic_category().message(writeErrno));
    std::error_code ignored;
    fs::remove(temporary, ignored);
    return false;
  }
  return true;
}

}  // namespace lobrix::cli
