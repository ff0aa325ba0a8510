// The settings store in the registry: text values under HKEY_CURRENT_USER\Software\Tarvex (or
// a sub-key of it), opened with RegCreateKeyExA so a missing key is made on first use. Texts
// are single-byte, as the registry's ANSI calls take them.
#pragma once

#include "platform/settings/settings_store.h"

namespace lobrix {

class RegistrySettings final : public SettingsStore {
 public:
  // The value, up to its first NUL; empty when the key cannot be opened or the value does not
  // exist or does not fit the 256-byte buffer.
  std::string ReadSetting(std::string_view subKey, std::string_view name) override;
  // Stores the value cut to 254 characters as a REG_SZ of 256 bytes (NUL-padded). Nothing
  // happens when the key cannot be opened.
  void WriteSetting(std::string_view subKey, std::string_view name,
                    std::string_view value) override;
};

}  // namespace lobrix
