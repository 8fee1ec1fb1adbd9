// The registry operations against Wine's real registry.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "settings/registry.h"
#include "support/machine.h"

namespace {

const char kScratch[] = "SOFTWARE\\JreSelectTests";
const char kScratchChild[] = "SOFTWARE\\JreSelectTests\\Child";

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteKeyTree(kScratch);
        CreateKey(kScratch);
    }
    void TearDown() override { DeleteKeyTree(kScratch); }

    // ReadRegString as text; "<null>" when it returned null.
    static std::string Read(const char* key, const char* name)
    {
        char* text = ReadRegString(key, name);
        if (text == nullptr)
            return "<null>";
        std::string result = text;
        FreeRegString(text);
        return result;
    }
};

TEST_F(RegistryTest, ReadsTextValue)
{
    SetText(kScratch, "home", "C:\\Program Files\\Quillfern");
    EXPECT_EQ("C:\\Program Files\\Quillfern", Read(kScratch, "home"));
}

TEST_F(RegistryTest, ReadOfMissingKeyOrValueIsNull)
{
    EXPECT_EQ("<null>", Read("SOFTWARE\\JreSelectTests\\Nowhere", "home"));
    EXPECT_EQ("<null>", Read(kScratch, "home"));
}

TEST_F(RegistryTest, EmptyValueReadsAsEmptyText)
{
    SetRawValue(kScratch, "empty", REG_SZ, "", 0);
    SetText(kScratch, "nul-only", "");
    EXPECT_EQ("", Read(kScratch, "empty"));
    EXPECT_EQ("", Read(kScratch, "nul-only"));
}

TEST_F(RegistryTest, ValueWithoutTerminatingNulIsTerminated)
{
    SetRawValue(kScratch, "bare", REG_SZ, "C:\\JRE", 6);
    SetRawValue(kScratch, "binary", REG_BINARY, "abc", 3);
    EXPECT_EQ("C:\\JRE", Read(kScratch, "bare"));
    EXPECT_EQ("abc", Read(kScratch, "binary"));
}

// The type is not looked at: an expandable text stays unexpanded, a number gives its bytes.
TEST_F(RegistryTest, ValuesOfOtherTypesGiveTheirBytes)
{
    SetText(kScratch, "expand", "%SystemRoot%\\java", REG_EXPAND_SZ);
    const DWORD number = 0x00434241;  // "ABC" and a NUL, little-endian
    SetRawValue(kScratch, "dword", REG_DWORD, &number, sizeof(number));
    EXPECT_EQ("%SystemRoot%\\java", Read(kScratch, "expand"));
    EXPECT_EQ("ABC", Read(kScratch, "dword"));
}

TEST_F(RegistryTest, LongValueIsReadWhole)
{
    const std::string text(5000, 'x');
    SetText(kScratch, "long", text);
    EXPECT_EQ(text, Read(kScratch, "long"));
}

TEST_F(RegistryTest, RootTakingFormsReachOtherRoots)
{
    const char key[] = "Software\\JreSelectTests";
    RegDeleteTreeA(HKEY_CURRENT_USER, key);
    RegDeleteKeyA(HKEY_CURRENT_USER, key);
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, key));
    EXPECT_TRUE(WriteRegString(HKEY_CURRENT_USER, key, "v", "user"));
    EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, key));
    char* text = ReadRegString(HKEY_CURRENT_USER, key, "v");
    ASSERT_NE(nullptr, text);
    EXPECT_STREQ("user", text);
    FreeRegString(text);
    // The short form looks under HKEY_LOCAL_MACHINE only.
    EXPECT_EQ("<null>", Read(key, "v"));
    RegSubkeyList* names = EnumRegSubkeys(HKEY_CURRENT_USER, "Software");
    ASSERT_NE(nullptr, names);
    bool found = false;
    for (const std::string& name : *names)
        found = found || name == "JreSelectTests";
    EXPECT_TRUE(found);
    delete names;
    RegDeleteKeyA(HKEY_CURRENT_USER, key);
}

TEST_F(RegistryTest, KeyExistsTestsTheKeyOnly)
{
    EXPECT_TRUE(RegKeyExists(kScratch));
    EXPECT_FALSE(RegKeyExists(kScratchChild));
    CreateKey(kScratchChild);
    EXPECT_TRUE(RegKeyExists(kScratchChild));
}

TEST_F(RegistryTest, WriteCreatesMissingKeyAndWritesTextWithNul)
{
    ASSERT_FALSE(RegKeyExists(kScratchChild));
    EXPECT_TRUE(WriteRegString(kScratchChild, "starter", "C:\\JRE\\bin\\javaw.exe"));
    EXPECT_EQ(std::string("C:\\JRE\\bin\\javaw.exe", 21), ReadValueBytes(kScratchChild, "starter"));

    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyA(HKEY_LOCAL_MACHINE, kScratchChild, &key));
    DWORD type = 0;
    DWORD size = 0;
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(key, "starter", nullptr, &type, nullptr, &size));
    RegCloseKey(key);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ(strlen("C:\\JRE\\bin\\javaw.exe") + 1, size);
}

TEST_F(RegistryTest, WriteReplacesValueOfAnotherType)
{
    const DWORD number = 7;
    SetRawValue(kScratch, "classes", REG_DWORD, &number, sizeof(number));
    EXPECT_TRUE(WriteRegString(kScratch, "classes", "start.jar"));
    EXPECT_EQ(std::string("start.jar", 10), ReadValueBytes(kScratch, "classes"));
}

TEST_F(RegistryTest, WriteFailsWhereNoKeyCanBeMade)
{
    // Key names are limited to 255 characters.
    const std::string tooLong = std::string(kScratch) + "\\" + std::string(300, 'k');
    EXPECT_FALSE(WriteRegString(tooLong.c_str(), "v", "x"));
    EXPECT_EQ("<missing>", ReadValueBytes(tooLong.c_str(), "v"));
}

TEST_F(RegistryTest, EnumOfMissingKeyIsNull)
{
    EXPECT_EQ(nullptr, EnumRegSubkeys(kScratchChild));
}

TEST_F(RegistryTest, EnumOfKeyWithoutSubkeysIsEmptyList)
{
    SetText(kScratch, "value", "not a subkey");
    RegSubkeyList* names = EnumRegSubkeys(kScratch);
    ASSERT_NE(nullptr, names);
    EXPECT_TRUE(names->empty());
    delete names;
}

TEST_F(RegistryTest, EnumListsEverySubkeyInRegistryOrder)
{
    const char* const created[] = {"1.4.2", "1.3.1_04", "1.6", "Zeta", "alpha"};
    for (const char* name : created)
        CreateKey((std::string(kScratch) + "\\" + name).c_str());

    // The order to expect is the registry's own, as RegEnumKeyExA gives it.
    std::vector<std::string> expected;
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyA(HKEY_LOCAL_MACHINE, kScratch, &key));
    for (DWORD i = 0;; ++i) {
        char name[260];
        DWORD size = sizeof(name);
        if (RegEnumKeyExA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        expected.push_back(name);
    }
    RegCloseKey(key);

    RegSubkeyList* names = EnumRegSubkeys(kScratch);
    ASSERT_NE(nullptr, names);
    EXPECT_EQ(expected, *names);
    EXPECT_EQ(5u, names->size());
    delete names;
}

TEST_F(RegistryTest, EnumHandlesThousandsOfSubkeysAndLongestNames)
{
    for (int i = 0; i < 3000; ++i)
        CreateKey((std::string(kScratch) + "\\k" + std::to_string(i)).c_str());
    // The registry's longest key name, made relative to its parent: Wine's ANSI calls take
    // at most 260 characters of path.
    const std::string longest(255, 'n');
    HKEY parent;
    HKEY child;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyA(HKEY_LOCAL_MACHINE, kScratch, &parent));
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(parent, longest.c_str(), &child));
    RegCloseKey(child);
    RegCloseKey(parent);

    RegSubkeyList* names = EnumRegSubkeys(kScratch);
    ASSERT_NE(nullptr, names);
    EXPECT_EQ(3001u, names->size());
    bool sawLongest = false;
    for (const std::string& name : *names)
        sawLongest = sawLongest || name == longest;
    EXPECT_TRUE(sawLongest);
    delete names;
}

}  // namespace
