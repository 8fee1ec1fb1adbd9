// "explain": every candidate of the search, source by source, with the reason it was left out.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "support/machine_test.h"

namespace {

class CliExplainTest : public MachineTest {};

const std::string kRoot = "C:\\jt\\cli";
const std::string kHome = kRoot + "\\q";
const std::string kStarter = kHome + "\\jre\\bin\\javaw.exe";

// Most cases seed the product key with no launcher under "home", and add one candidate.
struct ExplainCase {
    const char* name;
    void (*seed)();
    std::vector<std::string> lines;  // each must be a whole line of the output, in this order
};

const ExplainCase kCases[] = {
    {"bundled runtime with jrew.exe only",
     [] {
         SeedProduct(kHome, kStarter);
         MakeLauncher(kHome + "\\jre\\bin\\jrew.exe");
     },
     {"  listed as 0: Bundled Java Runtime Environment",
      "      launcher C:\\jt\\cli\\q\\jre\\bin\\jrew.exe",
      "      tried C:\\jt\\cli\\q\\jre\\bin\\javaw.exe: not found"}},
    {"no launcher under home",
     [] { SeedProduct(kHome, kStarter); },
     {"  left out: no launcher, neither javaw.exe nor jrew.exe in C:\\jt\\cli\\q\\jre\\bin",
      "      tried C:\\jt\\cli\\q\\jre\\bin\\javaw.exe: not found",
      "      tried C:\\jt\\cli\\q\\jre\\bin\\jrew.exe: not found"}},
    {"home longer than 259 characters",
     [] { SeedProduct(kRoot + "\\" + std::string(290, 'h'), kStarter); },
     {"  home    longer than 259 characters, not used",
      "  left out: \"home\" is longer than 259 characters, so it is not searched"}},
    {"home that does not fit with jre\\bin",
     [] { SeedProduct("C:\\" + std::string(250, 'h'), kStarter); },
     {"  left out: \"home\" joined with jre\\bin does not fit 259 characters"}},
    {"JavaSoft key absent", [] { SeedProduct(kHome, kStarter); }, {"  none: the key is absent"}},
    {"JavaSoft key without subkeys",
     [] {
         SeedProduct(kHome, kStarter);
         CreateKey(kTestJavaSoftKey);
     },
     {"  none: the key has no subkeys"}},
    {"subkey without JavaHome",
     [] {
         SeedProduct(kHome, kStarter);
         SetText(JavaSoftSubkey("1.4.2").c_str(), "RuntimeLib", "C:\\jre\\bin\\jvm.dll");
     },
     {"  1.4.2: left out: no \"JavaHome\" value",
      "      key SOFTWARE\\JavaSoft\\Java Runtime Environment\\1.4.2"}},
    {"JavaHome without a launcher",
     [] {
         SeedProduct(kHome, kStarter);
         SeedRuntime("1.6.0", kRoot + "\\j16");
         MakeDirectories(kRoot + "\\j16\\bin");
     },
     {"  1.6.0: left out: no launcher, neither javaw.exe nor jrew.exe in C:\\jt\\cli\\j16\\bin",
      "      JavaHome C:\\jt\\cli\\j16",
      "      tried C:\\jt\\cli\\j16\\bin\\javaw.exe: not found",
      "      tried C:\\jt\\cli\\j16\\bin\\jrew.exe: not found"}},
    {"JavaHome with an unexpanded environment reference",
     [] {
         SeedProduct(kHome, kStarter);
         SeedRuntime("1.8", "%SystemDrive%\\jt\\cli\\j8", REG_EXPAND_SZ);
         MakeLauncher(kRoot + "\\j8\\bin\\javaw.exe");
     },
     {"  1.8: left out: no launcher, neither javaw.exe nor jrew.exe in "
      "%SystemDrive%\\jt\\cli\\j8\\bin",
      "      JavaHome %SystemDrive%\\jt\\cli\\j8",
      "      (environment references such as %SystemDrive% are not expanded)"}},
    {"JavaHome longer than 259 characters",
     [] {
         SeedProduct(kHome, kStarter);
         SeedRuntime("1.5", "C:\\" + std::string(297, 'j'));
     },
     {"  1.5: left out: \"JavaHome\" is 300 characters long, more than 259"}},
    {"JavaHome that does not fit with bin",
     [] {
         SeedProduct(kHome, kStarter);
         SeedRuntime("1.5", "C:\\" + std::string(253, 'j'));
     },
     {"  1.5: left out: \"JavaHome\" joined with bin does not fit 259 characters"}},
    {"launcher path too long for the file test, though the file is there",
     [] {
         SeedProduct(kHome, kStarter);
         const std::string home = kRoot + "\\" + std::string(120, 'd');
         SeedRuntime("1.8", home);
         MakeLauncher(home + "\\bin\\javaw.exe");
     },
     {"  1.8: left out: no launcher, neither javaw.exe nor jrew.exe in C:\\jt\\cli\\" +
          std::string(120, 'd') + "\\bin",
      "      tried C:\\jt\\cli\\" + std::string(120, 'd') +
          "\\bin\\javaw.exe: not tested, the path is longer than 127 characters",
      "      tried C:\\jt\\cli\\" + std::string(120, 'd') +
          "\\bin\\jrew.exe: not tested, the path is longer than 127 characters"}},
    {"subkey name that makes the key path too long",
     [] {
         SeedProduct(kHome, kStarter);
         CreateJavaSoftSubkey(std::string(220, 'n'));
     },
     {"  " + std::string(220, 'n') +
      ": left out: the key path SOFTWARE\\JavaSoft\\Java Runtime Environment\\ and the name "
      "(220 characters) does not fit 259 characters"}},
    {"Microsoft key absent though wjview.exe is there",
     [] {
         SeedProduct(kHome, kStarter);
         SeedWjview("wjview_5_0_0_381", kWindowsDir);
     },
     {"  left out: the key is absent, so wjview.exe is not looked for"}},
    {"wjview.exe without a version resource",
     [] {
         SeedProduct(kHome, kStarter);
         SeedMicrosoftVm("wjview_unversioned");
     },
     {"  left out: no wjview.exe with a version resource",
      "      tried C:\\windows\\wjview.exe: absent, or without a version resource",
      "      tried C:\\windows\\system32\\wjview.exe: absent, or without a version resource"}},
    {"wjview.exe below 5.0.0.0, in the system directory",
     [] {
         SeedProduct(kHome, kStarter);
         SeedMicrosoftVm("wjview_4_79_0_0", kSystemDir);
     },
     {"  left out: C:\\windows\\system32\\wjview.exe has version 4.79.0.0, below 5.0.0.0",
      "      tried C:\\windows\\wjview.exe: absent, or without a version resource"}},
    {"wjview.exe of exactly 5.0.0.0",
     [] {
         SeedProduct(kHome, kStarter);
         SeedMicrosoftVm("wjview_5_0_0_0");
     },
     {"  listed as 0: Microsoft Java Runtime Environment (5.0.0.0)",
      "      launcher C:\\windows\\wjview.exe"}},
    {"starter longer than 259 characters",
     [] {
         SeedProduct(kHome, kStarter + std::string(280, 'x'));
         MakeLauncher(kHome + "\\jre\\bin\\javaw.exe");
     },
     {"  starter longer than 259 characters, matches no runtime",
      "  listed as 0: Bundled Java Runtime Environment",
      "1 runtime listed. Current: none (\"starter\" is longer than 259 characters)"}},
};

TEST_F(CliExplainTest, GivesTheReasonForEachCandidate)
{
    for (const ExplainCase& c : kCases) {
        SCOPED_TRACE(c.name);
        ExpectLinesInOrder(RunReadingCommand("explain", c.seed), c.lines);
    }
}

// A "home" or "JavaHome" that is not fully qualified is never probed, though OpenFile would
// find its launcher below the program's directory, a directory on PATH or the current one.
TEST_F(CliExplainTest, SaysWhyPathsThatAreNotFullyQualifiedAreNotTested)
{
    // Names of this program's own: the program's directory is shared with other tests.
    const std::string home = "CliRelativeHome";
    const std::string javaHome = "CliRelativeJava";
    const std::string current = kRoot + "\\current";
    const std::string onPath = kRoot + "\\onpath";
    const std::string places[] = {JRESELECT_BIN_DIR_W, onPath, current};
    struct Cleanup {
        std::string programDir;
        std::string home;
        std::string javaHome;
        std::string path;
        std::string directory;
        ~Cleanup()
        {
            SetEnvironmentVariableA("PATH", path.c_str());
            SetCurrentDirectoryA(directory.c_str());
            RemoveTree(programDir + "\\" + home);
            RemoveTree(programDir + "\\" + javaHome);
        }
    } cleanup{places[0], home, javaHome, "", ""};
    char saved[32768];
    const DWORD pathLength = GetEnvironmentVariableA("PATH", saved, sizeof(saved));
    ASSERT_TRUE(pathLength > 0 && pathLength < sizeof(saved));
    cleanup.path = saved;
    ASSERT_NE(0u, GetCurrentDirectoryA(sizeof(saved), saved));
    cleanup.directory = saved;

    const std::string notTested = ": not tested, the path is not fully qualified (no drive "
                                  "letter, colon and backslash, nor \\\\server\\share), so "
                                  "it names no fixed place";
    struct Case {
        const char* what;
        std::string home;
        std::string javaHome;  // empty: none registered
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"relative home", home, "",
         {"  left out: no launcher, neither javaw.exe nor jrew.exe in " + home + "\\jre\\bin",
          "      tried " + home + "\\jre\\bin\\javaw.exe" + notTested,
          "      tried " + home + "\\jre\\bin\\jrew.exe" + notTested}},
        {"drive-relative home", "C:" + home, "",
         {"  left out: no launcher, neither javaw.exe nor jrew.exe in C:" + home + "\\jre\\bin",
          "      tried C:" + home + "\\jre\\bin\\javaw.exe" + notTested,
          "      tried C:" + home + "\\jre\\bin\\jrew.exe" + notTested}},
        {"relative JavaHome", kHome, javaHome,
         {"  1.4: left out: no launcher, neither javaw.exe nor jrew.exe in " + javaHome +
              "\\bin",
          "      JavaHome " + javaHome, "      tried " + javaHome + "\\bin\\javaw.exe" + notTested,
          "      tried " + javaHome + "\\bin\\jrew.exe" + notTested}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ClearMachine();
        for (const std::string& place : places) {
            MakeLauncher(place + "\\" + home + "\\jre\\bin\\javaw.exe");
            MakeLauncher(place + "\\" + javaHome + "\\bin\\javaw.exe");
        }
        SetEnvironmentVariableA("PATH", (onPath + ";" + cleanup.path).c_str());
        ASSERT_TRUE(SetCurrentDirectoryA(current.c_str()));
        SeedProduct(c.home, kStarter);
        if (!c.javaHome.empty())
            SeedRuntime("1.4", c.javaHome);

        const CliRun run = RunCli("explain");
        SetCurrentDirectoryA(cleanup.directory.c_str());
        EXPECT_EQ(0u, run.exitCode);
        std::vector<std::string> wanted = c.lines;
        wanted.push_back(
            "0 runtimes listed. Current: none (\"starter\" equals no listed launcher)");
        ExpectLinesInOrder(run.out, wanted);
    }
}

// The whole text for one machine with every source: headings, order, indexes and mark.
TEST_F(CliExplainTest, ExplainsEverySourceInOrder)
{
    SeedProduct(kHome, "C:\\JT\\CLI\\J8\\BIN\\JAVAW.EXE");
    SeedRuntime("1.8.0_401", kRoot + "\\j8");
    CreateJavaSoftSubkey("1.4.2");
    MakeLauncher(kRoot + "\\j8\\bin\\javaw.exe");
    MakeLauncher(kRoot + "\\j8\\bin\\jrew.exe");
    MakeLauncher(kHome + "\\jre\\bin\\javaw.exe");
    SeedMicrosoftVm("wjview_4_79_0_0");

    const CliRun run = RunCli("explain");
    EXPECT_EQ(0u, run.exitCode);
    EXPECT_EQ("Settings, key SOFTWARE\\Velmor\\Quillfern:\n"
              "  home    C:\\jt\\cli\\q\n"
              "  starter C:\\JT\\CLI\\J8\\BIN\\JAVAW.EXE\n"
              "\n"
              "Bundled runtime, in \"home\"\\jre\\bin:\n"
              "  listed as 0: Bundled Java Runtime Environment\n"
              "      launcher C:\\jt\\cli\\q\\jre\\bin\\javaw.exe\n"
              "\n"
              "Registered runtimes, subkeys of SOFTWARE\\JavaSoft\\Java Runtime Environment:\n"
              "  1.4.2: left out: no \"JavaHome\" value\n"
              "      key SOFTWARE\\JavaSoft\\Java Runtime Environment\\1.4.2\n"
              "  1.8.0_401: listed as 1: Sun Java Runtime Environment (1.8.0_401)\n"
              "      JavaHome C:\\jt\\cli\\j8\n"
              "      launcher C:\\jt\\cli\\j8\\bin\\javaw.exe\n"
              "\n"
              "Microsoft virtual machine, key SOFTWARE\\Microsoft\\Java VM:\n"
              "  left out: C:\\windows\\wjview.exe has version 4.79.0.0, below 5.0.0.0\n"
              "\n"
              "2 runtimes listed. Current: 1, Sun Java Runtime Environment (1.8.0_401) "
              "(\"starter\" equals its launcher, A-Z case ignored)\n"
              "\n"
              "On this machine but not offered:\n"
              "  none\n",
              run.out);
}

}  // namespace
