// CPRINT: one trace line to a console window, for callers that want one.
#include <string>

#include "bstr_text.h"
#include "lobrix.h"

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

  std::string bytes(line.View());
  bytes += "\r\n";
  DWORD written = 0;
  WriteConsoleA(console, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}
