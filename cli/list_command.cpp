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

void ListUnoffered(const DiscoveryNote& note, void*)
{
    if (!IsUnofferedRuntime(note))
        return;
    Print("  -\tnot selectable: %s in %s%s\t%s\n", note.subkey, note.parentKey,
           ViewText(note.view), note.outcome == kOutcomeNotOffered ? note.launcher : "(no launcher)");
}

}  // namespace

int RunListCommand(bool all, bool json)
{
    HWND list = nullptr;
    const int failure = OpenList(&list);
    if (failure != kExitSuccess)
        return failure;
    if (json) {
        PrintListJson(list, all);
        CloseList(list);
        return kExitSuccess;
    }
    InitRuntimeList(list);
    const int count = ListGetCount(list);
    const int selected = ListGetCurSel(list);
    for (int index = 0; index < count; ++index)
        PrintListLine(list, index, selected);
    if (all)
        FindUnofferedRuntimes(list, ListUnoffered, nullptr);
    CloseList(list);
    return kExitSuccess;
}
