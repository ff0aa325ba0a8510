// Settings for native tests: values in a map under their key path and name, cut as the
// registry side cuts them, with a count of writes so a test can see whether one happened.
#pragma once

#include <map>
#include <string>
#include <utility>

#include "platform/settings/settings_store.h"

namespace lobrix {

class FakeSettings final : public SettingsStore {
 public:
  std::map<std::pair<std::string, std::string>, std::string> values;
  int writes = 0;
  bool broken = false;  // the store cannot be opened: reads give empty, writes are lost

  std::string ReadSetting(std::string_view subKey, std::string_view name) override {
    if (broken) return {};
    const auto it = values.find({SettingsKeyPath(subKey), CutSettingText(name)});
    return it == values.end() ? std::string() : it->second;
  }

  void WriteSetting(std::string_view subKey, std::string_view name,
                    std::string_view value) override {
    ++writes;
    if (broken) return;
    values[{SettingsKeyPath(subKey), CutSettingText(name)}] = CutSettingText(value);
  }
};

}  // namespace lobrix
