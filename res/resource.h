// Resource and control identifiers, shared by the .rc file and the code.
#pragma once

#define IDI_APP_ICON 101
#define IDD_RUNTIME_DIALOG 103
#define IDB_LOGO 104
#define IDC_RUNTIME_LIST 1000

// The program's version, in the one place: the version resources show it, and CMakeLists.txt
// reads both lines (they must agree) and names the release zip after it.
#define VER_FILEVERSION 1, 0, 0, 2
#define VER_FILEVERSION_TEXT "1, 0, 0, 2"
