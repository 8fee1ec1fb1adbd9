// --json: list, list --all, explain and set against their text forms on the same machine
// state, and the errors that end with an exit code. Each document is kept for the Python
// check (json_twin.h), which parses it and compares it field by field with the text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "cli/json_twin.h"
#include "cli/not_offered_support.h"
#include "support/machine_test.h"

namespace {

class CliJsonTest : public MachineTest {
protected:
    void TearDown() override
    {
        ClearNotOffered();
        MachineTest::TearDown();
    }
};

const std::string kRoot = "C:\\jt\\cli";
const std::string kHome = kRoot + "\\q";
const std::string kBundled = kHome + "\\jre\\bin\\javaw.exe";
const std::string kJ8 = kRoot + "\\j8";

// Every source, a runtime registered twice, one under jrew.exe only, and one of each reason
// for leaving a subkey out.
void SeedEveryOutcome(const std::string& starter)
{
    SeedProduct(kHome, starter);
    MakeLauncher(kBundled);
    SeedRuntime("1.8.0_401", kJ8);
    SeedRuntime("1.8", kJ8);
    SeedRuntime("1.3.1", kRoot + "\\j131\\");
    MakeLauncher(kJ8 + "\\bin\\javaw.exe");
    MakeLauncher(kRoot + "\\j131\\bin\\jrew.exe");
    CreateJavaSoftSubkey("1.4.2");
    SeedRuntime("1.6.0", kRoot + "\\j16");
    SeedRuntime("1.5", "%SystemDrive%\\jt\\cli\\j15", REG_EXPAND_SZ);
    SeedRuntime("1.7", "jre7");
    SeedRuntime("1.2", kRoot + "\\" + std::string(280, 'x'));
    SeedRuntime("1.1", "C:\\" + std::string(253, 'y'));
    SeedMicrosoftVm("wjview_5_0_0_381");
}

// Runtimes that the list does not offer, under JavaSoft\JRE and JavaSoft\JDK: one with a
// launcher, one without "JavaHome", one without a launcher, one whose launcher is listed.
void SeedNotOffered()
{
    SeedRuntimeUnder(kTestJre9Key, "11", kRoot + "\\jre11");
    MakeLauncher(kRoot + "\\jre11\\bin\\javaw.exe");
    CreateKey((std::string(kTestJdkKey) + "\\17").c_str());
    SeedRuntimeUnder(kTestJdkKey, "21", kRoot + "\\jdk21");
    SeedRuntimeUnder(kTestJdkKey, "1.8", kJ8);
}

struct JsonCase {
    const char* name;
    void (*seed)();
};

const JsonCase kCases[] = {
    {"every outcome, current found by a path in other case",
     [] {
         SeedEveryOutcome("C:\\JT\\CLI\\J8\\BIN\\JAVAW.EXE");
         SeedNotOffered();
     }},
    {"nothing found, no current", [] { SeedProduct(kRoot + "\\none", kRoot + "\\none\\x.exe"); }},
    {"home and starter longer than 259 characters",
     [] { SeedProduct(kRoot + "\\" + std::string(290, 'h'), std::string(300, 's')); }},
    {"Microsoft VM older than 5.0.0.0, JavaSoft key without subkeys",
     [] {
         SeedProduct(kHome, kBundled);
         MakeLauncher(kBundled);
         CreateKey(kTestJavaSoftKey);
         SeedMicrosoftVm("wjview_4_79_0_0");
     }},
    {"texts of code page 1252: a user's folder, quotes",
     [] {
         const std::string home = kRoot + "\\J\xfcrgen \xe9";
         SeedProduct(home, home + "\\jre\\bin\\javaw.exe");
         MakeLauncher(home + "\\jre\\bin\\javaw.exe");
         SeedRuntimeUnder(kTestJdkKey, "17 \"q\" \xab\xbb", kRoot + "\\J\xfcrgen\\jdk17");
         MakeLauncher(kRoot + "\\J\xfcrgen\\jdk17\\bin\\javaw.exe");
     }},
};

TEST_F(CliJsonTest, ReadingCommandsCarryTheFactsOfTheirTextForms)
{
    for (const JsonCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const std::string before = ClearAndSeed(c.seed);
        for (const char* command : {"list", "list --all", "explain", "LIST --ALL", "Explain"}) {
            SCOPED_TRACE(command);
            const CliRun text = RunCli(command);
            EXPECT_EQ(0u, text.exitCode);
            ExpectJsonTwin(command, text);
        }
        EXPECT_EQ(before, DumpKeyTree(kTestVelmorKey)) << "nothing written";
    }
}

// --json may stand before or after the command's other argument.
TEST_F(CliJsonTest, JsonStandsAnywhereAfterTheCommand)
{
    ClearAndSeed([] { SeedEveryOutcome(kBundled); });
    const std::string json = RunCli("list --all --json").out;
    EXPECT_EQ(json, RunCli("list --json --all").out);
    EXPECT_NE(std::string::npos, json.find("\"homes\": ")) << json;
}

TEST_F(CliJsonTest, SetWritesWhatTheTextFormWritesAndSaysSo)
{
    for (const char* argument : {"3", "c:\\jt\\cli\\J131\\bin\\JREW.EXE", "0"}) {
        SCOPED_TRACE(argument);
        ClearAndSeed([] { SeedEveryOutcome(kRoot + "\\old\\javaw.exe"); });
        const CliRun text = RunCli(std::string("set ") + argument);
        ASSERT_EQ(0u, text.exitCode) << text.err;
        const std::string written = DumpKeyTree(kTestVelmorKey);

        ClearAndSeed([] { SeedEveryOutcome(kRoot + "\\old\\javaw.exe"); });
        ExpectJsonTwin(std::string("set ") + argument, text);
        EXPECT_EQ(written, DumpKeyTree(kTestVelmorKey)) << "the same values written";
    }
}

// Every error that ends with an exit code: the same code and stderr as the text form, and a
// JSON object with the code on stdout; nothing written.
TEST_F(CliJsonTest, ErrorsPutTheirCodeOnStdout)
{
    struct Case {
        const char* name;
        void (*seed)();
        const char* command;
        DWORD code;
    };
    const Case cases[] = {
        {"list, no product key", [] {}, "list", 1},
        {"explain, starter missing",
         [] { SetText(kTestProductKey, "home", kHome); }, "explain", 1},
        {"set, no product key", [] {}, "set 0", 1},
        {"set, index out of range", [] { SeedEveryOutcome(kBundled); }, "set 7", 2},
        {"set, index beyond int", [] { SeedEveryOutcome(kBundled); }, "set 99999999999", 2},
        {"set, no runtime with the path", [] { SeedEveryOutcome(kBundled); },
         "set C:\\jt\\cli\\none\\javaw.exe", 2},
        {"set, path of code page 1252", [] { SeedEveryOutcome(kBundled); },
         "set C:\\J\xfcrgen\\javaw.exe", 2},
        {"set, refused write",
         [] {
             SeedEveryOutcome(kBundled);
             DenyValueWrites(kTestProductKey);
         },
         "set 1", 3},
        {"no command", [] {}, "", 2},
        {"unknown command", [] {}, "frobnicate", 2},
        {"list with an argument", [] {}, "list extra", 2},
        {"set without an argument", [] {}, "set", 2},
        {"explain with an argument", [] {}, "explain --all", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string before = ClearAndSeed(c.seed);
        const CliRun text = RunCli(c.command);
        EXPECT_EQ(c.code, text.exitCode);
        EXPECT_EQ("", text.out);
        const std::string json = ExpectJsonTwin(c.command, text);
        EXPECT_NE(std::string::npos, json.find("\"code\": " + std::to_string(c.code)))
            << json;
        EXPECT_EQ(before, DumpKeyTree(kTestVelmorKey)) << "nothing written";
        UndoValueWriteDenials();
    }
}

// --json goes with the three commands only: with --help or --version it is a bad command
// line, told in JSON too.
TEST_F(CliJsonTest, JsonWithOtherCommandsIsABadCommandLine)
{
    for (const char* command : {"--version --json", "--help --json", "--json"}) {
        SCOPED_TRACE(command);
        const CliRun run = RunCli(command);
        EXPECT_EQ(2u, run.exitCode);
        EXPECT_TRUE(IsPlainAscii(run.out));
        EXPECT_NE(std::string::npos, run.out.find("\"code\": 2")) << run.out;
        EXPECT_NE(std::string::npos, run.err.find("Usage: JreSelectCli")) << run.err;
        KeepForJsonCheck(run.out, &run);
    }
}

// A "JavaHome" of 20,000 characters of every byte value from the space up: one document,
// plain ASCII, the value whole (the Python check compares it with the text form).
TEST_F(CliJsonTest, HugeAndBinaryValuesStayWholeAndAscii)
{
    ClearAndSeed([] {
        SeedProduct(kHome, kBundled);
        std::string huge;
        for (int i = 0; i < 20000; ++i)
            huge += static_cast<char>(0x20 + i % 224);
        SeedRuntime("1.8", huge);
    });
    const CliRun text = RunCli("explain");
    EXPECT_EQ(0u, text.exitCode);
    const std::string json = ExpectJsonTwin("explain", text);
    EXPECT_GT(json.size(), 20000u);
}

}  // namespace
