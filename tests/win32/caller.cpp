#include "tests/win32/caller.h"

#include <gtest/gtest.h>
#include <oleauto.h>

#include <cstdint>
#include <cstring>

namespace lobrix::test {

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

HMODULE LobrixModule() {
  static const HMODULE dll = LoadLibraryW((ProgramFolder() + L"lobrix.dll").c_str());
  return dll;
}

FARPROC LobrixExport(const char* name) {
  const HMODULE dll = LobrixModule();
  return dll ? GetProcAddress(dll, name) : nullptr;
}

void AssertLobrixExports(std::initializer_list<const char*> names) {
  ASSERT_NE(LobrixModule(), nullptr) << "lobrix.dll not found beside the test";
  for (const char* name : names) ASSERT_NE(LobrixExport(name), nullptr) << "no export " << name;
}

// ZISKANTVA takes over its BSTR arguments.
float GainOf(const char* hCode, const char* vCode) {
  using GainFunction = float(WINAPI*)(BSTR, BSTR);
  const auto gain = LobrixFunction<GainFunction>("ZISKANTVA");
  return gain(SysAllocStringByteLen(hCode, 7), SysAllocStringByteLen(vCode, 7));
}

LobrixAntennaRecord MakeRecord(const RecordFields& fields) {
  LobrixAntennaRecord r{};
  std::memcpy(r.hCode, fields.hCode, 7);
  std::memcpy(r.vCode, fields.vCode, 7);
  r.aziMax = fields.aziMax;
  r.eleMax = fields.eleMax;
  r.gain = fields.gain;
  r.ownerWindow = static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(fields.owner));
  r.language = static_cast<unsigned char>(fields.language);
  std::strncpy(r.captionPrefix, fields.prefix, sizeof r.captionPrefix - 1);
  r.antennaRole = static_cast<unsigned char>(fields.role);
  r.startPage = static_cast<unsigned char>(fields.startPage);
  return r;
}

int FirstDifference(const LobrixAntennaRecord& a, const LobrixAntennaRecord& b) {
  const auto* x = reinterpret_cast<const unsigned char*>(&a);
  const auto* y = reinterpret_cast<const unsigned char*>(&b);
  for (std::size_t i = 0; i < sizeof a; ++i) {
    if (x[i] != y[i]) return static_cast<int>(i);
  }
  return -1;
}

OwnerWindow::OwnerWindow(bool visible, WNDPROC procedure) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = procedure;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"LobrixTestCaller";
  RegisterClassExW(&wc);
  window_ = CreateWindowExW(0, wc.lpszClassName, L"caller", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200,
                            nullptr, nullptr, wc.hInstance, nullptr);
  if (visible) ShowWindow(window_, SW_SHOWNORMAL);
}

OwnerWindow::~OwnerWindow() {
  DestroyWindow(window_);
}

}  // namespace lobrix::test
