// The dialog's way of telling the user: a message box. The texts are in res/messages.h.
#pragma once

// A modal message box owned by the desktop window, captioned "Fatal Error", stop icon.
void ShowFatalError(const char* text);
