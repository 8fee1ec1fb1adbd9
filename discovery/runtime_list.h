// The runtime list's content, for both programs: filled at start-up, read on OK, released
// at the end. The list box owns every RuntimeEntry that it holds as an item value.
#pragma once

#include <windows.h>

// Fills the list and preselects the runtime that the product uses now; nothing for null.
void InitRuntimeList(HWND list);
// Selects the first entry whose launcher equals g_starter (SelectRuntimeByLauncher).
void SelectCurrentRuntime(HWND list);
// Selects the entry that FindRuntimeByLauncher finds and returns its index; -1, with the selection left as it was, when no
// entry is.
int SelectRuntimeByLauncher(HWND list, const char* launcher);
// Writes "starter" then "classes" of the selected entry; true when both were written.
bool ApplySelection(HWND list);
// Releases every entry that the list box holds.
void ReleaseRuntimeList(HWND list);
