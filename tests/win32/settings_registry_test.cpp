// The registry settings store under Wine: the key made on first use, values kept as 256-byte
// REG_SZ, texts cut to 254 characters. Each case works under its own sub-key of
// Software\Tarvex and removes it afterwards.
#include "platform/win32/settings_registry.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace lobrix {
namespace {

class RegistrySettingsTest : public testing::Test {
 protected:
  void SetUp() override {
    subKey_ = "LobrixTest" + std::to_string(GetCurrentProcessId()) + "_" +
              testing::UnitTest::GetInstance()->current_test_info()->name();
    path_ = "Software\\Tarvex\\" + subKey_;
    RegDeleteKeyA(HKEY_CURRENT_USER, path_.c_str());
  }
  void TearDown() override { RegDeleteKeyA(HKEY_CURRENT_USER, path_.c_str()); }

  bool KeyExists() const {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
      return false;
    }
    RegCloseKey(key);
    return true;
  }

  // The stored value's type and size in bytes, as the registry holds it.
  bool Stored(const char* name, DWORD& type, DWORD& size) const {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
      return false;
    }
    const bool ok = RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
  }

  std::string subKey_;
  std::string path_;
  RegistrySettings settings_;
};

TEST_F(RegistrySettingsTest, ReadOnAFreshKeyCreatesItAndGivesEmpty) {
  ASSERT_FALSE(KeyExists());
  EXPECT_EQ(settings_.ReadSetting(subKey_, "Kathrein"), "");
  EXPECT_TRUE(KeyExists());
}

TEST_F(RegistrySettingsTest, WrittenFolderReadsBackAndIsStoredAs256Bytes) {
  settings_.WriteSetting(subKey_, "Kathrein", "C:\\Ant\\MSI");
  EXPECT_EQ(settings_.ReadSetting(subKey_, "Kathrein"), "C:\\Ant\\MSI");
  DWORD type = 0, size = 0;
  ASSERT_TRUE(Stored("Kathrein", type, size));
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(size, 256u);
  settings_.WriteSetting(subKey_, "Kathrein", "D:\\x");  // a shorter value leaves no tail
  EXPECT_EQ(settings_.ReadSetting(subKey_, "Kathrein"), "D:\\x");
}

TEST_F(RegistrySettingsTest, LongValuesAreCutTo254Characters) {
  const std::string folder = "C:\\" + std::string(297, 'a');
  settings_.WriteSetting(subKey_, "Kathrein", folder);
  EXPECT_EQ(settings_.ReadSetting(subKey_, "Kathrein"), folder.substr(0, 254));
  settings_.WriteSetting(subKey_, "Kathrein", folder.substr(0, 254));
  EXPECT_EQ(settings_.ReadSetting(subKey_, "Kathrein"), folder.substr(0, 254));
}

// The editor keeps paths as UTF-8; the registry value is in the ANSI code page, as other
// programs reading it with the …A functions expect.
TEST_F(RegistrySettingsTest, FolderWithAnAccentIsStoredInTheAnsiCodePage) {
  const std::string folder = "C:\\Ant\xc3\xa9ny";  // "C:\Antény", é in UTF-8
  settings_.WriteSetting(subKey_, "Kathrein", folder);
  EXPECT_EQ(settings_.ReadSetting(subKey_, "Kathrein"), folder);
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
  char stored[256] = {};
  DWORD size = sizeof stored;
  RegQueryValueExA(key, "Kathrein", nullptr, nullptr, reinterpret_cast<BYTE*>(stored), &size);
  RegCloseKey(key);
  EXPECT_STREQ(stored, "C:\\Ant\xe9ny");  // é is 0xE9 in code pages 1250 and 1252
}

TEST_F(RegistrySettingsTest, FolderTheCodePageCannotSpellKeepsTheOldValue) {
  settings_.WriteSetting(subKey_, "Kathrein", "C:\\Ant");
  settings_.WriteSetting(subKey_, "Kathrein", "C:\\\xe4\xb8\xad");  // a CJK character
  EXPECT_EQ(settings_.ReadSetting(subKey_, "Kathrein"), "C:\\Ant");
}

TEST_F(RegistrySettingsTest, AValueTooLongForTheBufferReadsAsEmpty) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const std::string big(400, 'b');
  RegSetValueExA(key, "Kathrein", 0, REG_SZ, reinterpret_cast<const BYTE*>(big.c_str()),
                 static_cast<DWORD>(big.size() + 1));
  RegCloseKey(key);
  EXPECT_EQ(settings_.ReadSetting(subKey_, "Kathrein"), "");
}

}  // namespace
}  // namespace lobrix
