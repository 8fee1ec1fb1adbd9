// Inventory benchmark: TakeJavaInventory (explain's and list --all's search of every Java
// home) for N = 10 to 10,000 homes spread over its sources, against a floor loop that only
// makes the registry reads and file probes that such a search must make: every place of the
// registry table read, each home's launchers tested, its release file and its launcher's PE
// header read. Prints medians; it judges nothing.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "discovery/java_inventory.h"
#include "discovery/probes.h"

namespace {

const char kRoot[] = "C:\\jib";
const char kFolder[] = "C:\\Program Files\\Java";  // ProgramFiles, or ProgramW6432 under WOW64

struct Size {
    int homes;
    int runs;
};
const Size kSizes[] = {{10, 31}, {100, 21}, {1000, 7}, {10000, 3}};

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

bool MakeHome(const std::string& home)
{
    static const std::string header = PeHeader();
    static const std::string release = ReleaseText("17.0.10");
    return MakeFile(home + "\\bin\\javaw.exe", header) && MakeFile(home + "\\release", release);
}

std::string g_path;  // PATH as the benchmark's entries extend it

// Home i, over the sources by i % 10: three Temurin MSIs, two Zulu, one per-user Temurin,
// one JavaSoft\JDK, one on PATH, two unzipped in Program Files\Java.
bool SeedHome(int i)
{
    char name[32];
    wsprintfA(name, "%05d", i);
    const int kind = i % 10;
    if (kind >= 8) {
        return MakeHome(std::string(kFolder) + "\\jdk-" + name);
    }
    const std::string home = std::string(kRoot) + "\\h" + name;
    if (!MakeHome(home))
        return false;
    switch (kind) {
    case 0:
    case 1:
    case 2:
        return SeedHomeValue(HKEY_LOCAL_MACHINE,
                             std::string("SOFTWARE\\Eclipse Adoptium\\JDK\\") + name +
                                 "\\hotspot\\MSI",
                             "Path", home);
    case 3:
    case 4:
        return SeedHomeValue(HKEY_LOCAL_MACHINE, std::string("SOFTWARE\\Azul Systems\\Zulu\\zulu-") + name,
                             "InstallationPath", home);
    case 5:
        return SeedHomeValue(HKEY_CURRENT_USER,
                             std::string("SOFTWARE\\Eclipse Adoptium\\JDK\\") + name +
                                 "\\hotspot\\MSI",
                             "Path", home);
    case 6:
        return SeedHomeValue(HKEY_LOCAL_MACHINE, std::string("SOFTWARE\\JavaSoft\\JDK\\") + name,
                             "JavaHome", home);
    default:
        g_path += ";" + home + "\\bin";
        SetEnvironment("PATH", g_path.c_str());
        return true;
    }
}

// --- the floor: the reads and probes, nothing kept

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

int Floor()
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

double TimeInventory(int* count)
{
    JavaInventory inventory;
    const double start = NowMs();
    TakeJavaInventory(nullptr, &inventory);
    const double elapsed = NowMs() - start;
    *count = static_cast<int>(inventory.homes.size());
    return elapsed;
}

double TimeFloor(int* count)
{
    const double start = NowMs();
    *count = Floor();
    return NowMs() - start;
}

void RemoveAll()
{
    ClearMachine();
    RemoveTree(kRoot);
}

int Fail(const char* what)
{
    fprintf(stderr, "inventory_bench: %s\n", what);
    RemoveAll();
    return 1;
}

}  // namespace

// An argument, when given, is the largest N to run (for a quick look).
int main(int argc, char** argv)
{
    const int largest = argc > 1 ? atoi(argv[1]) : 10000;
    setvbuf(stdout, nullptr, _IONBF, 0);
    RemoveAll();  // leftovers of an interrupted run
    g_path = EnvironmentValue("PATH");
    // JAVA_HOME names one home more than N.
    const std::string javaHome = std::string(kRoot) + "\\javahome";
    if (!MakeHome(javaHome))
        return Fail("cannot make JAVA_HOME's home");
    SetEnvironment("JAVA_HOME", javaHome.c_str());

    printf("Inventory: TakeJavaInventory vs the floor (registry reads and file probes only);\n"
           "N homes over the sources (3/10 Temurin MSI, 2/10 Zulu, 1/10 per-user Temurin,\n"
           "1/10 JavaSoft\\JDK, 1/10 PATH, 2/10 Program Files\\Java) + JAVA_HOME's;\n"
           "median of the runs; peak memory of this process\n\n");
    printf("%7s %5s %12s %10s %10s %10s %6s %12s\n", "N", "runs", "inventory", "per home",
           "floor", "per home", "ratio", "peak WS");
    printf("%7s %5s %12s %10s %10s %10s %6s %12s\n", "", "", "ms", "us", "ms", "us", "", "KiB");

    double installMs = 0.0;
    int seeded = 0;
    for (const Size& size : kSizes) {
        if (size.homes > largest)
            break;
        const double installStart = NowMs();
        for (; seeded < size.homes; ++seeded) {
            if (!SeedHome(seeded))
                return Fail("cannot seed a home");
        }
        installMs += NowMs() - installStart;
        const int expected = size.homes + 1;
        int count = 0;
        TimeInventory(&count);
        TimeFloor(&count);
        std::vector<double> inventory;
        std::vector<double> floor;
        for (int run = 0; run < size.runs; ++run) {
            inventory.push_back(TimeInventory(&count));
            if (count != expected) {
                fprintf(stderr, "inventory found %d of %d homes\n", count, expected);
                return Fail("wrong count");
            }
            floor.push_back(TimeFloor(&count));
            if (count != expected) {
                fprintf(stderr, "floor found %d of %d homes\n", count, expected);
                return Fail("wrong count");
            }
        }
        const double inventoryMs = Median(inventory);
        const double floorMs = Median(floor);
        PeakMemory peak = {0, 0};
        ReadPeakMemory(GetCurrentProcess(), &peak);
        printf("%7d %5d %12.3f %10.2f %10.3f %10.2f %6.2f %12lu\n", size.homes, size.runs,
               inventoryMs, inventoryMs * 1000.0 / expected, floorMs,
               floorMs * 1000.0 / expected, inventoryMs / floorMs,
               static_cast<unsigned long>(peak.workingSet / 1024));
    }
    printf("\nper home: per home found (N + 1). Targets: per home flat from N = 100 to 10000;\n"
           "ratio (inventory / floor) <= 1.30.\n");
    const double removeStart = NowMs();
    RemoveAll();
    printf("%d homes (keys, variables, directories, files) made in %.1f s, removed in %.1f s\n",
           seeded, installMs / 1000.0, (NowMs() - removeStart) / 1000.0);
    return 0;
}
