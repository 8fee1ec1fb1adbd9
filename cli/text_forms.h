// What the text forms of list --all and explain say alike of the inventory: where a source
// named a home, and why a home or a PATH entry is not offered, in the words of cli/words.h.
#pragma once

#include <string>

#include "discovery/java_inventory.h"

// A number as the words' %s take it.
std::string NumberText(long number);

// Where the source named the home, in one phrase: "Eclipse Temurin,
// HKLM\SOFTWARE\...\MSI \"Path\" (64-bit view)", "JAVA_HOME", "PATH entry 3, C:\jdk\bin", ...
void PrintSourcePhrase(const InventorySource& source);
// The one line of reason why the list does not offer the home (no line end).
void PrintInventoryReason(const InventoryHome& home);
// Why the PATH entry was not looked at (no line end).
void PrintPathEntryReason(const InventoryPathEntry& entry);
