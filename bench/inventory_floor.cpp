// The floor of the search of every Java home (bench/inventory_floor.h).
#include "bench/inventory_floor.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "discovery/java_inventory.h"
#include "discovery/probes.h"

namespace {

// The first 64 bytes of a PE file for x64, then its signature and machine field.
std::string PeHeader()
{
    std::string header(0x48, '\0');
    header[0] = 'M';
    header[1] = 'Z';
    header[0x3C] = 0x40;
    header.replace(0x40, 6, std::string("PE\0\0\x64\x86", 6));
    return header;
}

}  // namespace

bool MakeHome(const std::string& home)
{
    static const std::string header = PeHeader();
    static const std::string release = ReleaseText("17.0.10");
    return MakeFile(home + "\\bin\\javaw.exe", header) && MakeFile(home + "\\release", release);
}

namespace {

struct FloorCount {
    int homes;
};

bool Exists(const char* path)
{
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// A home's launchers tested, its release file and launcher header read.
void ProbeHomeFloor(const char* home, bool launchersKnown, FloorCount* count)
{
    static char buffer[kReleaseReadLimit];
    char path[MAX_PATH];
    char javaw[MAX_PATH];
    wsprintfA(javaw, "%s\\bin\\javaw.exe", home);
    if (!launchersKnown) {
        wsprintfA(path, "%s\\bin\\java.exe", home);
        const bool any = Exists(javaw) | Exists(path);
        if (!any)
            return;
    }
    ++count->homes;
    wsprintfA(path, "%s\\release", home);
    DWORD got = 0;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        ReadFile(file, buffer, sizeof(buffer), &got, nullptr);
        CloseHandle(file);
    }
    file = CreateFileA(javaw, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        BYTE header[64];
        ReadFile(file, header, sizeof(header), &got, nullptr);
        SetFilePointer(file, *reinterpret_cast<LONG*>(header + 0x3C), nullptr, FILE_BEGIN);
        ReadFile(file, header, 6, &got, nullptr);
        CloseHandle(file);
    }
}

// Reads the registry table's places as the shapes say, each home's value, then probes.
void WalkFloor(HKEY root, REGSAM view, const char* key, const char* shape, const char* value,
               FloorCount* count)
{
    if (*shape == '\0') {
        HKEY handle;
        if (RegOpenKeyExA(root, key, 0, KEY_READ | view, &handle) != ERROR_SUCCESS)
            return;
        // As a value of unknown length is read: its size, then the value.
        char home[MAX_PATH];
        DWORD size = 0;
        DWORD type = 0;
        LONG status = RegQueryValueExA(handle, value, nullptr, &type, nullptr, &size);
        if (status == ERROR_SUCCESS && size < sizeof(home))
            status = RegQueryValueExA(handle, value, nullptr, &type, reinterpret_cast<BYTE*>(home),
                                      &size);
        else
            status = ERROR_MORE_DATA;
        RegCloseKey(handle);
        if (status != ERROR_SUCCESS)
            return;
        home[size] = '\0';
        ProbeHomeFloor(home, false, count);
        return;
    }
    const char* end = shape;
    while (*end != '\0' && *end != '\\')
        ++end;
    const char* rest = *end == '\\' ? end + 1 : end;
    char child[MAX_PATH];
    if (!(end - shape == 1 && *shape == '*')) {
        const std::string joined = std::string(key) + "\\" + std::string(shape, end - shape);
        WalkFloor(root, view, joined.c_str(), rest, value, count);
        return;
    }
    HKEY handle;
    if (RegOpenKeyExA(root, key, 0, KEY_READ | view, &handle) != ERROR_SUCCESS)
        return;
    std::vector<std::string> names;
    char name[MAX_PATH];
    for (DWORD index = 0; RegEnumKeyA(handle, index, name, MAX_PATH) == ERROR_SUCCESS; ++index)
        names.push_back(name);
    RegCloseKey(handle);
    for (const std::string& n : names) {
        wsprintfA(child, "%s\\%s", key, n.c_str());
        WalkFloor(root, view, child, rest, value, count);
    }
}

}  // namespace

int InventoryFloor()
{
    FloorCount count = {0};
    size_t rows = 0;
    const InventoryRegistryRow* table = InventoryRegistryRows(&rows);
    BOOL wow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &wow64);
    const REGSAM other = sizeof(void*) == 8 ? KEY_WOW64_32KEY : wow64 ? KEY_WOW64_64KEY : 0;
    for (size_t i = 0; i < rows; ++i) {
        WalkFloor(HKEY_LOCAL_MACHINE, 0, table[i].key, table[i].shape, table[i].value, &count);
        if (other != 0)
            WalkFloor(HKEY_LOCAL_MACHINE, other, table[i].key, table[i].shape, table[i].value,
                      &count);
        WalkFloor(HKEY_CURRENT_USER, 0, table[i].key, table[i].shape, table[i].value, &count);
    }
    static char variable[32768];
    for (const char* name : {"JAVA_HOME", "JDK_HOME"}) {
        if (GetEnvironmentVariableA(name, variable, sizeof(variable)) != 0)
            ProbeHomeFloor(variable, false, &count);
    }
    GetEnvironmentVariableA("PATH", variable, sizeof(variable));
    for (char* entry = variable; entry != nullptr && *entry != '\0';) {
        char* next = strchr(entry, ';');
        if (next != nullptr)
            *next++ = '\0';
        char javaw[MAX_PATH];
        char java[MAX_PATH];
        wsprintfA(javaw, "%s\\javaw.exe", entry);
        wsprintfA(java, "%s\\java.exe", entry);
        if ((Exists(javaw) | Exists(java)) && strlen(entry) > 4) {
            entry[strlen(entry) - 4] = '\0';  // the home above bin
            ProbeHomeFloor(entry, true, &count);
        }
        entry = next;
    }
    size_t folders = 0;
    const InventoryFolderRow* folderRows = InventoryFolderRows(&folders);
    std::vector<std::string> seen;
    for (size_t i = 0; i < folders; ++i) {
        char base[MAX_PATH];
        if (GetEnvironmentVariableA(folderRows[i].base, base, MAX_PATH) == 0)
            continue;
        const std::string folder = std::string(base) + "\\" + folderRows[i].folder;
        bool again = false;
        for (const std::string& s : seen)
            again = again || lstrcmpiA(s.c_str(), folder.c_str()) == 0;
        if (again)
            continue;
        seen.push_back(folder);
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            continue;
        do {
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 || found.cFileName[0] == '.')
                continue;
            const std::string home = folder + "\\" + found.cFileName;
            ProbeHomeFloor(home.c_str(), false, &count);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    return count.homes;
}

