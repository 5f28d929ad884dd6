#include "Exceptions.h"
#include "Registry.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A key of this test run under HKEY_CURRENT_USER, deleted afterwards.
class RegistryTest : public testing::Test {
protected:
    const std::string base = "Software\\TessaloomTests\\Registry-" + std::to_string(GetCurrentProcessId()) + "-" +
                             testing::UnitTest::GetInstance()->current_test_info()->name();
    void TearDown() override {
        TRegistry r;
        EXPECT_TRUE(r.DeleteKey(base));
        EXPECT_FALSE(r.KeyExists(base));
        EXPECT_FALSE(r.DeleteKey(base));  // nothing left to delete
    }
};

TEST_F(RegistryTest, BoolsRoundTripAsFourByteIntegers) {
    TRegistry r;
    EXPECT_EQ(r.RootKey(), HKEY_CURRENT_USER);
    ASSERT_TRUE(r.OpenKey(base + "\\{A-GUID}\\", true));  // trailing separator, as the screensaver's key
    EXPECT_EQ(r.CurrentPath(), base + "\\{A-GUID}");
    EXPECT_FALSE(r.ValueExists("mute"));
    r.WriteBool("mute", true);
    r.WriteBool("ignore", false);
    EXPECT_TRUE(r.ValueExists("mute"));
    r.CloseKey();
    EXPECT_EQ(r.CurrentKey(), nullptr);

    // What the system holds: REG_DWORD, 4 bytes, 1 and 0.
    HKEY k = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, (base + "\\{A-GUID}").c_str(), 0, KEY_READ, &k), ERROR_SUCCESS);
    DWORD type = 0, value = 7, size = sizeof value;
    EXPECT_EQ(RegQueryValueExA(k, "mute", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(value, 1u);
    RegCloseKey(k);

    ASSERT_TRUE(r.OpenKey(base + "\\{A-GUID}\\", false));
    EXPECT_TRUE(r.ReadBool("mute"));
    EXPECT_FALSE(r.ReadBool("ignore"));
    r.WriteInteger("mute", 5);
    EXPECT_TRUE(r.ReadBool("mute"));
}

TEST_F(RegistryTest, MissingKeyIsNotCreatedUnlessAsked) {
    TRegistry r;
    ASSERT_TRUE(r.OpenKey(base, true));
    EXPECT_FALSE(r.OpenKey("\\" + base + "\\missing\\", false));
    EXPECT_EQ(r.CurrentPath(), base);  // the previous key stays open
    EXPECT_FALSE(r.KeyExists("\\" + base + "\\missing"));
}

TEST_F(RegistryTest, ReadIntegerRaisesForMissingValueAndWrongType) {
    TRegistry r;
    ASSERT_TRUE(r.OpenKey(base, true));
    r.WriteString("text", "12");
    struct Case {
        const char* name;
        const char* message;
    };
    const Case cases[] = {{"absent", "Registry value 'absent' does not exist"},
                          {"text", "Registry value 'text' is not of the expected type"}};
    for (const Case& c : cases) {
        try {
            r.ReadInteger(c.name);
            ADD_FAILURE() << c.name;
        } catch (const ERegistryException& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
    EXPECT_THROW(r.ReadBool("absent"), ERegistryException);
    EXPECT_EQ(r.ReadString("text"), "12");
    r.WriteInteger("n", -3);
    EXPECT_THROW(r.ReadString("n"), ERegistryException);
    EXPECT_EQ(r.ReadInteger("n"), -3);
}

TEST_F(RegistryTest, RelativePathsAreBelowTheOpenKey) {
    TRegistry r;
    ASSERT_TRUE(r.OpenKey(base, true));
    ASSERT_TRUE(r.OpenKey("Sub\\Deeper\\", true));
    EXPECT_EQ(r.CurrentPath(), base + "\\Sub\\Deeper");
    r.WriteInteger("x", 42);
    r.CloseKey();
    EXPECT_TRUE(r.KeyExists(base + "\\Sub\\Deeper"));
    ASSERT_TRUE(r.OpenKeyReadOnly("\\" + base + "\\Sub\\Deeper"));
    EXPECT_EQ(r.ReadInteger("x"), 42);
    EXPECT_THROW(r.WriteInteger("x", 1), ERegistryException);  // opened for reading only
}

TEST_F(RegistryTest, WithoutOpenKeyNothingIsReadOrWritten) {
    TRegistry r;
    EXPECT_FALSE(r.ValueExists("x"));
    EXPECT_THROW(r.ReadInteger("x"), ERegistryException);
    EXPECT_THROW(r.WriteBool("x", true), ERegistryException);
    ASSERT_TRUE(r.OpenKey(base, true));  // so that TearDown has something to delete
}

}  // namespace
