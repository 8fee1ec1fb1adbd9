// The --json forms of list, list --all, explain and set: the facts that the text forms print,
// as fields. Every document is one object with "schema" (kJsonSchema) and "command" first;
// docs/cli.md describes them.
#pragma once

#include <windows.h>

#include "cli/report.h"

// Raised when a field changes meaning or goes; a new field keeps the number. 2: "notOffered"
// and the settings' "read" are gone, PATH entries not looked at are "pathEntries".
const int kJsonSchema = 2;

// The JSON printers of the report, as the text printers are of the same report.
// list and list --all: "runtimes", "current", and with all "homes".
void PrintListJson(const Report& report, bool all);
// explain: "settings", "candidates", "runtimes", "current", "currentReason", "homes",
// "pathEntries", "javapaths".
void PrintExplainJson(const Report& report);
// set, after the selected entry was written: "set" with index, text, starter, classes.
void PrintSetJson(HWND list);
// An error with an exit code: "error" with "code" and "message" (what stderr says).
void PrintJsonError(const char* command, int code, const char* message);
