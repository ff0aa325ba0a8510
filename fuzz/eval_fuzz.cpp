// Fuzz target: bytes as the standard input of lobrix eval, the calls of a batch script.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "cli/eval_command.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  std::ostringstream out, err;
  lobrix::cli::RunEvalCommand({}, in, out, err);
  return 0;
}
