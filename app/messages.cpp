// Messages to the user: modal boxes owned by the desktop window.
#include "app/messages.h"

#include <windows.h>

const char kCannotLocateMessage[] = "Cannot locate Quillfern software!";
const char kInitUiFailedMessage[] = "Unable to initialize UI!";
const char kApplyFailedMessage[] = "Unable to apply changes!";

namespace {
const char kFatalCaption[] = "Fatal Error";
}

void ShowFatalError(const char* text)
{
    MessageBoxA(GetDesktopWindow(), text, kFatalCaption, MB_ICONHAND);
}
