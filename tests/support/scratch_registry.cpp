// Scratch registry keys and files for tests.
#include "support/scratch_registry.h"

#include <gtest/gtest.h>

#include <vector>

void DeleteKeyTree(const char* path, REGSAM view)
{
    if (view == kOwnView) {
        const LONG status = RegDeleteTreeA(HKEY_LOCAL_MACHINE, path);
        if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND)
            RegDeleteKeyA(HKEY_LOCAL_MACHINE, path);
        return;
    }
    // RegDeleteTreeA takes no view: the key is opened in its view first.
    HKEY handle;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_ALL_ACCESS | view, &handle) != ERROR_SUCCESS)
        return;
    RegDeleteTreeA(handle, nullptr);
    RegCloseKey(handle);
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, path, view, 0);
}

void SetRawValue(const char* key, const char* name, DWORD type, const void* data, DWORD size,
                 REGSAM view)
{
    HKEY handle;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0,
                                             KEY_ALL_ACCESS | view, nullptr, &handle, nullptr));
    EXPECT_EQ(ERROR_SUCCESS,
              RegSetValueExA(handle, name, 0, type, static_cast<const BYTE*>(data), size));
    RegCloseKey(handle);
}

void SetText(const char* key, const char* name, const std::string& text, DWORD type, REGSAM view)
{
    SetRawValue(key, name, type, text.c_str(), static_cast<DWORD>(text.size() + 1), view);
}

void CreateKey(const char* key, REGSAM view)
{
    HKEY handle;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0,
                                             KEY_ALL_ACCESS | view, nullptr, &handle, nullptr));
    RegCloseKey(handle);
}

std::string ReadValueBytes(const char* key, const char* name, REGSAM view)
{
    HKEY handle;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ | view, &handle) != ERROR_SUCCESS)
        return "<missing>";
    DWORD size = 0;
    std::string result = "<missing>";
    if (RegQueryValueExA(handle, name, nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS) {
        std::vector<char> data(size + 1);
        if (RegQueryValueExA(handle, name, nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()),
                             &size) == ERROR_SUCCESS)
            result.assign(data.data(), size);
    }
    RegCloseKey(handle);
    return result;
}

namespace {

void DumpInto(HKEY root, const std::string& path, REGSAM view, std::string& out)
{
    HKEY handle;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | view, &handle) != ERROR_SUCCESS)
        return;
    out += "[" + path + "]\n";
    for (DWORD i = 0;; ++i) {
        char name[16384];
        DWORD nameSize = sizeof(name);
        DWORD type = 0;
        BYTE data[65536];
        DWORD dataSize = sizeof(data);
        if (RegEnumValueA(handle, i, name, &nameSize, nullptr, &type, data, &dataSize) !=
            ERROR_SUCCESS)
            break;
        out += std::string(name) + "(" + std::to_string(type) + ")=" +
               std::string(reinterpret_cast<char*>(data), dataSize) + "\n";
    }
    std::vector<std::string> subkeys;
    for (DWORD i = 0;; ++i) {
        char name[512];
        if (RegEnumKeyA(handle, i, name, sizeof(name)) != ERROR_SUCCESS)
            break;
        subkeys.push_back(name);
    }
    RegCloseKey(handle);
    for (const std::string& sub : subkeys)
        DumpInto(root, path + "\\" + sub, view, out);
}

}  // namespace

std::string DumpKeyTree(const char* key, REGSAM view)
{
    std::string out;
    DumpInto(HKEY_LOCAL_MACHINE, key, view, out);
    return out;
}

void MakeDirectories(const std::string& path)
{
    for (size_t i = 3; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '\\')
            CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
    }
}

void MakeFile(const std::string& path, const std::string& content)
{
    const size_t slash = path.rfind('\\');
    if (slash != std::string::npos)
        MakeDirectories(path.substr(0, slash));
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file) << path;
    DWORD written = 0;
    if (!content.empty())
        WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
}

void RemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string child = path + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

void ResetProgramKeys(REGSAM view)
{
    DeleteKeyTree(kTestVelmorKey, view);
    DeleteKeyTree("SOFTWARE\\JavaSoft", view);
    DeleteKeyTree(kTestMicrosoftVmKey, view);
}
