// What JreSelectCli's commands share: errors on stderr, the hidden list box that the
// dialog's own search fills.
#pragma once

#include <windows.h>

#include "cli/report.h"
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
// OpenList, then the report of the search into it (with the inventory when asked); on failure
// says why, closes the list and returns the exit code. CloseList(report->list) after.
int OpenReport(bool inventory, Report* report);

const RuntimeEntry* EntryAt(HWND list, int index);
