// JreSelect: lets the user choose the Java runtime that Quillfern runs with.
#include <windows.h>

#include "app/runtime_dialog.h"
#include "base/dll_search.h"

// The command line is ignored, and the exit code is 0 however the dialog ends.
int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, LPSTR /*lpCmdLine*/,
                   int /*nShowCmd*/)
{
    // A probe of an empty removable drive (a card reader, a floppy drive) must fail quietly,
    // never raise a "no disk" box that blocks the dialog or a script.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    // Before any DLL is loaded by name or any window is made.
    RestrictDllSearch();
    return RunRuntimeDialog(hInstance);
}
