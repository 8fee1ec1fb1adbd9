// The programs' DLL search: restricted at start, and the fallback for Windows without
// SetDefaultDllDirectories. The only code that decides where DLLs may come from.
#include "base/dll_search.h"

#include <windows.h>

#include <cstring>

#include "base/text_buffer.h"

namespace {

// The DLLs that Windows' own DLLs load by name in these programs and that are not
// KnownDLLs on every Windows that lacks SetDefaultDllDirectories. WINEDEBUG=+loaddll of both
// programs under Wine shows, besides KnownDLLs and what only Wine's own DLLs load:
// imm32.dll, which user32 loads (a KnownDLL on Windows 7 and later), and uxtheme.dll, which
// user32 loads when the first window is made. On Vista and 7 uxtheme.dll loads dwmapi.dll,
// so that one comes before it. Windows XP lacks dwmapi.dll.
const char* const kPreloadedDlls[] = {"imm32.dll", "dwmapi.dll", "uxtheme.dll"};

typedef BOOL(WINAPI* SetDefaultDllDirectoriesFunction)(DWORD);

}  // namespace

void RestrictDllSearch()
{
    // XP SP1 and later: an empty text takes the current directory out of the search.
    SetDllDirectoryA("");
    // Looked up, not imported: Windows XP, Vista and 7 without its update lack it.
    const FARPROC found =
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
    const SetDefaultDllDirectoriesFunction setDefaultDllDirectories =
        reinterpret_cast<SetDefaultDllDirectoriesFunction>(reinterpret_cast<void (*)()>(found));
    if (setDefaultDllDirectories != nullptr &&
        setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32))
        return;
    PreloadSystemDlls();
}

void PreloadSystemDlls()
{
    char directory[kTextBufferSize];
    const UINT length = GetSystemDirectoryA(directory, kTextBufferSize);
    if (length == 0 || length >= kTextBufferSize)
        return;
    for (const char* name : kPreloadedDlls) {
        // The system directory never ends in a backslash.
        char path[kTextBufferSize];
        if (length + 1 + strlen(name) >= kTextBufferSize)
            continue;
        strcpy(path, directory);
        strcat(path, "\\");
        strcat(path, name);
        // With LOAD_WITH_ALTERED_SEARCH_PATH the DLL's own imports are looked for in its
        // folder, the system directory, not in the program's. Never freed: the loaded copy
        // is what a later load by name must find.
        LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    }
}
