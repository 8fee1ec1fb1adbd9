// End-to-end sessions against JreSelect.exe under Wine.
#include "e2e/session.h"

#include <gtest/gtest.h>

#include <sstream>

#include "driver/driver.h"
#include "support/machine.h"

const char kApplyFailedText[] = "Unable to apply changes!";
const char kCannotLocateText[] = "Cannot locate Quillfern software!";
const char kInitUiFailedText[] = "Unable to initialize UI!";
const char kProgramPath[] = JRESELECT_BIN_DIR_W "\\JreSelect.exe";
const char kProgramWithoutListPath[] = JRESELECT_FIXTURES_DIR_W "\\JreSelectWithoutList.exe";

namespace {

const char* EndingName(Ending ending)
{
    switch (ending) {
    case kEndOk:
        return "OK";
    case kEndCancel:
        return "Cancel";
    case kEndEscape:
        return "Escape";
    case kEndCloseBox:
        return "close box";
    }
    return "?";
}

bool End(HWND dialog, Ending ending)
{
    switch (ending) {
    case kEndOk:
        return PressButton(dialog, IDOK);
    case kEndCancel:
        return PressButton(dialog, IDCANCEL);
    case kEndEscape:
        return PressEscape(dialog);
    case kEndCloseBox:
        return PressCloseBox(dialog);
    }
    return false;
}

std::string Describe(const Seen& seen)
{
    switch (seen.kind) {
    case kSeenNothing:
        return "nothing in time";
    case kSeenDialog:
        return "the dialog";
    case kSeenExit:
        return "the program's end";
    case kSeenMessage: {
        std::string text = "<unreadable>";
        ReadMessageText(seen.window, &text);
        return "a message box: " + text;
    }
    }
    return "?";
}

// Checks the message box's text and dismisses it; false when it does not go.
bool AnswerMessage(HWND box, const std::string& expected)
{
    std::string text;
    EXPECT_TRUE(ReadMessageText(box, &text));
    EXPECT_EQ(expected, text);
    return DismissMessage(box, kWaitMs);
}

// Waits for the program's end, checks exit code 0 and that the keys the program only reads
// are as before, and takes the registry afterwards; false when the program does not end.
bool CheckEnd(ProgramRun& run, const RegistrySnapshot& before, RegistrySnapshot* after)
{
    DWORD exitCode = 0xbdbdbdbd;
    if (!run.Finish(kWaitMs, &exitCode))
        return false;
    EXPECT_EQ(0u, exitCode);
    *after = TakeSnapshot();
    EXPECT_EQ(before.javaSoft, after->javaSoft);
    EXPECT_EQ(before.microsoftVm, after->microsoftVm);
    return true;
}

}  // namespace

RegistrySnapshot TakeSnapshot()
{
    return RegistrySnapshot{DumpKeyTree(kTestVelmorKey), DumpKeyTree(kTestJavaSoftKey),
                            DumpKeyTree(kTestMicrosoftVmKey)};
}

std::string WithoutValue(const std::string& dump, const char* name)
{
    const std::string prefix = std::string(name) + "(";
    std::istringstream lines(dump);
    std::string line;
    std::string kept;
    while (std::getline(lines, line)) {
        if (line.compare(0, prefix.size(), prefix) != 0)
            kept += line + "\n";
    }
    return kept;
}

std::string ValueLine(const std::string& dump, const char* name)
{
    const std::string prefix = std::string(name) + "(";
    std::istringstream lines(dump);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.compare(0, prefix.size(), prefix) == 0)
            return line;
    }
    return std::string();
}

std::string TextValueLine(const char* name, const std::string& text)
{
    return std::string(name) + "(" + std::to_string(REG_SZ) + ")=" + text + std::string(1, '\0');
}

ProgramRun::~ProgramRun()
{
    if (info_.hProcess == nullptr)
        return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, kWaitMs);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool ProgramRun::Start(const char* program)
{
    std::string commandLine = std::string("\"") + program + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    return CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                          kCaseRoot, &startup, &info_) != 0;
}

bool ProgramRun::Finish(DWORD timeoutMs, DWORD* exitCode)
{
    if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, kWaitMs);
        return false;
    }
    return GetExitCodeProcess(info_.hProcess, exitCode) != 0;
}

void RunSession(const SessionCase& c, const char* program)
{
    SCOPED_TRACE(c.name);
    ClearMachine();
    c.seed();
    const RegistrySnapshot before = TakeSnapshot();

    ProgramRun run;
    ASSERT_TRUE(run.Start(program)) << program;
    const Seen opened = WaitFor(kWatchDialog | kWatchMessage, run.pid(), run.process(), kWaitMs);
    ASSERT_EQ(kSeenDialog, opened.kind) << "instead of the dialog: " << Describe(opened);

    ListState list = {-2, -2, {}};
    ASSERT_TRUE(ReadRuntimeList(opened.window, &list));
    EXPECT_EQ(static_cast<int>(c.items.size()), list.count);
    EXPECT_EQ(c.items, list.items);
    EXPECT_EQ(c.preselected, list.selection);

    if (c.choose >= 0) {
        ASSERT_TRUE(SelectRuntime(opened.window, c.choose)) << "item " << c.choose;
    }
    ASSERT_TRUE(End(opened.window, c.ending)) << EndingName(c.ending);

    // The dialog may stay visible while a message box is up, so only boxes are watched.
    Seen next = WaitFor(kWatchMessage, run.pid(), run.process(), kWaitMs);
    if (c.message != nullptr) {
        ASSERT_EQ(kSeenMessage, next.kind) << "after " << EndingName(c.ending) << ": "
                                           << Describe(next);
        ASSERT_TRUE(AnswerMessage(next.window, c.message)) << "the message box stayed";
        next = WaitFor(kWatchMessage, run.pid(), run.process(), kWaitMs);
    }
    EXPECT_EQ(kSeenExit, next.kind) << "after " << EndingName(c.ending) << ": " << Describe(next);

    RegistrySnapshot after;
    ASSERT_TRUE(CheckEnd(run, before, &after)) << "the program did not end";
    if (c.written == nullptr) {
        EXPECT_EQ(before.product, after.product) << "nothing may be written";
        return;
    }
    // Exactly "starter" and "classes" may differ, as REG_SZ texts written whole.
    EXPECT_EQ(WithoutValue(WithoutValue(before.product, "starter"), "classes"),
              WithoutValue(WithoutValue(after.product, "starter"), "classes"));
    EXPECT_EQ(TextValueLine("starter", c.written), ValueLine(after.product, "starter"));
    EXPECT_EQ(TextValueLine("classes", "start.jar"), ValueLine(after.product, "classes"));
}

void RunRefusedStart(const char* name, void (*seed)(), const std::vector<std::string>& messages,
                     const char* program)
{
    SCOPED_TRACE(name);
    ClearMachine();
    seed();
    const RegistrySnapshot before = TakeSnapshot();

    ProgramRun run;
    ASSERT_TRUE(run.Start(program));
    for (const std::string& message : messages) {
        const Seen seen = WaitFor(kWatchDialog | kWatchMessage, run.pid(), run.process(), kWaitMs);
        ASSERT_EQ(kSeenMessage, seen.kind) << "instead of \"" << message << "\": " << Describe(seen);
        ASSERT_TRUE(AnswerMessage(seen.window, message)) << "the message box stayed";
    }
    // The program ends without showing the dialog or another message.
    const Seen last = WaitFor(kWatchDialog | kWatchMessage, run.pid(), run.process(), kWaitMs);
    EXPECT_EQ(kSeenExit, last.kind) << "then " << Describe(last);
    RegistrySnapshot after;
    ASSERT_TRUE(CheckEnd(run, before, &after)) << "the program did not end";
    EXPECT_EQ(before.product, after.product);
}
