// The --json forms of list, list --all, explain and set: the facts that the text forms print,
// as fields. Every document is one object with "schema" (kJsonSchema) and "command" first;
// docs/cli.md describes them.
#pragma once

#include <windows.h>

// Raised when a field changes meaning or goes; a new field keeps the number.
const int kJsonSchema = 1;

// list and list --all: "runtimes", "current", and with all "notOffered" and "homes". Runs the search
// into the empty list box and preselects, as InitRuntimeList does. False, with nothing
// printed, when the search of every Java home ran out of memory.
bool PrintListJson(HWND list, bool all);
// explain: "settings", "candidates", "runtimes", "current", "currentReason", "notOffered",
// "homes", "javapaths". False as PrintListJson.
bool PrintExplainJson(HWND list);
// set, after the selected entry was written: "set" with index, text, starter, classes.
void PrintSetJson(HWND list);
// An error with an exit code: "error" with "code" and "message" (what stderr says).
void PrintJsonError(const char* command, int code, const char* message);
