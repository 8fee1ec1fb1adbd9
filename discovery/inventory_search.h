// What the units of the inventory of Java homes share: the search's state and what each unit
// calls of the others, grouped by the file that defines it. Only those units include it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "discovery/inventory_types.h"
#include "discovery/probes.h"

const char kJavaw[] = "javaw.exe";
const char kJava[] = "java.exe";
const char kBinFolderKey[] = "bin";

// The search's state
struct Search {
    JavaInventory* inventory;
    DriveTable drives;
    std::unordered_map<std::string, size_t> byKey;  // MakePathKey of a home -> its index
    std::unordered_set<std::string> offered;        // keys of the homes the list offers
};

// inventory_sources.cpp, beside InventoryRegistryRows and InventoryFolderRows (java_inventory.h)
const char* const* InventoryHomeVariables(size_t* count);
const char* const* InventoryCurrentVersionKeys(bool upTo8, size_t* count);

// inventory_merge.cpp
std::string KeyOf(const char* path);
InventorySource NewSource(InventorySourceKind kind);
bool CopyText(char* field, const char* text, size_t length);
bool FindUnprobedReason(Search* search, const char* text, size_t length, InventoryReason* reason);
size_t TrimNaming(const char** start, size_t length);
void NameHome(Search* search, const char* text, size_t length, const InventorySource& source,
              const char* launcherDir, const char* javaw, const char* java);
void NameWithoutHome(Search* search, const InventorySource& source, InventoryReason reason);
void CollectOffered(HWND list, Search* search);

// inventory_registry.cpp
bool JoinKey(char* out, const char* key, const char* name, size_t nameLength);
void SearchRegistry(Search* search);

// inventory_variables.cpp
std::string ReadVariable(Search* search, const char* name, bool* notAnsi = nullptr);
void SearchVariables(Search* search);

// inventory_path.cpp
void SearchPathVariable(Search* search);

// inventory_folders.cpp
void SearchFolders(Search* search);

// inventory_probes.cpp
bool FindLaunchers(const char* dir, char* javaw, char* java, int* tests);
InventoryArchitecture ArchitectureOf(WORD machine);
void ProbeHome(InventoryHome* home);

// inventory_javapath.cpp
void ResolveJavapath(Search* search, InventoryJavapath* javapath);
