// Where the programs' DLLs come from: the system directory, never the program's own folder
// or the current directory, where a DLL that someone planted would run with the program's
// rights, an administrator's included.
#pragma once

// The first call of both programs, before anything else loads a DLL or makes a window:
// takes the current directory out of the DLL search, then limits the search to the system
// directory where Windows can (SetDefaultDllDirectories: Windows 8 and later, Windows 7
// with its 2011 loader update); where it cannot, PreloadSystemDlls.
void RestrictDllSearch();

// Loads, by their full paths in the system directory, the DLLs that Windows' own DLLs load
// by name later in the programs, and keeps them loaded: a later load by name then gets the
// loaded copy instead of searching the program's folder. A DLL that this Windows lacks is
// passed over.
void PreloadSystemDlls();
