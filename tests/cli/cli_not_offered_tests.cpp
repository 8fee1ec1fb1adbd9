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
     {"  -\tnot selectable: 17 in SOFTWARE\\JavaSoft\\JDK\tC:\\jt\\cli\\j17\\bin\\javaw.exe"},
     {"  17: registered under SOFTWARE\\JavaSoft\\JDK (Java 9 and later), which this program "
      "does not read",
      "      key SOFTWARE\\JavaSoft\\JDK\\17",
      "      JavaHome C:\\jt\\cli\\j17",
      "      launcher C:\\jt\\cli\\j17\\bin\\javaw.exe"}},
    {"JRE runtime with jrew.exe only",
     [] {
         SeedRuntimeUnder(kTestJre9Key, "11", kRoot + "\\j11");
         MakeLauncher(kRoot + "\\j11\\bin\\jrew.exe");
     },
     {"  -\tnot selectable: 11 in SOFTWARE\\JavaSoft\\JRE\tC:\\jt\\cli\\j11\\bin\\jrew.exe"},
     {"  11: registered under SOFTWARE\\JavaSoft\\JRE (Java 9 and later), which this program "
      "does not read",
      "      key SOFTWARE\\JavaSoft\\JRE\\11",
      "      JavaHome C:\\jt\\cli\\j11",
      "      launcher C:\\jt\\cli\\j11\\bin\\jrew.exe",
      "      tried C:\\jt\\cli\\j11\\bin\\javaw.exe: not found"}},
    {"JDK runtime without a launcher, and a subkey without JavaHome",
     [] {
         SeedRuntimeUnder(kTestJdkKey, "21", kRoot + "\\j21");
         MakeDirectories(kRoot + "\\j21\\bin");
         SetText((std::string(kTestJdkKey) + "\\22").c_str(), "RuntimeLib", "C:\\jvm.dll");
     },
     {"  -\tnot selectable: 21 in SOFTWARE\\JavaSoft\\JDK\t(no launcher)",
      "  -\tnot selectable: 22 in SOFTWARE\\JavaSoft\\JDK\t(no launcher)"},
     {"  21: registered under SOFTWARE\\JavaSoft\\JDK (Java 9 and later), which this program "
      "does not read",
      "      key SOFTWARE\\JavaSoft\\JDK\\21",
      "      JavaHome C:\\jt\\cli\\j21",
      "      no launcher, neither javaw.exe nor jrew.exe in C:\\jt\\cli\\j21\\bin",
      "      tried C:\\jt\\cli\\j21\\bin\\javaw.exe: not found",
      "      tried C:\\jt\\cli\\j21\\bin\\jrew.exe: not found",
      "  22: registered under SOFTWARE\\JavaSoft\\JDK (Java 9 and later), which this program "
      "does not read",
      "      key SOFTWARE\\JavaSoft\\JDK\\22",
      "      no \"JavaHome\" value"}},
    {"one runtime under two names, as installers register it, is told under each",
     [] {
         SeedRuntimeUnder(kTestJdkKey, "17", kJ17);
         SeedRuntimeUnder(kTestJdkKey, "17.0.2", kJ17);
         MakeLauncher(kJ17 + "\\bin\\javaw.exe");
     },
     {"  -\tnot selectable: 17 in SOFTWARE\\JavaSoft\\JDK\tC:\\jt\\cli\\j17\\bin\\javaw.exe",
      "  -\tnot selectable: 17.0.2 in SOFTWARE\\JavaSoft\\JDK\tC:\\jt\\cli\\j17\\bin\\javaw.exe"},
     {"  17: registered under SOFTWARE\\JavaSoft\\JDK (Java 9 and later), which this program "
      "does not read",
      "      key SOFTWARE\\JavaSoft\\JDK\\17",
      "      JavaHome C:\\jt\\cli\\j17",
      "      launcher C:\\jt\\cli\\j17\\bin\\javaw.exe",
      "  17.0.2: registered under SOFTWARE\\JavaSoft\\JDK (Java 9 and later), which this program "
      "does not read",
      "      key SOFTWARE\\JavaSoft\\JDK\\17.0.2",
      "      JavaHome C:\\jt\\cli\\j17",
      "      launcher C:\\jt\\cli\\j17\\bin\\javaw.exe"}},
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
     {"  -\tnot selectable: 17 in SOFTWARE\\JavaSoft\\JDK\tC:\\jt\\cli\\j17\\bin\\javaw.exe"},
     {"  17: registered under SOFTWARE\\JavaSoft\\JDK (Java 9 and later), which this program "
      "does not read",
      "      key SOFTWARE\\JavaSoft\\JDK\\17",
      "      JavaHome C:\\jt\\cli\\j17",
      "      launcher C:\\jt\\cli\\j17\\bin\\javaw.exe"}},
    {"JavaHome longer than 259 characters, and one too long to join with bin",
     [] {
         SeedRuntimeUnder(kTestJdkKey, "a", "C:\\" + std::string(297, 'j'));
         SeedRuntimeUnder(kTestJdkKey, "b", "C:\\" + std::string(253, 'j'));
     },
     {"  -\tnot selectable: a in SOFTWARE\\JavaSoft\\JDK\t(no launcher)",
      "  -\tnot selectable: b in SOFTWARE\\JavaSoft\\JDK\t(no launcher)"},
     {"  a: registered under SOFTWARE\\JavaSoft\\JDK (Java 9 and later), which this program "
      "does not read",
      "      key SOFTWARE\\JavaSoft\\JDK\\a",
      "      \"JavaHome\" is 300 characters long, more than 259, so no launcher is looked for",
      "  b: registered under SOFTWARE\\JavaSoft\\JDK (Java 9 and later), which this program "
      "does not read",
      "      key SOFTWARE\\JavaSoft\\JDK\\b",
      "      JavaHome C:\\" + std::string(253, 'j'),
      "      no launcher looked for: \"JavaHome\" joined with bin does not fit 259 characters"}},
    // SOFTWARE\JavaSoft\JDK\ is 22 characters: a name of 237 makes a key path of 259, one of
    // 238 does not fit, and the search skips it.
    {"subkey names at the key path's limit",
     [] {
         SeedRuntimeUnder(kTestJdkKey, std::string(238, 'm'), kJ17);
         SeedRuntimeUnder(kTestJdkKey, std::string(237, 'n'), kJ17);
         MakeLauncher(kJ17 + "\\bin\\javaw.exe");
     },
     {"  -\tnot selectable: " + std::string(237, 'n') +
      " in SOFTWARE\\JavaSoft\\JDK\tC:\\jt\\cli\\j17\\bin\\javaw.exe"},
     {"  " + std::string(237, 'n') +
          ": registered under SOFTWARE\\JavaSoft\\JDK (Java 9 and later), which this program "
          "does not read",
      "      key SOFTWARE\\JavaSoft\\JDK\\" + std::string(237, 'n'),
      "      JavaHome C:\\jt\\cli\\j17",
      "      launcher C:\\jt\\cli\\j17\\bin\\javaw.exe"}},
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
     {"  -\tnot selectable: binary in SOFTWARE\\JavaSoft\\JDK\tC:\\jt\\cli\\j17\\bin\\javaw.exe",
      "  -\tnot selectable: dword in SOFTWARE\\JavaSoft\\JDK\tC:\\r\\bin\\jrew.exe",
      "  -\tnot selectable: expand in SOFTWARE\\JavaSoft\\JDK\t(no launcher)",
      "  -\tnot selectable: multi in SOFTWARE\\JavaSoft\\JDK\tC:\\jt\\cli\\j17\\bin\\javaw.exe"},
     {"  binary: registered under SOFTWARE\\JavaSoft\\JDK (Java 9 and later), which this program "
      "does not read",
      "      key SOFTWARE\\JavaSoft\\JDK\\binary",
      "      JavaHome C:\\jt\\cli\\j17",
      "      launcher C:\\jt\\cli\\j17\\bin\\javaw.exe",
      "  dword: registered under SOFTWARE\\JavaSoft\\JDK (Java 9 and later), which this program "
      "does not read",
      "      key SOFTWARE\\JavaSoft\\JDK\\dword",
      "      JavaHome C:\\r",
      "      launcher C:\\r\\bin\\jrew.exe",
      "      tried C:\\r\\bin\\javaw.exe: not found",
      "  expand: registered under SOFTWARE\\JavaSoft\\JDK (Java 9 and later), which this program "
      "does not read",
      "      key SOFTWARE\\JavaSoft\\JDK\\expand",
      "      JavaHome %SystemDrive%\\jt\\cli\\j17",
      "      (environment references such as %SystemDrive% are not expanded)",
      "      no launcher, neither javaw.exe nor jrew.exe in %SystemDrive%\\jt\\cli\\j17\\bin",
      "      tried %SystemDrive%\\jt\\cli\\j17\\bin\\javaw.exe: not tested, the path is not fully "
      "qualified (no drive letter, colon and backslash, nor \\\\server\\share), so it names no "
      "fixed place",
      "      tried %SystemDrive%\\jt\\cli\\j17\\bin\\jrew.exe: not tested, the path is not fully "
      "qualified (no drive letter, colon and backslash, nor \\\\server\\share), so it names no "
      "fixed place",
      "  multi: registered under SOFTWARE\\JavaSoft\\JDK (Java 9 and later), which this program "
      "does not read",
      "      key SOFTWARE\\JavaSoft\\JDK\\multi",
      "      JavaHome C:\\jt\\cli\\j17",
      "      launcher C:\\jt\\cli\\j17\\bin\\javaw.exe"}},
};

TEST_F(CliNotOfferedTest, NamesWhatIsRegisteredUnderJreAndJdk)
{
    for (const NotOfferedCase& c : kCases)
        RunNotOfferedCase(c);
}

// Thousands of subkeys: each is told, in the registry's order, and nothing is lost.
TEST_F(CliNotOfferedTest, ListsThousandsOfJdkSubkeys)
{
    ExpectManyNotOffered(1500, kOwnView, kTestJdkKey, "SOFTWARE\\JavaSoft\\JDK");
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
