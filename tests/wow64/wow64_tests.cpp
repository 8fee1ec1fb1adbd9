// The 32-bit programs as 64-bit Windows runs them (WOW64): they must see the registry's
// 32-bit view and SysWOW64 as their system directory, and leave the 64-bit view alone.
// This test program is itself a 32-bit process, so its own view is the 32-bit one; the
// 64-bit view and the real System32 are named explicitly.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "e2e/session.h"
#include "support/machine.h"
#include "support/wow64_machine.h"

namespace {

void ClearBothViews()
{
    ClearMachine();
    ResetProgramKeys(kView64);
}

class Wow64Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        BOOL wow64 = FALSE;
        ASSERT_TRUE(IsWow64Process(GetCurrentProcess(), &wow64));
        ASSERT_TRUE(wow64) << "a 32-bit process in a 64-bit prefix was expected";
        ClearBothViews();
    }
    void TearDown() override { ClearBothViews(); }
};

// The 64-bit view holds a complete installation of its own: product, runtimes, the
// Microsoft VM's key. None of it may show through.
void SeedView64Decoys()
{
    SeedProduct(kProductHome, kJre160Starter, "old.jar", kView64);
    SeedRuntime("1.6.0", kJre160Home, REG_SZ, kView64);
    CreateKey(kTestMicrosoftVmKey, kView64);
    MakeLauncher(kJre160Starter);
}

TEST_F(Wow64Test, ProductKeyOnlyInThe64BitViewIsNotFound)
{
    RunRefusedStart("product key in the 64-bit view only",
                    [] {
                        SeedView64Decoys();
                        MakeLauncher(kBundledLauncher);
                    },
                    {kCannotLocateText});
}

TEST_F(Wow64Test, DialogListsAndWritesThe32BitViewOnly)
{
    const SessionCase cases[] = {
        {"runtimes in both views: the 32-bit view's are listed, OK writes there",
         [] {
             SeedView64Decoys();
             SeedProduct(kProductHome, kBundledLauncher, "old.jar", kView32);
             MakeLauncher(kBundledLauncher);
             MakeLauncher(kJre142Starter);
             SeedRuntime("1.4.2", kJre142Home, REG_SZ, kView32);
             // wjview.exe is there, but the VM's key is in the 64-bit view only.
             SeedWjview("wjview_5_0_0_381", kNativeSystemDir);
         },
         {kBundledItem, kJre142Item}, 0, 1, kEndOk, nullptr, kJre142Starter},
        {"wjview.exe in SysWOW64 is found under the path the program asked for",
         [] {
             SeedView64Decoys();
             SeedProduct(kProductHome, kSystemWjview, "old.jar", kView32);
             SeedMicrosoftVm("wjview_5_0_0_381", kSysWow64Dir, kView32);
         },
         {kMicrosoftItem}, 0, -1, kEndOk, nullptr, kSystemWjview},
        {"wjview.exe only in the 64-bit System32 is not found",
         [] {
             SeedView64Decoys();
             SeedProduct(kProductHome, kSystemWjview, "old.jar", kView32);
             SeedMicrosoftVm("wjview_5_0_0_381", kNativeSystemDir, kView32);
         },
         {}, -1, -1, kEndCancel, nullptr, nullptr},
    };
    for (const SessionCase& c : cases) {
        SCOPED_TRACE(c.name);
        ClearBothViews();
        c.seed();
        const std::string view64 = DumpView64();
        // RunSession clears the test's own view, the 32-bit one, and seeds it again.
        RunSession(c);
        EXPECT_EQ(view64, DumpView64()) << "the 64-bit view changed";
    }
}

TEST_F(Wow64Test, ConsoleListsAndSetsThe32BitViewOnly)
{
    SeedView64Decoys();
    SeedProduct(kProductHome, kBundledLauncher, "old.jar", kView32);
    MakeLauncher(kBundledLauncher);
    MakeLauncher(kJre142Starter);
    SeedRuntime("1.4.2", kJre142Home, REG_SZ, kView32);
    const std::string view64 = DumpView64();

    const CliRun listed = RunCli("list");
    EXPECT_EQ(0u, listed.exitCode) << listed.err;
    const std::vector<ListedRuntime> expected = {{true, 0, kBundledItem, kBundledLauncher},
                                                 {false, 1, kJre142Item, kJre142Starter}};
    EXPECT_EQ(Describe(expected), Describe(ParseListOutput(listed.out)));

    const CliRun set = RunCli("set 1");
    EXPECT_EQ(0u, set.exitCode) << set.err;
    EXPECT_EQ(std::string(kJre142Starter) + '\0', ReadValueBytes(kTestProductKey, "starter", kView32));
    EXPECT_EQ(std::string("start.jar") + '\0', ReadValueBytes(kTestProductKey, "classes", kView32));
    EXPECT_EQ(view64, DumpView64()) << "the 64-bit view changed";
}

}  // namespace
