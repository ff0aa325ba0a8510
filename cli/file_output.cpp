#include "cli/file_output.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <random>
#include <system_error>

#include "cli/arguments.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace lobrix::cli {

namespace fs = std::filesystem;

namespace {

std::string CannotWrite(const std::string& path, const std::string& reason) {
  return "cannot write " + Printable(path) + ": " + reason;
}

// Writes and closes `file`; the system's reason for the first failure, or empty. A full disk
// shows at fwrite, at the flush of the last block, or only at the close.
std::string WriteAndClose(std::FILE* file, std::string_view bytes) {
  std::string reason;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() || std::fflush(file) != 0) {
    reason = std::generic_category().message(errno);
  }
  if (std::fclose(file) != 0 && reason.empty()) reason = std::generic_category().message(errno);
  return reason;
}

// A device or a named pipe is written as it is.
bool WriteStraight(const std::string& path, std::string_view bytes, std::string& error) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  const std::string reason =
      file == nullptr ? std::generic_category().message(errno) : WriteAndClose(file, bytes);
  if (!reason.empty()) error = CannotWrite(path, reason);
  return reason.empty();
}

// A device that exists is written straight: on Windows also the device names that every
// folder holds (NUL, CON, COM1 ..., with any extension), which the file system does not list.
bool IsDevice([[maybe_unused]] const fs::path& path, const fs::file_status& status) {
  if (fs::exists(status) && !fs::is_regular_file(status) && !fs::is_directory(status)) return true;
#ifdef _WIN32
  std::string name = path.filename().string();
  name = name.substr(0, name.find('.'));
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (name == "NUL" || name == "CON" || name == "PRN" || name == "AUX") return true;
  return name.size() == 4 && (name.starts_with("COM") || name.starts_with("LPT")) &&
         name[3] >= '1' && name[3] <= '9';
#else
  return false;
#endif
}

// The replaced file's owner, where the system keeps one (running as root, the new file would
// otherwise belong to root).
void KeepOwner([[maybe_unused]] const fs::path& from, [[maybe_unused]] const fs::path& to) {
#ifndef _WIN32
  struct stat old {};
  if (::stat(from.c_str(), &old) != 0) return;
  if (::chown(to.c_str(), old.st_uid, old.st_gid) != 0) {
    // Only root may give a file away, and anyone else's new file is theirs already.
  }
#endif
}

}  // namespace

bool WriteWholeFile(const std::string& path, std::string_view bytes, std::string& error,
                    std::ostream* standardOutput) {
  if (path == "-" && standardOutput != nullptr) {
#ifdef _WIN32
    // The bytes are the file's own: standard output's text mode would turn CR LF into CR CR LF.
    if (standardOutput == &std::cout) {
      std::cout.flush();
      _setmode(_fileno(stdout), _O_BINARY);
    }
#endif
    if (!standardOutput->write(bytes.data(), static_cast<std::streamsize>(bytes.size())).flush()) {
      error = "cannot write to standard output";
      return false;
    }
    return true;
  }
  std::error_code ignored;
  const fs::file_status status = fs::status(path, ignored);
  if (IsDevice(path, status)) return WriteStraight(path, bytes, error);
  // A symbolic link to a file: the file it points at is replaced, the link stays.
  const fs::path target = fs::is_symlink(path, ignored) && fs::exists(status)
                              ? fs::canonical(path, ignored)
                              : fs::path(path);
  // Beside the target, so that the rename stays on one file system; a random number keeps two
  // runs writing the same file apart.
  const fs::path temporary =
      target.string() + "." + std::to_string(std::random_device{}()) + ".tmp";
  std::FILE* file = std::fopen(temporary.string().c_str(), "wb");
  if (file == nullptr) {
    error = CannotWrite(path, std::generic_category().message(errno));
    return false;
  }
  std::string reason = WriteAndClose(file, bytes);
  if (reason.empty() && fs::is_regular_file(status)) {
    fs::permissions(temporary, status.permissions(), ignored);
    KeepOwner(target, temporary);
  }
  std::error_code renameError;
  if (reason.empty()) {
    fs::rename(temporary, target, renameError);
    // Some C runtimes (Windows) rename only onto a free name: the old file goes first.
    if (renameError && fs::is_regular_file(target, ignored) && fs::remove(target, ignored)) {
      renameError.clear();
      fs::rename(temporary, target, renameError);
    }
    if (renameError) reason = renameError.message();
  }
  if (!reason.empty()) {
    error = CannotWrite(path, reason);
    fs::remove(temporary, ignored);
    return false;
  }
  return true;
}

}  // namespace lobrix::cli
