// Discovery benchmark: FillRuntimeList into the dialog's own list box (never shown) for
// 10 to 10,000 registered runtimes plus the bundled one and the Microsoft VM, against a
// floor loop that only makes the registry reads and file probes that any search of these
// sources must make. Prints medians; it judges nothing.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "bench/bench_support.h"
#include "discovery/runtime_discovery.h"
#include "discovery/runtime_list.h"
#include "res/resource.h"
#include "settings/product_settings.h"

namespace {

struct Size {
    int registered;
    int runs;
};

const Size kSizes[] = {{10, 101}, {100, 51}, {1000, 15}, {10000, 7}};

INT_PTR CALLBACK IdleDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

// The bundled launcher, every JavaSoft subkey's "JavaHome" (opened and read the way the
// program's registry reads work: open by path, ask the size, read) and its bin\javaw.exe,
// the Microsoft VM's key and wjview.exe's version, with buffers on the stack and no list.
// Returns the number of runtimes found.
int ScanFloor()
{
    int found = 0;
    char path[MAX_PATH];
    OFSTRUCT ofs;
    ofs.cBytes = sizeof(ofs);

    wsprintfA(path, "%s\\jre\\bin\\javaw.exe", g_homeDir);
    if (OpenFile(path, &ofs, OF_EXIST) != HFILE_ERROR)
        ++found;

    HKEY javaSoft;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, kTestJavaSoftKey, &javaSoft) == ERROR_SUCCESS) {
        char name[MAX_PATH];
        for (DWORD index = 0; RegEnumKeyA(javaSoft, index, name, MAX_PATH) == ERROR_SUCCESS;
             ++index) {
            // As the search reads it: the subkey by its full path, then the value's size,
            // then the value.
            char key[2 * MAX_PATH];
            wsprintfA(key, "%s\\%s", kTestJavaSoftKey, name);
            HKEY runtime;
            if (RegOpenKeyA(HKEY_LOCAL_MACHINE, key, &runtime) != ERROR_SUCCESS)
                continue;
            char home[MAX_PATH];
            DWORD size = 0;
            LONG result = RegQueryValueExA(runtime, "JavaHome", nullptr, nullptr, nullptr, &size);
            if (result == ERROR_SUCCESS && size < sizeof(home)) {
                result = RegQueryValueExA(runtime, "JavaHome", nullptr, nullptr,
                                          reinterpret_cast<BYTE*>(home), &size);
            } else {
                result = ERROR_MORE_DATA;
            }
            RegCloseKey(runtime);
            if (result != ERROR_SUCCESS)
                continue;
            home[size] = '\0';
            wsprintfA(path, "%s\\bin\\javaw.exe", home);
            if (OpenFile(path, &ofs, OF_EXIST) != HFILE_ERROR)
                ++found;
        }
        RegCloseKey(javaSoft);
    }

    HKEY vm;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, kTestMicrosoftVmKey, &vm) == ERROR_SUCCESS) {
        RegCloseKey(vm);
        char dir[MAX_PATH];
        GetWindowsDirectoryA(dir, MAX_PATH);
        wsprintfA(path, "%s\\wjview.exe", dir);
        DWORD handle = 0;
        const DWORD size = GetFileVersionInfoSizeA(path, &handle);
        std::vector<char> block(size != 0 ? size : 1);
        VS_FIXEDFILEINFO* info = nullptr;
        UINT length = 0;
        if (size != 0 && GetFileVersionInfoA(path, 0, size, block.data()) &&
            VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&info), &length) &&
            info != nullptr && HIWORD(info->dwFileVersionMS) >= 5)
            ++found;
    }
    return found;
}

// Empties the list box as the dialog does at its end, and then of its items.
void EmptyList(HWND list)
{
    ReleaseRuntimeList(list);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
}

double TimeDiscovery(HWND list, int* count)
{
    const double start = NowMs();
    FillRuntimeList(list);
    const double elapsed = NowMs() - start;
    *count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    EmptyList(list);
    return elapsed;
}

double TimeFloor(int* count)
{
    const double start = NowMs();
    *count = ScanFloor();
    return NowMs() - start;
}

int Fail(const char* what)
{
    fprintf(stderr, "discovery_bench: %s\n", what);
    RemoveInstallation();
    return 1;
}

}  // namespace

int main()
{
    setvbuf(stdout, nullptr, _IONBF, 0);
    RemoveInstallation();  // leftovers of an interrupted run
    if (!SeedInstallation())
        return Fail("cannot make the scratch installation");
    if (!LoadInstallSettings())
        return Fail("cannot read the product key back");

    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr),
                                     MAKEINTRESOURCEA(IDD_RUNTIME_DIALOG), nullptr,
                                     IdleDialogProc, 0);
    HWND list = dialog != nullptr ? GetDlgItem(dialog, IDC_RUNTIME_LIST) : nullptr;
    if (list == nullptr)
        return Fail("cannot make the dialog's list box");

    PeakMemory start = {0, 0};
    ReadPeakMemory(GetCurrentProcess(), &start);
    printf("Discovery: FillRuntimeList into the dialog's list box (hidden) vs the floor\n"
           "(registry reads and file probes only); N registered + bundled + Microsoft VM;\n"
           "median of the runs; peak memory of this process (%lu KiB working set at start)\n\n",
           static_cast<unsigned long>(start.workingSet / 1024));
    printf("%7s %5s %12s %10s %10s %10s %6s %12s %12s\n", "N", "runs", "discovery", "per rt",
           "floor", "per rt", "ratio", "peak WS", "peak pagef.");
    printf("%7s %5s %12s %10s %10s %10s %6s %12s %12s\n", "", "", "ms", "us", "ms", "us", "",
           "KiB", "KiB");

    double discovery1000 = -1.0;
    double installMs = 0.0;
    int installed = 0;
    for (const Size& size : kSizes) {
        const double installStart = NowMs();
        if (!SeedRegisteredRuntimes(installed, size.registered - installed))
            return Fail("cannot register the runtimes");
        installMs += NowMs() - installStart;
        installed = size.registered;
        const int expected = size.registered + 2;

        // One untimed pass of each first: the caches then hold what the runs read.
        int count = 0;
        TimeDiscovery(list, &count);
        TimeFloor(&count);

        std::vector<double> discovery;
        std::vector<double> floor;
        for (int run = 0; run < size.runs; ++run) {
            discovery.push_back(TimeDiscovery(list, &count));
            if (count != expected) {
                fprintf(stderr, "discovery listed %d of %d runtimes\n", count, expected);
                return Fail("wrong count");
            }
            floor.push_back(TimeFloor(&count));
            if (count != expected) {
                fprintf(stderr, "floor found %d of %d runtimes\n", count, expected);
                return Fail("wrong count");
            }
        }
        const double discoveryMs = Median(discovery);
        const double floorMs = Median(floor);
        PeakMemory peak = {0, 0};
        ReadPeakMemory(GetCurrentProcess(), &peak);
        printf("%7d %5d %12.3f %10.2f %10.3f %10.2f %6.2f %12lu %12lu\n", size.registered,
               size.runs, discoveryMs, discoveryMs * 1000.0 / expected, floorMs,
               floorMs * 1000.0 / expected, discoveryMs / floorMs,
               static_cast<unsigned long>(peak.workingSet / 1024),
               static_cast<unsigned long>(peak.pagefile / 1024));
        if (size.registered == 1000)
            discovery1000 = discoveryMs;
    }
    printf("\nper rt: per runtime listed (N + 2). Targets: per rt flat from N = 100 to 10000;\n"
           "ratio (discovery / floor) <= 1.20.\n");
    printf("discovery of 1000 runtimes = %.3f ms\n", discovery1000);

    DestroyWindow(dialog);
    const double removeStart = NowMs();
    RemoveInstallation();
    printf("10000 runtimes (keys, directories, files) made in %.1f s, removed in %.1f s\n",
           installMs / 1000.0, (NowMs() - removeStart) / 1000.0);
    return 0;
}
