// Where the commands write: a file they replace keeps its permissions and its link, a target
// that is no regular file is written straight, "-o -" is standard output, and a write that
// fails (a full disk) is reported and leaves the older file as it was, with nothing beside it.
// The full disk is a file-size limit of this process (RLIMIT_FSIZE): writes beyond it fail
// with EFBIG as they would with ENOSPC, with no file system to mount.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/convert_command.h"
#include "cli/export_command.h"
#include "cli/render_command.h"
#include "tests/cli/cli_test_support.h"

namespace lobrix::cli {
namespace {

namespace fs = std::filesystem;

using Command = int (*)(const Args&, std::ostream&, std::ostream&);

CommandRun Call(Command command, const std::vector<std::string>& words) {
  std::ostringstream out, err;
  const int status = command(Args(words.begin(), words.end()), out, err);
  return {status, out.str(), err.str()};
}

int Convert(const Args& args, std::ostream& out, std::ostream& err) {
  return RunConvertCommand(args, out, err);
}

std::size_t Entries(const fs::path& folder) {
  return static_cast<std::size_t>(
      std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

const std::vector<std::string> kExport = {"030EA10", "010EA00", "-o"};

TEST(OutputFiles, StandardOutputAndAReplacedFileKeepsItsPermissionsAndLink) {
  const fs::path folder = TestFolder("lobrix_output");
  const CommandRun piped = Call(RunExportCommand, {"030EA10", "010EA00", "-o", "-"});
  ASSERT_EQ(piped.status, 0) << piped.err;
  EXPECT_TRUE(piped.out.starts_with("NAME 030EA10 010EA00\r\n")) << piped.out.substr(0, 40);

  const fs::path file = folder / "private.msi";
  std::ofstream(file) << "old";
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink(file, folder / "link.msi");
  for (const char* target : {"private.msi", "link.msi"}) {
    std::vector<std::string> words = kExport;
    words.push_back((folder / target).string());
    const CommandRun run = Call(RunExportCommand, words);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(ReadAll(file) == piped.out) << target;
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write)
        << target;
    EXPECT_TRUE(fs::is_symlink(folder / "link.msi")) << target;
    EXPECT_EQ(Entries(folder), 2u) << target;
  }
}

#ifndef _WIN32
// A named pipe stays a pipe, and its reader gets the file: renaming over it would have put a
// regular file in its place (as it did with /dev/null). The file (7.7 KB) fits the pipe's
// buffer, so the reader can be this thread, after the command.
TEST(OutputFiles, ATargetThatIsNoRegularFileIsWrittenStraight) {
  const fs::path pipe = TestFolder("lobrix_output") / "pipe";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  std::vector<std::string> words = kExport;
  words.push_back(pipe.string());
  const CommandRun run = Call(RunExportCommand, words);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(fs::is_fifo(pipe));
  std::string received;
  char buffer[4096];
  for (ssize_t n; (n = ::read(reader, buffer, sizeof buffer)) > 0;) {
    received.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(reader);
  const std::string expected = Call(RunExportCommand, {"030EA10", "010EA00", "-o", "-"}).out;
  EXPECT_TRUE(received == expected) << received.size() << " bytes of " << expected.size();
}

// Runs `action` with this process's files limited to `bytes`.
CommandRun WithFullDisk(std::size_t bytes, const std::function<CommandRun()>& action) {
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  rlimit limited = old;
  limited.rlim_cur = bytes;
  const auto oldHandler = signal(SIGXFSZ, SIG_IGN);  // the write fails instead
  setrlimit(RLIMIT_FSIZE, &limited);
  const CommandRun run = action();
  setrlimit(RLIMIT_FSIZE, &old);
  signal(SIGXFSZ, oldHandler);
  return run;
}

TEST(OutputFiles, AFullDiskIsAFailureAndKeepsTheOlderFile) {
  const fs::path folder = TestFolder("lobrix_output");
  const std::string input = (folder / "in.msi").string();
  ASSERT_EQ(Call(RunExportCommand, {"030EA10", "010EA00", "-o", input}).status, 0);
  const struct {
    const char* name;
    Command command;
    std::vector<std::string> words;  // the target is added after them
    int status;
  } cases[] = {
      {"pattern.msi", RunExportCommand, kExport, 2},
      {"page.pdf", RenderCommand, {"--page", "horizontal", "-o"}, 2},
      {"report.html", Convert, {input, "--report"}, 1},
  };
  for (const auto& c : cases) {
    const fs::path target = folder / c.name;
    std::vector<std::string> words = c.words;
    words.push_back(target.string());
    ASSERT_EQ(Call(c.command, words).status, 0) << c.name;  // a good file first
    const std::string before = ReadAll(target);
    ASSERT_GT(before.size(), 3000u) << c.name;
    const CommandRun run = WithFullDisk(2000, [&] { return Call(c.command, words); });
    EXPECT_EQ(run.status, c.status) << c.name;
    EXPECT_NE(run.err.find("cannot write " + target.string() + ": File too large\n"),
              std::string::npos)
        << run.err;
    EXPECT_TRUE(ReadAll(target) == before) << c.name;
  }
  EXPECT_EQ(Entries(folder), 1 + std::size(cases));  // no temporary file left

  // The pictures of convert --render alike: the failed file keeps its codes, no picture is
  // left half written.
  const fs::path pictures = folder / "pictures";
  const CommandRun run = WithFullDisk(2000, [&] {
    return Call(Convert, {input, "--csv", "--render", pictures.string(), "--format", "pdf"});
  });
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(
      run.err.find("in.msi: cannot write " + (pictures / "in.pdf").string() + ": File too large\n"),
      std::string::npos)
      << run.err;
  EXPECT_TRUE(fs::is_empty(pictures));
}
#endif

}  // namespace
}  // namespace lobrix::cli
