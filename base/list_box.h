// The list box operations: the only code that sends list box messages.
#pragma once

#include <windows.h>

// Index of the new item, or a negative value (LB_ERR, LB_ERRSPACE) when it was not added.
int ListAddString(HWND list, const char* text);
void ListSetItemData(HWND list, int index, const void* value);
int ListGetCount(HWND list);
// The item's value, or null for LB_ERR and for an item without one.
void* ListGetItemData(HWND list, int index);
// Index of the selected item, or LB_ERR when none is selected.
int ListGetCurSel(HWND list);
void ListSetCurSel(HWND list, int index);
// Copies the item's text into out (260 bytes); false, with out empty, when there is no such
// item or its text does not fit.
bool ListGetText(HWND list, int index, char* out);
