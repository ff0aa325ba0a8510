// CPRINT: one trace line to a console window, for callers that want one.
#include <exception>
#include <string>

#include "exports/bstr_text.h"
#include "exports/lobrix.h"

namespace {

// Created on the first call, kept for the process. AllocConsole fails when the process already
// has a console; the standard output handle is then that console's, which serves as well.
HANDLE TraceConsole() {
  AllocConsole();
  return GetStdHandle(STD_OUTPUT_HANDLE);
}

}  // namespace

extern "C" void WINAPI CPRINT(BSTR text) {
  const lobrix::BstrText line(text);
  static const HANDLE console = TraceConsole();
  if (console == nullptr || console == INVALID_HANDLE_VALUE) return;

  // One write of text and line end. A text too long to copy is dropped: no exception may
  // unwind into a foreign caller.
  std::string bytes;
  try {
    bytes.reserve(line.View().size() + 2);
  } catch (const std::exception&) {  // bad_alloc, or length_error past max_size
    return;
  }
  bytes.append(line.View()).append("\r\n");
  DWORD written = 0;
  WriteConsoleA(console, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}
