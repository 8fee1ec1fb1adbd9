// The shipped 32-bit programs, unpacked from the release zip, run under WOW64 on a host whose
// kernel runs no i386 code: Wine's 32-bit loader is emulated, about a minute per process, so
// each case starts one program and checks every fact that run can show. This test program is
// 64-bit and runs natively: it seeds both registry views, SysWOW64 and the 64-bit System32,
// and operates the dialog from outside.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "driver/driver.h"
#include "e2e/session.h"
#include "support/machine.h"
#include "support/wow64_machine.h"
#include "support/planted_dlls.h"

namespace {

// The release zip's programs, unpacked, and the 32-bit build's fixtures.
const std::string kUnpacked = JRESELECT_UNPACKED_W;
const std::string kShippedFixtures = JRESELECT_SHIPPED_FIXTURES_W;

// An emulated start-up takes a minute on an idle 2-core machine; several at once, longer.
const DWORD kEmulatedWaitMs = 600000;

std::string DumpView32(const char* key)
{
    return DumpKeyTree(key, kView32);
}

// The machine of every case. The 32-bit view: the product with its bundled runtime, 1.4.2,
// the Microsoft VM's key. wjview.exe 5.0.0.381 in SysWOW64, which a 32-bit program's
// GetSystemDirectoryA names; 4.79, too old to list, in the 64-bit System32. The 64-bit view:
// a product key of its own and 1.6.0, with its launcher on disk, which the 32-bit programs
// must not list. The planted folder: both programs from the zip beside a planted
// uxtheme.dll and version.dll of the 32-bit build, and the control program.
void SeedWow64Machine()
{
    ClearMachine();
    ResetProgramKeys(kView32);
    ResetProgramKeys(kView64);
    SeedProduct(kProductHome, kBundledLauncher, "old.jar", kView32);
    MakeLauncher(kBundledLauncher);
    MakeLauncher(kJre142Starter);
    SeedRuntime("1.4.2", kJre142Home, REG_SZ, kView32);
    SeedMicrosoftVm("wjview_5_0_0_381", kSysWow64Dir, kView32);
    SeedWjview("wjview_4_79_0_0", kNativeSystemDir);
    SeedProduct(kProductHome, kJre160Starter, "other.jar", kView64);
    SeedRuntime("1.6.0", kJre160Home, REG_SZ, kView64);
    MakeLauncher(kJre160Starter);
    EXPECT_TRUE(MakePlantedFolder({kUnpacked + "\\JreSelect.exe", kUnpacked + "\\JreSelectCli.exe",
                                   kShippedFixtures + "\\plain_importer.exe"},
                                  kShippedFixtures))
        << "copying the unpacked programs and the 32-bit planted DLLs into " << kPlantedFolder;
}

std::string Lower(std::string text)
{
    CharLowerBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

class Wow64EmulatedTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(8u, sizeof(void*)) << "the seeding process is the 64-bit one";
        SeedWow64Machine();
        view64_ = DumpView64();
    }
    void TearDown() override
    {
        EXPECT_EQ(view64_, DumpView64()) << "the 64-bit view changed";
        ClearMachine();
        ResetProgramKeys(kView32);
        ResetProgramKeys(kView64);
        RemoveWjviews();
    }
    std::string view64_;
};

// Redirection of the registry and of the system directory, OK's two writes, and no planted
// DLL: one dialog, started from the planted folder.
TEST_F(Wow64EmulatedTest, DialogListsThe32BitViewAndSysWow64AndWritesThere)
{
    const std::string javaSoft = DumpView32(kTestJavaSoftKey);
    const std::string vm = DumpView32(kTestMicrosoftVmKey);
    const std::string program = PlantedCopy("JreSelect.exe");
    ProgramRun run;
    ASSERT_TRUE(run.Start(program.c_str())) << program;
    const Seen opened = WaitFor(kWatchDialog | kWatchMessage, run.pid(), run.process(),
                                kEmulatedWaitMs);
    ASSERT_EQ(kSeenDialog, opened.kind) << "the dialog did not open";
    ListState list = {-2, -2, {}};
    ASSERT_TRUE(ReadRuntimeList(opened.window, &list));
    // No 1.6.0 (64-bit view only); the VM's version read from SysWOW64 by version.dll's
    // system copy (the planted one answers nothing, and 4.79 would leave the VM out).
    EXPECT_EQ((std::vector<std::string>{kBundledItem, kJre142Item, kMicrosoftItem}), list.items);
    EXPECT_EQ(0, list.selection);
    ASSERT_TRUE(SelectRuntime(opened.window, 1));
    ASSERT_TRUE(PressButton(opened.window, IDOK));
    const Seen next = WaitFor(kWatchMessage, run.pid(), run.process(), kEmulatedWaitMs);
    EXPECT_EQ(kSeenExit, next.kind) << "after OK";
    DWORD exitCode = 0xbdbdbdbd;
    ASSERT_TRUE(run.Finish(kEmulatedWaitMs, &exitCode));
    EXPECT_EQ(0u, exitCode);
    EXPECT_EQ(std::string(kJre142Starter) + '\0', ReadValueBytes(kTestProductKey, "starter", kView32));
    EXPECT_EQ(std::string("start.jar") + '\0', ReadValueBytes(kTestProductKey, "classes", kView32));
    EXPECT_EQ(javaSoft, DumpView32(kTestJavaSoftKey));
    EXPECT_EQ(vm, DumpView32(kTestMicrosoftVmKey));
    EXPECT_EQ("", PlantedLoads("uxtheme"));
}

// explain names the 64-bit view's runtime with its view, and finds wjview.exe under the path
// the program asked for (system32, which WOW64 redirects to SysWOW64).
TEST_F(Wow64EmulatedTest, ExplainNamesThe64BitViewsRuntime)
{
    const CliRun run = RunCli("explain", PlantedCopy("JreSelectCli.exe"), kEmulatedWaitMs);
    EXPECT_EQ(0u, run.exitCode) << run.err;
    EXPECT_EQ("", run.err);
    ExpectLinesInOrder(run.out,
                       {"Microsoft virtual machine, key SOFTWARE\\Microsoft\\Java VM:",
                        "On this machine but not offered:",
                        "  C:\\jt\\jre160: registered for 64-bit programs only",
                        "      launcher C:\\jt\\jre160\\bin\\javaw.exe",
                        "      named by JavaSoft, HKLM\\SOFTWARE\\JavaSoft\\Java Runtime "
                        "Environment\\1.6.0 \"JavaHome\" (64-bit view)"});
    EXPECT_NE(std::string::npos, run.out.find("C:\\windows\\system32\\wjview.exe")) << run.out;
    EXPECT_EQ("", PlantedLoads("uxtheme"));
}

TEST_F(Wow64EmulatedTest, ListAllJsonNamesThe64BitViewsRuntime)
{
    const CliRun run = RunCli("list --all --json", PlantedCopy("JreSelectCli.exe"), kEmulatedWaitMs);
    EXPECT_EQ(0u, run.exitCode) << run.err;
    const std::string& out = run.out;
    const size_t homes = out.find("\"homes\": [");
    ASSERT_NE(std::string::npos, homes) << out;
    size_t at = homes;
    for (const char* wanted : {"\"home\": \"C:\\\\jt\\\\jre160\"", "\"reason\": \"other_view\"",
                               "\"javaw\": \"C:\\\\jt\\\\jre160\\\\bin\\\\javaw.exe\"",
                               "\"kind\": \"list_key_other_view\"", "\"view\": \"64-bit\"",
                               "\"where\": \"SOFTWARE\\\\JavaSoft\\\\Java Runtime Environment\\\\1.6.0\""}) {
        SCOPED_TRACE(wanted);
        at = out.find(wanted, at);
        ASSERT_NE(std::string::npos, at) << out;
    }
    // Offered: the three of the 32-bit view and system directory, 1.6.0 not among them.
    const std::string offered = out.substr(0, homes);
    EXPECT_NE(std::string::npos, offered.find(kMicrosoftItem)) << out;
    EXPECT_EQ(std::string::npos, offered.find("1.6.0")) << out;
}

TEST_F(Wow64EmulatedTest, SetWritesThe32BitView)
{
    const CliRun run = RunCli("set 2", kUnpacked + "\\JreSelectCli.exe", kEmulatedWaitMs);
    EXPECT_EQ(0u, run.exitCode) << run.err;
    EXPECT_EQ(std::string(kSystemWjview) + '\0', ReadValueBytes(kTestProductKey, "starter", kView32));
    EXPECT_EQ(std::string("start.jar") + '\0', ReadValueBytes(kTestProductKey, "classes", kView32));
}

// The set-up can show the fault: a 32-bit program that loads DLLs the plain way, in the same
// folder and session, gets both planted copies.
TEST_F(Wow64EmulatedTest, ControlProgramLoadsBothPlantedDlls)
{
    const std::string program = PlantedCopy("plain_importer.exe");
    const CliRun run = RunCli("", program, kEmulatedWaitMs);
    EXPECT_EQ(0u, run.exitCode);
    for (const char* dll : {"uxtheme", "version"}) {
        SCOPED_TRACE(dll);
        EXPECT_NE(std::string::npos, Lower(PlantedLoads(dll)).find(Lower(program)))
            << "loaded by: [" << PlantedLoads(dll) << "]";
    }
}

}  // namespace
