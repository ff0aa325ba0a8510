#include "pattern_files/whole_file.h"

#include <cerrno>
#include <cstdint>
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
  // A regular file's size is known before reading it; a device or a pipe is read to the limit.
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (!error && size > kMostPatternFileBytes) {
    reason = kTooLargeReason;
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
  // Whatever lies beyond the limit, even one byte, would be lost: the file is refused instead.
  char more = 0;
  if (bytes.size() > kMostPatternFileBytes ||
      (bytes.size() == kMostPatternFileBytes && std::fread(&more, 1, 1, file) == 1)) {
    reason = kTooLargeReason;
    return std::nullopt;
  }
  return bytes;
}

}  // namespace lobrix
