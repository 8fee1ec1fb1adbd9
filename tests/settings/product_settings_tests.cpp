// LoadInstallSettings against the product key in Wine's registry.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "settings/product_settings.h"
#include "support/machine.h"

namespace {

class ProductSettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetProgramKeys();
        // Leftovers from an earlier case must not pass for values read now.
        memset(g_homeDir, 0xbd, sizeof(g_homeDir));
        memset(g_starter, 0xbd, sizeof(g_starter));
        g_homeDirTooLong = true;
        g_starterTooLong = true;
    }
    void TearDown() override { ResetProgramKeys(); }
};

TEST_F(ProductSettingsTest, ReadsHomeAndStarter)
{
    SetText(kTestProductKey, "home", "C:\\Program Files\\Quillfern\\");
    SetText(kTestProductKey, "starter", "C:\\Program Files\\Quillfern\\jre\\bin\\javaw.exe");
    const std::string before = DumpKeyTree(kTestVelmorKey);

    ASSERT_TRUE(LoadInstallSettings());
    EXPECT_STREQ("C:\\Program Files\\Quillfern\\", g_homeDir);
    EXPECT_STREQ("C:\\Program Files\\Quillfern\\jre\\bin\\javaw.exe", g_starter);
    EXPECT_FALSE(g_homeDirTooLong);
    EXPECT_FALSE(g_starterTooLong);
    EXPECT_EQ(before, DumpKeyTree(kTestVelmorKey)) << "start-up writes nothing";
}

TEST_F(ProductSettingsTest, FailsWithoutKeyOrEitherValue)
{
    for (const ProductKeyState& state : kUnreadableProductKeys) {
        SCOPED_TRACE(state.name);
        const std::string before = ClearAndSeed(state.seed);
        EXPECT_FALSE(LoadInstallSettings());
        EXPECT_EQ(before, DumpKeyTree(kTestVelmorKey));
    }
}

TEST_F(ProductSettingsTest, EmptyValuesAreAccepted)
{
    SetText(kTestProductKey, "home", "");
    SetText(kTestProductKey, "starter", "");
    ASSERT_TRUE(LoadInstallSettings());
    EXPECT_STREQ("", g_homeDir);
    EXPECT_STREQ("", g_starter);
    EXPECT_FALSE(g_homeDirTooLong);
}

// 259 characters fit the 260-byte buffers; 260 do not, and are never kept cut short.
TEST_F(ProductSettingsTest, ValuesThatDoNotFitAreNotKeptButStillLoad)
{
    struct Case {
        size_t homeLength;
        size_t starterLength;
    };
    const Case cases[] = {{259, 259}, {260, 10}, {10, 260}, {4000, 4000}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.homeLength) + "/" + std::to_string(c.starterLength));
        const std::string home(c.homeLength, 'h');
        const std::string starter(c.starterLength, 's');
        SetText(kTestProductKey, "home", home);
        SetText(kTestProductKey, "starter", starter);

        ASSERT_TRUE(LoadInstallSettings());
        EXPECT_EQ(c.homeLength > 259, g_homeDirTooLong);
        EXPECT_EQ(c.starterLength > 259, g_starterTooLong);
        EXPECT_EQ(c.homeLength > 259 ? "" : home, std::string(g_homeDir));
        EXPECT_EQ(c.starterLength > 259 ? "" : starter, std::string(g_starter));
    }
}

TEST_F(ProductSettingsTest, ValueWithoutNulOrOfOtherTypeIsReadAsText)
{
    SetRawValue(kTestProductKey, "home", REG_BINARY, "C:\\Q", 4);
    SetText(kTestProductKey, "starter", "C:\\Q\\jre\\bin\\javaw.exe", REG_EXPAND_SZ);
    ASSERT_TRUE(LoadInstallSettings());
    EXPECT_STREQ("C:\\Q", g_homeDir);
    EXPECT_STREQ("C:\\Q\\jre\\bin\\javaw.exe", g_starter);
}

}  // namespace
