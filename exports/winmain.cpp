// lobrix.exe: the editor run by itself, on an empty record (no owner window, no role, so
// Transfer stays disabled). The exit code is 0 whatever the dialog's result.
#include <windows.h>

#include "exports/lobrix.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  LobrixAntennaRecord record{};
  EDITANTVA(&record);
  return 0;
}
