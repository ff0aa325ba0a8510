// EDITANTVA: the editor on a caller's antenna record, run on the caller's thread. The one
// editor state of the process lives here; the run's steps are the editor's (RunEditor), the
// windows and the registry the platform's.
#include <windows.h>

#include <string>
#include <vector>

#include "editor/antenna_record.h"
#include "editor/editor_run.h"
#include "editor_win32/conversion_window_win32.h"
#include "editor_win32/main_dialog_win32.h"
#include "exports/lobrix.h"
#include "platform/win32/settings_registry.h"
#include "platform/win32/wide_text.h"

static_assert(sizeof(LobrixAntennaRecord) == sizeof(lobrix::AntennaRecord));

namespace lobrix {
namespace {

// The state of the editing runs of this process: not reset between two runs, only reloaded
// from the record at each opening of the main dialog.
EditorState theEditorState;

// The current directory as UTF-8, the form every path of the editor state takes.
std::string CurrentDirectory() {
  const DWORD size = GetCurrentDirectoryW(0, nullptr);
  if (size == 0) return {};
  std::vector<wchar_t> buffer(size);
  const DWORD written = GetCurrentDirectoryW(size, buffer.data());
  return written > 0 && written < size ? Narrow(std::wstring_view(buffer.data(), written))
                                       : std::string();
}

}  // namespace
}  // namespace lobrix

extern "C" int WINAPI EDITANTVA(LobrixAntennaRecord* record) {
  using namespace lobrix;
  RegistrySettings settings;
  EditorRunHooks hooks;
  hooks.settings = &settings;
  hooks.currentDirectory = CurrentDirectory;
  hooks.mainDialog = [](EditorState& state) { return OpenMainDialog(state); };
  hooks.conversionWindow = ShowConversionWindow;
  return RunEditor(reinterpret_cast<AntennaRecord*>(record), theEditorState, hooks);
}
