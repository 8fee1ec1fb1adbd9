// The program's three messages to the user.
#pragma once

extern const char kCannotLocateMessage[];
extern const char kInitUiFailedMessage[];
extern const char kApplyFailedMessage[];

// A modal message box owned by the desktop window, captioned "Fatal Error", stop icon.
void ShowFatalError(const char* text);
