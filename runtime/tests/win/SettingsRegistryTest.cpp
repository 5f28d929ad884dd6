#include "Registry.h"
#include "RegistrySettings.h"
#include "SysUtils.h"

#include <gtest/gtest.h>

namespace {

const std::string kId = "{7D3C2B1A-1111-4222-8333-944455556666}";

class SettingsKey : public testing::Test {
protected:
    void SetUp() override { Remove(); }
    void TearDown() override { Remove(); }
    static void Remove() {
        TRegistry().DeleteKey(std::string("\\").append(ExcludeTrailingPathDelimiter(ScreensaverKeyName(kId))));
    }
};

TEST_F(SettingsKey, SaveCreatesTheKeyWithFourByteBooleans) {
    TRegistrySettings store;
    EXPECT_TRUE(SaveSettings(store, kId, {true, false}));

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, ("Software\\Nimbrel\\Screensavers\\" + kId).c_str(), 0, KEY_READ, &key),
              ERROR_SUCCESS);
    for (const auto& [name, expected] : {std::pair{"mute", 1u}, std::pair{"ignore", 0u}}) {
        DWORD type = 0, value = 99, size = sizeof value;
        EXPECT_EQ(RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size), ERROR_SUCCESS);
        EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD)) << name;
        EXPECT_EQ(value, expected) << name;
    }
    RegCloseKey(key);

    TRegistrySettings reader;
    const TScreensaverSettings s = ReadSettings(reader, kId);
    EXPECT_TRUE(s.Mute);
    EXPECT_FALSE(s.IgnoreMouse);
}

TEST_F(SettingsKey, AbsentValuesReadAsFalse) {
    TRegistrySettings store;
    const TScreensaverSettings s = ReadSettings(store, kId);
    EXPECT_FALSE(s.Mute);
    EXPECT_FALSE(s.IgnoreMouse);
    TRegistry r;
    EXPECT_TRUE(r.KeyExists("\\Software\\Nimbrel\\Screensavers\\" + kId)) << "reading creates the key";
}

}  // namespace
