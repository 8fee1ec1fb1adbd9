// The path, file and version probes, against real files and the version fixtures.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "discovery/path_text.h"
#include "discovery/probes.h"
#include "support/machine.h"

namespace {

const unsigned char kSentinel = 0xbd;
const size_t kGuard = 16;

// A 260-byte output buffer followed by guard bytes, all filled with the sentinel.
struct OutBuffer {
    char bytes[260 + kGuard];
    OutBuffer() { memset(bytes, kSentinel, sizeof(bytes)); }

    bool Untouched(size_t from) const
    {
        for (size_t i = from; i < sizeof(bytes); ++i) {
            if (static_cast<unsigned char>(bytes[i]) != kSentinel)
                return false;
        }
        return true;
    }
};

std::string Repeat(char c, size_t count)
{
    return std::string(count, c);
}

// ---------------------------------------------------------------------------------------
// MakePath

struct JoinCase {
    std::string what;
    std::string directory;
    std::string name;
    bool fits;
    std::string joined;  // when it fits
};

std::vector<JoinCase> JoinCases()
{
    const std::string dir253 = "C:\\" + Repeat('d', 250);
    const std::string dir259 = "C:\\" + Repeat('d', 256);
    return {
        {"plain", "C:\\X", "a.exe", true, "C:\\X\\a.exe"},
        {"directory ending in a backslash", "C:\\X\\", "a.exe", true, "C:\\X\\a.exe"},
        {"empty directory", "", "a.exe", true, "\\a.exe"},
        {"name with a backslash", "C:\\Q", "jre\\bin", true, "C:\\Q\\jre\\bin"},
        {"forward slashes stay", "C:/X", "a.exe", true, "C:/X\\a.exe"},
        {"doubled separator stays", "C:\\X\\\\", "a.exe", true, "C:\\X\\\\a.exe"},
        {"relative parts stay", "..\\X\\.", "a.exe", true, "..\\X\\.\\a.exe"},
        {"root", "C:\\", "bin", true, "C:\\bin"},
        {"empty name", "C:\\X", "", true, "C:\\X\\"},
        {"259 characters fit", dir253, "a.exe", true, dir253 + "\\a.exe"},
        {"260 characters do not", dir253, "ab.exe", false, ""},
        {"259 with the directory's backslash", dir253 + "\\", "a.exe", true,
         dir253 + "\\a.exe"},
        {"260 with the directory's backslash", dir253 + "\\", "ab.exe", false, ""},
        {"empty directory, 259", "", Repeat('n', 258), true, "\\" + Repeat('n', 258)},
        {"empty directory, 260", "", Repeat('n', 259), false, ""},
        {"directory of 259, separator needed", dir259, "", false, ""},
        {"directory of 259 ending in a backslash", dir259.substr(0, 258) + "\\", "", true,
         dir259.substr(0, 258) + "\\"},
        {"directory longer than a buffer", "C:\\" + Repeat('d', 400), "a.exe", false, ""},
        {"name longer than a buffer", "C:\\X", Repeat('n', 400), false, ""},
    };
}

void CheckJoin(const JoinCase& c, bool result, const OutBuffer& out)
{
    EXPECT_EQ(c.fits, result);
    if (c.fits) {
        EXPECT_EQ(c.joined, std::string(out.bytes));
        EXPECT_TRUE(out.Untouched(c.joined.size() + 1)) << "written past the joined path";
    } else {
        // Never a path cut short: nothing usable is left behind.
        EXPECT_EQ('\0', out.bytes[0]);
        EXPECT_TRUE(out.Untouched(260)) << "written past the buffer";
    }
}

TEST(MakePathTest, JoinsDirectoryAndName)
{
    for (const JoinCase& c : JoinCases()) {
        SCOPED_TRACE(c.what);
        OutBuffer out;
        const bool result = MakePath(out.bytes, c.directory.c_str(), c.name.c_str());
        CheckJoin(c, result, out);
    }
}

// Discovery joins in place (MakePath(dir, dir, "bin")).
TEST(MakePathTest, DestinationMayBeTheDirectory)
{
    for (const JoinCase& c : JoinCases()) {
        if (c.directory.size() >= 260)
            continue;  // cannot be held in a buffer to begin with
        SCOPED_TRACE(c.what);
        OutBuffer out;
        memcpy(out.bytes, c.directory.c_str(), c.directory.size() + 1);
        const bool result = MakePath(out.bytes, out.bytes, c.name.c_str());
        EXPECT_EQ(c.fits, result);
        if (c.fits) {
            EXPECT_EQ(c.joined, std::string(out.bytes));
        } else {
            EXPECT_EQ('\0', out.bytes[0]);
        }
        EXPECT_TRUE(out.Untouched(260));
    }
}

// ---------------------------------------------------------------------------------------
// CompareVersions

struct VersionPair {
    const char* a;
    const char* b;
    int expected;
};

TEST(CompareVersionsTest, ComparesFourNumericParts)
{
    const VersionPair cases[] = {
        {"5.0.0.381", "5.0.0.0", 1},
        {"5.0.0.0", "5.0.0.0", 0},
        {"4.79.0.0", "5.0.0.0", -1},
        {"5.0", "5.0.0.0", -1},
        {"5.0.0.0", "5.0", -1},
        {"5..0.0.0", "5.0.0.0", 0},
        {"10.0.0.0", "9.0.0.0", 1},
        {"9.0.0.0", "10.0.0.0", -1},
        {"5.0.0.0", "5.0.0.381", -1},
        {"1.2.3.4", "1.2.4.3", -1},
        {"1.2.4.3", "1.2.3.4", 1},
        {"0.0.0.1", "0.0.0.0", 1},
        {"65535.65535.65535.65535", "5.0.0.0", 1},
        {"05.00.00.00", "5.0.0.0", 0},
        // Dots at either end and runs of dots are separators only.
        {".5.0.0.0", "5.0.0.0", 0},
        {"5.0.0.0.", "5.0.0.0", 0},
        {"..5...0..0.0..", "5.0.0.0", 0},
        {"...", "0.0.0.0", -1},
        {"5.0.0", "5.0.0", -1},
        {"", "", -1},
        {"", "5.0.0.0", -1},
        {"5.0.0.0", "", -1},
        // Parts beyond the fourth are ignored, on either side.
        {"5.0.0.0.9", "5.0.0.0", 0},
        {"5.0.0.0", "5.0.0.0.1", 0},
        {"5.0.0.1.0", "5.0.0.0.9", 1},
        // atoi: white space, one sign, digits up to the first other character.
        {" 5.0.0.0", "5.0.0.0", 0},
        {"5. 1.0.0", "5.1.0.0", 0},
        {"+5.0.0.0", "5.0.0.0", 0},
        {"-1.0.0.0", "0.0.0.0", -1},
        {"0.0.0.0", "-1.0.0.0", 1},
        {"5x.0.0.0", "5.0.0.0", 0},
        {"5.0.0.381beta", "5.0.0.381", 0},
        {"a.b.c.d", "0.0.0.0", 0},
        {"a.b.c.d", "5.0.0.0", -1},
        {"--5.0.0.0", "0.0.0.0", 0},
        {"4.79.0.0", "4.8.0.0", 1},
    };
    for (const VersionPair& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.a + "\" vs \"" + c.b + "\"");
        EXPECT_EQ(c.expected, CompareVersions(c.a, c.b));
    }
}

TEST(CompareVersionsTest, LeavesItsInputsUntouched)
{
    char a[260] = "..5.0.0.381..";
    char b[260] = "5..0.0.0.7";
    const std::string aBefore(a, sizeof(a));
    const std::string bBefore(b, sizeof(b));
    EXPECT_EQ(1, CompareVersions(a, b));
    EXPECT_EQ(aBefore, std::string(a, sizeof(a)));
    EXPECT_EQ(bBefore, std::string(b, sizeof(b)));
    // The same text on both sides: splitting one copy must not disturb the other.
    EXPECT_EQ(0, CompareVersions(a, a));
    EXPECT_EQ(aBefore, std::string(a, sizeof(a)));
}

// A text that cannot be held in the working copies is not a version, and is not cut.
TEST(CompareVersionsTest, TextLongerThanABufferCountsAsNoVersion)
{
    std::string longVersion = "6.0.0.0";
    while (longVersion.size() < 400)
        longVersion += ".0";
    EXPECT_EQ(-1, CompareVersions(longVersion.c_str(), "5.0.0.0"));
    EXPECT_EQ(-1, CompareVersions("5.0.0.0", longVersion.c_str()));
    const std::string fits = longVersion.substr(0, 259);
    EXPECT_EQ(1, CompareVersions(fits.c_str(), "5.0.0.0"));
}

// ---------------------------------------------------------------------------------------
// IsFullyQualifiedPath

TEST(IsFullyQualifiedPathTest, DriveLetterColonAndSeparatorOrUnc)
{
    struct Case {
        const char* path;
        bool qualified;
    };
    const Case cases[] = {
        {"C:\\Quillfern", true},
        {"c:\\", true},
        {"Z:/x", true},
        {"\\\\server\\share\\x", true},
        {"//server/share", true},
        {"\\\\?\\C:\\x", true},
        {"Quillfern", false},
        {"Quillfern\\jre\\bin", false},
        {"C:Quillfern", false},
        {"C:", false},
        {"\\Quillfern", false},
        {".\\x", false},
        {"..\\x", false},
        {"\\\\", false},
        {"\\\\\\x", false},
        {"", false},
        {"1:\\x", false},
        {":\\x", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(c.qualified, IsFullyQualifiedPath(c.path));
    }
}

// ---------------------------------------------------------------------------------------
// FileExists, on files in the test prefix

const char kProbeRoot[] = "C:\\jt\\probes";

class FileExistsTest : public ::testing::Test {
protected:
    void SetUp() override { RemoveTree(kProbeRoot); MakeDirectories(kProbeRoot); }
    void TearDown() override { RemoveTree(kProbeRoot); }

    static std::string At(const std::string& name) { return std::string(kProbeRoot) + "\\" + name; }

    // A path of exactly length characters below the root, ending in a file name.
    static std::string PathOfLength(size_t length)
    {
        const std::string prefix = At("");
        return prefix + Repeat('f', length - prefix.size() - 4) + ".exe";
    }
};

TEST_F(FileExistsTest, TellsFilesFromEverythingElse)
{
    MakeFile(At("empty\\javaw.exe"));
    MakeFile(At("full\\javaw.exe"), "MZ not really a program");
    MakeDirectories(At("dir\\javaw.exe"));
    MakeFile(At("readonly\\javaw.exe"));
    SetFileAttributesA(At("readonly\\javaw.exe").c_str(), FILE_ATTRIBUTE_READONLY);

    struct Case {
        const char* what;
        std::string path;
        bool exists;
    };
    const Case cases[] = {
        {"empty file", At("empty\\javaw.exe"), true},
        {"file with content", At("full\\javaw.exe"), true},
        {"read-only file", At("readonly\\javaw.exe"), true},
        {"letter case differs", At("EMPTY\\JAVAW.EXE"), true},
        {"missing file", At("empty\\jrew.exe"), false},
        {"missing directory", At("none\\javaw.exe"), false},
        {"directory of that name", At("dir\\javaw.exe"), false},
        {"directory itself", At("empty"), false},
        {"trailing backslash", At("empty\\javaw.exe\\"), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.exists, FileExists(c.path.c_str())) << c.path;
    }
}

// OpenFile would search the program's and the current directory, the system directories and
// PATH for these; the file next to the current directory is not found by any of them.
TEST_F(FileExistsTest, PathThatIsNotFullyQualifiedCountsAsAbsent)
{
    MakeFile(At("javaw.exe"));
    char saved[MAX_PATH];
    ASSERT_NE(0u, GetCurrentDirectoryA(MAX_PATH, saved));
    ASSERT_TRUE(SetCurrentDirectoryA(kProbeRoot));
    struct Case {
        const char* what;
        std::string path;
        bool exists;
    };
    const Case cases[] = {
        {"relative", "javaw.exe", false},
        {"relative with a dot", ".\\javaw.exe", false},
        {"drive-relative", "C:javaw.exe", false},
        {"rooted on the current drive", std::string(kProbeRoot).substr(2) + "\\javaw.exe", false},
        {"fully qualified", At("javaw.exe"), true},
        {"fully qualified with slashes", "C:/jt/probes/javaw.exe", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.exists, FileExists(c.path.c_str())) << c.path;
    }
    SetCurrentDirectoryA(saved);
}

// OpenFile keeps the path in 128 bytes: 127 characters are the most that can be probed.
TEST_F(FileExistsTest, PathOf128CharactersOrMoreCountsAsAbsent)
{
    for (size_t length : {100u, 126u, 127u, 128u, 129u, 200u, 259u}) {
        SCOPED_TRACE("path of " + std::to_string(length));
        const std::string path = PathOfLength(length);
        ASSERT_EQ(length, path.size());
        MakeFile(path);
        ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path.c_str()));
        EXPECT_EQ(length <= 127, FileExists(path.c_str()));
    }
}

TEST_F(FileExistsTest, FileThatCannotBeOpenedForReadingCountsAsAbsent)
{
    const std::string path = At("locked\\javaw.exe");
    MakeFile(path);
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_FALSE(FileExists(path.c_str()));
    CloseHandle(held);
    EXPECT_TRUE(FileExists(path.c_str()));
}

TEST_F(FileExistsTest, DoesNotKeepTheFileOpen)
{
    const std::string path = At("javaw.exe");
    MakeFile(path);
    ASSERT_TRUE(FileExists(path.c_str()));
    HANDLE exclusive = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, exclusive) << "still held open";
    if (exclusive != INVALID_HANDLE_VALUE)
        CloseHandle(exclusive);
    EXPECT_TRUE(DeleteFileA(path.c_str()));
}

// ---------------------------------------------------------------------------------------
// GetFileVersionString, on the executables that the build makes

TEST(GetFileVersionStringTest, ReadsTheFixedFileVersion)
{
    struct Case {
        const char* fixture;
        const char* version;
    };
    // The fixtures' product version is 9.8.7.6: it must never show.
    const Case cases[] = {
        {"wjview_5_0_0_381", "5.0.0.381"},
        {"wjview_5_0_0_0", "5.0.0.0"},
        {"wjview_4_79_0_0", "4.79.0.0"},
        {"wjview_10_0_0_0", "10.0.0.0"},
        {"wjview_65535", "65535.65535.65535.65535"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fixture);
        OutBuffer out;
        ASSERT_TRUE(GetFileVersionString(out.bytes, FixturePath(c.fixture).c_str()));
        EXPECT_STREQ(c.version, out.bytes);
        EXPECT_TRUE(out.Untouched(strlen(c.version) + 1));
    }
}

// The version API would look for a relative name as the loader looks for a DLL.
TEST(GetFileVersionStringTest, RelativePathIsNotRead)
{
    char saved[MAX_PATH];
    ASSERT_NE(0u, GetCurrentDirectoryA(MAX_PATH, saved));
    ASSERT_TRUE(SetCurrentDirectoryA(JRESELECT_FIXTURES_DIR_W));
    for (const char* path : {"wjview_5_0_0_381.exe", ".\\wjview_5_0_0_381.exe"}) {
        SCOPED_TRACE(path);
        OutBuffer out;
        EXPECT_FALSE(GetFileVersionString(out.bytes, path));
        EXPECT_TRUE(out.Untouched(0));
    }
    OutBuffer out;
    EXPECT_TRUE(GetFileVersionString(out.bytes, FixturePath("wjview_5_0_0_381").c_str()));
    SetCurrentDirectoryA(saved);
}

TEST(GetFileVersionStringTest, NoVersionLeavesTheBufferAlone)
{
    RemoveTree("C:\\jt\\versions");
    MakeFile("C:\\jt\\versions\\text.exe", "not a program at all");
    MakeFile("C:\\jt\\versions\\empty.exe");
    struct Case {
        const char* what;
        std::string path;
    };
    const Case cases[] = {
        {"no version resource", FixturePath("wjview_unversioned")},
        {"fixed information cut short", FixturePath("wjview_short_fixed")},
        {"fixed information empty", FixturePath("wjview_empty_fixed")},
        {"missing file", FixturePath("wjview_missing")},
        {"missing directory", "C:\\jt\\nowhere\\wjview.exe"},
        {"text file", "C:\\jt\\versions\\text.exe"},
        {"empty file", "C:\\jt\\versions\\empty.exe"},
        {"directory", "C:\\jt\\versions"},
        {"empty path", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OutBuffer out;
        EXPECT_FALSE(GetFileVersionString(out.bytes, c.path.c_str()));
        EXPECT_TRUE(out.Untouched(0));
    }
    RemoveTree("C:\\jt\\versions");
}

}  // namespace
