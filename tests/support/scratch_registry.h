// Test support over Wine's real registry and file system: scratch keys and files that a
// fixture makes in set-up and removes at the end.
#pragma once

#include <windows.h>

#include <string>

const char kTestVelmorKey[] = "SOFTWARE\\Velmor";
const char kTestProductKey[] = "SOFTWARE\\Velmor\\Quillfern";
const char kTestJavaSoftKey[] = "SOFTWARE\\JavaSoft\\Java Runtime Environment";
const char kTestMicrosoftVmKey[] = "SOFTWARE\\Microsoft\\Java VM";

// Registry views: the test's own (the one the program under test sees in the same
// configuration), or the 32-bit or 64-bit one of a 64-bit Windows named explicitly.
const REGSAM kOwnView = 0;
const REGSAM kView32 = KEY_WOW64_32KEY;
const REGSAM kView64 = KEY_WOW64_64KEY;

// Removes a key and everything below it under HKEY_LOCAL_MACHINE; a missing key is fine.
void DeleteKeyTree(const char* path, REGSAM view = kOwnView);
// Sets a value under HKEY_LOCAL_MACHINE, creating the key; data is taken byte for byte.
void SetRawValue(const char* key, const char* name, DWORD type, const void* data, DWORD size,
                 REGSAM view = kOwnView);
// Sets a text value with its terminating NUL.
void SetText(const char* key, const char* name, const std::string& text, DWORD type = REG_SZ,
             REGSAM view = kOwnView);
void CreateKey(const char* key, REGSAM view = kOwnView);
// The value's bytes, or "<missing>" when it cannot be read.
std::string ReadValueBytes(const char* key, const char* name, REGSAM view = kOwnView);
// Every value and subkey below key (HKEY_LOCAL_MACHINE), as one text: equal texts mean an
// unchanged tree.
std::string DumpKeyTree(const char* key, REGSAM view = kOwnView);

// Files and directories for probes, below a root such as C:\jt\<name>.
void MakeDirectories(const std::string& path);
void MakeFile(const std::string& path, const std::string& content = "");
// Removes a directory tree; a missing one is fine.
void RemoveTree(const std::string& path);

// Deletes the keys that the program reads and writes, so that a case starts clean and
// leaves nothing behind.
void ResetProgramKeys(REGSAM view = kOwnView);
