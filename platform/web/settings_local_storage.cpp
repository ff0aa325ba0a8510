#include "platform/web/settings_local_storage.h"

#include "platform/web/controls_dom.h"
#include "platform/web/web_calls.h"

namespace lobrix {

std::string LocalStorageKey(std::string_view subKey, std::string_view name) {
  return "lobrix:" + SettingsKeyPath(subKey) + "\\" + CutSettingText(name);
}

std::string SettingsLocalStorage::ReadSetting(std::string_view subKey, std::string_view name) {
  const std::string key = LocalStorageKey(subKey, name);
  return CutSettingText(TakeWebText(lobrix_storage_read(key.c_str())));
}

void SettingsLocalStorage::WriteSetting(std::string_view subKey, std::string_view name,
                                        std::string_view value) {
  const std::string key = LocalStorageKey(subKey, name);
  const std::string text = CutSettingText(value);
  lobrix_storage_write(key.c_str(), text.c_str());
}

}  // namespace lobrix
