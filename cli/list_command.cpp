// list and list --all: the runtimes in the dialog's order, the current one marked; the text
// printer of the report.
#include "cli/cli_commands.h"
#include "cli/console_output.h"

#include <cstdio>

#include "base/list_box.h"
#include "cli/cli_shared.h"
#include "cli/json_forms.h"
#include "cli/report.h"
#include "cli/text_forms.h"
#include "cli/words.h"

namespace {

void PrintListLine(HWND list, int index, int selected)
{
    char text[kTextBufferSize];
    ListGetText(list, index, text);
    const RuntimeEntry* entry = EntryAt(list, index);
    Print("%c %d\t%s\t%s\n", index == selected ? '*' : ' ', index, text,
           entry != nullptr ? entry->starter : "");
}

// list --all: one line per home that the inventory tells, without an index, that no set
// command takes: its version and architecture, or its home and why it was not looked at;
// then the first source that named it.
void ListInventoryHome(const InventoryHome& home)
{
    if (!IsToldByInventory(home))
        return;
    const char* launcher = home.javaw[0] != '\0' ? home.javaw : home.java;
    Print("  -\tnot selectable: ");
    if (launcher[0] != '\0')
        Print("%s %s", home.versionOrigin != kVersionUnknown ? home.version : "version unknown",
               WordsOf(home.architecture).text);
    else
        Print("%s", home.home[0] != '\0' ? home.home : "(no home)");
    Print(", ");
    PrintSourcePhrase(home.sources[0]);
    Print("\t%s\n", launcher[0] != '\0' ? launcher : home.probed ? "(no launcher)" : "(not looked at)");
}

void PrintListText(const Report& report, bool all)
{
    const int count = ListGetCount(report.list);
    const int selected = ListGetCurSel(report.list);
    for (int index = 0; index < count; ++index)
        PrintListLine(report.list, index, selected);
    if (all) {
        for (const InventoryHome& home : report.inventory.homes)
            ListInventoryHome(home);
    }
}

}  // namespace

int RunListCommand(const CommandLine& line)
{
    Report report;
    const int failure = OpenReport(line.flag, &report);
    if (failure != kExitSuccess)
        return failure;
    if (line.json)
        PrintListJson(report, line.flag);
    else
        PrintListText(report, line.flag);
    CloseList(report.list);
    return kExitSuccess;
}
