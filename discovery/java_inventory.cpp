// The inventory of Java homes: the order of its passes over the sources, the merge and the
// file probes, which have units of their own (inventory_search.h). Only reads.
#include "discovery/java_inventory.h"

#include <new>

#include "discovery/inventory_search.h"
#include "discovery/probes.h"

bool TakeJavaInventory(HWND list, JavaInventory* inventory)
{
    inventory->homes.clear();
    inventory->pathEntries.clear();
    inventory->javapaths.clear();
    inventory->offeredNamings = 0;
    inventory->outOfMemory = false;
    Search search;
    search.inventory = inventory;
    InitDriveTable(&search.drives);
    try {
        CollectOffered(list, &search);
        SearchRegistry(&search);
        SearchVariables(&search);
        SearchPathVariable(&search);
        SearchFolders(&search);
        for (InventoryHome& home : inventory->homes) {
            if (home.probed)
                ProbeHome(&home);
        }
        for (InventoryJavapath& javapath : inventory->javapaths)
            ResolveJavapath(&search, &javapath);
    } catch (const std::bad_alloc&) {
        inventory->outOfMemory = true;
    }
    return !inventory->outOfMemory;
}
