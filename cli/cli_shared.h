// What JreSelectCli's commands share: errors on stderr, the hidden list box that the
// dialog's own search fills, and how the inventory's homes are told.
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

// " (64-bit view)" or " (32-bit view)" for the other registry view; empty for the own.
const char* ViewText(REGSAM view);

// --- the inventory of Java homes (discovery/java_inventory.h)

// Whether explain and list --all tell the home from the inventory: every home that a source
// other than the list's own key names. A home that only that key names is the search's,
// explained with its candidates.
bool IsToldByInventory(const InventoryHome& home);
// Whether list --all gives the home a line: every home that explain tells, but a PATH entry
// that names no fixed place (".", "rel\bin", "%X%\bin", "\\server\tools") and nothing
// else names, which is no home: explain names it, with its PATH entry and reason.
bool IsListedByInventory(const InventoryHome& home);
// "x86", "x64", "ARM64" or "architecture unknown".
const char* ArchitectureText(InventoryArchitecture architecture);
// Where the source named the home, in one phrase: "Eclipse Temurin,
// HKLM\SOFTWARE\...\MSI \"Path\" (64-bit view)", "JAVA_HOME", "PATH entry 3", ...
void PrintSourcePhrase(const InventorySource& source);
// The one line of reason why the list does not offer the home (no line end).
void PrintInventoryReason(const InventoryHome& home);
