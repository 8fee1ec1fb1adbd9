// Java homes that no JavaSoft key of the list names: vendors' keys (also the current
// user's), JAVA_HOME, PATH, the usual folders and Oracle's javapath folder. explain names
// each home once with its version, architecture, sources and reason; list --all shows each
// without index; list, set and the dialog offer none of them. In every configuration.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "cli/json_twin.h"
#include "cli/not_offered_support.h"
#include "e2e/session.h"
#include "settings/registry.h"
#include "support/machine.h"

namespace {

const std::string kRoot = kCliRoot;  // C:\jt\cli
const std::string kTemurin = kRoot + "\\temurin17";
const char kTemurinKey[] = "SOFTWARE\\Eclipse Adoptium\\JDK\\17.0.10.7\\hotspot\\MSI";
const std::string kPf = kProgramFiles;

class CliInventoryTest : public ::testing::Test {
protected:
    void SetUp() override { ClearNotOffered(); }
    void TearDown() override { ClearNotOffered(); }
};

// How explain names the 64-bit view in this configuration: the other view's, or none.
std::string View64Text()
{
    return OtherRegistryView() == KEY_WOW64_64KEY ? " (64-bit view)" : "";
}

// The build's own architecture and registry view, as explain words them.
std::string OwnArchitecture()
{
    return sizeof(void*) == 8 ? "x64" : "x86";
}
std::string OwnBits()
{
    return sizeof(void*) == 8 ? "64-bit" : "32-bit";
}

void PrependPath(const std::string& entry)
{
    SetEnvironment("PATH", (entry + ";" + EnvironmentValue("PATH")).c_str());
}

void SeedTemurin()
{
    MakeJavaHome(kTemurin, kLauncherX64, kLauncherX64, ReleaseText("17.0.10").c_str());
    SeedHomeValue(HKEY_LOCAL_MACHINE, kTemurinKey, "Path", kTemurin, kView64);
    PrependPath(kTemurin + "\\bin");
}

const std::string kTemurinSource = std::string("Eclipse Temurin, HKLM\\") + kTemurinKey +
                                   " \"Path\"";

std::vector<NotOfferedCase> Cases()
{
    const std::string view64 = View64Text();
    return {
        {"Temurin registered by its MSI and on PATH", SeedTemurin,
         {"  -\tnot selectable: 17.0.10 x64, " + kTemurinSource + view64 +
          "\tC:\\jt\\cli\\temurin17\\bin\\javaw.exe"},
         {"  C:\\jt\\cli\\temurin17: registered only under its vendor's own key (Eclipse "
          "Temurin), which this program does not read",
          "      version 17.0.10 (release file), x64",
          "      launcher C:\\jt\\cli\\temurin17\\bin\\javaw.exe",
          "      launcher C:\\jt\\cli\\temurin17\\bin\\java.exe",
          "      named by " + kTemurinSource + view64,
          "      named by PATH entry 0, C:\\jt\\cli\\temurin17\\bin"}},
        {"Zulu without a release file, a per-user Temurin, an unzipped JDK",
         [] {
             MakeJavaHome(kRoot + "\\zulu21", kLauncherX64, kLauncherX64);
             SeedHomeValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Azul Systems\\Zulu\\zulu-21",
                           "InstallationPath", kRoot + "\\zulu21", kView64);
             MakeJavaHome(kRoot + "\\user21", kLauncherX86, nullptr, ReleaseText("21.0.2").c_str());
             SeedHomeValue(HKEY_CURRENT_USER,
                           "SOFTWARE\\Eclipse Adoptium\\JDK\\21.0.2.13\\hotspot\\MSI", "Path",
                           kRoot + "\\user21");
             MakeJavaHome(kPf + "\\Java\\jdk-22", kLauncherX64, kLauncherX64,
                          ReleaseText("22").c_str());
         },
         {"  -\tnot selectable: 21.0.2 x86, Eclipse Temurin, "
          "HKCU\\SOFTWARE\\Eclipse Adoptium\\JDK\\21.0.2.13\\hotspot\\MSI \"Path\"\t"
          "C:\\jt\\cli\\user21\\bin\\javaw.exe",
          "  -\tnot selectable: 17.0.10.7 x64, Azul Zulu, HKLM\\SOFTWARE\\Azul "
          "Systems\\Zulu\\zulu-21 \"InstallationPath\"" +
              view64 + "\tC:\\jt\\cli\\zulu21\\bin\\javaw.exe",
          "  -\tnot selectable: 22 x64, the folder C:\\Program Files\\Java\t"
          "C:\\Program Files\\Java\\jdk-22\\bin\\javaw.exe"},
         {"  C:\\jt\\cli\\user21: installed for this user only (HKEY_CURRENT_USER, Eclipse "
          "Temurin), which this program does not read",
          "      version 21.0.2 (release file), x86",
          "      launcher C:\\jt\\cli\\user21\\bin\\javaw.exe",
          "      named by Eclipse Temurin, HKCU\\SOFTWARE\\Eclipse "
          "Adoptium\\JDK\\21.0.2.13\\hotspot\\MSI \"Path\"",
          "  C:\\jt\\cli\\zulu21: registered only under its vendor's own key (Azul Zulu), "
          "which this program does not read",
          "      version 17.0.10.7 (launcher's version resource), x64",
          "      launcher C:\\jt\\cli\\zulu21\\bin\\javaw.exe",
          "      launcher C:\\jt\\cli\\zulu21\\bin\\java.exe",
          "      named by Azul Zulu, HKLM\\SOFTWARE\\Azul Systems\\Zulu\\zulu-21 "
          "\"InstallationPath\"" +
              view64,
          "  C:\\Program Files\\Java\\jdk-22: found only as a folder in C:\\Program Files\\Java, "
          "which this program does not search",
          "      version 22 (release file), x64",
          "      launcher C:\\Program Files\\Java\\jdk-22\\bin\\javaw.exe",
          "      launcher C:\\Program Files\\Java\\jdk-22\\bin\\java.exe",
          "      named by the folder C:\\Program Files\\Java"}},
        {"a JDK under JavaSoft\\JDK and in JAVA_HOME: one home with both sources",
         [] {
             MakeJavaHome(kRoot + "\\j17", kLauncherX64, kLauncherX64, ReleaseText("17.0.2").c_str());
             SeedRuntimeUnder(kTestJdkKey, "17", kRoot + "\\j17");
             SetEnvironment("JAVA_HOME", (kRoot + "\\j17\\").c_str());
         },
         {"  -\tnot selectable: 17.0.2 x64, JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\JDK\\17 "
          "\"JavaHome\"\tC:\\jt\\cli\\j17\\bin\\javaw.exe"},
         {"  C:\\jt\\cli\\j17: registered under SOFTWARE\\JavaSoft\\JDK (Java 9 and later), "
          "which this program does not read",
      "      version 17.0.2 (release file), x64",
      "      launcher C:\\jt\\cli\\j17\\bin\\javaw.exe",
      "      launcher C:\\jt\\cli\\j17\\bin\\java.exe",
      "      named by JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\JDK\\17 \"JavaHome\"",
      "      named by JAVA_HOME"}},
        {"a JDK under JavaSoft\\JDK, installed in Program Files\\Java: one home, one line",
         [] {
             MakeJavaHome(kPf + "\\Java\\jdk-17.0.10", kLauncherX64, kLauncherX64,
                          ReleaseText("17.0.10").c_str());
             SeedRuntimeUnder(kTestJdkKey, "17.0.10", kPf + "\\Java\\jdk-17.0.10");
         },
         {"  -\tnot selectable: 17.0.10 x64, JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\JDK\\17.0.10 "
          "\"JavaHome\"\tC:\\Program Files\\Java\\jdk-17.0.10\\bin\\javaw.exe"},
         {"  C:\\Program Files\\Java\\jdk-17.0.10: registered under SOFTWARE\\JavaSoft\\JDK "
          "(Java 9 "
          "and later), which this program does not read",
          "      version 17.0.10 (release file), x64",
          "      launcher C:\\Program Files\\Java\\jdk-17.0.10\\bin\\javaw.exe",
          "      launcher C:\\Program Files\\Java\\jdk-17.0.10\\bin\\java.exe",
          "      named by JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\JDK\\17.0.10 \"JavaHome\"",
          "      named by the folder C:\\Program Files\\Java"}},
        {"network and relative homes, and a value that is no text",
         [] {
             SetEnvironment("JAVA_HOME", "\\\\server\\share\\jdk");
             SetEnvironment("JDK_HOME", "jdk17");
             const DWORD flag = 1;
             SetRawValueIn(HKEY_LOCAL_MACHINE, "SOFTWARE\\SapMachine\\JDK\\21", "JavaHome",
                           REG_DWORD, &flag, sizeof(flag));
         },
         {"  -\tnot selectable: (no home), SapMachine, HKLM\\SOFTWARE\\SapMachine\\JDK\\21 "
          "\"JavaHome\"\t(not looked at)",
          "  -\tnot selectable: \\\\server\\share\\jdk, JAVA_HOME\t(not looked at)",
          "  -\tnot selectable: jdk17, JDK_HOME\t(not looked at)"},
         {"  (no home): the value is REG_DWORD, not a text: it names no home",
          "      not looked at: no file was tested",
          "      named by SapMachine, HKLM\\SOFTWARE\\SapMachine\\JDK\\21 \"JavaHome\"",
          "  \\\\server\\share\\jdk: a network path, not looked at",
          "      not looked at: no file was tested",
          "      named by JAVA_HOME",
          "  jdk17: not fully qualified (no drive letter, colon and backslash), so it names no "
          "fixed place: not looked at",
          "      not looked at: no file was tested",
          "      named by JDK_HOME"}},
        {"the javapath folder of x64 copies of 17, following JavaSoft\\JRE's CurrentVersion in "
         "the 64-bit view",
         [] {
             const std::string javapath = kRoot + "\\Common Files\\Oracle\\Java\\javapath";
             MakeJavaHome(javapath, kLauncherX64, kLauncherX64);
             MoveFileA((javapath + "\\bin\\java.exe").c_str(), (javapath + "\\java.exe").c_str());
             MoveFileA((javapath + "\\bin\\javaw.exe").c_str(), (javapath + "\\javaw.exe").c_str());
             PrependPath(javapath);
             SetText(kTestJre9Key, "CurrentVersion", "21", REG_SZ, kView64);
             SeedRuntimeUnder(kTestJre9Key, "21", kRoot + "\\jre21", REG_SZ, kView64);
             MakeJavaHome(kRoot + "\\jre21", kLauncherX64, kLauncherX64);
         },
         {"  -\tnot selectable: 17.0.10.7 x64, JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\JRE\\21 "
          "\"JavaHome\"" + view64 + "\tC:\\jt\\cli\\jre21\\bin\\javaw.exe"},
         {"  C:\\jt\\cli\\jre21: registered under SOFTWARE\\JavaSoft\\JRE (Java 9 and later), "
          "which this program does not read",
          "      version 17.0.10.7 (launcher's version resource), x64",
          "      launcher C:\\jt\\cli\\jre21\\bin\\javaw.exe",
          "      launcher C:\\jt\\cli\\jre21\\bin\\java.exe",
          "      named by JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\JRE\\21 \"JavaHome\"" + view64,
          "  C:\\jt\\cli\\Common Files\\Oracle\\Java\\javapath: on PATH (entry 0), copies of "
          "javaw.exe and java.exe that run the runtime the JavaSoft key's \"CurrentVersion\" "
          "names; not a Java home",
          "      javaw.exe is version 17.0.10.7, x64: it follows SOFTWARE\\JavaSoft\\JRE, then JDK, "
          "in the 64-bit registry view",
          "      SOFTWARE\\JavaSoft\\JRE" + view64 + " \"CurrentVersion\" is 21",
          "      they run C:\\jt\\cli\\jre21, named above"}},
        {"the javapath folder of copies without a version resource: no key known",
         [] {
             const std::string javapath = kRoot + "\\Common Files\\Oracle\\Java\\javapath";
             MakeFile(javapath + "\\javaw.exe", "copy");
             PrependPath(javapath);
             SetText(kTestJre9Key, "CurrentVersion", "21", REG_SZ, kView64);
         },
         {},
         {"  C:\\jt\\cli\\Common Files\\Oracle\\Java\\javapath: on PATH (entry 0), copies of "
          "javaw.exe that run the runtime the JavaSoft key's \"CurrentVersion\" names; not a Java "
          "home",
          "      javaw.exe has no version resource, so which key it follows is not known: no "
          "runtime named"}},
        {"the javapath copies of Java 8 refuse a CurrentVersion other than their own",
         [] {
             const std::string javapath = kRoot + "\\Common Files\\Oracle\\Java\\javapath";
             MakeDirectories(javapath);
             CopyFileA(FixturePath("javapath_8_0_3010_9").c_str(), (javapath + "\\javaw.exe").c_str(),
                       FALSE);
             PrependPath(javapath);
             SetText(kTestJavaSoftKey, "CurrentVersion", "1.7");
         },
         {},
         {"  C:\\jt\\cli\\Common Files\\Oracle\\Java\\javapath: on PATH (entry 0), copies of "
          "javaw.exe that run the runtime the JavaSoft key's \"CurrentVersion\" names; not a Java "
          "home",
          "      javaw.exe is version 8.0.3010.9, " + OwnArchitecture() +
              ": it follows SOFTWARE\\JavaSoft\\Java Runtime Environment in the " +
              OwnBits() + " registry view",
          "      SOFTWARE\\JavaSoft\\Java Runtime Environment \"CurrentVersion\" is 1.7",
          "      that is not 1.8, their own version, which their launcher asks for: they run no "
          "runtime"}},
        {"homes the list offers, named again by JAVA_HOME and PATH, are not repeated",
         [] {
             SetEnvironment("JAVA_HOME", "C:\\JT\\CLI\\J8\\");
             PrependPath(kRoot + "\\q\\jre\\bin");
             MakeLauncher(kRoot + "\\q\\jre\\bin\\java.exe");
         },
         {},
         {"  none"}},
    };
}

TEST_F(CliInventoryTest, NamesEveryJavaHomeOnTheMachine)
{
    for (const NotOfferedCase& c : Cases())
        RunNotOfferedCase(c);
}

// PATH entries that name no fixed place, or one never opened, are told by explain under PATH,
// each with its index and reason, before the homes; they are no homes: list --all adds no line
// for them, and the not-offered section says "none".
TEST_F(CliInventoryTest, PathEntriesNotLookedAtAreToldUnderPath)
{
    SeedOffered();
    const std::string tooLong = "C:\\" + std::string(300, 'x');
    PrependPath(".;rel\\bin;%X%\\bin;\\\\server\\tools;\"C:\\jt\\quoted;\";" + tooLong);
    const CliRun explain = RunCli("explain");
    EXPECT_EQ(0u, explain.exitCode);
    EXPECT_EQ("", explain.err);
    const char kGroup[] = "\nPATH entries not looked at:\n";
    const size_t at = explain.out.find(kGroup);
    ASSERT_NE(std::string::npos, at) << explain.out;
    EXPECT_EQ(std::string(kGroup + 1) +
                  "  entry 0, .: not fully qualified (no drive letter, colon and backslash), so "
                  "it names no fixed place: not looked at\n"
                  "  entry 1, rel\\bin: not fully qualified (no drive letter, colon and "
                  "backslash), so it names no fixed place: not looked at\n"
                  "  entry 2, %X%\\bin: holds %...% references, which are not expanded: not "
                  "looked at\n"
                  "  entry 3, \\\\server\\tools: a network path, not looked at\n"
                  "  entry 5: a path of 303 characters, more than 259: not looked at\n"
                  "\n"
                  "On this machine but not offered:\n"
                  "  none\n",
              explain.out.substr(at + 1));
    ExpectJsonTwin("explain", explain);
    const CliRun all = RunCli("list --all");
    EXPECT_EQ(0u, all.exitCode);
    EXPECT_EQ(RunCli("list").out, all.out);
    ExpectJsonTwin("list --all", all);
}

// Everything at once: list and the dialog's list box are as without it, set takes none of
// the homes, and nothing is written.
void SeedAll()
{
    SeedOffered();
    SeedTemurin();
    MakeJavaHome(kRoot + "\\zulu21", kLauncherX64, kLauncherX64);
    SeedHomeValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Azul Systems\\Zulu\\zulu-21", "InstallationPath",
                  kRoot + "\\zulu21", kView64);
    SeedHomeValue(HKEY_CURRENT_USER, "SOFTWARE\\Eclipse Adoptium\\JDK\\21.0.2.13\\hotspot\\MSI",
                  "Path", kRoot + "\\zulu21");
    MakeJavaHome(kPf + "\\Java\\jdk-22", kLauncherX64, kLauncherX64);
    SetEnvironment("JAVA_HOME", (kPf + "\\Java\\jdk-22").c_str());
    SetEnvironment("JDK_HOME", "\\\\server\\share\\jdk");
}

TEST_F(CliInventoryTest, ListAndSetUnchanged)
{
    SeedOffered();
    const std::string listBefore = RunCli("list").out;
    SeedAll();
    const std::string before = DumpKeyTree(kTestVelmorKey);
    const CliRun list = RunCli("list");
    EXPECT_EQ(0u, list.exitCode);
    EXPECT_EQ(listBefore, list.out);
    EXPECT_EQ(Describe(ListInProcess()), Describe(ParseListOutput(list.out)));
    for (const std::string& path :
         {kTemurin + "\\bin\\javaw.exe", kPf + "\\Java\\jdk-22\\bin\\javaw.exe"}) {
        const CliRun set = RunCli("set \"" + path + "\"");
        EXPECT_EQ(2u, set.exitCode);
        EXPECT_EQ("No listed runtime has the launcher " + path + ".\n", set.err);
    }
    EXPECT_EQ(2u, RunCli("set 2").exitCode);
    EXPECT_EQ(before, DumpKeyTree(kTestVelmorKey));
}

// The dialog lists, preselects and writes as before with every source present and a
// "starter" that names a Temurin launcher.
TEST_F(CliInventoryTest, DialogOffersNoneOfThem)
{
    const SessionCase session = {
        "every source of the inventory, the current one among them",
        [] {
            SeedAll();
            SetText(kTestProductKey, "starter", kTemurin + "\\bin\\javaw.exe");
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
