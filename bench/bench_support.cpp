// Clock, statistics, memory figures and the scratch installation of the benchmarks.
#include "bench/bench_support.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

const char kBenchRoot[] = "C:\\jrebench";
const char kBenchJavaSoftKey[] = "SOFTWARE\\JavaSoft\\Java Runtime Environment";

namespace {

const char kProductKey[] = "SOFTWARE\\Velmor\\Quillfern";
const char kVelmorKey[] = "SOFTWARE\\Velmor";
const char kJavaSoftKey[] = "SOFTWARE\\JavaSoft";
const char kMicrosoftVmKey[] = "SOFTWARE\\Microsoft\\Java VM";
const char kProductHome[] = "C:\\jrebench\\Quillfern";
const char kFixtureName[] = "fixtures\\wjview_5_0_0_381.exe";

bool SetText(const char* key, const char* name, const char* text)
{
    HKEY handle;
    if (RegCreateKeyA(HKEY_LOCAL_MACHINE, key, &handle) != ERROR_SUCCESS)
        return false;
    const LONG result = RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                                       static_cast<DWORD>(strlen(text) + 1));
    RegCloseKey(handle);
    return result == ERROR_SUCCESS;
}

// A missing key is fine.
void DeleteKeyTree(const char* key)
{
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, key);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, key);
}

// Removes the key only when nothing is left below it.
void DeleteKeyIfEmpty(const char* key)
{
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, key);
}

bool MakeDirectory(const std::string& path)
{
    return CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool MakeEmptyFile(const std::string& path)
{
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return true;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

void RemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (strcmp(found.cFileName, ".") == 0 || strcmp(found.cFileName, "..") == 0)
                continue;
            const std::string child = path + "\\" + found.cFileName;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileA(child.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

std::string WindowsDirectory()
{
    char dir[MAX_PATH];
    const UINT length = GetWindowsDirectoryA(dir, MAX_PATH);
    return length > 0 && length < MAX_PATH ? dir : "C:\\windows";
}

}  // namespace

double NowMs()
{
    static LARGE_INTEGER frequency;
    if (frequency.QuadPart == 0)
        QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

double Minimum(const std::vector<double>& values)
{
    return values.empty() ? 0.0 : *std::min_element(values.begin(), values.end());
}

bool ReadPeakMemory(HANDLE process, PeakMemory* peak)
{
    PROCESS_MEMORY_COUNTERS counters;
    memset(&counters, 0, sizeof(counters));
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(process, &counters, sizeof(counters)))
        return false;
    peak->workingSet = counters.PeakWorkingSetSize;
    peak->pagefile = counters.PeakPagefileUsage;
    return true;
}

bool InstallProduct()
{
    const std::string home = kProductHome;
    const std::string starter = home + "\\jre\\bin\\javaw.exe";
    return MakeDirectory(kBenchRoot) && MakeDirectory(home) && MakeDirectory(home + "\\jre") &&
           MakeDirectory(home + "\\jre\\bin") && MakeEmptyFile(starter) &&
           SetText(kProductKey, "home", home.c_str()) &&
           SetText(kProductKey, "starter", starter.c_str());
}

bool InstallMicrosoftVm()
{
    char self[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return false;
    std::string fixture = self;
    fixture = fixture.substr(0, fixture.rfind('\\') + 1) + kFixtureName;
    HKEY key;
    if (RegCreateKeyA(HKEY_LOCAL_MACHINE, kMicrosoftVmKey, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    const std::string wjview = WindowsDirectory() + "\\wjview.exe";
    if (!CopyFileA(fixture.c_str(), wjview.c_str(), FALSE)) {
        fprintf(stderr, "cannot copy %s to %s\n", fixture.c_str(), wjview.c_str());
        return false;
    }
    return true;
}

bool InstallRegisteredRuntimes(int first, int count)
{
    if (!MakeDirectory(kBenchRoot))
        return false;
    for (int i = first; i < first + count; ++i) {
        char name[32];
        char key[MAX_PATH];
        char group[MAX_PATH];
        char home[MAX_PATH];
        wsprintfA(name, "1.6.0_%05d", i);
        wsprintfA(key, "%s\\%s", kBenchJavaSoftKey, name);
        // At most 100 entries a directory: Wine reads the whole directory for another spelling
        // of each name it creates there (10,000 siblings took 17 s to make instead of 3.5).
        wsprintfA(group, "%s\\%03d", kBenchRoot, i / 100);
        wsprintfA(home, "%s\\jre%05d", group, i);
        const std::string dir = home;
        if ((i % 100 == 0 || i == first) && !MakeDirectory(group))
            return false;
        if (!MakeDirectory(dir) || !MakeDirectory(dir + "\\bin") ||
            !MakeEmptyFile(dir + "\\bin\\javaw.exe") || !SetText(key, "JavaHome", home))
            return false;
    }
    return true;
}

void RemoveRegisteredRuntimes()
{
    DeleteKeyTree(kBenchJavaSoftKey);
    DeleteKeyIfEmpty(kJavaSoftKey);
}

void RemoveInstallation()
{
    RemoveRegisteredRuntimes();
    DeleteKeyTree(kProductKey);
    DeleteKeyIfEmpty(kVelmorKey);
    DeleteKeyTree(kMicrosoftVmKey);
    DeleteFileA((WindowsDirectory() + "\\wjview.exe").c_str());
    RemoveTree(kBenchRoot);
}
