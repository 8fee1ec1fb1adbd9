// Runtimes registered under SOFTWARE\JavaSoft\JRE and SOFTWARE\JavaSoft\JDK (Java 9 and
// later), in the program's own registry view: explain names each with the reason, list --all
// shows them without index, and list, set and the dialog offer none of them. In every
// configuration; in win32, which has no other view, the own view must be read only once.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "cli/not_offered_support.h"
#include "e2e/session.h"
#include "support/machine.h"

namespace {

const std::string kRoot = kCliRoot;  // C:\jt\cli
const std::string kJ8 = kRoot + "\\j8";
const std::string kJ17 = kRoot + "\\j17";

class CliNotOfferedTest : public ::testing::Test {
protected:
    void SetUp() override { ClearNotOffered(); }
    void TearDown() override { ClearNotOffered(); }
};

const NotOfferedCase kCases[] = {
    {"nothing registered elsewhere", [] {}, {}, {"  none"}},
    {"JRE and JDK keys without subkeys",
     [] {
         CreateKey(kTestJre9Key);
         CreateKey(kTestJdkKey);
     },
     {},
     {"  none"}},
    {"JDK runtime with javaw.exe",
     [] {
         SeedRuntimeUnder(kTestJdkKey, "17", kJ17);
         MakeLauncher(kJ17 + "\\bin\\javaw.exe");
     },
     {"  -\tnot selectable: version unknown architecture unknown, JavaSoft, "
      "HKLM\\SOFTWARE\\JavaSoft\\JDK\\17 \"JavaHome\"\tC:\\jt\\cli\\j17\\bin\\javaw.exe"},
     {"  C:\\jt\\cli\\j17: registered under SOFTWARE\\JavaSoft\\JDK (Java 9 and later), which "
      "this program does not read",
      "      version unknown (no release file with JAVA_VERSION, no version resource), "
      "architecture unknown",
      "      launcher C:\\jt\\cli\\j17\\bin\\javaw.exe",
      "      named by JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\JDK\\17 \"JavaHome\""}},
    {"a JRE home with jrew.exe only: none of the launchers that Java 9 and later have",
     [] {
         SeedRuntimeUnder(kTestJre9Key, "11", kRoot + "\\j11");
         MakeLauncher(kRoot + "\\j11\\bin\\jrew.exe");
     },
     {"  -\tnot selectable: C:\\jt\\cli\\j11, JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\JRE\\11 "
      "\"JavaHome\"\t(no launcher)"},
     {"  C:\\jt\\cli\\j11: no launcher, neither javaw.exe nor java.exe in C:\\jt\\cli\\j11\\bin",
      "      named by JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\JRE\\11 \"JavaHome\""}},
    {"JDK home without a launcher, and a subkey without JavaHome, which names no home",
     [] {
         SeedRuntimeUnder(kTestJdkKey, "21", kRoot + "\\j21");
         MakeDirectories(kRoot + "\\j21\\bin");
         SetText((std::string(kTestJdkKey) + "\\22").c_str(), "RuntimeLib", "C:\\jvm.dll");
     },
     {"  -\tnot selectable: C:\\jt\\cli\\j21, JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\JDK\\21 "
      "\"JavaHome\"\t(no launcher)"},
     {"  C:\\jt\\cli\\j21: no launcher, neither javaw.exe nor java.exe in C:\\jt\\cli\\j21\\bin",
      "      named by JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\JDK\\21 \"JavaHome\""}},
    {"one runtime under two names, as installers register it: one home with both names among its "
     "sources",
     [] {
         SeedRuntimeUnder(kTestJdkKey, "17", kJ17);
         SeedRuntimeUnder(kTestJdkKey, "17.0.2", kJ17);
         MakeLauncher(kJ17 + "\\bin\\javaw.exe");
     },
     {"  -\tnot selectable: version unknown architecture unknown, JavaSoft, "
      "HKLM\\SOFTWARE\\JavaSoft\\JDK\\17 \"JavaHome\"\tC:\\jt\\cli\\j17\\bin\\javaw.exe"},
     {"  C:\\jt\\cli\\j17: registered under SOFTWARE\\JavaSoft\\JDK (Java 9 and later), which "
      "this program does not read",
      "      version unknown (no release file with JAVA_VERSION, no version resource), "
      "architecture unknown",
      "      launcher C:\\jt\\cli\\j17\\bin\\javaw.exe",
      "      named by JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\JDK\\17 \"JavaHome\"",
      "      named by JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\JDK\\17.0.2 \"JavaHome\""}},
    {"launchers that the list offers are not repeated, A-Z case ignored",
     [] {
         SeedRuntimeUnder(kTestJdkKey, "1.8", kJ8);
         SeedRuntimeUnder(kTestJdkKey, "1.8.0_401", "C:\\JT\\CLI\\J8");
         SeedRuntimeUnder(kTestJre9Key, "bundled", kRoot + "\\q\\jre");
     },
     {},
     {"  none"}},
    {"the search's own key, a runtime without launcher there: explained above, not here",
     [] {
         SeedRuntime("1.6", kRoot + "\\j16");
         SeedRuntimeUnder(kTestJdkKey, "17", kJ17);
         MakeLauncher(kJ17 + "\\bin\\javaw.exe");
     },
     {"  -\tnot selectable: version unknown architecture unknown, JavaSoft, "
      "HKLM\\SOFTWARE\\JavaSoft\\JDK\\17 \"JavaHome\"\tC:\\jt\\cli\\j17\\bin\\javaw.exe"},
     {"  C:\\jt\\cli\\j17: registered under SOFTWARE\\JavaSoft\\JDK (Java 9 and later), which "
      "this program does not read",
      "      version unknown (no release file with JAVA_VERSION, no version resource), "
      "architecture unknown",
      "      launcher C:\\jt\\cli\\j17\\bin\\javaw.exe",
      "      named by JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\JDK\\17 \"JavaHome\""}},
    {"JavaHome longer than 259 characters, and one too long to join with bin",
     [] {
         SeedRuntimeUnder(kTestJdkKey, "a", "C:\\" + std::string(297, 'j'));
         SeedRuntimeUnder(kTestJdkKey, "b", "C:\\" + std::string(253, 'j'));
     },
     {"  -\tnot selectable: (no home), JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\JDK\\a "
      "\"JavaHome\"\t(not looked at)",
      "  -\tnot selectable: C:\\" + std::string(253, 'j') + ", JavaSoft, "
      "HKLM\\SOFTWARE\\JavaSoft\\JDK\\b \"JavaHome\"\t(not looked at)"},
     {"  (no home): a path of 300 characters, more than 259: not looked at",
      "      not looked at: no file was tested",
      "      named by JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\JDK\\a \"JavaHome\"",
      "  C:\\" + std::string(253, 'j') + ": the home joined with bin\\javaw.exe does not fit 259 "
      "characters: not looked at",
      "      not looked at: no file was tested",
      "      named by JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\JDK\\b \"JavaHome\""}},
    // SOFTWARE\JavaSoft\JDK\ is 22 characters: a name of 237 makes a key path of 259, one of
    // 238 does not fit, and the search skips it.
    {"subkey names at the key path's limit",
     [] {
         SeedRuntimeUnder(kTestJdkKey, std::string(238, 'm'), kJ17);
         SeedRuntimeUnder(kTestJdkKey, std::string(237, 'n'), kJ17);
         MakeLauncher(kJ17 + "\\bin\\javaw.exe");
     },
     {"  -\tnot selectable: version unknown architecture unknown, JavaSoft, "
      "HKLM\\SOFTWARE\\JavaSoft\\JDK\\" + std::string(237, 'n') + " "
      "\"JavaHome\"\tC:\\jt\\cli\\j17\\bin\\javaw.exe"},
     {"  C:\\jt\\cli\\j17: registered under SOFTWARE\\JavaSoft\\JDK (Java 9 and later), which "
      "this program does not read",
      "      version unknown (no release file with JAVA_VERSION, no version resource), "
      "architecture unknown",
      "      launcher C:\\jt\\cli\\j17\\bin\\javaw.exe",
      "      named by JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\JDK\\" + std::string(237, 'n') + " "
      "\"JavaHome\""}},
    // Never opened, not even the device path whose launcher is there: named once, by the
    // inventory, with its reason and no file tested.
    {"JavaHome on a share and on a device path",
     [] {
         SeedRuntimeUnder(kTestJdkKey, "22", "\\\\server\\share\\jdk22");
         SeedRuntimeUnder(kTestJre9Key, "17", "\\\\?\\" + kJ17);
         MakeLauncher(kJ17 + "\\bin\\javaw.exe");
     },
     {"  -\tnot selectable: \\\\?\\C:\\jt\\cli\\j17, JavaSoft, "
      "HKLM\\SOFTWARE\\JavaSoft\\JRE\\17 \"JavaHome\"\t(not looked at)",
      "  -\tnot selectable: \\\\server\\share\\jdk22, JavaSoft, "
      "HKLM\\SOFTWARE\\JavaSoft\\JDK\\22 \"JavaHome\"\t(not looked at)"},
     {"  \\\\?\\C:\\jt\\cli\\j17: a device path (\\\\?\\ or \\\\.\\), not looked at",
      "      not looked at: no file was tested",
      "      named by JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\JRE\\17 \"JavaHome\"",
      "  \\\\server\\share\\jdk22: a network path, not looked at",
      "      not looked at: no file was tested",
      "      named by JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\JDK\\22 \"JavaHome\""}},
    // The search takes a value's bytes whatever its type, up to the first NUL.
    {"JavaHome values of other types, and without a NUL",
     [] {
         const char binary[] = {'C', ':', '\\', 'j', 't', '\\', 'c', 'l', 'i', '\\', 'j', '1', '7'};
         SeedRawRuntimeUnder(kTestJdkKey, "binary", REG_BINARY, binary, sizeof(binary));
         SeedRawRuntimeUnder(kTestJdkKey, "dword", REG_DWORD, kDwordFolder, 4);
         const char multi[] = "C:\\jt\\cli\\j17\0C:\\jt\\cli\\j8\0";
         SeedRawRuntimeUnder(kTestJdkKey, "multi", REG_MULTI_SZ, multi, sizeof(multi));
         SeedRuntimeUnder(kTestJdkKey, "expand", "%SystemDrive%\\jt\\cli\\j17", REG_EXPAND_SZ);
         MakeLauncher(kJ17 + "\\bin\\javaw.exe");
         MakeLauncher(std::string(kDwordFolder) + "\\bin\\jrew.exe");
     },
     {"  -\tnot selectable: version unknown architecture unknown, JavaSoft, "
      "HKLM\\SOFTWARE\\JavaSoft\\JDK\\binary \"JavaHome\"\tC:\\jt\\cli\\j17\\bin\\javaw.exe",
      "  -\tnot selectable: C:\\r, JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\JDK\\dword "
      "\"JavaHome\"\t(no launcher)",
      "  -\tnot selectable: %SystemDrive%\\jt\\cli\\j17, JavaSoft, "
      "HKLM\\SOFTWARE\\JavaSoft\\JDK\\expand \"JavaHome\"\t(not looked at)"},
     {"  C:\\jt\\cli\\j17: registered under SOFTWARE\\JavaSoft\\JDK (Java 9 and later), which "
      "this program does not read",
      "      version unknown (no release file with JAVA_VERSION, no version resource), "
      "architecture unknown",
      "      launcher C:\\jt\\cli\\j17\\bin\\javaw.exe",
      "      named by JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\JDK\\binary \"JavaHome\"",
      "      named by JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\JDK\\multi \"JavaHome\"",
      "  C:\\r: no launcher, neither javaw.exe nor java.exe in C:\\r\\bin",
      "      named by JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\JDK\\dword \"JavaHome\"",
      "  %SystemDrive%\\jt\\cli\\j17: holds %...% references, which are not expanded: not looked "
      "at",
      "      not looked at: no file was tested",
      "      named by JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\JDK\\expand \"JavaHome\""}},
};

TEST_F(CliNotOfferedTest, NamesWhatIsRegisteredUnderJreAndJdk)
{
    for (const NotOfferedCase& c : kCases)
        RunNotOfferedCase(c);
}

// Thousands of subkeys naming one home: one home, each subkey among its sources, in the
// registry's order, and nothing lost.
TEST_F(CliNotOfferedTest, ThousandsOfJdkSubkeysNameOneHome)
{
    ExpectManyNamings(1500, kOwnView, kTestJdkKey, "");
}

// set takes only what the list offers: a launcher found under JavaSoft\JDK, or an index past
// the list, is refused and nothing is written.
TEST_F(CliNotOfferedTest, SetTakesNoneOfThem)
{
    SeedOffered();
    SeedRuntimeUnder(kTestJdkKey, "17", kJ17);
    MakeLauncher(kJ17 + "\\bin\\javaw.exe");
    const std::string before = DumpKeyTree(kTestVelmorKey);

    const CliRun byPath = RunCli("set C:\\jt\\cli\\j17\\bin\\javaw.exe");
    EXPECT_EQ(2u, byPath.exitCode);
    EXPECT_EQ("No listed runtime has the launcher C:\\jt\\cli\\j17\\bin\\javaw.exe.\n", byPath.err);
    const CliRun byIndex = RunCli("set 2");
    EXPECT_EQ(2u, byIndex.exitCode);
    EXPECT_EQ("No listed runtime has the index 2.\n", byIndex.err);
    EXPECT_EQ(before, DumpKeyTree(kTestVelmorKey));
}

TEST_F(CliNotOfferedTest, ListTakesOnlyAll)
{
    SeedOffered();
    for (const char* arguments : {"list --bogus", "list --all --all", "list all"}) {
        SCOPED_TRACE(arguments);
        const CliRun run = RunCli(arguments);
        EXPECT_EQ(2u, run.exitCode);
        EXPECT_EQ("", run.out);
    }
    EXPECT_EQ(RunCli("list --all").out, RunCli("LIST --ALL").out);
}

// The dialog lists and preselects as before: a "starter" that names a JDK's launcher
// preselects nothing, and OK writes only what the list offers.
TEST_F(CliNotOfferedTest, DialogOffersNoneOfThem)
{
    const SessionCase session = {
        "JRE and JDK runtimes, the current one among them",
        [] {
            SeedOffered();
            SetText(kTestProductKey, "starter", kJ17 + "\\bin\\javaw.exe");
            SeedRuntimeUnder(kTestJdkKey, "17", kJ17);
            SeedRuntimeUnder(kTestJre9Key, "11", kRoot + "\\j11");
            MakeLauncher(kJ17 + "\\bin\\javaw.exe");
            MakeLauncher(kRoot + "\\j11\\bin\\jrew.exe");
        },
        {"Bundled Java Runtime Environment", "Sun Java Runtime Environment (1.8)"},
        -1,
        1,
        kEndOk,
        nullptr,
        "C:\\jt\\cli\\j8\\bin\\javaw.exe"};
    RunSession(session);
}

}  // namespace
