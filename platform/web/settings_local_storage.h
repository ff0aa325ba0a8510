// The settings store of the browser: the page's localStorage, one entry a value, keyed
// "lobrix:" + the key path + "\" + the value name. Nothing leaves the browser.
#pragma once

#include <string>
#include <string_view>

#include "platform/settings/settings_store.h"

namespace lobrix {

// The localStorage key of a value.
std::string LocalStorageKey(std::string_view subKey, std::string_view name);

class SettingsLocalStorage final : public SettingsStore {
 public:
  std::string ReadSetting(std::string_view subKey, std::string_view name) override;
  void WriteSetting(std::string_view subKey, std::string_view name,
                    std::string_view value) override;
};

}  // namespace lobrix
