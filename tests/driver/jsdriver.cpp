// jsdriver: the driver's operations from the command line, for scripts that run
// JreSelect.exe beside it under Wine (the demo, the benchmarks, the heap check).
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "driver/driver.h"

namespace {

const char kUsage[] =
    "Usage: jsdriver COMMAND [ARGUMENTS]\n"
    "Operates JreSelect's dialog (caption \"Quillfern\") and its \"Fatal Error\" message\n"
    "boxes from another process, in the same Wine prefix and on the same display.\n"
    "\n"
    "  wait [TIMEOUT_MS]      wait for the dialog or a message box; prints \"dialog\"\n"
    "                         or \"message TEXT\"\n"
    "  wait-message [TIMEOUT_MS]\n"
    "                         wait for a message box only; prints \"message TEXT\"\n"
    "  gone [TIMEOUT_MS]      wait until neither the dialog nor a message box is shown;\n"
    "                         prints \"gone\"\n"
    "  list                   prints the item count, the selected index (-1 for none)\n"
    "                         and then each item's text, one per line\n"
    "  select N               clicks item N (from 0) of the runtime list\n"
    "  press ok|cancel        clicks the OK or Cancel button\n"
    "  escape                 presses Escape in the dialog\n"
    "  close                  closes the dialog with its close box\n"
    "  dismiss                answers a message box with OK and prints its text\n"
    "  screenshot FILE.bmp    saves the dialog as it shows on the screen\n"
    "  --help                 this text\n"
    "\n"
    "TIMEOUT_MS defaults to 10000; the other commands wait up to that long for their\n"
    "window. Windows of any process in the prefix count. Output lines end in LF.\n"
    "Exit code: 0 done, 1 window not found in time or the operation refused, 2 bad\n"
    "command line. On time-out, \"timeout\" is printed.\n"
    "\n"
    "Example: wine jsdriver.exe wait && wine jsdriver.exe select 1 &&\n"
    "         wine jsdriver.exe press ok && wine jsdriver.exe gone\n";

const DWORD kDefaultTimeoutMs = 10000;

int Usage()
{
    fputs(kUsage, stderr);
    return 2;
}

bool ParseNumber(const char* text, long* value)
{
    char* end = nullptr;
    *value = strtol(text, &end, 10);
    return end != text && *end == '\0';
}

// The optional time limit in argv[2], else the default.
bool ParseTimeout(int argc, char** argv, DWORD* timeoutMs)
{
    *timeoutMs = kDefaultTimeoutMs;
    if (argc < 3)
        return true;
    long value = 0;
    if (argc > 3 || !ParseNumber(argv[2], &value) || value < 0)
        return false;
    *timeoutMs = static_cast<DWORD>(value);
    return true;
}

int Timeout()
{
    puts("timeout");
    return 1;
}

int PrintSeen(const Seen& seen)
{
    switch (seen.kind) {
    case kSeenDialog:
        puts("dialog");
        return 0;
    case kSeenMessage: {
        std::string text;
        if (!ReadMessageText(seen.window, &text))
            return 1;
        printf("message %s\n", text.c_str());
        return 0;
    }
    default:
        return Timeout();
    }
}

int Gone(DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (FindDialog(0) != nullptr || FindMessageBox(0) != nullptr) {
        if (GetTickCount() - start >= timeoutMs)
            return Timeout();
        Sleep(10);
    }
    puts("gone");
    return 0;
}

int List(HWND dialog)
{
    ListState state;
    if (!ReadRuntimeList(dialog, &state))
        return 1;
    printf("%d\n%d\n", state.count, state.selection);
    for (const std::string& item : state.items)
        puts(item.c_str());
    return 0;
}

int Dismiss()
{
    const Seen seen = WaitFor(kWatchMessage, 0, nullptr, kDefaultTimeoutMs);
    if (seen.kind != kSeenMessage)
        return Timeout();
    std::string text;
    if (!ReadMessageText(seen.window, &text) || !DismissMessage(seen.window, kDefaultTimeoutMs))
        return 1;
    puts(text.c_str());
    return 0;
}

// Commands that act on the dialog.
int OnDialog(const char* command, int argc, char** argv)
{
    const Seen seen = WaitFor(kWatchDialog, 0, nullptr, kDefaultTimeoutMs);
    if (seen.kind != kSeenDialog)
        return Timeout();
    HWND dialog = seen.window;
    if (strcmp(command, "list") == 0 && argc == 2)
        return List(dialog);
    if (strcmp(command, "select") == 0 && argc == 3) {
        long index = 0;
        if (!ParseNumber(argv[2], &index))
            return Usage();
        return SelectRuntime(dialog, static_cast<int>(index)) ? 0 : 1;
    }
    if (strcmp(command, "press") == 0 && argc == 3) {
        if (strcmp(argv[2], "ok") == 0)
            return PressButton(dialog, IDOK) ? 0 : 1;
        if (strcmp(argv[2], "cancel") == 0)
            return PressButton(dialog, IDCANCEL) ? 0 : 1;
        return Usage();
    }
    if (strcmp(command, "escape") == 0 && argc == 2)
        return PressEscape(dialog) ? 0 : 1;
    if (strcmp(command, "close") == 0 && argc == 2)
        return PressCloseBox(dialog) ? 0 : 1;
    if (strcmp(command, "screenshot") == 0 && argc == 3)
        return SaveScreenshot(dialog, argv[2]) ? 0 : 1;
    return Usage();
}

}  // namespace

int main(int argc, char** argv)
{
    // Lines end in a bare LF, as the shell scripts that read them expect.
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc < 2 || strcmp(argv[1], "--help") == 0 || strcmp(argv[1], "-h") == 0)
        return argc < 2 ? Usage() : (fputs(kUsage, stdout), 0);
    const char* command = argv[1];
    DWORD timeoutMs = 0;
    if (strcmp(command, "wait") == 0) {
        if (!ParseTimeout(argc, argv, &timeoutMs))
            return Usage();
        return PrintSeen(WaitFor(kWatchDialog | kWatchMessage, 0, nullptr, timeoutMs));
    }
    if (strcmp(command, "wait-message") == 0) {
        if (!ParseTimeout(argc, argv, &timeoutMs))
            return Usage();
        return PrintSeen(WaitFor(kWatchMessage, 0, nullptr, timeoutMs));
    }
    if (strcmp(command, "gone") == 0) {
        if (!ParseTimeout(argc, argv, &timeoutMs))
            return Usage();
        return Gone(timeoutMs);
    }
    if (strcmp(command, "dismiss") == 0)
        return argc == 2 ? Dismiss() : Usage();
    const char* dialogCommands[] = {"list", "select", "press", "escape", "close", "screenshot"};
    for (const char* known : dialogCommands) {
        if (strcmp(command, known) == 0)
            return OnDialog(command, argc, argv);
    }
    return Usage();
}
