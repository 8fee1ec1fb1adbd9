// What JreSelectCli's commands share: errors on stderr, the hidden list box that the
// dialog's own search fills, and which notes name a runtime that the list does not offer.
#pragma once

#include <windows.h>

#include "discovery/java_inventory.h"
#include "discovery/runtime_discovery.h"
#include "discovery/runtime_entry.h"

#include <string>

// Says text on stderr, and keeps it in g_errorMessage for the JSON form's error object.
void PrintError(const char* text);
extern std::string g_errorMessage;

// The search of every Java home ran out of memory: exit kExitInternal.
const char kOutOfMemoryMessage[] = "Out of memory: the search of installed Java did not finish.";

// Reads the product's settings and makes the empty list box; on failure says why and
// returns the exit code, with *list null. CloseList releases the entries and the window.
int OpenList(HWND* list);
void CloseList(HWND list);

const RuntimeEntry* EntryAt(HWND list, int index);

// The notes of FindUnofferedRuntimes about a runtime that the list does not have. The rest
// give nothing: an absent key, a name that the search would skip as well, and a launcher
// that a listed entry has too (the same runtime, not repeated).
bool IsUnofferedRuntime(const DiscoveryNote& note);

// " (64-bit view)" or " (32-bit view)" for the other registry view; empty for the own.
const char* ViewText(REGSAM view);

// --- the inventory of Java homes (discovery/java_inventory.h)

// Whether explain and list --all tell the home from the inventory: every home that a source
// other than the JavaSoft keys of HKEY_LOCAL_MACHINE names, and every home those keys name
// on the network or a device (never opened). Those keys' other homes are told per
// registration (FindUnofferedRuntimes), or by the search itself.
bool IsToldByInventory(const InventoryHome& home);
// "x86", "x64", "ARM64" or "architecture unknown".
const char* ArchitectureText(InventoryArchitecture architecture);
// Where the source named the home, in one phrase: "Eclipse Temurin,
// HKLM\SOFTWARE\...\MSI \"Path\" (64-bit view)", "JAVA_HOME", "PATH entry 3", ...
void PrintSourcePhrase(const InventorySource& source);
// The one line of reason why the list does not offer the home (no line end).
void PrintInventoryReason(const InventoryHome& home);
