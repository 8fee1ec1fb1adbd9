// What the commands share: the hidden list box over the code that the dialog runs
// (LoadInstallSettings, FillRuntimeList, ReleaseRuntimeList), on a window never shown.
#include "cli/cli_shared.h"

#include <cstdio>
#include <cstring>

#include "base/list_box.h"
#include "cli/cli_commands.h"
#include "cli/console_output.h"
#include "discovery/runtime_list.h"
#include "res/messages.h"
#include "settings/product_settings.h"

namespace {

// Styled like the dialog's list box, never visible, and message-only: it needs no desktop,
// so the program runs where no window can be made visible (under Wine with no display).
// Without LBS_SORT the items keep the order in which the search adds them.
HWND CreateHiddenList()
{
    return CreateWindowA("LISTBOX", "",
                         WS_CHILD | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0,
                         0, 300, 200, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

std::string g_errorMessage;

void PrintError(const char* text)
{
    g_errorMessage = text;
    PrintTo(stderr, "%s\n", text);
}

int OpenList(HWND* list)
{
    *list = nullptr;
    if (!LoadInstallSettings()) {
        PrintError(kCannotLocateMessage);
        return kExitNoSettings;
    }
    *list = CreateHiddenList();
    if (*list == nullptr) {
        PrintError(kInitUiFailedMessage);
        return kExitInternal;
    }
    return kExitSuccess;
}

void CloseList(HWND list)
{
    ReleaseRuntimeList(list);
    DestroyWindow(list);
}

int OpenReport(bool inventory, Report* report)
{
    HWND list = nullptr;
    const int failure = OpenList(&list);
    if (failure != kExitSuccess)
        return failure;
    if (!BuildReport(list, inventory, report)) {
        CloseList(list);
        PrintError(kOutOfMemoryMessage);
        return kExitInternal;
    }
    return kExitSuccess;
}

const RuntimeEntry* EntryAt(HWND list, int index)
{
    return static_cast<const RuntimeEntry*>(ListGetItemData(list, index));
}
