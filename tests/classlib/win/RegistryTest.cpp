#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "classlib/win/TRegistry.h"

namespace {

// A private key below HKEY_CURRENT_USER, removed again at the end.
struct TestKey {
    TestKey() : path("\\Software\\VantorelTest\\" + std::to_string(::GetCurrentProcessId())) {}
    ~TestKey() {
        TRegistry reg;
        reg.DeleteKey("\\Software\\VantorelTest");
    }
    AnsiString path;
};

}  // namespace

TEST(Registry, WritesAndReadsTypedValues) {
    TestKey key;
    TRegistry reg;
    EXPECT_FALSE(reg.OpenKey(key.path, false));  // not there yet
    ASSERT_TRUE(reg.OpenKey(key.path, true));
    EXPECT_EQ(reg.CurrentPath(), key.path.substr(1));
    reg.WriteString("Name", "Vantorel");
    reg.WriteString("Empty", "");
    reg.WriteInteger("Count", -5);
    reg.WriteBool("Flag", true);
    reg.WriteExpandString("Path", "%TEMP%\\x");

    EXPECT_EQ(reg.ReadString("Name"), "Vantorel");
    EXPECT_EQ(reg.ReadString("Empty"), "");
    EXPECT_EQ(reg.ReadInteger("Count"), -5);
    EXPECT_TRUE(reg.ReadBool("Flag"));
    EXPECT_EQ(reg.ReadString("Path"), "%TEMP%\\x");
    EXPECT_EQ(reg.GetDataType("Path"), rdExpandString);
    EXPECT_EQ(reg.GetDataType("Count"), rdInteger);
    EXPECT_EQ(reg.GetDataSize("Name"), 9);  // with the terminator
    EXPECT_EQ(reg.GetDataSize("Missing"), -1);
    EXPECT_TRUE(reg.ValueExists("Count"));
    EXPECT_FALSE(reg.ValueExists("Missing"));

    // Missing strings read as empty; missing integers and wrong types raise.
    EXPECT_EQ(reg.ReadString("Missing"), "");
    EXPECT_THROW(reg.ReadInteger("Missing"), ERegistryException);
    EXPECT_THROW(reg.ReadInteger("Name"), ERegistryException);
    try {
        reg.ReadString("Count");
        FAIL();
    } catch (const ERegistryException& e) {
        EXPECT_EQ(e.Message(), "Invalid data type for 'Count'");
    }
    std::vector<AnsiString> values = reg.GetValueNames();
    std::sort(values.begin(), values.end());
    EXPECT_EQ(values, (std::vector<AnsiString>{"Count", "Empty", "Flag", "Name", "Path"}));
    EXPECT_TRUE(reg.DeleteValue("Flag"));
    EXPECT_FALSE(reg.ValueExists("Flag"));
}

TEST(Registry, PathsKeysAndReadOnlyAccess) {
    TestKey key;
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(key.path, true));
    // Relative paths go below the open key.
    EXPECT_TRUE(reg.CreateKey("Sub\\Deeper"));
    EXPECT_TRUE(reg.KeyExists("Sub"));
    EXPECT_TRUE(reg.KeyExists(key.path + "\\Sub\\Deeper"));
    EXPECT_FALSE(reg.KeyExists("Nope"));
    EXPECT_EQ(reg.GetKeyNames(), (std::vector<AnsiString>{"Sub"}));
    ASSERT_TRUE(reg.OpenKey("Sub", false));
    EXPECT_EQ(reg.CurrentPath(), key.path.substr(1) + "\\Sub");
    reg.WriteString("v", "1");
    reg.CloseKey();

    TRegistry reader;
    ASSERT_TRUE(reader.OpenKeyReadOnly(key.path + "\\Sub"));
    EXPECT_EQ(reader.ReadString("v"), "1");
    EXPECT_THROW(reader.WriteString("v", "2"), ERegistryException);
    EXPECT_FALSE(reader.OpenKeyReadOnly(key.path + "\\Missing"));
    EXPECT_EQ(reader.CurrentPath(), key.path.substr(1) + "\\Sub");  // a failed open keeps the old key

    // A whole tree goes at once.
    EXPECT_TRUE(reg.DeleteKey(key.path));
    EXPECT_FALSE(reg.KeyExists(key.path));
    // Another root.
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_TRUE(reg.KeyExists("\\Software"));
}
