// FillRuntimeList over Wine's registry and files in the test prefix, into a real list box.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "discovery/runtime_discovery.h"
#include "discovery/runtime_list.h"
#include "list_window.h"
#include "settings/product_settings.h"
#include "support/scratch_registry.h"

namespace {

const char kBundled[] = "Bundled Java Runtime Environment|";
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

// One arrangement of the three sources and the list it must give. Texts may hold {root}
// (this case's directory), {win} and {sys} (the prefix's Windows and system directories).
struct Scene {
    const char* what;
    const char* home;                 // g_homeDir; null: a directory without a runtime
    std::vector<std::string> files;   // below {root}
    std::vector<Registered> registered;
    bool microsoftKey;
    const char* windowsWjview;        // a fixture copied there as wjview.exe, or null
    const char* systemWjview;
    std::vector<std::string> expected;  // "name|starter|version", in list order
    int tooLong;                      // candidates left out because a text did not fit
    bool homeTooLong;                 // g_homeDirTooLong, with g_homeDir empty
    bool driveRootRuntime;            // C:\jre\bin\javaw.exe, with C:\ as current directory
};

Scene Make(const char* what, std::vector<std::string> expected)
{
    Scene scene = {};
    scene.what = what;
    scene.expected = std::move(expected);
    return scene;
}

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
        ASSERT_NE(0u, GetWindowsDirectoryA(dir, MAX_PATH));
        windowsDir_ = dir;
        ASSERT_NE(0u, GetSystemDirectoryA(dir, MAX_PATH));
        systemDir_ = dir;
        ASSERT_EQ("C:\\windows", windowsDir_) << "the test prefix's own Windows directory";
        ResetScene();
    }

    void TearDown() override
    {
        ResetScene();
        RemoveTree(root_);
    }

    void ResetScene()
    {
        ReleaseRuntimeList(window_.list());
        SendMessageA(window_.list(), LB_RESETCONTENT, 0, 0);
        SetCurrentDirectoryA(savedDirectory_.c_str());
        ResetProgramKeys();
        RemoveTree(root_);
        RemoveTree(kDriveRuntimeDir);
        DeleteFileA(WindowsWjview().c_str());
        DeleteFileA(SystemWjview().c_str());
        SetHome(root_ + "\\nohome");
    }

    static void SetHome(const std::string& home)
    {
        ASSERT_LT(home.size(), kTextBufferSize);
        memcpy(g_homeDir, home.c_str(), home.size() + 1);
        g_homeDirTooLong = false;
    }

    std::string WindowsWjview() const { return windowsDir_ + "\\wjview.exe"; }
    std::string SystemWjview() const { return systemDir_ + "\\wjview.exe"; }

    std::string Expand(std::string text) const
    {
        const std::pair<const char*, std::string> names[] = {
            {"{root}", root_}, {"{win}", windowsDir_}, {"{sys}", systemDir_}};
        for (const auto& name : names) {
            for (size_t at = text.find(name.first); at != std::string::npos;
                 at = text.find(name.first, at + name.second.size()))
                text.replace(at, strlen(name.first), name.second);
        }
        return text;
    }

    static std::string SubkeyPath(const std::string& name)
    {
        return std::string(kTestJavaSoftKey) + "\\" + name;
    }

    // Never writes into an existing file: the prefix's system files are shared links.
    static void PlaceWjview(const char* fixture, const std::string& destination)
    {
        DeleteFileA(destination.c_str());
        const std::string source = std::string(JRESELECT_FIXTURES_DIR_W) + "\\" + fixture;
        ASSERT_TRUE(CopyFileA(source.c_str(), destination.c_str(), TRUE)) << destination;
    }

    void Register(const Registered& r) const
    {
        const std::string key = SubkeyPath(r.subkey);
        if (r.javaHome == nullptr) {
            SetText(key.c_str(), "RuntimeLib", Expand("{root}\\j\\bin\\client\\jvm.dll"));
            return;
        }
        if (r.type == REG_DWORD) {
            const DWORD number = 7;
            SetRawValue(key.c_str(), "JavaHome", REG_DWORD, &number, sizeof(number));
            return;
        }
        const std::string home = Expand(r.javaHome);
        const DWORD size = static_cast<DWORD>(home.size() + (r.withoutNul ? 0 : 1));
        SetRawValue(key.c_str(), "JavaHome", r.type, home.c_str(), size);
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
            PlaceWjview(scene.windowsWjview, WindowsWjview());
        if (scene.systemWjview != nullptr)
            PlaceWjview(scene.systemWjview, SystemWjview());
        if (scene.home != nullptr)
            SetHome(Expand(scene.home));
        if (scene.homeTooLong) {
            g_homeDir[0] = '\0';
            g_homeDirTooLong = true;
        }
        if (scene.driveRootRuntime) {
            MakeFile(std::string(kDriveRuntimeDir) + "\\bin\\javaw.exe");
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
    std::string windowsDir_;
    std::string systemDir_;
    ListWindow window_;
};

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
    std::vector<Scene> scenes;
    scenes.push_back(Make("nothing anywhere", {}));

    Scene s = Make("bundled, javaw.exe only",
                   {std::string(kBundled) + "{root}\\q\\jre\\bin\\javaw.exe|"});
    s.home = "{root}\\q";
    s.files = {"q\\jre\\bin\\javaw.exe"};
    scenes.push_back(s);

    s.what = "bundled, javaw.exe and jrew.exe";
    s.files = {"q\\jre\\bin\\javaw.exe", "q\\jre\\bin\\jrew.exe"};
    scenes.push_back(s);

    s = Make("bundled, jrew.exe only", {std::string(kBundled) + "{root}\\q\\jre\\bin\\jrew.exe|"});
    s.home = "{root}\\q";
    s.files = {"q\\jre\\bin\\jrew.exe"};
    scenes.push_back(s);

    s = Make("bundled, home ending in a backslash",
             {std::string(kBundled) + "{root}\\q\\jre\\bin\\javaw.exe|"});
    s.home = "{root}\\q\\";
    s.files = {"q\\jre\\bin\\javaw.exe"};
    scenes.push_back(s);

    s = Make("bundled, no launcher in jre\\bin", {});
    s.home = "{root}\\q";
    s.files = {"q\\jre\\bin\\java.exe", "q\\bin\\javaw.exe", "q\\javaw.exe"};
    scenes.push_back(s);

    s = Make("registered, javaw.exe only", {Sun("1.4", "{root}\\j\\bin\\javaw.exe")});
    s.files = {"j\\bin\\javaw.exe"};
    s.registered = {Sz("1.4", "{root}\\j")};
    scenes.push_back(s);

    s.what = "registered, javaw.exe and jrew.exe";
    s.files = {"j\\bin\\jrew.exe", "j\\bin\\javaw.exe"};
    scenes.push_back(s);

    s = Make("registered, jrew.exe only", {Sun("1.4", "{root}\\j\\bin\\jrew.exe")});
    s.files = {"j\\bin\\jrew.exe"};
    s.registered = {Sz("1.4", "{root}\\j")};
    scenes.push_back(s);

    s = Make("registered, launchers only outside bin", {});
    s.files = {"j\\jre\\bin\\javaw.exe", "j\\javaw.exe", "j\\bin\\java.exe"};
    s.registered = {Sz("1.4", "{root}\\j")};
    scenes.push_back(s);

    s = Make("Microsoft alone", {Microsoft("5.0.0.381", "{win}\\wjview.exe")});
    s.microsoftKey = true;
    s.windowsWjview = "wjview_5_0_0_381.exe";
    scenes.push_back(s);

    RunScenes(scenes);
}

TEST_F(DiscoveryTest, SourcesComeInTheirFixedOrder)
{
    Scene s = Make("all three", {std::string(kBundled) + "{root}\\q\\jre\\bin\\javaw.exe|",
                                 Sun("1.3.1_04", "{root}\\a\\bin\\jrew.exe"),
                                 Sun("1.4", "{root}\\b\\bin\\javaw.exe"),
                                 Microsoft("5.0.0.381", "{win}\\wjview.exe")});
    s.home = "{root}\\q";
    s.files = {"q\\jre\\bin\\javaw.exe", "a\\bin\\jrew.exe", "b\\bin\\javaw.exe"};
    s.registered = {Sz("1.3.1_04", "{root}\\a"), Sz("1.4", "{root}\\b")};
    s.microsoftKey = true;
    s.windowsWjview = "wjview_5_0_0_381.exe";
    RunScenes({s});
}

TEST_F(DiscoveryTest, RegisteredRuntimes)
{
    const std::vector<std::string> files = {"a\\bin\\javaw.exe", "c\\bin\\javaw.exe",
                                            "empty\\bin\\java.exe"};
    const std::vector<std::string> neighbours = {Sun("1.3", "{root}\\a\\bin\\javaw.exe"),
                                                 Sun("1.5", "{root}\\c\\bin\\javaw.exe")};
    std::vector<Scene> scenes;

    Scene s = Make("no \"JavaHome\" between valid ones", neighbours);
    s.files = files;
    s.registered = {Sz("1.3", "{root}\\a"), Sz("1.4", nullptr), Sz("1.5", "{root}\\c")};
    scenes.push_back(s);

    s.what = "no launcher between valid ones";
    s.registered[1] = Sz("1.4", "{root}\\empty");
    scenes.push_back(s);

    s.what = "\"JavaHome\" naming no directory between valid ones";
    s.registered[1] = Sz("1.4", "{root}\\nowhere");
    scenes.push_back(s);

    s.what = "empty \"JavaHome\" between valid ones";
    s.registered[1] = Sz("1.4", "");
    scenes.push_back(s);

    s.what = "\"JavaHome\" of a number between valid ones";
    s.registered[1] = {"1.4", "", REG_DWORD, false};
    scenes.push_back(s);

    s.what = "subkey without values between valid ones";
    s.registered[1] = {"1.4\\nested", "{root}\\a", REG_SZ, false};  // only a subkey of its own
    scenes.push_back(s);

    s = Make("\"JavaHome\" ending in a backslash", {Sun("1.4", "{root}\\j\\bin\\javaw.exe")});
    s.files = {"j\\bin\\javaw.exe"};
    s.registered = {Sz("1.4", "{root}\\j\\")};
    scenes.push_back(s);

    s.what = "\"JavaHome\" without its terminating NUL";
    s.registered = {{"1.4", "{root}\\j", REG_SZ, true}};
    scenes.push_back(s);

    s.what = "\"JavaHome\" of the expandable type holding a plain path";
    s.registered = {{"1.4", "{root}\\j", REG_EXPAND_SZ, false}};
    scenes.push_back(s);

    s = Make("two subkeys naming one runtime", {Sun("1.4", "{root}\\j\\bin\\javaw.exe"),
                                                Sun("1.4.2", "{root}\\j\\bin\\javaw.exe")});
    s.files = {"j\\bin\\javaw.exe"};
    s.registered = {Sz("1.4", "{root}\\j"), Sz("1.4.2", "{root}\\j")};
    scenes.push_back(s);

    s = Make("subkey 1.3.1_04", {"Sun Java Runtime Environment (1.3.1_04)|{root}\\j\\bin\\javaw.exe|1.3.1_04"});
    s.files = {"j\\bin\\javaw.exe"};
    s.registered = {Sz("1.3.1_04", "{root}\\j")};
    scenes.push_back(s);

    RunScenes(scenes);
}

// The value is joined with "bin" as it stands: "%SystemDrive%" names no directory.
TEST_F(DiscoveryTest, ExpandableJavaHomeIsNotExpanded)
{
    const std::string unexpanded = "%SystemDrive%" + root_.substr(2) + "\\x";
    char expanded[MAX_PATH];
    ASSERT_NE(0u, ExpandEnvironmentStringsA(unexpanded.c_str(), expanded, MAX_PATH));
    ASSERT_EQ(root_ + "\\x", std::string(expanded));

    Scene s = Make("expandable reference between valid ones",
                   {Sun("1.3", "{root}\\a\\bin\\javaw.exe"), Sun("1.5", "{root}\\c\\bin\\javaw.exe")});
    s.files = {"a\\bin\\javaw.exe", "c\\bin\\javaw.exe", "x\\bin\\javaw.exe"};
    s.registered = {Sz("1.3", "{root}\\a"), {"1.4", unexpanded.c_str(), REG_EXPAND_SZ, false},
                    Sz("1.5", "{root}\\c")};
    RunScenes({s});
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
        {"key absent, wjview.exe in both directories", false, "wjview_5_0_0_381.exe",
         "wjview_5_0_0_381.exe", {}},
        {"key, no wjview.exe", true, nullptr, nullptr, {}},
        {"Windows directory", true, "wjview_5_0_0_381.exe", nullptr,
         {Microsoft("5.0.0.381", "{win}\\wjview.exe")}},
        {"system directory", true, nullptr, "wjview_5_0_0_381.exe",
         {Microsoft("5.0.0.381", "{sys}\\wjview.exe")}},
        {"both: the Windows directory wins", true, "wjview_5_0_0_0.exe", "wjview_5_0_0_381.exe",
         {Microsoft("5.0.0.0", "{win}\\wjview.exe")}},
        {"both, the Windows one too old: nothing", true, "wjview_4_79_0_0.exe",
         "wjview_5_0_0_381.exe", {}},
        {"Windows one without version: the system one", true, "wjview_unversioned.exe",
         "wjview_10_0_0_0.exe", {Microsoft("10.0.0.0", "{sys}\\wjview.exe")}},
        {"Windows one damaged: the system one", true, "wjview_short_fixed.exe",
         "wjview_5_0_0_0.exe", {Microsoft("5.0.0.0", "{sys}\\wjview.exe")}},
        {"below 5.0.0.0", true, "wjview_4_79_0_0.exe", nullptr, {}},
        {"at 5.0.0.0", true, "wjview_5_0_0_0.exe", nullptr,
         {Microsoft("5.0.0.0", "{win}\\wjview.exe")}},
        {"above: 5.0.0.381", true, nullptr, "wjview_5_0_0_381.exe",
         {Microsoft("5.0.0.381", "{sys}\\wjview.exe")}},
        {"above: 10.0.0.0", true, "wjview_10_0_0_0.exe", nullptr,
         {Microsoft("10.0.0.0", "{win}\\wjview.exe")}},
        {"above: 65535.65535.65535.65535", true, "wjview_65535.exe", nullptr,
         {Microsoft("65535.65535.65535.65535", "{win}\\wjview.exe")}},
        {"without a version resource", true, "wjview_unversioned.exe", "wjview_unversioned.exe",
         {}},
        {"fixed information cut short", true, "wjview_short_fixed.exe", nullptr, {}},
        {"fixed information empty", true, nullptr, "wjview_empty_fixed.exe", {}},
    };
    std::vector<Scene> scenes;
    for (const Case& c : cases) {
        Scene s = Make(c.what, c.expected);
        s.microsoftKey = c.key;
        s.windowsWjview = c.windows;
        s.systemWjview = c.system;
        scenes.push_back(s);
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

    std::vector<Scene> scenes;
    Scene s = Make("\"JavaHome\" longer than 259", {valid});
    s.files = {"j\\bin\\javaw.exe"};
    s.registered = {Sz("1.3", dots.c_str()), Sz("1.4", "{root}\\j")};
    s.tooLong = 1;
    scenes.push_back(s);

    // Reported as no launcher: neither launcher's path can be made there.
    s.what = "\"JavaHome\" whose bin fits and whose launchers do not";
    s.registered[0] = Sz("1.3", home255.c_str());
    s.tooLong = 0;
    scenes.push_back(s);

    s.what = "\"JavaHome\" whose bin does not fit";
    s.registered[0] = Sz("1.3", home256.c_str());
    s.tooLong = 1;
    scenes.push_back(s);

    s.what = "home too long to keep";
    s.registered = {Sz("1.4", "{root}\\j")};
    s.homeTooLong = true;
    s.driveRootRuntime = true;  // not searched there instead
    scenes.push_back(s);

    s.what = "home whose jre\\bin does not fit";
    s.homeTooLong = false;
    s.home = home255.c_str();
    scenes.push_back(s);

    // \jre\bin\javaw.exe names a file on whichever drive is current: not fully qualified.
    s.what = "empty home: \\jre\\bin of the current drive is not looked at";
    s.expected = {valid};
    s.home = "";
    s.tooLong = 0;
    scenes.push_back(s);

    RunScenes(scenes);
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
         {std::string(kBundled) + current + "\\HomeInCurrent\\jre\\bin\\javaw.exe|"}},
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
            SetText(SubkeyPath("1.4").c_str(), "JavaHome", c.javaHome);
        EXPECT_EQ(c.expected, Fill());
    }
}

// OpenFile takes paths of up to 127 characters: a home whose launcher path is longer is
// not found, but nothing else is disturbed.
TEST_F(DiscoveryTest, BundledLauncherPathAtTheProbeLimit)
{
    for (size_t length : {127u, 128u}) {
        SCOPED_TRACE("launcher path of " + std::to_string(length));
        const std::string tail = "\\jre\\bin\\javaw.exe";
        const std::string home = root_ + "\\" + std::string(length - tail.size() - root_.size() - 1, 'q');
        Scene s = Make("", {Sun("1.4", "{root}\\j\\bin\\javaw.exe")});
        if (length == 127)
            s.expected.insert(s.expected.begin(), std::string(kBundled) + home + tail + "|");
        s.files = {"j\\bin\\javaw.exe", home.substr(root_.size() + 1) + tail};
        s.registered = {Sz("1.4", "{root}\\j")};
        s.home = home.c_str();
        RunScenes({s});
    }
}

TEST_F(DiscoveryTest, HomeTooLongAtStartUpGivesNoBundledRuntime)
{
    const std::string home = root_ + "\\" + std::string(300, 'q');
    SetText(kTestProductKey, "home", home);
    SetText(kTestProductKey, "starter", "C:\\jre\\bin\\javaw.exe");
    MakeFile(std::string(kDriveRuntimeDir) + "\\bin\\javaw.exe");
    MakeFile(root_ + "\\j\\bin\\javaw.exe");
    SetText(SubkeyPath("1.4").c_str(), "JavaHome", root_ + "\\j");
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
    ASSERT_TRUE(LoadInstallSettings());
    ASSERT_TRUE(g_homeDirTooLong);
    EXPECT_EQ(std::vector<std::string>({Expand(Sun("1.4", "{root}\\j\\bin\\javaw.exe"))}), Fill());
}

// Subkey names of up to 255 characters can be made; with the 43-character key prefix a
// name of 216 gives a key path of 259, one of 217 does not fit.
TEST_F(DiscoveryTest, SubkeyNamesTooLongForTheKeyPath)
{
    MakeFile(root_ + "\\j\\bin\\javaw.exe");
    const std::string home = root_ + "\\j";
    HKEY parent;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kTestJavaSoftKey, 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &parent, nullptr));
    const std::string fits = "2." + std::string(214, '9');
    const std::vector<std::string> names = {"1.4", fits, "3." + std::string(215, '9'),
                                            "4." + std::string(253, '9')};
    for (const std::string& name : names) {
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(parent, name.c_str(), 0, nullptr, 0,
                                                 KEY_ALL_ACCESS, nullptr, &key, nullptr))
            << name.size();
        EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key, "JavaHome", 0, REG_SZ,
                                                reinterpret_cast<const BYTE*>(home.c_str()),
                                                static_cast<DWORD>(home.size() + 1)));
        RegCloseKey(key);
    }
    RegCloseKey(parent);
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
    MakeFile(root_ + "\\j\\bin\\javaw.exe");
    MakeDirectories(root_ + "\\none\\bin");
    const std::string good = root_ + "\\j";
    const std::string bad = root_ + "\\none";
    std::set<std::string> valid;
    HKEY parent;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kTestJavaSoftKey, 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &parent, nullptr));
    for (int i = 2999; i >= 0; --i) {
        char name[32];
        snprintf(name, sizeof(name), "1.%d.%d_%02d", i % 7, i, i % 13);
        const std::string& home = i % 100 == 42 ? good : bad;
        if (i % 100 == 42)
            valid.insert(name);
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(parent, name, 0, nullptr, 0, KEY_ALL_ACCESS,
                                                 nullptr, &key, nullptr));
        RegSetValueExA(key, "JavaHome", 0, REG_SZ, reinterpret_cast<const BYTE*>(home.c_str()),
                       static_cast<DWORD>(home.size() + 1));
        RegCloseKey(key);
    }
    std::vector<std::string> expected;
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
