// list and list --all: the runtimes in the dialog's order, the current one marked.
#include "cli/cli_commands.h"
#include "cli/console_output.h"

#include <cstdio>

#include "base/list_box.h"
#include "cli/cli_shared.h"
#include "cli/json_forms.h"
#include "discovery/runtime_list.h"

namespace {

void PrintListLine(HWND list, int index, int selected)
{
    char text[kTextBufferSize];
    ListGetText(list, index, text);
    const RuntimeEntry* entry = EntryAt(list, index);
    Print("%c %d\t%s\t%s\n", index == selected ? '*' : ' ', index, text,
           entry != nullptr ? entry->starter : "");
}

// list --all: one line per home that the inventory lists (IsListedByInventory): its version
// and architecture, or its home and why it was not looked at; then the first source that
// named it.
void ListInventoryHome(const InventoryHome& home)
{
    if (!IsListedByInventory(home))
        return;
    const char* launcher = home.javaw[0] != '\0' ? home.javaw : home.java;
    Print("  -\tnot selectable: ");
    if (launcher[0] != '\0')
        Print("%s %s", home.versionOrigin != kVersionUnknown ? home.version : "version unknown",
               ArchitectureText(home.architecture));
    else
        Print("%s", home.home[0] != '\0' ? home.home : "(no home)");
    Print(", ");
    PrintSourcePhrase(home.sources[0]);
    Print("\t%s\n", launcher[0] != '\0' ? launcher : home.probed ? "(no launcher)" : "(not looked at)");
}

}  // namespace

int RunListCommand(bool all, bool json)
{
    HWND list = nullptr;
    const int failure = OpenList(&list);
    if (failure != kExitSuccess)
        return failure;
    if (json) {
        const bool printed = PrintListJson(list, all);
        CloseList(list);
        if (!printed) {
            PrintError(kOutOfMemoryMessage);
            return kExitInternal;
        }
        return kExitSuccess;
    }
    InitRuntimeList(list);
    const int count = ListGetCount(list);
    const int selected = ListGetCurSel(list);
    for (int index = 0; index < count; ++index)
        PrintListLine(list, index, selected);
    if (all) {
        JavaInventory inventory;
        if (!TakeJavaInventory(list, &inventory)) {
            PrintError(kOutOfMemoryMessage);
            CloseList(list);
            return kExitInternal;
        }
        for (const InventoryHome& home : inventory.homes)
            ListInventoryHome(home);
    }
    CloseList(list);
    return kExitSuccess;
}
