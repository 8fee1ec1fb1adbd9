// "set", the command line and the exit codes: what is written, and that nothing else is.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <string>

#include "cli/cli_runner.h"
#include "discovery/probes.h"
#include "support/machine_test.h"

namespace {

const std::string kRoot = "C:\\jt\\cli";
const std::string kHome = kRoot + "\\q";
const std::string kBundled = kHome + "\\jre\\bin\\javaw.exe";
const std::string kJ8 = kRoot + "\\j8\\bin\\javaw.exe";
const std::string kJ131 = kRoot + "\\j131\\bin\\jrew.exe";
const std::string kOldStarter = kRoot + "\\old\\bin\\javaw.exe";

std::string Sz(const std::string& text)
{
    return "(1)" + text + std::string(1, '\0');
}

// Listed as 0 bundled, 1 "1.3.1", 2 "1.8", 3 "1.8.0_401" (same launcher as 2), 4 Microsoft.
void SeedFiveRuntimes()
{
    SeedProduct(kHome, kOldStarter);
    MakeLauncher(kBundled);
    SeedRuntime("1.8.0_401", kRoot + "\\j8");
    SeedRuntime("1.8", kRoot + "\\j8");
    SeedRuntime("1.3.1", kRoot + "\\j131");
    MakeLauncher(kJ8);
    MakeLauncher(kJ131);
    SeedMicrosoftVm("wjview_5_0_0_381");
}

class CliSetTest : public MachineTest {};

TEST_F(CliSetTest, WritesStarterAndClassesOfTheNamedRuntime)
{
    struct Case {
        const char* argument;
        std::string starter;
        std::string firstLine;
    };
    const Case cases[] = {
        {"0", kBundled, "Set 0: Bundled Java Runtime Environment"},
        {"1", kJ131, "Set 1: Sun Java Runtime Environment (1.3.1)"},
        {"3", kJ8, "Set 3: Sun Java Runtime Environment (1.8.0_401)"},
        {"4", kWindowsWjview, "Set 4: Microsoft Java Runtime Environment (5.0.0.381)"},
        {"001", kJ131, "Set 1: Sun Java Runtime Environment (1.3.1)"},
        // By path: the entry's own spelling is written, and of two equal launchers the first.
        {"C:\\JT\\CLI\\J131\\BIN\\JREW.EXE", kJ131, "Set 1: Sun Java Runtime Environment (1.3.1)"},
        {"\"c:\\jt\\cli\\j8\\bin\\javaw.exe\"", kJ8, "Set 2: Sun Java Runtime Environment (1.8)"},
        {"C:\\Windows\\WJVIEW.exe", kWindowsWjview,
         "Set 4: Microsoft Java Runtime Environment (5.0.0.381)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.argument);
        ClearMachine();
        SeedFiveRuntimes();
        const std::string others =
            DumpKeyTree("SOFTWARE\\JavaSoft") + DumpKeyTree(kTestMicrosoftVmKey);

        const CliRun run = RunCli(std::string("set ") + c.argument);
        EXPECT_EQ(0u, run.exitCode);
        EXPECT_EQ("", run.err);
        EXPECT_EQ(c.firstLine + "\n  starter " + c.starter + "\n  classes start.jar\n", run.out);
        const std::map<std::string, std::string> expected = {
            {"home", Sz(kHome)}, {"starter", Sz(c.starter)}, {"classes", Sz("start.jar")}};
        EXPECT_EQ(expected, ProductValues());
        EXPECT_EQ(others, DumpKeyTree("SOFTWARE\\JavaSoft") + DumpKeyTree(kTestMicrosoftVmKey));
    }
}

TEST_F(CliSetTest, RefusesWhatNamesNoListedRuntimeAndWritesNothing)
{
    // Only digits make an index; a sign makes the argument a launcher path.
    const char kNoSuchLauncher[] = "No listed runtime has the launcher ";
    struct Case {
        const char* arguments;
        const char* why;
        std::string err;  // empty: any message
    };
    const Case cases[] = {
        {"set 5", "index past the end", ""},
        {"set -1", "not digits only, so a path, and no launcher",
         std::string(kNoSuchLauncher) + "-1.\n"},
        {"set +1", "not digits only, so a path, and no launcher",
         std::string(kNoSuchLauncher) + "+1.\n"},
        {"set 99999999999999999999", "index beyond any int", ""},
        {"set abc", "not a number, and no launcher", ""},
        {"set 1x", "not a number, and no launcher", std::string(kNoSuchLauncher) + "1x.\n"},
        {"set \"\"", "empty argument", ""},
        {"set C:\\jt\\cli\\j8\\bin\\\\javaw.exe", "path with a doubled backslash", ""},
        {"set C:\\jt\\cli\\j8\\bin\\java.exe", "path of no listed launcher", ""},
        {"set C:\\jt\\cli\\old\\bin\\javaw.exe", "the current starter, which is not listed", ""},
        {"set", "missing argument", ""},
        {"set 1 2", "extra argument", ""},
        {"", "no command", ""},
        {"frobnicate", "unknown command", ""},
        {"list now", "extra argument to list", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.arguments) + ": " + c.why);
        const std::string before = ClearAndSeed(SeedFiveRuntimes);

        const CliRun run = RunCli(c.arguments);
        EXPECT_EQ(2u, run.exitCode);
        EXPECT_EQ("", run.out);
        if (c.err.empty())
            EXPECT_NE("", run.err);
        else
            EXPECT_EQ(c.err, run.err);
        EXPECT_EQ(before, DumpKeyTree(kTestVelmorKey));
    }
    // An empty list has no index 0.
    ClearMachine();
    SeedProduct(kHome, kOldStarter);
    const std::string before = DumpKeyTree(kTestVelmorKey);
    EXPECT_EQ(2u, RunCli("set 0").exitCode);
    EXPECT_EQ(before, DumpKeyTree(kTestVelmorKey));
}

// The arguments as typed (CreateProcessW) are split by the C runtime's rules: quotes group,
// a backslash before a quote makes it a literal one, two before it make one backslash and
// a quote that groups. The first line of stderr shows where an argument ended.
TEST_F(CliSetTest, ArgumentsAreSplitByTheCRuntimeRules)
{
    struct Case {
        std::wstring arguments;
        const char* why;
        DWORD exitCode;
        std::string firstLine;  // of stdout on success, else of stderr
    };
    const char kNoSuchLauncher[] = "No listed runtime has the launcher ";
    const Case cases[] = {
        {L"\"set\" \"1\"", "quoted command and index", 0,
         "Set 1: Sun Java Runtime Environment (1.3.1)"},
        {L"set \"C:\\jt\\cli\\j131\\bin\\jr\"ew.exe", "a quote inside an argument", 0,
         "Set 1: Sun Java Runtime Environment (1.3.1)"},
        {L"set C:\\jt\\cli\\j131\\bin\\jrew.exe\\\"", "backslash, then a quote", 2,
         std::string(kNoSuchLauncher) + kJ131 + "\"."},
        {L"set \"C:\\jt\\cli\\j131\\bin\\jrew.exe\\\\\"", "two backslashes, then a quote",
         2, std::string(kNoSuchLauncher) + kJ131 + "\\."},
        {L"set \"C:\\jt\\cli\\j131\\bin\\jrew.exe\" 1", "a quoted path, then another argument",
         2, "JreSelectCli: too many arguments"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const std::string before = ClearAndSeed(SeedFiveRuntimes);

        const CliRun run = RunCliWide(c.arguments);
        EXPECT_EQ(c.exitCode, run.exitCode);
        const std::string& shown = c.exitCode == 0 ? run.out : run.err;
        EXPECT_EQ(c.firstLine, shown.substr(0, shown.find('\n')));
        if (c.exitCode != 0) {
            EXPECT_EQ(before, DumpKeyTree(kTestVelmorKey));
        }
    }
}

// Wine enforces a key's access list: with writing denied, the "starter" write is refused, so
// "classes" is not written either.
TEST_F(CliSetTest, RefusedWriteEndsWithExitCode3)
{
    SeedFiveRuntimes();
    ASSERT_TRUE(DenyValueWrites(kTestProductKey));
    const std::string before = DumpKeyTree(kTestVelmorKey);

    const CliRun run = RunCli("set 2");
    EXPECT_EQ(3u, run.exitCode);
    EXPECT_EQ("", run.out);
    EXPECT_EQ("Unable to apply changes!\n", run.err);
    EXPECT_EQ(before, DumpKeyTree(kTestVelmorKey));
    // The same state still lists: reading needs no write access.
    EXPECT_EQ(0u, RunCli("list").exitCode);
}

// The bundled runtime is there, so only the settings are missing.
TEST_F(CliSetTest, UnreadableSettingsEndWithExitCode1)
{
    const char* const commands[] = {"list", "explain", "set 0", "set C:\\x\\javaw.exe"};
    for (const ProductKeyState& state : kUnreadableProductKeys) {
        for (const char* command : commands) {
            SCOPED_TRACE(std::string(state.name) + ", " + command);
            const std::string before = ClearAndSeed(state.seed);
            MakeLauncher(kBundledLauncher);

            const CliRun run = RunCli(command);
            EXPECT_EQ(1u, run.exitCode);
            EXPECT_EQ("", run.out);
            EXPECT_EQ("Cannot locate Quillfern software!\n", run.err);
            EXPECT_EQ(before, DumpKeyTree(kTestVelmorKey));
        }
    }
}

TEST_F(CliSetTest, VersionComesFromTheVersionResource)
{
    char version[260];
    memset(version, 0xbd, sizeof(version));
    const std::string exe = std::string(JRESELECT_BIN_DIR_W) + "\\JreSelectCli.exe";
    ASSERT_TRUE(GetFileVersionString(version, exe.c_str()));
    EXPECT_STREQ("1.0.0.2", version);

    const CliRun run = RunCli("--version");
    EXPECT_EQ(0u, run.exitCode);
    EXPECT_EQ(std::string("JreSelectCli ") + version + "\n", run.out);
}

TEST_F(CliSetTest, HelpGoesToStdoutAndNamesTheExitCodes)
{
    const CliRun run = RunCli("--help");
    EXPECT_EQ(0u, run.exitCode);
    EXPECT_EQ("", run.err);
    for (const char* line : {"Exit codes:", "  0  success",
                             "  1  Quillfern's settings cannot be read (\"Cannot locate "
                             "Quillfern software!\")",
                             "  3  a registry write failed (\"Unable to apply changes!\")"}) {
        EXPECT_NE(std::string::npos, run.out.find(std::string(line) + "\n")) << line;
    }
    // Without a command the same text goes to stderr, with the error.
    const CliRun bare = RunCli("");
    EXPECT_EQ(2u, bare.exitCode);
    EXPECT_NE(std::string::npos, bare.err.find("Exit codes:"));
}

}  // namespace
