// Where a setting lives and how long its texts may be.
#include "platform/settings/settings_store.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_settings.h"

namespace lobrix {
namespace {

TEST(SettingsKeyPath, UnderTheCompanyKey) {
  EXPECT_EQ(SettingsKeyPath(""), "Software\\Tarvex");
  EXPECT_EQ(SettingsKeyPath("Editor"), "Software\\Tarvex\\Editor");
  EXPECT_EQ(SettingsKeyPath(std::string(300, 'k')).size(), 254u);
}

TEST(FakeSettings, RoundTripCutTo254Characters) {
  FakeSettings settings;
  EXPECT_EQ(settings.ReadSetting("", "Kathrein"), "");
  settings.WriteSetting("", "Kathrein", "C:\\msi");
  EXPECT_EQ(settings.ReadSetting("", "Kathrein"), "C:\\msi");
  const std::string longFolder(260, 'f');
  settings.WriteSetting("", "Kathrein", longFolder);
  EXPECT_EQ(settings.ReadSetting("", "Kathrein"), longFolder.substr(0, 254));
  settings.broken = true;
  EXPECT_EQ(settings.ReadSetting("", "Kathrein"), "");
}

}  // namespace
}  // namespace lobrix
