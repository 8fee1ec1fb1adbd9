// Runtimes registered in the registry view that the program does not see by itself: the
// 64-bit view for the shipped 32-bit program under WOW64, the 32-bit view for the 64-bit
// build. explain names each with the reason, list --all shows them without index, and list
// and the dialog stay as they were. Registered in the wow64 and win64 configurations.
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
const std::string kJ402 = kRoot + "\\j402";
const std::string kBits = kOtherBits;  // "64" or "32"

class CliOtherViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The configurations with another view: this program under WOW64, or 64-bit.
        BOOL wow64 = FALSE;
        ASSERT_TRUE(IsWow64Process(GetCurrentProcess(), &wow64));
        ASSERT_TRUE(wow64 || sizeof(void*) == 8) << "a 32-bit prefix has no other view";
        ClearNotOffered();
    }
    void TearDown() override { ClearNotOffered(); }
};

const NotOfferedCase kCases[] = {
    {"the other view's Java Runtime Environment key",
     [] {
         SeedRuntime("1.8.0_402", kJ402, REG_SZ, kOtherView);
         SeedRuntime("1.6", kRoot + "\\j16", REG_SZ, kOtherView);
         MakeLauncher(kJ402 + "\\bin\\javaw.exe");
     },
     {"  -\tnot selectable: C:\\jt\\cli\\j16, JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\Java Runtime "
      "Environment\\1.6 \"JavaHome\" (" + kBits + "-bit view)\t(no launcher)",
      "  -\tnot selectable: version unknown architecture unknown, JavaSoft, "
      "HKLM\\SOFTWARE\\JavaSoft\\Java Runtime Environment\\1.8.0_402 \"JavaHome\" "
      "(" + kBits + "-bit view)\tC:\\jt\\cli\\j402\\bin\\javaw.exe"},
     {"  C:\\jt\\cli\\j16: no launcher, neither javaw.exe nor java.exe in C:\\jt\\cli\\j16\\bin",
      "      named by JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\Java Runtime Environment\\1.6 "
      "\"JavaHome\" (" + kBits + "-bit view)",
      "  C:\\jt\\cli\\j402: registered for " + kBits + "-bit programs only",
      "      version unknown (no release file with JAVA_VERSION, no version resource), "
      "architecture unknown",
      "      launcher C:\\jt\\cli\\j402\\bin\\javaw.exe",
      "      named by JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\Java Runtime Environment\\1.8.0_402 "
      "\"JavaHome\" (" + kBits + "-bit view)"}},
    {"the other view's JRE and JDK keys, with and without a launcher",
     [] {
         SeedRuntimeUnder(kTestJre9Key, "11", kRoot + "\\j11", REG_SZ, kOtherView);
         SeedRuntimeUnder(kTestJdkKey, "17", kJ17, REG_SZ, kOtherView);
         SeedRuntimeUnder(kTestJdkKey, "21", kRoot + "\\j21", REG_SZ, kOtherView);
         MakeLauncher(kRoot + "\\j11\\bin\\jrew.exe");
         MakeLauncher(kJ17 + "\\bin\\javaw.exe");
     },
     {"  -\tnot selectable: C:\\jt\\cli\\j11, JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\JRE\\11 "
      "\"JavaHome\" (" + kBits + "-bit view)\t(no launcher)",
      "  -\tnot selectable: version unknown architecture unknown, JavaSoft, "
      "HKLM\\SOFTWARE\\JavaSoft\\JDK\\17 \"JavaHome\" (" + kBits + "-bit "
      "view)\tC:\\jt\\cli\\j17\\bin\\javaw.exe",
      "  -\tnot selectable: C:\\jt\\cli\\j21, JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\JDK\\21 "
      "\"JavaHome\" (" + kBits + "-bit view)\t(no launcher)"},
     {"  C:\\jt\\cli\\j11: no launcher, neither javaw.exe nor java.exe in C:\\jt\\cli\\j11\\bin",
      "      named by JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\JRE\\11 \"JavaHome\" "
      "(" + kBits + "-bit view)",
      "  C:\\jt\\cli\\j17: registered under SOFTWARE\\JavaSoft\\JDK (Java 9 and later), which "
      "this program does not read",
      "      version unknown (no release file with JAVA_VERSION, no version resource), "
      "architecture unknown",
      "      launcher C:\\jt\\cli\\j17\\bin\\javaw.exe",
      "      named by JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\JDK\\17 \"JavaHome\" "
      "(" + kBits + "-bit view)",
      "  C:\\jt\\cli\\j21: no launcher, neither javaw.exe nor java.exe in C:\\jt\\cli\\j21\\bin",
      "      named by JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\JDK\\21 \"JavaHome\" "
      "(" + kBits + "-bit view)"}},
    {"registered in both views: offered, and not repeated, A-Z case ignored",
     [] {
         SeedRuntime("1.8", kJ8, REG_SZ, kOtherView);
         SeedRuntime("1.8.0_401", "C:\\JT\\CLI\\J8", REG_SZ, kOtherView);
         SeedRuntimeUnder(kTestJdkKey, "bundled", kRoot + "\\q\\jre", REG_SZ, kOtherView);
     },
     {},
     {"  none"}},
    // One home in five places, seeded in the reverse of the order the keys are read in.
    {"one home registered in five places: one entry, the sources in the order the keys are read",
     [] {
         SeedRuntimeUnder(kTestJdkKey, "e", kJ17, REG_SZ, kOtherView);
         SeedRuntimeUnder(kTestJre9Key, "d", kJ17, REG_SZ, kOtherView);
         SeedRuntimeUnder(kTestJdkKey, "c", kJ17);
         SeedRuntimeUnder(kTestJre9Key, "b", kJ17);
         SeedRuntime("a", kJ17, REG_SZ, kOtherView);
         MakeLauncher(kJ17 + "\\bin\\javaw.exe");
     },
     {"  -\tnot selectable: version unknown architecture unknown, JavaSoft, "
      "HKLM\\SOFTWARE\\JavaSoft\\Java Runtime Environment\\a \"JavaHome\" (" + kBits + "-bit "
      "view)\tC:\\jt\\cli\\j17\\bin\\javaw.exe"},
     {"  C:\\jt\\cli\\j17: registered for " + kBits + "-bit programs only",
      "      version unknown (no release file with JAVA_VERSION, no version resource), "
      "architecture unknown",
      "      launcher C:\\jt\\cli\\j17\\bin\\javaw.exe",
      "      named by JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\Java Runtime Environment\\a "
      "\"JavaHome\" (" + kBits + "-bit view)",
      "      named by JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\JRE\\b \"JavaHome\"",
      "      named by JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\JRE\\d \"JavaHome\" (" + kBits + "-bit "
      "view)",
      "      named by JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\JDK\\c \"JavaHome\"",
      "      named by JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\JDK\\e \"JavaHome\" (" + kBits + "-bit "
      "view)"}},
    // SOFTWARE\JavaSoft\Java Runtime Environment\ is 43 characters: a name of 217 makes a key
    // path of 260, which does not fit; the search skips it and reads the next.
    {"long and wrong-typed values in the other view",
     [] {
         SeedRuntime(std::string(217, 'n'), kJ402, REG_SZ, kOtherView);
         SeedRuntime("x", kJ402, REG_SZ, kOtherView);
         SeedRuntimeUnder(kTestJdkKey, "long", "C:\\" + std::string(297, 'j'), REG_SZ, kOtherView);
         const char binary[] = {'C', ':', '\\', 'j', 't', '\\', 'c', 'l', 'i', '\\', 'j', '1', '7'};
         SeedRawRuntimeUnder(kTestJdkKey, "binary", REG_BINARY, binary, sizeof(binary), kOtherView);
         const DWORD number = 17;
         SeedRawRuntimeUnder(kTestJdkKey, "number", REG_DWORD, &number, sizeof(number), kOtherView);
         MakeLauncher(kJ402 + "\\bin\\javaw.exe");
         MakeLauncher(kJ17 + "\\bin\\javaw.exe");
     },
     {"  -\tnot selectable: version unknown architecture unknown, JavaSoft, "
      "HKLM\\SOFTWARE\\JavaSoft\\Java Runtime Environment\\x \"JavaHome\" (" + kBits + "-bit "
      "view)\tC:\\jt\\cli\\j402\\bin\\javaw.exe",
      "  -\tnot selectable: version unknown architecture unknown, JavaSoft, "
      "HKLM\\SOFTWARE\\JavaSoft\\JDK\\binary \"JavaHome\" (" + kBits + "-bit "
      "view)\tC:\\jt\\cli\\j17\\bin\\javaw.exe",
      "  -\tnot selectable: (no home), JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\JDK\\long "
      "\"JavaHome\" (" + kBits + "-bit view)\t(not looked at)",
      "  -\tnot selectable: <U+0011>, JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\JDK\\number "
      "\"JavaHome\" (" + kBits + "-bit view)\t(not looked at)"},
     {"  C:\\jt\\cli\\j402: registered for " + kBits + "-bit programs only",
      "      version unknown (no release file with JAVA_VERSION, no version resource), "
      "architecture unknown",
      "      launcher C:\\jt\\cli\\j402\\bin\\javaw.exe",
      "      named by JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\Java Runtime Environment\\x "
      "\"JavaHome\" (" + kBits + "-bit view)",
      "  C:\\jt\\cli\\j17: registered under SOFTWARE\\JavaSoft\\JDK (Java 9 and later), which "
      "this program does not read",
      "      version unknown (no release file with JAVA_VERSION, no version resource), "
      "architecture unknown",
      "      launcher C:\\jt\\cli\\j17\\bin\\javaw.exe",
      "      named by JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\JDK\\binary \"JavaHome\" "
      "(" + kBits + "-bit view)",
      "  (no home): a path of 300 characters, more than 259: not looked at",
      "      not looked at: no file was tested",
      "      named by JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\JDK\\long \"JavaHome\" "
      "(" + kBits + "-bit view)",
      "  <U+0011>: not fully qualified (no drive letter, colon and backslash), so it names no "
      "fixed place: not looked at",
      "      not looked at: no file was tested",
      "      named by JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\JDK\\number \"JavaHome\" "
      "(" + kBits + "-bit view)"}},
};

TEST_F(CliOtherViewTest, NamesWhatTheOtherViewHolds)
{
    for (const NotOfferedCase& c : kCases)
        RunNotOfferedCase(c);
}

// Thousands of subkeys in the other view naming one home: each among its sources, in the
// registry's order.
TEST_F(CliOtherViewTest, ThousandsOfSubkeysOfTheOtherViewNameOneHome)
{
    ExpectManyNamings(1500, kOtherView, kTestJavaSoftKey, " (" + kBits + "-bit view)");
}

// The dialog lists, preselects and writes as before, with the other view full of runtimes
// and a "starter" that names one of them. RunSession clears and seeds the own view and the
// files; the other view is seeded before it, and must be the same after.
TEST_F(CliOtherViewTest, DialogOffersNoneOfThem)
{
    SeedRuntime("1.8.0_402", kJ402, REG_SZ, kOtherView);
    SeedRuntime("1.8", kJ8, REG_SZ, kOtherView);
    SeedRuntimeUnder(kTestJdkKey, "17", kJ17, REG_SZ, kOtherView);
    SeedRuntimeUnder(kTestJre9Key, "17", kJ17, REG_SZ, kOtherView);
    const SessionCase session = {
        "runtimes in the other view, the current one among them",
        [] {
            SeedOffered();
            SetText(kTestProductKey, "starter", kJ402 + "\\bin\\javaw.exe");
            MakeLauncher(kJ402 + "\\bin\\javaw.exe");
            MakeLauncher(kJ17 + "\\bin\\javaw.exe");
        },
        {"Bundled Java Runtime Environment", "Sun Java Runtime Environment (1.8)"},
        -1,
        0,
        kEndOk,
        nullptr,
        "C:\\jt\\cli\\q\\jre\\bin\\javaw.exe"};
    const std::string otherBefore = DumpJavaSoftAndProduct(kOtherView);
    RunSession(session);
    EXPECT_EQ(otherBefore, DumpJavaSoftAndProduct(kOtherView));
}

}  // namespace
