// FillRuntimeList over Wine's registry and files in the test prefix, into a real list box.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "discovery/runtime_discovery.h"
#include "discovery/runtime_list.h"
#include "settings/product_settings.h"
#include "support/list_window.h"
#include "support/machine.h"

namespace {

const char kDriveRuntimeDir[] = "C:\\jre";

struct Registered {
    const char* subkey;
    const char* javaHome;  // null: the subkey has other values but no "JavaHome"
    DWORD type;
    bool withoutNul;
};

Registered Sz(const char* subkey, const char* javaHome)
{
    return {subkey, javaHome, REG_SZ, false};
}

// One arrangement of the three sources and the list it must give; what a row leaves out is
// not there. Texts may hold {root}, this case's directory.
struct Scene {
    const char* what;
    const char* home = nullptr;        // g_homeDir; null: a directory without a runtime
    std::vector<std::string> files = {};  // below {root}
    std::vector<Registered> registered = {};
    bool microsoftKey = false;
    const char* windowsWjview = nullptr;  // a fixture put in the Windows directory, or null
    const char* systemWjview = nullptr;   // likewise, in the system directory
    std::vector<std::string> expected = {};  // "name|starter|version", in list order
    int tooLong = 0;                // candidates left out because a text did not fit
    bool homeTooLong = false;       // g_homeDirTooLong, with g_homeDir empty
    bool driveRootRuntime = false;  // C:\jre\bin\javaw.exe, with C:\ as current directory
};

void CountTooLong(const DiscoveryNote& note, void* context)
{
    switch (note.outcome) {
    case kOutcomeHomeTooLong:
    case kOutcomeHomeDirTooLong:
    case kOutcomeKeyPathTooLong:
    case kOutcomeJavaHomeTooLong:
    case kOutcomeJavaHomeDirTooLong:
        ++*static_cast<int*>(context);
        break;
    default:
        break;
    }
}

class DiscoveryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root_ = std::string("C:\\jt\\") +
                ::testing::UnitTest::GetInstance()->current_test_info()->name();
        char dir[MAX_PATH];
        ASSERT_NE(0u, GetCurrentDirectoryA(MAX_PATH, dir));
        savedDirectory_ = dir;
        // The places where the program looks for wjview.exe are the ones support names.
        ASSERT_NE(0u, GetWindowsDirectoryA(dir, MAX_PATH));
        ASSERT_EQ(kWindowsWjview, std::string(dir) + "\\wjview.exe");
        ASSERT_NE(0u, GetSystemDirectoryA(dir, MAX_PATH));
        ASSERT_EQ(kSystemWjview, std::string(dir) + "\\wjview.exe");
        ResetScene();
    }

    void TearDown() override { ResetScene(); }

    void ResetScene()
    {
        ReleaseRuntimeList(window_.list());
        SendMessageA(window_.list(), LB_RESETCONTENT, 0, 0);
        SetCurrentDirectoryA(savedDirectory_.c_str());
        ClearMachine();
        RemoveTree(kDriveRuntimeDir);
        SetHome(root_ + "\\nohome");
    }

    static void SetHome(const std::string& home)
    {
        ASSERT_LT(home.size(), kTextBufferSize);
        memcpy(g_homeDir, home.c_str(), home.size() + 1);
        g_homeDirTooLong = false;
    }

    std::string Expand(std::string text) const
    {
        const char name[] = "{root}";
        for (size_t at = text.find(name); at != std::string::npos;
             at = text.find(name, at + root_.size()))
            text.replace(at, strlen(name), root_);
        return text;
    }

    void Register(const Registered& r) const
    {
        const std::string key = JavaSoftSubkey(r.subkey);
        if (r.javaHome == nullptr) {
            SetText(key.c_str(), "RuntimeLib", Expand("{root}\\j\\bin\\client\\jvm.dll"));
        } else if (r.type == REG_DWORD) {
            const DWORD number = 7;
            SetRawValue(key.c_str(), "JavaHome", REG_DWORD, &number, sizeof(number));
        } else if (r.withoutNul) {
            const std::string home = Expand(r.javaHome);
            SetRawValue(key.c_str(), "JavaHome", r.type, home.data(),
                        static_cast<DWORD>(home.size()));
        } else {
            SeedRuntime(r.subkey, Expand(r.javaHome), r.type);
        }
    }

    void Arrange(const Scene& scene)
    {
        for (const std::string& file : scene.files)
            MakeFile(Expand("{root}\\" + file));
        for (const Registered& r : scene.registered)
            Register(r);
        if (scene.microsoftKey)
            CreateKey(kTestMicrosoftVmKey);
        if (scene.windowsWjview != nullptr)
            SeedWjview(scene.windowsWjview, kWindowsDir);
        if (scene.systemWjview != nullptr)
            SeedWjview(scene.systemWjview, kSystemDir);
        if (scene.home != nullptr)
            SetHome(Expand(scene.home));
        if (scene.homeTooLong) {
            g_homeDir[0] = '\0';
            g_homeDirTooLong = true;
        }
        if (scene.driveRootRuntime) {
            MakeLauncher(std::string(kDriveRuntimeDir) + "\\bin\\javaw.exe");
            ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
        }
    }

    // Fills the list box; tooLong counts the candidates left out because a text did not fit.
    std::vector<std::string> Fill(int* tooLong = nullptr)
    {
        int count = 0;
        FillRuntimeList(window_.list(), CountTooLong, &count);
        if (tooLong != nullptr)
            *tooLong = count;
        return DescribeList(window_.list());
    }

    void RunScenes(const std::vector<Scene>& scenes)
    {
        for (const Scene& scene : scenes) {
            SCOPED_TRACE(scene.what);
            ResetScene();
            Arrange(scene);
            std::vector<std::string> expected;
            for (const std::string& row : scene.expected)
                expected.push_back(Expand(row));
            int tooLong = 0;
            EXPECT_EQ(expected, Fill(&tooLong));
            EXPECT_EQ(scene.tooLong, tooLong);
        }
    }

    std::string root_;
    std::string savedDirectory_;
    ListWindow window_;
};

std::string Bundled(const std::string& starter)
{
    return "Bundled Java Runtime Environment|" + starter + "|";
}

std::string Sun(const std::string& version, const std::string& starter)
{
    return "Sun Java Runtime Environment (" + version + ")|" + starter + "|" + version;
}

std::string Microsoft(const std::string& version, const std::string& starter)
{
    return "Microsoft Java Runtime Environment (" + version + ")|" + starter + "|" + version;
}

// ---------------------------------------------------------------------------------------

TEST_F(DiscoveryTest, EachSourceAloneAndTheLauncherChoice)
{
    RunScenes({
        {.what = "nothing anywhere", .expected = {}},
        {.what = "bundled, javaw.exe only",
         .home = "{root}\\q",
         .files = {"q\\jre\\bin\\javaw.exe"},
         .expected = {Bundled("{root}\\q\\jre\\bin\\javaw.exe")}},
        {.what = "bundled, javaw.exe and jrew.exe",
         .home = "{root}\\q",
         .files = {"q\\jre\\bin\\javaw.exe", "q\\jre\\bin\\jrew.exe"},
         .expected = {Bundled("{root}\\q\\jre\\bin\\javaw.exe")}},
        {.what = "bundled, jrew.exe only",
         .home = "{root}\\q",
         .files = {"q\\jre\\bin\\jrew.exe"},
         .expected = {Bundled("{root}\\q\\jre\\bin\\jrew.exe")}},
        {.what = "bundled, home ending in a backslash",
         .home = "{root}\\q\\",
         .files = {"q\\jre\\bin\\javaw.exe"},
         .expected = {Bundled("{root}\\q\\jre\\bin\\javaw.exe")}},
        {.what = "bundled, no launcher in jre\\bin",
         .home = "{root}\\q",
         .files = {"q\\jre\\bin\\java.exe", "q\\bin\\javaw.exe", "q\\javaw.exe"},
         .expected = {}},
        {.what = "registered, javaw.exe only",
         .files = {"j\\bin\\javaw.exe"},
         .registered = {Sz("1.4", "{root}\\j")},
         .expected = {Sun("1.4", "{root}\\j\\bin\\javaw.exe")}},
        {.what = "registered, javaw.exe and jrew.exe",
         .files = {"j\\bin\\jrew.exe", "j\\bin\\javaw.exe"},
         .registered = {Sz("1.4", "{root}\\j")},
         .expected = {Sun("1.4", "{root}\\j\\bin\\javaw.exe")}},
        {.what = "registered, jrew.exe only",
         .files = {"j\\bin\\jrew.exe"},
         .registered = {Sz("1.4", "{root}\\j")},
         .expected = {Sun("1.4", "{root}\\j\\bin\\jrew.exe")}},
        {.what = "registered, launchers only outside bin",
         .files = {"j\\jre\\bin\\javaw.exe", "j\\javaw.exe", "j\\bin\\java.exe"},
         .registered = {Sz("1.4", "{root}\\j")},
         .expected = {}},
        {.what = "Microsoft alone",
         .microsoftKey = true,
         .windowsWjview = "wjview_5_0_0_381",
         .expected = {Microsoft("5.0.0.381", kWindowsWjview)}},
    });
}

TEST_F(DiscoveryTest, SourcesComeInTheirFixedOrder)
{
    RunScenes({
        {.what = "all three",
         .home = "{root}\\q",
         .files = {"q\\jre\\bin\\javaw.exe", "a\\bin\\jrew.exe", "b\\bin\\javaw.exe"},
         .registered = {Sz("1.3.1_04", "{root}\\a"), Sz("1.4", "{root}\\b")},
         .microsoftKey = true,
         .windowsWjview = "wjview_5_0_0_381",
         .expected = {Bundled("{root}\\q\\jre\\bin\\javaw.exe"),
                      Sun("1.3.1_04", "{root}\\a\\bin\\jrew.exe"),
                      Sun("1.4", "{root}\\b\\bin\\javaw.exe"),
                      Microsoft("5.0.0.381", kWindowsWjview)}},
    });
}

TEST_F(DiscoveryTest, RegisteredRuntimes)
{
    // 1.4 between two valid runtimes, 1.3 and 1.5, and a directory with no launcher.
    const std::vector<std::string> files = {"a\\bin\\javaw.exe", "c\\bin\\javaw.exe",
                                            "empty\\bin\\java.exe"};
    const Registered valid13 = Sz("1.3", "{root}\\a");
    const Registered valid15 = Sz("1.5", "{root}\\c");
    const std::vector<std::string> neighbours = {Sun("1.3", "{root}\\a\\bin\\javaw.exe"),
                                                 Sun("1.5", "{root}\\c\\bin\\javaw.exe")};
    RunScenes({
        {.what = "no \"JavaHome\" between valid ones",
         .files = files,
         .registered = {valid13, Sz("1.4", nullptr), valid15},
         .expected = neighbours},
        {.what = "no launcher between valid ones",
         .files = files,
         .registered = {valid13, Sz("1.4", "{root}\\empty"), valid15},
         .expected = neighbours},
        {.what = "\"JavaHome\" naming no directory between valid ones",
         .files = files,
         .registered = {valid13, Sz("1.4", "{root}\\nowhere"), valid15},
         .expected = neighbours},
        {.what = "empty \"JavaHome\" between valid ones",
         .files = files,
         .registered = {valid13, Sz("1.4", ""), valid15},
         .expected = neighbours},
        {.what = "\"JavaHome\" of a number between valid ones",
         .files = files,
         .registered = {valid13, {"1.4", "", REG_DWORD, false}, valid15},
         .expected = neighbours},
        // 1.4 is only a key above a subkey of its own.
        {.what = "subkey without values between valid ones",
         .files = files,
         .registered = {valid13, Sz("1.4\\nested", "{root}\\a"), valid15},
         .expected = neighbours},
        {.what = "\"JavaHome\" ending in a backslash",
         .files = {"j\\bin\\javaw.exe"},
         .registered = {Sz("1.4", "{root}\\j\\")},
         .expected = {Sun("1.4", "{root}\\j\\bin\\javaw.exe")}},
        {.what = "\"JavaHome\" without its terminating NUL",
         .files = {"j\\bin\\javaw.exe"},
         .registered = {{"1.4", "{root}\\j", REG_SZ, true}},
         .expected = {Sun("1.4", "{root}\\j\\bin\\javaw.exe")}},
        {.what = "\"JavaHome\" of the expandable type holding a plain path",
         .files = {"j\\bin\\javaw.exe"},
         .registered = {{"1.4", "{root}\\j", REG_EXPAND_SZ, false}},
         .expected = {Sun("1.4", "{root}\\j\\bin\\javaw.exe")}},
        {.what = "two subkeys naming one runtime",
         .files = {"j\\bin\\javaw.exe"},
         .registered = {Sz("1.4", "{root}\\j"), Sz("1.4.2", "{root}\\j")},
         .expected = {Sun("1.4", "{root}\\j\\bin\\javaw.exe"),
                      Sun("1.4.2", "{root}\\j\\bin\\javaw.exe")}},
        {.what = "subkey 1.3.1_04",
         .files = {"j\\bin\\javaw.exe"},
         .registered = {Sz("1.3.1_04", "{root}\\j")},
         .expected = {Sun("1.3.1_04", "{root}\\j\\bin\\javaw.exe")}},
    });
}

// The value is joined with "bin" as it stands: "%SystemDrive%" names no directory.
TEST_F(DiscoveryTest, ExpandableJavaHomeIsNotExpanded)
{
    const std::string unexpanded = "%SystemDrive%" + root_.substr(2) + "\\x";
    char expanded[MAX_PATH];
    ASSERT_NE(0u, ExpandEnvironmentStringsA(unexpanded.c_str(), expanded, MAX_PATH));
    ASSERT_EQ(root_ + "\\x", std::string(expanded));

    RunScenes({
        {.what = "expandable reference between valid ones",
         .files = {"a\\bin\\javaw.exe", "c\\bin\\javaw.exe", "x\\bin\\javaw.exe"},
         .registered = {Sz("1.3", "{root}\\a"),
                        {"1.4", unexpanded.c_str(), REG_EXPAND_SZ, false},
                        Sz("1.5", "{root}\\c")},
         .expected = {Sun("1.3", "{root}\\a\\bin\\javaw.exe"),
                      Sun("1.5", "{root}\\c\\bin\\javaw.exe")}},
    });
}

TEST_F(DiscoveryTest, JavaSoftKeyWithoutSubkeysAndMicrosoftKeyWithoutLauncher)
{
    CreateKey(kTestJavaSoftKey);
    CreateKey(kTestMicrosoftVmKey);
    EXPECT_EQ(std::vector<std::string>(), Fill());
}

TEST_F(DiscoveryTest, MicrosoftVirtualMachine)
{
    struct Case {
        const char* what;
        bool key;
        const char* windows;
        const char* system;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"key absent, wjview.exe in both directories", false, "wjview_5_0_0_381",
         "wjview_5_0_0_381", {}},
        {"key, no wjview.exe", true, nullptr, nullptr, {}},
        {"Windows directory", true, "wjview_5_0_0_381", nullptr,
         {Microsoft("5.0.0.381", kWindowsWjview)}},
        {"system directory", true, nullptr, "wjview_5_0_0_381",
         {Microsoft("5.0.0.381", kSystemWjview)}},
        {"both: the Windows directory wins", true, "wjview_5_0_0_0", "wjview_5_0_0_381",
         {Microsoft("5.0.0.0", kWindowsWjview)}},
        {"both, the Windows one too old: nothing", true, "wjview_4_79_0_0",
         "wjview_5_0_0_381", {}},
        {"Windows one without version: the system one", true, "wjview_unversioned",
         "wjview_10_0_0_0", {Microsoft("10.0.0.0", kSystemWjview)}},
        {"Windows one damaged: the system one", true, "wjview_short_fixed",
         "wjview_5_0_0_0", {Microsoft("5.0.0.0", kSystemWjview)}},
        {"below 5.0.0.0", true, "wjview_4_79_0_0", nullptr, {}},
        {"at 5.0.0.0", true, "wjview_5_0_0_0", nullptr,
         {Microsoft("5.0.0.0", kWindowsWjview)}},
        {"above: 5.0.0.381", true, nullptr, "wjview_5_0_0_381",
         {Microsoft("5.0.0.381", kSystemWjview)}},
        {"above: 10.0.0.0", true, "wjview_10_0_0_0", nullptr,
         {Microsoft("10.0.0.0", kWindowsWjview)}},
        {"above: 65535.65535.65535.65535", true, "wjview_65535", nullptr,
         {Microsoft("65535.65535.65535.65535", kWindowsWjview)}},
        {"without a version resource", true, "wjview_unversioned", "wjview_unversioned",
         {}},
        {"fixed information cut short", true, "wjview_short_fixed", nullptr, {}},
        {"fixed information empty", true, nullptr, "wjview_empty_fixed", {}},
    };
    std::vector<Scene> scenes;
    for (const Case& c : cases) {
        scenes.push_back({.what = c.what,
                          .microsoftKey = c.key,
                          .windowsWjview = c.windows,
                          .systemWjview = c.system,
                          .expected = c.expected});
    }
    RunScenes(scenes);
}

// Texts that do not fit 259 characters leave only their own runtime out; a valid one
// registered beside them is still listed, and no cut path is ever tried.
TEST_F(DiscoveryTest, TextsThatDoNotFitLeaveOnlyTheirRuntimeOut)
{
    const std::string valid = Sun("1.4", "{root}\\j\\bin\\javaw.exe");
    std::string dots = "{root}\\j";
    while (dots.size() < 320)
        dots += "\\.";
    // Measured after {root} is put in: 255 + "\bin" is 259, and 256 + "\bin" is 260.
    const std::string pad = "{root}\\" + std::string(255 - root_.size() - 1, 'h');
    const std::string home255 = pad;
    const std::string home256 = pad + "h";

    RunScenes({
        {.what = "\"JavaHome\" longer than 259",
         .files = {"j\\bin\\javaw.exe"},
         .registered = {Sz("1.3", dots.c_str()), Sz("1.4", "{root}\\j")},
         .expected = {valid},
         .tooLong = 1},
        // Reported as no launcher: neither launcher's path can be made there.
        {.what = "\"JavaHome\" whose bin fits and whose launchers do not",
         .files = {"j\\bin\\javaw.exe"},
         .registered = {Sz("1.3", home255.c_str()), Sz("1.4", "{root}\\j")},
         .expected = {valid},
         .tooLong = 0},
        {.what = "\"JavaHome\" whose bin does not fit",
         .files = {"j\\bin\\javaw.exe"},
         .registered = {Sz("1.3", home256.c_str()), Sz("1.4", "{root}\\j")},
         .expected = {valid},
         .tooLong = 1},
        // With a launcher below the current drive's root, which is not searched instead.
        {.what = "home too long to keep",
         .files = {"j\\bin\\javaw.exe"},
         .registered = {Sz("1.4", "{root}\\j")},
         .expected = {valid},
         .tooLong = 1,
         .homeTooLong = true,
         .driveRootRuntime = true},
        {.what = "home whose jre\\bin does not fit",
         .home = home255.c_str(),
         .files = {"j\\bin\\javaw.exe"},
         .registered = {Sz("1.4", "{root}\\j")},
         .expected = {valid},
         .tooLong = 1,
         .driveRootRuntime = true},
        // \jre\bin\javaw.exe names a file on whichever drive is current: not fully qualified.
        {.what = "empty home: \\jre\\bin of the current drive is not looked at",
         .home = "",
         .files = {"j\\bin\\javaw.exe"},
         .registered = {Sz("1.4", "{root}\\j")},
         .expected = {valid},
         .tooLong = 0,
         .driveRootRuntime = true},
    });
}

// Restores PATH when the test ends.
class PathVariable {
public:
    PathVariable()
    {
        char value[32768];
        const DWORD length = GetEnvironmentVariableA("PATH", value, sizeof(value));
        saved_ = length > 0 && length < sizeof(value) ? value : "";
    }
    ~PathVariable() { SetEnvironmentVariableA("PATH", saved_.c_str()); }
    void Prepend(const std::string& dir) const
    {
        SetEnvironmentVariableA("PATH", (dir + ";" + saved_).c_str());
    }

private:
    std::string saved_;
};

// OpenFile looks for a relative path below the program's directory, the current directory,
// the system directories and PATH. A "home" or "JavaHome" that is not fully qualified
// names no fixed place: it is never probed, wherever a launcher lies below it.
TEST_F(DiscoveryTest, PathsThatAreNotFullyQualifiedAreNeverProbed)
{
    // Each folder lies below one place only; the names are this program's own, since the
    // program's directory is shared with other tests.
    const std::string programDir = JRESELECT_BIN_DIR_W;
    const std::string onPath = root_ + "\\onpath";
    const std::string current = root_ + "\\current";
    const std::string homeBesideProgram = "DiscoveryHomeBesideProgram";
    const std::string javaBesideProgram = "DiscoveryJavaBesideProgram";
    struct Cleanup {
        std::vector<std::string> trees;
        ~Cleanup()
        {
            for (const std::string& tree : trees)
                RemoveTree(tree);
        }
    } cleanup{{programDir + "\\" + homeBesideProgram, programDir + "\\" + javaBesideProgram}};
    MakeFile(programDir + "\\" + homeBesideProgram + "\\jre\\bin\\javaw.exe");
    MakeFile(programDir + "\\" + javaBesideProgram + "\\bin\\javaw.exe");
    MakeFile(onPath + "\\HomeOnPath\\jre\\bin\\javaw.exe");
    MakeFile(onPath + "\\JavaOnPath\\bin\\javaw.exe");
    MakeFile(current + "\\HomeInCurrent\\jre\\bin\\javaw.exe");
    MakeFile(current + "\\JavaInCurrent\\bin\\javaw.exe");
    const PathVariable path;
    path.Prepend(onPath);
    ASSERT_TRUE(SetCurrentDirectoryA(current.c_str()));

    struct Case {
        const char* what;
        std::string home;
        std::string javaHome;  // empty: no runtime registered
        std::vector<std::string> expected;
    };
    const std::string noHome = root_ + "\\nohome";
    const Case cases[] = {
        {"relative home below the program's directory", homeBesideProgram, "", {}},
        {"relative home below a directory on PATH", "HomeOnPath", "", {}},
        {"relative home below the current directory", "HomeInCurrent", "", {}},
        {"drive-relative home", "C:HomeInCurrent", "", {}},
        {"home rooted on the current drive", current.substr(2) + "\\HomeInCurrent", "", {}},
        {"relative JavaHome below the program's directory", noHome, javaBesideProgram, {}},
        {"relative JavaHome below a directory on PATH", noHome, "JavaOnPath", {}},
        {"drive-relative JavaHome", noHome, "C:JavaInCurrent", {}},
        {"JavaHome starting with a dot", noHome, ".\\JavaInCurrent", {}},
        {"the home, fully qualified", current + "\\HomeInCurrent", "",
         {Bundled(current + "\\HomeInCurrent\\jre\\bin\\javaw.exe")}},
        {"the JavaHome, fully qualified", noHome, onPath + "\\JavaOnPath",
         {Sun("1.4", onPath + "\\JavaOnPath\\bin\\javaw.exe")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ReleaseRuntimeList(window_.list());
        SendMessageA(window_.list(), LB_RESETCONTENT, 0, 0);
        ResetProgramKeys();
        SetHome(c.home);
        if (!c.javaHome.empty())
            SeedRuntime("1.4", c.javaHome);
        EXPECT_EQ(c.expected, Fill());
    }
}

// OpenFile takes paths of up to 127 characters: a home whose launcher path is longer is
// not found, but nothing else is disturbed.
TEST_F(DiscoveryTest, BundledLauncherPathAtTheProbeLimit)
{
    const std::string tail = "\\jre\\bin\\javaw.exe";
    const std::string home127 =
        root_ + "\\" + std::string(127 - tail.size() - root_.size() - 1, 'q');
    const std::string home128 = home127 + "q";
    RunScenes({
        {.what = "launcher path of 127",
         .home = home127.c_str(),
         .files = {"j\\bin\\javaw.exe", home127.substr(root_.size() + 1) + tail},
         .registered = {Sz("1.4", "{root}\\j")},
         .expected = {Bundled(home127 + tail), Sun("1.4", "{root}\\j\\bin\\javaw.exe")}},
        {.what = "launcher path of 128",
         .home = home128.c_str(),
         .files = {"j\\bin\\javaw.exe", home128.substr(root_.size() + 1) + tail},
         .registered = {Sz("1.4", "{root}\\j")},
         .expected = {Sun("1.4", "{root}\\j\\bin\\javaw.exe")}},
    });
}

TEST_F(DiscoveryTest, HomeTooLongAtStartUpGivesNoBundledRuntime)
{
    SeedProduct(root_ + "\\" + std::string(300, 'q'), "C:\\jre\\bin\\javaw.exe");
    MakeLauncher(std::string(kDriveRuntimeDir) + "\\bin\\javaw.exe");
    MakeLauncher(root_ + "\\j\\bin\\javaw.exe");
    SeedRuntime("1.4", root_ + "\\j");
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
    ASSERT_TRUE(LoadInstallSettings());
    ASSERT_TRUE(g_homeDirTooLong);
    EXPECT_EQ(std::vector<std::string>({Expand(Sun("1.4", "{root}\\j\\bin\\javaw.exe"))}), Fill());
}

// Subkey names of up to 255 characters can be made; with the 43-character key prefix a
// name of 216 gives a key path of 259, one of 217 does not fit.
TEST_F(DiscoveryTest, SubkeyNamesTooLongForTheKeyPath)
{
    MakeLauncher(root_ + "\\j\\bin\\javaw.exe");
    const std::string fits = "2." + std::string(214, '9');
    for (const std::string& name : {std::string("1.4"), fits, "3." + std::string(215, '9'),
                                    "4." + std::string(253, '9')})
        SeedRuntime(name, root_ + "\\j");
    ASSERT_EQ(259u, strlen(kTestJavaSoftKey) + 1 + fits.size());

    int tooLong = 0;
    const std::vector<std::string> expected = {Expand(Sun("1.4", "{root}\\j\\bin\\javaw.exe")),
                                               Expand(Sun(fits, "{root}\\j\\bin\\javaw.exe"))};
    EXPECT_EQ(expected, Fill(&tooLong));
    EXPECT_EQ(2, tooLong);
}

// 3,000 subkeys, one in a hundred with a launcher, the rest with a "JavaHome" and none:
// the valid ones come in the registry's enumeration order.
TEST_F(DiscoveryTest, ThousandsOfSubkeysInRegistryOrder)
{
    MakeLauncher(root_ + "\\j\\bin\\javaw.exe");
    MakeDirectories(root_ + "\\none\\bin");
    const std::string good = root_ + "\\j";
    const std::string bad = root_ + "\\none";
    std::set<std::string> valid;
    for (int i = 2999; i >= 0; --i) {
        char name[32];
        snprintf(name, sizeof(name), "1.%d.%d_%02d", i % 7, i, i % 13);
        if (i % 100 == 42)
            valid.insert(name);
        SeedRuntime(name, i % 100 == 42 ? good : bad);
    }
    std::vector<std::string> expected;
    HKEY parent;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyA(HKEY_LOCAL_MACHINE, kTestJavaSoftKey, &parent));
    char name[260];
    for (DWORD index = 0; RegEnumKeyA(parent, index, name, sizeof(name)) == ERROR_SUCCESS; ++index) {
        if (valid.count(name) != 0)
            expected.push_back(Sun(name, good + "\\bin\\javaw.exe"));
    }
    RegCloseKey(parent);
    ASSERT_EQ(30u, expected.size());
    EXPECT_EQ(expected, Fill());
}

}  // namespace
