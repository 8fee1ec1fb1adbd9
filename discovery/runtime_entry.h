// One Java runtime that the user can choose, as held by the runtime list, and the entries
// that a list box holds.
#pragma once

#include <windows.h>

#include "base/text_buffer.h"

// name comes first so that the record's address also serves as its display text.
struct RuntimeEntry {
    char name[kTextBufferSize];     // label, and " (version)" when there is a version
    char starter[kTextBufferSize];  // full path of the launcher
    char version[kTextBufferSize];  // may be empty
    char classes[kTextBufferSize];  // always "start.jar"
};

extern const char kBundledLabel[];
extern const char kSunLabel[];
extern const char kMicrosoftLabel[];

// A new entry, or null when there is no memory or a text does not fit its field (an entry
// is never made with a cut path). Released with FreeRuntimeEntry.
RuntimeEntry* NewRuntimeEntry(const char* label, const char* starterPath, const char* version);
void FreeRuntimeEntry(RuntimeEntry* entry);

// Appends the entry to the list box, which owns it from then on, and sets *index (when
// index is given) to the new item's index. When the list box does not take the item, the
// entry is released at once and false is returned.
bool AddListEntry(HWND list, RuntimeEntry* entry, int* index = nullptr);

// The index of the first entry in list whose launcher is the same path as launcher
// (SameLauncherPath: A-Z folded, double-byte characters compared exactly); -1 when none is.
int FindRuntimeByLauncher(HWND list, const char* launcher);
