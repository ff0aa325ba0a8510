#include "platform/win32/open_file_dialog.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "platform/win32/wide_text.h"

namespace lobrix {
namespace {

// The file-name buffer: room for a long path and then some; the file-title buffer: MAX_PATH.
constexpr std::size_t kFileBufferChars = 8192;
constexpr DWORD kFileTitleChars = 260;

std::wstring CurrentFolder() {
  const DWORD size = GetCurrentDirectoryW(0, nullptr);
  if (size == 0) return {};
  std::wstring folder(size, L'\0');
  const DWORD written = GetCurrentDirectoryW(size, folder.data());
  folder.resize(written < size ? written : 0);
  return folder;
}

// "description|pattern" as the dialog wants it: every "|" a NUL, and a NUL after the last
// pattern (the string's own terminator makes the closing pair).
std::wstring FilterText(std::string_view filter) {
  std::wstring text = Widen(filter);
  std::replace(text.begin(), text.end(), L'|', L'\0');
  text.push_back(L'\0');
  return text;
}

}  // namespace

int ChooseOpenFile(HWND owner, std::string_view title, std::string& fileSpec,
                   std::string_view initialFolder, std::string_view filter,
                   std::string_view defaultExtension, unsigned& flags) {
  // The file-name box text up to its first NUL, cut to leave the buffer its terminator.
  std::wstring shown = Widen(fileSpec.substr(0, fileSpec.find('\0')));
  shown.resize(std::min(shown.size(), kFileBufferChars - 1));
  std::vector<wchar_t> file(kFileBufferChars, L'\0');
  std::copy(shown.begin(), shown.end(), file.begin());
  std::vector<wchar_t> fileTitle(kFileTitleChars, L'\0');

  const std::wstring filterText = FilterText(filter);
  const std::wstring folder = initialFolder.empty() ? CurrentFolder() : Widen(initialFolder);
  const std::wstring titleText = Widen(title);
  const std::wstring extension = Widen(defaultExtension);

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filterText.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrFileTitle = fileTitle.data();
  dialog.nMaxFileTitle = kFileTitleChars;
  dialog.lpstrInitialDir = folder.c_str();
  dialog.lpstrTitle = titleText.empty() ? nullptr : titleText.c_str();
  dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  dialog.Flags = flags;

  const BOOL chosen = GetOpenFileNameW(&dialog);
  file.back() = L'\0';  // whatever the dialog wrote, the text ends inside the buffer
  fileSpec = Narrow(std::wstring_view(file.data()));
  flags = dialog.Flags;
  return chosen;
}

}  // namespace lobrix
