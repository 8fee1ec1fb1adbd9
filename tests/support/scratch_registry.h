// Test support over Wine's real registry and file system: scratch keys and files that a
// fixture makes in set-up and removes at the end.
#pragma once

#include <windows.h>

#include <string>

const char kTestVelmorKey[] = "SOFTWARE\\Velmor";
const char kTestProductKey[] = "SOFTWARE\\Velmor\\Quillfern";
const char kTestJavaSoftKey[] = "SOFTWARE\\JavaSoft\\Java Runtime Environment";
const char kTestMicrosoftVmKey[] = "SOFTWARE\\Microsoft\\Java VM";

// Removes a key and everything below it under HKEY_LOCAL_MACHINE; a missing key is fine.
void DeleteKeyTree(const char* path);
// Sets a value under HKEY_LOCAL_MACHINE, creating the key; data is taken byte for byte.
void SetRawValue(const char* key, const char* name, DWORD type, const void* data, DWORD size);
// Sets a text value with its terminating NUL.
void SetText(const char* key, const char* name, const std::string& text, DWORD type = REG_SZ);
void CreateKey(const char* key);
// The value's bytes, or "<missing>" when it cannot be read.
std::string ReadValueBytes(const char* key, const char* name);
// Every value and subkey below key (HKEY_LOCAL_MACHINE), as one text: equal texts mean an
// unchanged tree.
std::string DumpKeyTree(const char* key);

// Files and directories for probes, below a root such as C:\jt\<name>.
void MakeDirectories(const std::string& path);
void MakeFile(const std::string& path, const std::string& content = "");
// Removes a directory tree; a missing one is fine.
void RemoveTree(const std::string& path);

// Deletes the keys that the program reads and writes, so that a case starts clean and
// leaves nothing behind.
void ResetProgramKeys();
