// Messages to the user: modal boxes owned by the desktop window.
#include "app/messages.h"

#include <windows.h>

namespace {
const char kFatalCaption[] = "Fatal Error";
}

void ShowFatalError(const char* text)
{
    MessageBoxA(GetDesktopWindow(), text, kFatalCaption, MB_ICONHAND);
}
