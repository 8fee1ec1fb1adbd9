// Operates JreSelect's windows from another process, as a user at the screen would: finds
// the dialog or a message box, reads what they show, chooses a runtime and ends the dialog.
// Everything goes through window messages, so the program under test is not changed.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

extern const char kDialogCaption[];   // "Quillfern"
extern const char kMessageCaption[];  // "Fatal Error"

// What a wait ended on.
enum SeenKind {
    kSeenNothing,  // the time limit passed
    kSeenDialog,   // the selection dialog is visible
    kSeenMessage,  // a "Fatal Error" message box is visible
    kSeenExit,     // the watched process ended first
};

// What to wait for; message boxes are looked for before the dialog.
const unsigned kWatchDialog = 1;
const unsigned kWatchMessage = 2;

struct Seen {
    SeenKind kind;
    HWND window;  // the dialog or the message box, else null
};

// A pid of 0 matches windows of any process. The dialog counts only once it is visible:
// a dialog that ends during its start-up exists, hidden, while its message box is shown.
HWND FindDialog(DWORD pid);
HWND FindMessageBox(DWORD pid);

// Polls every 10 ms until a window of the kinds in `what` shows, `process` (may be null)
// ends, or timeoutMs pass.
Seen WaitFor(unsigned what, DWORD pid, HANDLE process, DWORD timeoutMs);

// Polls until `window` is gone or hidden; false when the time limit passed first.
bool WaitUntilGone(HWND window, DWORD timeoutMs);

// The message box's text (its text control, not the icon); false when none was found.
bool ReadMessageText(HWND box, std::string* text);
// Answers the box with OK and waits until it is gone.
bool DismissMessage(HWND box, DWORD timeoutMs);

struct ListState {
    int count;      // LB_GETCOUNT
    int selection;  // LB_GETCURSEL: -1 when nothing is selected
    std::vector<std::string> items;
};

// Reads the runtime list box (control 1000) of the dialog.
bool ReadRuntimeList(HWND dialog, ListState* state);
// Selects item index, as a click on it would; false when the list box refused the index.
bool SelectRuntime(HWND dialog, int index);

// The ways to end the dialog. They post and return at once: OK may open a message box,
// which keeps the dialog's thread busy until it is answered.
bool PressButton(HWND dialog, int id);  // IDOK or IDCANCEL, clicked
bool PressEscape(HWND dialog);          // the key, to the control that has the focus
bool PressCloseBox(HWND dialog);        // the caption's close box (SC_CLOSE)

// Waits until the dialog's thread has handled everything sent before, then until its
// windows have painted, and saves what the screen shows in the window's rectangle as a
// 24-bit BMP file.
bool SaveScreenshot(HWND window, const char* path);
