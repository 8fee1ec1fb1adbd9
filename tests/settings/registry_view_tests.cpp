// The read-only registry forms for a view named explicitly, against Wine's real registry in
// each configuration: win32 has one view; under WOW64 (this 32-bit program in a 64-bit
// prefix) and in the 64-bit build the other view holds keys of its own.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "settings/registry.h"
#include "support/machine.h"

namespace {

const char kScratch[] = "SOFTWARE\\JreSelectViewTests";
const char kMissing[] = "SOFTWARE\\JreSelectViewTests\\Nowhere";

// The configuration that ctest runs this program in (tests/CMakeLists.txt).
std::string Configuration()
{
    const char* config = getenv("JRESELECT_WINE_CONFIG");
    return config != nullptr ? config : "";
}

std::string Read(const char* key, const char* name, REGSAM view)
{
    char* text = ReadRegStringInView(key, name, view);
    if (text == nullptr)
        return "<null>";
    std::string result = text;
    FreeRegString(text);
    return result;
}

std::string Enumerate(const char* key, REGSAM view)
{
    RegSubkeyList* names = EnumRegSubkeysInView(key, view);
    if (names == nullptr)
        return "<null>";
    std::string text;
    for (const std::string& name : *names)
        text += name + ";";
    delete names;
    return text;
}

class RegistryViewTest : public ::testing::Test {
protected:
    void SetUp() override { Clear(); }
    void TearDown() override { Clear(); }
    static void Clear()
    {
        DeleteKeyTree(kScratch, kView32);
        DeleteKeyTree(kScratch, kView64);
        DeleteKeyTree(kScratch);
    }
};

TEST_F(RegistryViewTest, OtherViewIsTheOneThisProgramDoesNotSee)
{
    const std::string config = Configuration();
    SCOPED_TRACE(config);
    if (config == "win32")
        EXPECT_EQ(0u, OtherRegistryView());
    else if (config == "wow64")
        EXPECT_EQ(static_cast<REGSAM>(KEY_WOW64_64KEY), OtherRegistryView());
    else if (config == "win64")
        EXPECT_EQ(static_cast<REGSAM>(KEY_WOW64_32KEY), OtherRegistryView());
    else
        ADD_FAILURE() << "JRESELECT_WINE_CONFIG is not set";
}

// Each view holds its own value and subkey; a view of 0 reads as the short forms do.
TEST_F(RegistryViewTest, ReadsAndEnumeratesTheViewNamed)
{
    const REGSAM other = OtherRegistryView();
    SetText(kScratch, "v", "own");
    CreateKey((std::string(kScratch) + "\\OwnChild").c_str());
    if (other != 0) {
        // No terminating NUL, and another type: read as ReadRegString reads them.
        SetRawValue(kScratch, "v", REG_BINARY, "other", 5, other);
        CreateKey((std::string(kScratch) + "\\OtherChild").c_str(), other);
    }
    char* shortForm = ReadRegString(kScratch, "v");
    ASSERT_NE(nullptr, shortForm);
    EXPECT_EQ("own", std::string(shortForm));
    FreeRegString(shortForm);

    struct Case {
        const char* name;
        REGSAM view;
        bool wanted;  // false: no such view in this configuration
        std::string value;
        std::string subkeys;
    };
    // The own view named explicitly: the 32-bit one for a 32-bit program (a 32-bit Windows
    // ignores the flag), the 64-bit one for the 64-bit build.
    const REGSAM ownNamed = sizeof(void*) == 8 ? kView64 : kView32;
    const Case cases[] = {
        {"own view (0)", 0, true, "own", "OwnChild;"},
        {"own view named", ownNamed, true, "own", "OwnChild;"},
        {"other view", other, other != 0, "other", "OtherChild;"},
    };
    for (const Case& c : cases) {
        if (!c.wanted)
            continue;
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.value, Read(kScratch, "v", c.view));
        EXPECT_EQ("<null>", Read(kScratch, "absent", c.view));
        EXPECT_EQ("<null>", Read(kMissing, "v", c.view));
        EXPECT_EQ(c.subkeys, Enumerate(kScratch, c.view));
        EXPECT_EQ("<null>", Enumerate(kMissing, c.view));
    }
}

}  // namespace
