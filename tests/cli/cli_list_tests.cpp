// "list": the entries, order and mark of the dialog's list box, in the same states.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "support/machine_test.h"

namespace {

class CliListTest : public MachineTest {};

const std::string kRoot = "C:\\jt\\cli";
const std::string kBundledDir = kRoot + "\\q\\jre\\bin";
const std::string kJ8 = kRoot + "\\j8";

// Every source, a duplicate registration, a jrew-only runtime and two that are left out;
// subkeys made out of order, so that the list shows the registry's enumeration order.
void SeedEverySource(const std::string& starter)
{
    SeedProduct(kRoot + "\\q", starter);
    MakeLauncher(kBundledDir + "\\javaw.exe");
    MakeLauncher(kBundledDir + "\\jrew.exe");
    SeedRuntime("1.8.0_401", kJ8);
    SeedRuntime("1.6.0", kRoot + "\\j16");
    SeedRuntime("1.3.1", kRoot + "\\j131\\");
    SeedRuntime("1.8", kJ8);
    CreateJavaSoftSubkey("1.4.2");
    MakeLauncher(kJ8 + "\\bin\\javaw.exe");
    MakeLauncher(kRoot + "\\j131\\bin\\jrew.exe");
    SeedMicrosoftVm("wjview_5_0_0_381");
}

struct ListCase {
    const char* name;
    void (*seed)();
    std::vector<ListedRuntime> expected;
};

const ListCase kListCases[] = {
    {"every source, starter differing in case only",
     [] { SeedEverySource("c:\\JT\\CLI\\J8\\BIN\\JAVAW.EXE"); },
     {{false, 0, "Bundled Java Runtime Environment", kBundledDir + "\\javaw.exe"},
      {false, 1, "Sun Java Runtime Environment (1.3.1)", kRoot + "\\j131\\bin\\jrew.exe"},
      {true, 2, "Sun Java Runtime Environment (1.8)", kJ8 + "\\bin\\javaw.exe"},
      {false, 3, "Sun Java Runtime Environment (1.8.0_401)", kJ8 + "\\bin\\javaw.exe"},
      {false, 4, "Microsoft Java Runtime Environment (5.0.0.381)", kWindowsWjview}}},
    {"nothing found", [] { SeedProduct(kRoot + "\\none", kRoot + "\\none\\jre\\bin\\javaw.exe"); },
     {}},
    {"home with a trailing backslash, starter with a doubled one",
     [] {
         SeedProduct(kRoot + "\\q\\", kRoot + "\\q\\jre\\\\bin\\javaw.exe");
         MakeLauncher(kBundledDir + "\\javaw.exe");
     },
     {{false, 0, "Bundled Java Runtime Environment", kBundledDir + "\\javaw.exe"}}},
    {"starter longer than 259 characters",
     [] {
         SeedProduct(kRoot + "\\q", kBundledDir + "\\javaw.exe" + std::string(300, 'x'));
         MakeLauncher(kBundledDir + "\\javaw.exe");
     },
     {{false, 0, "Bundled Java Runtime Environment", kBundledDir + "\\javaw.exe"}}},
    {"letters outside A-Z are not folded",
     [] {
         // "\xe4" and "\xc4" are one letter in two cases in code page 1252.
         SeedProduct(kRoot + "\\q", kRoot + "\\j\xc4\\bin\\javaw.exe");
         SeedRuntime("1.7", kRoot + "\\j\xe4");
         MakeLauncher(kRoot + "\\j\xe4\\bin\\javaw.exe");
     },
     {{false, 0, "Sun Java Runtime Environment (1.7)", kRoot + "\\j\xe4\\bin\\javaw.exe"}}},
    {"Microsoft VM from the system directory",
     [] {
         SeedProduct(kRoot + "\\q", "C:\\WINDOWS\\SYSTEM32\\WJVIEW.EXE");
         SeedMicrosoftVm("wjview_unversioned");
         SeedWjview("wjview_10_0_0_0", kSystemDir);
     },
     {{true, 0, "Microsoft Java Runtime Environment (10.0.0.0)", kSystemWjview}}},
};

TEST_F(CliListTest, ListsWhatTheDialogsListBoxHolds)
{
    for (const ListCase& c : kListCases) {
        SCOPED_TRACE(c.name);
        const std::vector<ListedRuntime> printed =
            ParseListOutput(RunReadingCommand("list", c.seed));
        const std::vector<ListedRuntime> inProcess = ListInProcess();
        EXPECT_EQ(Describe(inProcess), Describe(printed)) << "CLI against in-process list box";
        EXPECT_EQ(Describe(c.expected), Describe(printed));
    }
}

// Thousands of registrations: every one is listed, in order, and nothing is lost in a pipe.
TEST_F(CliListTest, ListsThousandsOfRegisteredRuntimes)
{
    const int kCount = 2000;
    SeedProduct(kRoot + "\\q", kJ8 + "\\bin\\javaw.exe");
    MakeLauncher(kJ8 + "\\bin\\javaw.exe");
    for (int i = 0; i < kCount; ++i) {
        char name[16];
        wsprintfA(name, "1.%04d", i);
        SeedRuntime(name, kJ8);
    }
    const CliRun run = RunCli("list");
    EXPECT_EQ(0u, run.exitCode);
    const std::vector<ListedRuntime> printed = ParseListOutput(run.out);
    ASSERT_EQ(static_cast<size_t>(kCount), printed.size());
    EXPECT_EQ(Describe(ListInProcess()), Describe(printed));
    EXPECT_TRUE(printed[0].current);
    EXPECT_EQ("Sun Java Runtime Environment (1.1999)", printed[kCount - 1].text);
}

}  // namespace

namespace {

// Where stdout goes: Wine's /dev/full (every write fails: no space left), no handle at all,
// or NUL, a character device that takes everything.
enum OutputTarget { kFullDevice, kNoHandle, kNulDevice };

CliRun RunWithOutputTo(const std::string& arguments, OutputTarget target)
{
    if (target == kNoHandle)
        return RunCliWithOutput(arguments, nullptr);
    const char* const device = target == kFullDevice ? "Z:\\dev\\full" : "NUL";
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    const HANDLE output = CreateFileA(device, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      &inherit, OPEN_EXISTING, 0, nullptr);
    if (output == INVALID_HANDLE_VALUE) {
        ADD_FAILURE() << "cannot open " << device << ": " << GetLastError();
        return {};
    }
    const CliRun run = RunCliWithOutput(arguments, output);
    CloseHandle(output);
    return run;
}

struct BrokenOutputCase {
    const char* name;
    const char* arguments;
    OutputTarget target;
    DWORD exitCode;
    bool writes;  // "starter" and "classes" are written all the same
};

const BrokenOutputCase kBrokenOutputCases[] = {
    {"list to a full device", "list", kFullDevice, 5, false},
    {"list --json to a full device", "list --json", kFullDevice, 5, false},
    {"explain to a full device", "explain", kFullDevice, 5, false},
    {"--help to a full device", "--help", kFullDevice, 5, false},
    {"list with no stdout at all", "list --all", kNoHandle, 5, false},
    {"set: the values are written, the report is not", "set 0", kFullDevice, 5, true},
    {"a failed command keeps its own code", "set 9", kFullDevice, 2, false},
    // NUL is a character device, as a console is; it takes the output, which is not lost.
    {"explain to NUL", "explain", kNulDevice, 0, false},
    {"set to NUL", "set 0", kNulDevice, 0, true},
};

}  // namespace

// A script that reads stdout must never take a lost output for the whole: a command whose
// output could not be written does not end with 0, and says so on stderr.
TEST_F(CliListTest, OutputThatCannotBeWrittenIsAnError)
{
    for (const BrokenOutputCase& c : kBrokenOutputCases) {
        SCOPED_TRACE(c.name);
        ClearMachine();
        SeedProduct(kRoot + "\\q", kRoot + "\\q\\jre\\bin\\jrew.exe");
        MakeLauncher(kBundledDir + "\\javaw.exe");
        const std::map<std::string, std::string> before = ProductValues();
        const CliRun run = RunWithOutputTo(c.arguments, c.target);
        EXPECT_EQ(c.exitCode, run.exitCode) << run.err;
        if (c.exitCode == 5) {
            EXPECT_EQ("The output could not be written.\n", run.err);
        }
        if (c.writes) {
            // REG_SZ, with its terminating NUL.
            EXPECT_EQ("(1)" + kBundledDir + "\\javaw.exe" + '\0', ProductValues()["starter"]);
        } else {
            EXPECT_EQ(before, ProductValues());
        }
    }
}
