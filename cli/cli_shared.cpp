// What the commands share: the hidden list box over the code that the dialog runs
// (LoadInstallSettings, FillRuntimeList, ReleaseRuntimeList), on a window never shown.
#include "cli/cli_shared.h"

#include <cstdio>
#include <cstring>

#include "base/list_box.h"
#include "cli/cli_commands.h"
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

void PrintError(const char* text)
{
    fprintf(stderr, "%s\n", text);
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

bool IsUnofferedRuntime(const DiscoveryNote& note)
{
    switch (note.outcome) {
    case kOutcomeNotOffered:
    case kOutcomeNoJavaHome:
    case kOutcomeJavaHomeTooLong:
    case kOutcomeJavaHomeDirTooLong:
    case kOutcomeNoLauncher:
        return true;
    default:
        return false;
    }
}

const char* ViewText(REGSAM view)
{
    if (view == 0)
        return "";
    return view == KEY_WOW64_64KEY ? " (64-bit view)" : " (32-bit view)";
}

// The one line of reason, after "name: ".

bool IsToldByInventory(const InventoryHome& home)
{
    for (const InventorySource& source : home.sources) {
        if (source.kind >= kNamedByVendorKey)
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
    printf("%.*s", last != nullptr ? static_cast<int>(last - where) : static_cast<int>(strlen(where)),
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
        printf("%s, %s\\%s \"%s\"%s", source.distribution,
               source.hive == kHiveUser ? "HKCU" : "HKLM", source.where, source.value,
               ViewText(source.view));
        break;
    case kNamedByEnvironment:
        printf("%s", source.where);
        break;
    case kNamedByPath:
        if (source.where[0] != '\0')
            printf("PATH entry %d, %s", source.pathIndex, source.where);
        else
            printf("PATH entry %d (longer than 259 characters)", source.pathIndex);
        break;
    case kNamedByFolder:
        printf("the folder %s", source.where);
        break;
    }
}

void PrintInventoryReason(const InventoryHome& home)
{
    const InventorySource& source = DecidingSource(home);
    switch (home.reason) {
    case kReasonTooLong:
        printf("a path of %d characters, more than 259: not looked at",
               static_cast<int>(home.namedLength));
        break;
    case kReasonNetworkPath:
        printf("a network path, not looked at");
        break;
    case kReasonDevicePath:
        printf("a device path (\\\\?\\ or \\\\.\\), not looked at");
        break;
    case kReasonUnexpanded:
        printf("holds %%...%% references, which are not expanded: not looked at");
        break;
    case kReasonNotFullyQualified:
        printf("not fully qualified (no drive letter, colon and backslash), so it names no "
               "fixed place: not looked at");
        break;
    case kReasonNotText:
        printf("the value is %s, not a text: it names no home", TypeText(source.valueType));
        break;
    case kReasonLauncherTooLong:
        printf("the home joined with bin\\javaw.exe does not fit 259 characters: not looked at");
        break;
    case kReasonNoLauncher:
        printf("no launcher, neither javaw.exe nor java.exe in %s", home.launcherDir);
        break;
    case kReasonLeftOutBySearch:
        printf("registered where the list looks, and left out by its search (see above)");
        break;
    case kReasonNotInBin:
        printf("a launcher in a PATH folder that is no Java home's bin");
        break;
    case kReasonOtherView:
        printf("registered for %s-bit programs only", source.view == KEY_WOW64_64KEY ? "64" : "32");
        break;
    case kReasonJavaSoftKey:
        printf("registered under ");
        PrintParentKey(source.where);
        printf(" (Java 9 and later), which this program does not read");
        break;
    case kReasonVendorKey:
        printf("registered only under its vendor's own key (%s), which this program does not "
               "read",
               source.distribution);
        break;
    case kReasonPerUser:
        printf("installed for this user only (HKEY_CURRENT_USER, %s), which this program does "
               "not read",
               source.distribution);
        break;
    case kReasonOnlyEnvironment:
        printf("named only by %s, which this program does not read", source.where);
        break;
    case kReasonOnlyPath:
        printf("found only through PATH, which this program does not read");
        break;
    case kReasonOnlyFolder:
        printf("found only as a folder in %s, which this program does not search", source.where);
        break;
    }
}
