// JreSelect: lets the user choose the Java runtime that Quillfern runs with.
#include <windows.h>

#include "app/runtime_dialog.h"
#include "base/dll_search.h"

// The command line is ignored, and the exit code is 0 however the dialog ends.
int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, LPSTR /*lpCmdLine*/,
                   int /*nShowCmd*/)
{
    // Before any DLL is loaded by name or any window is made.
    RestrictDllSearch();
    return RunRuntimeDialog(hInstance);
}
