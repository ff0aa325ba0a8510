#include "platform/win32/settings_registry.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

#include "platform/win32/wide_text.h"
#include "platform/win32/win_handle.h"

namespace lobrix {
namespace {

// Every text crosses in a 256-byte buffer: at most 254 characters and a NUL.
constexpr std::size_t kBufferBytes = 256;

RegistryKey OpenSettingsKey(std::string_view subKey) {
  const std::string path = SettingsKeyPath(subKey);
  char keyClass[] = "RegistryClass";
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, keyClass, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return {};
  }
  return RegistryKey(key);
}

}  // namespace

std::string RegistrySettings::ReadSetting(std::string_view subKey, std::string_view name) {
  const RegistryKey key = OpenSettingsKey(subKey);
  if (!key) return {};
  const std::string valueName = CutSettingText(name);
  std::array<char, kBufferBytes> buffer{};
  DWORD size = static_cast<DWORD>(buffer.size());
  if (RegQueryValueExA(key.Get(), valueName.c_str(), nullptr, nullptr,
                       reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS) {
    return {};
  }
  // Up to the first NUL, never past what was read; stored in the ANSI code page, kept as UTF-8.
  const std::size_t read = std::min<std::size_t>(size, buffer.size());
  const void* end = std::memchr(buffer.data(), '\0', read);
  return FromAnsi(std::string_view(
      buffer.data(),
      end ? static_cast<std::size_t>(static_cast<const char*>(end) - buffer.data()) : read));
}

void RegistrySettings::WriteSetting(std::string_view subKey, std::string_view name,
                                    std::string_view value) {
  const RegistryKey key = OpenSettingsKey(subKey);
  if (!key) return;
  const std::string valueName = CutSettingText(name);
  // The value is a UTF-8 text (a folder chosen through the wide file dialog); the registry's
  // …A functions store the ANSI code page. A folder that code page cannot spell is not written:
  // a changed path would open the file dialog somewhere else next time.
  const std::optional<std::string> ansi = ToAnsi(value);
  if (!ansi) return;
  const std::string text = CutSettingText(*ansi);
  std::array<char, kBufferBytes> buffer{};
  std::memcpy(buffer.data(), text.data(), text.size());
  RegSetValueExA(key.Get(), valueName.c_str(), 0, REG_SZ,
                 reinterpret_cast<const BYTE*>(buffer.data()), static_cast<DWORD>(buffer.size()));
}

}  // namespace lobrix
