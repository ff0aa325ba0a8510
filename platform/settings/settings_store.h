// The one place the editor remembers something between runs: text values under the current
// user's "Software\Tarvex" key. The Windows side keeps them in the registry; tests use a map.
// Failures are silent: a value that cannot be read reads as empty, a write that fails is lost.
#pragma once

#include <string>
#include <string_view>

namespace lobrix {

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual std::string ReadSetting(std::string_view subKey, std::string_view name) = 0;
  virtual void WriteSetting(std::string_view subKey, std::string_view name,
                            std::string_view value) = 0;
};

// Key paths, value names and values are held in 255-byte NUL-terminated buffers: at most 254
// characters each.
inline constexpr std::size_t kSettingTextLimit = 254;

inline std::string CutSettingText(std::string_view text) {
  return std::string(text.substr(0, kSettingTextLimit));
}

// "Software\Tarvex", or "Software\Tarvex\" + subKey, cut to the limit.
inline std::string SettingsKeyPath(std::string_view subKey) {
  std::string path = "Software\\Tarvex";
  if (!subKey.empty()) {
    path += '\\';
    path += subKey;
  }
  return CutSettingText(path);
}

}  // namespace lobrix
