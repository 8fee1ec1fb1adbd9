// Clock, statistics, memory figures and the scratch installation of the benchmarks.
#include "bench/bench_support.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

const char kBenchRoot[] = "C:\\jrebench";

namespace {

const char kBenchHome[] = "C:\\jrebench\\Quillfern";

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

std::string ProgramPath(const char* name)
{
    char self[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string dir(self, length < MAX_PATH ? length : 0);
    return dir.substr(0, dir.rfind('\\') + 1) + name;
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

bool SeedInstallation()
{
    const std::string starter = std::string(kBenchHome) + "\\jre\\bin\\javaw.exe";
    return SeedProduct(kBenchHome, starter) && MakeLauncher(starter) &&
           SeedMicrosoftVm("wjview_5_0_0_381");
}

bool SeedRegisteredRuntimes(int first, int count)
{
    for (int i = first; i < first + count; ++i) {
        char name[32];
        char home[64];
        snprintf(name, sizeof(name), "1.6.0_%05d", i);
        // At most 100 entries a directory: Wine reads the whole directory for another spelling
        // of each name it creates there (10,000 siblings took 17 s to make instead of 3.5).
        snprintf(home, sizeof(home), "%s\\%03d\\jre%05d", kBenchRoot, i / 100, i);
        if (!MakeLauncher(std::string(home) + "\\bin\\javaw.exe") || !SeedRuntime(name, home))
            return false;
    }
    return true;
}

void RemoveInstallation()
{
    ResetProgramKeys();
    RemoveWjviews();
    RemoveTree(kBenchRoot);
}
