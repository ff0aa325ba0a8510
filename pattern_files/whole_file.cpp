#include "pattern_files/whole_file.h"

#include <cerrno>
#include <filesystem>
#include <memory>
#include <system_error>

namespace lobrix {

std::optional<std::string> ReadWholeFile(const std::string& path, std::string& reason) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) {
    reason = "a folder";
    return std::nullopt;
  }
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
  if (!file) {
    reason = std::generic_category().message(errno);
    return std::nullopt;
  }
  return ReadOpenedFile(file.get(), reason);
}

std::optional<std::string> ReadOpenedFile(std::FILE* file, std::string& reason) {
  std::string bytes;
  char buffer[1 << 16];
  std::size_t count = 0;
  while (bytes.size() < kMostPatternFileBytes &&
         (count = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    bytes.append(buffer, count);
  }
  if (std::ferror(file)) {
    reason = std::generic_category().message(errno);
    return std::nullopt;
  }
  return bytes;
}

}  // namespace lobrix
