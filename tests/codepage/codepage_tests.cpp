// Paths in the active ANSI code page, with the same tables built twice: for code page 932
// (Japanese), where the trail byte of a double-byte character may be 0x5C, the byte of a
// backslash, or an ASCII letter; and for 1252, where the same places hold Latin-1 letters,
// which are single bytes and never folded. Each program runs in a prefix of its own under
// the Unix locale that gives its code page.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "cli/json_twin.h"
#include "discovery/java_inventory.h"
#include "discovery/path_text.h"
#include "discovery/probes.h"
#include "discovery/runtime_discovery.h"
#include "discovery/runtime_list.h"
#include "settings/product_settings.h"
#include "settings/registry.h"
#include "support/list_window.h"
#include "support/machine_test.h"

namespace {

// The fixture is named for the code page, so that the two programs' tests have names of
// their own.
#if JRESELECT_TEST_CODE_PAGE == 932
#define CODE_PAGE_TEST CodePage932Test
// Shift-JIS. "Hyou" (0x95 0x5C) ends in the byte of a backslash; the katakana "a"
// (0x83 0x41) and "di" (0x83 0x61) are two characters whose trail bytes read as 'A' and 'a';
// "sofuto" is three katakana, the first of them ending in 0x5C.
const std::string kEndsIn5C = "\x95\x5c";
const std::string kUpperTrail = "\x83\x41";
const std::string kLowerTrail = "\x83\x61";
const std::string kWord = "\x83\x5c\x83\x74\x83\x67";
// A runtime registered under a name of this code page, and that name as Unicode.
const std::string kConsoleName = kWord + kEndsIn5C;
const std::wstring kConsoleNameW = L"\u30bd\u30d5\u30c8\u8868";
#elif JRESELECT_TEST_CODE_PAGE == 1252
#define CODE_PAGE_TEST CodePage1252Test
// Latin-1: sharp s, and e acute in capital and small form, one letter in two cases.
const std::string kEndsIn5C = "\xdf";
const std::string kUpperTrail = "\xc9";
const std::string kLowerTrail = "\xe9";
const std::string kWord = "Caf\xe9";
const std::string kConsoleName = "J\xfcrgen";
const std::wstring kConsoleNameW = L"J\u00fcrgen";
#else
#error "JRESELECT_TEST_CODE_PAGE must be 932 or 1252"
#endif

const std::string kRoot = kCliRoot;
// The product's home and a registered runtime's "JavaHome", each ending in kEndsIn5C.
const std::string kHome = kRoot + "\\" + kWord + "\\" + kEndsIn5C;
const std::string kBundled = kHome + "\\jre\\bin\\javaw.exe";
const std::string kJavaHome = kRoot + "\\Java\\" + kUpperTrail + kEndsIn5C;
const std::string kRegisteredLauncher = kJavaHome + "\\bin\\javaw.exe";
const char kBundledText[] = "Bundled Java Runtime Environment";
const char kRegisteredText[] = "Sun Java Runtime Environment (1.4)";

class CODE_PAGE_TEST : public MachineTest {
protected:
    void SetUp() override
    {
        // The tables are bytes of one code page; under another they would name other
        // characters and prove nothing. The code page comes from the Unix locale
        // (scripts/setup.sh generates ja_JP.UTF-8).
        ASSERT_EQ(static_cast<UINT>(JRESELECT_TEST_CODE_PAGE), GetACP())
            << "this program's tables are written for code page " << JRESELECT_TEST_CODE_PAGE;
        MachineTest::SetUp();
    }
};

// The bundled runtime under kHome and runtime 1.4 under kJavaHome.
void SeedTwoRuntimes(const std::string& starter)
{
    SeedProduct(kHome, starter);
    MakeLauncher(kBundled);
    SeedRuntime("1.4", kJavaHome);
    MakeLauncher(kRegisteredLauncher);
}

TEST_F(CODE_PAGE_TEST, MakePathJudgesTheLastCharacter)
{
    struct Case {
        const char* what;
        std::string directory;
        std::string joined;
    };
    const Case cases[] = {
        {"directory ending in kEndsIn5C", "C:\\" + kEndsIn5C, "C:\\" + kEndsIn5C + "\\a.exe"},
        {"the same with a backslash", "C:\\" + kEndsIn5C + "\\", "C:\\" + kEndsIn5C + "\\a.exe"},
        {"kEndsIn5C alone", kEndsIn5C, kEndsIn5C + "\\a.exe"},
        {"word then kEndsIn5C", kHome, kHome + "\\a.exe"},
        {"kEndsIn5C twice", "C:\\" + kEndsIn5C + kEndsIn5C,
         "C:\\" + kEndsIn5C + kEndsIn5C + "\\a.exe"},
        // 0x95 with nothing after it is a character of its own, not half of one.
        {"a last byte 0x95 alone", "C:\\x\x95", "C:\\x\x95\\a.exe"},
        {"plain backslash", "C:\\x\\", "C:\\x\\a.exe"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        char out[260 + 16];
        memset(out, 0xbd, sizeof(out));
        ASSERT_TRUE(MakePath(out, c.directory.c_str(), "a.exe"));
        EXPECT_EQ(c.joined, std::string(out));
        EXPECT_EQ(static_cast<char>(0xbd), out[260]);
    }
}

TEST_F(CODE_PAGE_TEST, SameLauncherPathFoldsOnlyAsciiLetters)
{
    struct Case {
        const char* what;
        std::string a;
        std::string b;
        bool same;
    };
    const Case cases[] = {
        {"equal bytes", kRegisteredLauncher, kRegisteredLauncher, true},
        {"ASCII letters in other case", "C:\\JT\\CLI\\JAVA\\" + kUpperTrail + kEndsIn5C +
                                            "\\BIN\\JAVAW.EXE",
         kRegisteredLauncher, true},
        {"kUpperTrail against kLowerTrail", kRegisteredLauncher,
         kRoot + "\\Java\\" + kLowerTrail + kEndsIn5C + "\\bin\\javaw.exe", false},
        {"kLowerTrail against kUpperTrail", "C:\\" + kLowerTrail, "C:\\" + kUpperTrail, false},
        {"kEndsIn5C against a backslash", "C:\\a" + kEndsIn5C, "C:\\a\\", false},
        {"one a prefix of the other", kHome, kHome + "\\", false},
        {"both empty", "", "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.same, SameLauncherPath(c.a.c_str(), c.b.c_str()));
        EXPECT_EQ(c.same, SameLauncherPath(c.b.c_str(), c.a.c_str()));
    }
}

// Found, listed and printed with their own bytes: no separator is lost after kEndsIn5C.
TEST_F(CODE_PAGE_TEST, RuntimesUnderSuchNamesAreListedWithTheirPaths)
{
    SeedTwoRuntimes(kRegisteredLauncher);
    ASSERT_TRUE(LoadInstallSettings());
    ListWindow window;
    FillRuntimeList(window.list());
    const std::vector<std::string> expected = {
        std::string(kBundledText) + "|" + kBundled + "|",
        std::string(kRegisteredText) + "|" + kRegisteredLauncher + "|1.4"};
    EXPECT_EQ(expected, DescribeList(window.list()));
    ReleaseRuntimeList(window.list());

    const CliRun run = RunCli("list");
    EXPECT_EQ(0u, run.exitCode);
    // The same paths in JSON, converted from this code page (checked by the Python check
    // against the text form, read in this code page).
    ExpectJsonTwin("list", run);
    ExpectJsonTwin("explain", RunCli("explain"));
    EXPECT_EQ(Describe({{false, 0, kBundledText, kBundled},
                        {true, 1, kRegisteredText, kRegisteredLauncher}}),
              Describe(ParseListOutput(run.out)));
}

// The dialog's preselection and "set PATH" take the same launchers as the same.
TEST_F(CODE_PAGE_TEST, PreselectionComparesDoubleByteCharactersExactly)
{
    struct Case {
        const char* what;
        std::string starter;
        int selected;  // -1: none
    };
    const Case cases[] = {
        {"bundled launcher as listed", kBundled, 0},
        {"registered launcher as listed", kRegisteredLauncher, 1},
        {"registered, ASCII letters in capitals",
         "C:\\JT\\CLI\\JAVA\\" + kUpperTrail + kEndsIn5C + "\\BIN\\JAVAW.EXE", 1},
        {"registered, kLowerTrail for kUpperTrail",
         kRoot + "\\Java\\" + kLowerTrail + kEndsIn5C + "\\bin\\javaw.exe", -1},
    };
    const std::string launchers[] = {kBundled, kRegisteredLauncher};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ClearMachine();
        SeedTwoRuntimes(c.starter);

        ASSERT_TRUE(LoadInstallSettings());
        ListWindow window;
        InitRuntimeList(window.list());
        EXPECT_EQ(c.selected, static_cast<int>(SendMessageA(window.list(), LB_GETCURSEL, 0, 0)));
        ReleaseRuntimeList(window.list());

        const std::vector<ListedRuntime> listed = ParseListOutput(RunCli("list").out);
        ASSERT_EQ(2u, listed.size());
        EXPECT_EQ(c.selected == 0, listed[0].current);
        EXPECT_EQ(c.selected == 1, listed[1].current);

        // "set PATH" with the stored path: the listed launcher's own bytes are written.
        const std::map<std::string, std::string> before = ProductValues();
        const CliRun set = RunCli("set \"" + c.starter + "\"");
        if (c.selected < 0) {
            EXPECT_EQ(2u, set.exitCode);
            EXPECT_EQ(before, ProductValues());
        } else {
            EXPECT_EQ(0u, set.exitCode) << set.err;
            const std::string& written = launchers[c.selected];
            EXPECT_EQ("(1)" + written + std::string(1, '\0'), ProductValues()["starter"]);
        }
    }
}

// A subkey named "1.4" and 220 kEndsIn5C between two runtimes. In code page 932 its name is
// 443 bytes, which RegEnumKeyA cannot hand out in 260 (ERROR_MORE_DATA): it is skipped and
// 1.5 is still found. In 1252 it is 223 bytes, and no subkey name there can exceed 259 (a
// key name has at most 256 characters): it is enumerated, and left out because the key path
// made from it does not fit.
TEST_F(CODE_PAGE_TEST, OverLongSubkeyNameDoesNotEndTheSearch)
{
    std::string longName = "1.4";
    for (int i = 0; i < 220; ++i)
        longName += kEndsIn5C;
    const std::string runtimeA = kRoot + "\\a";
    const std::string runtimeB = kRoot + "\\b";
    SeedProduct(kHome, runtimeB + "\\bin\\javaw.exe");
    MakeLauncher(runtimeA + "\\bin\\javaw.exe");
    MakeLauncher(runtimeB + "\\bin\\javaw.exe");
    SeedRuntime("1.3", runtimeA);
    SeedRuntime("1.5", runtimeB);
    SeedRuntime(longName, runtimeA);
    const bool skipped = JRESELECT_TEST_CODE_PAGE == 932;

    RegSkippedSubkeys skippedKeys;
    RegSubkeyList* names = EnumRegSubkeys(kTestJavaSoftKey, &skippedKeys);
    ASSERT_NE(nullptr, names);
    if (skipped) {
        EXPECT_EQ(std::vector<std::string>({"1.3", "1.5"}), *names);
        ASSERT_EQ(1u, skippedKeys.size());
        EXPECT_EQ(1u, skippedKeys[0].index);
        EXPECT_EQ(longName, skippedKeys[0].name);
    } else {
        EXPECT_EQ(std::vector<std::string>({"1.3", longName, "1.5"}), *names);
        EXPECT_TRUE(skippedKeys.empty());
    }
    delete names;

    ASSERT_TRUE(LoadInstallSettings());
    ListWindow window;
    InitRuntimeList(window.list());
    const std::vector<std::string> expected = {
        "Sun Java Runtime Environment (1.3)|" + runtimeA + "\\bin\\javaw.exe|1.3",
        "Sun Java Runtime Environment (1.5)|" + runtimeB + "\\bin\\javaw.exe|1.5"};
    EXPECT_EQ(expected, DescribeList(window.list()));
    EXPECT_EQ(1, static_cast<int>(SendMessageA(window.list(), LB_GETCURSEL, 0, 0)));
    ReleaseRuntimeList(window.list());

    const CliRun run = RunCli("explain");
    EXPECT_EQ(0u, run.exitCode);
    ExpectJsonTwin("explain", run);
    const std::string why =
        skipped ? "the name is 443 bytes long, more than 259, so the search skips it"
                : "the key path SOFTWARE\\JavaSoft\\Java Runtime Environment\\ and the name "
                  "(223 characters) does not fit 259 characters";
    const std::vector<std::string> wanted = {
        "  1.3: listed as 0: Sun Java Runtime Environment (1.3)",
        "  " + longName + ": left out: " + why,
        "  1.5: listed as 1: Sun Java Runtime Environment (1.5)"};
    ExpectLinesInOrder(run.out, wanted);
}

// In a console of its own, the program writes Unicode: the console shows the runtime's name
// and path as the dialog's list box gives them (its texts read as Unicode), whatever the
// console's own code page. Written to a pipe, the same text stays the ANSI bytes (the other
// cases here read them).
TEST_F(CODE_PAGE_TEST, AConsoleShowsTheTextsAsTheDialogDoes)
{
    const std::string javaHome = kRoot + "\\" + kConsoleName + "\\" + kWord;
    const std::string launcher = javaHome + "\\bin\\javaw.exe";
    SeedProduct(kHome, launcher);
    MakeLauncher(kBundled);
    SeedRuntime(kConsoleName, javaHome);
    MakeLauncher(launcher);

    ASSERT_TRUE(LoadInstallSettings());
    ListWindow window;
    InitRuntimeList(window.list());
    wchar_t shown[kTextBufferSize * 2] = L"";
    SendMessageW(window.list(), LB_GETTEXT, 1, reinterpret_cast<LPARAM>(shown));
    ReleaseRuntimeList(window.list());
    ASSERT_EQ(L"Sun Java Runtime Environment (" + kConsoleNameW + L")", std::wstring(shown));

    const std::wstring path = Widen(launcher);
    ASSERT_NE(std::wstring::npos, path.find(kConsoleNameW));
    // Read once the screen holds what each command prints after the texts looked for: the
    // launcher ends list's last line, but explain names it first as "starter", at its top.
    const std::pair<const char*, std::wstring> commands[] = {
        {"list", path}, {"explain", L"On this machine but not offered:"}};
    for (const auto& command : commands) {
        SCOPED_TRACE(command.first);
        const std::wstring screen = ReadCliConsole(command.first, command.second);
        EXPECT_NE(std::wstring::npos, screen.find(shown)) << "the display text";
        EXPECT_NE(std::wstring::npos, screen.find(path)) << "the launcher path";
        EXPECT_NE(std::wstring::npos, screen.find(Widen(kBundled))) << "home's runtime";
    }
    const CliRun piped = RunCli("list");
    EXPECT_EQ("  0\t" + std::string(kBundledText) + "\t" + kBundled + "\n* 1\t" +
                  "Sun Java Runtime Environment (" + kConsoleName + ")\t" + launcher + "\n",
              piped.out);
}

}  // namespace

// The inventory's key of a path agrees with SameLauncherPath, pair by pair: only ASCII
// letters fold, trail bytes never.
TEST_F(CODE_PAGE_TEST, PathKeysAgreeWithSameLauncherPath)
{
    const std::vector<std::pair<std::string, std::string>> pairs = {
        {kHome, "c:\\JT\\CLI\\" + kWord + "\\" + kEndsIn5C},
        {kJavaHome, kRoot + "\\Java\\" + kLowerTrail + kEndsIn5C},
        {kRoot + "\\" + kUpperTrail, kRoot + "\\" + kLowerTrail},
        {kRoot + "\\A", kRoot + "\\a"},
        {kRoot + "\\" + kEndsIn5C + "x", kRoot + "\\" + kEndsIn5C + "X"},
    };
    for (const auto& pair : pairs) {
        SCOPED_TRACE(pair.first + " | " + pair.second);
        std::vector<char> a(pair.first.size() + 1);
        std::vector<char> b(pair.second.size() + 1);
        MakePathKey(a.data(), pair.first.c_str());
        MakePathKey(b.data(), pair.second.c_str());
        EXPECT_EQ(SameLauncherPath(pair.first.c_str(), pair.second.c_str()),
                  std::string(a.data()) == b.data());
    }
}

// A Java home whose last character ends in the byte 0x5C, named by a vendor's key, and with
// one trailing backslash by JAVA_HOME and by PATH: one home, kept whole, its launcher found.
// A home that differs from the registered runtime's only in a trail byte is another home.
TEST_F(CODE_PAGE_TEST, InventoryKeepsSuchHomesWhole)
{
    SeedTwoRuntimes(kBundled);
    const std::string home = kRoot + "\\" + kWord + "\\jdk" + kEndsIn5C;
    ASSERT_TRUE(MakeJavaHome(home, kLauncherX64, nullptr, ReleaseText("21.0.2").c_str()));
    SeedHomeValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Azul Systems\\Zulu\\zulu-21", "InstallationPath",
                  home);
    SetEnvironment("JAVA_HOME", (home + "\\").c_str());
    SetEnvironment("PATH", (home + "\\bin\\;" + EnvironmentValue("PATH")).c_str());
    const std::string other = kRoot + "\\Java\\" + kLowerTrail + kEndsIn5C;
    SetEnvironment("JDK_HOME", other.c_str());

    ASSERT_TRUE(LoadInstallSettings());
    ListWindow window;
    FillRuntimeList(window.list());
    JavaInventory inventory;
    TakeJavaInventory(window.list(), &inventory);
    ReleaseRuntimeList(window.list());

    std::string names;
    for (const InventoryHome& h : inventory.homes)
        names += std::string("[") + h.home + "] from [" + h.sources[0].where + "]\n";
    ASSERT_EQ(2u, inventory.homes.size()) << names;
    EXPECT_EQ(home, inventory.homes[0].home);
    EXPECT_EQ(home + "\\bin\\javaw.exe", inventory.homes[0].javaw);
    EXPECT_STREQ("21.0.2", inventory.homes[0].version);
    EXPECT_EQ(kArchX64, inventory.homes[0].architecture);
    ASSERT_EQ(3u, inventory.homes[0].sources.size());
    EXPECT_EQ(home + "\\bin", inventory.homes[0].sources[2].where);
    // Named apart from the registered runtime; on disk it may be the same folder (1252: the
    // file system folds the Latin-1 letters that preselection does not).
    EXPECT_EQ(other, inventory.homes[1].home);
    EXPECT_TRUE(inventory.homes[1].probed);
    EXPECT_EQ(1, inventory.offeredNamings);  // "1.4", which the list offers
}

// JAVA_HOME in Japanese: 932 holds it and names that home; 1252 lacks its letters, and the
// home is named with that reason, never as "???" that best fit would make of it.
TEST_F(CODE_PAGE_TEST, JavaHomeTheCodePageLacksIsNamedSo)
{
    SeedTwoRuntimes(kBundled);
    SetEnvironment("JDK_HOME", "");
    SetEnvironment("JAVA_HOME", "");  // kept, to be put back after the case
    ASSERT_TRUE(SetEnvironmentVariableW(L"JAVA_HOME", L"C:\\jt\\\u30b8\u30e3\u30d0\\jdk"));
    // The same folder first on PATH: a PATH entry, never a home.
    const std::string path = EnvironmentValue("PATH");
    SetEnvironment("PATH", path.c_str());  // kept, to be put back after the case
    const std::wstring widePath = L"C:\\jt\\\u30b8\u30e3\u30d0\\jdk\\bin;" +
                                  std::wstring(path.begin(), path.end());
    ASSERT_TRUE(SetEnvironmentVariableW(L"PATH", widePath.c_str()));

    ASSERT_TRUE(LoadInstallSettings());
    ListWindow window;
    FillRuntimeList(window.list());
    JavaInventory inventory;
    const bool whole = TakeJavaInventory(window.list(), &inventory);
    ReleaseRuntimeList(window.list());

    EXPECT_TRUE(whole);
    const InventoryHome* named = nullptr;
    for (const InventoryHome& h : inventory.homes) {
        if (h.sources[0].kind == kNamedByEnvironment && strcmp(h.sources[0].where, "JAVA_HOME") == 0)
            named = &h;
    }
    ASSERT_NE(nullptr, named);
#if JRESELECT_TEST_CODE_PAGE == 932
    EXPECT_EQ("C:\\jt\\\x83\x57\x83\x83\x83\x6f\\jdk", std::string(named->home));
    EXPECT_EQ(kReasonNoLauncher, named->reason);
#else
    EXPECT_STREQ("", named->home);
    EXPECT_EQ(kReasonNotInCodePage, named->reason);
    EXPECT_FALSE(named->probed);
#endif
    // 932 holds the entry, and its folder holds no launcher: nothing to tell. 1252 tells
    // the entry by its place alone, with why.
#if JRESELECT_TEST_CODE_PAGE == 932
    EXPECT_TRUE(inventory.pathEntries.empty());
#else
    ASSERT_EQ(1u, inventory.pathEntries.size());
    EXPECT_EQ(0, inventory.pathEntries[0].pathIndex);
    EXPECT_STREQ("", inventory.pathEntries[0].entry);
    EXPECT_EQ(kReasonNotInCodePage, inventory.pathEntries[0].reason);
#endif
}

// Arguments come as typed (CreateProcessW). One that the code page cannot hold is a bad
// command line, never taken by best fit: "j" a-macron "v" would be "jav" (runtime 2 here) in
// 1252, a fullwidth quote a real one, which ends an argument elsewhere, and a yen sign a
// backslash in 932. The same path spelt in the code page sets as ever.
TEST_F(CODE_PAGE_TEST, ArgumentsTheCodePageLacksAreRefused)
{
    struct Case {
        const char* what;
        std::wstring arguments;
        bool lacked;          // the code page lacks a character of the arguments
        std::string shown;    // in stderr's message, when lacked
        int selected;         // the runtime set, or -1 for exit code 2 and nothing written
    };
    const bool lacksFullwidth = JRESELECT_TEST_CODE_PAGE == 1252;
    const bool lacksYen = JRESELECT_TEST_CODE_PAGE == 932;
    const Case cases[] = {
        {"a-macron, whose best fit is a listed launcher",
         L"set \"C:\\jt\\cli\\j\u0101v\\bin\\javaw.exe\"", true,
         "argument 2 holds a character that the ANSI code page (" +
             std::to_string(JRESELECT_TEST_CODE_PAGE) +
             ") lacks: C:\\jt\\cli\\j<U+0101>v\\bin\\javaw.exe",
         -1},
        {"the same with --json", L"--json set C:\\jt\\cli\\j\u0101v\\bin\\javaw.exe", true,
         "<U+0101>", -1},
        // 932 holds the fullwidth quote (0xFA 0x57): a path that names no runtime.
        {"fullwidth quotes around an index", L"set \uff021\uff02", lacksFullwidth,
         "<U+FF02>1<U+FF02>", -1},
        // 932 has no yen sign but 0x5C, its backslash: best fit would make a separator.
        {"yen signs for backslashes", L"set C:\\jt\\cli\\jav\u00a5bin\u00a5javaw.exe",
         lacksYen, "C:\\jt\\cli\\jav<U+00A5>bin<U+00A5>javaw.exe", -1},
        {"a control character is shown, not written", L"set C:\\\x1b[2J\u0101", true,
         "C:\\<U+001B>[2J<U+0101>", -1},
        {"a path of this code page", L"set \"" + Widen(kRegisteredLauncher) + L"\"", false, "",
         1},
        {"the listed launcher in ASCII", L"set C:\\jt\\cli\\jav\\bin\\javaw.exe", false, "", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ClearMachine();
        SeedTwoRuntimes(kBundled);
        SeedRuntime("1.5", kRoot + "\\jav");
        MakeLauncher(kRoot + "\\jav\\bin\\javaw.exe");
        const std::map<std::string, std::string> before = ProductValues();

        const CliRun run = RunCliWide(c.arguments);
        if (c.selected < 0) {
            EXPECT_EQ(2u, run.exitCode) << run.out;
            EXPECT_EQ(before, ProductValues());
        } else {
            EXPECT_EQ(0u, run.exitCode) << run.err;
            const std::string written =
                c.selected == 1 ? kRegisteredLauncher : kRoot + "\\jav\\bin\\javaw.exe";
            EXPECT_EQ("(1)" + written + std::string(1, '\0'), ProductValues()["starter"]);
        }
        if (c.lacked) {
            EXPECT_NE(std::string::npos, run.err.find(c.shown)) << run.err;
            EXPECT_EQ(0u, run.err.rfind("JreSelectCli: argument ", 0)) << run.err;
            // One line: the control character is not written as itself.
            const std::string firstLine = run.err.substr(0, run.err.find('\n'));
            for (const char ch : firstLine)
                EXPECT_FALSE(static_cast<unsigned char>(ch) < 0x20) << run.err;
        } else {
            EXPECT_EQ(std::string::npos, run.err.find("lacks")) << run.err;
        }
        if (c.arguments.rfind(L"--json", 0) == 0) {
            EXPECT_NE(std::string::npos, run.out.find("\"code\": 2")) << run.out;
            EXPECT_NE(std::string::npos, run.out.find(c.shown)) << run.out;
        }
    }
}

// A value whose last byte is a lone lead byte (0x95, "hyou" without its trail byte in 932;
// the bullet, a whole character, in 1252), stored as REG_BINARY where the search reads any
// type. In 932 it is half a character: joined with bin, the backslash would become its
// trail byte and name the folder "hyou" + "bin". So the dialog leaves that runtime out and
// the inventory names the home without looking; in 1252 all is found as ever. A launcher
// waits at the joined path, where a join that ignored the cut would find it.
TEST_F(CODE_PAGE_TEST, ValuesEndingInALoneLeadByteAreLeftOut)
{
    const bool cut = JRESELECT_TEST_CODE_PAGE == 932;
    const std::string lead = "\x95";
    struct Case {
        const char* what;
        HKEY root;
        const char* key;
        const char* value;
        std::string home;       // the value's bytes, no NUL
        std::string launcher;   // where the joined path finds one
        std::vector<std::string> listed;  // the dialog's list in 1252; empty in 932
        std::string line;       // explain's line in 932, then the one in 1252
        std::string line1252;
    };
    const std::string qHome = kRoot + "\\q" + lead;
    const std::string jHome = kRoot + "\\" + lead;
    const std::string dHome = kRoot + "\\jdk" + lead;
    const std::string uHome = kRoot + "\\u" + lead;
    const Case cases[] = {
        {"the product's home", HKEY_LOCAL_MACHINE, kTestProductKey, "home", qHome,
         qHome + "\\jre\\bin\\javaw.exe",
         {std::string(kBundledText) + "|" + qHome + "\\jre\\bin\\javaw.exe|"},
         "  left out: \"home\" ends in a lone lead byte (half a double-byte character), so it "
         "is not searched",
         "  listed as 0: Bundled Java Runtime Environment"},
        {"JavaHome of the list's own key", HKEY_LOCAL_MACHINE,
         "SOFTWARE\\JavaSoft\\Java Runtime Environment\\1.4", "JavaHome", jHome,
         jHome + "\\bin\\javaw.exe", {std::string(kRegisteredText) + "|" + jHome +
                                       "\\bin\\javaw.exe|1.4"},
         "  1.4: left out: \"JavaHome\" ends in a lone lead byte (half a double-byte "
         "character), so no launcher is looked for",
         "  1.4: listed as 0: Sun Java Runtime Environment (1.4)"},
        {"JavaHome under JavaSoft\\JDK", HKEY_LOCAL_MACHINE, "SOFTWARE\\JavaSoft\\JDK\\17",
         "JavaHome", dHome, dHome + "\\bin\\javaw.exe", {},
         "  " + dHome + ": ends in a lone lead byte (half a double-byte character): not "
         "looked at",
         "      launcher " + dHome + "\\bin\\javaw.exe"},
        {"JavaHome of the current user's JavaSoft key", HKEY_CURRENT_USER,
         "SOFTWARE\\JavaSoft\\Java Runtime Environment\\1.8", "JavaHome", uHome,
         uHome + "\\bin\\javaw.exe", {},
         "  " + uHome + ": ends in a lone lead byte (half a double-byte character): not "
         "looked at",
         "  " + uHome + ": installed for this user only (HKEY_CURRENT_USER, JavaSoft), which "
         "this program does not read"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ClearMachine();
        SeedProduct(kRoot + "\\none", kRoot + "\\none\\javaw.exe");
        ASSERT_TRUE(SetRawValueIn(c.root, c.key, c.value, REG_BINARY, c.home.data(),
                                  static_cast<DWORD>(c.home.size())));
        MakeLauncher(c.launcher);

        ASSERT_TRUE(LoadInstallSettings());
        ListWindow window;
        FillRuntimeList(window.list());
        EXPECT_EQ(cut ? std::vector<std::string>() : c.listed, DescribeList(window.list()));
        JavaInventory inventory;
        TakeJavaInventory(window.list(), &inventory);
        ReleaseRuntimeList(window.list());
        // The inventory names the home as read, and looks at it only where it is whole.
        for (const InventoryHome& home : inventory.homes) {
            if (c.home != home.home)
                continue;
            EXPECT_EQ(!cut, home.probed);
            if (cut) {
                EXPECT_EQ(kReasonLoneLeadByte, home.reason);
                EXPECT_EQ(0, home.fileTests);
            }
        }

        const CliRun run = RunCli("explain");
        EXPECT_EQ(0u, run.exitCode) << run.err;
        ExpectJsonTwin("explain", run);
        ExpectLinesInOrder(run.out, {cut ? c.line : c.line1252});
        ExpectJsonTwin("list --all", RunCli("list --all"));
        if (cut) {
            EXPECT_EQ(std::string::npos, run.out.find(c.launcher)) << "no launcher tested";
        }
    }
}
