// Every Java home on the machine, named: what the vendors' installers register (under
// HKEY_LOCAL_MACHINE in both registry views and under HKEY_CURRENT_USER), the JavaSoft keys,
// JAVA_HOME and JDK_HOME, the PATH directories that hold a launcher, and the usual install
// folders. Each home found once, with every source that named it and one reason why the
// runtime list does not offer it. Only reads; used by explain and list --all, never by the
// dialog's list, list or set. The sources are tables in inventory_sources.cpp.
#pragma once

#include <windows.h>

#include <cstddef>

#include "discovery/inventory_types.h"

// Fills inventory (emptied first) from every source. list is the runtime list as filled by
// FillRuntimeList: a home one of its entries runs from (the launcher's bin folder's parent,
// compared as preselection compares) is not taken. False when memory ran out (homes may be
// missing), every handle closed.
bool TakeJavaInventory(HWND list, JavaInventory* inventory);

// The first of the home's sources of the kind that decides its reason by source (the order
// of InventorySourceKind): its key, variable or folder is the one that reason names.
const InventorySource& DecidingSource(const InventoryHome& home);

// The tables of sources, for the tests that must cover each row.
struct InventoryRegistryRow {
    const char* distribution;
    const char* key;    // below SOFTWARE of the hive
    const char* shape;  // the subkeys down to the value's key: "*" any name, else that name
    const char* value;  // the value holding the home
    InventorySourceKind kind;  // kNamedByListKey, kNamedByJavaSoftKey or kNamedByVendorKey
};
const InventoryRegistryRow* InventoryRegistryRows(size_t* count);
struct InventoryFolderRow {
    const char* base;    // environment variable naming a folder: ProgramFiles, LOCALAPPDATA...
    const char* folder;  // below it
    const char* prefix;  // only subfolders whose name starts so ("jdk-"), or ""
};
const InventoryFolderRow* InventoryFolderRows(size_t* count);
