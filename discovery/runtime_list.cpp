// The runtime list's content: preselection, saving the choice, releasing the entries.
#include "discovery/runtime_list.h"

#include "base/list_box.h"
#include "discovery/runtime_discovery.h"
#include "discovery/runtime_entry.h"
#include "settings/product_settings.h"
#include "settings/registry.h"

void InitRuntimeList(HWND list)
{
    if (list == nullptr)
        return;
    FillRuntimeList(list);
    SelectCurrentRuntime(list);
}

void SelectCurrentRuntime(HWND list)
{
    if (list == nullptr)
        return;
    // A "starter" too long to keep matches nothing rather than a cut path.
    if (g_starterTooLong)
        return;
    SelectRuntimeByLauncher(list, g_starter);
}

int SelectRuntimeByLauncher(HWND list, const char* launcher)
{
    const int index = FindRuntimeByLauncher(list, launcher);
    if (index >= 0)
        ListSetCurSel(list, index);
    return index;
}

bool ApplySelection(HWND list)
{
    if (list == nullptr)
        return false;
    const int index = ListGetCurSel(list);
    if (index < 0)
        return false;
    const RuntimeEntry* entry = static_cast<const RuntimeEntry*>(ListGetItemData(list, index));
    if (entry == nullptr)
        return false;
    if (!WriteRegString(kProductKey, kStarterValue, entry->starter))
        return false;
    return WriteRegString(kProductKey, kClassesValue, entry->classes);
}

void ReleaseRuntimeList(HWND list)
{
    if (list == nullptr)
        return;
    const int count = ListGetCount(list);
    for (int index = 0; index < count; ++index) {
        RuntimeEntry* entry = static_cast<RuntimeEntry*>(ListGetItemData(list, index));
        if (entry == nullptr)
            continue;
        FreeRuntimeEntry(entry);
        // Cleared so that a second release, or a late read, never meets a freed entry.
        ListSetItemData(list, index, nullptr);
    }
}
