// The selection dialog: template 103, its procedure and the process-wide window state.
#pragma once

#include <windows.h>

extern HICON g_icon;         // loaded once per process, never destroyed
extern HWND g_runtimeList;   // list box 1000, or null when the dialog has none

// OK: ApplySelection, with "Unable to apply changes!" shown when it fails.
void ApplyRuntimeChoice(HWND list);

INT_PTR CALLBACK RuntimeDialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the dialog modally, owned by the desktop window; always returns 0.
int RunRuntimeDialog(HINSTANCE instance);
