// What the command tests share: a command's exit status and its two outputs, a fresh folder of
// the running test's own, and a file's bytes.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace lobrix::cli {

struct CommandRun {
  int status;
  std::string out, err;
};

// An empty folder named after the running test, below `area` in the test's temporary folder.
inline std::filesystem::path TestFolder(std::string_view area) {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::filesystem::path folder =
      std::filesystem::path(::testing::TempDir()) / area / info->name();
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder;
}

inline std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

}  // namespace lobrix::cli
