// What the commands share: the hidden list box over the code that the dialog runs
// (LoadInstallSettings, FillRuntimeList, ReleaseRuntimeList), on a window never shown.
#include "cli/cli_shared.h"

#include <cstdio>
#include <cstring>

#include "base/list_box.h"
#include "cli/cli_commands.h"
#include "cli/console_output.h"
#include "discovery/path_text.h"
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

const RuntimeEntry* EntryAt(HWND list, int index)
{
    return static_cast<const RuntimeEntry*>(ListGetItemData(list, index));
}

const char* ViewText(REGSAM view)
{
    if (view == 0)
        return "";
    return view == KEY_WOW64_64KEY ? " (64-bit view)" : " (32-bit view)";
}

bool IsToldByInventory(const InventoryHome& home)
{
    for (const InventorySource& source : home.sources) {
        if (source.kind != kNamedByListKey)
            return true;
    }
    return false;
}

bool IsListedByInventory(const InventoryHome& home)
{
    if (!IsToldByInventory(home))
        return false;
    if (home.probed)
        return true;
    for (const InventorySource& source : home.sources) {
        if (source.kind != kNamedByPath)
            return true;
    }
    return false;
}

const char* ArchitectureText(InventoryArchitecture architecture)
{
    switch (architecture) {
    case kArchX86:
        return "x86";
    case kArchX64:
        return "x64";
    case kArchArm64:
        return "ARM64";
    case kArchUnknown:
        break;
    }
    return "architecture unknown";
}

namespace {

const char* TypeText(DWORD type)
{
    switch (type) {
    case REG_SZ:
        return "REG_SZ";
    case REG_EXPAND_SZ:
        return "REG_EXPAND_SZ";
    case REG_BINARY:
        return "REG_BINARY";
    case REG_DWORD:
        return "REG_DWORD";
    case REG_MULTI_SZ:
        return "REG_MULTI_SZ";
    case REG_QWORD:
        return "REG_QWORD";
    default:
        return "another type";
    }
}

// The first source of the kind that gave the home its reason.
const InventorySource& DecidingSource(const InventoryHome& home)
{
    const InventorySource* first = &home.sources[0];
    for (const InventorySource& source : home.sources) {
        if (source.kind < first->kind)
            first = &source;
    }
    return *first;
}

// The key that holds the registrations: where without its last component(s), for
// SOFTWARE\JavaSoft\JDK\17 "SOFTWARE\JavaSoft\JDK".
void PrintParentKey(const char* where)
{
    const char* last = FindLastBackslash(where);
    Print("%.*s", last != nullptr ? static_cast<int>(last - where) : static_cast<int>(strlen(where)),
           where);
}

}  // namespace

void PrintSourcePhrase(const InventorySource& source)
{
    switch (source.kind) {
    case kNamedByListKey:
    case kNamedByListKeyOtherView:
    case kNamedByJavaSoftKey:
    case kNamedByVendorKey:
    case kNamedByUserKey:
        Print("%s, %s\\%s \"%s\"%s", source.distribution,
               source.hive == kHiveUser ? "HKCU" : "HKLM", source.where, source.value,
               ViewText(source.view));
        break;
    case kNamedByEnvironment:
        Print("%s", source.where);
        break;
    case kNamedByPath:
        if (source.where[0] != '\0')
            Print("PATH entry %d, %s", source.pathIndex, source.where);
        else
            Print("PATH entry %d (longer than 259 characters)", source.pathIndex);
        break;
    case kNamedByFolder:
        Print("the folder %s", source.where);
        break;
    }
}

void PrintInventoryReason(const InventoryHome& home)
{
    const InventorySource& source = DecidingSource(home);
    switch (home.reason) {
    case kReasonTooLong:
        Print("a path of %d characters, more than 259: not looked at",
               static_cast<int>(home.namedLength));
        break;
    case kReasonNetworkPath:
        Print("a network path, not looked at");
        break;
    case kReasonDevicePath:
        Print("a device path (\\\\?\\ or \\\\.\\), not looked at");
        break;
    case kReasonUnexpanded:
        Print("holds %%...%% references, which are not expanded: not looked at");
        break;
    case kReasonNotFullyQualified:
        Print("not fully qualified (no drive letter, colon and backslash), so it names no "
               "fixed place: not looked at");
        break;
    case kReasonNotText:
        Print("the value is %s, not a text: it names no home", TypeText(source.valueType));
        break;
    case kReasonNotInCodePage:
        Print("holds a character that the ANSI code page (%u) lacks: not looked at", GetACP());
        break;
    case kReasonLoneLeadByte:
        Print("ends in a lone lead byte (half a double-byte character): not looked at");
        break;
    case kReasonLauncherTooLong:
        Print("the home joined with bin\\javaw.exe does not fit 259 characters: not looked at");
        break;
    case kReasonNoLauncher:
        Print("no launcher, neither javaw.exe nor java.exe in %s", home.launcherDir);
        break;
    case kReasonLeftOutBySearch:
        Print("registered where the list looks, and left out by its search (see above)");
        break;
    case kReasonNotInBin:
        Print("a launcher in a PATH folder that is no Java home's bin");
        break;
    case kReasonOtherView:
        Print("registered for %s-bit programs only", source.view == KEY_WOW64_64KEY ? "64" : "32");
        break;
    case kReasonJavaSoftKey:
        Print("registered under ");
        PrintParentKey(source.where);
        Print(" (Java 9 and later), which this program does not read");
        break;
    case kReasonVendorKey:
        Print("registered only under its vendor's own key (%s), which this program does not "
               "read",
               source.distribution);
        break;
    case kReasonPerUser:
        Print("installed for this user only (HKEY_CURRENT_USER, %s), which this program does "
               "not read",
               source.distribution);
        break;
    case kReasonOnlyEnvironment:
        Print("named only by %s, which this program does not read", source.where);
        break;
    case kReasonOnlyPath:
        Print("found only through PATH, which this program does not read");
        break;
    case kReasonOnlyFolder:
        Print("found only as a folder in %s, which this program does not search", source.where);
        break;
    }
}
