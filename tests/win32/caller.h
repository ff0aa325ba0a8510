// What the UI test programs do as a calling program of lobrix.dll does: load the DLL beside the
// program by path and call its exports, fill a record, own the editor with a window of their own.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>

#include "exports/lobrix.h"

namespace lobrix::test {

// The folder of the test program, with a final separator: lobrix.dll and lobrix.exe lie there.
std::wstring ProgramFolder();

// The lobrix.dll beside the program, loaded once by path as a foreign caller loads it; nullptr
// when it is missing.
HMODULE LobrixModule();
// An export of that DLL; nullptr when the DLL or the export is missing.
FARPROC LobrixExport(const char* name);
// The same as a function pointer of type `Function` (say int(WINAPI*)(LobrixAntennaRecord*)).
template <typename Function>
Function LobrixFunction(const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(LobrixExport(name)));
}
// A fatal test failure unless the DLL is there with every export of `names`; for a SetUp.
void AssertLobrixExports(std::initializer_list<const char*> names);

// ZISKANTVA of the two codes (7 characters each), as the DLL computes the gain.
float GainOf(const char* hCode, const char* vCode);

// A gain no pair of codes has: a record filled with it shows whether Transfer replaced it.
inline constexpr float kNoGain = -123.0f;

// The fields a calling program sets in a record; the rest of the record stays zero.
struct RecordFields {
  const char* hCode = "000ND00";  // 7 characters, no NUL needed
  const char* vCode = "000ND00";
  float aziMax = 0, eleMax = 0, gain = 0;
  HWND owner = nullptr;
  int language = 0;
  const char* prefix = "";  // cut to the field, which keeps a NUL
  int role = 0;
  int startPage = 0;
};
// The record as a caller fills it; the owner window goes in as its 32 bits.
LobrixAntennaRecord MakeRecord(const RecordFields& fields);

// The byte of the first difference of the two records, or -1.
int FirstDifference(const LobrixAntennaRecord& a, const LobrixAntennaRecord& b);

// A plain top-level window standing for the calling program's; shown unless `visible` is false.
// Its class is registered by the first one a program makes, with that one's `procedure`.
class OwnerWindow {
 public:
  explicit OwnerWindow(bool visible = true, WNDPROC procedure = DefWindowProcW);
  ~OwnerWindow();
  OwnerWindow(const OwnerWindow&) = delete;
  OwnerWindow& operator=(const OwnerWindow&) = delete;
  HWND Get() const { return window_; }

 private:
  HWND window_ = nullptr;
};

}  // namespace lobrix::test
