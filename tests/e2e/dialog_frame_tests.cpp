// The dialog frame end to end: start-up without the product's settings, the empty dialog
// and each way of ending it, and a picture of the dialog for the README.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver/driver.h"
#include "e2e/session.h"
#include "support/machine_test.h"

namespace {

class DialogFrameTest : public MachineTest {};

// A machine where the product would otherwise find every kind of runtime.
void AddEveryRuntime()
{
    MakeLauncher(kBundledLauncher);
    MakeLauncher("C:\\jt\\jre142\\bin\\javaw.exe");
    SeedRuntime("1.4.2", "C:\\jt\\jre142");
    SeedMicrosoftVm("wjview_5_0_0_381");
}

TEST_F(DialogFrameTest, WithoutSettingsOnlyTheMessageShowsAndNothingChanges)
{
    for (const ProductKeyState& state : kUnreadableProductKeys)
        RunRefusedStart(state.name, state.seed, {kCannotLocateText});
    // The same with runtimes that would otherwise be listed.
    const ProductKeyState withRuntimes[] = {
        {"no product key, runtimes installed", AddEveryRuntime},
        {"key without starter, runtimes installed",
         [] {
             SetText(kTestProductKey, "home", kProductHome);
             AddEveryRuntime();
         }},
    };
    for (const ProductKeyState& state : withRuntimes)
        RunRefusedStart(state.name, state.seed, {kCannotLocateText});
}

// A dialog template without list box 1000 (a test build of the program): "Unable to
// initialize UI!" ends the dialog before it is shown, after "Cannot locate Quillfern
// software!" when the settings are missing too. Nothing is written, and the exit code is 0.
TEST_F(DialogFrameTest, WithoutTheListBoxTheMessagesShowInOrderAndNothingChanges)
{
    struct Case {
        const char* name;
        void (*seed)();
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"settings readable: the UI message alone",
         [] {
             SeedProduct(kProductHome, kBundledLauncher);
             AddEveryRuntime();
         },
         {kInitUiFailedText}},
        {"no product key: both messages, the settings one first", [] { AddEveryRuntime(); },
         {kCannotLocateText, kInitUiFailedText}},
    };
    for (const Case& c : cases)
        RunRefusedStart(c.name, c.seed, c.messages, kProgramWithoutListPath);
}

void SeedProductWithoutRuntimes()
{
    SeedProduct(kProductHome, kBundledLauncher, "old.jar");
}

TEST_F(DialogFrameTest, EmptyDialogEndsEveryWayWithoutWriting)
{
    const SessionCase cases[] = {
        {"OK", SeedProductWithoutRuntimes, {}, -1, -1, kEndOk, kApplyFailedText, nullptr},
        {"Cancel", SeedProductWithoutRuntimes, {}, -1, -1, kEndCancel, nullptr, nullptr},
        {"Escape", SeedProductWithoutRuntimes, {}, -1, -1, kEndEscape, nullptr, nullptr},
        {"close box", SeedProductWithoutRuntimes, {}, -1, -1, kEndCloseBox, nullptr, nullptr},
    };
    for (const SessionCase& c : cases)
        RunSession(c);
}

// The picture for the README: the dialog with all three kinds of runtime listed.
TEST_F(DialogFrameTest, SavesScreenshotOfFilledDialog)
{
    SeedProduct(kProductHome, "C:\\jt\\jre142\\bin\\javaw.exe");
    AddEveryRuntime();
    MakeLauncher("C:\\jt\\jre131\\bin\\jrew.exe");
    SeedRuntime("1.3.1_04", "C:\\jt\\jre131");

    ProgramRun run;
    ASSERT_TRUE(run.Start());
    const Seen seen = WaitFor(kWatchDialog | kWatchMessage, run.pid(), run.process(), kWaitMs);
    ASSERT_EQ(kSeenDialog, seen.kind);
    ListState list = {-2, -2, {}};
    ASSERT_TRUE(ReadRuntimeList(seen.window, &list));
    EXPECT_EQ(4, list.count);

    CreateDirectoryA(JRESELECT_ARTIFACTS_DIR_W, nullptr);
    const std::string path = std::string(JRESELECT_ARTIFACTS_DIR_W) + "\\dialog.bmp";
    DeleteFileA(path.c_str());
    ASSERT_TRUE(SaveScreenshot(seen.window, path.c_str()));

    // A real picture: as large as the window, and not of one colour.
    RECT rect;
    ASSERT_TRUE(GetWindowRect(seen.window, &rect));
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    ASSERT_NE(nullptr, bitmap);
    DIBSECTION section;
    ASSERT_EQ(static_cast<int>(sizeof(section)), GetObjectA(bitmap, sizeof(section), &section));
    EXPECT_EQ(rect.right - rect.left, section.dsBm.bmWidth);
    EXPECT_EQ(rect.bottom - rect.top, section.dsBm.bmHeight);
    const BYTE* bits = static_cast<const BYTE*>(section.dsBm.bmBits);
    bool varied = false;
    for (LONG i = 3; i < section.dsBm.bmWidthBytes * section.dsBm.bmHeight && !varied; ++i)
        varied = bits[i] != bits[i % 3];
    DeleteObject(bitmap);
    EXPECT_TRUE(varied) << "the picture is of one colour";

    ASSERT_TRUE(PressButton(seen.window, IDCANCEL));
    DWORD exitCode = 0xbdbdbdbd;
    ASSERT_TRUE(run.Finish(kWaitMs, &exitCode));
    EXPECT_EQ(0u, exitCode);
}

}  // namespace
